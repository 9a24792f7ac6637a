// SPDX-License-Identifier: MIT
// The game window as a screen reader meets it; see accessibility.h.
#include "accessibility.h"
#include "form1.h"

#include <QShortcut>

namespace numora {

namespace {
const QString kGuessTopic = QStringLiteral("guess");  // the player's guess, typed or answered
const char *const kRowsTold = "numora_rowstold";      // rows on the player's board when last told
}  // namespace

void Form1::makeaccessible()
{
    accessibility::install();
    // The caption under each board names it.
    Label2->setBuddy(Picture2);
    Label1->setBuddy(Picture1);
    accessibility::markboard(Picture2, QStringLiteral("My guess"));
    accessibility::markboard(Picture1, QStringLiteral("Your guess"), kGuessTopic);
    accessibility::newsarea(Picture1->parentWidget());
    // Keys that read a whole board on demand, whatever has the focus.
    for (const auto &[key, board] : {std::pair{Qt::Key_F2, Picture1}, std::pair{Qt::Key_F3, Picture2}})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                [board = board] { accessibility::readboard(board); });
    for (QLabel *display : std::initializer_list<QLabel *>{Label8, Label10, Label6})
        accessibility::markdisplay(display);
    for (int digit = 0; digit <= 9; ++digit)
        accessibility::markbutton(
            digitbuttons_[digit], [this, digit] { return entry.inuse(digit); }, QStringLiteral("in use"));
    // The captions' signs are punctuation, which a screen reader may leave unsaid.
    for (int count = 0; count <= 4; ++count) {
        plusbuttons_[count]->setAccessibleName(QStringLiteral("%1 plus").arg(count));
        minusbuttons_[count]->setAccessibleName(QStringLiteral("%1 minus").arg(count));
        accessibility::markbutton(
            plusbuttons_[count], [this, count] { return pluschosen(count); }, QStringLiteral("chosen"),
            accessibility::Choice::Told);
        accessibility::markbutton(
            minusbuttons_[count], [this, count] { return minuschosen(count); }, QStringLiteral("chosen"),
            accessibility::Choice::Told);
    }
}

void Form1::displayschanged()
{
    // The guess being typed is told digit by digit; an accepted guess is told by its row.
    // A guess emptied as its row is drawn was accepted, not cleared.
    const auto before = accessibility::textchanged(Label10);
    const int rows = int(Picture1->rows().size());
    const bool accepted = rows > Label10->property(kRowsTold).toInt();
    if (before)
        Label10->setProperty(kRowsTold, rows);
    if (before && digitinput()) {
        const QString now = Label10->text();
        if (now.startsWith(*before))
            accessibility::announce(now, kGuessTopic);
        else if (before->startsWith(now) && before->size() == now.size() + 1)
            accessibility::announce(
                QStringLiteral("%1 removed, %2").arg(before->back(), now.isEmpty() ? QStringLiteral("empty") : now));
        else if (now.isEmpty() && !accepted)
            accessibility::announce(QStringLiteral("cleared"), kGuessTopic);
    }
    if (accessibility::textchanged(Label8) && !Label8->text().isEmpty())
        accessibility::announce(QStringLiteral("My guess is %1").arg(Label8->text()));
    accessibility::textchanged(Label6);
}

}  // namespace numora

// SPDX-License-Identifier: MIT
// The game window as a screen reader meets it: the interfaces it installs, the names and
// buddies of its controls, the news bar it speaks through and the keys that read a board.
// What happens is announced by the handlers where it happens (form1.cpp).
#include "ui/main_window/form1.h"

#include "ui/look/accessible.h"
#include "ui/look/announcer.h"

#include <QAccessible>
#include <QShortcut>

namespace numora {

void Form1::installaccessible()
{
    look::installaccessible();
    KeypadButton::installaccessible();
    ProgressBoard::installaccessible();
}

void Form1::makeaccessible()
{
    // The caption under each board names it.
    Label2->setBuddy(Picture2);
    Label1->setBuddy(Picture1);
    accessibility::newsarea(centralWidget());
    // Keys that read a whole board on demand, whatever has the focus.
    for (const auto &[key, board] : {std::pair{Qt::Key_F2, Picture1}, std::pair{Qt::Key_F3, Picture2}})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, this,
                [this, board = board] { readboard(board); });
    // The captions' signs are punctuation, which a screen reader may leave unsaid.
    for (int count = 0; count <= 4; ++count) {
        plusbuttons_[count]->setAccessibleName(QStringLiteral("%1 plus").arg(count));
        minusbuttons_[count]->setAccessibleName(QStringLiteral("%1 minus").arg(count));
    }
}

// Says every row of `board`, after its name: "Your progress: 1234: 2 plus. 5678: no signs".
void Form1::readboard(ProgressBoard *board)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(board);
    const QString name = iface ? iface->text(QAccessible::Name) : QString();
    QStringList rows;
    for (const AnsweredGuess &row : board->rows())
        rows << spokenrow(row);
    accessibility::announce(this,
                            QStringLiteral("%1: %2").arg(name, rows.isEmpty() ? QStringLiteral("no rows yet")
                                                                              : rows.join(QStringLiteral(". "))),
                            name);
}

}  // namespace numora

// SPDX-License-Identifier: MIT
// What the game window paints at its own moments: the status line before the computer
// thinks, and the default button's dark frame as the focus moves.
#include "tests/support/gamewindow.h"
#include "tests/support/qtmain.h"
#include "ui/main_window/form1.h"

#include <QTest>

using numora::Phase;

namespace {

// Records what the status line showed at each of its paints, and what the computer's
// display held at that moment.
class PaintSpy : public QObject {
public:
    PaintSpy(QLabel *status, QLabel *display) : status_(status), display_(display) { status->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            paints.append({status_->text(), display_->text()});
        return false;
    }
    QList<std::pair<QString, QString>> paints;

private:
    QLabel *status_, *display_;
};

}  // namespace

class LookTest : public QObject, numora::testsupport::GameWindowTest {
    Q_OBJECT

private slots:
    void init()
    {
        form_ = numora::testsupport::openform(3);
        QVERIFY(form_ && QTest::qWaitForWindowActive(form_.get(), numora::testsupport::kPatience));
        play().newgame();
    }
    void cleanup() { form_.reset(); }

    void thinkingIsPaintedBeforeTheComputerThinks();
    void defaultFrameFollowsTheFocus_data();
    void defaultFrameFollowsTheFocus();
};

void LookTest::thinkingIsPaintedBeforeTheComputerThinks()
{
    // The first guess needs no thinking; the second does.
    QVERIFY(play().guess(QStringLiteral("1023")));
    QVERIFY(play().reached(Phase::SignEntry));
    QVERIFY(play().answer(0, 0));
    QCOMPARE(form_->driver().phase(), Phase::NumberEntry);

    QLabel *status = play().label(QStringLiteral("Label6")), *display = play().label(QStringLiteral("Label8"));
    const QString firstguess = display->text();
    PaintSpy spy(status, display);
    QVERIFY(play().guess(QStringLiteral("4567")));
    QVERIFY(play().reached(Phase::SignEntry));

    QVERIFY(display->text() != firstguess);
    QVERIFY2(spy.paints.contains(std::pair(QStringLiteral("Thinking..."), firstguess)),
             "\"Thinking...\" was not painted while the computer's last guess was still shown");
    QCOMPARE(status->text(), QString());
}

void LookTest::defaultFrameFollowsTheFocus_data()
{
    QTest::addColumn<QString>("focus");  // empty: no push button has the focus
    QTest::addColumn<QStringList>("framed");
    QTest::newRow("no button focused") << QString() << QStringList{QStringLiteral("Command12")};
    QTest::newRow("a digit focused") << QStringLiteral("Command7") << QStringList{QStringLiteral("Command7")};
    QTest::newRow("Confirm Number focused") << QStringLiteral("Command12") << QStringList{QStringLiteral("Command12")};
}

void LookTest::defaultFrameFollowsTheFocus()
{
    QFETCH(QString, focus);
    QFETCH(QStringList, framed);
    if (focus.isEmpty())
        form_->setFocus();
    else
        play().button(focus)->setFocus();
    for (const char *name : {"Command7", "Command12"}) {
        QPushButton *b = play().button(QLatin1String(name));
        // The frame is the button's outermost ring of pixels; otherwise the light bevel is there.
        const bool black = b->grab().toImage().pixelColor(0, 0) == QColor(Qt::black);
        QVERIFY2(black == framed.contains(QLatin1String(name)), name);
    }
}

NUMORA_QTEST_MAIN(LookTest)

#include "look_test.moc"

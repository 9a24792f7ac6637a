// SPDX-License-Identifier: MIT
// Random play on the real window: clicks on any button, enabled or not, keys of both
// keyboards, New, Help, About, and whatever end window is open; answers mostly honest,
// sometimes random so that contradictions happen. After every event the window must
// still tell the truth about the game. A failure names the seed and the event:
//   NUMORA_MONKEY_SEED=<seed> NUMORA_MONKEY_EVENTS=<n> monkey_test
#include "tests/support/gamewindow.h"
#include "tests/support/qtmain.h"
#include "ui/look/messagebox.h"
#include "ui/main_window/form1.h"
#include "ui/main_window/form1_look.h"

#include <QRegularExpression>
#include <QTest>

#include <random>

using namespace numora;
using namespace numora::testsupport;
using numora::look::MessageBox;

class MonkeyTest : public QObject, GameWindowTest {
    Q_OBJECT

private slots:
    void randomPlayKeepsTheGameTrue();

private:
    void act();
    void check();

    std::mt19937_64 rng_;
    QStringList numbers_ = admissiblenumbers();
    QString secret_;      // the player's number in the current game
    std::string hidden_;  // the computer's number, fixed within a game
    bool newgameexpected_ = false;
    QString seen_;  // what went wrong, for the failure message
    int ends_ = 0, contradictions_ = 0;
};

void MonkeyTest::act()
{
    std::uniform_int_distribution<int> percent(0, 99);
    const int roll = percent(rng_);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); };

    QWidget *end = openendwindows().value(0);  // check() has made sure there is one at most
    if (auto *box = form_->findChild<MessageBox *>(QStringLiteral("repeated")); box && box->isVisible()) {
        QTest::mouseClick(box->okbutton(), Qt::LeftButton);  // it is modal: nothing else reaches the game
        return;
    }
    if (end && roll < 25) {
        newgameexpected_ = true;
        if (end->objectName() == QLatin1String("badsigns")) {
            QTest::mouseClick(static_cast<MessageBox *>(end)->okbutton(), Qt::LeftButton);
        } else if (percent(rng_) < 80) {
            QTest::mouseClick(end->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        } else {
            end->close();  // the close box: neither YES nor NO
            newgameexpected_ = false;
        }
        return;
    }
    if (roll < 2) {
        newgameexpected_ = true;
        choose(form_.get(), Qt::Key_G, Qt::Key_N);  // not while a modal message is up
        return;
    }
    if (roll < 3) {
        choose(form_.get(), percent(rng_) < 50 ? Qt::Key_H : Qt::Key_A);
        return;
    }
    if (roll < 4) {
        for (QWidget *w : openwindows({"frmAbout", "Form2"}))
            w->close();
        return;
    }
    const Module1 &m = form_->driver().state();
    if (roll < 30 && form_->driver().phase() == Phase::SignEntry && button("Command23")->isEnabled()) {
        // An answer to the computer's guess: honest most of the time.
        auto [plus, minus] = signs(play().label(QStringLiteral("Label8"))->text(), secret_);
        if (percent(rng_) < 15) {
            plus = pick(5);
            minus = pick(5 - plus);
        }
        play().answer(plus, minus);
        return;
    }
    if (roll >= 30 && roll < 32 && form_->driver().phase() == Phase::NumberEntry &&
        button(QStringLiteral("Command12"))->isEnabled()) {
        // Now and then the player finds the computer's number, so that wins and draws happen.
        play().click(QStringLiteral("Command24"));
        play().guess(QString::fromStdString(m.mynumber));
        return;
    }
    if (roll < 70) {
        play().click(QStringLiteral("Command%1").arg(1 + pick(24)));
        return;
    }
    static const Qt::Key keypad[] = {Qt::Key_0,    Qt::Key_1,     Qt::Key_2,      Qt::Key_3,     Qt::Key_4,
                                     Qt::Key_5,    Qt::Key_6,     Qt::Key_7,      Qt::Key_8,     Qt::Key_9,
                                     Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Comma, Qt::Key_Enter,
                                     Qt::Key_Home, Qt::Key_Delete};
    static const Qt::Key plain[] = {Qt::Key_0,     Qt::Key_5,   Qt::Key_9,     Qt::Key_Return, Qt::Key_Escape,
                                    Qt::Key_Space, Qt::Key_Tab, Qt::Key_Shift, Qt::Key_A};
    if (roll < 92)
        play().key(keypad[pick(std::size(keypad))]);
    else
        play().key(plain[pick(std::size(plain))], Qt::NoModifier);
}

void MonkeyTest::check()
{
    const Module1 &m = form_->driver().state();
    const Phase phase = form_->driver().phase();

    // A new game begins only when the player asked for one.
    if (m.mynumber != hidden_) {
        if (!newgameexpected_)
            seen_ = QStringLiteral("the hidden number changed within a game");
        hidden_ = m.mynumber;
        secret_ = numbers_[std::uniform_int_distribution<int>(0, int(numbers_.size()) - 1)(rng_)];
    }
    newgameexpected_ = false;

    const QString typed = play().label(QStringLiteral("Label10"))->text();
    if (!QRegularExpression(QStringLiteral("^([1-9]\\d{0,3})?$")).match(typed).hasMatch() ||
        QSet<QChar>(typed.begin(), typed.end()).size() != typed.size())
        seen_ = QStringLiteral("Label10 holds ") + typed;
    for (int d = 0; d <= 9; ++d) {
        const QColor expected = typed.contains(QChar(u'0' + d)) ? kDigitInUse : kDigitPlain;
        if (button(digitbutton(d))->color() != expected)
            seen_ = QStringLiteral("digit button %1 has the wrong colour for %2").arg(d).arg(typed);
    }

    const QWidgetList ends = openendwindows();
    if (ends.size() > 1) {
        seen_ = QStringLiteral("two end windows are open");
        return;
    }
    QWidget *end = ends.value(0);
    bool anyenabled = false;
    for (int n = 1; n <= 24; ++n)
        anyenabled = anyenabled || button(QStringLiteral("Command%1").arg(n))->isEnabled();
    if (end && anyenabled)
        seen_ = QStringLiteral("a keypad is open behind ") + end->objectName();
    if (phase == Phase::Ended && !end && anyenabled)
        seen_ = QStringLiteral("a keypad is open after the game's end");

    if (!end || end->property("checked").toBool())
        return;
    end->setProperty("checked", true);
    ++ends_;
    // The end must be the one the answers call for.
    const QString name = end->objectName();
    const bool playerfound = m.yourguesscount > 0 && m.yourplus[m.yourguesscount - 1] == 4;
    const int answered = m.myguesscount;  // the computer's guesses with their answers
    const bool computerhit = answered > 0 && m.mysigns[answered - 1] == 40;
    const bool named = !play().label(QStringLiteral("Label8"))->text().isEmpty();
    if (name == QLatin1String("badsigns")) {
        ++contradictions_;
        for (const QString &x : numbers_) {
            bool fits = true;
            for (int i = 0; i < answered && fits; ++i) {
                const auto [p, q] = signs(QString::fromStdString(textform(m.myguesses[i])), x);
                fits = p * 10 + q == m.mysigns[i];
            }
            if (fits) {
                seen_ = x + QStringLiteral(" fits every answer, yet they were called contradictory");
                break;
            }
        }
    } else if (name == QLatin1String("frmUwin")) {
        if (!playerfound || computerhit)
            seen_ = QStringLiteral("a win without the player's hit, or after the computer's");
    } else if (name == QLatin1String("frmUlost")) {
        // The computer found the number: by a hit, or by naming the one number left.
        if (playerfound || !(computerhit || named))
            seen_ = QStringLiteral("a loss without the computer finding the number, or where it was a draw");
        if (!end->windowTitle().endsWith(QString::fromStdString(m.mynumber)))
            seen_ = QStringLiteral("the loss caption does not name the hidden number");
    } else if (name == QLatin1String("Tvdraw")) {
        if (!(playerfound && (computerhit || named)) && answered < kRecords)
            seen_ = QStringLiteral("a draw without both sides finding the number");
    }
}

void MonkeyTest::randomPlayKeepsTheGameTrue()
{
    const auto seed = qEnvironmentVariable("NUMORA_MONKEY_SEED", QStringLiteral("20261207")).toULongLong();
    const int events = qEnvironmentVariable("NUMORA_MONKEY_EVENTS", QStringLiteral("20000")).toInt();
    rng_.seed(seed);
    form_ = openform(seed);
    QVERIFY(form_);
    newgameexpected_ = true;
    check();
    for (int event = 1; event <= events; ++event) {
        act();
        QCoreApplication::processEvents();
        check();
        if (!seen_.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3").arg(seed).arg(event).arg(seen_)));
    }
    qInfo("%d events, %d ends, %d of them contradictions", events, ends_, contradictions_);
    QVERIFY(ends_ > 20);
    QVERIFY(contradictions_ > 0);
    form_.reset();
}

NUMORA_QTEST_MAIN(MonkeyTest)

#include "monkey_test.moc"

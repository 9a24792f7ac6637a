// SPDX-License-Identifier: MIT
// Drives the real game window with mouse clicks and key presses, offscreen.
#include "tests/support/gamewindow.h"
#include "tests/support/qtmain.h"
#include "ui/look/messagebox.h"
#include "ui/main_window/form1.h"
#include "ui/main_window/form1_look.h"

#include <QMenuBar>
#include <QTest>

#include <algorithm>
#include <memory>
#include <tuple>

using namespace numora;
using namespace numora::testsupport;
using numora::look::ColorButton;
using numora::look::MessageBox;

namespace {

const QStringList kDigitEntry = {"Command1", "Command2", "Command3",  "Command4",  "Command5",  "Command6", "Command7",
                                 "Command8", "Command9", "Command10", "Command11", "Command12", "Command24"};
const QStringList kSignCounts =
    QStringList(std::begin(kPlus), std::end(kPlus)) + QStringList(std::begin(kMinus), std::end(kMinus));
const QStringList kSignEntry = kSignCounts + QStringList{"Command23"};
const char *const kLabels[] = {"Label4", "Label8", "Label10"};
const char *const kBoards[] = {"Picture1", "Picture2"};

QColor pixel(QWidget *w, QPoint at)
{
    return w->grab().toImage().pixelColor(at);
}

// The program's own message box as the player meets it: caption and text, how many
// pictures and buttons it shows, and whether it alone takes input.
QString appearance(const MessageBox *box)
{
    const auto pictures =
        std::ranges::count_if(box->findChildren<QLabel *>(), [](auto *l) { return !l->pixmap().isNull(); });
    return QStringLiteral("%1: %2 (%3 pictures, %4 buttons%5)")
        .arg(box->windowTitle(), box->text())
        .arg(pictures)
        .arg(box->findChildren<QAbstractButton *>().size())
        .arg(QApplication::activeModalWidget() == box ? ", modal" : "");
}

}  // namespace

class Form1Test : public QObject, GameWindowTest {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { closeform(form_); }

    void idleBeforeFirstGame();
    void layoutAndMenu();
    void digitKeypadRules();
    void digitEntryFromNumericKeypad();
    void confirmNumberScoresAndOpensSignEntry();
    void repeatedGuessIsRefusedWithMessage();
    void signKeypadChoosesOnePerRow();
    void signCountersFromNumericKeypad();
    void mouseChoiceSurvivesOtherKeys_data();
    void mouseChoiceSurvivesOtherKeys();
    void impossibleAnswersAreRefused();
    void enterPressesFocusedButtonOrConfirmNumber();
    void gameToALoss();
    void gameToAWin();
    void gameToADraw();
    void contradictionStartsANewGame();
    void newGameDuringEachEntry();
    void boardsKeepRowsAndTextFits();
    void boardRowsHaveTheirFormat();
    void aboutAndHelpOpenOnceAndCloseWithTheGame();

private:
    QLabel *label(const char *name) const { return play().label(name); }
    QStringList enabled(const QStringList &names) const;  // those of `names` that take clicks
    // The captions of the buttons of `names` that show `marked`; "?" and the caption for
    // one that shows neither `marked` nor `plain`.
    QStringList marks(const QStringList &names, const QColor &plain, const QColor &marked) const;
    // The digits marked in use, in keypad order: 1 to 9, then 0.
    QString marked() const { return marks(kDigitEntry.first(10), kDigitPlain, kDigitInUse).join(QString()); }
    // The counts chosen on the sign keypad: "3 +, 0 -"; none: "".
    QString chosen() const { return marks(kSignCounts, kSignPlain, kSignChosen).join(QStringLiteral(", ")); }
    const ProgressBoard *board(const char *name) const { return play().control<ProgressBoard>(name); }
    QStringList lines(const char *name) const;  // the board's rows as it prints them
    [[nodiscard]] bool startgame();             // Game > New, through the menu bar
};

void Form1Test::init()
{
    form_ = openform(20261207);
    QVERIFY(form_);
    // Every control the tests use, so that a renamed one fails each test by its name.
    for (const QString &name : kDigitEntry + kSignEntry)
        QVERIFY2(form_->findChild<ColorButton *>(name), qPrintable(name));
    for (const char *name : kLabels)
        QVERIFY2(form_->findChild<QLabel *>(QLatin1String(name)), name);
    for (const char *name : kBoards)
        QVERIFY2(form_->findChild<ProgressBoard *>(QLatin1String(name)), name);
}

QStringList Form1Test::lines(const char *name) const
{
    QStringList lines;
    for (const AnsweredGuess &row : board(name)->rows())
        lines << boardrow(row);
    return lines;
}

QStringList Form1Test::enabled(const QStringList &names) const
{
    QStringList open;
    std::ranges::copy_if(names, std::back_inserter(open), [this](const QString &n) { return button(n)->isEnabled(); });
    return open;
}

QStringList Form1Test::marks(const QStringList &names, const QColor &plain, const QColor &marked) const
{
    QStringList captions;
    for (const QString &name : names)
        if (ColorButton *b = button(name); b->color() != plain)
            captions << (b->color() == marked ? b->text() : QLatin1Char('?') + b->text());
    return captions;
}

bool Form1Test::startgame()
{
    return choose(form_.get(), Qt::Key_G, Qt::Key_N) && form_->driver().phase() == Phase::NumberEntry &&
           lines("Picture1").isEmpty();
}

void Form1Test::idleBeforeFirstGame()
{
    QCOMPARE(enabled(kDigitEntry + kSignEntry), QStringList());
    QCOMPARE(label("Label8")->palette().color(QPalette::Window), kDisplayIdle);
    QCOMPARE(label("Label10")->palette().color(QPalette::Window), kDisplayIdle);
    QCOMPARE(label("Label8")->text() + label("Label10")->text(), QString());
    // Keys reach nothing while no keypad is open.
    play().key(Qt::Key_1);
    QVERIFY(label("Label10")->text().isEmpty());
    // The icon spins through its 18 frames whatever the window does.
    const int frame = form_->iconframeindex();
    QTRY_VERIFY(form_->iconframeindex() != frame);
    QVERIFY(!form_->windowIcon().pixmap(32).isNull());
}

void Form1Test::layoutAndMenu()
{
    QCOMPARE(form_->windowTitle(), QStringLiteral("Numora"));
    QCOMPARE(form_->centralWidget()->size(), QSize(217, 401));
    QCOMPARE(button("Command12")->geometry(), QRect(120, 352, 89, 25));
    QCOMPARE(button("Command19")->geometry(), QRect(56, 224, 41, 20));
    QCOMPARE(button("Command21")->text(), QStringLiteral("0 -"));
    QVERIFY(button("Command12")->isDefault());
    QCOMPARE(label("Label8")->mapTo(form_->centralWidget(), QPoint()), QPoint(8, 184));
    QCOMPARE(label("Label4")->text(), QStringLiteral("   1   2   3   4   5   6   7   8   9 10"));
    QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form_->windowFlags() & Qt::WindowMinimizeButtonHint);

    const auto captions = [](const QWidget *w) {
        QStringList texts;
        std::ranges::transform(w->actions(), std::back_inserter(texts), &QAction::text);
        return texts;
    };
    QCOMPARE(captions(form_->menuBar()), (QStringList{"&Game", "&Help", "&About"}));
    QCOMPARE(captions(play().control<QMenu>("game")), (QStringList{"&New", "E&xit"}));

    // Colours as the player sees them: flat fills, not the style's gradient.
    QVERIFY(startgame());
    QCOMPARE(pixel(button("Command7"), {4, 4}), kDigitPlain);
    QCOMPARE(pixel(button("Command20"), {4, 4}), kSignPlain);
    QCOMPARE(pixel(label("Label10"), {4, 4}), kDisplayActive);
    QCOMPARE(pixel(label("Label8"), {4, 4}), kDisplayIdle);
}

void Form1Test::digitKeypadRules()
{
    QVERIFY(startgame());
    QCOMPARE(enabled(kDigitEntry), kDigitEntry);
    QCOMPARE(label("Label10")->palette().color(QPalette::Window), kDisplayActive);
    // After each press (a button, or digits typed), the guess it leaves, whose digits
    // alone are marked in use.
    const struct {
        const char *press, *typed;
    } steps[] = {{"Command10", ""},                         // a guess never begins with 0
                 {"1230", "1230"},                          // Confirm Number takes the focus, checked below
                 {"Command5", "1230"},                      // full
                 {"Command11", "123"},                      // C takes back the 0
                 {"Command3", "123"},                       // in use
                 {"Command10", "1230"}, {"Command24", ""},  // CA
                 {"Command11", ""},                         // C on an empty guess changes nothing
                 {"77", "7"},           {"Command11", ""}};
    for (const auto &step : steps) {
        const QString press = QLatin1String(step.press);
        press.startsWith(QLatin1String("Command")) ? play().click(press) : play().type(press);
        QCOMPARE(label("Label10")->text(), QLatin1String(step.typed));
        QCOMPARE(marked(), QLatin1String(step.typed));
        if (press == QLatin1String("1230")) {
            QVERIFY(button("Command12")->hasFocus());
            QCOMPARE(pixel(button("Command1"), {4, 4}), kDigitInUse);
        }
    }
}

void Form1Test::digitEntryFromNumericKeypad()
{
    QVERIFY(startgame());
    // After each key, the guess it leaves, whose digits alone are marked in use: a first 0
    // refused, as a click would be; "." and "," (the decimal key on layouts where it types
    // ",") take back. The main keyboard row types too, Backspace taking back; the keypad's
    // navigation keys (Num Lock off) and modifiers held down change nothing.
    constexpr auto kKeypad = Qt::KeypadModifier;
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, const char *> steps[] = {
        {Qt::Key_0, kKeypad, ""},
        {Qt::Key_1, kKeypad, "1"},
        {Qt::Key_2, kKeypad, "12"},
        {Qt::Key_3, kKeypad, "123"},
        {Qt::Key_4, kKeypad, "1234"},
        {Qt::Key_Period, kKeypad, "123"},
        {Qt::Key_Comma, kKeypad, "12"},
        {Qt::Key_5, Qt::NoModifier, "125"},
        {Qt::Key_Backspace, Qt::NoModifier, "12"},
        {Qt::Key_End, kKeypad, "12"},
        {Qt::Key_Delete, kKeypad, "12"},
        {Qt::Key_6, kKeypad | Qt::ShiftModifier, "126"},
        {Qt::Key_7, kKeypad | Qt::ControlModifier, "1267"},
        {Qt::Key_Shift, Qt::ShiftModifier, "1267"}};
    for (const auto &[key, modifiers, typed] : steps) {
        play().key(key, modifiers);
        QCOMPARE(label("Label10")->text(), QLatin1String(typed));
        QCOMPARE(marked(), QLatin1String(typed));
    }
}

void Form1Test::confirmNumberScoresAndOpensSignEntry()
{
    QVERIFY(startgame());
    const QString hidden = play().hidden();
    QString guess = QStringLiteral("1234") == hidden ? QStringLiteral("5678") : QStringLiteral("1234");
    play().guess(guess.left(3));  // three digits: nothing happens
    QVERIFY(lines("Picture1").isEmpty());
    QCOMPARE(label("Label10")->text(), guess.left(3));
    play().type(guess.right(1));
    play().key(Qt::Key_Enter);  // keypad Enter on the focused Confirm Number

    const auto [plus, minus] = signs(guess, hidden);
    QCOMPARE(lines("Picture1"),
             QStringList{QStringLiteral(" %1 %2%3")
                             .arg(guess, QString(plus, QLatin1Char('+')), QStringLiteral(" -").repeated(minus))});
    QVERIFY(label("Label10")->text().isEmpty());
    QCOMPARE(marked(), QString());
    QCOMPARE(enabled(kDigitEntry), QStringList());

    QVERIFY(play().settled());
    QCOMPARE(form_->driver().phase(), Phase::SignEntry);
    QCOMPARE(label("Label8")->text().size(), 4);
    QCOMPARE(label("Label8")->palette().color(QPalette::Window), kDisplayActive);
    QCOMPARE(label("Label10")->palette().color(QPalette::Window), kDisplayIdle);
    QCOMPARE(enabled(kSignEntry), kSignEntry);
    QCOMPARE(chosen(), QStringLiteral("0 +, 0 -"));
    QVERIFY(button("Command23")->hasFocus());

    // Confirm Signs at once answers with no signs at all.
    const QString computerguess = label("Label8")->text();
    play().key(Qt::Key_Return, Qt::NoModifier);
    QCOMPARE(lines("Picture2"), QStringList{QStringLiteral(" ") + computerguess + QStringLiteral(" ")});
    QVERIFY(label("Label8")->text().isEmpty());
    QCOMPARE(enabled(kSignEntry), QStringList());
    QCOMPARE(chosen(), QString());
    QCOMPARE(label("Label10")->palette().color(QPalette::Window), kDisplayActive);
    QVERIFY(button("Command12")->isEnabled());
}

void Form1Test::repeatedGuessIsRefusedWithMessage()
{
    QVERIFY(startgame());
    const QString hidden = play().hidden();
    const QString guess = hidden == QStringLiteral("9876") ? QStringLiteral("9875") : QStringLiteral("9876");
    QVERIFY(play().guessthenwait(guess));
    play().answer(0, 0);
    play().guess(guess);
    auto *box = form_->findChild<MessageBox *>(QStringLiteral("repeated"));
    QVERIFY(box);
    QTRY_VERIFY(box->isVisible());
    QCOMPARE(appearance(box),
             QStringLiteral("Numora: You have tried that number before! (0 pictures, 1 buttons, modal)"));
    QCOMPARE(lines("Picture1").size(), 1);
    QCOMPARE(form_->driver().state().yourguesscount, 1);
    QCOMPARE(label("Label10")->text(), guess);
    QTest::mouseClick(box->okbutton(), Qt::LeftButton);
    QTRY_VERIFY(!form_->findChild<MessageBox *>(QStringLiteral("repeated")));
    QVERIFY(button("Command12")->isEnabled());
    QCOMPARE(label("Label10")->text(), guess);
}

void Form1Test::signKeypadChoosesOnePerRow()
{
    QVERIFY(startgame());
    QVERIFY(play().guessthenwait("1023"));
    play().click("Command16");                       // 2 +
    play().click("Command18");                       // 3 +
    QCOMPARE(chosen(), QStringLiteral("3 +, 0 -"));  // the minus row is left alone
    QCOMPARE(pixel(button("Command18"), {4, 4}), kSignChosen);
    play().click("Command15");  // 2 -
    QCOMPARE(chosen(), QStringLiteral("3 +, 2 -"));
    play().click("Command15");  // the chosen button again repaints the same
    QCOMPARE(chosen(), QStringLiteral("3 +, 2 -"));
}

void Form1Test::signCountersFromNumericKeypad()
{
    QVERIFY(startgame());
    QVERIFY(play().guessthenwait("1023"));
    // After each key, or a click where there is no key, the one count chosen in each row:
    // a fifth + keeps 4 +, "." goes back to 0 + and 0 -, and a mouse choice is overridden
    // by the counters at the next key press of its row only. Digits do nothing here.
    const std::tuple<Qt::Key, const char *, int, int> steps[] = {
        {Qt::Key_Plus, nullptr, 1, 0},  {Qt::Key_Plus, nullptr, 2, 0},   {Qt::Key_Plus, nullptr, 3, 0},
        {Qt::Key_Plus, nullptr, 4, 0},  {Qt::Key_Plus, nullptr, 4, 0},   {Qt::Key_Period, nullptr, 0, 0},
        {Qt::Key_Plus, nullptr, 1, 0},  {Qt::Key_Period, nullptr, 0, 0}, {Qt::Key_unknown, "Command18", 3, 0},
        {Qt::Key_Minus, nullptr, 3, 1}, {Qt::Key_Plus, nullptr, 1, 1},   {Qt::Key_5, nullptr, 1, 1}};
    for (const auto &[key, click, plus, minus] : steps) {
        if (click)
            play().click(click);
        else
            play().key(key);
        QCOMPARE(chosen(), QStringLiteral("%1 +, %2 -").arg(plus).arg(minus));
    }
    QVERIFY(label("Label10")->text().isEmpty());
    // Enter on Confirm Signs confirms 1 + 1 -.
    const QString guess = label("Label8")->text();
    button("Command23")->setFocus();
    play().key(Qt::Key_Enter);
    QCOMPARE(lines("Picture2"), QStringList{QStringLiteral(" ") + guess + QStringLiteral(" + -")});
}

void Form1Test::mouseChoiceSurvivesOtherKeys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Tab") << Qt::Key_Tab;      // moves the focus on; Confirm Signs is clicked then
    QTest::newRow("Enter") << Qt::Key_Enter;  // confirms, Confirm Signs having the focus
}

// A count chosen with the mouse after a "+" key stays chosen whatever key comes next:
// only "+", "-" and "." choose by the keys' counts.
void Form1Test::mouseChoiceSurvivesOtherKeys()
{
    QFETCH(Qt::Key, key);
    QVERIFY(startgame());
    for (Qt::Key k : {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_Enter})
        play().key(k);
    QVERIFY(play().reached(Phase::SignEntry));
    play().key(Qt::Key_Plus);
    QCOMPARE(chosen(), QStringLiteral("1 +, 0 -"));
    play().click("Command18");  // 3 +
    button("Command23")->setFocus();
    play().key(key);
    if (key == Qt::Key_Tab) {
        QCOMPARE(chosen(), QStringLiteral("3 +, 0 -"));
        QVERIFY(!button("Command23")->hasFocus());
        play().click("Command23");
    }
    QCOMPARE(form_->driver().state().mysigns[0], 30);
}

void Form1Test::impossibleAnswersAreRefused()
{
    QVERIFY(startgame());
    QVERIFY(play().guessthenwait("1023"));
    for (auto [plus, minus] : {std::pair{4, 1}, {3, 1}, {2, 3}, {1, 4}}) {
        play().answer(plus, minus);
        QVERIFY(lines("Picture2").isEmpty());
        QCOMPARE(chosen(), QStringLiteral("%1 +, %2 -").arg(plus).arg(minus));
        QVERIFY(button("Command23")->isEnabled());
    }
    play().answer(1, 3);  // accepted as 13
    QCOMPARE(form_->driver().state().mysigns[0], 13);
    QCOMPARE(lines("Picture2").size(), 1);
}

void Form1Test::enterPressesFocusedButtonOrConfirmNumber()
{
    QVERIFY(startgame());
    play().type("123");
    button("Command11")->setFocus();
    play().key(Qt::Key_Return, Qt::NoModifier);  // presses C, not Confirm Number
    QCOMPARE(label("Label10")->text(), QStringLiteral("12"));
    play().key(Qt::Key_Space, Qt::NoModifier);  // Space presses the focused button too
    QCOMPARE(label("Label10")->text(), QStringLiteral("1"));
    play().type("234");
    play().click("Command11");
    QCOMPARE(label("Label10")->text(), QStringLiteral("123"));
    play().type("4");
    form_->centralWidget()->setFocus();  // no button has the focus
    play().key(Qt::Key_Return, Qt::NoModifier);
    QCOMPARE(lines("Picture1").size(), 1);
}

void Form1Test::gameToALoss()
{
    // The player hides 5647 and never finds the computer's number.
    QVERIFY(startgame());
    const QString secret = QStringLiteral("5647");
    const QString hidden = play().hidden();
    QStringList guesses{"1023", "1032", "1203", "1230", "1302", "1320", "2013", "2031", "2103", "2130"};
    guesses.removeAll(hidden);
    QWidget *lost = nullptr;
    for (int turn = 0; turn < 10 && !lost; ++turn) {
        QVERIFY(play().guessthenwait(guesses[turn]));
        lost = openwindow("frmUlost");
        if (lost)
            break;  // the computer was left with one possible number
        play().answerhonestly(secret);
        lost = openwindow("frmUlost");
    }
    QVERIFY(lost);
    QCOMPARE(lost->windowTitle(), QStringLiteral(" You have lost! My number was : ") + hidden);
    QVERIFY(openwindows({"frmUwin", "Tvdraw"}).isEmpty());
    const QStringList computerrows = lines("Picture2");
    QVERIFY(!computerrows.isEmpty());
    for (const QString &row : computerrows)
        QVERIFY2(QRegularExpression(QStringLiteral("^ [1-9]\\d{3} \\+*( -)*$")).match(row).hasMatch(), qPrintable(row));
    QCOMPARE(enabled(kDigitEntry + kSignEntry), QStringList());  // both keypads locked while the end is on screen

    // YES (Enter) starts a fresh game with empty boards.
    QTest::keyClick(lost, Qt::Key_Return);
    QTRY_VERIFY(openwindows({"frmUlost"}).isEmpty());
    QCOMPARE(lines("Picture1") + lines("Picture2"), QStringList());
    QVERIFY(button("Command12")->isEnabled());
    QCOMPARE(form_->driver().state().yourguesscount, 0);
}

void Form1Test::gameToAWin()
{
    QVERIFY(startgame());
    const QString hidden = play().hidden();
    play().guess(hidden);
    QCOMPARE(lines("Picture1"), QStringList{QStringLiteral(" ") + hidden + QStringLiteral(" ++++")});
    QVERIFY(play().settled());
    // The computer's last chance misses: whatever it guessed, the player's number is
    // one that answers it with no signs.
    play().answer(0, 0);
    QWidget *won = openwindow("frmUwin");
    QVERIFY(won);
    QCOMPARE(lines("Picture2").size(), 1);
    QVERIFY(!button("Command23")->isEnabled());
    // The close box is neither YES nor NO: the game stays over until New.
    won->close();
    QTRY_VERIFY(openwindows({"frmUwin"}).isEmpty());
    QCOMPARE(lines("Picture2").size(), 1);
    QVERIFY(!button("Command12")->isEnabled());
    QVERIFY(startgame());
    QVERIFY(lines("Picture2").isEmpty());
    QVERIFY(button("Command12")->isEnabled());
}

void Form1Test::gameToADraw()
{
    QVERIFY(startgame());
    const QString hidden = play().hidden();
    QVERIFY(play().guessthenwait(hidden));
    play().answer(4, 0);  // the computer finds the player's number with its first guess
    QVERIFY(openwindow("Tvdraw"));
    QVERIFY(openwindows({"frmUwin", "frmUlost"}).isEmpty());
    QVERIFY(label("Label8")->text().isEmpty());
    QCOMPARE(lines("Picture2").size(), 1);
    QVERIFY(lines("Picture2")[0].endsWith(QStringLiteral(" ++++")));
}

void Form1Test::contradictionStartsANewGame()
{
    QVERIFY(startgame());
    const QString hidden = play().hidden();
    QStringList guesses{"1023", "4567", "8910", "2345", "6789"};
    guesses.removeAll(hidden);
    MessageBox *box = nullptr;
    for (int turn = 0; turn < 4 && !box; ++turn) {
        QVERIFY(play().guessthenwait(guesses[turn]));
        play().answer(0, 0);  // no digit of any guess is in the number: impossible before long
        QVERIFY(play().settled());
        box = qobject_cast<MessageBox *>(openwindow("badsigns"));
    }
    QVERIFY(box);
    // The message is application-modal: until OK the game menu cannot be reached.
    QCOMPARE(appearance(box), QStringLiteral("Numora: No valid number matches the information you gave!\r\nPlease be "
                                             "more careful next time. (0 pictures, 1 buttons, modal)"));
    QVERIFY(!button("Command12")->isEnabled());
    QVERIFY(!button("Command23")->isEnabled());
    QVERIFY(!choose(form_.get(), Qt::Key_G, Qt::Key_N));
    QCOMPARE(form_->driver().phase(), Phase::Contradiction);
    QTest::mouseClick(box->okbutton(), Qt::LeftButton);
    QTRY_VERIFY(openwindows({"badsigns"}).isEmpty());
    QCOMPARE(lines("Picture1") + lines("Picture2"), QStringList());
    QVERIFY(button("Command12")->isEnabled());
    QCOMPARE(form_->driver().phase(), Phase::NumberEntry);
    QVERIFY(startgame());  // the menu is back
}

void Form1Test::newGameDuringEachEntry()
{
    // New during the number entry, with digits typed.
    QVERIFY(startgame());
    play().type("98");
    QVERIFY(startgame());
    QVERIFY(label("Label10")->text().isEmpty());
    QCOMPARE(marked(), QString());

    // New while the computer thinks: the dropped game's guess never shows.
    play().guess("1023");
    QVERIFY(startgame());
    QVERIFY(queuedstepsdone());
    QCOMPARE(form_->driver().phase(), Phase::NumberEntry);
    QVERIFY(label("Label8")->text().isEmpty());
    QVERIFY(!button("Command23")->isEnabled());

    // New during the sign entry, with a sign chosen.
    QVERIFY(play().guessthenwait("1023"));
    play().click("Command18");
    QVERIFY(startgame());
    QVERIFY(label("Label8")->text().isEmpty());
    QVERIFY(lines("Picture1").isEmpty());
    QCOMPARE(enabled(kSignEntry), QStringList());
    QCOMPARE(chosen(), QString());
    QVERIFY(button("Command12")->isEnabled());
    QCOMPARE(label("Label10")->palette().color(QPalette::Window), kDisplayActive);
    // The same guess is accepted again in the new game.
    play().guess("1023");
    QCOMPARE(lines("Picture1").size(), 1);
}

void Form1Test::boardsKeepRowsAndTextFits()
{
    QVERIFY(startgame());
    QVERIFY(play().guessthenwait("9876"));
    play().answer(1, 3);
    // The widest row and the widest caption fit their controls in the window's fonts.
    const ProgressBoard *b = board("Picture2");
    const QFontMetrics boardfont(b->font());
    QVERIFY(boardfont.horizontalAdvance(QStringLiteral(" 9876 + - - -")) <= b->contentsRect().width());
    QVERIFY(boardfont.height() * 10 <= b->contentsRect().height());
    ColorButton *confirm = button("Command12");
    QVERIFY(QFontMetrics(confirm->font()).horizontalAdvance(confirm->text()) <= confirm->width() - 6);
    // The board paints its rows afresh from what it keeps, after being hidden and shown.
    auto inked = [&] {
        const QImage image = form_->findChild<QWidget *>(QStringLiteral("Picture2"))->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y).red() < 160 && image.pixelColor(x, y).blue() < 60;
        return count;
    };
    const int before = inked();
    QVERIFY(before > 20);
    form_->showMinimized();
    form_->showNormal();
    QCOMPARE(inked(), before);
}

void Form1Test::boardRowsHaveTheirFormat()
{
    // As a board prints a row, and as a screen reader is told it.
    const std::tuple<const char *, int, int, QString, QString> rows[] = {
        {"1234", 2, 1, QStringLiteral(" 1234 ++ -"), QStringLiteral("1234: 2 plus, 1 minus")},
        {"1234", 0, 0, QStringLiteral(" 1234 "), QStringLiteral("1234: no signs")},
        {"5678", 0, 2, QStringLiteral(" 5678  - -"), QStringLiteral("5678: 2 minus")},
        {"1023", 4, 0, QStringLiteral(" 1023 ++++"), QStringLiteral("1023: 4 plus")},
        {"9876", 1, 3, QStringLiteral(" 9876 + - - -"), QStringLiteral("9876: 1 plus, 3 minus")}};
    for (const auto &[guess, plus, minus, printed, spoken] : rows) {
        const AnsweredGuess row{digitsof(guess), plus, minus};
        QCOMPARE(boardrow(row), printed);
        QCOMPARE(spokenrow(row), spoken);
    }
}

void Form1Test::aboutAndHelpOpenOnceAndCloseWithTheGame()
{
    auto count = [](const char *name) { return openwindows({name}).size(); };
    const auto choosemenu = [this](Qt::Key menu) { choose(form_.get(), menu); };  // A: About, H: Help
    for (const Qt::Key menu : {Qt::Key_A, Qt::Key_H, Qt::Key_A, Qt::Key_H})
        choosemenu(menu);
    QCOMPARE(count("frmAbout"), 1);
    QCOMPARE(count("Form2"), 1);
    // They stay open across games and do not block the game.
    QVERIFY(startgame());
    QVERIFY(play().guessthenwait("1023"));
    QVERIFY(startgame());
    QCOMPARE(count("frmAbout"), 1);
    QCOMPARE(count("Form2"), 1);
    QVERIFY(button("Command12")->isEnabled());
    // Closed, About opens afresh on the next choice.
    QWidget *open = openwindow("frmAbout");
    QVERIFY(open);
    QTest::keyClick(open, Qt::Key_Escape);
    QTRY_COMPARE(count("frmAbout"), 0);
    choosemenu(Qt::Key_A);
    QCOMPARE(count("frmAbout"), 1);

    // Closing the game window closes every window of the program.
    QVERIFY(play().guessthenwait(play().hidden() == "1023" ? QStringLiteral("5678") : QStringLiteral("1023")));
    play().answer(4, 0);
    QCOMPARE(count("frmUlost"), 1);
    form_->close();
    QTRY_COMPARE(count("frmAbout") + count("Form2") + count("frmUlost"), 0);
}

NUMORA_QTEST_MAIN(Form1Test)

#include "form1_test.moc"

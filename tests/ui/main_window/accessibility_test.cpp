// SPDX-License-Identifier: MIT
// The game window as a screen reader reads it, through Qt's accessibility interfaces
// only: what the boards, displays and keypads say, and what is announced as it changes.
#include "tests/support/gamewindow.h"
#include "tests/support/qtmain.h"
#include "ui/dialogs/endwindows.h"
#include "ui/dialogs/form2.h"
#include "ui/dialogs/frmabout.h"
#include "ui/look/messagebox.h"
#include "ui/main_window/form1.h"

#include <QAccessible>
#include <QTest>

#include <optional>
#include <utility>

using namespace numora;
using namespace numora::testsupport;

namespace {

// News is heard as an announcement on Qt 6.8, named here by its words, and on Qt 6.4 as
// a notification that appears, named by them.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
constexpr QAccessible::Event kNews = QAccessible::Announcement;
#else
constexpr QAccessible::Event kNews = QAccessible::ObjectShow;
#endif

// What a screen reader was told: the event, its object's name, and the text it carried.
struct Heard {
    QAccessible::Event type;
    QString name;
    QString text;
};
QList<Heard> heard;

void listen(QAccessibleEvent *event)
{
    QAccessibleInterface *iface = event->accessibleInterface();
    Heard h{event->type(), iface ? iface->text(QAccessible::Name) : QString(), {}};
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement)
        h.name = static_cast<QAccessibleAnnouncementEvent *>(event)->message();
#endif
    if (event->type() == QAccessible::TextInserted)
        h.text = static_cast<QAccessibleTextInsertEvent *>(event)->textInserted();
    else if (event->type() == QAccessible::TextRemoved)
        h.text = static_cast<QAccessibleTextRemoveEvent *>(event)->textRemoved();
    else if (event->type() == QAccessible::TextUpdated)
        h.text = static_cast<QAccessibleTextUpdateEvent *>(event)->textInserted();
    else if (event->type() == QAccessible::ObjectCreated && iface)
        h.text = iface->text(QAccessible::Description);
    heard.append(h);
}

// Whether a screen reader heard it.
bool washeard(QAccessible::Event type, const QString &name, const QString &text)
{
    return std::ranges::any_of(heard,
                               [&](const Heard &h) { return h.type == type && h.name == name && h.text == text; });
}

// Where in what was heard the first event of `type` is whose object's name holds `words`;
// -1 where there is none.
qsizetype heardat(QAccessible::Event type, const QString &words)
{
    const auto it =
        std::ranges::find_if(heard, [&](const Heard &h) { return h.type == type && h.name.contains(words); });
    return it == heard.end() ? -1 : it - heard.begin();
}

QAccessibleInterface *of(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qFatal("no accessible interface for %s", qPrintable(object ? object->objectName() : QStringLiteral("null")));
    return iface;
}

QString textof(QAccessibleInterface *iface)
{
    QAccessibleTextInterface *text = iface->textInterface();
    return text ? text->text(0, text->characterCount()) : QStringLiteral("<no text>");
}

// The `t` texts of the children of `iface`; with a `role`, of those of that role only.
QStringList textsbelow(QAccessibleInterface *iface, QAccessible::Text t = QAccessible::Name,
                       std::optional<QAccessible::Role> role = QAccessible::StaticText)
{
    QStringList texts;
    for (int i = 0; i < iface->childCount(); ++i)
        if (!role || iface->child(i)->role() == *role)
            texts << iface->child(i)->text(t);
    return texts;
}

}  // namespace

class AccessibilityTest : public QObject, GameWindowTest {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { closeform(form_); }

    void oneTurnReadAndHeard();
    void rowNumbersAndOutlinesAreLeftOut();
    void windowsThatAppearAreRead();
    void tabNeverReachesALockedButton();
    void eachWindowSpeaksForItself();

private:
    template <typename T = QWidget> T *child(const char *name) const { return play().control<T>(name); }
    void press(const char *n) { of(child(n))->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); }
};

void AccessibilityTest::initTestCase()
{
    QAccessible::installUpdateHandler(listen);
    // Events reach the handler only where the platform has accessibility switched on,
    // as under X with QT_LINUX_ACCESSIBILITY_ALWAYS_ON and an AT-SPI bus
    // (tests/ui/main_window/accessibility_bus.sh runs it so).
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        QSKIP("needs an AT-SPI bus and QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1: run ctest -R ui.accessibility_bus");
    QTRY_VERIFY(QAccessible::isActive());  // the bridge turns it on once it reaches the bus
}

void AccessibilityTest::init()
{
    form_ = openform(20261207);
    QVERIFY(form_);
    heard.clear();
}

// A whole turn as a screen reader meets it: typed digits and their marks, the board
// rows and their spelling, the computer's guess and the chosen signs, each announced.
void AccessibilityTest::oneTurnReadAndHeard()
{
    QAccessibleInterface *mine = of(child("Label8")), *yours = of(child("Label10")), *status = of(child("Label6"));
    QCOMPARE(mine->text(QAccessible::Name), QStringLiteral("My guess is"));
    QCOMPARE(yours->text(QAccessible::Name), QStringLiteral("Your guess is"));
    QVERIFY(of(child("Command1"))->state().disabled);

    play().newgame();
    play().type(QStringLiteral("125"));
    QCOMPARE(textof(yours), QStringLiteral("125"));
    QVERIFY(washeard(QAccessible::TextInserted, QStringLiteral("Your guess is"), QStringLiteral("5")));
    press("Command11");  // "C", pressed as a screen reader does, takes back the 5
    QTRY_COMPARE(textof(yours), QStringLiteral("12"));
    QVERIFY(washeard(QAccessible::TextRemoved, QStringLiteral("Your guess is"), QStringLiteral("5")));
    play().type(QStringLiteral("34"));
    // Digits in use are checked, and say so; the others are not.
    const std::pair<const char *, bool> digits[] = {
        {"Command1", true}, {"Command4", true}, {"Command5", false}, {"Command10", false}};
    for (const auto &[button, checked] : digits) {
        QAccessibleInterface *b = of(child(button));
        QVERIFY2(b->state().checkable && b->state().checked == checked, button);
        QCOMPARE(b->text(QAccessible::Description), checked ? QStringLiteral("in use") : QString());
    }
    QVERIFY(washeard(QAccessible::StateChanged, QStringLiteral("4"), QString()));

    play().click("Command12");
    QVERIFY(play().reached(Phase::SignEntry));
    QAccessibleInterface *yourboard = of(child("Picture1")), *myboard = of(child("Picture2"));
    QCOMPARE(yourboard->text(QAccessible::Name), QStringLiteral("Your progress"));
    QCOMPARE(myboard->text(QAccessible::Name), QStringLiteral("My progress"));
    QCOMPARE(yourboard->role(), QAccessible::List);
    // The seeded game's number holds one of 1234's digits in place and two elsewhere.
    const QString row = QStringLiteral(" 1234 + - -"), spoken = QStringLiteral("1234: 1 plus, 2 minus");
    QCOMPARE(textsbelow(yourboard, QAccessible::Name, std::nullopt), QStringList{row});
    QCOMPARE(textsbelow(yourboard, QAccessible::Description, std::nullopt), QStringList{spoken});
    QVERIFY(washeard(QAccessible::ObjectCreated, row, spoken));

    // The computer's guess is read and announced; "0 +" and "0 -" are chosen.
    const QString guess = child<QLabel>("Label8")->text();
    QCOMPARE(guess.size(), 4);
    QCOMPARE(textof(mine), guess);
    QVERIFY(washeard(QAccessible::TextInserted, QStringLiteral("My guess is"), guess));
    // One notification tells both the answer to the player and the guess.
    QTRY_VERIFY(
        washeard(kNews, QStringLiteral("Your guess 1234: 1 plus, 2 minus. My guess is %1").arg(guess), QString()));
    for (const char *name : {"Command22", "Command21"})
        QVERIFY2(of(child(name))->state().checked, name);
    // One "+" and one "-", whatever the guess: the answer is spoken back as chosen.
    const int plus = 1, minus = 1;
    play().click(kPlus[plus]);
    play().click(kMinus[minus]);
    for (int count = 0; count <= 4; ++count) {
        QCOMPARE(of(child(kPlus[count]))->state().checked, count == plus);
        QCOMPARE(of(child(kMinus[count]))->state().checked, count == minus);
    }
    QCOMPARE(of(child(kPlus[plus]))->text(QAccessible::Description), QStringLiteral("chosen"));

    heard.clear();
    play().click("Command23");
    QCOMPARE(textsbelow(myboard, QAccessible::Description, std::nullopt),
             QStringList{QStringLiteral("%1: 1 plus, 1 minus").arg(guess)});
    QVERIFY(washeard(QAccessible::TextRemoved, QStringLiteral("My guess is"), guess));
    QVERIFY(washeard(QAccessible::ObjectCreated, myboard->child(0)->text(QAccessible::Name),
                     myboard->child(0)->text(QAccessible::Description)));

    // The second guess makes the computer think aloud.
    play().guess(QStringLiteral("5678"));
    QVERIFY(washeard(QAccessible::TextInserted, QStringLiteral("Thinking..."), QStringLiteral("Thinking...")));
    QVERIFY(play().reached(Phase::SignEntry));
    QCOMPARE(textof(status), QString());

    // A new game empties both boards for the reader too.
    play().newgame();
    QCOMPARE(yourboard->childCount(), 0);
    QCOMPARE(myboard->childCount(), 0);
}

void AccessibilityTest::rowNumbersAndOutlinesAreLeftOut()
{
    QAccessibleInterface *client = of(form_->centralWidget());
    QStringList names;
    for (int i = 0; i < client->childCount(); ++i) {
        QObject *o = client->child(i)->object();
        names << (o ? o->objectName() : QString());
        QCOMPARE(client->indexOfChild(client->child(i)), i);
    }
    for (const char *left : {"Label4", "Label5", "Shape3", "Shape5"})
        QVERIFY2(!names.contains(QLatin1String(left)), left);
    for (const char *kept : {"Picture1", "Picture2", "Label1", "Label2", "Frame1", "Command12"})
        QVERIFY2(names.contains(QLatin1String(kept)), kept);
}

// End windows, message boxes, About and Help are read as their text.
void AccessibilityTest::windowsThatAppearAreRead()
{
    // The player finds the computer's number at once; its last chance ends the game.
    play().newgame();
    const QString number = play().hidden();
    play().guess(number);
    QVERIFY(play().reached(Phase::SignEntry));
    const QString guess = child<QLabel>("Label8")->text();
    const auto [plus, minus] = signs(guess, QStringLiteral("1234"));
    heard.clear();
    play().answer(plus, minus);
    QWidget *end = openwindow(plus == 4 ? "Tvdraw" : "frmUwin");  // the one such window
    QVERIFY(end);
    // The answer is heard once the end window has the focus: after the window.
    const QString answer = QStringLiteral("My guess %1: ").arg(guess);
    QTRY_VERIFY(heardat(kNews, answer) >= 0);
    const qsizetype yes = heardat(QAccessible::Focus, QStringLiteral("YES"));
    QVERIFY2(yes >= 0 && yes < heardat(kNews, answer), "the answer came before the end window");
    QAccessibleInterface *window = of(end);
    QCOMPARE(window->role(), QAccessible::AlertMessage);  // read whole as it appears
    QCOMPARE(window->text(QAccessible::Name), end->windowTitle());
    QVERIFY(textsbelow(window).contains(plus == 4 ? QStringLiteral(" Not bad at all!")
                                                  : QStringLiteral("Congratulations!  Play again?")));

    const QString loss = QStringLiteral(" You have lost! My number was : 4096");
    frmUlost lost(loss);
    QCOMPARE(of(&lost)->text(QAccessible::Name), loss);
    QCOMPARE(textsbelow(of(&lost)), QStringList{QStringLiteral("Play again?")});

    look::MessageBox box(QStringLiteral("You have tried that number before!"));
    QCOMPARE(of(&box)->role(), QAccessible::AlertMessage);
    QVERIFY(textsbelow(of(&box)).contains(box.text()));  // its label says it, and nothing else
    QCOMPARE(of(&box)->text(QAccessible::Description), QString());

    frmAbout about;
    const std::pair<const char *, const char *> tips[] = {
        {"cmdOK", "Move your mouse on the picture!"},
        {"picIcon", "That was what I used to do before I began writing unnecessary programs!"}};
    for (const auto &[name, tip] : tips)
        QCOMPARE(of(about.findChild<QWidget *>(QLatin1String(name)))->text(QAccessible::Description),
                 QString::fromLatin1(tip));
    QVERIFY(textsbelow(of(&about)).contains(QStringLiteral("Tavrel 2.0 (the smarter version)")));

    Form2 help;
    QAccessibleInterface *page = of(help.findChild<HelpPage *>());
    QVERIFY(page->textInterface());
    const QString text = textof(page);
    for (const char *words : {"4536", "1023", "6241"})
        QVERIFY2(text.contains(QLatin1String(words)), words);
}

// Tab and Space alone play the game: Tab visits only what can be pressed.
void AccessibilityTest::tabNeverReachesALockedButton()
{
    auto tabround = [this] {
        for (int i = 0; i < 30; ++i) {
            QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : form_.get();
            QTest::keyClick(target, Qt::Key_Tab);
            if (QWidget *focused = QApplication::focusWidget())
                QVERIFY2(focused->isEnabled() && focused->isVisible(), qPrintable(focused->objectName()));
        }
    };
    tabround();
    play().newgame();
    tabround();
    play().guess(QStringLiteral("1234"));
    tabround();
    QVERIFY(play().reached(Phase::SignEntry));
    tabround();
}

// Each game window's news is its own and goes with it: a window left open when another
// closes speaks on, and so does one opened after.
void AccessibilityTest::eachWindowSpeaksForItself()
{
    const auto speaks = [](Form1 *form, const QString &digits) {
        WindowPlayer(form).newgame();
        WindowPlayer(form).type(digits);
        return QTest::qWaitFor([&] { return washeard(kNews, digits, {}); }, kPatience);
    };
    std::unique_ptr<Form1> other = openform(1);
    QVERIFY(other);
    form_.reset();
    QVERIFY(speaks(other.get(), QStringLiteral("12")));
    form_ = openform(2);
    QVERIFY(form_);
    QVERIFY(speaks(form_.get(), QStringLiteral("34")));
}

NUMORA_QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"

// SPDX-License-Identifier: MIT
// The game window's handlers, the driver's calls and what they did, the end windows; see form1.h.
#include "ui/main_window/form1.h"

#include "ui/dialogs/dialogsupport.h"
#include "ui/dialogs/endwindows.h"
#include "ui/dialogs/form2.h"
#include "ui/dialogs/frmabout.h"
#include "ui/look/announcer.h"
#include "ui/look/messagebox.h"
#include "ui/look/pictures.h"
#include "ui/main_window/form1_look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QTimer>

namespace numora {

namespace {

const QString kGuessTopic = QStringLiteral("guess");  // the player's guess, typed or answered

// Closes a window of an earlier turn or game without letting it call back into this
// window; it may be the very window whose signal is being handled, so it is deleted
// later, not now. Only this program's connections go: Qt's own, through which its
// accessibility learns that the window is gone, stay.
void closewindow(QWidget *window, QObject *receiver)
{
    if (!window)
        return;
    QObject::disconnect(window, nullptr, receiver, nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->close();
}

// The frames of the spinning top, in the order the resources number them, each with
// its drawing for scaled screens.
std::vector<QIcon> spinningtop()
{
    std::vector<QIcon> frames;
    const QDir icons(QStringLiteral(":/icons"), QStringLiteral("top_??.png"), QDir::Name);
    for (const QString &name : icons.entryList())
        frames.push_back(look::icon(icons.filePath(name)));
    return frames;
}

}  // namespace

Form1::Form1(std::optional<std::uint64_t> seed, QWidget *parent)
    : QMainWindow(parent), driver_(seed), spinner_(spinningtop())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Numora"));
    // A sizable border without a maximize box. KWin (KDE Plasma) offers to maximize every
    // resizable window all the same, on X11 and on Wayland: it ignores the Motif hints that
    // leave the box out, and no window type, size limit on one axis or property a program
    // may set takes it away; only a fixed size would.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowIcon(windowicon());  // until the first tick spins it

    installaccessible();
    buildlayout();
    buildmenu();
    connecthandlers();
    watchkeys();
    makeaccessible();

    // Sized for its client area below the menu bar, and centred on the screen.
    resize(look::px(3255), look::px(6015) + menuBar()->sizeHint().height());
    look::centre(*this);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    Timer1->start();

    form_load();  // the window loads idle
    showentry();
}

// The end windows, About and Help have no owner window; they go with the game.
Form1::~Form1()
{
    qDeleteAll(ownwindows());
}

QWidgetList Form1::ownwindows() const
{
    QWidgetList windows;
    for (QWidget *w : std::initializer_list<QWidget *>{endwindow_, badsignsbox_, aboutwindow_, helpwindow_})
        if (w)
            windows.append(w);
    return windows;
}

// --- The entries, as they stand ------------------------------------------------------

namespace {

// A key's colour and mark: `marked` as the entry stands. The mark is told as `told` says.
bool showkey(KeypadButton *key, bool marked, const QColor &plain, const QColor &marking,
             KeypadButton::Told told = KeypadButton::Told::Described)
{
    key->setcolor(marked ? marking : plain);
    return key->setmarked(marked, told);
}

}  // namespace

void Form1::showentry()
{
    for (int digit = 0; digit <= 9; ++digit) {
        digitbuttons_[digit]->setEnabled(digitinput());
        showkey(digitbuttons_[digit], entry.inuse(digit), kDigitPlain, kDigitInUse);
    }
    for (QPushButton *b : {Command11, Command12, Command24})
        b->setEnabled(digitinput());
    for (int count = 0; count <= 4; ++count) {
        plusbuttons_[count]->setEnabled(signinput());
        showkey(plusbuttons_[count], pluschosen(count), kSignPlain, kSignChosen);
        minusbuttons_[count]->setEnabled(signinput());
        showkey(minusbuttons_[count], minuschosen(count), kSignPlain, kSignChosen);
    }
    Command23->setEnabled(signinput());
    Label8->setbackground(signinput() ? kDisplayActive : kDisplayIdle);
    Label10->setbackground(digitinput() ? kDisplayActive : kDisplayIdle);
    Label10->settext(QString::fromStdString(entry.typed));
    if (focusnext_)
        focusnext_->setFocus(Qt::OtherFocusReason);
    focusnext_ = nullptr;
}

void Form1::showchoice()
{
    // A choice made while the focus is on no open control of this window is not the
    // player's at the keys: it is shown and described, not announced.
    const QWidget *focus = QApplication::focusWidget();
    const bool atkeys = focus && focus->isEnabled() && focus->window() == this;
    const auto told = atkeys ? KeypadButton::Told::Announced : KeypadButton::Told::Described;
    for (int count = 0; count <= 4; ++count)
        for (KeypadButton *key : {plusbuttons_[count], minusbuttons_[count]}) {
            const bool chosen = key == plusbuttons_[count] ? pluschosen(count) : minuschosen(count);
            if (showkey(key, chosen, kSignPlain, kSignChosen, chosen ? told : KeypadButton::Told::Described) &&
                chosen && atkeys && key->isEnabled())
                accessibility::announce(this, key->accessibleName() + QLatin1Char(' ') + key->markword());
        }
}

void Form1::form_load()
{
    entry = Entry{};
    Label8->settext({});
    Picture1->cleared();
    Picture2->cleared();
    // A new game starts with no message of the old game left.
    closewindow(endwindow_, this);
    closewindow(badsignsbox_, this);
    closewindow(repeatedbox_, this);
    show();
}

void Form1::wait2()
{
    entry.typed.clear();
    // A screen reader says where the player is: on the button that the digits lead to.
    accessibility::focuslater(Command12);
}

void Form1::wait()
{
    // The sign entry opens only now that the guess it answers is on screen, with "0 +"
    // and "0 -" chosen.
    resetanswer();
    focusnext_ = Command23;
}

void Form1::resetanswer()
{
    entry.pluscount = entry.minuscount = 0;
    pluskeys = minuskeys = 0;
}

void Form1::newgame()
{
    apply(driver_.startgame());
}

void Form1::exitgame()
{
    QApplication::closeAllWindows();
    QApplication::quit();
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    for (QWidget *w : ownwindows())
        w->close();
    QApplication::quit();
}

void Form1::Timer1_Timer()
{
    spinner_.show(*this, iconframe);
    iconframe = (iconframe + 1) % spinner_.framecount();
}

// --- What the driver did, and the end windows ---------------------------------------

void Form1::apply(const Happenings &happened)
{
    const Overloaded shows{
        [this](const GameStarted &) {
            form_load();
            Label6->settext({});
        },
        [this](const RowAdded &added) {
            if (added.side == Side::Player) {
                Picture1->rowadded();
                accessibility::announce(this, QStringLiteral("Your guess ") + spokenrow(added.row), kGuessTopic);
            } else {
                Picture2->rowadded();
                accessibility::announce(this, QStringLiteral("My guess ") + spokenrow(added.row));
            }
        },
        [this](const GuessShown &shown) {
            const QString text = QString::fromStdString(textform(shown.guess));
            Label8->settext(text);
            accessibility::announce(this, QStringLiteral("My guess is %1").arg(text));
        },
        [this](const GuessCleared &) { Label8->settext({}); },
        [this](const ThinkingBegun &) {
            // "Thinking..." is on screen before the computer thinks; no event is handled
            // until it is done, so the caption is painted here and now.
            Label6->settext(QStringLiteral("Thinking..."));
            Label6->repaint();
            look::flushwindowsystem();
        },
        [this](const ThinkingEnded &) { Label6->settext({}); },
        [this](const ComputerThinksNext &) {
            // The computer thinks once the events pending now are handled, as an event of its own.
            QTimer::singleShot(0, this, handled([this] { apply(driver_.makeguess()); }));
        },
        [this](const NumberEntryOpened &) { wait2(); },
        [this](const SignEntryOpened &) { wait(); },
        [](const Beeped &) { QApplication::beep(); },
        [this](const GameEnded &ended) {
            switch (ended.outcome) {
            case Outcome::Lost:
                showendwindow(new frmUlost(
                    QStringLiteral(" You have lost! My number was : %1").arg(QString::fromStdString(ended.mynumber))));
                return;
            case Outcome::Won:
                showendwindow(new frmUwin);
                return;
            case Outcome::Draw:
                showendwindow(new Tvdraw);
                return;
            }
        },
        [this](const AnswersContradict &) { showbadsigns(); },
    };
    for (const Happening &happening : happened)
        std::visit(shows, happening);
}

void Form1::showendwindow(EndWindow *window)
{
    // Nothing can be answered or guessed while the game's end is on screen: the window
    // is drawn locked before the end window appears.
    showentry();
    closewindow(endwindow_, this);
    endwindow_ = window;
    connect(window, &EndWindow::yes, this, handled([this] { apply(driver_.yes()); }));
    connect(window, &EndWindow::no, this, &Form1::exitgame);
    window->present();
}

void Form1::showbadsigns()
{
    showentry();
    closewindow(badsignsbox_, this);
    auto *box = new look::MessageBox(
        QStringLiteral("No valid number matches the information you gave!\r\nPlease be more careful next time."));
    box->setObjectName(QStringLiteral("badsigns"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Application-modal, as a message box is: nothing else, the menu included, can be
    // reached until OK, which starts a new game.
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &look::MessageBox::finished, this, handled([this] { apply(driver_.badsignsok()); }));
    badsignsbox_ = box;
    box->show();
}

namespace {

// One window of its kind at most: a second choice brings the open one to the front. A
// window closed a moment ago may still await its deletion; it is not the open one.
template <typename Window> void showsingle(QPointer<Window> &window)
{
    if (!window || !window->isVisible()) {
        window = new Window;
        window->present();
        return;
    }
    window->showNormal();
    window->raise();
    window->activateWindow();
}

}  // namespace

void Form1::showhelp()
{
    showsingle(helpwindow_);
}

void Form1::showabout()
{
    showsingle(aboutwindow_);
}

// --- Digit keypad and Confirm Number -------------------------------------------------

void Form1::digitbutton_click(int digit)
{
    if (!entry.type(digit))
        return;
    accessibility::announce(this, QString::fromStdString(entry.typed), kGuessTopic);
    focusnext_ = Command12;
}

void Form1::Command11_Click()
{
    if (const auto digit = entry.takeback())
        accessibility::announce(this, QStringLiteral("%1 removed, %2")
                                          .arg(QString::number(*digit), entry.typed.empty()
                                                                            ? QStringLiteral("empty")
                                                                            : QString::fromStdString(entry.typed)));
}

void Form1::Command24_Click()
{
    if (entry.typed.empty())
        return;
    entry.typed.clear();
    accessibility::announce(this, QStringLiteral("cleared"), kGuessTopic);
}

void Form1::Command12_Click()
{
    if (!digitinput())
        return;
    const NumberAnswer answer = driver_.confirmnumber(entry.typed);
    switch (answer.result) {
    case NumberResult::Incomplete:
    case NumberResult::Refused:
        return;
    case NumberResult::Repeated: {
        auto *box = new look::MessageBox(QStringLiteral("You have tried that number before!"), this);
        box->setObjectName(QStringLiteral("repeated"));
        box->setAttribute(Qt::WA_DeleteOnClose);
        repeatedbox_ = box;
        box->open();  // window-modal, without a nested event loop
        return;
    }
    case NumberResult::Accepted:
        break;
    }
    apply(answer.happened);
    // The sign entry opens when the computer's guess is shown (wait).
    entry.typed.clear();
}

// --- Sign keypad and Confirm Signs ---------------------------------------------------

void Form1::plusbutton_click(int count)
{
    entry.pluscount = count;
    showchoice();
}

void Form1::minusbutton_click(int count)
{
    entry.minuscount = count;
    showchoice();
}

void Form1::Command23_Click()
{
    // The answer opens the number entry, or shows the end.
    if (signinput())
        apply(driver_.confirmsigns(entry.pluscount, entry.minuscount).happened);
}

}  // namespace numora

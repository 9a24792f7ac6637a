// SPDX-License-Identifier: MIT
// The game window: both boards, both displays, the sign keypad and the digit keypad,
// the status line and the menu. Its handlers turn clicks and keys into changes of the
// entry and into the driver's operations, and hand what the driver did to apply(); once
// an event is handled, showentry() draws the window from the phase and the entry.
//   form1.cpp             the driver's calls and what they did, the entries and their handlers, the end windows
//   form1_layout.cpp      controls, their places, fonts and colours, the menu, the handlers' wiring
//   form1_keys.cpp        the keyboard
//   form1_accessible.cpp  the window as a screen reader meets it: names, buddies, the board keys
#pragma once

#include "engine/driver.h"
#include "engine/entry.h"
#include "ui/look/widgets.h"
#include "ui/look/x11.h"
#include "ui/main_window/boards.h"
#include "ui/main_window/keypad.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <optional>

class QAction;
class QMenu;
class QTimer;

namespace numora {

class EndWindow;
class frmAbout;
class Form2;

namespace look {
class MessageBox;
}

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(std::optional<std::uint64_t> seed = std::nullopt, QWidget *parent = nullptr);
    ~Form1() override;

    const Driver &driver() const { return driver_; }
    int iconframeindex() const { return iconframe; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // Opens the number entry (virtual: a test notes the stack depth at which games open it).
    virtual void wait2();

private:
    // The open entry is the driver's phase; these read it.
    bool digitinput() const { return driver_.phase() == Phase::NumberEntry; }
    bool signinput() const { return driver_.phase() == Phase::SignEntry; }
    // The keypads' marks, which their colours and screen readers show: the digits of the
    // typed guess, and the chosen counts while an answer is being given.
    bool pluschosen(int count) const { return signinput() && entry.pluscount == count; }
    bool minuschosen(int count) const { return signinput() && entry.minuscount == count; }

    static void installaccessible();  // form1_accessible.cpp: before the controls are built
    void buildlayout();               // form1_layout.cpp
    void buildmenu();
    void connecthandlers();
    // `handler` as a handler of an event: the window is drawn once it is done.
    template <typename Handler> auto handled(Handler handler)
    {
        return [this, handler] {
            handler();
            showentry();
        };
    }
    void makeaccessible();  // form1_accessible.cpp
    void readboard(ProgressBoard *board);

    // Shows what the driver did, in its order: the one place where board rows are added,
    // "Thinking..." is painted, the ends are shown and the screen reader is told of the
    // game; when the computer thinks next, it has the driver's turn made after this event.
    void apply(const Happenings &happened);
    void form_load();    // empty displays and boards, both keypads locked, no end window open
    void wait();         // opens the sign entry for the guess shown in Label8
    void resetanswer();  // "0 +" and "0 -" chosen, and no sign key pressed yet
    // Keypads, colours, marks and the typed guess as the entry and phase stand, and the
    // focus where the last handler asked for it.
    void showentry();
    // Marks the sign keys as chosen; the player chose, so a new choice is announced.
    void showchoice();
    void newgame();
    void exitgame();
    void Timer1_Timer();

    void digitbutton_click(int digit);
    void Command11_Click();  // "C"
    void Command24_Click();  // "CA"
    void Command12_Click();  // "Confirm Number"
    void plusbutton_click(int count);
    void minusbutton_click(int count);
    void Command23_Click();  // "Confirm Signs"
    void watchkeys();        // form1_keys.cpp
    void Form_KeyDown(const QKeyEvent &key);
    void pressenter();

    QWidgetList ownwindows() const;  // the end windows, About and Help
    void showendwindow(EndWindow *window);
    void showbadsigns();
    void showhelp();
    void showabout();

    Driver driver_;
    Entry entry;

    std::array<KeypadButton *, 10> digitbuttons_{};  // by digit: "0" is Command10, "1" Command1 ...
    look::ColorButton *Command11 = nullptr;          // "C": takes back the last digit
    look::ColorButton *Command12 = nullptr;          // "Confirm Number", the default button
    look::ColorButton *Command24 = nullptr;          // "CA": clears the guess
    std::array<KeypadButton *, 5> plusbuttons_{};    // "0 +" .. "4 +" by count
    std::array<KeypadButton *, 5> minusbuttons_{};   // "0 -" .. "4 -" by count
    look::ColorButton *Command23 = nullptr;          // "Confirm Signs"
    look::CaptionFrame *Frame1 = nullptr;            // "My guess is"
    look::CaptionFrame *Frame2 = nullptr;            // "Your guess is"
    look::Display *Label8 = nullptr;                 // the computer's current guess
    look::Display *Label10 = nullptr;                // the player's guess being typed
    Outline *Shape3 = nullptr;                       // around the computer's board
    Outline *Shape5 = nullptr;                       // around the player's board
    RowNumbers *Label4 = nullptr;                    // row numbers of Picture2
    RowNumbers *Label5 = nullptr;                    // row numbers of Picture1
    ProgressBoard *Picture2 = nullptr;               // the computer's guesses with the player's answers
    ProgressBoard *Picture1 = nullptr;               // the player's guesses with the computer's answers
    QLabel *Label2 = nullptr;                        // "My progress"
    QLabel *Label1 = nullptr;                        // "Your progress"
    look::ReadLabel *Label6 = nullptr;               // status line
    QTimer *Timer1 = nullptr;                        // spins the window icon
    look::IconAnimation spinner_;                    // the icon's frames, shown one a tick

    QMenu *game = nullptr;
    QAction *newgame_ = nullptr, *exitgame_ = nullptr, *help = nullptr, *about = nullptr;

    int iconframe = 0;  // the icon frame of the next tick
    // "+" and "-" keys pressed since the answer began; the keyboard chooses the counts by them.
    int pluskeys = 0, minuskeys = 0;
    QPointer<QWidget> focusnext_;  // where the focus goes once the window is drawn

    QPointer<EndWindow> endwindow_;
    QPointer<look::MessageBox> badsignsbox_;
    QPointer<look::MessageBox> repeatedbox_;
    QPointer<frmAbout> aboutwindow_;
    QPointer<Form2> helpwindow_;
};

}  // namespace numora

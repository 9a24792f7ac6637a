// SPDX-License-Identifier: MIT
// The game window: both boards, both displays, the sign keypad and the digit keypad,
// the status line and the menu. Its handlers turn clicks and keys into the driver's
// operations; the driver calls back through GameWindow to open entries and show ends.
#pragma once

#include "boards.h"
#include "driver.h"
#include "look.h"

#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <optional>

class QAction;
class QMenu;
class QMessageBox;

namespace numora {

class EndWindow;
class frmAbout;
class Form2;

class Form1 : public QMainWindow, public GameWindow {
    Q_OBJECT
public:
    explicit Form1(std::optional<std::uint64_t> seed = std::nullopt, QWidget *parent = nullptr);
    ~Form1() override;

    const Driver &driver() const { return driver_; }
    int iconframeindex() const { return iconframe; }

    // GameWindow
    void form_load() override;
    void setthinking(bool thinking) override;
    void setlabel8(std::optional<Digits> guess) override;
    void addrow(Board board, const AnsweredGuess &row) override;
    void wait2() override;
    void wait() override;
    void afterpump(std::function<void()> step) override;
    void beep() override;
    void showend(Outcome outcome) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildlayout();
    void buildmenu();
    void connecthandlers();
    void makeaccessible(const QColor &inuse, const QColor &chosen);  // form1_accessible.cpp
    void displayschanged();  // tells screen readers what the displays now show
    look::ColorButton *makebutton(const char *name, const QString &caption, int left, int top, int width,
                                  int height, const QColor &color, const QFont &font);

    void keylock();
    void lockkeypads();
    void newgame();
    void exitgame();
    void Timer1_Timer();
    void Form_KeyDown(const QKeyEvent &key);
    void pressenter();

    void digitbutton_click(int number);  // Command1_Click .. Command10_Click
    void displaybutton();
    void Command11_Click();  // "C"
    void recolorbutton();
    void Command24_Click();  // "CA"
    void initiatebuttons();
    void Command12_Click();  // "Confirm Number"
    void plusbutton_click(int count);   // "0 +" .. "4 +"
    void minusbutton_click(int count);  // "0 -" .. "4 -"
    void paintmeonly();
    void paintmeonly2();
    void paintsignsplain();
    void Command23_Click();  // "Confirm Signs"
    void setlabel6(const QString &caption);
    void showlost();
    void showwon();
    void showdraw();
    void showbadsigns();
    void showendwindow(EndWindow *window);
    void showhelp();
    void showabout();

    Driver driver_;

    look::ColorButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7, *Command8,
        *Command9, *Command10;   // the digit keypad, Command10 is "0"
    look::ColorButton *Command11;  // "C": takes back the last digit
    look::ColorButton *Command12;  // "Confirm Number", the default button
    look::ColorButton *Command13, *Command16, *Command18, *Command20, *Command22;  // "1 +" "2 +" "3 +" "4 +" "0 +"
    look::ColorButton *Command14, *Command15, *Command17, *Command19, *Command21;  // "1 -" "2 -" "3 -" "4 -" "0 -"
    look::ColorButton *Command23;  // "Confirm Signs"
    look::ColorButton *Command24;  // "CA": clears the guess
    look::CaptionFrame *Frame1;    // "My guess is"
    look::CaptionFrame *Frame2;    // "Your guess is"
    QLabel *Label8;                // the computer's current guess
    QLabel *Label10;               // the player's guess being typed
    Outline *Shape3;               // around the computer's board
    Outline *Shape5;               // around the player's board
    RowNumbers *Label4;            // row numbers of Picture2
    RowNumbers *Label5;            // row numbers of Picture1
    ProgressBoard *Picture2;       // the computer's guesses with the player's answers
    ProgressBoard *Picture1;       // the player's guesses with the computer's answers
    QLabel *Label2;                // "My progress"
    QLabel *Label1;                // "Your progress"
    QLabel *Label6;                // status line
    QTimer *Timer1;                // spins the window icon
    std::array<QIcon, 18> Image1;  // the icon's frames
    std::optional<look::IconAnimation> spinner_;  // shows them

    QMenu *game;
    QAction *newgame_, *exitgame_, *help, *about;

    std::array<look::ColorButton *, 11> digitbuttons_{};  // by button number 1 .. 10
    std::array<look::ColorButton *, 5> plusbuttons_{};    // by count 0 .. 4
    std::array<look::ColorButton *, 5> minusbuttons_{};   // by count 0 .. 4

    bool digitinput = false;  // the number entry is open
    bool signinput = false;   // the sign entry is open
    int pluscount = 0, minuscount = 0;
    QString presseddigit, guesstext;
    int digitok = 0;
    int pluskeys = 0, minuskeys = 0;
    int iconframe = 0;  // the icon frame of the next tick

    QPointer<EndWindow> endwindow_;
    QPointer<QMessageBox> badsignsbox_;
    QPointer<QMessageBox> repeatedbox_;
    QPointer<frmAbout> aboutwindow_;
    QPointer<Form2> helpwindow_;
};

}  // namespace numora

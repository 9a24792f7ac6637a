// SPDX-License-Identifier: MIT
// The three windows that announce the end of a game and offer another one.
//   auto *w = new frmUlost(QStringLiteral(" You have lost! My number was : 4096"));
//   connect(w, &EndWindow::yes, ...); connect(w, &EndWindow::no, ...); w->present(); beep
#pragma once

#include "ui/look/widgets.h"

#include <QPoint>

class QLabel;

namespace numora {

// What the end windows share: YES (`Command1`) is the default button and has the focus,
// NO (`Command2`) is the other; Esc does nothing and the close box answers neither.
// Each window has no parent, is not modal and deletes itself when it closes. A screen
// reader reads it whole as it appears, as an alert.
class EndWindow : public look::Alert {
    Q_OBJECT
public:
    // Puts the client area's top-left at the window's own screen position (moved onto
    // the screen if it does not fit there), shows the window and activates it.
    void present();

signals:
    void yes();  // emitted before the window closes
    void no();   // the program is to end

protected:
    EndWindow(const QString &caption, int clientwidth, int clientheight, int left, int top, bool sizable);

    // A red 15 pt bold label; `rect` in twips.
    QLabel *addlabel(const char *name, const QString &text, const QRect &rect);
    // A borderless black picture box sized to its 32 by 32 picture; position in twips.
    QLabel *addpicture(const char *name, const QString &resource, int left, int top);
    // YES and NO, both in `color`, in the tab order YES then NO; rects in twips.
    void addbuttons(const QRect &yesrect, const QRect &norect, const QColor &color, const QFont &font);

    void keyPressEvent(QKeyEvent *event) override;

    look::ColorButton *Command1 = nullptr;  // YES: another game
    look::ColorButton *Command2 = nullptr;  // NO: end the program

private:
    void answer(bool playagain);

    QPoint at_;
};

// The computer found the player's number first. The game window passes the whole
// caption, which names the computer's number.
class frmUlost : public EndWindow {
    Q_OBJECT
public:
    explicit frmUlost(const QString &caption = QStringLiteral(" You have lost!"));

private:
    QLabel *Label1;    // "Play again?"
    QLabel *Picture1;  // the wheelchair
};

// The player has won.
class frmUwin : public EndWindow {
    Q_OBJECT
public:
    frmUwin();

private:
    QLabel *Label1;    // "Congratulations!  Play again?" on two lines
    QLabel *Picture2;  // the old man's head
};

// Both sides found the other's number with as many guesses. Unlike the other two it is
// a sizable window with a task bar button.
class Tvdraw : public EndWindow {
    Q_OBJECT
public:
    Tvdraw();

private:
    QLabel *Label1;    // " Not bad at all!"
    QLabel *Label2;    // " Play again?"
    QLabel *Picture1;  // the handshake
};

}  // namespace numora

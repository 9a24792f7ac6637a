// SPDX-License-Identifier: MIT
// The keyboard: the numeric keypad works both keypads, and so do the digits, "+", "-"
// and "." of the main keyboard row, with Backspace as "C", for keyboards without a
// numeric keypad and for screen readers, which take the numeric keypad for their own.
#include "ui/main_window/form1.h"

#include <QApplication>
#include <QKeyEvent>

#include <cstdint>

namespace numora {

namespace {

enum class KeyAction : std::uint8_t { None, Digit, Point, Backspace, Plus, Minus };

struct MappedKey {
    KeyAction action = KeyAction::None;
    int digit = 0;
};

// Shift, Ctrl and Alt held down change nothing: "+" is a shifted key on many layouts.
MappedKey mapkey(const QKeyEvent &key)
{
    const int code = key.key();
    if (code >= Qt::Key_0 && code <= Qt::Key_9)
        return {KeyAction::Digit, code - Qt::Key_0};
    switch (code) {
    case Qt::Key_Plus:
        return {KeyAction::Plus};
    case Qt::Key_Minus:
        return {KeyAction::Minus};
    case Qt::Key_Period:
        return {KeyAction::Point};
    case Qt::Key_Comma:  // the keypad's decimal point on some layouts
        return {key.modifiers() & Qt::KeypadModifier ? KeyAction::Point : KeyAction::None};
    case Qt::Key_Backspace:
        return {KeyAction::Backspace};
    default:
        return {};
    }
}

bool ismodifier(int code)
{
    switch (code) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

}  // namespace

// The window sees each key before the control that has the focus (its key preview): it
// watches its own widgets, and takes a key once, at the widget where it starts.
void Form1::watchkeys()
{
    installEventFilter(this);
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    QWidget *focused = QApplication::focusWidget();
    const bool focusedhere = focused && focused->window() == this;
    if (watched != (focusedhere ? static_cast<QObject *>(focused) : this))
        return false;
    const auto &key = static_cast<const QKeyEvent &>(*event);
    Form_KeyDown(key);
    showentry();
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        pressenter();
        return true;
    }
    return false;  // the focused control sees the key too
}

// Enter presses the focused button, or Confirm Number when no button has the focus.
void Form1::pressenter()
{
    auto *focused = qobject_cast<QPushButton *>(QApplication::focusWidget());
    if (focused && focused->window() == this && focused->isEnabled())
        focused->click();
    else if (Command12->isEnabled())
        Command12->click();
}

void Form1::Form_KeyDown(const QKeyEvent &key)
{
    if (ismodifier(key.key()))
        return;  // holding a modifier down chooses nothing
    const MappedKey mapped = mapkey(key);
    if (digitinput()) {
        if (mapped.action == KeyAction::Digit)
            digitbutton_click(mapped.digit);
        else if (mapped.action == KeyAction::Point || mapped.action == KeyAction::Backspace)
            Command11_Click();
        return;
    }
    // In the answer only "+", "-" and "." choose: they choose by the counts of "+" and "-"
    // pressed since the answer opened or since the last ".". Any other key (Tab, Enter,
    // an arrow, a digit) leaves the counts as the player chose them, with the mouse too.
    const bool chooses =
        mapped.action == KeyAction::Plus || mapped.action == KeyAction::Minus || mapped.action == KeyAction::Point;
    if (!signinput() || !chooses)
        return;
    if (mapped.action == KeyAction::Point)
        resetanswer();
    pluskeys += mapped.action == KeyAction::Plus;
    minuskeys += mapped.action == KeyAction::Minus;
    if (pluskeys >= 1 && pluskeys <= 4)
        entry.pluscount = pluskeys;
    if (minuskeys >= 1 && minuskeys <= 4)
        entry.minuscount = minuskeys;
    showchoice();
}

}  // namespace numora

// SPDX-License-Identifier: MIT
// The game window as the window tests and probes meet it: opened with a seed, closed
// with every window it left, its digit buttons by digit, the numbers to play, a player
// who clicks its keypads and reads its controls, and what a window test holds of it.
#pragma once

#include "tests/support/play.h"
#include "tests/support/windows.h"
#include "ui/look/widgets.h"
#include "ui/main_window/form1.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <cstdint>
#include <initializer_list>
#include <memory>

namespace numora::testsupport {

// The objectName of the button that types `digit`: "Command1" to "Command9", and
// "Command10" for 0.
inline QString digitbutton(int digit)
{
    return QStringLiteral("Command%1").arg(digit == 0 ? 10 : digit);
}
inline QString digitbutton(QChar digit)
{
    return digitbutton(digit.digitValue());
}

// Every admissible number, 1023 to 9876, worked out from the rule, not from the engine.
inline QStringList admissiblenumbers()
{
    QStringList numbers;
    for (int n = 1023; n <= 9876; ++n) {
        const QString text = QString::number(n);
        if (QSet<QChar>(text.begin(), text.end()).size() == 4)
            numbers << text;
    }
    return numbers;
}

// A seeded game window on screen and active; null where it never became exposed.
inline std::unique_ptr<Form1> openform(std::uint64_t seed)
{
    auto form = std::make_unique<Form1>(seed);
    form->show();
    QApplication::setActiveWindow(form.get());
    return QTest::qWaitForWindowExposed(form.get(), kPatience) ? std::move(form) : nullptr;
}

// Plays the game window with the mouse, as a player does: a button by its objectName, a
// number on the digit keypad and Confirm Number, an answer on the sign keypad and Confirm
// Signs. Each click says whether its button was enabled (a disabled one takes no click);
// a name the window does not have is a fault of the test itself, and ends it.
class WindowPlayer {
public:
    explicit WindowPlayer(Form1 *form) : form_(form) {}

    template <typename Control = QPushButton> Control *control(const QString &name) const
    {
        auto *c = form_->findChild<Control *>(name);
        if (!c)
            qFatal("the window has no %s named %s", Control::staticMetaObject.className(), qPrintable(name));
        return c;
    }
    QPushButton *button(const QString &name) const { return control(name); }
    QLabel *label(const QString &name) const { return control<QLabel>(name); }
    // The computer's number in the game being played.
    QString hidden() const { return QString::fromStdString(form_->driver().state().mynumber); }
    // Game > New, as the menu's action.
    void newgame() const { control<QAction>(QStringLiteral("newgame"))->trigger(); }
    // Waits until the driver is in `phase`, or until it no longer thinks.
    [[nodiscard]] bool reached(Phase p) const
    {
        return QTest::qWaitFor([=, this] { return form_->driver().phase() == p; }, kPatience);
    }
    [[nodiscard]] bool settled() const
    {
        return QTest::qWaitFor([this] { return form_->driver().phase() != Phase::Thinking; }, kPatience);
    }
    // A number guessed, and the computer's answer and guess waited for.
    [[nodiscard]] bool guessthenwait(const QString &number) const
    {
        guess(number);
        return settled();
    }
    // Every click is made, even after a disabled button; true when all were enabled.
    bool click(std::initializer_list<QString> names) const
    {
        bool enabled = true;
        for (const QString &name : names) {
            QPushButton *b = button(name);
            enabled = b->isEnabled() && enabled;
            QTest::mouseClick(b, Qt::LeftButton);
        }
        return enabled;
    }
    bool click(const QString &name) const { return click({name}); }
    bool type(const QString &digits) const
    {
        bool enabled = true;
        for (QChar d : digits)
            enabled = click(digitbutton(d)) && enabled;
        return enabled;
    }
    bool guess(const QString &number) const
    {
        const bool typed = type(number);
        return click(QStringLiteral("Command12")) && typed;
    }
    bool answer(int plus, int minus) const { return click({kPlus[plus], kMinus[minus], "Command23"}); }
    // The honest answer to the computer's guess on display, for the player's `secret`.
    bool answerhonestly(const QString &secret) const
    {
        const auto [plus, minus] = signs(label(QStringLiteral("Label8"))->text(), secret);
        return answer(plus, minus);
    }
    // A key pressed where the game window's focus is: the focused control, else the window.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::KeypadModifier) const
    {
        QWidget *target = QApplication::focusWidget();
        if (!target || target->window() != form_)
            target = form_;
        QTest::keyClick(target, k, modifiers);
    }

private:
    Form1 *form_;
};

// What a window test holds beside its QObject: the game window it opened, its player,
// and its keypad buttons with the colour they show.
class GameWindowTest {
protected:
    WindowPlayer play() const { return WindowPlayer(form_.get()); }
    look::ColorButton *button(const QString &name) const { return play().control<look::ColorButton>(name); }

    std::unique_ptr<Form1> form_;
};

// Closes the game window and every window it left open.
inline void closeform(std::unique_ptr<Form1> &form)
{
    form.reset();
    for (QWidget *w : QApplication::topLevelWidgets())
        w->deleteLater();
    QCoreApplication::processEvents();
}

}  // namespace numora::testsupport

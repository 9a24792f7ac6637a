// SPDX-License-Identifier: MIT
// The game window as the window tests and probes meet it: opened with a seed, closed
// with every window it left, its digit buttons by digit, and the numbers to play.
#pragma once

#include "form1.h"

#include <QApplication>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <cstdint>
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
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}

// Closes the game window and every window it left open.
inline void closeform(std::unique_ptr<Form1> &form)
{
    form.reset();
    for (QWidget *w : QApplication::topLevelWidgets())
        w->deleteLater();
    QCoreApplication::processEvents();
}

}  // namespace numora::testsupport

// SPDX-License-Identifier: MIT
// The game's windows as the player meets them: the sign buttons by count, the windows
// on screen, and the menu bar worked by its access keys.
#pragma once

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <initializer_list>
#include <memory>

namespace numora::testsupport {

// How long a test waits for a window or a state it polls for: long enough that only a
// fault, never a busy machine, runs it out.
inline constexpr int kPatience = 60000;  // milliseconds

// The main window's "+" and "-" buttons, by the count they stand for.
inline constexpr const char *kPlus[] = {"Command22", "Command13", "Command16", "Command18", "Command20"};
inline constexpr const char *kMinus[] = {"Command21", "Command14", "Command15", "Command17", "Command19"};

// Top-level windows on screen named one of `names`.
inline QWidgetList openwindows(std::initializer_list<const char *> names)
{
    QWidgetList open;
    for (QWidget *w : QApplication::topLevelWidgets())
        for (const char *name : names)
            if (w->objectName() == QLatin1String(name) && w->isVisible())
                open << w;
    return open;
}

// The one window on screen named `name`: null where there is none, or several.
inline QWidget *openwindow(const char *name)
{
    const QWidgetList open = openwindows({name});
    return open.size() == 1 ? open.front() : nullptr;
}

// The windows that end a game: lost, won, a draw, the contradiction message.
inline QWidgetList openendwindows()
{
    return openwindows({"frmUlost", "frmUwin", "Tvdraw", "badsigns"});
}

// True once every step queued before the call has run: a step queued now runs after
// them. Where a step must never run, its effect is then checked: it would be there.
[[nodiscard]] inline bool queuedstepsdone()
{
    auto done = std::make_shared<bool>(false);
    QTimer::singleShot(0, qApp, [done] { *done = true; });
    return QTest::qWaitFor([done] { return *done; }, kPatience);
}

// Alt+`menu`, then `item` in the menu that drops down, as a player types them once the
// window is brought to the front: through the window system, so that a modal window
// keeps them from the menu bar. False when no menu dropped down.
inline bool choose(QWidget *window, Qt::Key menu, Qt::Key item = Qt::Key_unknown)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window, kPatience))
        return false;
    QTest::keyClick(window->windowHandle(), menu, Qt::AltModifier);
    auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (popup && item != Qt::Key_unknown)
        QTest::keyClick(popup->windowHandle(), item);
    return popup != nullptr;
}

}  // namespace numora::testsupport

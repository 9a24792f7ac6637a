// SPDX-License-Identifier: MIT
// Which of Qt's window systems the game asks for; see windowsystem.h.
#include "ui/windowsystem.h"

#include "ui/look/x11.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace numora {

namespace {

// Whether a list of desktops such as "ubuntu:GNOME" names `desktop` (in lower case):
// GNOME Classic and GNOME Flashback name GNOME too.
bool names(std::string desktops, std::string_view desktop)
{
    std::ranges::transform(desktops, desktops.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return desktops.find(desktop) != std::string::npos;
}

std::string variable(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

std::string platformfor(const Session &session)
{
    // A platform the player named is theirs to keep.
    if (!session.qtplatform.empty())
        return {};
    const bool wayland = !session.waylanddisplay.empty() || session.sessiontype == "wayland";
    if (!wayland || session.display.empty())
        return {};
    // GNOME's compositor neither places the windows of a Wayland client nor draws their
    // frames: Qt would draw title bars of its own, with a maximize box on every window,
    // and the compositor would put the game window and the end windows wherever it likes.
    // Through Xwayland GNOME frames them itself, with the boxes each window asks for,
    // and lets them keep their places, centred or fixed. Qt 5 made the same choice under
    // GNOME. KDE Plasma's KWin frames a Wayland client, but places its end windows where
    // it likes, keeps them in the task bar, and shows the installed icon, which does not
    // spin; through Xwayland it keeps all three as the windows ask. Other compositors
    // (weston) keep the native client. Should the X server not answer, Qt falls back to
    // Wayland.
    for (const std::string_view desktop : {"gnome", "kde"})
        if (names(session.currentdesktop, desktop) || names(session.sessiondesktop, desktop))
            return "xcb;wayland";
    return {};
}

void choosewindowsystem()
{
    const std::string platform =
        platformfor({variable("QT_QPA_PLATFORM"), variable("DISPLAY"), variable("WAYLAND_DISPLAY"),
                     variable("XDG_SESSION_TYPE"), variable("XDG_CURRENT_DESKTOP"), variable("XDG_SESSION_DESKTOP")});
    if (!platform.empty())
        setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
}

void namedesktopentry()
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        QGuiApplication::setDesktopFileName(QStringLiteral("numora"));
    else
        look::keepwindowicons();
}

}  // namespace numora

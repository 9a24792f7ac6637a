// SPDX-License-Identifier: MIT
// Which of Qt's window systems the game asks for before the application exists, and what
// it tells the one it got.
#pragma once

#include <string>

namespace numora {

// What a desktop session tells its programs about itself: the environment variables of
// the same names, empty where unset.
struct Session {
    std::string qtplatform;      // QT_QPA_PLATFORM
    std::string display;         // DISPLAY
    std::string waylanddisplay;  // WAYLAND_DISPLAY
    std::string sessiontype;     // XDG_SESSION_TYPE
    std::string currentdesktop;  // XDG_CURRENT_DESKTOP
    std::string sessiondesktop;  // XDG_SESSION_DESKTOP
};

// The Qt platform list to ask for in `session`, or empty to leave the choice to Qt.
std::string platformfor(const Session &session);

// Reads the session from the environment and, where platformfor() names a platform,
// sets QT_QPA_PLATFORM to it. Call before the application object exists.
void choosewindowsystem();

// Names the desktop entry the game is installed with (packaging/numora.desktop) to a
// Wayland compositor, which shows the entry's icon on the game's windows. On X11 the
// windows name none, and KWin shows their own icons, the spinning top among them. Call
// once the application object exists, before the first window.
void namedesktopentry();

}  // namespace numora

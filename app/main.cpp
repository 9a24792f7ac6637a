// SPDX-License-Identifier: MIT
#include "ui/look/style.h"
#include "ui/main_window/form1.h"
#include "ui/windowsystem.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a window system Qt would end with its advice to reinstall the program, which
// sends a player the wrong way. A platform named in the environment is Qt's to judge.
bool hasdisplay()
{
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int, char *argv[])
{
    if (!hasdisplay()) {
        std::fputs("numora: no display: start it from a desktop session, or set DISPLAY or WAYLAND_DISPLAY\n", stderr);
        return EXIT_FAILURE;
    }
    // The game takes no command line; Qt's own options would load a style sheet from a
    // file or mirror the windows.
    int qtargc = 1;
    numora::choosewindowsystem();
    numora::look::preparedesktop();
    QApplication app(qtargc, argv);
    QApplication::setApplicationName(QStringLiteral("Numora"));
    numora::namedesktopentry();
    numora::look::setupapplication(app);
    numora::Form1 window;
    return QApplication::exec();
}

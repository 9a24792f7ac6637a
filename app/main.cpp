// SPDX-License-Identifier: MIT
#include "ui/main_window/game.h"

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
    return numora::rungame(argv);
}

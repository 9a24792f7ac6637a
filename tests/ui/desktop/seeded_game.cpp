// SPDX-License-Identifier: MIT
// The game exactly as a player starts it, except that the computer's number and its
// choices among equally good guesses come from SEED: a test that plays it by ear hears
// the same game on every run.
//   seeded_game SEED
#include "ui/look/style.h"
#include "ui/main_window/form1.h"
#include "ui/windowsystem.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seeded_game SEED\n");
        return 2;
    }
    const std::uint64_t seed = std::strtoull(argv[1], nullptr, 10);
    int qtargc = 1;
    numora::choosewindowsystem();
    numora::look::preparedesktop();
    QApplication app(qtargc, argv);
    QApplication::setApplicationName(QStringLiteral("Numora"));
    numora::namedesktopentry();
    numora::look::setupapplication(app);
    numora::Form1 window(seed);
    return QApplication::exec();
}

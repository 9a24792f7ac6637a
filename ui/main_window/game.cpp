// SPDX-License-Identifier: MIT
#include "ui/main_window/game.h"

#include "ui/look/style.h"
#include "ui/main_window/form1.h"
#include "ui/windowsystem.h"

#include <QApplication>

namespace numora {

int rungame(char *argv[], std::optional<std::uint64_t> seed)
{
    int qtargc = 1;
    choosewindowsystem();
    look::preparedesktop();
    QApplication app(qtargc, argv);
    QApplication::setApplicationName(QStringLiteral("Numora"));
    namedesktopentry();
    look::setupapplication(app);
    Form1 window(seed);
    return QApplication::exec();
}

}  // namespace numora

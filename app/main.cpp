// SPDX-License-Identifier: MIT
#include "form1.h"
#include "look.h"

#include <QApplication>

int main(int, char *argv[])
{
    // The game takes no command line; Qt's own options would load a style sheet from a
    // file or mirror the windows.
    int qtargc = 1;
    numora::look::preparedesktop();
    QApplication app(qtargc, argv);
    QApplication::setApplicationName(QStringLiteral("Numora"));
    numora::look::setupapplication(app);
    numora::Form1 window;
    return QApplication::exec();
}

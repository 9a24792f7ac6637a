// SPDX-License-Identifier: MIT
#include "form1.h"
#include "look.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    numora::look::preparedesktop();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Numora"));
    numora::look::setupapplication(app);
    numora::Form1 window;
    return QApplication::exec();
}

// SPDX-License-Identifier: MIT
// The end windows, About and Help: their icon, and their places on the screen.
#include "ui/dialogs/dialogsupport.h"

#include "ui/look/pictures.h"
#include "ui/look/x11.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace numora {

QIcon windowicon()
{
    QIcon icon = look::icon(QStringLiteral(":/icons/numora.png"));
    for (const char *size : {"128", "256"})
        icon.addFile(QStringLiteral(":/icons/numora-%1.png").arg(QLatin1String(size)));
    return icon;
}

QRect screenrect()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QRect availablerect()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

namespace {

void showandactivate(QWidget *window, bool wasopen)
{
    window->show();
    if (wasopen)
        window->raise();
    window->activateWindow();
}

}  // namespace

void present(QWidget *window, QPoint clienttopleft)
{
    const bool wasopen = window->isVisible();
    window->setGeometry(QRect(clienttopleft, window->size()));
    showandactivate(window, wasopen);
}

void presentcentred(QWidget *window)
{
    const bool wasopen = window->isVisible();
    if (!wasopen)
        look::centre(*window);
    showandactivate(window, wasopen);
}

}  // namespace numora

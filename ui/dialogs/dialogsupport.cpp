// SPDX-License-Identifier: MIT
#include "dialogsupport.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// The pictures live in an object library; when it reaches a program only through this
// static library, the linker drops their registration unless something refers to it.
// Registering twice is harmless.
static void initassets() { Q_INIT_RESOURCE(assets); }

namespace numora {

void registerassets() { initassets(); }

QIcon windowicon()
{
    registerassets();
    QIcon icon(QStringLiteral(":/icons/numora.png"));
    for (const char *size : {"16", "48", "64", "128", "256"})
        icon.addFile(QStringLiteral(":/icons/numora-%1.png").arg(QLatin1String(size)));
    return icon;
}

QPoint placeonscreen(QPoint wanted, QSize client, const QRect &available, QMargins frame)
{
    const QPoint corner(frame.left(), frame.top());
    QRect outer(wanted - corner, client.grownBy(frame));
    if (outer.right() > available.right())
        outer.moveRight(available.right());
    if (outer.bottom() > available.bottom())
        outer.moveBottom(available.bottom());
    if (outer.left() < available.left())
        outer.moveLeft(available.left());
    if (outer.top() < available.top())
        outer.moveTop(available.top());
    return outer.topLeft() + corner;
}

QPoint centreonscreen(QSize client, const QRect &available, QMargins frame)
{
    const QSize outer = client.grownBy(frame);
    const QPoint topleft(available.left() + (available.width() - outer.width()) / 2,
                         available.top() + (available.height() - outer.height()) / 2);
    return placeonscreen(topleft + QPoint(frame.left(), frame.top()), client, available, frame);
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

void present(QWidget *window, QPoint clienttopleft)
{
    const bool wasopen = window->isVisible();
    window->setGeometry(QRect(clienttopleft, window->size()));
    window->show();
    if (wasopen)
        window->raise();
    window->activateWindow();
}

}  // namespace numora

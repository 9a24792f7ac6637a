// SPDX-License-Identifier: MIT
// What the end windows, About and Help share: the program's window icon and where a
// window goes on the screen.
#pragma once

#include <QIcon>
#include <QPoint>
#include <QRect>

class QWidget;

namespace numora {

// The program's icon in all its sizes.
QIcon windowicon();

// Screen geometry used by the windows: the primary screen's full and available rects.
QRect screenrect();
QRect availablerect();

// Moves the client area of `window` to `clienttopleft`, shows the window and activates it;
// a window that was already open comes to the front.
void present(QWidget *window, QPoint clienttopleft);
// The same for a window centred on the screen as a whole.
void presentcentred(QWidget *window);

}  // namespace numora

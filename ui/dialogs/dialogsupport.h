// SPDX-License-Identifier: MIT
// What the end windows, About and Help share: the program's window icon and where a
// window goes on the screen.
#pragma once

#include <QIcon>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace numora {

// Makes the pictures and the help page available under ":/".
void registerassets();

// The program's icon in all its sizes.
QIcon windowicon();

// Room the window manager's frame is taken to need around a client area. The frame is
// only known once a window is on the screen, so this keeps its caption reachable.
inline constexpr QMargins kFrameAllowance{4, 30, 4, 4};

// The client top-left nearest to `wanted` that keeps the client area and its frame
// inside `available`. A window bigger than the screen keeps its frame's top-left on it.
QPoint placeonscreen(QPoint wanted, QSize client, const QRect &available, QMargins frame = kFrameAllowance);

// The client top-left that centres the framed window in `available`.
QPoint centreonscreen(QSize client, const QRect &available, QMargins frame = kFrameAllowance);

// Screen geometry used by the windows: the primary screen's full and available rects.
QRect screenrect();
QRect availablerect();

// Moves the client area of `window` to `clienttopleft`, shows the window and activates it;
// a window that was already open comes to the front.
void present(QWidget *window, QPoint clienttopleft);

}  // namespace numora

// SPDX-License-Identifier: MIT
// Where a window goes on the screen: the arithmetic of frames and available areas.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace numora::look {

// Room the window manager's frame is taken to need around a client area where it is
// not known yet, to keep a window's caption reachable.
inline constexpr QMargins kFrameAllowance{4, 30, 4, 4};

// The client top-left nearest to `wanted` that keeps the client area and its frame
// inside `available`. A window bigger than the screen keeps its frame's top-left on it.
QPoint placeonscreen(QPoint wanted, QSize client, const QRect &available, QMargins frame = kFrameAllowance);

// The client top-left that centres the framed window in `available`.
QPoint centreonscreen(QSize client, const QRect &available, QMargins frame = kFrameAllowance);

}  // namespace numora::look

// SPDX-License-Identifier: MIT
// What the program asks of the window system itself (on X11, by its own requests):
// flushing, the animated window icon, centring with the frame, keeping out of the task bar.
#pragma once

#include <QIcon>

#include <cstdint>
#include <vector>

class QWidget;

namespace numora::look {

// Hands what was drawn or changed so far to the window system at once. X11 buffers
// requests until something else flushes them; elsewhere this does nothing.
void flushwindowsystem();

// The frames of an animated window icon, shown one at a time. On X11 each frame is
// made into the window's _NET_WM_ICON property once, and showing it is one request
// sent at once: no image conversions and no change event for every child widget, so
// that a frame a tick costs little while idle. Elsewhere Qt sets the icon.
class IconAnimation {
public:
    explicit IconAnimation(std::vector<QIcon> frames);

    void show(QWidget &window, int frame) const;
    int framecount() const { return int(frames_.size()); }

private:
    std::vector<QIcon> frames_;
    std::vector<std::vector<std::uint32_t>> x11frames_;  // empty off X11
    std::uint32_t iconatom_ = 0;
};

// Centres a window that is about to be shown on its screen as a whole, frame included.
// The frame is known only where the window system tells it (X11, once a window manager
// has framed a window of the program): until then the window is centred by its client
// area, and it is moved once, as soon as its frame is told, unless it was moved meanwhile.
// Elsewhere (Wayland) it stays centred by its client area.
void centre(QWidget &window);

// Keeps a top-level window out of the task bar and the pager (X11; elsewhere nothing).
// Call before the window is first shown.
void skiptaskbar(QWidget &window);

// Has the window manager show every window's own icon (X11; elsewhere nothing): Qt 6.8
// names the desktop entry after the program on each window it makes, and KWin 6 would
// show the installed entry's icon instead, which does not spin. The name is taken off
// each top-level window as it is made, before it is shown. Call once the application
// exists.
void keepwindowicons();

}  // namespace numora::look

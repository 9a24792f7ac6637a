// SPDX-License-Identifier: MIT
// The face every window shares: geometry in twips, colours as 0xBBGGRR, the
// sans-serif and serif fonts, the fixed light palette and the style, kept from the
// desktop's themes.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>

#include <cstdint>

class QApplication;

namespace numora::look {

constexpr int kTwipsPerPixel = 15;

constexpr int px(int twips)
{
    return twips / kTwipsPerPixel;
}
inline QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// 0xBBGGRR: red in the low byte.
inline QColor bgr(std::uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Stand-ins for "MS Sans Serif" and "MS Serif" with the same metrics as Arial and Times.
// Sized in pixels, as `points` are at 96 dots per inch: the layout is in pixels too, so
// the text keeps its place in it whatever font resolution the desktop sets.
QFont sans(double points, bool bold = false);
QFont serif(double points, bool bold = false);

// Called before the application object exists: no theme or style named in the
// environment is loaded and the desktop's own theme is not asked for colours or fonts,
// so the design's colours keep the light face they were chosen against on dark and
// customised desktops alike; the style measures its margins and spacings, and texts
// given in points, at 96 dots per inch, whatever the desktop's font resolution.
void preparedesktop();

// The Fusion style, its light palette and the sans-serif window font for every window,
// menu and tooltip, whatever style, colour scheme or font the desktop prefers. Message
// boxes centre their buttons, as the classic desktop's do.
void setupapplication(QApplication &app);

// The palette of every window: Fusion's light one, each role fixed.
QPalette palette();

}  // namespace numora::look

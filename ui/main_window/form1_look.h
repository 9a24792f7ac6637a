// SPDX-License-Identifier: MIT
// The game window's own colours and sizes, shared by its layout and its handlers.
#pragma once

#include "ui/look/style.h"

namespace numora {

inline const QColor kDigitPlain = look::bgr(0xFFC0C0);
inline const QColor kDigitInUse = look::bgr(0xFF8080);  // a digit of the typed guess
inline const QColor kSignPlain = look::bgr(0xC0C0FF);
inline const QColor kSignChosen = look::bgr(0x8080FF);  // the chosen count
inline const QColor kDisplayActive = look::bgr(0xE0E0E0);
inline const QColor kDisplayIdle = look::bgr(0xC0C0C0);

constexpr int kTickMs = 50;  // the window icon's animation

// Font sizes in points.
constexpr double kWindowPoints = 8.25;  // captions, labels, the boards, "C", "CA", the confirm buttons
constexpr double kKeyPoints = 9.75;     // the digit and sign keys, bold
constexpr double kDisplayPoints = 18;   // the two guess displays, bold

}  // namespace numora

// SPDX-License-Identifier: MIT
// What a screen reader reads of the game window: the boards as lists of rows, the
// displays as text named after their frames, the keypad buttons' marks as checked
// states, and the help page as text. Nothing here changes what the windows show.
#pragma once

#include <QColor>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace numora {

class ProgressBoard;

namespace look {
class ColorButton;
}

namespace accessibility {

// Installs the interfaces of the program's own widgets. Call once before any window is
// built: Qt keeps the first interface made for a widget.
void install();

// A label whose text is read as it changes; it is named after its frame, if any.
void markdisplay(QLabel *display);

// A keypad button that is checked while `marked` says so; `word` says so in its
// description ("in use", "chosen"). Its colour shows the same mark: a change of colour
// is when screen readers hear of it.
void markbutton(look::ColorButton *button, std::function<bool()> marked, const QString &word);

// A board whose new rows are told as they are drawn.
void markboard(ProgressBoard *board);

// Tells screen readers what changed since a display was last reported: a typed digit,
// a removed one, a new guess, a status.
void textchanged(QLabel *display);

}  // namespace accessibility
}  // namespace numora

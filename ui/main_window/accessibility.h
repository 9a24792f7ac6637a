// SPDX-License-Identifier: MIT
// What a screen reader reads of the game window: the boards as lists of rows, the
// displays as text named after their frames, the keypad buttons' marks as checked
// states, and the help page as text. Nothing here changes what the windows show.
#pragma once

#include <QColor>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

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
// is when screen readers hear of it, and a told mark is announced as the player makes it.
enum class Choice : std::uint8_t { Silent, Told };
void markbutton(look::ColorButton *button, std::function<bool()> marked, const QString &word,
                Choice choice = Choice::Silent);

// A board whose new rows are told as they are drawn, each after `whose` ("Your guess"),
// under `topic` (see announce).
void markboard(ProgressBoard *board, const QString &whose, const QString &topic = {});

// Tells screen readers what changed since a display was last reported: a typed digit,
// a removed one, a new guess, a status. Returns what the display showed before, if it
// changed.
std::optional<QString> textchanged(QLabel *display);

// Says every row of `board`, after its name: "Your progress: 1234: 2 plus. 5678: no signs".
void readboard(ProgressBoard *board);

// Gives `client` (a window's client area with a decoration, as the game window's) the
// news bar through which announce() speaks: a status bar holding one notification.
void newsarea(QWidget *client);

// Says `news` once the current event is done and the focus has settled, as a
// notification that appears: Orca speaks it wherever the focus is. News on a `topic`
// replaces news on the same topic not said yet: only the latest state of a guess is
// worth hearing.
void announce(const QString &news, const QString &topic = {});

// Gives `control` the keyboard focus once the current event is done, if it can still
// take it: a menu whose command opened an entry still holds the focus until then, and a
// focus moved under it leaves a screen reader waiting.
void focuslater(QWidget *control);

}  // namespace accessibility
}  // namespace numora

// SPDX-License-Identifier: MIT
// A key of the game window's keypads: a coloured button with a mark (a digit in use, a
// chosen count), which its colour shows and a screen reader reads as its checked state.
#pragma once

#include "ui/look/widgets.h"

#include <cstdint>

namespace numora {

class KeypadButton : public look::ColorButton {
    Q_OBJECT
public:
    // `word` says the mark in the button's description: "in use", "chosen".
    KeypadButton(const QString &text, QString word, QWidget *parent = nullptr);

    // How a change of the mark reaches a screen reader: as the button's new state and
    // description, or as its state alone, the words being announced by the caller.
    enum class Told : std::uint8_t { Described, Announced };
    // Returns whether the mark changed.
    bool setmarked(bool marked, Told told = Told::Described);
    bool marked() const { return marked_; }
    const QString &markword() const { return word_; }

    static void installaccessible();  // before any keypad button is built

private:
    QString word_;
    bool marked_ = false;
};

}  // namespace numora

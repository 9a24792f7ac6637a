// SPDX-License-Identifier: MIT
// What the player has entered so far: the digits of a guess being typed, and the "+"
// and "-" counts chosen for an answer. The window's handlers change it; its displays,
// button colours and screen-reader states are read from it. How the counts were chosen
// (the keys pressed for them) is the window's.
#pragma once

#include <optional>
#include <string>

namespace numora {

struct Entry {
    std::string typed;  // 0 to 4 different digits, the first not 0
    int pluscount = 0, minuscount = 0;

    // Appends digit (0 to 9) if the guess can still become an admissible number; false,
    // and nothing changes, where it cannot.
    bool type(int digit);
    // Takes back the last digit typed and returns it; nullopt when nothing is typed.
    std::optional<int> takeback();
    bool inuse(int digit) const;
};

}  // namespace numora

// SPDX-License-Identifier: MIT
// An honest answer worked out digit by digit, independently of the engine, for the
// tests and probes that play the player's side.
#pragma once

#include <utility>

namespace numora::testsupport {

// The "+" and "-" that `secret` gives `guess`, both four different digits, as text of
// any kind (std::string, QString).
template <typename Text> std::pair<int, int> signs(const Text &guess, const Text &secret)
{
    int plus = 0, minus = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (guess[i] == secret[j])
                ++(i == j ? plus : minus);
    return {plus, minus};
}

}  // namespace numora::testsupport

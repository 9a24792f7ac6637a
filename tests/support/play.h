// SPDX-License-Identifier: MIT
// An honest answer worked out position by position, independently of the engine, for
// the tests and probes that play the player's side.
#pragma once

#include <QString>

#include <utility>

namespace numora::testsupport {

// The "+" and "-" that `secret` gives `guess`, both four different digits.
inline std::pair<int, int> signs(const QString &guess, const QString &secret)
{
    int plus = 0, minus = 0;
    for (int i = 0; i < 4; ++i) {
        if (guess[i] == secret[i])
            ++plus;
        else if (secret.contains(guess[i]))
            ++minus;
    }
    return {plus, minus};
}

}  // namespace numora::testsupport

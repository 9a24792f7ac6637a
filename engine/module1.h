// SPDX-License-Identifier: MIT
// The record of one game, shared by the guesser, the driver and the window.
#pragma once

#include "tables.h"

#include <array>
#include <string>

namespace numora {

constexpr int kRecords = 10;  // rows for each side's guesses

struct Module1 {
    std::array<Digits, kRecords> myguesses{};
    int myguesscount = 0;
    std::array<int, kRecords> mysigns{};
    std::array<std::string, kRecords> yourguesses{};
    std::array<int, kRecords> yourplus{};
    std::array<int, kRecords> yourminus{};
    std::string mynumber;
    int yourguesscount = 0;
    bool youfound = false;
    CandidateTable candidates{};  // rows 0 .. 4535 - myguesscount are the pool

    int poollast() const { return kCandidates - 1 - myguesscount; }
};

}  // namespace numora

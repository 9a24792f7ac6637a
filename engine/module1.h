// SPDX-License-Identifier: MIT
// The record of one game, shared by the guesser, the driver and the window.
#pragma once

#include "engine/tables.h"

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
    CandidateTable candidates{};  // rows 0 .. poollast(): the pool, the numbers not guessed yet
    int poolcount = kCandidates;  // 4536 - myguesscount, and 1 less while a guess awaits its answer

    int poollast() const { return poolcount - 1; }
};

}  // namespace numora

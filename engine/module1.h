// SPDX-License-Identifier: MIT
// The state of one game, shared by the guesser, the driver and the window.
#pragma once

#include "tables.h"

#include <array>
#include <string>

namespace numora {

constexpr int kRecords = 10;                // rows for each side's guesses
constexpr int kPoolRows = kCandidates - 1;  // the pool during assessment

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
    CandidateTable possibles{};
    std::array<std::array<int, kClasses>, kPoolRows> classsizes{};
    std::array<std::array<double, 5>, kPoolRows> ratings{};
    int bestcount = 0;
    int possiblecount = 0;
    std::array<int, kPoolRows> bestlist{};

    int poollast() const { return kCandidates - 1 - myguesscount; }
};

}  // namespace numora

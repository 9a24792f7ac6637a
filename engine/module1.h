// SPDX-License-Identifier: MIT
// The record of one game, read whole by the guesser, the driver and the window. Each of
// its two halves has one writer, which alone holds it other than const:
//   ComputerHalf  the computer's guesses, their answers and the pool: ComputerPlayer
//   PlayerHalf    the computer's hidden number, the player's guesses and their answers: Driver
#pragma once

#include "engine/tables.h"

#include <array>
#include <string>

namespace numora {

constexpr int kRecords = 10;  // rows for each side's guesses

struct ComputerHalf {
    std::array<Digits, kRecords> myguesses{};
    int myguesscount = 0;
    std::array<int, kRecords> mysigns{};
    CandidateTable candidates{};  // rows 0 .. poollast(): the pool, the numbers not guessed yet
    int poolcount = kCandidates;  // 4536 - myguesscount, and 1 less while a guess awaits its answer

    int poollast() const { return poolcount - 1; }
};

struct PlayerHalf {
    std::array<std::string, kRecords> yourguesses{};
    std::array<int, kRecords> yourplus{};
    std::array<int, kRecords> yourminus{};
    std::string mynumber;
    int yourguesscount = 0;
    bool youfound = false;
};

struct Module1 : ComputerHalf, PlayerHalf {};

}  // namespace numora

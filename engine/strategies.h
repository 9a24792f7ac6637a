// SPDX-License-Identifier: MIT
// Ratings of a pool row other than the game's own (ratepool), for measuring how the
// game's rating compares with the classic ones. Each rates a row from its class sizes,
// as countclasses leaves them, and from whether the row is itself a possible:
//   if (countclasses(m, s) == Assessment::Counted) { scorepool(m, s, strategy.score); pickbest(m, s); }
// The game itself plays only "design".
#pragma once

#include "engine/guesser.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace numora {

// Higher is better; 0 to 2^51, so that every score is a double exactly. Equal splits
// score equally whatever the order of their classes.
using Score = std::int64_t (*)(const std::array<int, kClasses> &sizes, bool possible);

struct Strategy {
    std::string_view name;
    Score score;  // nullptr: the game's own rating, ratepool
};

// "design" first, then the others.
std::span<const Strategy> strategies();

// nullptr when no strategy has that name.
const Strategy *findstrategy(std::string_view name);

// Rates every pool row by `score`; among equal scores a row that is a possible rates
// higher. Precondition as for ratepool.
void scorepool(const Module1 &m, Scratch &s, Score score);

}  // namespace numora

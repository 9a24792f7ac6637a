// SPDX-License-Identifier: MIT
// The computer's assessment of its next guess, run once per turn in this order
// (ComputerPlayer::nextguess does it):
//   if (countclasses(m) == Assessment::Counted) { ratepool(m); pickbest(m); }
#pragma once

#include "module1.h"

#include <cstdint>

namespace numora {

enum class Assessment : std::uint8_t { NoPossible, OnePossible, Counted };

// How countclasses counts: the widest vector code this processor runs, the 16-byte
// vector code every processor runs, or number by number with signcode, the plain
// definition both are checked against. All three give the same classsizes.
enum class Counting : std::uint8_t { Fastest, Portable, Reference };

// Pool rows that agree with every recorded answer, in pool order.
void findpossibles(Module1 &m);

// countclasses, ratepool and pickbest assess a pool that has lost at least one guess:
// precondition myguesscount >= 1, which leaves classsizes and ratings a row for every
// pool row. Debug builds assert it; other builds then do nothing (countclasses reports
// NoPossible) rather than reach past those rows.

// Filters, then (with two or more possibles) counts each pool row's classes.
Assessment countclasses(Module1 &m, Counting how = Counting::Fastest);

// Precondition: possiblecount >= 2, class sizes as countclasses leaves them (0 to 4536).
// The ratings are computed in a fixed order of double operations, so equal class sizes
// give bit-identical ratings and ties are exact.
void ratepool(Module1 &m);

void pickbest(Module1 &m);

}  // namespace numora

// SPDX-License-Identifier: MIT
// The computer's assessment of its next guess, run once per turn in this order
// (ComputerPlayer::nextguess does it):
//   if (countclasses(m, s) == Assessment::Counted) { ratepool(m, s); pickbest(m, s); }
#pragma once

#include "engine/module1.h"

#include <array>
#include <cstdint>

namespace numora {

// What one turn's assessment works in: the possibles, and a row for each pool row, the
// whole table at most. Only the rows below possiblecount, the pool's size and bestcount
// belong to the latest assessment.
struct Scratch {
    CandidateTable possibles{};  // pool rows that fit every answer, in pool order
    int possiblecount = 0;
    std::array<std::array<int, kClasses>, kCandidates> classsizes{};
    std::array<double, kCandidates> ratings{};  // a pool row's rating: the best is the highest
    int bestcount = 0;
    std::array<int, kCandidates> bestlist{};  // the pool rows rated best, ascending
};

enum class Assessment : std::uint8_t { NoPossible, OnePossible, Counted };

// How countclasses counts: the widest vector code this processor runs, the 16-byte
// vector code every processor runs, or number by number with signcode, the plain
// definition both are checked against. All three give the same classsizes.
enum class Counting : std::uint8_t { Fastest, Portable, Reference };

// Pool rows that agree with every recorded answer, in pool order.
void findpossibles(const Module1 &m, Scratch &s);

// Filters, then (with two or more possibles) counts each pool row's classes.
Assessment countclasses(const Module1 &m, Scratch &s, Counting how = Counting::Fastest);

// Precondition: possiblecount >= 2, class sizes as countclasses leaves them (0 to 4536).
// The ratings are computed in a fixed order of double operations, so equal class sizes
// give bit-identical ratings and ties are exact.
void ratepool(const Module1 &m, Scratch &s);

void pickbest(const Module1 &m, Scratch &s);

}  // namespace numora

// SPDX-License-Identifier: MIT
// The engine's counting, used by countclasses: which pool rows agree with every
// recorded answer, and the class sizes of every pool row against the possibles.
#pragma once

#include "engine/guesser.h"

#include <array>
#include <cstdint>

namespace numora {

using PoolRows = std::array<std::uint16_t, kCandidates>;

// Pool rows agreeing with every recorded answer, ascending, into rows; returns how many.
int agreeingrows(const Module1 &m, PoolRows &rows);

// Class sizes of every pool row against the possibles, which are the pool rows listed
// first in rows (possiblecount >= 2 of them); Counting::Fastest or Counting::Portable.
void countkernel(const Module1 &m, Scratch &s, const PoolRows &rows, Counting how);

// The plain definition, by signcode for every pair: fills possibles and, with two or
// more, classsizes; the faster paths give the very same.
Assessment countreference(const Module1 &m, Scratch &s);

}  // namespace numora

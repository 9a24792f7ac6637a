// SPDX-License-Identifier: MIT
// The engine's counting, used by countclasses: which pool rows agree with every
// recorded answer, and the class sizes of every pool row against the possibles.
#pragma once

#include "engine/guesser.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace numora {

using PoolRows = std::array<std::uint16_t, kCandidates>;
using ClassSizes = std::array<int, kClasses>;

constexpr std::uint16_t kNoRow = 0xffff;

// Pool rows agreeing with every recorded answer, ascending, into rows; returns how many.
int agreeingrows(const Module1 &m, PoolRows &rows);

// Class sizes of every pool row against the possibles, which are the pool rows listed
// first in rows (possiblecount >= 2 of them); Counting::Fastest or Counting::Portable.
void countkernel(const Module1 &m, Scratch &s, const PoolRows &rows, Counting how);

// The same for any list of guesses (at most kAllNumbers, with or without a leading 0)
// against any list of possibles: sizes[g] for each guess g. selfrows gives each
// possible's row among the guesses, or kNoRow, as a guess meets itself in no class.
void countsplits(std::span<const Digits> guesses, std::span<const Digits> possibles,
                 std::span<const std::uint16_t> selfrows, std::span<ClassSizes> sizes, Counting how);

// How many different answers a guess gets from the possibles, the hit among them or not.
struct Answers {
    std::uint8_t different = 0;
    bool hit = false;
};

// The same for one list of guesses asked about again and again: it keeps what it
// prepares of them, so each thread asking holds its own.
class AnswerCounter {
public:
    explicit AnswerCounter(std::span<const Digits> guesses);
    ~AnswerCounter();
    AnswerCounter(const AnswerCounter &) = delete;
    AnswerCounter &operator=(const AnswerCounter &) = delete;

    // answers[g] for each guess g of the list.
    void count(std::span<const Digits> possibles, std::span<Answers> answers, Counting how = Counting::Fastest);

private:
    struct Kept;
    std::unique_ptr<Kept> kept_;
};

// Once, for a list of guesses asked about once.
void countanswers(std::span<const Digits> guesses, std::span<const Digits> possibles, std::span<Answers> answers,
                  Counting how = Counting::Fastest);

// The plain definition, by signcode for every pair: fills possibles and, with two or
// more, classsizes; the faster paths give the very same.
Assessment countreference(const Module1 &m, Scratch &s);

}  // namespace numora

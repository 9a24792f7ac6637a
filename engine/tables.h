// SPDX-License-Identifier: MIT
// The candidate table, the response classes and the sign code.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace numora {

using Digits = std::array<std::uint8_t, 4>;  // column 0 is the thousands digit

constexpr int kCandidates = 4536;
constexpr int kAllNumbers = 5040;  // with a leading 0 allowed
constexpr int kClasses = 13;
constexpr int kHit = 40;  // the code of a number against itself

using CandidateTable = std::array<Digits, kCandidates>;
using SignCodes = std::array<int, kClasses>;

// All admissible numbers in ascending order: row 0 is 1023, row 4535 is 9876.
void buildcandidates(CandidateTable &candidates);

// The 13 answers two different numbers can give each other, 10 * plus + minus, in
// the order of the guesser's classes. 31 never occurs: with three digits in place the
// fourth cannot be elsewhere.
constexpr SignCodes kSignCodes = {0, 1, 2, 3, 4, 10, 11, 12, 13, 20, 21, 22, 30};

// True when some number answers some guess with these counts: one of the 13 answers,
// or four plus.
constexpr bool possibleanswer(int plus, int minus)
{
    const int code = 10 * plus + minus;
    return plus >= 0 && minus >= 0 && minus <= 4 &&
           (code == kHit || std::ranges::find(kSignCodes, code) != kSignCodes.end());
}

// 10 * plus + minus of a against b; symmetric, 40 when a == b.
int signcode(const Digits &a, const Digits &b);

// Four-character decimal text of a number.
std::string textform(const Digits &number);

// True for four different digits without a leading 0.
bool admissible(const std::string &text);

Digits digitsof(const std::string &text);  // precondition: admissible(text)

}  // namespace numora

// SPDX-License-Identifier: MIT
// Perfect play: the strategy that finds every secret in the fewest guesses in all,
// every secret equally likely, or the fewest guesses within which it always finds it.
// Guesses may be any admissible number, possible or not (or only a possible one, if
// asked), and the guess answered with
// every digit in place counts. The rules are those of the game, or of a smaller game of
// the same kind (fewer digits, fewer places), with or without a leading 0.
//   Rules rules;                       // this game: 4536 numbers
//   Solution best = solvegame({rules});
//   std::map<int, int> games = replay(rules, best.plan);
#pragma once

#include "tools/strategyfile.h"

#include <atomic>
#include <functional>
#include <optional>

namespace numora {

// What the search reports while it runs, about once a second.
struct Progress {
    int first = 1, firsts = 1;  // the first guess being tried, of those worth trying
    double share = 0;           // of the search of that first guess, 0 to 1
    long besttotal = 0;         // of the best strategy found so far, 0 before there is one
    double seconds = 0;
};

// A guess made and its answer (a sign code, 10 * plus + minus, the places a smaller
// game does not use counted as plus).
struct Asked {
    std::uint16_t guess = 0;  // row of numbersof(rules)
    int answer = 0;
};

struct SolveOptions {
    Rules rules;
    int threads = 1;
    bool worstcase = false;                               // the fewest guesses in the worst case instead
    const std::atomic<bool> *stop = nullptr;              // set it to end the search early
    std::function<void(const Progress &)> progress = {};  // called from a thread of the search
    bool possibleonly = false;                            // every guess a number still possible
    std::vector<Asked> start = {};  // guesses made: the search is for the secrets left, from the next guess on
};

struct Solution {
    Plan plan;
    long value = 0;  // the least total, or the fewest guesses in the worst case
};
// The plan starts at the first guess after those of SolveOptions::start.

// std::nullopt when *stop was set before the search ended.
std::optional<Solution> solvegame(const SolveOptions &options);

}  // namespace numora

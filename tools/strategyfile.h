// SPDX-License-Identifier: MIT
// The games of this kind (digits, places, a leading 0 or not), their numbers, and the
// strategy file that keeps a strategy for one of them.
#pragma once

#include "engine/tables.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace numora {

struct Rules {
    int digits = 10;  // 0 to digits - 1
    int places = 4;
    bool leadingzero = false;
};

// The admissible numbers in ascending order. The engine counts on four columns: a
// smaller game's numbers fill the columns past its places with 9, 8, ... (above its
// digits), which every number shares, so each answer just gains that many "+".
std::vector<Digits> numbersof(const Rules &rules);

// The text of a number (its places only) and of an answer, "1+2-".
std::string numbertext(const Rules &rules, const Digits &number);
std::string answertext(const Rules &rules, int code);

// A strategy: the guess in each position it reaches, and the position each answer
// other than the hit leads to. Node 0 is the first guess.
struct Plan {
    struct Node {
        std::uint16_t guess = 0;                   // row of numbersof(rules)
        std::vector<std::pair<int, int>> answers;  // sign code, node; by code
    };
    std::vector<Node> nodes;
};

// Guesses to find each secret (1 for the first guess), by count; the error names the
// first secret the plan does not find.
struct Replay {
    std::map<int, int> games;
    std::string error;
};
Replay replay(const Rules &rules, const Plan &plan);

// The strategy file: a comment line naming the rules, then one line for each position,
// indented one space a guess made before it, with the answer that led to it and its
// guess ("1023", " 0+1- 4567", "  1+1- 2498").
std::string writeplan(const Rules &rules, const Plan &plan, long total);

// The plan in a strategy file's text, or an error naming the line at fault. The rules
// must be the file's.
struct Reading {
    Plan plan;
    std::string error;
};
Reading readplan(const Rules &rules, const std::string &text);

}  // namespace numora

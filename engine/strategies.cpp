// SPDX-License-Identifier: MIT
#include "engine/strategies.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace numora {

namespace {

// The smallest largest class.
std::int64_t minimax(const std::array<int, kClasses> &sizes, bool /*possible*/)
{
    return kCandidates - *std::ranges::max_element(sizes);
}

// s * log2(s) in units of 2^-32, for s = 0 to 4536: sums of integers are exact, so
// a split's score does not depend on the order of its classes.
const std::array<std::int64_t, kCandidates + 1> &weightedlogs()
{
    static const auto table = [] {
        std::array<std::int64_t, kCandidates + 1> t{};
        for (int s = 2; s <= kCandidates; ++s)
            t[s] = std::llround(s * std::log2(s) * 0x1p32);
        return t;
    }();
    return table;
}

// The greatest entropy of the split of the n possibles: log2 n less the mean over them
// of log2 of their class's size. The possible itself, a class of one, adds 0 to that
// sum, and n is the same for every row, so the smallest sum of s * log2 s wins.
std::int64_t entropy(const std::array<int, kClasses> &sizes, bool /*possible*/)
{
    const auto &logs = weightedlogs();
    std::int64_t sum = 0;
    for (int s : sizes)
        sum += logs[s];
    return logs[kCandidates] - sum;
}

// The most answers that can come, "4 +" among them when the row is a possible.
std::int64_t parts(const std::array<int, kClasses> &sizes, bool possible)
{
    return std::count_if(sizes.begin(), sizes.end(), [](int s) { return s != 0; }) + (possible ? 1 : 0);
}

constexpr std::array<Strategy, 4> table = {{
    {"design", nullptr},
    {"minimax", minimax},
    {"entropy", entropy},
    {"parts", parts},
}};

}  // namespace

std::span<const Strategy> strategies()
{
    return table;
}

const Strategy *findstrategy(std::string_view name)
{
    const auto *found = std::ranges::find_if(table, [&](const Strategy &s) { return s.name == name; });
    return found == table.end() ? nullptr : &*found;
}

void scorepool(const Module1 &m, Scratch &s, Score score)
{
    for (int p = 0; p <= m.poollast(); ++p) {
        const auto &sizes = s.classsizes[p];
        int classtotal = 0;
        for (int size : sizes)
            classtotal += size;
        // A possible meets itself in no class.
        const bool possible = classtotal != s.possiblecount;
        // 1 above the doubled score, as pickbest looks for ratings above 0.
        s.ratings[p] = static_cast<double>(2 * score(sizes, possible) + (possible ? 1 : 0) + 1);
    }
}

}  // namespace numora

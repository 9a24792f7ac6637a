// SPDX-License-Identifier: MIT
#include "engine/guesser.h"
#include "engine/strategies.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <vector>

using namespace numora;

namespace {

constexpr int kPossibles = 8;

// A pool row's classes, in any order; a possible's add up to kPossibles - 1.
using Split = std::vector<int>;

struct Case {
    const char *strategy;
    std::vector<Split> splits;  // the first pool rows
    std::vector<int> best;      // which of them rate best, ascending
};

// Every split worked out by hand, over 8 possibles. Sums of s * log2 s, which the
// entropy minimises: {2,2,2,2} and {4,1,1,1,1} 8, {2,2,2,1,1} 6, {3,3,2} 11.51.
const std::vector<Case> cases = {
    // 1000 / largest dominates.
    {"design", {{4, 1, 1, 1, 1}, {3, 3, 2}}, {1}},
    {"minimax", {{4, 1, 1, 1, 1}, {3, 3, 2}, {3, 1, 1, 1, 1, 1}}, {1, 2}},
    {"minimax", {{3, 3, 2}, {3, 2, 2}, {4, 4}}, {1}},  // the possible among equals
    {"entropy", {{3, 3, 2}, {2, 2, 2, 2}, {4, 1, 1, 1, 1}}, {1, 2}},
    {"entropy", {{2, 2, 2, 2}, {4, 1, 1, 1}, {4, 1, 1, 1, 1}}, {1}},  // "4 +" a class of one
    {"entropy", {{4, 1, 1, 1, 1}, {2, 2, 2, 1, 1}}, {1}},
    {"parts", {{2, 2, 2, 1, 1}, {4, 1, 1, 1, 1}, {2, 2, 2, 2}}, {0, 1}},
    {"parts", {{2, 1, 1, 1, 1, 1, 1}, {2, 1, 1, 1, 1, 1}}, {1}},  // "4 +" counts: 6 + 1 parts against 7
};

std::vector<int> bestof(const Case &c)
{
    const Module1 m;
    auto s = std::make_unique<Scratch>();
    s->possiblecount = kPossibles;
    for (int p = 0; p <= m.poollast(); ++p) {
        auto &sizes = s->classsizes[p];
        sizes = {};
        if (p < static_cast<int>(c.splits.size()))
            std::copy(c.splits[p].begin(), c.splits[p].end(), sizes.begin() + 1);
        else
            sizes[0] = kPossibles;  // worse than every split above, by every rating
    }
    const Strategy *strategy = findstrategy(c.strategy);
    if (!strategy)
        return {-1};
    if (strategy->score)
        scorepool(m, *s, strategy->score);
    else
        ratepool(m, *s);
    pickbest(m, *s);
    return {s->bestlist.begin(), s->bestlist.begin() + s->bestcount};
}

}  // namespace

TEST(Strategies, RateHandCheckedSplits)
{
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(bestof(cases[i]), cases[i].best) << "case " << i << ", " << cases[i].strategy;
}

TEST(Strategies, DesignComesFirstAndNamesAreExact)
{
    ASSERT_FALSE(strategies().empty());
    EXPECT_EQ(strategies().front().name, "design");
    EXPECT_EQ(strategies().front().score, nullptr);
    EXPECT_EQ(findstrategy("Minimax"), nullptr);
    EXPECT_EQ(findstrategy(""), nullptr);
}

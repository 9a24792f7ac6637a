// SPDX-License-Identifier: MIT
#include "guesser.h"
#include "counting.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace numora {

namespace {

// 1.0 / s, the very doubles the division gives, and 0 for s = 0.
constexpr std::array<double, kCandidates + 1> reciprocals = [] {
    std::array<double, kCandidates + 1> table{};
    for (int s = 1; s <= kCandidates; ++s)
        table[s] = 1.0 / s;
    return table;
}();

// The assessment's precondition: see guesser.h.
bool assessable(const Module1 &m)
{
    assert(m.myguesscount >= 1 && "assessed before the first answer");
    return m.myguesscount >= 1;
}

void fillpossibles(Module1 &m, const PoolRows &rows, int count)
{
    for (int i = 0; i < count; ++i)
        m.possibles[i] = m.candidates[rows[i]];
    m.possiblecount = count;
}

}  // namespace

void findpossibles(Module1 &m)
{
    PoolRows rows;
    fillpossibles(m, rows, agreeingrows(m, rows));
}

Assessment countclasses(Module1 &m, Counting how)
{
    if (!assessable(m)) {
        m.possiblecount = 0;
        return Assessment::NoPossible;
    }
    if (how == Counting::Reference)
        return countreference(m);
    PoolRows rows;
    fillpossibles(m, rows, agreeingrows(m, rows));
    if (m.possiblecount == 0)
        return Assessment::NoPossible;
    if (m.possiblecount == 1)
        return Assessment::OnePossible;
    countkernel(m, rows, how);
    return Assessment::Counted;
}

void ratepool(Module1 &m)
{
    if (!assessable(m))
        return;
    const double everychance = reciprocals[m.possiblecount];
    for (int p = 0; p <= m.poollast(); ++p) {
        const std::array<int, kClasses> &sizes = m.classsizes[p];
        double ratingacc = 0;
        int classcount = 0, classtotal = 0, largest = 0;
        unsigned smallestless = kPoolRows - 1;  // the smallest nonzero size less 1: 0 wraps above all
        for (int n = 0; n < kClasses; ++n) {
            const int s = sizes[n];
            largest = std::max(largest, s);
            smallestless = std::min(smallestless, static_cast<unsigned>(s) - 1);
            ratingacc = reciprocals[s] + ratingacc;  // an empty class adds 0 and changes nothing
            classtotal += s;
            classcount += s != 0;
        }
        const int smallest = static_cast<int>(smallestless) + 1;
        // When p is not one of the possibles, chance is 0 and the information is the
        // plain mean: x * (1 - 0) + 0 is x exactly.
        const double chance = classtotal == m.possiblecount ? 0.0 : everychance;
        const double information = (ratingacc / classcount) * (1 - chance) + chance;
        auto &r = m.ratings[p];
        r[0] = chance;
        r[1] = information;
        r[2] = largest;
        r[3] = smallest;
        r[4] = reciprocals[largest] * 1000 + information * 100 + chance * 10 + reciprocals[smallest];
    }
}

void pickbest(Module1 &m)
{
    if (!assessable(m))
        return;
    double best = 0;
    for (int p = 0; p <= m.poollast(); ++p)
        if (m.ratings[p][4] > best)
            best = m.ratings[p][4];
    m.bestcount = 0;
    for (int p = 0; p <= m.poollast(); ++p)
        if (m.ratings[p][4] == best)
            m.bestlist.at(m.bestcount++) = p;
}

}  // namespace numora

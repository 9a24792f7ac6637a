// SPDX-License-Identifier: MIT
#include "engine/guesser.h"
#include "engine/counting.h"

#include <algorithm>
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

void fillpossibles(const Module1 &m, Scratch &s, const PoolRows &rows, int count)
{
    for (int i = 0; i < count; ++i)
        s.possibles[i] = m.candidates[rows[i]];
    s.possiblecount = count;
}

}  // namespace

void findpossibles(const Module1 &m, Scratch &s)
{
    PoolRows rows;
    fillpossibles(m, s, rows, agreeingrows(m, rows));
}

Assessment countclasses(const Module1 &m, Scratch &s, Counting how)
{
    if (how == Counting::Reference)
        return countreference(m, s);
    PoolRows rows;
    fillpossibles(m, s, rows, agreeingrows(m, rows));
    if (s.possiblecount == 0)
        return Assessment::NoPossible;
    if (s.possiblecount == 1)
        return Assessment::OnePossible;
    countkernel(m, s, rows, how);
    return Assessment::Counted;
}

void ratepool(const Module1 &m, Scratch &s)
{
    const double everychance = reciprocals[s.possiblecount];
    for (int p = 0; p <= m.poollast(); ++p) {
        const std::array<int, kClasses> &sizes = s.classsizes[p];
        double ratingacc = 0;
        int classcount = 0, classtotal = 0, largest = 0;
        unsigned smallestless = kCandidates - 1;  // the smallest nonzero size (at most 4536) less 1: 0 wraps above all
        for (int n = 0; n < kClasses; ++n) {
            const int size = sizes[n];
            largest = std::max(largest, size);
            smallestless = std::min(smallestless, static_cast<unsigned>(size) - 1);
            ratingacc = reciprocals[size] + ratingacc;  // an empty class adds 0 and changes nothing
            classtotal += size;
            classcount += size != 0;
        }
        const int smallest = static_cast<int>(smallestless) + 1;
        // When p is not one of the possibles, chance is 0 and the information is the
        // plain mean: x * (1 - 0) + 0 is x exactly.
        const double chance = classtotal == s.possiblecount ? 0.0 : everychance;
        const double information = (ratingacc / classcount) * (1 - chance) + chance;
        s.ratings[p] = reciprocals[largest] * 1000 + information * 100 + chance * 10 + reciprocals[smallest];
    }
}

void pickbest(const Module1 &m, Scratch &s)
{
    // One pass: a better rating starts the list anew, so it ends with the rows of the
    // best rating, in pool order.
    const int last = m.poollast();
    double best = 0;
    int count = 0;
    for (int p = 0; p <= last; ++p) {
        const double rating = s.ratings[p];
        if (rating > best) {
            best = rating;
            count = 0;
        }
        if (rating == best)
            s.bestlist.at(count++) = p;
    }
    s.bestcount = count;
}

}  // namespace numora

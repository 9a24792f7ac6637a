// SPDX-License-Identifier: MIT
#include "guesser.h"

namespace numora {

namespace {

// Row of each sign code in signcodes; the hit (40) and the impossible 31 fall into no class.
constexpr std::array<int, kHit + 1> classrows = [] {
    std::array<int, kHit + 1> rows{};
    rows.fill(kClasses);
    const int codes[kClasses] = {0, 1, 2, 3, 4, 10, 11, 12, 13, 20, 21, 22, 30};
    for (int n = 0; n < kClasses; ++n)
        rows[codes[n]] = n;
    return rows;
}();

}  // namespace

void findpossibles(Module1 &m)
{
    m.possiblecount = 0;
    for (int q = 0; q <= m.poollast(); ++q) {
        int agreecount = 0;
        for (int g = 0; g < m.myguesscount; ++g)
            if (signcode(m.myguesses.at(g), m.candidates[q]) == m.mysigns.at(g))
                ++agreecount;
        if (agreecount == m.myguesscount)
            m.possibles[m.possiblecount++] = m.candidates[q];
    }
}

Assessment countclasses(Module1 &m)
{
    findpossibles(m);
    if (m.possiblecount == 0)
        return Assessment::NoPossible;
    if (m.possiblecount == 1)
        return Assessment::OnePossible;
    for (int p = 0; p <= m.poollast(); ++p) {
        std::array<int, kClasses + 1> counts{};
        for (int q = 0; q < m.possiblecount; ++q)
            ++counts[classrows[signcode(m.candidates[p], m.possibles[q])]];
        for (int n = 0; n < kClasses; ++n)
            m.classsizes.at(p)[n] = counts[n];
    }
    return Assessment::Counted;
}

void ratepool(Module1 &m)
{
    for (int p = 0; p <= m.poollast(); ++p) {
        double ratingacc = 0;
        int classcount = 0, classtotal = 0, largest = 0, smallest = kPoolRows;
        double chance = 0, information = 0;
        for (int n = 0; n < kClasses; ++n) {
            const int s = m.classsizes[p][n];
            if (s > largest)
                largest = s;
            if (s != 0 && s < smallest)
                smallest = s;
            if (s > 0) {
                ratingacc = 1.0 / s + ratingacc;
                classtotal += s;
                ++classcount;
            }
        }
        if (classtotal == m.possiblecount) {
            information = ratingacc / classcount;
        } else {
            chance = 1.0 / m.possiblecount;
            information = (ratingacc / classcount) * (1 - chance) + chance;
        }
        auto &r = m.ratings.at(p);
        r[0] = chance;
        r[1] = information;
        r[2] = largest;
        r[3] = smallest;
        r[4] = (1.0 / largest) * 1000 + information * 100 + chance * 10 + 1.0 / smallest;
    }
}

void pickbest(Module1 &m)
{
    double best = 0;
    for (int p = 0; p <= m.poollast(); ++p)
        if (m.ratings[p][4] > best)
            best = m.ratings[p][4];
    m.bestcount = 0;
    for (int p = 0; p <= m.poollast(); ++p)
        if (m.ratings[p][4] == best)
            m.bestlist.at(m.bestcount++) = p;
}

int drawbestrow(const Module1 &m, std::mt19937_64 &rng)
{
    const int r = std::uniform_int_distribution<int>(0, m.bestcount - 1)(rng);
    return m.myguesscount == 0 ? r : m.bestlist.at(r);
}

void removefrompool(Module1 &m, int row)
{
    m.candidates.at(row) = m.candidates[m.poollast()];
}

}  // namespace numora

// SPDX-License-Identifier: MIT
#include "guesser.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace numora;

namespace {

std::unique_ptr<Module1> freshgame()
{
    auto m = std::make_unique<Module1>();
    buildcandidates(m->candidates);
    buildsigncodes(m->signcodes);
    return m;
}

int rowof(const Module1 &m, const char *text)
{
    for (int p = 0; p <= m.poollast(); ++p)
        if (textform(m.candidates[p]) == text)
            return p;
    return -1;
}

// Records an answer and takes the guess out of the pool, as a computer turn does.
void answer(Module1 &m, const char *guess, int code)
{
    const int row = rowof(m, guess);
    if (row >= 0)
        m.candidates[row] = m.candidates[m.poollast()];
    m.myguesses.at(m.myguesscount) = digitsof(guess);
    m.mysigns.at(m.myguesscount) = code;
    ++m.myguesscount;
}

}  // namespace

TEST(Guesser, AnswerZeroKeepsNumbersOfTheOtherSixDigits)
{
    for (const char *guess : {"1234", "1023"}) {
        auto m = freshgame();
        answer(*m, guess, 0);
        findpossibles(*m);
        int expected = 0;
        for (int q = 0; q <= m->poollast(); ++q) {
            const auto &c = m->candidates[q];
            bool clear = true;
            for (auto d : c) {
                clear = clear && std::string(guess).find(char('0' + d)) == std::string::npos;
            }
            expected += clear;
        }
        EXPECT_EQ(m->possiblecount, expected);
        // 360 numbers when the guess holds a 0, else 300: no leading 0 among six digits.
        EXPECT_EQ(m->possiblecount, std::string(guess).find('0') == std::string::npos ? 300 : 360);
    }
}

TEST(Guesser, ContradictoryAnswersLeaveNothing)
{
    auto m = freshgame();
    answer(*m, "1234", 0);
    answer(*m, "4321", 1);
    EXPECT_EQ(countclasses(*m), Assessment::NoPossible);
}

TEST(Guesser, RatingsOfTwoPossibles)
{
    // 1234 and 1243 are the only numbers giving these answers.
    auto m = freshgame();
    m->myguesscount = 1;
    const int a = rowof(*m, "1234"), b = rowof(*m, "1243");
    findpossibles(*m);  // no answer yet: everything is possible
    m->possiblecount = 2;
    m->possibles[0] = m->candidates[a];
    m->possibles[1] = m->candidates[b];
    for (int p = 0; p <= m->poollast(); ++p) {
        std::array<int, kClasses> sizes{};
        for (int q = 0; q < 2; ++q) {
            const int code = signcode(m->candidates[p], m->possibles[q]);
            for (int n = 0; n < kClasses; ++n)
                sizes[n] += m->signcodes[n] == code;
        }
        m->classsizes[p] = sizes;
    }
    ratepool(*m);
    EXPECT_EQ(m->ratings[a][4], 1106.0);
    EXPECT_EQ(m->ratings[b][4], 1106.0);
    EXPECT_EQ(m->ratings[rowof(*m, "5678")][4], 550.5);  // both in class 0
    EXPECT_EQ(m->ratings[rowof(*m, "1235")][4], 1101.0);  // 30 against 1234, 20 against 1243
    pickbest(*m);
    ASSERT_EQ(m->bestcount, 2);
    EXPECT_EQ(m->bestlist[0], std::min(a, b));
    EXPECT_EQ(m->bestlist[1], std::max(a, b));
}

TEST(Guesser, ClassSizesAddUpAndTiesStayInPoolOrder)
{
    auto m = freshgame();
    answer(*m, "1023", 1);
    ASSERT_EQ(countclasses(*m), Assessment::Counted);
    for (int p = 0; p <= m->poollast(); ++p) {
        int total = 0;
        for (int s : m->classsizes[p])
            total += s;
        ASSERT_TRUE(total == m->possiblecount || total == m->possiblecount - 1);
    }
    ratepool(*m);
    pickbest(*m);
    ASSERT_GE(m->bestcount, 1);
    std::set<double> bestratings;
    for (int i = 0; i < m->bestcount; ++i) {
        if (i > 0) {
            EXPECT_LT(m->bestlist[i - 1], m->bestlist[i]);
        }
        bestratings.insert(m->ratings[m->bestlist[i]][4]);
    }
    EXPECT_EQ(bestratings.size(), 1u);
    for (int p = 0; p <= m->poollast(); ++p)
        EXPECT_LE(m->ratings[p][4], *bestratings.begin());
}

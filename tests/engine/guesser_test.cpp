// SPDX-License-Identifier: MIT
#include "engine/computerplayer.h"
#include "engine/counting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <numeric>
#include <random>
#include <set>
#include <span>
#include <utility>
#include <vector>

using namespace numora;

namespace {

std::unique_ptr<Module1> freshgame()
{
    auto m = std::make_unique<Module1>();
    ComputerPlayer(*m).newgame();
    return m;
}

int rowof(const Module1 &m, const char *text)
{
    for (int p = 0; p <= m.poollast(); ++p)
        if (textform(m.candidates[p]) == text)
            return p;
    return -1;
}

// The computer's turn with this guess, answered by this code.
void answer(Module1 &m, const char *guess, int code)
{
    ComputerPlayer player(m);
    player.takeguess(digitsof(guess));
    player.recordanswer(code);
}

}  // namespace

TEST(Guesser, AnswerZeroKeepsNumbersOfTheOtherSixDigits)
{
    for (const char *guess : {"1234", "1023"}) {
        auto m = freshgame();
        answer(*m, guess, 0);
        auto s = std::make_unique<Scratch>();
        findpossibles(*m, *s);
        const auto clear = [&](const Digits &c) {
            return std::ranges::none_of(
                c, [&](auto d) { return std::string(guess).find(char('0' + d)) != std::string::npos; });
        };
        EXPECT_EQ(s->possiblecount, std::count_if(m->candidates.begin(), m->candidates.begin() + m->poolcount, clear));
        // 360 numbers when the guess holds a 0, else 300: no leading 0 among six digits.
        EXPECT_EQ(s->possiblecount, std::string(guess).find('0') == std::string::npos ? 300 : 360);
    }
}

TEST(Guesser, ContradictoryAnswersLeaveNothing)
{
    auto m = freshgame();
    answer(*m, "1234", 0);
    answer(*m, "4321", 1);
    auto s = std::make_unique<Scratch>();
    EXPECT_EQ(countclasses(*m, *s), Assessment::NoPossible);
}

TEST(Guesser, RatingsOfTwoPossibles)
{
    // Two numbers left, 1234 and 1243, put into the possibles by hand rather than reached
    // by answers, and every pool row's class sizes worked out here against the two.
    auto m = freshgame();
    auto s = std::make_unique<Scratch>();
    const int a = rowof(*m, "1234"), b = rowof(*m, "1243");
    s->possiblecount = 2;
    s->possibles[0] = m->candidates[a];
    s->possibles[1] = m->candidates[b];
    for (int p = 0; p <= m->poollast(); ++p) {
        std::array<int, kClasses> sizes{};
        for (int q = 0; q < 2; ++q) {
            const int code = signcode(m->candidates[p], s->possibles[q]);
            for (int n = 0; n < kClasses; ++n)
                sizes[n] += kSignCodes[n] == code;
        }
        s->classsizes[p] = sizes;
    }
    ratepool(*m, *s);
    EXPECT_EQ(s->ratings[a], 1106.0);
    EXPECT_EQ(s->ratings[b], 1106.0);
    EXPECT_EQ(s->ratings[rowof(*m, "5678")], 550.5);   // both in class 0
    EXPECT_EQ(s->ratings[rowof(*m, "1235")], 1101.0);  // 30 against 1234, 20 against 1243
    pickbest(*m, *s);
    ASSERT_EQ(s->bestcount, 2);
    EXPECT_EQ(s->bestlist[0], std::min(a, b));
    EXPECT_EQ(s->bestlist[1], std::max(a, b));
}

TEST(Guesser, ClassSizesAddUpAndTiesStayInPoolOrder)
{
    auto m = freshgame();
    answer(*m, "1023", 1);
    auto s = std::make_unique<Scratch>();
    ASSERT_EQ(countclasses(*m, *s), Assessment::Counted);
    for (int p = 0; p <= m->poollast(); ++p) {
        const int total = std::accumulate(s->classsizes[p].begin(), s->classsizes[p].end(), 0);
        ASSERT_TRUE(total == s->possiblecount || total == s->possiblecount - 1);
    }
    ratepool(*m, *s);
    pickbest(*m, *s);
    ASSERT_GE(s->bestcount, 1);
    std::set<double> bestratings;
    for (int i = 0; i < s->bestcount; ++i) {
        EXPECT_TRUE(i == 0 || s->bestlist[i - 1] < s->bestlist[i]) << i;
        bestratings.insert(s->ratings[s->bestlist[i]]);
    }
    EXPECT_EQ(bestratings.size(), 1u);
    for (int p = 0; p <= m->poollast(); ++p)
        EXPECT_LE(s->ratings[p], *bestratings.begin());
}

namespace {

// The rating division by division, as ratepool is defined, for checking its table of
// reciprocals and its branch-free form bit for bit.
double dividedrating(const Scratch &s, int p)
{
    double ratingacc = 0;
    int classcount = 0, classtotal = 0, largest = 0, smallest = kCandidates;
    double chance = 0, information = 0;
    for (int n = 0; n < kClasses; ++n) {
        const int size = s.classsizes[p][n];
        if (size > largest)
            largest = size;
        if (size != 0 && size < smallest)
            smallest = size;
        if (size > 0) {
            ratingacc = 1.0 / size + ratingacc;
            classtotal += size;
            ++classcount;
        }
    }
    if (classtotal == s.possiblecount) {
        information = ratingacc / classcount;
    } else {
        chance = 1.0 / s.possiblecount;
        information = (ratingacc / classcount) * (1 - chance) + chance;
    }
    return (1.0 / largest) * 1000 + information * 100 + chance * 10 + 1.0 / smallest;
}

}  // namespace

TEST(Guesser, VectorCountsMatchThePlainCountOnRealTurns)
{
    // Four turns: one before any answer (the whole table possible and in the pool, the
    // largest classes there are); the heaviest (1023 answered "-": one of 1, 0, 2, 3 out
    // of place and three of the six other digits, 1320 possibles, more than a byte
    // counter holds, many of them pool rows that meet themselves); the next turn, after
    // a row was swapped out of the middle of the pool; and nine answers for the secret
    // 1234 by guesses without 3 or 4, which cannot tell 1234 from 1243 and fill both
    // words of keys in the filter. Pool sizes 4536, 4535, 4534 and 4527 leave
    // part-filled lanes.
    struct Turn {
        std::vector<std::pair<const char *, int>> answers;
        int possibles;  // 0: not known beforehand
    };
    std::vector<std::pair<const char *, int>> nine;
    for (const char *guess : {"5678", "1256", "2157", "6120", "8951", "1025", "7890", "2619", "9512"})
        nine.emplace_back(guess, signcode(digitsof(guess), digitsof("1234")));
    const Turn turns[] = {{{}, kCandidates}, {{{"1023", 1}}, 1320}, {{{"1023", 1}, {"4567", 11}}, 0}, {nine, 0}};
    for (const Turn &turn : turns) {
        auto m = freshgame();
        for (auto [guess, code] : turn.answers)
            answer(*m, guess, code);
        auto plain = std::make_unique<Scratch>();
        ASSERT_EQ(countclasses(*m, *plain, Counting::Reference), Assessment::Counted);
        for (Counting how : {Counting::Fastest, Counting::Portable}) {
            SCOPED_TRACE(testing::Message() << turn.answers.size() << " answers, counting " << static_cast<int>(how));
            auto fast = std::make_unique<Scratch>();
            ASSERT_EQ(countclasses(*m, *fast, how), Assessment::Counted);
            if (turn.possibles != 0) {
                ASSERT_EQ(plain->possiblecount, turn.possibles);
            }
            if (turn.answers.size() == 9) {
                const auto found = [&](const char *text) {
                    return std::count(plain->possibles.begin(), plain->possibles.begin() + plain->possiblecount,
                                      digitsof(text)) == 1;
                };
                ASSERT_TRUE(found("1234") && found("1243"));
            }
            ASSERT_EQ(fast->possiblecount, plain->possiblecount);
            for (int i = 0; i < plain->possiblecount; ++i)
                ASSERT_EQ(fast->possibles[i], plain->possibles[i]) << i;
            for (int p = 0; p <= m->poollast(); ++p)
                ASSERT_EQ(fast->classsizes[p], plain->classsizes[p]) << textform(m->candidates[p]);
            // The different answers of each row: its classes met, and the hit when it is a possible.
            std::vector<Answers> answers(m->poollast() + 1);
            countanswers(std::span(m->candidates).first(answers.size()),
                         std::span(plain->possibles).first(plain->possiblecount), answers, how);
            for (int p = 0; p <= m->poollast(); ++p) {
                const auto &sizes = plain->classsizes[p];
                const bool hit = std::accumulate(sizes.begin(), sizes.end(), 0) != plain->possiblecount;
                const auto met = std::ranges::count_if(sizes, [](int size) { return size != 0; });
                ASSERT_EQ(std::pair(int{answers[p].different}, answers[p].hit), std::pair(int(met) + int(hit), hit))
                    << textform(m->candidates[p]);
            }
            ratepool(*m, *fast);
            pickbest(*m, *fast);
            double best = 0;
            for (int p = 0; p <= m->poollast(); ++p) {
                const double divided = dividedrating(*plain, p);
                ASSERT_EQ(std::bit_cast<std::uint64_t>(fast->ratings[p]), std::bit_cast<std::uint64_t>(divided))
                    << textform(m->candidates[p]);
                best = std::max(best, divided);
            }
            std::vector<int> bestrows;
            for (int p = 0; p <= m->poollast(); ++p)
                if (dividedrating(*plain, p) == best)
                    bestrows.push_back(p);
            EXPECT_EQ(std::vector<int>(fast->bestlist.begin(), fast->bestlist.begin() + fast->bestcount), bestrows);
        }
    }
}

TEST(ComputerPlayer, AfterEveryCallThePoolHoldsTheNumbersNotGuessedYetOnceEach)
{
    // A guess taken out of the pool wrongly would come again, or push out a number never
    // guessed. The second guess is a last chance, drawn from the possibles; when it misses,
    // the check that a number still fits must see the whole pool, the last row too, which
    // the last chance's removal moves (a first guess 1023 leaves 9875 on it).
    struct Game {
        const char *secret;
        const char *first;  // the computer's first guess, or nullptr to draw it
        bool onlastrow;     // the secret is on the pool's last row when the last chance comes
    };
    for (const Game &game : {Game{"5012", nullptr, false}, Game{"9875", "1023", true}}) {
        auto m = freshgame();
        ComputerPlayer player(*m);
        std::mt19937_64 rng(3);
        const Digits secret = digitsof(game.secret);
        std::multiset<Digits> notguessed(m->candidates.begin(), m->candidates.end());
        const auto pool = [&] {
            return std::multiset<Digits>(m->candidates.begin(), m->candidates.begin() + m->poolcount);
        };
        const auto possible = [&](const Digits &number) {
            const Scratch &s = player.scratch();
            return std::count(s.possibles.begin(), s.possibles.begin() + s.possiblecount, number) == 1;
        };
        for (int turn = 0;; ++turn) {
            SCOPED_TRACE(testing::Message() << game.secret << ", turn " << turn);
            Digits guess{};
            if (turn == 0 && game.first) {
                guess = digitsof(game.first);
                player.takeguess(guess);
            } else {
                EXPECT_TRUE(turn != 1 || (m->candidates[m->poollast()] == secret) == game.onlastrow);
                const CandidateTable before = m->candidates;
                const NextGuess next = player.nextguess(rng, turn == 1);
                if (next.result != Guessed::Guess) {
                    EXPECT_GE(turn, 3);
                    EXPECT_EQ(pool(), notguessed) << "after the last assessment";
                    break;
                }
                EXPECT_EQ(before[next.row], next.number);
                EXPECT_TRUE(turn != 1 || possible(next.number));
                guess = next.number;
            }
            EXPECT_EQ(m->myguesses[m->myguesscount], guess);
            EXPECT_EQ(notguessed.erase(guess), 1u) << "guessed before";
            EXPECT_EQ(pool(), notguessed) << "after the guess";
            const int code = signcode(guess, secret);
            player.recordanswer(code);
            EXPECT_EQ(pool(), notguessed) << "after the answer";
            if (code == kHit)
                break;
            if (turn == 1) {  // the last chance missed
                EXPECT_TRUE(player.anypossible() && possible(secret));
                EXPECT_EQ(pool(), notguessed) << "after anypossible";
            }
        }
    }
}

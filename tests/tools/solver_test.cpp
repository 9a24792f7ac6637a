// SPDX-License-Identifier: MIT
// The solver against the plain definition, on games small enough for it: the least
// total and the fewest guesses in the worst case, any guess or possibles only, with the
// plans it finds replayed and read back from their text; and against the least totals
// of the classes of the first guess 0123 where 0 may lead.
#include "tools/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <vector>

using namespace numora;

namespace {

using Set = std::vector<int>;

// Every guess at every position, remembered by the set of secrets left.
class Definition {
public:
    explicit Definition(const Rules &rules, bool possibleonly = false)
        : numbers_(numbersof(rules)), possibleonly_(possibleonly)
    {
    }

    // The classes `guess` splits `set` into, the hit left out.
    std::vector<Set> classes(const Set &set, int guess) const
    {
        std::map<int, Set> byanswer;
        for (const int secret : set) {
            const int code = signcode(numbers_[guess], numbers_[secret]);
            if (code != kHit)
                byanswer[code].push_back(secret);
        }
        std::vector<Set> out;
        out.reserve(byanswer.size());
        for (auto &[code, part] : byanswer)
            out.push_back(std::move(part));
        return out;
    }

    // Least total: every secret of the set takes this guess, then its class's total.
    int total(const Set &set)
    {
        return best(set, totals_, [&](const Set &s, const std::vector<Set> &parts) {
            int sum = static_cast<int>(s.size());
            for (const Set &part : parts)
                sum += total(part);
            return sum;
        });
    }

    // Fewest guesses that always find the secret.
    int worst(const Set &set)
    {
        return best(set, worsts_, [&](const Set &, const std::vector<Set> &parts) {
            int most = 1;
            for (const Set &part : parts)
                most = std::max(most, 1 + worst(part));
            return most;
        });
    }

    Set all() const
    {
        Set set(numbers_.size());
        std::iota(set.begin(), set.end(), 0);
        return set;
    }

private:
    // The least value over every guess that learns something, remembered.
    template <typename Value> int best(const Set &set, std::map<Set, int> &memo, Value value)
    {
        if (set.size() == 1)
            return 1;
        if (const auto found = memo.find(set); found != memo.end())
            return found->second;
        int least = 1 << 30;
        for (int g = 0; g < static_cast<int>(numbers_.size()); ++g) {
            if (possibleonly_ && !std::ranges::binary_search(set, g))
                continue;
            const std::vector<Set> parts = classes(set, g);
            if (parts.size() != 1 || parts[0].size() != set.size())
                least = std::min(least, value(set, parts));
        }
        return memo[set] = least;
    }

    std::vector<Digits> numbers_;
    bool possibleonly_;
    std::map<Set, int> totals_, worsts_;
};

long totalof(const std::map<int, int> &games)
{
    long total = 0;
    for (auto [k, n] : games)
        total += static_cast<long>(k) * n;
    return total;
}

// Digits, places, leading 0: two places have 5 answers, three 9, four the game's 14.
const Rules kSmallGames[] = {{4, 2, true},  {4, 2, false}, {6, 2, true}, {6, 2, false}, {4, 3, true},
                             {5, 3, false}, {5, 3, true},  {4, 4, true}, {4, 4, false}};

TEST(Solver, SmallGamesAgreeWithTheDefinition)
{
    for (const Rules &rules : kSmallGames) {
        for (const bool possibleonly : {false, true}) {
            Definition definition(rules, possibleonly);
            const Set all = definition.all();
            for (const bool worstcase : {false, true}) {
                SCOPED_TRACE(std::to_string(rules.digits) + " digits, " + std::to_string(rules.places) + " places" +
                             (rules.leadingzero ? ", leading 0, " : ", ") + (worstcase ? "worst case" : "least total") +
                             (possibleonly ? ", possibles only" : ""));
                SolveOptions options{rules, 2, worstcase};
                options.possibleonly = possibleonly;
                const auto solved = solvegame(options);
                ASSERT_TRUE(solved);
                const Solution solution = solved.value_or(Solution{});
                EXPECT_EQ(solution.value, worstcase ? definition.worst(all) : definition.total(all));
                const Replay played = replay(rules, solution.plan);
                ASSERT_EQ(played.error, "");
                const int games = std::accumulate(played.games.begin(), played.games.end(), 0,
                                                  [](int sum, const auto &entry) { return sum + entry.second; });
                EXPECT_EQ(games, static_cast<int>(all.size()));
                if (worstcase)
                    EXPECT_EQ(played.games.rbegin()->first, solution.value);
                else
                    EXPECT_EQ(totalof(played.games), solution.value);
                const Reading read = readplan(rules, writeplan(rules, solution.plan, totalof(played.games)));
                ASSERT_EQ(read.error, "");
                EXPECT_EQ(replay(rules, read.plan).games, played.games);
            }
        }
    }
}

// Two games of 24 numbers one after the other on one thread: nothing the counting keeps
// of the first game's numbers may serve the second.
TEST(Solver, GamesOfOneSizeSolvedBackToBackOnOneThread)
{
    for (const bool worstcase : {false, true})
        for (const Rules &rules : {Rules{4, 3, true}, Rules{4, 4, true}}) {
            SCOPED_TRACE(std::to_string(rules.places) + " places" + (worstcase ? ", worst case" : ""));
            Definition definition(rules);
            const auto solved = solvegame({rules, 1, worstcase});
            ASSERT_TRUE(solved);
            EXPECT_EQ(solved.value_or(Solution{}).value,
                      worstcase ? definition.worst(definition.all()) : definition.total(definition.all()));
        }
}

// The classes of the first guess 0123 where 0 may lead (5040 numbers, 26274 in all): the
// secrets of each and its least total, counted from the guess after 0123 on. The larger
// ones only where the build is optimised.
TEST(Solver, ClassesOfTheFirstGuessHaveTheirLeastTotals)
{
    struct Case {
        const char *answer;
        int secrets, total;
    };
    const Case cases[] = {
#ifdef NDEBUG
        {"1+0-", 480, 1913}, {"0+0-", 360, 1446},
#endif
        {"0+3-", 264, 1004}, {"1+2-", 216, 804},  {"2+0-", 180, 659}, {"2+1-", 72, 240},
        {"3+0-", 24, 73},    {"0+4-", 9, 23},     {"1+3-", 8, 22},    {"2+2-", 6, 15},
    };
    const Rules rules{10, 4, true};
    const std::vector<Digits> numbers = numbersof(rules);
    const auto first = static_cast<std::uint16_t>(std::ranges::find(numbers, Digits{0, 1, 2, 3}) - numbers.begin());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.answer);
        const int code = 10 * (c.answer[0] - '0') + (c.answer[2] - '0');
        EXPECT_EQ(std::ranges::count_if(numbers, [&](const Digits &d) { return signcode(numbers[first], d) == code; }),
                  c.secrets);
        SolveOptions options{rules, 2};
        options.start = {{first, code}};
        EXPECT_EQ(solvegame(options).value_or(Solution{}).value, c.total);
    }
}

}  // namespace

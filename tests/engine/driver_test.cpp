// SPDX-License-Identifier: MIT
#include "engine/driver.h"
#include "engine/entry.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <malloc.h>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace numora;

namespace {

// Records what the driver shows; steps queued by afterpump run on pump().
struct FakeWindow : GameWindow {
    std::vector<AnsweredGuess> picture1, picture2;
    bool thinking = false;
    std::optional<Digits> label8;
    std::optional<Outcome> ended;
    int loads = 0, beeps = 0;
    bool numberentry = false, signentry = false;
    std::deque<std::function<void()>> steps;

    void form_load() override
    {
        ++loads;
        picture1.clear();
        picture2.clear();
        label8.reset();
        ended.reset();
        numberentry = signentry = false;
    }
    void setthinking(bool t) override { thinking = t; }
    void setlabel8(std::optional<Digits> guess) override { label8 = guess; }
    // The guess on show; a test that asks when none is shown fails there.
    Digits shown() const
    {
        if (!label8)
            throw std::logic_error("no guess is shown");
        return *label8;
    }
    void addrow(Board b, const AnsweredGuess &row) override
    {
        (b == Board::Picture1 ? picture1 : picture2).push_back(row);
    }
    void wait2() override { numberentry = true, signentry = false; }
    void wait() override { numberentry = false, signentry = true; }
    void afterpump(std::function<void()> step) override { steps.push_back(std::move(step)); }
    void beep() override { ++beeps; }
    void showend(Outcome outcome) override { ended = outcome; }
    void pump()
    {
        while (!steps.empty()) {
            auto step = std::move(steps.front());
            steps.pop_front();
            step();
        }
    }
};

struct Game {
    FakeWindow window;
    Driver driver{window, 42};
    Game() { driver.startgame(); }

    // A guess of the player's that misses the computer's number and is new.
    std::string missingguess()
    {
        CandidateTable all{};
        buildcandidates(all);
        const Module1 &m = driver.state();
        const auto tried = m.yourguesses.begin(), end = tried + m.yourguesscount;  // the player's guesses
        for (const auto &c : all)
            if (signcode(c, digitsof(m.mynumber)) != kHit && std::find(tried, end, textform(c)) == end)
                return textform(c);
        return {};
    }
    void guess(const std::string &text)
    {
        ASSERT_EQ(driver.confirmnumber(text).result, NumberResult::Accepted);
        window.pump();
    }
    void answerfor(const std::string &secret)
    {
        const int code = signcode(window.shown(), digitsof(secret));
        ASSERT_EQ(driver.confirmsigns(code / 10, code % 10), SignsResult::Accepted);
    }
    // An answer to the shown guess that no number fits together with the earlier answers.
    std::pair<int, int> impossibleanswer()
    {
        const Module1 &m = driver.state();
        const Digits shown = window.shown();
        CandidateTable all{};
        buildcandidates(all);
        for (int code : kSignCodes) {
            bool fits = false;
            for (const auto &x : all) {
                bool agrees = signcode(shown, x) == code;
                for (int g = 0; g < m.myguesscount; ++g)
                    agrees = agrees && signcode(m.myguesses[g], x) == m.mysigns[g];
                fits = fits || agrees;
            }
            if (!fits)
                return {code / 10, code % 10};
        }
        return {-1, -1};
    }
};

}  // namespace

TEST(Driver, HonestAnswersEndInALossThatNamesTheHiddenNumber)
{
    for (const char *secret : {"1234", "9876", "4096", "5012"}) {
        Game g;
        g.guess(g.missingguess());
        while (g.driver.phase() == Phase::SignEntry) {
            g.answerfor(secret);
            if (g.driver.phase() == Phase::NumberEntry)
                g.guess(g.missingguess());
        }
        ASSERT_EQ(g.driver.phase(), Phase::Ended);
        EXPECT_EQ(g.window.ended, Outcome::Lost);
        const AnsweredGuess hit{digitsof(secret), 4, 0};
        EXPECT_TRUE(g.window.label8 == digitsof(secret) || g.window.picture2.back() == hit) << secret;
        EXPECT_EQ(g.window.picture1.size(), static_cast<std::size_t>(g.driver.state().yourguesscount));
        EXPECT_LE(g.window.picture2.size(), 9u);
    }
}

TEST(Driver, FirstGuessHitGivesALastChanceThenWinOrDraw)
{
    Game g;
    g.guess(g.driver.state().mynumber);
    ASSERT_EQ(g.driver.phase(), Phase::SignEntry);
    const std::string secret = g.window.label8 == digitsof("1234") ? "5678" : "1234";
    g.answerfor(secret);
    EXPECT_EQ(g.window.ended, Outcome::Won);

    Game h;
    h.guess(h.driver.state().mynumber);
    ASSERT_EQ(h.driver.confirmsigns(4, 0), SignsResult::Accepted);
    EXPECT_EQ(h.window.ended, Outcome::Draw);
}

TEST(Driver, ImpossibleSignsAreRefused)
{
    Game g;
    g.guess(g.missingguess());
    for (auto [p, m] : {std::pair{4, 1}, {3, 1}, {2, 3}, {1, 4}, {5, 0}})
        EXPECT_EQ(g.driver.confirmsigns(p, m), SignsResult::Impossible);
    EXPECT_TRUE(g.window.picture2.empty());
    EXPECT_EQ(g.driver.confirmsigns(0, 0), SignsResult::Accepted);
    EXPECT_EQ(g.window.picture2.size(), 1u);
}

TEST(Driver, PlayersGuessIsAnsweredAgainstTheComputersNumber)
{
    // a to d: the computer's digits; w to z: digits it lacks, largest first, so never 0.
    const std::vector<std::tuple<std::string, int, int>> rows = {
        {"abcd", 4, 0}, {"abdc", 2, 2}, {"acdb", 1, 3}, {"abcw", 3, 0},
        {"awxy", 1, 0}, {"wabc", 0, 3}, {"wxyz", 0, 0}, {"wxab", 0, 2},
    };
    for (const auto &[pattern, plus, minus] : rows) {
        Game g;
        const std::string number = g.driver.state().mynumber;
        std::string lacking;
        for (char d = '9'; d >= '0'; --d)
            if (number.find(d) == std::string::npos)
                lacking += d;
        const std::string letters = "abcdwxyz", digits = number + lacking;
        std::string guess;
        for (char c : pattern)
            guess += digits.at(letters.find(c));
        const NumberAnswer answer = g.driver.confirmnumber(guess);
        EXPECT_EQ(answer.result, NumberResult::Accepted) << pattern;
        EXPECT_EQ(std::pair(answer.plus, answer.minus), std::pair(plus, minus)) << pattern << " against " << number;
    }
}

TEST(Entry, TypingKeepsAGuessThatCanStillBeAdmissible)
{
    const std::vector<std::tuple<std::string, int, bool>> rows = {
        {"", 1, true},    {"", 9, true},    {"", 0, false},  {"", -1, false},  {"", 10, false},    {"1", 0, true},
        {"10", 1, false}, {"10", 0, false}, {"10", 2, true}, {"987", 6, true}, {"9876", 5, false},
    };
    for (const auto &[typed, digit, accepted] : rows) {
        Entry entry{typed};
        EXPECT_EQ(entry.type(digit), accepted) << typed << " + " << digit;
        EXPECT_EQ(entry.typed, accepted ? typed + static_cast<char>('0' + digit) : typed);
    }
}

TEST(Driver, RepeatedAndShortGuessesRecordNothing)
{
    Game g;
    EXPECT_EQ(g.driver.confirmnumber("123").result, NumberResult::Incomplete);
    const auto first = g.missingguess();
    g.guess(first);
    g.answerfor("9876");
    EXPECT_EQ(g.driver.confirmnumber(first).result, NumberResult::Repeated);
    EXPECT_EQ(g.driver.state().yourguesscount, 1);
    EXPECT_EQ(g.window.picture1.size(), 1u);
}

TEST(Driver, ContradictionAtAnOrdinaryTurnStartsAFreshGame)
{
    Game g;
    g.guess(g.missingguess());
    ASSERT_EQ(g.driver.confirmsigns(0, 0), SignsResult::Accepted);
    g.guess(g.missingguess());
    const auto [p, m] = g.impossibleanswer();
    ASSERT_GE(p, 0);
    ASSERT_EQ(g.driver.confirmsigns(p, m), SignsResult::Accepted);
    g.guess(g.missingguess());
    ASSERT_EQ(g.driver.phase(), Phase::Contradiction);
    EXPECT_EQ(g.window.ended, Outcome::Contradiction);
    const int loads = g.window.loads;
    g.driver.badsignsok();
    EXPECT_EQ(g.window.loads, loads + 1);
    EXPECT_EQ(g.driver.phase(), Phase::NumberEntry);
    EXPECT_TRUE(g.window.picture1.empty());
}

TEST(Driver, ContradictionAfterAMissedLastChance)
{
    Game g;
    g.guess(g.missingguess());
    g.answerfor("9876");
    g.guess(g.missingguess());
    g.answerfor("9876");
    g.guess(g.driver.state().mynumber);
    ASSERT_EQ(g.driver.phase(), Phase::SignEntry);
    const auto [p, m] = g.impossibleanswer();
    ASSERT_GE(p, 0);
    g.driver.confirmsigns(p, m);
    EXPECT_EQ(g.driver.phase(), Phase::Contradiction);
}

TEST(Driver, NewGameDropsThePendingTurn)
{
    Game g;
    g.guess(g.missingguess());
    g.answerfor("1234");
    ASSERT_EQ(g.driver.confirmnumber(g.missingguess()).result, NumberResult::Accepted);
    EXPECT_TRUE(g.window.thinking);
    g.driver.startgame();
    g.window.pump();  // the old game's assessment must not run
    EXPECT_EQ(g.driver.phase(), Phase::NumberEntry);
    EXPECT_FALSE(g.window.label8);
    EXPECT_EQ(g.driver.state().myguesscount, 0);
    EXPECT_EQ(g.driver.confirmsigns(0, 0), SignsResult::Refused);
}

TEST(Driver, SeedsThatDifferOnlyInTheirHighHalfPlayDifferentGames)
{
    // std::seed_seq keeps 32 bits of each value it is given.
    std::set<std::vector<std::string>> runs;
    for (std::uint64_t seed : {7ull, 7ull + (1ull << 32), 7ull + (1ull << 63)}) {
        FakeWindow window;
        Driver driver(window, seed);
        std::vector<std::string> hidden;
        for (int game = 0; game < 3; ++game) {
            driver.startgame();
            hidden.push_back(driver.state().mynumber);
        }
        runs.insert(hidden);
    }
    EXPECT_EQ(runs.size(), 3u);
}

TEST(Driver, OnePossibleLeftEndsInALossOrADraw)
{
    // The computer counts a lone possible number as found without guessing it: a loss,
    // or a draw when the player has just found the computer's number in as many guesses.
    int losses = 0, draws = 0;
    for (const char *secret : {"1234", "9876", "4096", "5012", "7381", "2569", "6170", "3845"}) {
        for (bool hit : {false, true}) {
            Game g;
            g.guess(g.missingguess());
            bool reached = false;
            while (g.driver.phase() == Phase::SignEntry) {
                g.answerfor(secret);
                if (g.driver.phase() != Phase::NumberEntry)
                    break;
                auto s = std::make_unique<Scratch>();
                findpossibles(g.driver.state(), *s);
                reached = s->possiblecount == 1;
                g.guess(reached && hit ? g.driver.state().mynumber : g.missingguess());
            }
            if (!reached)
                continue;
            ASSERT_EQ(g.driver.phase(), Phase::Ended) << secret;
            EXPECT_EQ(g.window.label8, digitsof(secret));  // named, never answered
            EXPECT_EQ(g.window.picture2.size(), g.window.picture1.size() - 1);
            EXPECT_EQ(g.window.ended, hit ? Outcome::Draw : Outcome::Lost) << secret;
            ++(hit ? draws : losses);
        }
    }
    EXPECT_GT(losses, 0);
    EXPECT_GT(draws, 0);
}

TEST(Driver, LastChanceThatHitsIsADraw)
{
    Game g;
    g.guess(g.missingguess());
    g.answerfor("3159");
    g.guess(g.driver.state().mynumber);
    ASSERT_EQ(g.driver.phase(), Phase::SignEntry);
    // The last chance is drawn from the numbers that fit every answer, so the player may
    // honestly have hidden it.
    const Digits lastchance = g.window.shown();
    const Module1 &m = g.driver.state();
    for (int i = 0; i < m.myguesscount; ++i)
        ASSERT_EQ(signcode(m.myguesses[i], lastchance), m.mysigns[i]);
    ASSERT_EQ(g.driver.confirmsigns(4, 0), SignsResult::Accepted);
    EXPECT_EQ(g.window.ended, Outcome::Draw);
    EXPECT_EQ(g.window.picture2.back(), (AnsweredGuess{lastchance, 4, 0}));
}

namespace {

using numora::testsupport::residentkib;

// Notes the deepest and the shallowest stack at which a game opens its first entry.
struct DepthWindow : FakeWindow {
    std::uintptr_t deepest = UINTPTR_MAX, shallowest = 0;
    void wait2() override
    {
        FakeWindow::wait2();
        const auto at = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
        deepest = std::min(deepest, at);  // the stack grows down
        shallowest = std::max(shallowest, at);
    }
};

}  // namespace

TEST(Driver, TenThousandGamesInARowUseOneDepthAndOneFootprint)
{
    // Every end starts the next game by returning, never by calling into it, and a game
    // leaves nothing behind. Every game opens from the same call in the loop below, so
    // each opens at the depth of the first; games nested in the ones before would open
    // deeper and deeper, 10,000 times at least 16 bytes, far beyond the allowance.
    // The window's 500 games (longplay_test) prove the same through Qt's event loop; only
    // here are there enough games for a small leak to show on the heap, and is the driver
    // alone to blame for a deeper stack, with no window or event loop in between.
    constexpr std::uintptr_t kDepthAllowance = 1024;
    // The heap is read at the same two points; an allocation of 32 bytes or more left
    // behind by each game would add over 300 KiB.
    constexpr std::size_t kHeapAllowance = 64 * 1024;
    DepthWindow window;
    Driver driver(window, 7);
    driver.startgame();
    struct Footprint {
        std::size_t heap = 0;
        long resident = 0;
    } at100, at10000;
    for (int game = 1; game <= 10000; ++game) {
        ASSERT_EQ(driver.phase(), Phase::NumberEntry) << game;
        if (game == 100)
            at100 = {mallinfo2().uordblks, residentkib()};
        if (game == 10000)
            at10000 = {mallinfo2().uordblks, residentkib()};
        const std::string hidden = driver.state().mynumber;
        const int kind = game % 3;  // 0: lost, 1: draw, 2: won
        const std::string guess = kind == 0 ? (hidden == "1234" ? "5678" : "1234") : hidden;
        ASSERT_EQ(driver.confirmnumber(guess).result, NumberResult::Accepted);
        window.pump();
        ASSERT_EQ(driver.phase(), Phase::SignEntry) << game;
        const Digits shown = window.shown();
        const Digits other = shown == digitsof("1234") ? digitsof("5678") : digitsof("1234");
        const int code = kind == 2 ? signcode(shown, other) : kHit;
        ASSERT_EQ(driver.confirmsigns(code / 10, code % 10), SignsResult::Accepted);
        const Outcome expected[] = {Outcome::Lost, Outcome::Draw, Outcome::Won};
        ASSERT_EQ(window.ended, expected[kind]) << game;
        if (game == 1)  // the first game came from startgame, every later one from yes
            window.deepest = UINTPTR_MAX, window.shallowest = 0;
        driver.yes();
    }
    EXPECT_LE(window.shallowest - window.deepest, kDepthAllowance);
    if (numora::testsupport::kFootprintIsMeaningful) {
        EXPECT_LE(std::max(at10000.heap, at100.heap) - std::min(at10000.heap, at100.heap), kHeapAllowance);
        EXPECT_LE(std::abs(at10000.resident - at100.resident), 2048);
    }
    EXPECT_EQ(window.loads, 10001);
}

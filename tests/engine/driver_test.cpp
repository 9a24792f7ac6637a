// SPDX-License-Identifier: MIT
#include "engine/driver.h"
#include "engine/entry.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <malloc.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace numora;

namespace {

bool fitsall(const Module1 &m, const Digits &number)
{
    for (int g = 0; g < m.myguesscount; ++g)
        if (signcode(m.myguesses[g], number) != m.mysigns[g])
            return false;
    return true;
}

// What happened, in words, for the tables: "player-row thinking next". Each step's
// facts are checked against the game's record on the way.
std::string words(const Driver &driver, const Happenings &happened)
{
    const Module1 &m = driver.state();
    std::string said;
    for (const Happening &happening : happened) {
        said += said.empty() ? "" : " ";
        said += std::visit(
            Overloaded{
                [&](const GameStarted &) {
                    EXPECT_EQ(m.yourguesscount + m.myguesscount + kCandidates - m.poolcount, 0);
                    return "started";
                },
                [&](const RowAdded &added) {
                    const auto rows = boardrows(m, added.side);
                    EXPECT_TRUE(!rows.empty() && rows.back() == added.row);
                    return added.side == Side::Player ? "player-row" : "computer-row";
                },
                [&](const GuessShown &shown) {
                    // A guess awaits its answer; a last chance and a number worked out fit every answer.
                    const bool guessed = driver.phase() == Phase::SignEntry;
                    EXPECT_TRUE(!guessed || m.myguesses.at(m.myguesscount) == shown.guess);
                    EXPECT_TRUE((guessed && !m.youfound) || fitsall(m, shown.guess));
                    return "shown";
                },
                [](const GuessCleared &) { return "cleared"; },
                [](const ThinkingBegun &) { return "thinking"; },
                [](const ThinkingEnded &) { return "thought"; },
                [](const ComputerThinksNext &) { return "next"; },
                [](const NumberEntryOpened &) { return "number-entry"; },
                [](const SignEntryOpened &) { return "sign-entry"; },
                [](const Beeped &) { return "beep"; },
                [&](const GameEnded &ended) {
                    EXPECT_EQ(ended.mynumber, ended.outcome == Outcome::Lost ? m.mynumber : "");
                    return ended.outcome == Outcome::Lost ? "lost" : ended.outcome == Outcome::Won ? "won" : "draw";
                },
                [](const AnswersContradict &) { return "contradiction"; },
            },
            happening);
    }
    return said;
}

enum class Leaves : std::uint8_t { None, Fewest, Most };

// A game as a test plays it, by steps named in words; what each call did is logged.
struct Game {
    Driver driver;
    std::vector<std::string> log;
    Happenings last;  // what the last call did
    explicit Game(Score score = nullptr) : driver(42, score) { note(driver.startgame()); }

    // A guess of the player's that misses the computer's number and is new.
    std::string miss() const
    {
        CandidateTable all{};
        buildcandidates(all);
        const Module1 &m = driver.state();
        const auto tried = m.yourguesses.begin(), end = tried + m.yourguesscount;
        for (const auto &c : all)
            if (signcode(c, digitsof(m.mynumber)) != kHit && std::find(tried, end, textform(c)) == end)
                return textform(c);
        return {};
    }
    Digits shown() const { return driver.state().myguesses.at(driver.state().myguesscount); }
    // How many numbers fit every answer so far and `code` to the guess shown.
    int fitting(int code) const
    {
        CandidateTable all{};
        buildcandidates(all);
        return static_cast<int>(std::ranges::count_if(
            all, [&](const Digits &x) { return signcode(shown(), x) == code && fitsall(driver.state(), x); }));
    }
    // An answer other than "4 +" that leaves no number fitting, the fewest but one, or the most.
    int leaving(Leaves leaves) const
    {
        std::vector<std::pair<int, int>> left;  // numbers fitting, code
        for (int code : kSignCodes)
            left.emplace_back(fitting(code), code);
        std::ranges::sort(left);
        const auto it =
            std::ranges::find_if(left, [&](const auto &l) { return (l.first > 0) == (leaves != Leaves::None); });
        return leaves == Leaves::Most ? left.back().second : it == left.end() ? -1 : it->second;
    }

    void note(const Happenings &happened)
    {
        log.push_back(words(driver, happened));
        last = happened;
    }
    // The words of the last `calls` calls, oldest first: "player-row next / beep shown sign-entry".
    std::string tail(std::size_t calls) const
    {
        const std::size_t first = log.size() - std::min(calls, log.size());
        std::string said;
        for (std::size_t i = first; i < log.size(); ++i)
            said += (i > first ? " / " : "") + log[i];
        return said;
    }
    void confirm(const std::string &guess)
    {
        const NumberAnswer answer = driver.confirmnumber(guess);
        EXPECT_EQ(answer.result, NumberResult::Accepted) << guess;
        note(answer.happened);
    }
    void answer(int code)
    {
        const SignsAnswer answer = driver.confirmsigns(code / 10, code % 10);
        EXPECT_EQ(answer.result, SignsResult::Accepted) << code;
        note(answer.happened);
    }
    void play(const std::string &steps)
    {
        using Step = void (*)(Game &);
        static const std::map<std::string, Step> kSteps = {
            {"confirm", [](Game &g) { g.confirm(g.miss()); }},
            {"confirm-hit", [](Game &g) { g.confirm(g.driver.state().mynumber); }},
            {"think", [](Game &g) { g.note(g.driver.makeguess()); }},
            {"guess", [](Game &g) { g.play("confirm think"); }},
            {"hit", [](Game &g) { g.play("confirm-hit think"); }},
            {"answer-honest", [](Game &g) { g.answer(signcode(g.shown(), digitsof("9876"))); }},
            {"answer-hit", [](Game &g) { g.answer(kHit); }},
            {"answer-none", [](Game &g) { g.answer(g.leaving(Leaves::None)); }},
            {"answer-fewest", [](Game &g) { g.answer(g.leaving(Leaves::Fewest)); }},
            {"answer-most", [](Game &g) { g.answer(g.leaving(Leaves::Most)); }},
            {"turn", [](Game &g) { g.play("guess answer-most"); }},
            {"narrow",  // until one number is left
             [](Game &g) {
                 for (g.play("guess");
                      g.driver.phase() == Phase::SignEntry && g.fitting(g.leaving(Leaves::Fewest)) > 1;)
                     g.play("answer-fewest guess");
                 g.play("answer-fewest");
             }},
            {"new", [](Game &g) { g.note(g.driver.startgame()); }},
            {"yes", [](Game &g) { g.note(g.driver.yes()); }},
            {"ok", [](Game &g) { g.note(g.driver.badsignsok()); }},
        };
        std::istringstream in(steps);
        for (std::string step; in >> step;)
            kSteps.at(step)(*this);
    }
};

// The computer's worst rating: the split with the largest class is the best.
std::int64_t worstsplit(const std::array<int, kClasses> &sizes, bool)
{
    return *std::ranges::max_element(sizes);
}

struct Road {
    const char *name;
    const char *steps;  // from a fresh game
    const char *said;   // what the last calls did, " / " between calls
    Phase after;
    Score score = nullptr;
};

const Road kRoads[] = {
    {"the first guess", "confirm", "player-row next", Phase::Thinking},
    {"the computer's first guess", "confirm think", "player-row next / beep shown sign-entry", Phase::SignEntry},
    {"an answer that goes on", "guess answer-honest", "computer-row cleared number-entry", Phase::NumberEntry},
    {"a later guess", "turn confirm think", "player-row thinking next / thought beep shown sign-entry",
     Phase::SignEntry},
    {"four plus: lost", "guess answer-hit", "computer-row cleared lost beep", Phase::Ended},
    {"the first guess hits, four plus: a draw", "hit answer-hit", "computer-row cleared draw beep", Phase::Ended},
    {"a later hit: the last chance", "turn confirm-hit think",
     "player-row thinking next / thought beep shown sign-entry", Phase::SignEntry},
    {"the last chance misses: won", "turn hit answer-fewest", "computer-row cleared won beep", Phase::Ended},
    {"the last chance answered so that no number fits", "turn turn hit answer-none",
     "computer-row cleared contradiction", Phase::Contradiction},
    {"answers no number fits, found as the computer thinks", "guess answer-fewest guess answer-none confirm think",
     "player-row thinking next / contradiction", Phase::Contradiction},
    {"one number left: lost", "narrow confirm think", "thought shown lost beep", Phase::Ended},
    {"one number left as the player hits: a draw", "narrow confirm-hit think", "thought shown draw beep", Phase::Ended},
    {"ten guesses each: a draw", "turn turn turn turn turn turn turn turn turn turn", "computer-row cleared draw beep",
     Phase::Ended, worstsplit},
    {"New in the number entry", "turn new", "started number-entry", Phase::NumberEntry},
    {"New as the computer thinks: its turn is dropped", "turn confirm new think", "started number-entry / ",
     Phase::NumberEntry},
    {"New in the sign entry", "guess new", "started number-entry", Phase::NumberEntry},
    {"New at the end", "guess answer-hit new", "started number-entry", Phase::NumberEntry},
    {"New on the contradiction", "turn turn hit answer-none new", "started number-entry", Phase::NumberEntry},
    {"YES at the end", "guess answer-hit yes", "started number-entry", Phase::NumberEntry},
    {"YES before the end", "guess yes", "", Phase::SignEntry},
    {"OK on the contradiction", "turn turn hit answer-none ok", "started number-entry", Phase::NumberEntry},
    {"OK with no contradiction", "guess answer-hit ok", "", Phase::Ended},
};

}  // namespace

TEST(Driver, EachRoadThroughATurnSaysWhatHappenedInOrder)
{
    for (const Road &road : kRoads) {
        SCOPED_TRACE(road.name);
        Game g(road.score);
        g.play(road.steps);
        const std::string said = road.said;
        EXPECT_EQ(g.tail(std::ranges::count(said, '/') + 1), said);
        EXPECT_EQ(g.driver.phase(), road.after);
    }
}

TEST(Driver, RefusedOperationsDoNothing)
{
    Driver idle;  // before the first game only New does something
    EXPECT_EQ(idle.confirmnumber("1234").result, NumberResult::Refused);
    EXPECT_EQ(idle.confirmsigns(0, 0).result, SignsResult::Refused);
    EXPECT_TRUE(idle.makeguess().empty() && idle.yes().empty() && idle.badsignsok().empty());
    EXPECT_EQ(words(idle, idle.startgame()), "started number-entry");

    Game g;
    EXPECT_EQ(g.driver.confirmsigns(0, 0).result, SignsResult::Refused);
    EXPECT_EQ(g.driver.confirmnumber("123").result, NumberResult::Incomplete);
    const std::string first = g.miss();
    g.play("guess");
    EXPECT_EQ(g.driver.confirmnumber(g.miss()).result, NumberResult::Refused);
    for (auto [p, m] : {std::pair{4, 1}, {3, 1}, {2, 3}, {1, 4}, {5, 0}}) {
        const SignsAnswer answer = g.driver.confirmsigns(p, m);
        EXPECT_EQ(answer.result, SignsResult::Impossible);
        EXPECT_TRUE(answer.happened.empty());
    }
    EXPECT_EQ(g.driver.state().myguesscount, 0);
    g.answer(0);
    const NumberAnswer repeated = g.driver.confirmnumber(first);
    EXPECT_EQ(repeated.result, NumberResult::Repeated);
    EXPECT_TRUE(repeated.happened.empty());
    EXPECT_EQ(g.driver.state().yourguesscount, 1);
}

TEST(Driver, HonestAnswersEndInALossThatNamesTheHiddenNumber)
{
    for (const char *secret : {"1234", "9876", "4096", "5012"}) {
        Game g;
        g.play("guess");
        while (g.driver.phase() == Phase::SignEntry) {
            g.answer(signcode(g.shown(), digitsof(secret)));
            if (g.driver.phase() == Phase::NumberEntry)
                g.play("guess");
        }
        const bool workedout = g.log.back() == "thought shown lost beep";
        EXPECT_TRUE(workedout || g.log.back() == "computer-row cleared lost beep") << g.log.back();
        const Digits named = workedout ? std::get<GuessShown>(g.last.at(1)).guess
                                       : boardrows(g.driver.state(), Side::Computer).back().guess;
        EXPECT_EQ(named, digitsof(secret));
        EXPECT_LE(g.driver.state().myguesscount, 9);
    }
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
        ASSERT_EQ(answer.result, NumberResult::Accepted) << pattern;
        const AnsweredGuess row = std::get<RowAdded>(answer.happened.at(0)).row;
        EXPECT_EQ(std::pair(row.plus, row.minus), std::pair(plus, minus)) << pattern << " against " << number;
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

TEST(Driver, SeedsThatDifferOnlyInTheirHighHalfPlayDifferentGames)
{
    // std::seed_seq keeps 32 bits of each value it is given.
    std::set<std::vector<std::string>> runs;
    for (std::uint64_t seed : {7ull, 7ull + (1ull << 32), 7ull + (1ull << 63)}) {
        Driver driver(seed);
        std::vector<std::string> hidden;
        for (int game = 0; game < 3; ++game) {
            driver.startgame();
            hidden.push_back(driver.state().mynumber);
        }
        runs.insert(hidden);
    }
    EXPECT_EQ(runs.size(), 3u);
}

TEST(Driver, TenThousandGamesInARowLeaveNothingBehind)
{
    // Every end is followed by YES. The heap is read at the same two points; an
    // allocation of 32 bytes or more left behind by each game would add over 300 KiB.
    // The window's 500 games (longplay_test) prove the same through Qt's event loop, and
    // that each game starts at one stack depth.
    constexpr std::size_t kHeapAllowance = 64 * 1024;
    Driver driver(7);
    driver.startgame();
    struct Footprint {
        std::size_t heap = 0;
        long resident = 0;
    } at100, at10000;
    const char *const ends[] = {"lost", "draw", "won"};
    for (int game = 1; game <= 10000; ++game) {
        ASSERT_EQ(driver.phase(), Phase::NumberEntry) << game;
        if (game == 100)
            at100 = {mallinfo2().uordblks, numora::testsupport::residentkib()};
        if (game == 10000)
            at10000 = {mallinfo2().uordblks, numora::testsupport::residentkib()};
        const std::string hidden = driver.state().mynumber;
        const int kind = game % 3;  // 0: lost, 1: draw, 2: won
        const std::string guess = kind == 0 ? (hidden == "1234" ? "5678" : "1234") : hidden;
        ASSERT_EQ(driver.confirmnumber(guess).result, NumberResult::Accepted);
        ASSERT_EQ(words(driver, driver.makeguess()), "beep shown sign-entry") << game;
        const Digits shown = driver.state().myguesses[0];
        const Digits other = shown == digitsof("1234") ? digitsof("5678") : digitsof("1234");
        const int code = kind == 2 ? signcode(shown, other) : kHit;
        const SignsAnswer answer = driver.confirmsigns(code / 10, code % 10);
        ASSERT_EQ(words(driver, answer.happened), std::string("computer-row cleared ") + ends[kind] + " beep") << game;
        ASSERT_EQ(words(driver, driver.yes()), "started number-entry") << game;
    }
    if (numora::testsupport::kFootprintIsMeaningful) {
        EXPECT_LE(std::max(at10000.heap, at100.heap) - std::min(at10000.heap, at100.heap), kHeapAllowance);
        EXPECT_LE(std::abs(at10000.resident - at100.resident), 2048);
    }
}

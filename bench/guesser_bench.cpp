// SPDX-License-Identifier: MIT
// The guesser's assessment on its heaviest turn, whole and function by function.
// The heaviest is the first one after a guess with a 0 answered with a single "-":
// 1320 possibles against 4535 pool rows.
#include "engine/computerplayer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <utility>

using namespace numora;

namespace {

// The computer's record after it has made these guesses and had these answers, and
// the scratch its assessment works in.
struct Turn {
    std::unique_ptr<Module1> m = std::make_unique<Module1>();
    std::unique_ptr<Scratch> s = std::make_unique<Scratch>();
};

Turn afteranswers(std::initializer_list<std::pair<const char *, int>> answers, int expected)
{
    Turn turn;
    ComputerPlayer player(*turn.m);
    player.newgame();
    for (auto [guess, code] : answers) {
        player.takeguess(digitsof(guess));
        player.recordanswer(code);
    }
    findpossibles(*turn.m, *turn.s);
    if (turn.s->possiblecount != expected) {
        std::fprintf(stderr, "numora-bench: %d possibles where the turn should have %d\n", turn.s->possiblecount,
                     expected);
        std::exit(1);
    }
    return turn;
}

Turn heaviest()
{
    return afteranswers({{"1023", 1}}, 1320);
}

// The assessment after the next answer: 1023 -, then 4567 + -.
Turn thirdturn()
{
    return afteranswers({{"1023", 1}, {"4567", 11}}, 264);
}

void BM_HeaviestTurn(benchmark::State &state, Counting how)
{
    auto [m, s] = heaviest();
    for (auto _ : state) {
        if (countclasses(*m, *s, how) != Assessment::Counted)
            state.SkipWithError("not counted");
        ratepool(*m, *s);
        pickbest(*m, *s);
        benchmark::DoNotOptimize(s->bestlist.data());
    }
}
BENCHMARK_CAPTURE(BM_HeaviestTurn, fastest, Counting::Fastest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HeaviestTurn, portable, Counting::Portable)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HeaviestTurn, reference, Counting::Reference)->Unit(benchmark::kMicrosecond);

void BM_ThirdTurn(benchmark::State &state, Counting how)
{
    auto [m, s] = thirdturn();
    for (auto _ : state) {
        countclasses(*m, *s, how);
        ratepool(*m, *s);
        pickbest(*m, *s);
        benchmark::DoNotOptimize(s->bestlist.data());
    }
}
BENCHMARK_CAPTURE(BM_ThirdTurn, fastest, Counting::Fastest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ThirdTurn, portable, Counting::Portable)->Unit(benchmark::kMicrosecond);

void BM_Countclasses(benchmark::State &state, Counting how)
{
    auto [m, s] = heaviest();
    for (auto _ : state) {
        countclasses(*m, *s, how);
        benchmark::DoNotOptimize(s->classsizes.data());
    }
}
BENCHMARK_CAPTURE(BM_Countclasses, fastest, Counting::Fastest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Countclasses, portable, Counting::Portable)->Unit(benchmark::kMicrosecond);

void BM_Findpossibles(benchmark::State &state)
{
    auto [m, s] = state.range(0) == 1 ? heaviest() : thirdturn();
    for (auto _ : state) {
        findpossibles(*m, *s);
        benchmark::DoNotOptimize(s->possibles.data());
    }
}
BENCHMARK(BM_Findpossibles)->ArgName("answers")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_Ratepool(benchmark::State &state)
{
    auto [m, s] = heaviest();
    countclasses(*m, *s);
    for (auto _ : state) {
        ratepool(*m, *s);
        benchmark::DoNotOptimize(s->ratings.data());
    }
}
BENCHMARK(BM_Ratepool)->Unit(benchmark::kMicrosecond);

void BM_Pickbest(benchmark::State &state)
{
    auto [m, s] = heaviest();
    countclasses(*m, *s);
    ratepool(*m, *s);
    for (auto _ : state) {
        pickbest(*m, *s);
        benchmark::DoNotOptimize(s->bestlist.data());
    }
}
BENCHMARK(BM_Pickbest)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

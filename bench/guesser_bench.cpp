// SPDX-License-Identifier: MIT
// The guesser's assessment on its heaviest turn, whole and function by function.
// The heaviest is the first one after a guess with a 0 answered with a single "-":
// 1320 possibles against 4535 pool rows.
#include "computerplayer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <utility>

using namespace numora;

namespace {

// The computer's state after it has made these guesses and had these answers.
std::unique_ptr<Module1> afteranswers(std::initializer_list<std::pair<const char *, int>> answers, int expected)
{
    auto m = std::make_unique<Module1>();
    ComputerPlayer player(*m);
    player.newgame();
    for (auto [guess, code] : answers) {
        player.takeguess(digitsof(guess));
        player.recordanswer(code);
    }
    findpossibles(*m);
    if (m->possiblecount != expected) {
        std::fprintf(stderr, "numora-bench: %d possibles where the turn should have %d\n", m->possiblecount, expected);
        std::exit(1);
    }
    return m;
}

std::unique_ptr<Module1> heaviest()
{
    return afteranswers({{"1023", 1}}, 1320);
}

// The assessment after the next answer: 1023 -, then 4567 + -.
std::unique_ptr<Module1> thirdturn()
{
    return afteranswers({{"1023", 1}, {"4567", 11}}, 264);
}

void BM_HeaviestTurn(benchmark::State &state, Counting how)
{
    auto m = heaviest();
    for (auto _ : state) {
        if (countclasses(*m, how) != Assessment::Counted)
            state.SkipWithError("not counted");
        ratepool(*m);
        pickbest(*m);
        benchmark::DoNotOptimize(m->bestlist.data());
    }
}
BENCHMARK_CAPTURE(BM_HeaviestTurn, fastest, Counting::Fastest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HeaviestTurn, portable, Counting::Portable)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_HeaviestTurn, reference, Counting::Reference)->Unit(benchmark::kMicrosecond);

void BM_ThirdTurn(benchmark::State &state, Counting how)
{
    auto m = thirdturn();
    for (auto _ : state) {
        countclasses(*m, how);
        ratepool(*m);
        pickbest(*m);
        benchmark::DoNotOptimize(m->bestlist.data());
    }
}
BENCHMARK_CAPTURE(BM_ThirdTurn, fastest, Counting::Fastest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ThirdTurn, portable, Counting::Portable)->Unit(benchmark::kMicrosecond);

void BM_Countclasses(benchmark::State &state, Counting how)
{
    auto m = heaviest();
    for (auto _ : state) {
        countclasses(*m, how);
        benchmark::DoNotOptimize(m->classsizes.data());
    }
}
BENCHMARK_CAPTURE(BM_Countclasses, fastest, Counting::Fastest)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Countclasses, portable, Counting::Portable)->Unit(benchmark::kMicrosecond);

void BM_Findpossibles(benchmark::State &state)
{
    auto m = state.range(0) == 1 ? heaviest() : thirdturn();
    for (auto _ : state) {
        findpossibles(*m);
        benchmark::DoNotOptimize(m->possibles.data());
    }
}
BENCHMARK(BM_Findpossibles)->ArgName("answers")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_Ratepool(benchmark::State &state)
{
    auto m = heaviest();
    countclasses(*m);
    for (auto _ : state) {
        ratepool(*m);
        benchmark::DoNotOptimize(m->ratings.data());
    }
}
BENCHMARK(BM_Ratepool)->Unit(benchmark::kMicrosecond);

void BM_Pickbest(benchmark::State &state)
{
    auto m = heaviest();
    countclasses(*m);
    ratepool(*m);
    for (auto _ : state) {
        pickbest(*m);
        benchmark::DoNotOptimize(m->bestlist.data());
    }
}
BENCHMARK(BM_Pickbest)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

// SPDX-License-Identifier: MIT
// Plays the computer's side against secrets that it answers honestly, rated by the
// game's own strategy (design) or by another one.
//   numora-selfplay --secret 1234 [--seed N] [--strategy NAME]
//   numora-selfplay --all [--seed N] [--threads N] [--strategy NAME] [--sample N]
//   numora-selfplay --compare [--seed N] [--threads N] [--sample N]   every strategy over every secret
// --sample N plays N secrets spread evenly over the table instead of all 4536, each
// game as --all plays it.
#include "engine/computerplayer.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace numora;

namespace {

// Number of computer guesses to find the secret; a single possible left after
// guess k counts as found with guess k + 1.
int playgame(const Digits &secret, std::uint64_t seed, std::uint64_t game, Score score, bool verbose)
{
    auto m = std::make_unique<Module1>();
    ComputerPlayer player(*m, score);
    player.newgame();
    std::mt19937_64 rng;
    seedgame(rng, seed, game);
    for (;;) {
        const NextGuess next = player.nextguess(rng, false);
        switch (next.result) {
        case Guessed::NoPossible:
            return -1;  // cannot happen with honest answers
        case Guessed::OnePossible:
            return m->myguesscount + 1;
        case Guessed::Guess:
            break;
        }
        const int code = signcode(next.number, secret);
        player.recordanswer(code);
        if (verbose)
            std::printf("%s %d %d\n", textform(next.number).c_str(), code / 10, code % 10);
        if (code == kHit)
            return m->myguesscount;
    }
}

std::string strategynames()
{
    std::string names;
    for (const Strategy &s : strategies()) {
        if (!names.empty())
            names += '|';
        names += s.name;
    }
    return names;
}

[[noreturn]] void usage(const char *why)
{
    std::fprintf(stderr,
                 "numora-selfplay: %s (usage: --secret NNNN | --all | --compare, then [--seed N] [--threads N]"
                 " [--strategy %s], no --strategy with --compare)\n",
                 why, strategynames().c_str());
    std::exit(2);
}

std::uint64_t number(const char *text, const char *flag)
{
    char *end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (!*text || *end || errno || text[0] == '-')
        usage((std::string("bad value for ") + flag).c_str());
    return value;
}

// Games by number of guesses, over `games` secrets spread evenly over the table (every
// secret when `games` is kCandidates); empty when one was not found.
std::map<int, int> playall(std::uint64_t seed, std::uint64_t threads, Score score, bool progress, int games)
{
    CandidateTable candidates{};
    buildcandidates(candidates);
    std::vector<int> counts(games);
    std::atomic<int> next{0}, done{0};
    auto worker = [&] {
        for (int i; (i = next++) < games;) {
            const int row = static_cast<int>(static_cast<long>(i) * kCandidates / games);
            counts[i] = playgame(candidates[row], seed, static_cast<std::uint64_t>(row), score, false);
            const int d = ++done;
            if (progress && d % 45 == 0)
                std::fprintf(stderr, "\r[%-50s] %d/%d", std::string(d * 50 / games, '#').c_str(), d, games);
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (std::uint64_t t = 0; t < threads; ++t)
        pool.emplace_back(worker);
    for (auto &t : pool)
        t.join();
    if (progress)
        std::fprintf(stderr, "\n");
    std::map<int, int> histogram;
    for (int k : counts) {
        if (k < 0)
            return {};
        ++histogram[k];
    }
    return histogram;
}

double meanof(const std::map<int, int> &histogram)
{
    long total = 0, games = 0;
    for (auto [k, n] : histogram) {
        total += static_cast<long>(k) * n;
        games += n;
    }
    return static_cast<double>(total) / static_cast<double>(games);
}

// One row a strategy: its mean, its most guesses, its games by guesses from 1 up, and
// the wall time it took.
int compare(std::uint64_t seed, std::uint64_t threads, int games)
{
    struct Row {
        std::string_view name;
        std::map<int, int> histogram;
        double seconds;
    };
    std::vector<Row> rows;
    int most = 0;
    for (const Strategy &s : strategies()) {
        const auto start = std::chrono::steady_clock::now();
        auto histogram = playall(seed, threads, s.score, false, games);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (histogram.empty())
            return 1;
        most = std::max(most, histogram.rbegin()->first);
        rows.push_back({s.name, std::move(histogram), took.count()});
    }
    std::printf("%-8s %6s %3s", "strategy", "mean", "max");
    for (int k = 1; k <= most; ++k)
        std::printf(" %5d", k);
    std::printf(" %7s\n", "seconds");
    for (const Row &r : rows) {
        std::printf("%-8s %6.4f %3d", std::string(r.name).c_str(), meanof(r.histogram), r.histogram.rbegin()->first);
        for (int k = 1; k <= most; ++k) {
            const auto found = r.histogram.find(k);
            std::printf(" %5d", found == r.histogram.end() ? 0 : found->second);
        }
        std::printf(" %7.2f\n", r.seconds);
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    std::string secret;
    bool all = false, comparing = false, sampled = false;
    const Strategy *strategy = nullptr;
    std::uint64_t seed = 1, threads = 1, sample = kCandidates;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const bool hasvalue = i + 1 < argc;
        if (flag == "--all") {
            all = true;
        } else if (flag == "--compare") {
            comparing = true;
        } else if (flag == "--secret" || flag == "--seed" || flag == "--threads" || flag == "--strategy" ||
                   flag == "--sample") {
            if (!hasvalue)
                usage(("missing value for " + flag).c_str());
            const char *value = argv[++i];
            if (flag == "--secret") {
                secret = value;
            } else if (flag == "--seed") {
                seed = number(value, "--seed");
            } else if (flag == "--threads") {
                threads = number(value, "--threads");
            } else if (flag == "--sample") {
                sample = number(value, "--sample");
                sampled = true;
            } else {
                strategy = findstrategy(value);
                if (!strategy)
                    usage((std::string("unknown strategy ") + value).c_str());
            }
        } else {
            usage(("unknown argument " + flag).c_str());
        }
    }
    if (int(all) + int(comparing) + int(!secret.empty()) != 1)
        usage("give one of --secret, --all and --compare");
    if (comparing && strategy)
        usage("--compare plays every strategy: no --strategy");
    if (sampled && !secret.empty())
        usage("--sample goes with --all or --compare");
    const Score score = strategy ? strategy->score : nullptr;
    if (!secret.empty()) {
        if (!admissible(secret))
            usage("the secret needs four different digits and no leading 0");
        const int k = playgame(digitsof(secret), seed, 0, score, true);
        std::printf("found %s in %d\n", secret.c_str(), k);
        return k > 0 ? 0 : 1;
    }
    if (threads < 1 || threads > 64)
        usage("--threads takes 1 to 64");
    if (sample < 1 || sample > kCandidates)
        usage("--sample takes 1 to 4536");
    if (comparing)
        return compare(seed, threads, static_cast<int>(sample));
    const auto histogram = playall(seed, threads, score, isatty(2), static_cast<int>(sample));
    if (histogram.empty())
        return 1;
    for (auto [k, n] : histogram)
        std::printf("%d guesses: %d\n", k, n);
    std::printf("mean %.4f\nmax %d\n", meanof(histogram), histogram.rbegin()->first);
    return 0;
}

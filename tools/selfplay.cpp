// SPDX-License-Identifier: MIT
// Plays the computer's side against secrets that it answers honestly.
//   numora-selfplay --secret 1234 [--seed N]
//   numora-selfplay --all [--seed N] [--threads N]
#include "computerplayer.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
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
int playgame(const Digits &secret, std::uint64_t seed, std::uint64_t game, bool verbose)
{
    auto m = std::make_unique<Module1>();
    ComputerPlayer player(*m);
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

[[noreturn]] void usage(const char *why)
{
    std::fprintf(stderr, "numora-selfplay: %s (usage: --secret NNNN | --all [--seed N] [--threads N])\n", why);
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

}  // namespace

int main(int argc, char **argv)
{
    std::string secret;
    bool all = false;
    std::uint64_t seed = 1, threads = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const bool hasvalue = i + 1 < argc;
        if (flag == "--all") {
            all = true;
        } else if (flag == "--secret" || flag == "--seed" || flag == "--threads") {
            if (!hasvalue)
                usage(("missing value for " + flag).c_str());
            const char *value = argv[++i];
            if (flag == "--secret")
                secret = value;
            else if (flag == "--seed")
                seed = number(value, "--seed");
            else
                threads = number(value, "--threads");
        } else {
            usage(("unknown argument " + flag).c_str());
        }
    }
    if (all == !secret.empty())
        usage("give either --secret or --all");
    if (!secret.empty()) {
        if (!admissible(secret))
            usage("the secret needs four different digits and no leading 0");
        const int k = playgame(digitsof(secret), seed, 0, true);
        std::printf("found %s in %d\n", secret.c_str(), k);
        return k > 0 ? 0 : 1;
    }
    if (threads < 1 || threads > 64)
        usage("--threads takes 1 to 64");
    CandidateTable candidates{};
    buildcandidates(candidates);
    std::vector<int> counts(kCandidates);
    std::atomic<int> next{0}, done{0};
    const bool progress = isatty(2);
    auto worker = [&] {
        for (int i; (i = next++) < kCandidates;) {
            counts[i] = playgame(candidates[i], seed, static_cast<std::uint64_t>(i), false);
            const int d = ++done;
            if (progress && d % 45 == 0)
                std::fprintf(stderr, "\r[%-50s] %d/%d", std::string(d * 50 / kCandidates, '#').c_str(), d, kCandidates);
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
    long total = 0;
    for (int k : counts) {
        if (k < 0)
            return 1;
        ++histogram[k];
        total += k;
    }
    for (auto [k, n] : histogram)
        std::printf("%d guesses: %d\n", k, n);
    std::printf("mean %.4f\nmax %d\n", static_cast<double>(total) / kCandidates, histogram.rbegin()->first);
    return 0;
}

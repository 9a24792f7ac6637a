// SPDX-License-Identifier: MIT
// Plays the computer's side against secrets that it answers honestly, rated by the
// game's own strategy (design) or by another one.
//   numora-selfplay --secret 1234 [--seed N] [--strategy NAME]
//   numora-selfplay --all [--seed N] [--threads N] [--strategy NAME] [--sample N]
//   numora-selfplay --compare [--seed N] [--threads N] [--sample N]   every strategy over every secret,
//                   and perfect play, replayed from the strategy file optimal.txt
//   numora-selfplay --solve [--leading-zero] [--worst-case] [--possible-only] [--threads N] [--out FILE]
//   numora-selfplay --replay FILE [--leading-zero]
// --sample N plays N secrets spread evenly over the table instead of all 4536, each
// game as --all plays it.
#include "engine/computerplayer.h"
#include "tools/solver.h"

#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>
#include <sstream>

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
                 " [--strategy %s], no --strategy with --compare; or --solve [--leading-zero] [--worst-case]"
                 " [--possible-only] [--threads N] [--out FILE]; or --replay FILE [--leading-zero])\n",
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

// The lines that --all prints for these games, and those that --solve and --replay add.
void printgames(const std::map<int, int> &histogram)
{
    for (auto [k, n] : histogram)
        std::printf("%d guesses: %d\n", k, n);
    std::printf("mean %.4f\nmax %d\n", meanof(histogram), histogram.rbegin()->first);
}

void printexact(const std::map<int, int> &histogram, const std::string &first, double seconds)
{
    long total = 0, games = 0;
    for (auto [k, n] : histogram) {
        total += static_cast<long>(k) * n;
        games += n;
    }
    const long common = std::gcd(total, games);
    std::printf("total %ld\nfraction %ld/%ld\nfirst %s\nseconds %.2f\n", total, total / common, games / common,
                first.c_str(), seconds);
}

// The strategy file that --compare replays: beside the program in the build folder,
// or in share/numora where it is installed.
constexpr const char *kOptimalFile = "optimal.txt";

std::string programdir()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

std::optional<std::string> readtext(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::map<int, int>> replayoptimal()
{
    const std::string dir = programdir();
    for (const std::string &path : {dir + "/share/numora/" + kOptimalFile, dir + "/../share/numora/" + kOptimalFile}) {
        const auto text = readtext(path);
        if (!text)
            continue;
        const Rules rules;
        const Reading reading = readplan(rules, *text);
        const Replay r = reading.error.empty() ? replay(rules, reading.plan) : Replay{};
        if (!reading.error.empty() || !r.error.empty()) {
            std::fprintf(stderr, "numora-selfplay: %s: %s\n", path.c_str(),
                         (reading.error.empty() ? r.error : reading.error).c_str());
            return std::nullopt;
        }
        return r.games;
    }
    std::fprintf(stderr, "numora-selfplay: no %s in %s/share/numora or %s/../share/numora\n", kOptimalFile, dir.c_str(),
                 dir.c_str());
    return std::nullopt;
}

std::atomic<bool> interrupted{false};

extern "C" void oninterrupt(int /*signal*/)
{
    interrupted = true;
}

// Finds the best strategy, prints its games and writes it to `out` (unless empty)
// through a temporary file, so that an interrupted run leaves no half-written file.
int solve(const Rules &rules, bool worstcase, bool possibleonly, int threads, const std::string &out)
{
    const std::string temporary = out + ".part";
    if (!out.empty()) {
        std::ofstream probe(temporary);
        if (!probe)
            usage(("cannot write " + out).c_str());
    }
    std::signal(SIGINT, oninterrupt);
    const bool tty = isatty(2);
    SolveOptions options{rules, threads, worstcase, &interrupted, [tty](const Progress &p) {
                             static int calls = 0;
                             if (!tty && ++calls % 10 != 0)
                                 return;
                             std::fprintf(stderr, "%sfirst guess %d of %d, %5.1f%% searched, best %s, %.0f s%s",
                                          tty ? "\r" : "", p.first, p.firsts, 100 * p.share,
                                          p.besttotal > 0 ? std::to_string(p.besttotal).c_str() : "-", p.seconds,
                                          tty ? "   " : "\n");
                         }};
    options.possibleonly = possibleonly;
    const auto start = std::chrono::steady_clock::now();
    const std::optional<Solution> solution = solvegame(options);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (tty)
        std::fprintf(stderr, "\n");
    if (!solution) {
        if (!out.empty())
            std::remove(temporary.c_str());
        std::fprintf(stderr, "numora-selfplay: interrupted\n");
        return 130;
    }
    const Replay r = replay(rules, solution->plan);
    if (!r.error.empty()) {
        std::fprintf(stderr, "numora-selfplay: %s\n", r.error.c_str());
        return 1;
    }
    long total = 0;
    for (auto [k, n] : r.games)
        total += static_cast<long>(k) * n;
    if (!out.empty()) {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << writeplan(rules, solution->plan, total);
        file.close();
        if (!file || std::rename(temporary.c_str(), out.c_str()) != 0) {
            std::fprintf(stderr, "numora-selfplay: cannot write %s\n", out.c_str());
            std::remove(temporary.c_str());
            return 1;
        }
    }
    printgames(r.games);
    printexact(r.games, numbertext(rules, numbersof(rules)[solution->plan.nodes[0].guess]), took.count());
    return 0;
}

int replayfile(const Rules &rules, const std::string &path)
{
    const auto start = std::chrono::steady_clock::now();
    const auto text = readtext(path);
    if (!text)
        usage(("cannot read " + path).c_str());
    const Reading reading = readplan(rules, *text);
    if (!reading.error.empty())
        usage((path + ", " + reading.error).c_str());
    const Replay r = replay(rules, reading.plan);
    if (!r.error.empty())
        usage((path + ": " + r.error).c_str());
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    printgames(r.games);
    printexact(r.games, numbertext(rules, numbersof(rules)[reading.plan.nodes[0].guess]), took.count());
    return 0;
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
    // Perfect play over every secret only: a sample would not compare.
    const auto start = std::chrono::steady_clock::now();
    const std::optional<std::map<int, int>> optimal =
        games == kCandidates ? replayoptimal() : std::optional<std::map<int, int>>();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (optimal) {
        most = std::max(most, optimal->rbegin()->first);
        rows.push_back({"optimal", *optimal, took.count()});
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
    std::string secret, replaying, out;
    bool all = false, comparing = false, sampled = false, solving = false, leadingzero = false, worstcase = false,
         possibleonly = false, threadsgiven = false, seedgiven = false;
    const Strategy *strategy = nullptr;
    std::uint64_t seed = 1, threads = 1, sample = kCandidates;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const bool hasvalue = i + 1 < argc;
        if (flag == "--all") {
            all = true;
        } else if (flag == "--compare") {
            comparing = true;
        } else if (flag == "--solve") {
            solving = true;
        } else if (flag == "--leading-zero") {
            leadingzero = true;
        } else if (flag == "--worst-case") {
            worstcase = true;
        } else if (flag == "--possible-only") {
            possibleonly = true;
        } else if (flag == "--replay" || flag == "--out") {
            if (!hasvalue)
                usage(("missing value for " + flag).c_str());
            (flag == "--replay" ? replaying : out) = argv[++i];
            if ((flag == "--replay" ? replaying : out).empty())
                usage(("empty file name for " + flag).c_str());
        } else if (flag == "--secret" || flag == "--seed" || flag == "--threads" || flag == "--strategy" ||
                   flag == "--sample") {
            if (!hasvalue)
                usage(("missing value for " + flag).c_str());
            const char *value = argv[++i];
            if (flag == "--secret") {
                secret = value;
            } else if (flag == "--seed") {
                seed = number(value, "--seed");
                seedgiven = true;
            } else if (flag == "--threads") {
                threads = number(value, "--threads");
                threadsgiven = true;
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
    const bool exact = solving || !replaying.empty();
    if (int(all) + int(comparing) + int(!secret.empty()) + int(solving) + int(!replaying.empty()) != 1)
        usage("give one of --secret, --all, --compare, --solve and --replay");
    if (comparing && strategy)
        usage("--compare plays every strategy: no --strategy");
    if (sampled && (!secret.empty() || exact))
        usage("--sample goes with --all or --compare");
    if (exact && (strategy || seedgiven))
        usage("--solve and --replay play perfectly: no --strategy, no --seed");
    if (!exact && leadingzero)
        usage("--leading-zero goes with --solve and --replay");
    if (!solving && (worstcase || possibleonly || !out.empty()))
        usage("--worst-case, --possible-only and --out go with --solve");
    if (!replaying.empty() && threadsgiven)
        usage("--replay takes no --threads");
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
    const Rules rules{10, 4, leadingzero};
    if (solving)
        return solve(rules, worstcase, possibleonly, static_cast<int>(threads), out);
    if (!replaying.empty())
        return replayfile(rules, replaying);
    if (comparing)
        return compare(seed, threads, static_cast<int>(sample));
    const auto histogram = playall(seed, threads, score, isatty(2), static_cast<int>(sample));
    if (histogram.empty())
        return 1;
    printgames(histogram);
    return 0;
}

// SPDX-License-Identifier: MIT
// Plays the computer's side against secrets that it answers honestly, rated by the
// game's own strategy (design) or by another one.
//   numora-selfplay --secret 1234 [--seed N] [--strategy NAME]
//   numora-selfplay --all [--seed N] [--threads N] [--strategy NAME] [--sample N]
//   numora-selfplay --compare [--seed N] [--threads N] [--sample N]   every strategy over every secret,
//                   and perfect play, replayed from the strategy file optimal.txt
//   numora-selfplay --solve [--leading-zero] [--worst-case] [--possible-only] [--threads N] [--out FILE]
//   numora-selfplay --replay FILE [--leading-zero]
// --strategy optimal plays by that file: the same guesses whatever the seed.
// --sample N plays N secrets spread evenly over the table instead of all 4536, each
// game as --all plays it. --help lists the options; a bad one is one line on standard
// error and exit status 2.
#include "engine/computerplayer.h"
#include "tools/solver.h"

#include <CLI/CLI.hpp>
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
#include <cstring>
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
            if (verbose)
                std::printf("%s %d %d\n", textform(next.number).c_str(), kHit / 10, kHit % 10);
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

// A bad option or file: one line with the reason on standard error, and exit status 2.
[[noreturn]] void fail(std::string why)
{
    std::ranges::replace(why, '\n', ' ');
    std::fprintf(stderr, "numora-selfplay: %s; try --help\n", why.c_str());
    std::exit(2);
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

// Perfect play, by the strategy file, besides the strategies of the engine.
constexpr std::string_view kOptimal = "optimal";

// The strategy file that --compare replays: beside the program in the build folder,
// or in share/numora where it is installed.
constexpr const char *kOptimalFile = "optimal.txt";

std::string programdir()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

// The whole file; where it cannot be read, nothing, and in `why` the reason.
std::optional<std::string> readtext(const std::string &path, std::string *why = nullptr)
{
    std::ifstream in(path, std::ios::binary);
    const int reason = errno;
    std::error_code error;
    if (!in || std::filesystem::is_directory(path, error)) {
        if (why)
            *why = in ? "is a folder, not a file" : std::strerror(reason);
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The committed strategy, checked to find every secret; std::nullopt, with the reason
// on standard error, where there is none or it is faulty.
std::optional<Plan> loadoptimal()
{
    const std::string dir = programdir();
    for (const std::string &path : {dir + "/share/numora/" + kOptimalFile, dir + "/../share/numora/" + kOptimalFile}) {
        const auto text = readtext(path);
        if (!text)
            continue;
        const Rules rules;
        Reading reading = readplan(rules, *text);
        const Replay r = reading.error.empty() ? replay(rules, reading.plan) : Replay{};
        if (!reading.error.empty() || !r.error.empty()) {
            std::fprintf(stderr, "numora-selfplay: %s: %s\n", path.c_str(),
                         (reading.error.empty() ? r.error : reading.error).c_str());
            return std::nullopt;
        }
        return std::move(reading.plan);
    }
    std::fprintf(stderr, "numora-selfplay: no %s in %s/share/numora or %s/../share/numora\n", kOptimalFile, dir.c_str(),
                 dir.c_str());
    return std::nullopt;
}

// Number of guesses the plan takes to find the secret, printing each guess and its
// answer as playgame does. The plan is checked to find every secret; its guesses are
// rows of the candidate table.
int playplan(const Plan &plan, const CandidateTable &numbers, const Digits &secret, bool verbose)
{
    int node = 0;
    for (int count = 1;; ++count) {
        const Digits &guess = numbers[plan.nodes[node].guess];
        const int code = signcode(guess, secret);
        if (verbose)
            std::printf("%s %d %d\n", textform(guess).c_str(), code / 10, code % 10);
        if (code == kHit)
            return count;
        const auto &answers = plan.nodes[node].answers;
        node = std::ranges::find(answers, code, &std::pair<int, int>::first)->second;
    }
}

// The plan's games over `games` secrets spread evenly over the table, as playall
// spreads them.
std::map<int, int> playallplan(const Plan &plan, int games)
{
    CandidateTable candidates{};
    buildcandidates(candidates);
    std::map<int, int> histogram;
    for (int i = 0; i < games; ++i)
        ++histogram[playplan(plan, candidates, candidates[static_cast<long>(i) * kCandidates / games], false)];
    return histogram;
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
        std::FILE *probe = std::fopen(temporary.c_str(), "w");
        if (!probe)
            fail("cannot write " + out + ": " + std::strerror(errno));
        std::fclose(probe);
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
    std::string why;
    const auto text = readtext(path, &why);
    if (!text)
        fail("cannot read " + path + ": " + why);
    if (text->empty())
        fail(path + " is empty, not a strategy file");
    const Reading reading = readplan(rules, *text);
    if (!reading.error.empty())
        fail(path + ", " + reading.error);
    const Replay r = replay(rules, reading.plan);
    if (!r.error.empty())
        fail(path + ": " + r.error);
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
    // Perfect play over the same secrets, where the strategy file is there.
    const auto start = std::chrono::steady_clock::now();
    if (const std::optional<Plan> plan = loadoptimal()) {
        auto histogram = playallplan(*plan, games);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        most = std::max(most, histogram.rbegin()->first);
        rows.push_back({kOptimal, std::move(histogram), took.count()});
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

// What the command line asks for.
struct Options {
    std::string secret, replaying, out, strategyname;
    bool all = false, comparing = false, solving = false, leadingzero = false, worstcase = false, possibleonly = false;
    std::uint64_t seed = 1, threads = 1, sample = kCandidates;
    const Strategy *strategy = nullptr;
    bool optimal = false;  // --strategy optimal: by the strategy file
};

// Each option is one line here; the checks of which go together follow the parse.
Options parse(int argc, char **argv)
{
    Options o;
    std::vector<std::string> names;
    for (const Strategy &s : strategies())
        names.emplace_back(s.name);
    names.emplace_back(kOptimal);
    CLI::App app("Plays the computer's side of numora against secrets it answers honestly.", "numora-selfplay");
    app.footer("Give one of --secret, --all, --compare, --solve and --replay. Exit status: 0 when done, 1 when a "
               "game went wrong, 2 for a bad option or strategy file, 130 when a search was interrupted.");
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.set_version_flag("--version", std::string("numora-selfplay ") + NUMORA_VERSION);
    // Counts are plain decimal numbers that fit, whatever CLI11 would also read (a sign, a
    // base prefix, a leading 0 as octal) or let wrap around.
    const CLI::Validator decimal(
        [](std::string &text) {
            errno = 0;
            const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
            if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || errno)
                return "not a decimal number from 0 to 2^64 - 1: " + text;
            text = std::to_string(value);
            return std::string();
        },
        "", "decimal");
    const auto count = [&app, &decimal](const char *name, std::uint64_t &value, const char *what) {
        app.add_option(name, value, what)->transform(decimal)->type_name("N");
    };
    app.add_option("--secret", o.secret, "play one game against NNNN, guess by guess")->type_name("NNNN");
    app.add_flag("--all", o.all, "play every secret and print the games by number of guesses");
    app.add_flag("--compare", o.comparing, "play every secret with every strategy, one row each");
    app.add_flag("--solve", o.solving, "search for the strategy with the least total of guesses");
    app.add_option("--replay", o.replaying, "play the strategy file FILE over every secret")->type_name("FILE");
    count("--seed", o.seed, "the seed of the computer's draws (1)");
    count("--threads", o.threads, "play or search on N threads, 1 to 64 (1)");
    app.add_option("--strategy", o.strategyname,
                   "how the computer rates its guesses (design); optimal plays by the strategy file")
        ->check(CLI::IsMember(names));
    count("--sample", o.sample, "play N secrets spread over the table, 1 to 4536");
    app.add_flag("--leading-zero", o.leadingzero, "with --solve or --replay: numbers may begin with 0");
    app.add_flag("--worst-case", o.worstcase, "with --solve: the fewest guesses that always find the secret");
    app.add_flag("--possible-only", o.possibleonly,
                 "with --solve: every guess a number that could still be the secret");
    app.add_option("--out", o.out, "with --solve: write the strategy to FILE")->type_name("FILE");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        if (e.get_exit_code() == 0)  // --help, --version
            std::exit(app.exit(e));
        fail(e.what());
    }
    const auto given = [&app](const char *name) { return app.count(name) > 0; };
    const bool exact = o.solving || given("--replay");
    if (int(o.all) + int(o.comparing) + int(given("--secret")) + int(o.solving) + int(given("--replay")) != 1)
        fail("give one of --secret, --all, --compare, --solve and --replay");
    if (given("--replay") && o.replaying.empty())
        fail("empty file name for --replay");
    if (given("--out") && o.out.empty())
        fail("empty file name for --out");
    if (o.comparing && given("--strategy"))
        fail("--compare plays every strategy: no --strategy");
    if (given("--sample") && (given("--secret") || exact))
        fail("--sample goes with --all or --compare");
    if (exact && (given("--strategy") || given("--seed")))
        fail("--solve and --replay play perfectly: no --strategy, no --seed");
    if (!exact && o.leadingzero)
        fail("--leading-zero goes with --solve and --replay");
    if (!o.solving && (o.worstcase || o.possibleonly || given("--out")))
        fail("--worst-case, --possible-only and --out go with --solve");
    if (given("--replay") && given("--threads"))
        fail("--replay takes no --threads");
    if (given("--secret") && !admissible(o.secret))
        fail("the secret needs four different digits and no leading 0");
    if (!given("--secret") && (o.threads < 1 || o.threads > 64))  // one game takes no threads
        fail("--threads takes 1 to 64");
    if (o.sample < 1 || o.sample > kCandidates)
        fail("--sample takes 1 to 4536");
    o.strategy = given("--strategy") ? findstrategy(o.strategyname) : nullptr;
    o.optimal = o.strategyname == kOptimal;
    return o;
}

}  // namespace

int main(int argc, char **argv)
{
    Options o;
    try {
        o = parse(argc, argv);
    } catch (const std::exception &e) {  // options declared amiss: a fault of this program
        std::fprintf(stderr, "numora-selfplay: %s\n", e.what());
        return 1;
    }
    const Score score = o.strategy ? o.strategy->score : nullptr;
    std::optional<Plan> plan;
    if (o.optimal) {
        plan = loadoptimal();
        if (!plan)
            return 1;
    }
    if (!o.secret.empty()) {
        CandidateTable candidates{};
        buildcandidates(candidates);
        const int k = plan ? playplan(*plan, candidates, digitsof(o.secret), true)
                           : playgame(digitsof(o.secret), o.seed, 0, score, true);
        std::printf("found %s in %d\n", o.secret.c_str(), k);
        return k > 0 ? 0 : 1;
    }
    const Rules rules{10, 4, o.leadingzero};
    if (o.solving)
        return solve(rules, o.worstcase, o.possibleonly, static_cast<int>(o.threads), o.out);
    if (!o.replaying.empty())
        return replayfile(rules, o.replaying);
    if (o.comparing)
        return compare(o.seed, o.threads, static_cast<int>(o.sample));
    const auto histogram = plan ? playallplan(*plan, static_cast<int>(o.sample))
                                : playall(o.seed, o.threads, score, isatty(2), static_cast<int>(o.sample));
    if (histogram.empty())
        return 1;
    printgames(histogram);
    return 0;
}

// SPDX-License-Identifier: MIT
// Exact search, branch and bound. The least total of a set S of n secrets is
//   F(S) = n + min over guesses g of the sum of F over the classes g splits S into,
// the hit left out. The search bounds each guess from below by the counting bound of its
// class sizes (a class of k secrets needs at least the guesses of the best tree that
// could find k: one with its first guess, then one for each answer, ...), tries the
// guesses in the order of that bound, and gives each class the budget the best guess so
// far leaves it: a class over budget ends the guess. Guesses that a symmetry of the
// rules fixing every earlier guess maps onto each other (digits and places permuted,
// 0 and the first place fixed unless a leading 0 is allowed), and guesses splitting S
// the very same way, are tried once. A memory keyed by the set keeps exact values and
// lower bounds. The class sizes come from the engine's counting.
#include "tools/solver.h"
#include "engine/counting.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <numeric>
#include <span>
#include <sstream>
#include <thread>

namespace numora {

namespace {

constexpr int kInfinity = 1 << 28;
constexpr int kTiny = 6;  // sets this small are first tried for a possible that splits them perfectly

// Thrown from deep in the search when it is to stop.
struct Stopped {};

int padding(const Rules &rules)
{
    return 4 - rules.places;
}

// Non-hit answers: plus + minus <= places, less the hit and (places - 1) "+" with one "-".
int answercount(const Rules &rules)
{
    return (rules.places + 1) * (rules.places + 2) / 2 - 2;
}

std::uint64_t mix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

struct Key {
    std::uint64_t a = 0, b = 0;
};

Key keyof(std::span<const std::uint16_t> set)
{
    Key key{0x51ed2701a3c4e5f7ULL, set.size()};
    for (const std::uint16_t row : set) {
        key.a = mix(key.a + row);
        key.b = mix(key.b ^ (row * 0x2545f4914f6cdd1dULL + 1));
    }
    return key;
}

// What is known of a set: it needs at least lo, it is done in hi with `guess` first.
struct Entry {
    Key key;
    int lo = 0;
    int hi = kInfinity;
    std::uint16_t guess = 0;
    std::uint16_t size = 0;  // 0: empty
};

// The memory of sets met before: four entries a bucket, the smallest set making way.
class Memory {
public:
    explicit Memory(int bits) : entries_(std::size_t{1} << bits), mask_((std::size_t{1} << bits) - 1) {}

    Entry find(const Key &key)
    {
        const std::size_t first = key.a & mask_ & ~std::size_t{3};
        const std::scoped_lock lock(locks_[(first >> 2) % locks_.size()]);
        for (std::size_t i = first; i < first + 4; ++i)
            if (entries_[i].size != 0 && entries_[i].key.a == key.a && entries_[i].key.b == key.b)
                return entries_[i];
        return {};
    }

    void store(const Key &key, int size, int lo, int hi, std::uint16_t guess)
    {
        const std::size_t first = key.a & mask_ & ~std::size_t{3};
        const std::scoped_lock lock(locks_[(first >> 2) % locks_.size()]);
        Entry *slot = &entries_[first];
        for (std::size_t i = first; i < first + 4; ++i) {
            Entry &e = entries_[i];
            if (e.size != 0 && e.key.a == key.a && e.key.b == key.b) {
                e.lo = std::max(e.lo, lo);
                if (hi < e.hi) {
                    e.hi = hi;
                    e.guess = guess;
                }
                return;
            }
            if (e.size < slot->size)
                slot = &e;
        }
        *slot = {key, lo, hi, guess, static_cast<std::uint16_t>(size)};
    }

private:
    std::vector<Entry> entries_;
    std::size_t mask_;
    std::array<std::mutex, 1024> locks_;
};

// A guess at a position, ranked: its bound in the bits from 40 up, the guess in the
// low 13 bits.
using Choice = std::uint64_t;
int boundof(Choice c)
{
    return static_cast<int>(c >> 40);
}
std::uint16_t guessof(Choice c)
{
    return static_cast<std::uint16_t>(c & 0x1fff);
}

// The classes one guess splits a set into: members grouped by class, largest first.
struct Split {
    std::vector<std::uint16_t> members;
    std::vector<std::pair<int, int>> classes;  // start in members, code
    std::vector<int> ends;
    std::uint64_t shape = 0;  // the same for guesses splitting the set the same way
};

// Buffers of one thread, one set for each depth of the search.
struct Level {
    std::vector<std::uint16_t> guesses;  // rows of the guesses that matter
    std::vector<Digits> digits;          // and their digits
    std::vector<ClassSizes> sizes;
    std::vector<Digits> possibles;
    std::vector<std::uint16_t> selfrows;
    std::vector<Choice> choices;
    std::size_t sorted = 0;   // choices sorted so far
    std::vector<int> bounds;  // of the classes of the guess being tried
    std::vector<std::uint64_t> shapes;
    Choice choice(std::size_t i);
    Split split;
};

// Per class of the first guess, for the progress report.
struct Task {
    int size = 0;
    std::atomic<int> tried{0}, choices{1};  // at the class's own first guess
    std::atomic<int> upper{kInfinity};
    std::atomic<bool> done{false};
};

class Solver {
public:
    explicit Solver(const SolveOptions &options)
        : options_(options), rules_(options.rules), numbers_(numbersof(rules_)), answers_(answercount(rules_)),
          memory_(numbers_.size() > 1000 ? 24 : 18)
    {
        const int count = static_cast<int>(numbers_.size());
        // The counting bound: the best tree finds 1 secret with its first guess,
        // `answers_` with its second, answers_^2 with its third, ...
        lowest_.assign(count + 1, 0);
        long found = 0, width = 1;
        int depth = 1;
        for (int n = 1; n <= count; ++n) {
            if (found == width) {
                found = 0;
                width *= answers_;
                ++depth;
            }
            ++found;
            lowest_[n] = lowest_[n - 1] + depth;
        }
        rowof_.assign(10000, -1);
        for (int row = 0; row < count; ++row)
            rowof_[indexof(numbers_[row])] = row;
        std::vector<int> places(rules_.places);
        std::iota(places.begin(), places.end(), 0);
        do {
            if (rules_.leadingzero || places[0] == 0)
                placeperms_.push_back(places);
        } while (std::ranges::next_permutation(places).found);
    }

    std::optional<Solution> run();

private:
    Level &level(int depth)
    {
        thread_local std::vector<std::unique_ptr<Level>> levels;
        while (static_cast<int>(levels.size()) <= depth)
            levels.push_back(std::make_unique<Level>());
        return *levels[depth];
    }

    int code(int guess, int secret) const { return signcode(numbers_[guess], numbers_[secret]); }
    bool canonical(const Digits &guess, const std::vector<Digits> &history) const;
    static int indexof(const Digits &number);
    void digitclasses(std::span<const std::uint16_t> set, std::array<int, 10> &classof,
                      std::array<int, 10> &rank) const;
    void splitby(std::span<const std::uint16_t> set, int guess, Split &split) const;
    void choose(std::span<const std::uint16_t> set, Level &l, int beta, bool worst, int depthleft);
    int search(std::span<const std::uint16_t> set, int beta, std::vector<Digits> &history, std::uint16_t *bestguess);
    int smallbound(std::span<const std::uint16_t> set, std::uint16_t *guess) const;
    bool perfect(std::span<const std::uint16_t> set, std::uint16_t *guess) const;
    int remember(const Key &key, int n, int value, bool found, std::uint16_t guess, std::uint16_t *bestguess);
    int greedy(std::span<const std::uint16_t> set, std::vector<Digits> &history, std::uint16_t *first);
    bool fits(std::span<const std::uint16_t> set, int depth, std::vector<Digits> &history, std::uint16_t *bestguess);
    long capacity(int depth) const;
    int build(std::span<const std::uint16_t> set, std::vector<Digits> &history, int depthleft, Plan &plan);
    void checkstop() const
    {
        if ((options_.stop && options_.stop->load(std::memory_order_relaxed)) ||
            abandon_.load(std::memory_order_relaxed))
            throw Stopped{};
    }
    void report(const std::chrono::steady_clock::time_point &start);

    const SolveOptions &options_;
    Rules rules_;
    std::vector<Digits> numbers_;
    int answers_;
    Memory memory_;
    std::vector<int> lowest_;
    std::vector<int> rowof_;  // of each indexof(number)
    std::vector<std::vector<int>> placeperms_;
    std::atomic<bool> abandon_{false};  // the first guess being tried is out of the running

    // Progress of the first two levels.
    std::vector<std::unique_ptr<Task>> tasks_;
    std::atomic<int> firstdone_{0}, firstcount_{1};
    std::atomic<long> best_{0};
    static thread_local Task *task_;
};

thread_local Task *Solver::task_ = nullptr;

// True when no symmetry of the rules that fixes every earlier guess maps `guess` onto
// a smaller number: for each permutation of the places, the earlier guesses force the
// digits they hold, and the digits they do not hold go to the smallest free ones.
bool Solver::canonical(const Digits &guess, const std::vector<Digits> &history) const
{
    const int places = rules_.places;
    for (const auto &perm : placeperms_) {
        std::array<int, 10> map;
        map.fill(-1);
        std::array<bool, 10> taken{};
        bool ok = true;
        for (const Digits &h : history)
            for (int j = 0; j < places && ok; ++j) {
                const int from = h[j], to = h[perm[j]];
                if (map[from] < 0 && !taken[to]) {
                    map[from] = to;
                    taken[to] = true;
                } else {
                    ok = map[from] == to;
                }
            }
        if (!rules_.leadingzero) {
            if (map[0] < 0 && !taken[0]) {
                map[0] = 0;
                taken[0] = true;
            }
            ok = ok && map[0] == 0;
        }
        if (!ok)
            continue;
        std::array<int, 4> image{};
        std::array<int, 4> from{};
        for (int j = 0; j < places; ++j)
            from[perm[j]] = j;
        for (int k = 0; k < places; ++k) {
            const int d = guess[from[k]];
            if (map[d] < 0) {
                int to = 0;
                while (taken[to])
                    ++to;
                map[d] = to;
                taken[to] = true;
            }
            image[k] = map[d];
        }
        for (int k = 0; k < places; ++k) {
            if (image[k] != guess[k]) {
                if (image[k] < guess[k])
                    return false;
                break;
            }
        }
    }
    return true;
}

void Solver::splitby(std::span<const std::uint16_t> set, int guess, Split &split) const
{
    std::array<int, kHit + 1> count{};
    std::array<std::uint8_t, kHit + 1> label;
    label.fill(0);
    std::uint8_t labels = 0;
    std::uint64_t shape = 0x8f1bbcdcca62c1d6ULL;
    thread_local std::vector<std::uint8_t> codes;
    codes.resize(set.size());
    for (std::size_t i = 0; i < set.size(); ++i) {
        const int c = code(guess, set[i]);
        codes[i] = static_cast<std::uint8_t>(c);
        ++count[c];
        if (c != kHit && label[c] == 0)
            label[c] = ++labels;
        shape = mix(shape + (c == kHit ? 255 : label[c]));
    }
    split.shape = shape;
    split.classes.clear();
    std::array<int, kHit + 1> start{};
    int at = 0;
    for (int c = 0; c < kHit; ++c)
        if (count[c] > 0) {
            split.classes.emplace_back(at, c);
            start[c] = at;
            at += count[c];
        }
    split.members.resize(at);
    for (std::size_t i = 0; i < set.size(); ++i)
        if (codes[i] != kHit)
            split.members[start[codes[i]]++] = set[i];
    // Largest first: the class most likely over budget ends a guess soonest.
    std::ranges::sort(split.classes, [&](const auto &x, const auto &y) {
        return count[x.second] > count[y.second] || (count[x.second] == count[y.second] && x.second < y.second);
    });
    split.ends.clear();
    for (const auto &[first, c] : split.classes)
        split.ends.push_back(first + count[c]);
}

long Solver::capacity(int depth) const
{
    long total = 0, width = 1;
    for (int d = 0; d < depth && total < kInfinity; ++d) {
        total += width;
        width *= answers_;
    }
    return total;
}

int Solver::indexof(const Digits &number)
{
    return ((number[0] * 10 + number[1]) * 10 + number[2]) * 10 + number[3];
}

// Digits that can be swapped without changing the set (those no secret left holds, those
// no guess has held yet, ...) are alike: of the guesses that differ only in which of such
// digits they hold, only the one holding the smallest of them, in order, matters. Each
// digit gets its class of alike digits and its rank in it.
void Solver::digitclasses(std::span<const std::uint16_t> set, std::array<int, 10> &classof,
                          std::array<int, 10> &rank) const
{
    thread_local std::vector<std::uint8_t> inset;
    inset.assign(10000, 0);
    for (const std::uint16_t row : set)
        inset[indexof(numbers_[row])] = 1;
    std::array<int, 10> root;
    std::iota(root.begin(), root.end(), 0);
    const auto findroot = [&](int d) {
        while (root[d] != d)
            d = root[d];
        return d;
    };
    const int first = rules_.leadingzero ? 0 : 1;
    for (int a = first; a < rules_.digits; ++a)
        for (int b = a + 1; b < rules_.digits; ++b) {
            if (findroot(a) == findroot(b))
                continue;
            bool fixed = true;
            for (std::size_t i = 0; i < set.size() && fixed; ++i) {
                Digits x = numbers_[set[i]];
                for (int j = 0; j < rules_.places; ++j)
                    x[j] = x[j] == a ? b : x[j] == b ? a : x[j];
                fixed = inset[indexof(x)] != 0;
            }
            if (fixed)
                root[findroot(b)] = findroot(a);
        }
    std::array<int, 10> seen{};
    for (int d = 0; d < 10; ++d) {
        classof[d] = findroot(d);
        rank[d] = seen[classof[d]]++;
    }
}

// The guesses worth trying at a set, best first: for the least total, those whose
// counting bound is below beta; for the worst case, those whose classes all could fit
// in depthleft - 1 guesses. The number of different answers each guess gets bounds it
// first (its classes can be no more even than as even as can be), so only those that
// pass have their classes counted.
void Solver::choose(std::span<const std::uint16_t> set, Level &l, int beta, bool worst, int depthleft)
{
    const int n = static_cast<int>(set.size());
    l.possibles.resize(n);
    for (int i = 0; i < n; ++i)
        l.possibles[i] = numbers_[set[i]];
    thread_local std::vector<Answers> answers;
    answers.resize(numbers_.size());
    countanswers(numbers_, l.possibles, answers);
    std::array<int, 10> classof, rank;
    digitclasses(set, classof, rank);
    const long room = worst ? capacity(depthleft - 1) : 0;
    // Whether a guess with and without the hit among its different answers can pass.
    std::array<std::array<bool, 2 * (kClasses + 1) + 2>, 2> passes{};
    for (int hit = 0; hit < 2; ++hit)
        for (int parts = 1; parts <= kClasses && parts <= n - hit; ++parts) {
            const int left = n - hit, even = left / parts, over = left % parts;
            passes[hit][parts + hit] =
                worst ? even + (over > 0 ? 1 : 0) <= room
                      : n + (over > 0 ? over * lowest_[even + 1] : 0) + (parts - over) * lowest_[even] < beta;
        }
    passes[0][1] = false;  // one class of all: learns nothing
    l.guesses.clear();
    for (int g = 0; g < static_cast<int>(numbers_.size()); ++g) {
        if (!passes[answers[g].hit ? 1 : 0][answers[g].different])
            continue;
        std::array<int, 10> taken{};
        bool first = true;
        for (int j = 0; j < rules_.places && first; ++j) {
            const int d = numbers_[g][j];
            first = taken[classof[d]]++ == rank[d];
        }
        if (first)
            l.guesses.push_back(static_cast<std::uint16_t>(g));
    }
    const int count = static_cast<int>(l.guesses.size());
    l.selfrows.resize(n);
    l.digits.resize(count);
    thread_local std::vector<std::uint16_t> where;
    where.assign(numbers_.size(), kNoRow);
    for (int i = 0; i < count; ++i) {
        l.digits[i] = numbers_[l.guesses[i]];
        where[l.guesses[i]] = static_cast<std::uint16_t>(i);
    }
    for (int i = 0; i < n; ++i)
        l.selfrows[i] = where[set[i]];
    l.sizes.resize(count);
    countsplits(l.digits, l.possibles, l.selfrows, l.sizes, Counting::Fastest);
    l.choices.clear();
    for (int i = 0; i < count; ++i) {
        const ClassSizes &sizes = l.sizes[i];
        int largest = 0, total = 0, bound = n, spread = 0;
        for (const int s : sizes) {
            largest = std::max(largest, s);
            total += s;
            bound += lowest_[s];
            spread += s * s;
        }
        if (worst ? largest > room : bound >= beta)
            continue;
        // Smaller first: the bound, then the spread, then a possible before the others.
        const std::uint64_t rank = (static_cast<std::uint64_t>(worst ? largest : bound) << 40) |
                                   (static_cast<std::uint64_t>(spread) << 14) | (total < n ? 0U : 1U << 13);
        l.choices.push_back(rank | l.guesses[i]);
    }
    // Most searches take only the first few: the rest is sorted when it is reached.
    l.sorted = std::min<std::size_t>(l.choices.size(), 8);
    std::ranges::partial_sort(l.choices, l.choices.begin() + static_cast<std::ptrdiff_t>(l.sorted));
}

// The i-th choice in order.
Choice Level::choice(std::size_t i)
{
    if (i == sorted) {
        std::sort(choices.begin() + static_cast<std::ptrdiff_t>(i), choices.end());
        sorted = choices.size();
    }
    return choices[i];
}

// The least total of `set` when it is below beta; otherwise a lower bound, at least beta.
int Solver::search(std::span<const std::uint16_t> set, int beta, std::vector<Digits> &history, std::uint16_t *bestguess)
{
    const int n = static_cast<int>(set.size());
    if (n <= 2) {
        if (bestguess)
            *bestguess = set[0];
        return 2 * n - 1;
    }
    checkstop();
    const Key key = keyof(set);
    const Entry known = memory_.find(key);
    if (known.size != 0 && known.lo == known.hi) {
        if (bestguess)
            *bestguess = known.guess;
        return known.hi;
    }
    int lo = std::max(lowest_[n], known.lo);
    if (lo >= beta)
        return lo;
    if (n <= answers_ + 2) {
        std::uint16_t g = 0;
        const int least = n <= kTiny && perfect(set, &g) ? 2 * n - 1 : smallbound(set, &g);
        if (least <= 2 * n)
            return remember(key, n, least, true, g, bestguess);
        lo = std::max(lo, least);
        if (lo >= beta)
            return remember(key, n, lo, false, 0, bestguess);
    }
    const int depth = static_cast<int>(history.size());
    Level &l = level(depth);
    int best = beta, lower = kInfinity;
    std::uint16_t bestg = 0;
    bool found = false;
    if (beta >= kInfinity) {
        // No budget yet: the strategy that always takes the first choice sets one.
        best = greedy(set, history, &bestg);
        found = true;
    }
    choose(set, l, best, false, 0);
    if (l.choices.empty())
        return remember(key, n, found ? best : std::max(lo, beta), found, bestg, bestguess);
    lo = std::max(lo, boundof(l.choices.front()));
    l.shapes.clear();
    const int choicecount = static_cast<int>(l.choices.size());
    if (depth == 1 && task_)
        task_->choices = choicecount;
    for (int i = 0; i < choicecount; ++i) {
        const Choice ch = l.choice(i);
        if (depth == 1 && task_)
            task_->tried = i;
        if (boundof(ch) >= best) {
            lower = std::min(lower, boundof(ch));
            break;
        }
        const std::uint16_t g = guessof(ch);
        const Digits &guess = numbers_[g];
        if (!canonical(guess, history))
            continue;
        splitby(set, g, l.split);
        if (std::ranges::find(l.shapes, l.split.shape) != l.shapes.end())
            continue;
        l.shapes.push_back(l.split.shape);
        // Each class's bound: what the memory knows of it, at least the counting bound.
        int rest = 0;
        l.bounds.resize(l.split.classes.size());
        for (std::size_t c = 0; c < l.split.classes.size(); ++c) {
            const int first = l.split.classes[c].first, size = l.split.ends[c] - first;
            l.bounds[c] = lowest_[size];
            if (size > 2)
                l.bounds[c] = std::max(
                    l.bounds[c],
                    memory_.find(keyof(std::span<const std::uint16_t>(l.split.members.data() + first, size))).lo);
            rest += l.bounds[c];
        }
        if (n + rest >= best) {
            lower = std::min(lower, n + rest);
            continue;
        }
        int sum = n;
        bool over = false;
        history.push_back(guess);
        for (std::size_t c = 0; c < l.split.classes.size(); ++c) {
            const int first = l.split.classes[c].first;
            const std::span<const std::uint16_t> part(l.split.members.data() + first, l.split.ends[c] - first);
            rest -= l.bounds[c];
            const int limit = best - sum - rest;
            const int v = search(part, limit, history, nullptr);
            if (v >= limit) {
                lower = std::min(lower, sum + v + rest);
                over = true;
                break;
            }
            sum += v;
        }
        history.pop_back();
        if (!over) {
            best = sum;
            bestg = g;
            found = true;
            if (depth == 1 && task_)
                task_->upper = best;
        }
    }
    if (depth == 1 && task_)
        task_->tried = choicecount;
    return remember(key, n, found ? best : std::max(lo, lower), found, bestg, bestguess);
}

// Keeps what the search has learnt of a set, its least total when found, else a lower
// bound, and returns it.
int Solver::remember(const Key &key, int n, int value, bool found, std::uint16_t guess, std::uint16_t *bestguess)
{
    memory_.store(key, n, value, found ? value : kInfinity, guess);
    if (found && bestguess)
        *bestguess = guess;
    return value;
}

// Whether a possible gives every other possible an answer of its own (then it is the
// guess); by sign codes, for the tiniest sets, most of which have one.
bool Solver::perfect(std::span<const std::uint16_t> set, std::uint16_t *guess) const
{
    for (const std::uint16_t x : set) {
        std::uint64_t met = 0;
        for (const std::uint16_t y : set)
            met |= std::uint64_t{1} << code(x, y);
        if (std::popcount(met) == static_cast<int>(set.size())) {
            *guess = x;
            return true;
        }
    }
    return false;
}

// For a set whose classes are all small enough for the counting bound to be 2s - 1 (a
// class of s), the least bound over all guesses, and a guess with it: a guess's bound is
// 3n less its answers (the hit one of them) and 1 more for a possible. It is the set's
// least total when it is 2n - 1 (a possible that gives every other one a class of its
// own) or 2n (a guess that gives every possible one, or a possible that leaves one pair).
int Solver::smallbound(std::span<const std::uint16_t> set, std::uint16_t *guess) const
{
    thread_local std::vector<Digits> possibles;
    thread_local std::vector<Answers> answers;
    const int n = static_cast<int>(set.size());
    possibles.resize(n);
    for (int i = 0; i < n; ++i)
        possibles[i] = numbers_[set[i]];
    answers.resize(numbers_.size());
    countanswers(numbers_, possibles, answers);
    int most = -1;
    for (std::size_t g = 0; g < answers.size(); ++g) {
        const int score = answers[g].different + (answers[g].hit ? 1 : 0);
        if (score > most) {
            most = score;
            *guess = static_cast<std::uint16_t>(g);
        }
    }
    return 3 * n - most;
}

// The total of the strategy that always takes the first choice: an upper bound.
int Solver::greedy(std::span<const std::uint16_t> set, std::vector<Digits> &history, std::uint16_t *first)
{
    const int n = static_cast<int>(set.size());
    *first = set[0];
    if (n <= 2)
        return 2 * n - 1;
    checkstop();
    const Entry known = memory_.find(keyof(set));
    if (known.size != 0 && known.lo == known.hi) {
        *first = known.guess;
        return known.hi;
    }
    if (n <= answers_ + 2) {
        if (n <= kTiny && perfect(set, first))
            return 2 * n - 1;
        if (const int least = smallbound(set, first); least <= 2 * n)
            return least;
    }
    Level &l = level(static_cast<int>(history.size()));
    choose(set, l, kInfinity, false, 0);
    *first = guessof(l.choices.front());
    Split split;
    splitby(set, *first, split);
    int sum = n;
    history.push_back(numbers_[*first]);
    std::uint16_t ignored = 0;
    for (std::size_t c = 0; c < split.classes.size(); ++c) {
        const int start = split.classes[c].first;
        sum += greedy(std::span<const std::uint16_t>(split.members.data() + start, split.ends[c] - start), history,
                      &ignored);
    }
    history.pop_back();
    return sum;
}

// Whether some strategy finds every secret of `set` within `depth` guesses.
bool Solver::fits(std::span<const std::uint16_t> set, int depth, std::vector<Digits> &history, std::uint16_t *bestguess)
{
    const int n = static_cast<int>(set.size());
    if (n == 0)
        return true;
    if (n <= 2 || n > capacity(depth)) {
        if (bestguess)
            *bestguess = set[0];
        return n <= depth && n <= capacity(depth);
    }
    checkstop();
    const Key key = keyof(set);
    const Entry known = memory_.find(key);
    if (known.size != 0 && known.hi <= depth) {
        if (bestguess)
            *bestguess = known.guess;
        return true;
    }
    if (known.size != 0 && known.lo > depth)
        return false;
    const int level = static_cast<int>(history.size());
    Level &l = this->level(level);
    choose(set, l, 0, true, depth);
    l.shapes.clear();
    const int choicecount = static_cast<int>(l.choices.size());
    if (level == 1 && task_)
        task_->choices = choicecount;
    for (int i = 0; i < choicecount; ++i) {
        if (level == 1 && task_)
            task_->tried = i;
        const std::uint16_t g = guessof(l.choice(i));
        if (!canonical(numbers_[g], history))
            continue;
        splitby(set, g, l.split);
        if (std::ranges::find(l.shapes, l.split.shape) != l.shapes.end())
            continue;
        l.shapes.push_back(l.split.shape);
        bool all = true;
        history.push_back(numbers_[g]);
        for (std::size_t c = 0; c < l.split.classes.size() && all; ++c) {
            const int first = l.split.classes[c].first;
            all = fits(std::span<const std::uint16_t>(l.split.members.data() + first, l.split.ends[c] - first),
                       depth - 1, history, nullptr);
        }
        history.pop_back();
        if (all) {
            memory_.store(key, n, 0, depth, g);
            if (bestguess)
                *bestguess = g;
            return true;
        }
    }
    memory_.store(key, n, depth + 1, kInfinity, 0);
    return false;
}

// The plan from the memory, searching again where it has forgotten a set; depthleft
// is 0 for the least total.
int Solver::build(std::span<const std::uint16_t> set, std::vector<Digits> &history, int depthleft, Plan &plan)
{
    std::uint16_t guess = set[0];
    if (depthleft > 0)
        fits(set, depthleft, history, &guess);
    else
        search(set, kInfinity, history, &guess);
    const int node = static_cast<int>(plan.nodes.size());
    plan.nodes.emplace_back();
    plan.nodes[node].guess = guess;
    Split split;
    splitby(set, guess, split);
    std::ranges::sort(split.classes, [](const auto &x, const auto &y) { return x.second < y.second; });
    std::vector<std::pair<int, int>> answers;
    history.push_back(numbers_[guess]);
    for (const auto &[first, c] : split.classes) {
        int last = first;
        while (last < static_cast<int>(split.members.size()) && code(guess, split.members[last]) == c)
            ++last;
        const std::vector<std::uint16_t> part(split.members.begin() + first, split.members.begin() + last);
        answers.emplace_back(c, build(part, history, depthleft > 0 ? depthleft - 1 : 0, plan));
    }
    history.pop_back();
    plan.nodes[node].answers = std::move(answers);
    return node;
}

void Solver::report(const std::chrono::steady_clock::time_point &start)
{
    if (!options_.progress)
        return;
    Progress p;
    double share = firstdone_;
    long running = 0, weight = 0;
    bool whole = true;
    for (const auto &t : tasks_) {
        weight += t->size;
        const double part = t->done ? 1.0 : static_cast<double>(t->tried) / std::max(1, t->choices.load());
        share += part * t->size / static_cast<double>(numbers_.size());
        whole = whole && t->upper < kInfinity;
        running += t->upper;
    }
    p.share = std::min(1.0, share / firstcount_);
    const long best = best_;
    p.besttotal = whole && weight > 0 ? static_cast<long>(numbers_.size()) + running : 0;
    if (best > 0 && (p.besttotal == 0 || best < p.besttotal))
        p.besttotal = best;
    p.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    options_.progress(p);
}

std::optional<Solution> Solver::run()
{
    const auto start = std::chrono::steady_clock::now();
    std::mutex reportlock;
    std::condition_variable wake;
    bool finished = false;
    std::thread reporter([&] {
        std::unique_lock lock(reportlock);
        while (!wake.wait_for(lock, std::chrono::seconds(1), [&] { return finished; }))
            report(start);
    });
    std::vector<std::uint16_t> all(numbers_.size());
    std::iota(all.begin(), all.end(), std::uint16_t{0});
    const int n = static_cast<int>(all.size());
    const bool worst = options_.worstcase;
    std::optional<Solution> solution;
    try {
        // The first guess: every class of each candidate is one task for the threads.
        int depthfits = 1;
        while (capacity(depthfits) < n)
            ++depthfits;
        long best = kInfinity;
        std::uint16_t bestfirst = 0;
        std::vector<Digits> none;
        for (;;) {
            Level rootlevel;
            choose(all, rootlevel, kInfinity, worst, depthfits);
            std::vector<std::uint16_t> firsts;
            for (const Choice ch : rootlevel.choices)
                if (canonical(numbers_[guessof(ch)], none))
                    firsts.push_back(guessof(ch));
            firstcount_ = static_cast<int>(firsts.size());
            firstdone_ = 0;
            bool anyfits = false;
            for (const std::uint16_t g : firsts) {
                Split split;
                splitby(all, g, split);
                const int classes = static_cast<int>(split.classes.size());
                std::vector<int> bounds(classes), values(classes, 0);
                int boundsum = 0;
                std::unique_lock tasklock(reportlock);
                tasks_.clear();
                for (int c = 0; c < classes; ++c) {
                    bounds[c] = lowest_[split.ends[c] - split.classes[c].first];
                    boundsum += bounds[c];
                    tasks_.push_back(std::make_unique<Task>());
                    tasks_.back()->size = split.ends[c] - split.classes[c].first;
                }
                tasklock.unlock();
                abandon_ = false;
                std::atomic<int> next{0};
                std::atomic<bool> stopped{false};
                auto worker = [&] {
                    std::vector<Digits> history = {numbers_[g]};
                    for (int c; (c = next++) < classes;) {
                        const int first = split.classes[c].first;
                        const std::span<const std::uint16_t> part(split.members.data() + first, split.ends[c] - first);
                        task_ = tasks_[c].get();
                        try {
                            if (worst) {
                                values[c] = fits(part, depthfits - 1, history, nullptr) ? 0 : 1;
                                if (values[c] != 0)
                                    abandon_ = true;
                            } else {
                                const int limit =
                                    best >= kInfinity ? kInfinity : static_cast<int>(best) - n - boundsum + bounds[c];
                                values[c] = search(part, limit, history, nullptr);
                                if (values[c] >= limit)
                                    abandon_ = true;
                            }
                        } catch (const Stopped &) {
                            stopped = true;
                        }
                        tasks_[c]->done = true;
                        task_ = nullptr;
                    }
                };
                std::vector<std::thread> threads;
                for (int t = 1; t < options_.threads; ++t)
                    threads.emplace_back(worker);
                worker();
                for (auto &t : threads)
                    t.join();
                if (options_.stop && options_.stop->load())
                    throw Stopped{};
                ++firstdone_;
                if (abandon_ || stopped)
                    continue;
                if (worst) {
                    anyfits = true;
                    bestfirst = g;
                    break;
                }
                const long total = n + std::accumulate(values.begin(), values.end(), 0L);
                if (total < best) {
                    best = total;
                    bestfirst = g;
                    best_ = total;
                }
            }
            {
                const std::scoped_lock tasklock(reportlock);
                tasks_.clear();
            }
            abandon_ = false;
            if (!worst || anyfits)
                break;
            ++depthfits;
        }
        Solution s;
        s.value = worst ? depthfits : best;
        // The plan: the first guess, then each class as the memory has it.
        std::vector<Digits> history;
        Split split;
        splitby(all, bestfirst, split);
        std::ranges::sort(split.classes, [](const auto &x, const auto &y) { return x.second < y.second; });
        s.plan.nodes.emplace_back();
        s.plan.nodes[0].guess = bestfirst;
        history.push_back(numbers_[bestfirst]);
        std::vector<std::pair<int, int>> answers;
        for (const auto &[first, c] : split.classes) {
            int last = first;
            while (last < n && last < static_cast<int>(split.members.size()) &&
                   code(bestfirst, split.members[last]) == c)
                ++last;
            const std::vector<std::uint16_t> part(split.members.begin() + first, split.members.begin() + last);
            answers.emplace_back(c, build(part, history, worst ? depthfits - 1 : 0, s.plan));
        }
        s.plan.nodes[0].answers = std::move(answers);
        solution = std::move(s);
    } catch (const Stopped &) {
        solution.reset();
    }
    {
        const std::scoped_lock lock(reportlock);
        finished = true;
    }
    wake.notify_all();
    reporter.join();
    return solution;
}

}  // namespace

std::vector<Digits> numbersof(const Rules &rules)
{
    // Every string of `places` digits in increasing order, those with different digits
    // below rules.digits (and no leading 0 unless allowed) kept; places a number of fewer
    // than four does not use hold 9, 8, ... so that no digit repeats.
    std::vector<Digits> numbers;
    const int places = std::clamp(rules.places, 1, 4);
    int limit = 1;
    for (int j = 0; j < places; ++j)
        limit *= 10;
    for (int value = 0; value < limit; ++value) {
        Digits d{};
        for (int j = places; j < 4; ++j)
            d[j] = static_cast<std::uint8_t>(9 - (j - places));
        unsigned used = 0;
        bool fits = true;
        int rest = value;
        for (int j = places - 1; j >= 0 && fits; --j) {
            const int digit = rest % 10;
            rest /= 10;
            fits = digit < rules.digits && (used & (1U << digit)) == 0 && (j > 0 || digit > 0 || rules.leadingzero);
            used |= 1U << digit;
            d[j] = static_cast<std::uint8_t>(digit);
        }
        if (fits)
            numbers.push_back(d);
    }
    return numbers;
}

std::string numbertext(const Rules &rules, const Digits &number)
{
    return textform(number).substr(0, rules.places);
}

std::string answertext(const Rules &rules, int code)
{
    return std::to_string(code / 10 - padding(rules)) + "+" + std::to_string(code % 10) + "-";
}

std::optional<Solution> solvegame(const SolveOptions &options)
{
    return Solver(options).run();
}

Replay replay(const Rules &rules, const Plan &plan)
{
    const std::vector<Digits> numbers = numbersof(rules);
    Replay r;
    for (const Digits &secret : numbers) {
        int node = 0, count = 0;
        std::string path;
        for (;;) {
            ++count;
            const Digits &guess = numbers[plan.nodes[node].guess];
            const int code = signcode(guess, secret);
            if (code == kHit) {
                ++r.games[count];
                break;
            }
            path += numbertext(rules, guess) + " " + answertext(rules, code) + " ";
            const auto &answers = plan.nodes[node].answers;
            const auto found = std::ranges::find(answers, code, &std::pair<int, int>::first);
            if (found == answers.end()) {
                r.error = "the strategy does not find " + numbertext(rules, secret) + ": no guess after " +
                          path.substr(0, path.size() - 1);
                r.games.clear();
                return r;
            }
            node = found->second;
        }
    }
    return r;
}

namespace {

std::string rulestext(const Rules &rules)
{
    return "# numora-selfplay strategy: " + std::to_string(rules.digits) + " digits, " + std::to_string(rules.places) +
           " places, " + (rules.leadingzero ? "leading 0" : "no leading 0");
}

void writenode(const Rules &rules, const std::vector<Digits> &numbers, const Plan &plan, int node, int depth,
               std::string &out)
{
    for (const auto &[code, child] : plan.nodes[node].answers) {
        out += std::string(depth + 1, ' ') + answertext(rules, code) + " " +
               numbertext(rules, numbers[plan.nodes[child].guess]) + "\n";
        writenode(rules, numbers, plan, child, depth + 1, out);
    }
}

}  // namespace

std::string writeplan(const Rules &rules, const Plan &plan, long total)
{
    const std::vector<Digits> numbers = numbersof(rules);
    std::string out = rulestext(rules) + ", " + std::to_string(total) + " guesses in all\n";
    out += numbertext(rules, numbers[plan.nodes[0].guess]) + "\n";
    writenode(rules, numbers, plan, 0, 0, out);
    return out;
}

Reading readplan(const Rules &rules, const std::string &text)
{
    const std::vector<Digits> numbers = numbersof(rules);
    Reading r;
    std::istringstream in(text);
    std::string line;
    std::vector<int> path;  // node at each depth
    int lineno = 0;
    auto fail = [&](const std::string &why) {
        r.plan.nodes.clear();
        r.error = "line " + std::to_string(lineno) + ": " + why;
        return r;
    };
    std::map<std::string, int> rows;
    for (std::size_t row = 0; row < numbers.size(); ++row)
        rows[numbertext(rules, numbers[row])] = static_cast<int>(row);
    auto rowof = [&](const std::string &word) -> int {
        const auto found = rows.find(word);
        return found == rows.end() ? -1 : found->second;
    };
    const std::string header = rulestext(rules) + ", ";
    while (std::getline(in, line)) {
        ++lineno;
        if (lineno == 1) {
            if (!line.starts_with(header))
                return fail("not a strategy for " + header.substr(2, header.size() - 4));
            continue;
        }
        const std::size_t depth = line.find_first_not_of(' ');
        if (depth == std::string::npos)
            return fail("empty line");
        std::istringstream words(line.substr(depth));
        std::string answer, number, extra;
        if (depth == 0)
            words >> number;
        else
            words >> answer >> number;
        if (number.empty() || (words >> extra))
            return fail(depth == 0 ? "a guess expected" : "an answer and a guess expected");
        const int guess = rowof(number);
        if (guess < 0)
            return fail(number + " is not an admissible number");
        if (depth == 0) {
            if (!r.plan.nodes.empty())
                return fail("a second first guess");
        } else {
            if (depth > path.size())
                return fail("indented deeper than the line before allows");
            int plus = -1, minus = -1;
            char p = 0, m = 0;
            std::istringstream a(answer);
            a >> plus >> p >> minus >> m;
            const int places = rules.places;
            if (!a || p != '+' || m != '-' || a.peek() != EOF || plus < 0 || minus < 0 || plus + minus > places ||
                plus >= places || (plus == places - 1 && minus == 1))
                return fail("bad answer " + answer);
            const int code = 10 * (plus + padding(rules)) + minus;
            auto &answers = r.plan.nodes[path[depth - 1]].answers;
            if (std::ranges::find(answers, code, &std::pair<int, int>::first) != answers.end())
                return fail("a second guess after answer " + answer);
            answers.emplace_back(code, static_cast<int>(r.plan.nodes.size()));
        }
        path.resize(depth);
        path.push_back(static_cast<int>(r.plan.nodes.size()));
        r.plan.nodes.emplace_back();
        r.plan.nodes.back().guess = static_cast<std::uint16_t>(guess);
    }
    if (lineno == 0)
        return fail("empty file");
    if (r.plan.nodes.empty())
        return fail("no first guess");
    return r;
}

}  // namespace numora

// SPDX-License-Identifier: MIT
// Exact search, branch and bound, for either goal. The least total of a set S of n
// secrets is
//   F(S) = n + min over guesses g of the sum of F over the classes g splits S into,
// the hit left out; the fewest guesses in the worst case is 1 + the most over the
// classes instead. The search bounds each guess from below by the counting bound of its
// class sizes (a class of k secrets needs at least the guesses of the best tree that
// could find k: one with its first guess, then one for each answer, ...), tries the
// guesses in the order of that bound, and gives each class the budget the best guess so
// far leaves it: a class over budget ends the guess. Guesses that a symmetry of the
// rules fixing every earlier guess maps onto each other (digits and places permuted,
// 0 and the first place fixed unless a leading 0 is allowed), and guesses splitting S
// the very same way, are tried once. A memory keyed by the set keeps exact values and
// lower bounds. The class sizes come from the engine's counting.
//
// The threads share the work inside each class of the first guess: its candidate
// guesses go to whichever thread is free, with the best value found so far shared.
#include "tools/solver.h"
#include "engine/counting.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <numeric>
#include <span>
#include <thread>

namespace numora {

namespace {

constexpr int kInfinity = 1 << 28;

// Thrown from deep in the search when it is to stop.
struct Stopped {};

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

// A set's key: the exclusive or of its members' random words, so that a split builds
// its classes' keys as it sorts the members.
struct Key {
    std::uint64_t a = 0, b = 0;
    void add(const Key &k)
    {
        a ^= k.a;
        b ^= k.b;
    }
};

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
    // Anonymous pages read as zero, an empty entry, and are touched only when used; on
    // pages of 2 MiB where the system has them, so that a probe seldom misses the TLB.
    explicit Memory(int bits) : bytes_(sizeof(Entry) << bits), mask_((std::size_t{1} << bits) - 1)
    {
        void *pages = mmap(nullptr, bytes_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (pages == MAP_FAILED)
            throw std::bad_alloc();
        madvise(pages, bytes_, MADV_HUGEPAGE);
        entries_ = static_cast<Entry *>(pages);
    }
    ~Memory() { munmap(entries_, bytes_); }
    Memory(const Memory &) = delete;
    Memory &operator=(const Memory &) = delete;

    void prefetch(const Key &key) const { __builtin_prefetch(&entries_[key.a & mask_ & ~std::size_t{3}]); }

    Entry find(const Key &key, int size)
    {
        const std::size_t first = key.a & mask_ & ~std::size_t{3};
        const std::scoped_lock lock(locks_[(first >> 2) % locks_.size()]);
        for (std::size_t i = first; i < first + 4; ++i)
            if (entries_[i].size == size && entries_[i].key.a == key.a && entries_[i].key.b == key.b)
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
            if (e.size == size && e.key.a == key.a && e.key.b == key.b) {
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
    std::size_t bytes_;
    Entry *entries_ = nullptr;
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

// One class of a split: the answer, its members' range and their key.
struct Part {
    int answer = 0;
    int begin = 0, end = 0;
    Key key;
    int size() const { return end - begin; }
};

// The classes one guess splits a set into, largest first.
struct Split {
    std::vector<std::uint16_t> members;
    std::vector<Part> parts;
    std::uint64_t shape = 0;  // the same for guesses splitting the set the same way
    std::span<const std::uint16_t> of(const Part &p) const
    {
        return {members.data() + p.begin, members.data() + p.end};
    }
};

// A searcher's buffers for one depth of the search.
struct Level {
    std::vector<std::uint16_t> guesses;  // rows of the guesses that matter
    std::vector<Digits> digits;          // and their digits
    std::vector<ClassSizes> sizes;
    std::vector<Digits> possibles;
    std::vector<std::uint16_t> selfrows;
    std::vector<Answers> answers;
    std::vector<Choice> choices;
    std::size_t sorted = 0;   // choices sorted so far
    int floor = kInfinity;    // the least bound of the guesses left out of the choices
    std::vector<int> bounds;  // of the classes of the guess being tried
    std::vector<std::uint64_t> shapes;
    Split split;
    Choice choice(std::size_t i);
};

// The i-th choice in order.
Choice Level::choice(std::size_t i)
{
    if (i == sorted) {
        std::sort(choices.begin() + static_cast<std::ptrdiff_t>(i), choices.end());
        sorted = choices.size();
    }
    return choices[i];
}

// What every thread of one solve shares: the rules' tables and the memory.
struct Game {
    explicit Game(const SolveOptions &options);

    int leaf(int n) const { return worst ? n : 2 * n - 1; }  // one or two secrets
    int code(int guess, int secret) const
    {
        // plus: the bytes that agree; common digits: the digit masks' common bits
        // (popcount is a library call on the baseline x86-64: a multiplication adds the bytes)
        const std::uint32_t x = packed[guess] ^ packed[secret];
        const std::uint32_t differ = ((((x & 0x7f7f7f7fU) + 0x7f7f7f7fU) | x) & 0x80808080U) >> 7;
        const int plus = 4 - static_cast<int>((differ * 0x01010101U) >> 24);
        return 10 * plus + bits[masks[guess] & masks[secret]] - plus;
    }
    void checkstop() const
    {
        if ((options.stop && options.stop->load(std::memory_order_relaxed)) || abandon.load(std::memory_order_relaxed))
            throw Stopped{};
    }
    Key keyof(std::span<const std::uint16_t> set) const
    {
        Key key;
        for (const std::uint16_t row : set)
            key.add(keys[row]);
        return key;
    }

    const SolveOptions &options;
    Rules rules;
    bool worst;
    std::vector<Digits> numbers;
    std::vector<std::uint32_t> packed;    // of each number, its four digits
    std::vector<std::uint16_t> masks;     // and its digits as bits
    std::array<std::uint8_t, 1024> bits;  // of each mask of digits, how many
    std::vector<Key> keys;                // and its random words
    int answers;
    std::vector<int> lowest;  // the counting bound of n secrets
    std::vector<std::vector<int>> placeperms;
    // The row of each number with the digits of pair p = 10 * a + b (a < b) exchanged.
    std::vector<std::vector<std::uint16_t>> swapped;
    Memory memory;
    std::atomic<bool> abandon{false};  // the first guess being tried is out of the running
};

Game::Game(const SolveOptions &options)
    : options(options), rules(options.rules), worst(options.worstcase), numbers(numbersof(rules)),
      answers(answercount(rules)), memory(numbers.size() > 1000 ? 24 : 18)
{
    const int count = static_cast<int>(numbers.size());
    for (unsigned m = 0; m < bits.size(); ++m)
        bits[m] = static_cast<std::uint8_t>(std::popcount(m));
    std::vector<int> rowof(10000, -1);
    const auto indexof = [](const Digits &d) { return ((d[0] * 10 + d[1]) * 10 + d[2]) * 10 + d[3]; };
    for (int row = 0; row < count; ++row) {
        const Digits &d = numbers[row];
        rowof[indexof(d)] = row;
        packed.push_back(std::uint32_t{d[0]} | std::uint32_t{d[1]} << 8 | std::uint32_t{d[2]} << 16 |
                         std::uint32_t{d[3]} << 24);
        masks.push_back(static_cast<std::uint16_t>((1U << d[0]) | (1U << d[1]) | (1U << d[2]) | (1U << d[3])));
        keys.push_back({mix(2 * row + 1), mix(2 * row + 2)});
    }
    // The counting bound: the best tree finds 1 secret with its first guess, `answers`
    // with its second, answers^2 with its third, ...
    lowest.assign(count + 1, 0);
    long found = 0, width = 1;
    int depth = 1;
    for (int n = 1; n <= count; ++n) {
        if (found == width) {
            found = 0;
            width *= answers;
            ++depth;
        }
        ++found;
        lowest[n] = worst ? depth : lowest[n - 1] + depth;
    }
    swapped.resize(100);
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b) {
            auto &to = swapped[10 * a + b];
            to.assign(count, kNoRow);
            for (int row = 0; row < count; ++row) {
                Digits x = numbers[row];
                for (int j = 0; j < rules.places; ++j)
                    x[j] = static_cast<std::uint8_t>(x[j] == a ? b : x[j] == b ? a : x[j]);
                const int image = rowof[indexof(x)];
                to[row] = image < 0 ? kNoRow : static_cast<std::uint16_t>(image);
            }
        }
    std::vector<int> places(rules.places);
    std::iota(places.begin(), places.end(), 0);
    do {
        if (rules.leadingzero || places[0] == 0)
            placeperms.push_back(places);
    } while (std::ranges::next_permutation(places).found);
}

// Where a search at the first level below a class of the first guess reports: the
// budget shared by the threads, lowered while it runs, and the secrets of the class
// whose classes are done.
struct Watch {
    const std::atomic<int> *best = nullptr;
    std::atomic<int> *secrets = nullptr;
    int added = 0;  // to secrets, by this search
};

// One thread's search: its buffers, one set of them for each depth, and the guesses
// made on the way to the set it is at.
class Searcher {
public:
    explicit Searcher(Game &game) : g_(game), counter_(game.numbers), inset_(game.numbers.size(), 0) {}

    // The least value of `set` when it is below beta; otherwise a lower bound, at least
    // beta. Quick: the value of the strategy that always takes the first choice, an upper
    // bound, which the memory does not keep.
    int value(std::span<const std::uint16_t> set, const Key &key, int beta, bool quick, std::uint16_t *bestguess);
    // The value of the guess that split `set` into `split` (the guess made, in history)
    // when it is below best; otherwise a lower bound, at least best.
    int tryguess(int n, Level &l, const Split &split, int best, bool quick, Watch *watch = nullptr);
    // The guesses worth trying at a set, best first: those whose bound is below beta.
    void choose(std::span<const std::uint16_t> set, Level &l, int beta);
    void splitby(std::span<const std::uint16_t> set, int guess, Split &split);
    bool canonical(const Digits &guess) const;
    // The plan from the memory, searching again where it has forgotten a set.
    int build(std::span<const std::uint16_t> set, const Key &key, Plan &plan);

    std::vector<Digits> history;

private:
    Level &level(int depth)
    {
        while (static_cast<int>(levels_.size()) <= depth)
            levels_.push_back(std::make_unique<Level>());
        return *levels_[depth];
    }
    void digitclasses(std::span<const std::uint16_t> set, std::array<int, 10> &classof, std::array<int, 10> &rank);
    int smallbound(std::span<const std::uint16_t> set, std::uint16_t *guess, bool &exact);
    int perfect(std::span<const std::uint16_t> set, std::uint16_t *guess) const;
    int keep(const Key &key, int n, int value, bool found, std::uint16_t guess, std::uint16_t *bestguess);
    void markset(std::span<const std::uint16_t> set);

    Game &g_;
    AnswerCounter counter_;
    std::vector<std::unique_ptr<Level>> levels_;
    std::vector<std::uint32_t> inset_;  // of each row, the mark of the set last marked holding it
    std::uint32_t mark_ = 0;
    std::vector<std::uint8_t> codes_;
    std::vector<Digits> smallpossibles_;
    std::vector<Answers> smallanswers_;
};

// True when no symmetry of the rules that fixes every earlier guess maps `guess` onto
// a smaller number: for each permutation of the places, the earlier guesses force the
// digits they hold, and the digits they do not hold go to the smallest free ones.
bool Searcher::canonical(const Digits &guess) const
{
    const int places = g_.rules.places;
    for (const auto &perm : g_.placeperms) {
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
        if (!g_.rules.leadingzero) {
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

void Searcher::splitby(std::span<const std::uint16_t> set, int guess, Split &split)
{
    std::array<int, kHit + 1> count{};
    std::array<Key, kHit + 1> keys{};
    std::array<std::uint8_t, kHit + 1> label;
    label.fill(0);
    std::uint8_t labels = 0;
    std::uint64_t shape = 0xcbf29ce484222325ULL;
    codes_.resize(set.size());
    for (std::size_t i = 0; i < set.size(); ++i) {
        const int c = g_.code(guess, set[i]);
        codes_[i] = static_cast<std::uint8_t>(c);
        ++count[c];
        keys[c].add(g_.keys[set[i]]);
        if (c != kHit && label[c] == 0)
            label[c] = ++labels;
        shape = (shape ^ (c == kHit ? 255U : label[c])) * 0x100000001b3ULL;
    }
    split.shape = mix(shape);
    split.parts.clear();
    std::array<int, kHit + 1> start{};
    int at = 0;
    for (int c = 0; c < kHit; ++c)
        if (count[c] > 0) {
            split.parts.push_back({c, at, at + count[c], keys[c]});
            start[c] = at;
            at += count[c];
        }
    split.members.resize(at);
    for (std::size_t i = 0; i < set.size(); ++i)
        if (codes_[i] != kHit)
            split.members[start[codes_[i]]++] = set[i];
    // Largest first: the class most likely over budget ends a guess soonest.
    std::ranges::sort(split.parts, [](const Part &x, const Part &y) {
        return x.size() > y.size() || (x.size() == y.size() && x.answer < y.answer);
    });
}

// Marks the members of `set` in inset_.
void Searcher::markset(std::span<const std::uint16_t> set)
{
    if (++mark_ == 0) {
        std::ranges::fill(inset_, 0);
        mark_ = 1;
    }
    for (const std::uint16_t row : set)
        inset_[row] = mark_;
}

// Digits that can be swapped without changing the set (those no secret left holds, those
// no guess has held yet, ...) are alike: of the guesses that differ only in which of such
// digits they hold, only the one holding the smallest of them, in order, matters. Each
// digit gets its class of alike digits and its rank in it. Leaves the set marked.
void Searcher::digitclasses(std::span<const std::uint16_t> set, std::array<int, 10> &classof, std::array<int, 10> &rank)
{
    markset(set);
    std::array<int, 10> root;
    std::iota(root.begin(), root.end(), 0);
    const auto findroot = [&](int d) {
        while (root[d] != d)
            d = root[d];
        return d;
    };
    const int first = g_.rules.leadingzero ? 0 : 1;
    for (int a = first; a < g_.rules.digits; ++a)
        for (int b = a + 1; b < g_.rules.digits; ++b) {
            if (findroot(a) == findroot(b))
                continue;
            const auto &to = g_.swapped[10 * a + b];
            bool fixed = true;
            for (std::size_t i = 0; i < set.size() && fixed; ++i) {
                const std::uint16_t image = to[set[i]];
                fixed = image != kNoRow && inset_[image] == mark_;
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

// The number of different answers each guess gets bounds it first (its classes can be
// no more even than as even as can be), so only those that pass have their classes
// counted. The least bound of those left out is the level's floor.
void Searcher::choose(std::span<const std::uint16_t> set, Level &l, int beta)
{
    const int n = static_cast<int>(set.size());
    const int count = static_cast<int>(g_.numbers.size());
    const bool worst = g_.worst;
    const bool possibleonly = g_.options.possibleonly;
    l.possibles.resize(n);
    for (int i = 0; i < n; ++i)
        l.possibles[i] = g_.numbers[set[i]];
    l.answers.resize(count);
    counter_.count(l.possibles, l.answers);
    std::array<int, 10> classof, rank;
    digitclasses(set, classof, rank);
    // The bound of a guess with and without the hit among its different answers.
    std::array<std::array<int, 2 * (kClasses + 1) + 2>, 2> even;
    for (auto &e : even)
        e.fill(kInfinity);
    for (int hit = 0; hit < 2; ++hit)
        for (int parts = 1; parts <= kClasses && parts <= n - hit; ++parts) {
            const int left = n - hit, size = left / parts, over = left % parts;
            even[hit][parts + hit] =
                worst ? 1 + g_.lowest[size + (over > 0 ? 1 : 0)]
                      : n + (over > 0 ? over * g_.lowest[size + 1] : 0) + (parts - over) * g_.lowest[size];
        }
    even[0][1] = kInfinity;  // one class of all: learns nothing
    // Which counts of answers pass, and which of those that do not were met.
    std::uint32_t passes = 0, dropped = 0;
    for (int hit = 0; hit < 2; ++hit)
        for (int d = 0; d < 16; ++d)
            if (even[hit][d] < beta)
                passes |= 1U << (16 * hit + d);
    l.guesses.clear();
    for (int g = 0; g < count; ++g) {
        if (possibleonly && inset_[g] != mark_)
            continue;
        const std::uint32_t bit = 1U << ((l.answers[g].hit ? 16 : 0) + l.answers[g].different);
        if ((passes & bit) == 0) {
            dropped |= bit;
            continue;
        }
        std::array<int, 10> taken{};
        bool first = true;
        for (int j = 0; j < g_.rules.places && first; ++j) {
            const int d = g_.numbers[g][j];
            first = taken[classof[d]]++ == rank[d];
        }
        if (first)
            l.guesses.push_back(static_cast<std::uint16_t>(g));
    }
    l.floor = kInfinity;
    for (int hit = 0; hit < 2; ++hit)
        for (int d = 0; d < 16; ++d)
            if ((dropped >> (16 * hit + d) & 1) != 0)
                l.floor = std::min(l.floor, even[hit][d]);
    const int guesses = static_cast<int>(l.guesses.size());
    l.selfrows.resize(n);
    l.digits.resize(guesses);
    for (int i = 0; i < n; ++i)
        l.selfrows[i] = kNoRow;
    {
        // each possible's row among the guesses, both ascending
        int at = 0;
        for (int i = 0; i < guesses; ++i) {
            l.digits[i] = g_.numbers[l.guesses[i]];
            while (at < n && set[at] < l.guesses[i])
                ++at;
            if (at < n && set[at] == l.guesses[i])
                l.selfrows[at] = static_cast<std::uint16_t>(i);
        }
    }
    l.sizes.resize(guesses);
    countsplits(l.digits, l.possibles, l.selfrows, l.sizes, Counting::Fastest);
    l.choices.clear();
    for (int i = 0; i < guesses; ++i) {
        const ClassSizes &sizes = l.sizes[i];
        int largest = 0, total = 0, bound = n, spread = 0;
        for (const int s : sizes) {
            largest = std::max(largest, s);
            total += s;
            bound += g_.lowest[s];
            spread += s * s;
        }
        if (worst)
            bound = 1 + g_.lowest[largest];
        if (bound >= beta) {
            l.floor = std::min(l.floor, bound);
            continue;
        }
        // Smaller first: the bound, then the spread, then a possible before the others.
        const std::uint64_t rank = (static_cast<std::uint64_t>(bound) << 40) |
                                   (static_cast<std::uint64_t>(spread) << 14) | (total < n ? 0U : 1U << 13);
        l.choices.push_back(rank | l.guesses[i]);
    }
    // Most searches take only the first few: the rest is sorted when it is reached.
    l.sorted = std::min<std::size_t>(l.choices.size(), 8);
    std::ranges::partial_sort(l.choices, l.choices.begin() + static_cast<std::ptrdiff_t>(l.sorted));
}

int Searcher::value(std::span<const std::uint16_t> set, const Key &key, int beta, bool quick, std::uint16_t *bestguess)
{
    const int n = static_cast<int>(set.size());
    if (n <= 2) {
        if (bestguess)
            *bestguess = set[0];
        return g_.leaf(n);
    }
    g_.checkstop();
    const Entry known = g_.memory.find(key, n);
    if (known.size != 0 && known.lo == known.hi) {
        if (bestguess)
            *bestguess = known.guess;
        return known.hi;
    }
    int lo = std::max(g_.lowest[n], known.lo);
    if (!quick && lo >= beta)
        return lo;
    if (n <= g_.answers + 2) {
        std::uint16_t guess = set[0];
        if (const int v = perfect(set, &guess); v > 0)
            return keep(key, n, v, true, guess, bestguess);
        bool exact = false;
        const int least = smallbound(set, &guess, exact);
        if (exact)
            return keep(key, n, least, true, guess, bestguess);
        lo = std::max(lo, least);
        if (!quick && lo >= beta)
            return keep(key, n, lo, false, 0, bestguess);
    }
    Level &l = level(static_cast<int>(history.size()));
    int best = quick ? kInfinity : beta, lower = kInfinity;
    std::uint16_t bestg = set[0];
    bool found = false;
    if (!quick && beta >= kInfinity) {
        // No budget yet: the strategy that always takes the first choice sets one.
        best = value(set, key, kInfinity, true, &bestg);
        found = true;
    }
    choose(set, l, best);
    lower = l.floor;
    if (!l.choices.empty())
        lo = std::max(lo, std::min(l.floor, boundof(l.choices.front())));
    l.shapes.clear();
    const int choicecount = static_cast<int>(l.choices.size());
    for (int i = 0; i < choicecount; ++i) {
        const Choice ch = l.choice(i);
        if (boundof(ch) >= best) {
            lower = std::min(lower, boundof(ch));
            break;
        }
        const std::uint16_t g = guessof(ch);
        const Digits &guess = g_.numbers[g];
        if (!canonical(guess))
            continue;
        splitby(set, g, l.split);
        if (std::ranges::find(l.shapes, l.split.shape) != l.shapes.end())
            continue;
        l.shapes.push_back(l.split.shape);
        history.push_back(guess);
        const int v = tryguess(n, l, l.split, best, quick);
        history.pop_back();
        if (v < best) {
            best = v;
            bestg = g;
            found = true;
        } else {
            lower = std::min(lower, v);
        }
        if (quick)
            break;
    }
    if (quick) {
        if (bestguess)
            *bestguess = bestg;
        return best;
    }
    return keep(key, n, found ? best : std::max(lo, lower), found, bestg, bestguess);
}

int Searcher::tryguess(int n, Level &l, const Split &split, int best, bool quick, Watch *watch)
{
    const bool worst = g_.worst;
    // Each class's bound: what the memory knows of it, at least the counting bound.
    l.bounds.resize(split.parts.size());
    if (!quick)
        for (const Part &p : split.parts)
            if (p.size() > 2)
                g_.memory.prefetch(p.key);
    int rest = 0;
    for (std::size_t c = 0; c < split.parts.size(); ++c) {
        const Part &p = split.parts[c];
        int bound = g_.lowest[p.size()];
        if (p.size() > 2 && !quick)
            bound = std::max(bound, g_.memory.find(p.key, p.size()).lo);
        l.bounds[c] = bound;
        rest = worst ? std::max(rest, bound) : rest + bound;
    }
    if (!quick && (worst ? 1 + rest : n + rest) >= best)
        return worst ? 1 + rest : n + rest;
    int sum = worst ? 1 : n;
    for (std::size_t c = 0; c < split.parts.size(); ++c) {
        const Part &p = split.parts[c];
        if (watch)
            best = std::min(best, watch->best->load(std::memory_order_relaxed));
        if (!worst)
            rest -= l.bounds[c];
        const int limit = quick ? kInfinity : worst ? best - 1 : best - sum - rest;
        const int v = value(split.of(p), p.key, limit, quick, nullptr);
        if (v >= limit)
            return worst ? 1 + v : sum + v + rest;
        sum = worst ? std::max(sum, 1 + v) : sum + v;
        if (watch) {
            *watch->secrets += p.size();
            watch->added += p.size();
        }
    }
    return sum;
}

// Keeps what the search has learnt of a set, its least value when found, else a lower
// bound, and returns it.
int Searcher::keep(const Key &key, int n, int value, bool found, std::uint16_t guess, std::uint16_t *bestguess)
{
    g_.memory.store(key, n, value, found ? value : kInfinity, guess);
    if (found && bestguess)
        *bestguess = guess;
    return value;
}

// By sign codes, for small sets, most of which have one: the least value of a set when
// a possible gives every other possible an answer of its own (2n - 1 in all, 2 in the
// worst case), or, for the total, every other but two, which share one (2n); 0 if none.
int Searcher::perfect(std::span<const std::uint16_t> set, std::uint16_t *guess) const
{
    const int n = static_cast<int>(set.size());
    int pair = -1;
    for (const std::uint16_t x : set) {
        std::uint64_t met = 0;
        int distinct = 0;
        for (const std::uint16_t y : set) {
            const std::uint64_t bit = std::uint64_t{1} << g_.code(x, y);
            distinct += (met & bit) == 0 ? 1 : 0;
            met |= bit;
        }
        if (distinct == n) {
            *guess = x;
            return g_.worst ? 2 : 2 * n - 1;
        }
        if (distinct == n - 1 && pair < 0)
            pair = x;
    }
    if (g_.worst || pair < 0)
        return 0;
    *guess = static_cast<std::uint16_t>(pair);
    return 2 * n;
}

// For a set whose classes are all small enough for the counting bound to be 2s - 1 (a
// class of s), the least bound over all guesses, and a guess with it: a guess's bound is
// 3n less its answers (the hit one of them) and 1 more for a possible. It is the set's
// least total when it is 2n - 1 (a possible that gives every other one a class of its
// own) or 2n (a guess that gives every possible one, or a possible that leaves one pair).
// In the worst case a guess giving every possible an answer of its own finds all in 2,
// and any other leaves a class that needs 2 more.
int Searcher::smallbound(std::span<const std::uint16_t> set, std::uint16_t *guess, bool &exact)
{
    const int n = static_cast<int>(set.size());
    smallpossibles_.resize(n);
    for (int i = 0; i < n; ++i)
        smallpossibles_[i] = g_.numbers[set[i]];
    smallanswers_.resize(g_.numbers.size());
    counter_.count(smallpossibles_, smallanswers_);
    if (g_.options.possibleonly)
        markset(set);
    // The most first, in a loop the compiler can vectorise, then a guess with it.
    const bool possibleonly = g_.options.possibleonly, hitcounts = !g_.worst;
    const auto score = [&](std::size_t g) {
        const Answers &a = smallanswers_[g];
        return possibleonly && inset_[g] != mark_ ? 0 : a.different + (hitcounts && a.hit ? 1 : 0);
    };
    int most = 0;
    if (possibleonly) {
        for (const std::uint16_t row : set)
            most = std::max(most, score(row));
    } else {
        for (std::size_t g = 0; g < smallanswers_.size(); ++g)
            most = std::max(most, score(g));
    }
    for (std::size_t g = 0;; ++g)
        if (score(g) == most) {
            *guess = static_cast<std::uint16_t>(g);
            break;
        }
    if (g_.worst) {
        exact = most == n;
        return exact ? 2 : 3;
    }
    exact = 3 * n - most <= 2 * n;
    return 3 * n - most;
}

int Searcher::build(std::span<const std::uint16_t> set, const Key &key, Plan &plan)
{
    std::uint16_t guess = set[0];
    value(set, key, kInfinity, false, &guess);
    const int node = static_cast<int>(plan.nodes.size());
    plan.nodes.emplace_back();
    plan.nodes[node].guess = guess;
    Split split;
    splitby(set, guess, split);
    std::ranges::sort(split.parts, {}, &Part::answer);
    std::vector<std::pair<int, int>> answers;
    answers.reserve(split.parts.size());
    history.push_back(g_.numbers[guess]);
    for (const Part &p : split.parts)
        answers.emplace_back(p.answer, build(split.of(p), p.key, plan));
    history.pop_back();
    plan.nodes[node].answers = std::move(answers);
    return node;
}

// One class of the first guess being tried: its candidate guesses, which the threads
// take one at a time, and the best value found for it so far.
struct Job {
    std::span<const std::uint16_t> set;
    Key key;
    int limit = kInfinity;  // the value the first guess leaves it, unless it is the first one tried
    std::vector<Choice> choices;
    std::atomic<int> next{0}, done{0};
    std::atomic<int> finished{0};  // of the candidates tried in full
    std::atomic<int> best{kInfinity}, lower{kInfinity};
    std::atomic<bool> found{false};
    std::atomic<std::uint16_t> guess{0};
    std::atomic<int> secrets{0};      // of the candidates being tried, in classes done
    std::mutex lock;                  // best and guess change together
    std::atomic<bool> solved{false};  // before the threads start
    std::atomic<bool> ready{false};   // choices and solved set
    int size() const { return static_cast<int>(set.size()); }
};

class Solver {
public:
    explicit Solver(const SolveOptions &options) : game_(options)
    {
        for (const Asked &a : options.start)
            start_.push_back(game_.numbers[a.guess]);
    }
    std::optional<Solution> run();

private:
    void prepare(Job &job, Searcher &s);
    void work(Searcher &s, std::uint16_t first);
    void report(const std::chrono::steady_clock::time_point &start);
    long estimate() const;

    Game game_;
    std::vector<Digits> start_;  // the guesses made before the search
    std::vector<std::unique_ptr<Searcher>> searchers_;
    std::mutex reportlock_;  // guards jobs_ as the reporter reads them
    std::vector<std::unique_ptr<Job>> jobs_;
    std::atomic<int> firstdone_{0}, firstcount_{1};
    std::atomic<long> best_{0};
};

// The class's value from what the memory knows or a small set's own bounds, or else its
// candidates and a first budget: the first choice's strategy's value, or its limit.
void Solver::prepare(Job &job, Searcher &s)
{
    const int n = job.size();
    if (n <= game_.answers + 2) {
        std::uint16_t guess = 0;
        const int v = s.value(job.set, job.key, job.limit, false, &guess);
        job.solved = true;
        job.found = v < job.limit;
        job.best = job.found ? v : job.limit;
        job.lower = v;
        job.guess = guess;
        job.ready = true;
        return;
    }
    Level l;
    int best = job.limit;
    if (best >= kInfinity) {
        std::uint16_t guess = 0;
        best = s.value(job.set, job.key, kInfinity, true, &guess);
        job.found = true;
        job.guess = guess;
    }
    job.best = best;
    s.choose(job.set, l, best);
    job.lower = l.floor;
    std::ranges::sort(l.choices);
    std::vector<std::uint64_t> shapes;
    for (const Choice ch : l.choices) {
        if (!s.canonical(game_.numbers[guessof(ch)]))
            continue;
        s.splitby(job.set, guessof(ch), l.split);
        if (std::ranges::find(shapes, l.split.shape) != shapes.end())
            continue;
        shapes.push_back(l.split.shape);
        job.choices.push_back(ch);
    }
    if (job.choices.empty())
        job.solved = true;
    job.ready = true;
}

// A thread's share of the classes of the first guess: their candidates in turn, the
// largest class first.
void Solver::work(Searcher &s, std::uint16_t first)
{
    Level l;
    try {
        for (const auto &owned : jobs_) {
            Job &job = *owned;
            if (job.solved)
                continue;
            const int count = static_cast<int>(job.choices.size());
            for (int i; (i = job.next++) < count;) {
                const Choice ch = job.choices[i];
                if (boundof(ch) < job.best) {
                    s.history = start_;
                    s.history.push_back(game_.numbers[first]);
                    s.history.push_back(game_.numbers[guessof(ch)]);
                    s.splitby(job.set, guessof(ch), l.split);
                    Watch watch{&job.best, &job.secrets};
                    const int v = s.tryguess(job.size(), l, l.split, job.best, false, &watch);
                    job.secrets -= watch.added;
                    ++job.finished;
                    {
                        const std::scoped_lock lock(job.lock);
                        if (v < job.best) {
                            job.best = v;
                            job.guess = guessof(ch);
                            job.found = true;
                        } else {
                            job.lower = std::min(job.lower.load(), v);
                        }
                    }
                } else {
                    const std::scoped_lock lock(job.lock);
                    job.lower = std::min(job.lower.load(), boundof(ch));
                }
                if (++job.done == count && !job.found)
                    game_.abandon = true;  // over its limit: the first guess is out
            }
        }
    } catch (const Stopped &) {
        return;  // stopped or abandoned: the caller tells which once every thread has ended
    }
}

// The value of the best strategy known with the first guess being tried, 0 if none.
long Solver::estimate() const
{
    if (jobs_.empty())
        return 0;
    long value = game_.worst ? 1 : static_cast<long>(game_.numbers.size());
    for (const auto &j : jobs_) {
        if (!j->found)
            return 0;
        value = game_.worst ? std::max(value, 1L + j->best) : value + j->best;
    }
    return value;
}

void Solver::report(const std::chrono::steady_clock::time_point &start)
{
    if (!game_.options.progress)
        return;
    Progress p;
    double share = 0;
    {
        const std::scoped_lock lock(reportlock_);
        // Of each class, the share of its candidates still worth trying that are tried,
        // the one in hand counted by the secrets of its classes done.
        for (const auto &j : jobs_) {
            double part = j->ready ? 1 : 0;
            if (j->ready && !j->solved && j->done < static_cast<int>(j->choices.size())) {
                const int best = j->best;
                const auto live = std::ranges::lower_bound(j->choices, static_cast<Choice>(best) << 40);
                const long count = live - j->choices.begin();
                const double inhand = static_cast<double>(j->secrets) / j->size();
                part = count == 0 ? 1.0 : std::min(1.0, (j->finished + inhand) / static_cast<double>(count));
            }
            share += part * j->size() / static_cast<double>(game_.numbers.size());
        }
        const long current = estimate();
        const long best = best_;
        p.besttotal = best > 0 && (current == 0 || best < current) ? best : current;
    }
    p.first = std::min(firstdone_ + 1, firstcount_.load());
    p.firsts = firstcount_;
    p.share = std::min(1.0, share);
    p.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    game_.options.progress(p);
}

std::optional<Solution> Solver::run()
{
    std::vector<std::uint16_t> all;
    for (int row = 0; row < static_cast<int>(game_.numbers.size()); ++row)
        if (std::ranges::all_of(game_.options.start,
                                [&](const Asked &a) { return game_.code(a.guess, row) == a.answer; }))
            all.push_back(static_cast<std::uint16_t>(row));
    if (all.empty())
        return Solution{};  // no secret left: nothing to find
    const auto start = std::chrono::steady_clock::now();
    std::condition_variable wake;
    std::mutex wakelock;
    bool finished = false;
    std::thread reporter([&] {
        std::unique_lock lock(wakelock);
        while (!wake.wait_for(lock, std::chrono::seconds(1), [&] { return finished; })) {
            lock.unlock();
            report(start);
            lock.lock();
        }
    });
    for (int t = 0; t < std::max(1, game_.options.threads); ++t)
        searchers_.push_back(std::make_unique<Searcher>(game_));
    Searcher &main = *searchers_[0];
    main.history = start_;
    const Key allkey = game_.keyof(all);
    const int n = static_cast<int>(all.size());
    const bool worst = game_.worst;
    std::optional<Solution> solution;
    try {
        int best = kInfinity;
        std::uint16_t bestfirst = 0;
        if (n > game_.answers + 2) {
            Level root;
            main.choose(all, root, kInfinity);
            std::ranges::sort(root.choices);
            std::vector<Choice> firsts;
            std::vector<std::uint64_t> shapes;
            for (const Choice ch : root.choices) {
                if (!main.canonical(game_.numbers[guessof(ch)]))
                    continue;
                main.splitby(all, guessof(ch), root.split);
                if (std::ranges::find(shapes, root.split.shape) != shapes.end())
                    continue;
                shapes.push_back(root.split.shape);
                firsts.push_back(ch);
            }
            firstcount_ = static_cast<int>(firsts.size());
            for (const Choice ch : firsts) {
                if (boundof(ch) >= best)
                    break;
                const std::uint16_t g = guessof(ch);
                Split split;
                main.splitby(all, g, split);
                // The classes' bounds, and the budget the best first guess leaves each.
                std::vector<int> bounds;
                int boundsum = 0, boundmost = 0;
                for (const Part &p : split.parts) {
                    bounds.push_back(std::max(game_.lowest[p.size()], game_.memory.find(p.key, p.size()).lo));
                    boundsum += bounds.back();
                    boundmost = std::max(boundmost, bounds.back());
                }
                if ((worst ? 1 + boundmost : n + boundsum) >= best) {
                    ++firstdone_;
                    continue;
                }
                {
                    const std::scoped_lock lock(reportlock_);
                    jobs_.clear();
                    for (std::size_t c = 0; c < split.parts.size(); ++c) {
                        auto job = std::make_unique<Job>();
                        job->set = split.of(split.parts[c]);
                        job->key = split.parts[c].key;
                        if (best < kInfinity)
                            job->limit = worst ? best - 1 : best - n - boundsum + bounds[c];
                        jobs_.push_back(std::move(job));
                    }
                }
                game_.abandon = false;
                main.history = start_;
                main.history.push_back(game_.numbers[g]);
                bool out = false;
                for (const auto &job : jobs_) {
                    prepare(*job, main);
                    out = out || (job->solved && !job->found);
                }
                if (!out) {
                    std::vector<std::thread> threads;
                    for (std::size_t t = 1; t < searchers_.size(); ++t)
                        threads.emplace_back([&, t] { work(*searchers_[t], g); });
                    work(main, g);
                    for (auto &t : threads)
                        t.join();
                }
                game_.abandon = false;
                game_.checkstop();
                ++firstdone_;
                long value = worst ? 1 : n;
                for (const auto &job : jobs_) {
                    if (!job->found) {
                        out = true;
                        break;
                    }
                    value = worst ? std::max<long>(value, 1 + job->best) : value + job->best;
                    game_.memory.store(job->key, job->size(), job->best, job->best, job->guess);
                }
                if (!out && value < best) {
                    best = static_cast<int>(value);
                    bestfirst = g;
                    best_ = value;
                }
            }
            const std::scoped_lock lock(reportlock_);
            jobs_.clear();
        } else {
            best = main.value(all, allkey, kInfinity, false, &bestfirst);
        }
        Solution s;
        s.value = best;
        // The plan: the first guess, then each class as the memory has it.
        main.history = start_;
        s.plan.nodes.emplace_back();
        s.plan.nodes[0].guess = bestfirst;
        Split split;
        main.splitby(all, bestfirst, split);
        std::ranges::sort(split.parts, {}, &Part::answer);
        main.history.push_back(game_.numbers[bestfirst]);
        std::vector<std::pair<int, int>> answers;
        answers.reserve(split.parts.size());
        for (const Part &p : split.parts)
            answers.emplace_back(p.answer, main.build(split.of(p), p.key, s.plan));
        s.plan.nodes[0].answers = std::move(answers);
        solution = std::move(s);
    } catch (const Stopped &) {
        solution.reset();
    }
    {
        const std::scoped_lock lock(wakelock);
        finished = true;
    }
    wake.notify_all();
    reporter.join();
    return solution;
}

}  // namespace

std::optional<Solution> solvegame(const SolveOptions &options)
{
    return Solver(options).run();
}

}  // namespace numora

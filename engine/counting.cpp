// SPDX-License-Identifier: MIT
// The counting behind countclasses. countreference, by signcode for every pair, is the
// plain definition; agreeingrows and the kernels (packed keys, 16- and 32-byte vectors)
// give the very same possibles and class sizes, faster, and are tested against it.
#include "engine/counting.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define NUMORA_AVX2 1
#include <immintrin.h>
#endif

namespace numora {

namespace {

// Row of each sign code in kSignCodes; the hit (40) and the impossible 31 fall into no class.
constexpr std::array<int, kHit + 1> classrows = [] {
    std::array<int, kHit + 1> rows{};
    rows.fill(kClasses);
    for (int n = 0; n < kClasses; ++n)
        rows[kSignCodes[n]] = n;
    return rows;
}();

// The fast code works with the key 3 * plus + 2 * common (common = plus + minus)
// instead of the sign code, because the key adds up digit by digit: the digit in
// column j of q gives 3 when p has it in column j too, and 2 when p has it anywhere.
// The keys of the 13 classes, the hit (20) and 31 (17) all differ, even modulo 16,
// except that the hit's 20 and class 2's 4 agree there.
constexpr int kPlusWeight = 3, kCommonWeight = 2;
constexpr int keyofcode(int code)
{
    const int plus = code / 10, common = plus + code % 10;
    return kPlusWeight * plus + kCommonWeight * common;
}

// Key of an answer two numbers can give; 255, which no pair gives, for any other code.
int wantedkey(int code)
{
    return possibleanswer(code / 10, code % 10) ? keyofcode(code) : 255;
}

constexpr int kWidest = 32;  // lanes of the widest counting code
constexpr int kPadded = (kAllNumbers + kWidest - 1) / kWidest * kWidest;

// Everything the counting loops need for one turn. Each possible q is split into
// its halves q0q1 and q2q3; every distinct half gets a slot, and the key of p against
// q is the key of p against q's first half plus that against its second.
struct Turn {
    int poolsize = 0;
    int possiblecount = 0;
    int slotcount = 0;
    std::array<std::array<std::uint8_t, 2>, 2 * 100> slotweights;  // of each slot: its two digits' weights
    std::array<std::uint8_t, kAllNumbers> firstslot;               // of each possible
    std::array<std::uint8_t, kAllNumbers> secondslot;
    alignas(kWidest) std::array<std::array<std::uint8_t, kPadded>, 4> columns;  // pool digits, 10 past the pool
    // Of each pool row, over the possibles other than itself: their number, and the
    // sums of plus and of common digits (at most 4 * 4536).
    alignas(kWidest) std::array<std::uint16_t, kPadded> others, plussum, commonsum;
};

// The guesses' digits go into the columns, the possibles into their halves' slots;
// selfrows gives each possible's row among the guesses, or kNoRow.
// The possibles' halves into their slots.
void prepareslots(std::span<const Digits> possibles, Turn &t)
{
    t.possiblecount = static_cast<int>(possibles.size());
    std::array<int, 100> slot;
    t.slotcount = 0;
    for (int half = 0; half < 2; ++half) {
        auto &slots = half == 0 ? t.firstslot : t.secondslot;
        slot.fill(-1);
        for (int i = 0; i < t.possiblecount; ++i) {
            const Digits &q = possibles[i];
            const int pair = 10 * q[2 * half] + q[2 * half + 1];
            if (slot[pair] < 0) {
                slot[pair] = t.slotcount;
                // weights are numbered 10 * column + digit
                t.slotweights[t.slotcount++] = {static_cast<std::uint8_t>(20 * half + q[2 * half]),
                                                static_cast<std::uint8_t>(20 * half + 10 + q[2 * half + 1])};
            }
            slots[i] = static_cast<std::uint8_t>(slot[pair]);
        }
    }
}

// The guesses' digits into the columns, 10 past them.
void preparecolumns(std::span<const Digits> guesses, Turn &t)
{
    const int poolsize = t.poolsize = static_cast<int>(guesses.size());
    for (int p = 0; p < poolsize; ++p)
        for (int j = 0; j < 4; ++j)
            t.columns[j][p] = guesses[p][j];
    const int padded = (poolsize + kWidest - 1) / kWidest * kWidest;
    for (int j = 0; j < 4; ++j)
        std::fill(t.columns[j].begin() + poolsize, t.columns[j].begin() + padded, 10);  // 10 meets nothing
}

// The guesses' digits go into the columns, the possibles into their halves' slots;
// selfrows gives each possible's row among the guesses, or kNoRow.
void prepareturn(std::span<const Digits> guesses, std::span<const Digits> possibles,
                 std::span<const std::uint16_t> selfrows, Turn &t)
{
    t.poolsize = static_cast<int>(guesses.size());
    prepareslots(possibles, t);
    // Possibles with digit d in column j, and holding d anywhere: summed over p's
    // digits, the plus and the common digits of p against all of them.
    std::array<std::array<int, 10>, 4> incolumn{};
    std::array<int, 10> holding{};
    for (const Digits &q : possibles)
        for (int j = 0; j < 4; ++j) {
            ++incolumn[j][q[j]];
            ++holding[q[j]];
        }
    std::array<std::array<int, 10>, 4> digitcounts;  // both, the second times 65536
    for (int j = 0; j < 4; ++j)
        for (int d = 0; d < 10; ++d)
            digitcounts[j][d] = incolumn[j][d] + (holding[d] << 16);
    const int poolsize = t.poolsize;
    for (int p = 0; p < poolsize; ++p) {
        const Digits &d = guesses[p];
        const int sums = digitcounts[0][d[0]] + digitcounts[1][d[1]] + digitcounts[2][d[2]] + digitcounts[3][d[3]];
        t.plussum[p] = static_cast<std::uint16_t>(sums & 0xffff);
        t.commonsum[p] = static_cast<std::uint16_t>(sums >> 16);
        for (int j = 0; j < 4; ++j)
            t.columns[j][p] = d[j];
    }
    const int padded = (poolsize + kWidest - 1) / kWidest * kWidest;
    for (int j = 0; j < 4; ++j)
        std::fill(t.columns[j].begin() + poolsize, t.columns[j].begin() + padded, 10);  // 10 meets nothing
    std::fill(t.plussum.begin() + poolsize, t.plussum.begin() + padded, 0);
    std::fill(t.commonsum.begin() + poolsize, t.commonsum.begin() + padded, 0);
    std::fill(t.others.begin(), t.others.begin() + padded, static_cast<std::uint16_t>(t.possiblecount));
    for (const std::uint16_t row : selfrows) {
        if (row == kNoRow)
            continue;
        // A possible meets itself with 4 plus and 4 common digits, in no class.
        t.others[row] -= 1;
        t.plussum[row] -= 4;
        t.commonsum[row] -= 4;
    }
}

// The loops count ten classes. The other three, 1, 2 and 10, follow from the number
// of possibles and from the sums of plus and of common digits over them. Class 2
// shares its key modulo 16 with the hit, which is why it is one of the three.
constexpr int kCounted = kClasses - 3;
constexpr std::array<int, kCounted> countedrows = {0, 3, 4, 6, 7, 8, 9, 10, 11, 12};
struct Classkey {
    int plus = 0, common = 0;
    std::uint8_t key = 0;
};
constexpr std::array<Classkey, kCounted> countedkeys = [] {
    std::array<Classkey, kCounted> keys{};
    for (int n = 0; n < kCounted; ++n) {
        const int code = kSignCodes[countedrows[n]];
        keys[n] = {code / 10, code / 10 + code % 10, static_cast<std::uint8_t>(keyofcode(code))};
    }
    return keys;
}();

template <int W> struct Lanes {
    using Bytes [[gnu::vector_size(W)]] = std::uint8_t;
    using Words [[gnu::vector_size(2 * W)]] = std::uint16_t;
};

// The counting works on W pool rows at a time, one byte lane each. For every possible
// q, the key of each lane is the sum of two entries of halfkeys, the lane's key
// against q's two halves.
template <int W>
[[gnu::always_inline]] inline void weightsof(const Turn &t, int base, typename Lanes<W>::Bytes *weights)
{
    using Bytes = typename Lanes<W>::Bytes;
    Bytes column[4];
    for (int j = 0; j < 4; ++j)
        std::memcpy(&column[j], &t.columns[j][base], sizeof column[j]);
    Bytes inside[10];
    for (int d = 0; d < 10; ++d) {
        const auto e = static_cast<std::uint8_t>(d);
        inside[d] = Bytes((column[0] == e) | (column[1] == e) | (column[2] == e) | (column[3] == e)) & kCommonWeight;
    }
    // the key of one digit d of q in column j, numbered 10 * j + d
    for (int j = 0; j < 4; ++j)
        for (int d = 0; d < 10; ++d)
            weights[10 * j + d] = (Bytes(column[j] == static_cast<std::uint8_t>(d)) & kPlusWeight) + inside[d];
}

template <int W>
[[gnu::always_inline]] inline void halfkeysof(const Turn &t, int base, typename Lanes<W>::Bytes *halfkeys)
{
    typename Lanes<W>::Bytes weights[40];
    weightsof<W>(t, base, weights);
    for (int s = 0; s < t.slotcount; ++s)
        halfkeys[s] = weights[t.slotweights[s][0]] + weights[t.slotweights[s][1]];
}

// Each counted class's byte counter goes up where the key is the class's. A byte
// counter takes at most 255 possibles before it is added to a 16-bit total.
template <int W>
[[gnu::always_inline]] inline void comparecount(const Turn &t, const typename Lanes<W>::Bytes *halfkeys,
                                                typename Lanes<W>::Words *total)
{
    using Bytes = typename Lanes<W>::Bytes;
    using Words = typename Lanes<W>::Words;
    Bytes keys[kCounted];
    for (int n = 0; n < kCounted; ++n)
        keys[n] = Bytes{} + countedkeys[n].key;
    const int nq = t.possiblecount;
    for (int start = 0; start < nq; start += 255) {
        Bytes counters[kCounted] = {};
        const int end = std::min(nq, start + 255);
        for (int q = start; q < end; ++q) {
            const Bytes key = halfkeys[t.firstslot[q]] + halfkeys[t.secondslot[q]];
            for (int n = 0; n < kCounted; ++n)
                counters[n] -= Bytes(key == keys[n]);
        }
        for (int n = 0; n < kCounted; ++n)
            total[n] = (start == 0 ? Words{} : total[n]) + __builtin_convertvector(counters[n], Words);
    }
}

// Class sizes from the totals of the counted classes; the other three follow from
// the sums, as above.
template <int W>
[[gnu::always_inline]] inline void storesizes(ClassSizes *sizesout, const Turn &t, int base,
                                              const typename Lanes<W>::Words *total)
{
    using Words = typename Lanes<W>::Words;
    Words left, tens, common;
    std::memcpy(&left, &t.others[base], sizeof left);
    std::memcpy(&tens, &t.plussum[base], sizeof tens);
    std::memcpy(&common, &t.commonsum[base], sizeof common);
    for (int n = 0; n < kCounted; ++n) {
        left -= total[n];  // leaves those in 1, 2 and 10: 0, 1 and 2 common digits less the plus
        tens -= total[n] * static_cast<std::uint16_t>(countedkeys[n].plus);  // 10 is the only one with a plus
        common -= total[n] * static_cast<std::uint16_t>(countedkeys[n].common);
    }
    const Words twos = common - left;
    const Words ones = left - tens - twos;
    const int lanes = std::min(W, t.poolsize - base);
    for (int l = 0; l < lanes; ++l) {
        std::array<int, kClasses> sizes;
        for (int n = 0; n < kCounted; ++n)
            sizes[countedrows[n]] = total[n][l];
        sizes[1] = ones[l];
        sizes[2] = twos[l];
        sizes[5] = tens[l];
        sizesout[base + l] = sizes;
    }
}

void countportable(ClassSizes *sizes, const Turn &t)
{
    constexpr int W = 16;
    Lanes<W>::Bytes halfkeys[2 * 100];
    Lanes<W>::Words total[kCounted];
    for (int base = 0; base < t.poolsize; base += W) {
        halfkeysof<W>(t, base, halfkeys);
        comparecount<W>(t, halfkeys, total);
        storesizes<W>(sizes, t, base, total);
    }
}

// The weights of every block of W guesses: bytes, as a vector of vector types would not
// keep their alignment.
template <int W> std::vector<std::uint8_t> weightsofall(std::span<const Digits> guesses)
{
    auto t = std::make_unique<Turn>();
    preparecolumns(guesses, *t);
    std::vector<std::uint8_t> weights((guesses.size() + W - 1) / W * 40 * W);
    typename Lanes<W>::Bytes block[40];
    for (std::size_t base = 0; base < guesses.size(); base += W) {
        weightsof<W>(*t, static_cast<int>(base), block);
        std::memcpy(&weights[base * 40], block, sizeof block);
    }
    return weights;
}

// The halves' keys of the block of W guesses from `base`, from their cached weights.
template <int W>
[[gnu::always_inline]] inline void cachedhalfkeys(const Turn &t, const std::vector<std::uint8_t> &weights, int base,
                                                  typename Lanes<W>::Bytes *halfkeys)
{
    const std::uint8_t *w = &weights[static_cast<std::size_t>(base) * 40];
    for (int s = 0; s < t.slotcount; ++s) {
        typename Lanes<W>::Bytes first, second;
        std::memcpy(&first, w + t.slotweights[s][0] * W, W);
        std::memcpy(&second, w + t.slotweights[s][1] * W, W);
        halfkeys[s] = first + second;
    }
}

// The answers other than the hit, each a bit from 0 to 12, by key modulo 16 (in which
// they all differ); 0 for a key no answer has.
constexpr std::array<std::uint16_t, 16> answerbits = [] {
    std::array<std::uint16_t, 16> bits{};
    for (int n = 0; n < kClasses; ++n)
        bits[keyofcode(kSignCodes[n]) % 16] = static_cast<std::uint16_t>(1U << n);
    return bits;
}();

void storeanswers(std::span<const std::uint16_t> met, std::span<const std::uint8_t> hit, int count, Answers *answers)
{
    for (int l = 0; l < count; ++l)
        answers[l] = Answers{static_cast<std::uint8_t>(std::popcount(met[l]) + (hit[l] != 0 ? 1 : 0)), hit[l] != 0};
}

// On 16-byte lanes: a comparison with each answer's key.
void answersportable(const Turn &t, const std::vector<std::uint8_t> &weights, int poolsize, Answers *answers)
{
    constexpr int W = 16;
    using Bytes = Lanes<W>::Bytes;
    Bytes halfkeys[2 * 100];
    for (int base = 0; base < poolsize; base += W) {
        cachedhalfkeys<W>(t, weights, base, halfkeys);
        Bytes met[kClasses + 1] = {};
        for (int q = 0; q < t.possiblecount; ++q) {
            const Bytes key = halfkeys[t.firstslot[q]] + halfkeys[t.secondslot[q]];
            for (int n = 0; n < kClasses; ++n)
                met[n] |= Bytes(key == static_cast<std::uint8_t>(keyofcode(kSignCodes[n])));
            met[kClasses] |= Bytes(key == static_cast<std::uint8_t>(keyofcode(kHit)));
        }
        std::array<std::uint16_t, W> bits{};
        std::array<std::uint8_t, W> hit{};
        for (int l = 0; l < W; ++l) {
            for (int n = 0; n < kClasses; ++n)
                bits[l] |= static_cast<std::uint16_t>((met[n][l] & 1U) << n);
            hit[l] = met[kClasses][l];
        }
        storeanswers(bits, hit, std::min(W, poolsize - base), answers + base);
    }
}

#ifdef NUMORA_AVX2
// On 32-byte lanes, chosen at run time, so the program still runs on any x86-64.
// A byte lookup by the low four bits of the key adds 1 to one nibble counter and 16
// to another, two classes in a byte, and nibbles go into byte counters every 15
// possibles. The hit, 20, looks up 4, the key of class 2, which is not counted.
__attribute__((target("avx2"))) void countavx2(ClassSizes *sizes, const Turn &t)
{
    constexpr int W = 32;
    using Bytes = Lanes<W>::Bytes;
    using Words = Lanes<W>::Words;
    constexpr int kPairs = kCounted / 2;
    __m256i lookups[kPairs];
    for (int k = 0; k < kPairs; ++k) {
        alignas(W) std::uint8_t table[W] = {};
        for (int half = 0; half < 2; ++half) {
            table[countedkeys[2 * k].key % 16 + 16 * half] = 1;
            table[countedkeys[2 * k + 1].key % 16 + 16 * half] = 16;
        }
        std::memcpy(&lookups[k], table, sizeof table);
    }
    const int nq = t.possiblecount;
    Bytes halfkeys[2 * 100];
    Words total[kCounted];
    for (int base = 0; base < t.poolsize; base += W) {
        halfkeysof<W>(t, base, halfkeys);
        for (int start = 0; start < nq; start += 255) {
            Bytes counters[kCounted] = {};
            const int end = std::min(nq, start + 255);
            for (int part = start; part < end; part += 15) {
                Bytes nibbles[kPairs] = {};
                const int partend = std::min(end, part + 15);
                for (int q = part; q < partend; ++q) {
                    const Bytes key = halfkeys[t.firstslot[q]] + halfkeys[t.secondslot[q]];
                    for (int k = 0; k < kPairs; ++k)
                        nibbles[k] += Bytes(_mm256_shuffle_epi8(lookups[k], __m256i(key)));
                }
                for (int k = 0; k < kPairs; ++k) {
                    counters[2 * k] += nibbles[k] & 15;
                    counters[2 * k + 1] += nibbles[k] >> 4;
                }
            }
            for (int n = 0; n < kCounted; ++n)
                total[n] = (start == 0 ? Words{} : total[n]) + __builtin_convertvector(counters[n], Words);
        }
        storesizes<W>(sizes, t, base, total);
    }
}

// On 32-byte lanes: a byte lookup by the key modulo 16 sets the answer's bit among the
// low eight or the high five; the hit's key, 20, looks up nothing (its index has the top
// bit set) and has its own comparison.
__attribute__((target("avx2"))) void answersavx2(const Turn &t, const std::vector<std::uint8_t> &weights, int poolsize,
                                                 Answers *answers)
{
    constexpr int W = 32;
    using Bytes = Lanes<W>::Bytes;
    alignas(W) std::uint8_t low[W], high[W];
    for (int i = 0; i < W; ++i) {
        low[i] = static_cast<std::uint8_t>(answerbits[i % 16] & 0xff);
        high[i] = static_cast<std::uint8_t>(answerbits[i % 16] >> 8);
    }
    __m256i lowbits, highbits;
    std::memcpy(&lowbits, low, W);
    std::memcpy(&highbits, high, W);
    const Bytes hitkey = Bytes{} + static_cast<std::uint8_t>(keyofcode(kHit));
    Bytes halfkeys[2 * 100];
    for (int base = 0; base < poolsize; base += W) {
        cachedhalfkeys<W>(t, weights, base, halfkeys);
        Bytes metlow{}, methigh{}, hit{};
        for (int q = 0; q < t.possiblecount; ++q) {
            const Bytes key = halfkeys[t.firstslot[q]] + halfkeys[t.secondslot[q]];
            const auto ishit = Bytes(key == hitkey);
            const auto index = __m256i(key | (ishit & 0x80));
            metlow |= Bytes(_mm256_shuffle_epi8(lowbits, index));
            methigh |= Bytes(_mm256_shuffle_epi8(highbits, index));
            hit |= ishit;
        }
        std::array<std::uint16_t, W> bits{};
        std::array<std::uint8_t, W> hits{};
        for (int l = 0; l < W; ++l) {
            bits[l] = static_cast<std::uint16_t>(metlow[l] | (methigh[l] << 8));
            hits[l] = hit[l];
        }
        storeanswers(bits, hits, std::min(W, poolsize - base), answers + base);
    }
}
#endif

}  // namespace

// The plain definition: signcode for every pair.
Assessment countreference(const Module1 &m, Scratch &s)
{
    s.possiblecount = 0;
    for (int q = 0; q <= m.poollast(); ++q) {
        int agreecount = 0;
        for (int g = 0; g < m.myguesscount; ++g)
            if (signcode(m.myguesses.at(g), m.candidates[q]) == m.mysigns.at(g))
                ++agreecount;
        if (agreecount == m.myguesscount)
            s.possibles[s.possiblecount++] = m.candidates[q];
    }
    if (s.possiblecount == 0)
        return Assessment::NoPossible;
    if (s.possiblecount == 1)
        return Assessment::OnePossible;
    for (int p = 0; p <= m.poollast(); ++p) {
        std::array<int, kClasses + 1> counts{};
        for (int q = 0; q < s.possiblecount; ++q)
            ++counts[classrows[signcode(m.candidates[p], s.possibles[q])]];
        for (int n = 0; n < kClasses; ++n)
            s.classsizes.at(p)[n] = counts[n];
    }
    return Assessment::Counted;
}

// The keys of a row against up to eight guesses sit in the bytes of one word (a key is
// at most 20, so bytes never carry), and one comparison checks all of them.
int agreeingrows(const Module1 &m, PoolRows &rows)
{
    constexpr int kPacked = 8;  // guesses in a word
    const int poolsize = m.poollast() + 1;
    int count = 0;
    for (int first = 0; first == 0 || first < m.myguesscount; first += kPacked) {
        std::uint64_t weight[4][10] = {}, want = 0;
        for (int g = first; g < std::min(first + kPacked, m.myguesscount); ++g) {
            const Digits &guess = m.myguesses.at(g);
            const int shift = 8 * (g - first);
            for (int j = 0; j < 4; ++j) {
                weight[j][guess[j]] += std::uint64_t{kPlusWeight} << shift;
                for (auto &column : weight)
                    column[guess[j]] += std::uint64_t{kCommonWeight} << shift;
            }
            want += static_cast<std::uint64_t>(wantedkey(m.mysigns.at(g))) << shift;
        }
        const auto keep = [&](int row) {
            const Digits &q = m.candidates[row];
            const std::uint64_t keys = weight[0][q[0]] + weight[1][q[1]] + weight[2][q[2]] + weight[3][q[3]];
            rows[count] = static_cast<std::uint16_t>(row);
            count += keys == want;
        };
        // The whole pool passes through the first word, the only one for up to eight
        // answers; marked likely, that loop, where the filter spends its time, is aligned.
        if (first == 0) [[likely]] {
            for (int row = 0; row < poolsize; ++row)
                keep(row);
        } else {
            const int rowcount = count;
            count = 0;
            for (int i = 0; i < rowcount; ++i)
                keep(rows[i]);
        }
    }
    return count;
}

void countsplits(std::span<const Digits> guesses, std::span<const Digits> possibles,
                 std::span<const std::uint16_t> selfrows, std::span<ClassSizes> sizes, [[maybe_unused]] Counting how)
{
    static thread_local Turn t;
    prepareturn(guesses, possibles, selfrows, t);
#ifdef NUMORA_AVX2
    if (how == Counting::Fastest && __builtin_cpu_supports("avx2")) {
        countavx2(sizes.data(), t);
        return;
    }
#endif
    countportable(sizes.data(), t);
}

// What is kept of the guesses: their weights for each width, and the possibles' slots.
struct AnswerCounter::Kept {
    int guesscount = 0;
    std::vector<std::uint8_t> weights16, weights32;
    Turn turn;
};

AnswerCounter::AnswerCounter(std::span<const Digits> guesses) : kept_(std::make_unique<Kept>())
{
    kept_->guesscount = static_cast<int>(guesses.size());
    kept_->weights16 = weightsofall<16>(guesses);
    kept_->weights32 = weightsofall<32>(guesses);
}

AnswerCounter::~AnswerCounter() = default;

void AnswerCounter::count(std::span<const Digits> possibles, std::span<Answers> answers, [[maybe_unused]] Counting how)
{
    Kept &k = *kept_;
    prepareslots(possibles, k.turn);
#ifdef NUMORA_AVX2
    if (how == Counting::Fastest && __builtin_cpu_supports("avx2")) {
        answersavx2(k.turn, k.weights32, k.guesscount, answers.data());
        return;
    }
#endif
    answersportable(k.turn, k.weights16, k.guesscount, answers.data());
}

void countanswers(std::span<const Digits> guesses, std::span<const Digits> possibles, std::span<Answers> answers,
                  Counting how)
{
    AnswerCounter(guesses).count(possibles, answers, how);
}

void countkernel(const Module1 &m, Scratch &s, const PoolRows &rows, Counting how)
{
    countsplits(std::span(m.candidates).first(m.poollast() + 1), std::span(s.possibles).first(s.possiblecount),
                std::span(rows).first(s.possiblecount), s.classsizes, how);
}

}  // namespace numora

// SPDX-License-Identifier: MIT
#include "engine/tables.h"
#include "tests/support/play.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>
#include <vector>

using namespace numora;

TEST(Tables, CandidatesAreEveryAdmissibleNumberInOrder)
{
    CandidateTable candidates{};
    buildcandidates(candidates);
    int row = 0;
    for (int n = 1000; n <= 9999; ++n) {
        if (admissible(std::to_string(n))) {
            ASSERT_EQ(textform(candidates.at(row++)), std::to_string(n));
        }
    }
    EXPECT_EQ(row, kCandidates);
    EXPECT_EQ(textform(candidates.front()), "1023");
    EXPECT_EQ(textform(candidates.back()), "9876");
}

TEST(Tables, SignCodesAreTheThirteenClasses)
{
    // The answers that occur between two different numbers, worked out digit by digit,
    // are the table in ascending order; possibleanswer takes exactly them and the hit.
    CandidateTable candidates{};
    buildcandidates(candidates);
    std::set<std::pair<int, int>> occurring;
    for (int p = 0; p < kCandidates; p += 97)
        for (int q = 0; q < kCandidates; ++q)
            if (p != q)
                occurring.insert(numora::testsupport::signs(textform(candidates[p]), textform(candidates[q])));
    std::vector<int> codes;
    codes.reserve(occurring.size());
    for (auto [plus, minus] : occurring)
        codes.push_back(10 * plus + minus);
    EXPECT_EQ(codes, std::vector<int>(kSignCodes.begin(), kSignCodes.end()));
    for (int plus = -1; plus <= 5; ++plus)
        for (int minus = -1; minus <= 5; ++minus)
            EXPECT_EQ(possibleanswer(plus, minus), occurring.count({plus, minus}) == 1 || (plus == 4 && minus == 0))
                << plus << " " << minus;
}

TEST(Tables, SignCodeExamples)
{
    const std::tuple<const char *, const char *, int> cases[] = {{"1234", "1234", 40}, {"1234", "4321", 4},
                                                                 {"1234", "1243", 22}, {"1234", "5678", 0},
                                                                 {"1234", "1235", 30}, {"1234", "6241", 12}};
    for (const auto &[a, b, code] : cases)
        EXPECT_EQ(signcode(digitsof(a), digitsof(b)), code) << a << " " << b;
}

TEST(Tables, SignCodeMatchesBruteForceOverAllPairs)
{
    CandidateTable candidates{};
    buildcandidates(candidates);
    const std::set<int> classes(kSignCodes.begin(), kSignCodes.end());
    for (int p = 0; p < kCandidates; p += 7)
        for (int q = 0; q < kCandidates; ++q) {
            const int code = signcode(candidates[p], candidates[q]);
            const std::string a = textform(candidates[p]), b = textform(candidates[q]);
            const auto [plus, minus] = numora::testsupport::signs(a, b);
            ASSERT_EQ(code, 10 * plus + minus) << a << " " << b;
            ASSERT_EQ(code, signcode(candidates[q], candidates[p]));
            ASSERT_TRUE(classes.count(code) == 1 || (code == kHit && p == q));
        }
}

TEST(Tables, AdmissibleRefusesBadText)
{
    for (const char *bad : {"0123", "1123", "123", "12345", "12a4", ""})
        EXPECT_FALSE(admissible(bad)) << bad;
    EXPECT_TRUE(admissible("9876"));
}

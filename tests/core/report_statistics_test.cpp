#include "core/analysis/figures.h"
#include "core/analysis/statistics.h"

#include "report_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using namespace corvane::core;

// Relative agreement to `digits` significant digits.
void expectClose(double got, double want, double digits, const std::string& what)
{
    EXPECT_NEAR(got, want, std::fabs(want) * std::pow(10.0, -digits) + 1e-300) << what;
}

// --- the chi-square upper tail, against scipy.stats.chi2.sf ---

TEST(ChiSquareTail, matchesKnownValuesToTenDigits)
{
    const struct
    {
        double df, x, p;
    } cases[] = {
        {48, 56.43, 0.1889463274381734},
        {1, 3.841458820694124, 0.04999999999999989},
        {2, 5.0, 0.0820849986238988}, // e^-2.5 exactly
        {10, 18.307038053275146, 0.05000000000000005},
        {5, 100.0, 5.285148360943219e-20},
        {999, 900.0, 0.9886211870834188},
        {1000, 1100.0, 0.014614408126295192},
        {200, 400.0, 1.8438936497115418e-15},
        {3, 0.01, 0.9997348349413444},
        {58, 43.0812, 0.9281765949719771},
    };
    for (const auto& c : cases)
        expectClose(chiSquareUpperTail(c.x, c.df), c.p, 10,
            "df " + std::to_string(c.df) + " at " + std::to_string(c.x));
}

TEST(ChiSquareTail, edgesGiveOneZeroOrNaN)
{
    EXPECT_EQ(chiSquareUpperTail(0, 48), 1.0);
    EXPECT_EQ(chiSquareUpperTail(-3, 48), 1.0);
    EXPECT_EQ(chiSquareUpperTail(INFINITY, 48), 0.0);
    EXPECT_NEAR(chiSquareUpperTail(0.5, 48), 1.0, 1e-15);
    EXPECT_TRUE(std::isnan(gammaQ(0, 1)));
    EXPECT_TRUE(std::isnan(gammaQ(2, -1)));
}

// --- the binomial upper tail, against scipy.stats.binom.sf(k - 1, n, p) ---

TEST(BinomialTail, matchesKnownValuesFromBothSidesOfTheMean)
{
    const struct
    {
        std::int64_t n;
        double p;
        std::int64_t k;
        double tail;
    } cases[] = {
        {1155, 0.012274, 29, 0.0003303480339938382},
        {4361, 7.0 / 49, 700, 0.0005532736348301626},
        {4361, 7.0 / 49, 560, 0.9973104627157183}, // below the mean: 1 - lower tail
        {10, 0.5, 0, 1.0},
        {10, 0.5, 11, 0.0},
        {10, 0.5, 5, 0.623046875},
        {100, 0.01, 10, 7.631587532260653e-08},
        {1000000, 1e-5, 40, 7.338409669445836e-13},
        {20, 0.3, 1, 0.9992020773370239},
    };
    for (const auto& c : cases)
        expectClose(binomialAtLeast(c.n, c.p, c.k), c.tail, 9,
            std::to_string(c.n) + " " + std::to_string(c.k));
}

TEST(BinomialTail, certainAndImpossibleChances)
{
    EXPECT_EQ(binomialAtLeast(10, 0.0, 1), 0.0);
    EXPECT_EQ(binomialAtLeast(10, 1.0, 10), 1.0);
    EXPECT_EQ(binomialProbability(10, 0.0, 0), 1.0);
    EXPECT_EQ(binomialProbability(10, 1.0, 9), 0.0);
    EXPECT_EQ(binomialProbability(10, 0.3, -1), 0.0);
    EXPECT_NEAR(binomialProbability(4, 0.5, 2), 6.0 / 16, 1e-15);
}

// --- the longest run, against every sequence of n trials ---

TEST(LongestRun, equalsTheSumOverEverySequence)
{
    // The sum of 4096 products carries rounding of a few 1e-14 itself.
    for (const double q : {0.1, 0.3, 0.75}) {
        const int n = 12;
        std::vector<double> atLeast(n + 2, 0.0);
        for (int mask = 0; mask < (1 << n); ++mask) {
            double chance = 1;
            int run = 0, longest = 0;
            for (int i = 0; i < n; ++i) {
                const bool hit = (mask >> i) & 1;
                chance *= hit ? q : 1 - q;
                run = hit ? 0 : run + 1;
                longest = std::max(longest, run);
            }
            for (int length = 0; length <= longest; ++length)
                atLeast[length] += chance;
        }
        for (int length = 0; length <= n + 1; ++length)
            EXPECT_NEAR(longestRunAtLeast(n, q, length), atLeast[length], 1e-12)
                << "q " << q << " length " << length;
    }
}

TEST(LongestRun, edges)
{
    EXPECT_EQ(longestRunAtLeast(100, 0.2, 0), 1.0);
    EXPECT_EQ(longestRunAtLeast(100, 0.2, 101), 0.0);
    EXPECT_EQ(longestRunAtLeast(100, 0.0, 100), 1.0);
    EXPECT_EQ(longestRunAtLeast(100, 1.0, 1), 0.0);
}

// --- the correction for draws without replacement ---

TEST(FrequencyCorrection, correctedStatisticAveragesMMinusOneOverFairHistories)
{
    // 6/49: Pearson's X² averages M - K = 43, the corrected one M - 1 = 48, and the corrected
    // p-values are uniform, so about 5% fall below 0.05.
    std::mt19937 random(649);
    const int histories = 400;
    double raw = 0, corrected = 0;
    int small = 0;
    for (int h = 0; h < histories; ++h) {
        const auto period
            = corvane::test::periodOf(6, 49, corvane::test::fairDraws(random, 300, 6, 49));
        const FrequencyFigures f = frequencyFigures(period);
        raw += f.chi2;
        corrected += f.chi2Corrected;
        small += f.p < 0.05 ? 1 : 0;
    }
    // The standard deviation of the mean of 400 chi-square(48) values is sqrt(96 / 400) = 0.49.
    EXPECT_NEAR(corrected / histories, 48.0, 2.0);
    EXPECT_NEAR(raw / histories, 43.0, 2.0);
    EXPECT_GE(small, 8);
    EXPECT_LE(small, 36);
}

TEST(FrequencyCorrection, digitsAreDrawnIndependentlySoNothingIsCorrected)
{
    std::mt19937 random(3);
    const int histories = 300;
    double mean = 0;
    for (int h = 0; h < histories; ++h) {
        const auto period = corvane::test::periodOf(
            3, 10, corvane::test::fairDraws(random, 200, 3, 10, true), 0, true);
        const FrequencyFigures f = frequencyFigures(period);
        EXPECT_EQ(f.chi2Corrected, f.chi2);
        mean += f.chi2;
    }
    EXPECT_NEAR(mean / histories, 9.0, 0.8);
}

} // namespace

#include "core/analysis/figures.h"
#include "core/analysis/statistics.h"

#include "report_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace {

using namespace corvane::core;
using corvane::test::periodOf;

TEST(ReportFairDraw, chancesOfANumberAndOfAPair)
{
    const struct
    {
        int K, M;
        bool replacement;
        double number, pair, factor;
    } cases[] = {
        {6, 49, false, 6.0 / 49, 30.0 / (49 * 48), 43.0 / 48},
        {20, 80, false, 0.25, 380.0 / (80 * 79), 60.0 / 79},
        {3, 10, true, 1 - 0.729, 1 - 2 * 0.729 + 0.512, 1.0},
        {1, 2, false, 0.5, 0.0, 1.0},
    };
    for (const auto& c : cases) {
        const FairDraw fair {c.K, c.M, c.replacement};
        EXPECT_NEAR(fair.numberChance(), c.number, 1e-15) << c.K << "/" << c.M;
        EXPECT_NEAR(fair.pairChance(), c.pair, 1e-15) << c.K << "/" << c.M;
        EXPECT_NEAR(fair.finiteFactor(), c.factor, 1e-15) << c.K << "/" << c.M;
    }
}

TEST(ReportFrequency, countsAndTestsAHandMadeHistory)
{
    // 2 of 4: number 1 four times, 2 twice, 3 and 4 once; 2 expected each, sd 1.
    const FrequencyFigures f = frequencyFigures(periodOf(2, 4, {{1, 2}, {1, 3}, {1, 2}, {4, 1}}));
    EXPECT_EQ(f.counts, (std::vector<std::int64_t> {4, 2, 1, 1}));
    EXPECT_DOUBLE_EQ(f.expected, 2.0);
    EXPECT_DOUBLE_EQ(f.sd, 1.0);
    EXPECT_EQ(f.deviations, (std::vector<double> {2, 0, -1, -1}));
    EXPECT_DOUBLE_EQ(f.chi2, 3.0);
    EXPECT_DOUBLE_EQ(f.chi2Corrected, 4.5);
    EXPECT_EQ(f.df, 3);
    EXPECT_NEAR(f.p, 0.2122902873601327, 1e-12);
    // 1.96 sd: at least 4 or at most 0, as often as Bin(4, 1/2) gives 4 or 0.
    EXPECT_EQ(f.bandHigh, 4);
    EXPECT_EQ(f.bandLow, 0);
    EXPECT_EQ(f.beyond, 1);
    EXPECT_NEAR(f.beyondExpected, 4 * (1.0 / 16 + 1.0 / 16), 1e-15);
}

TEST(ReportGaps, currentLongestAndCompletedGaps)
{
    // One number of 1..3 a draw: 1, 2, 1, 1, 3.
    const GapFigures g = gapFigures(periodOf(1, 3, {{1}, {2}, {1}, {1}, {3}}));
    EXPECT_EQ(g.current, (std::vector<std::int64_t> {1, 3, 0}));
    EXPECT_EQ(g.longest, (std::vector<std::int64_t> {1, 3, 4}));
    EXPECT_EQ(g.completed, (std::vector<std::int64_t> {1, 1}));
    EXPECT_EQ(g.completedTotal, 2);
    EXPECT_NEAR(g.drawChance, 1.0 / 3, 1e-15);
    EXPECT_NEAR(g.currentChance[1], std::pow(2.0 / 3, 3), 1e-15);
    EXPECT_NEAR(g.longestChance[2], longestRunAtLeast(5, 1.0 / 3, 4), 1e-15);
    EXPECT_EQ(g.rarestNumber, 3);
    EXPECT_NEAR(g.bound, std::min(1.0, 3 * g.longestChance[2]), 1e-15);
}

TEST(ReportGaps, rareGapThresholdsAreWhereTheChanceFallsBelowFivePercent)
{
    std::mt19937 random(11);
    const struct
    {
        int K, M;
        bool replacement;
        int lowest;
    } cases[] = {{6, 49, false, 1}, {20, 80, false, 1}, {3, 10, true, 0}};
    for (const auto& c : cases) {
        const int N = 1000;
        const GapFigures g = gapFigures(periodOf(c.K, c.M,
            corvane::test::fairDraws(random, N, c.K, c.M, c.replacement), c.lowest, c.replacement));
        const double miss = 1 - g.drawChance;
        EXPECT_LT(std::pow(miss, g.rareCurrentFrom), 0.05);
        EXPECT_GE(std::pow(miss, g.rareCurrentFrom - 1), 0.05);
        EXPECT_NEAR(g.rareCurrentExpected, c.M * std::pow(miss, g.rareCurrentFrom), 1e-12);
        EXPECT_LT(longestRunAtLeast(N, g.drawChance, g.rareLongestFrom), 0.05);
        EXPECT_GE(longestRunAtLeast(N, g.drawChance, g.rareLongestFrom - 1), 0.05);
        int rare = 0;
        for (const double chance : g.longestChance)
            rare += chance < 0.05 ? 1 : 0;
        EXPECT_EQ(g.rareLongest, rare);
    }
}

TEST(ReportPairs, countsPairsOnceADrawAndOrdersTies)
{
    const PairFigures p = pairFigures(periodOf(3, 5, {{1, 2, 3}, {1, 2, 4}, {2, 1, 5}, {3, 4, 5}}));
    EXPECT_EQ(p.pairs, 10);
    EXPECT_DOUBLE_EQ(p.chance, 0.3);
    EXPECT_DOUBLE_EQ(p.expected, 1.2);
    ASSERT_EQ(p.top.size(), 10u);
    EXPECT_EQ(p.top[0].first, 1);
    EXPECT_EQ(p.top[0].second, 2);
    EXPECT_EQ(p.top[0].count, 3);
    EXPECT_NEAR(p.top[0].chance, 0.0837, 1e-15);
    EXPECT_NEAR(p.bound, 0.837, 1e-14);
    EXPECT_EQ(p.top[1].first, 1);
    EXPECT_EQ(p.top[1].second, 3);
    EXPECT_EQ(p.top[9].first, 4);
    EXPECT_EQ(p.top[9].second, 5);

    // A digit repeated in a draw makes no pair with itself.
    const PairFigures d = pairFigures(periodOf(3, 10, {{7, 7, 7}, {7, 7, 1}}, 0, true));
    EXPECT_EQ(d.top[0].count, 1);
    EXPECT_TRUE(pairFigures(periodOf(1, 3, {{1}, {2}})).top.empty());
}

// The figures of a draw's shape by enumerating every draw of a small game.
struct Enumerated
{
    double sumMean = 0, sumVariance = 0;
    double repeatMean = 0, repeatVariance = 0, repeatCovariance = 0;
};

Enumerated enumerate(int K, int M, bool replacement)
{
    std::map<std::set<int>, double> sets; // the set of a draw's numbers, and its chance
    std::map<int, double> sums;
    const int lowest = replacement ? 0 : 1;
    std::vector<int> draw(static_cast<std::size_t>(K), lowest);
    const double each = replacement ? std::pow(M, -K) : std::exp(-logChoose(M, K));
    for (;;) {
        const std::set<int> numbers(draw.begin(), draw.end());
        const bool valid = replacement
            || (static_cast<int>(numbers.size()) == K && std::is_sorted(draw.begin(), draw.end()));
        if (valid) {
            sets[numbers] += each;
            int sum = 0;
            for (const int n : draw)
                sum += n;
            sums[sum] += each;
        }
        int c = K - 1;
        while (c >= 0 && draw[c] == lowest + M - 1)
            draw[c--] = lowest;
        if (c < 0)
            break;
        ++draw[c];
    }
    Enumerated e;
    for (const auto& [sum, chance] : sums)
        e.sumMean += sum * chance;
    for (const auto& [sum, chance] : sums)
        e.sumVariance += (sum - e.sumMean) * (sum - e.sumMean) * chance;
    std::map<std::set<int>, double> sharedWith; // E |A & B| for each B
    for (const auto& [a, pa] : sets) {
        for (const auto& [b, pb] : sets) {
            std::vector<int> both;
            std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(both));
            const double shared = static_cast<double>(both.size());
            e.repeatMean += shared * pa * pb;
            e.repeatVariance += shared * shared * pa * pb;
            sharedWith[b] += shared * pa;
        }
    }
    e.repeatVariance -= e.repeatMean * e.repeatMean;
    for (const auto& [b, pb] : sets)
        e.repeatCovariance += pb * sharedWith[b] * sharedWith[b];
    e.repeatCovariance -= e.repeatMean * e.repeatMean;
    return e;
}

TEST(ReportShape, exactMeansAndSpreadsAgreeWithEveryDrawOfASmallGame)
{
    const struct
    {
        int K, M;
        bool replacement;
    } cases[] = {{3, 8, false}, {2, 5, false}, {4, 9, false}, {3, 10, true}, {2, 4, true}};
    std::mt19937 random(5);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.K) + "/" + std::to_string(c.M));
        const int lowest = c.replacement ? 0 : 1;
        const auto draws = corvane::test::fairDraws(random, 40, c.K, c.M, c.replacement);
        const ShapeFigures s = shapeFigures(periodOf(c.K, c.M, draws, lowest, c.replacement));
        const Enumerated e = enumerate(c.K, c.M, c.replacement);
        EXPECT_NEAR(s.sums.expected, e.sumMean, 1e-12);
        EXPECT_NEAR(s.sums.sd, std::sqrt(e.sumVariance), 1e-12);
        EXPECT_NEAR(s.repeats.expected, e.repeatMean, 1e-12);
        EXPECT_NEAR(s.repeats.sd, std::sqrt(e.repeatVariance), 1e-12);
        // z of the mean of 39 overlapping pairs: 39 variances and 2 x 38 covariances.
        const double spread = std::sqrt(39 * e.repeatVariance + 2 * 38 * e.repeatCovariance) / 39;
        EXPECT_NEAR(s.repeats.z, (s.repeats.mean - e.repeatMean) / spread, 1e-9);
        double observed = 0;
        for (std::size_t i = 1; i < draws.size(); ++i) {
            const std::set<int> a(draws[i - 1].begin(), draws[i - 1].end());
            int shared = 0;
            for (const int n : std::set<int>(draws[i].begin(), draws[i].end()))
                shared += a.count(n) ? 1 : 0;
            observed += shared;
        }
        EXPECT_NEAR(s.repeats.mean, observed / 39, 1e-12);
    }
}

TEST(ReportShape, oddAndLowSplitsFollowTheirLaws)
{
    std::mt19937 random(8);
    const struct
    {
        int K, M, lowest;
        bool replacement;
        int odd, lowHighest;
    } cases[] = {{6, 49, 1, false, 25, 24}, {20, 80, 1, false, 40, 40}, {3, 10, 0, true, 5, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.K) + "/" + std::to_string(c.M));
        const int N = 500;
        const ShapeFigures s = shapeFigures(periodOf(c.K, c.M,
            corvane::test::fairDraws(random, N, c.K, c.M, c.replacement), c.lowest, c.replacement));
        EXPECT_EQ(s.oddNumbers, c.odd);
        EXPECT_EQ(s.lowHighest, c.lowHighest);
        for (const ShapeFigure* f : {&s.odd, &s.low}) {
            double draws = 0, mean = 0;
            for (std::size_t j = 0; j < f->expectedDraws.size(); ++j) {
                draws += f->expectedDraws[j];
                mean += static_cast<double>(j) * f->expectedDraws[j] / N;
            }
            EXPECT_NEAR(draws, N, 1e-9);
            EXPECT_NEAR(mean, f->expected, 1e-12);
            std::int64_t observed = 0;
            for (const std::int64_t count : f->observed)
                observed += count;
            EXPECT_EQ(observed, N);
            EXPECT_NEAR(f->p, std::erfc(std::fabs(f->z) / std::sqrt(2.0)), 1e-15);
        }
    }
}

} // namespace

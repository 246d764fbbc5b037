#include "core/backtest/hypergeometric.h"
#include "core/backtest/summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace {

using corvane::core::BacktestRun;
using corvane::core::HitDistribution;
using corvane::core::TestedDraw;
using corvane::core::Verdict;

struct DistributionCase
{
    const char* name;
    int pool, ticket, drawn;
    double mean, variance;
    std::vector<double> probability; // P(hits = h), h = 0..
    std::vector<double> atLeast; // P(hits >= h)
};

// Exact values from the binomials by hand (the small ones) or in rational arithmetic.
const std::vector<DistributionCase> kDistributions = {
    {"lotto 6/49", 49, 6, 6, 0.7346938775510204, 0.5775718450645564,
        {0.4359649755116915, 0.4130194504847604, 0.13237802900152576, 0.017650403866870102,
            0.000968619724401408, 1.8449899512407772e-05, 7.151123842018516e-08},
        {1.0, 0.5640350244883084, 0.1510155740035481, 0.01863754500202234, 0.000987141135152236,
            1.8521410750827957e-05, 7.151123842018516e-08}},
    {"white balls 5/69", 69, 5, 5, 0.36231884057971014, 0.316295390241793,
        {0.6784271193172976, 0.2826779663822073, 0.03707252018127309, 0.0017938316216745045,
            2.8473517804357212e-05, 8.89797431386163e-08},
        {1.0, 0.3215728806827024, 0.03889491430049509, 0.0018223941192220003, 2.856249754749583e-05,
            8.89797431386163e-08}},
    {"2 of 4: 1/6, 4/6, 1/6", 4, 2, 2, 1.0, 1.0 / 3, {1.0 / 6, 4.0 / 6, 1.0 / 6},
        {1.0, 5.0 / 6, 1.0 / 6}},
    {"3 of 5: at least one hit is certain", 5, 3, 3, 1.8, 0.36, {0.0, 0.3, 0.6, 0.1},
        {1.0, 1.0, 0.7, 0.1}},
    {"a draw with two numbers of the pool", 49, 6, 2, 12.0 / 49,
        6 * (2.0 / 49) * (47.0 / 49) * 43 / 48,
        {0.7678571428571429, 0.2193877551020408, 0.012755102040816327},
        {1.0, 0.23214285714285715, 0.012755102040816327}},
    {"nothing drawn in the pool", 9, 3, 0, 0.0, 0.0, {1.0}, {1.0}},
};

TEST(HitDistribution, matchesExactBinomials)
{
    for (const DistributionCase& c : kDistributions) {
        SCOPED_TRACE(c.name);
        const HitDistribution d(c.pool, c.ticket, c.drawn);
        EXPECT_NEAR(d.mean(), c.mean, 1e-12);
        EXPECT_NEAR(d.variance(), c.variance, 1e-12);
        ASSERT_EQ(d.maxHits() + 1, static_cast<int>(c.probability.size()));
        for (int h = 0; h <= d.maxHits(); ++h) {
            // Relative: the far tail of 6/49 is 7e-8 and must be right too.
            EXPECT_NEAR(d.probability(h), c.probability[h], 1e-12 + 1e-10 * c.probability[h]) << h;
            EXPECT_NEAR(d.atLeast(h), c.atLeast[h], 1e-12 + 1e-10 * c.atLeast[h]) << h;
        }
        EXPECT_EQ(d.probability(-1), 0.0);
        EXPECT_EQ(d.probability(d.maxHits() + 1), 0.0);
        EXPECT_EQ(d.atLeast(d.maxHits() + 1), 0.0);
    }
}

TEST(HitDistribution, lotto649KnownFigures)
{
    const HitDistribution d(49, 6, 6);
    EXPECT_NEAR(d.mean(), 0.7347, 5e-5);
    EXPECT_NEAR(d.atLeast(3), 0.01864, 5e-6);
    EXPECT_NEAR(d.probability(6), 1.0 / 13983816, 1e-20);
}

TEST(HitDistribution, largePoolsStayNormalisedAndAgreeWithTheClosedForms)
{
    for (const int pool : {200, 500, 1000}) {
        SCOPED_TRACE(pool);
        const HitDistribution d(pool, pool / 2, pool / 3);
        double total = 0, mean = 0, square = 0;
        for (int h = 0; h <= d.maxHits(); ++h) {
            total += d.probability(h);
            mean += h * d.probability(h);
            square += static_cast<double>(h) * h * d.probability(h);
        }
        EXPECT_NEAR(total, 1.0, 1e-12);
        EXPECT_NEAR(mean, d.mean(), 1e-9);
        EXPECT_NEAR(square - mean * mean, d.variance(), 1e-7);
    }
}

// A run of n regular 6/49 draws with the given hits, plus draws of fewer numbers in the pool.
BacktestRun run649(const std::vector<int>& hits, const std::vector<int>& inPool = {})
{
    BacktestRun run;
    run.numbers = 6;
    run.pool = 49;
    for (std::size_t i = 0; i < hits.size(); ++i) {
        TestedDraw draw;
        draw.hits = hits[i];
        draw.drawnInPool = i < inPool.size() ? inPool[i] : 6;
        draw.ticketInPool = 6;
        run.draws.push_back(draw);
    }
    return run;
}

TEST(Summary, zAndPFromTheHypergeometricSpreadOverTheDraws)
{
    const auto s = corvane::core::summarize(run649(std::vector<int>(100, 1)));
    EXPECT_EQ(s.draws, 100);
    EXPECT_DOUBLE_EQ(s.meanHits, 1.0);
    EXPECT_NEAR(s.expectedHits, 0.7346938775510204, 1e-12);
    EXPECT_NEAR(s.spread, 0.07599814767904257, 1e-12);
    EXPECT_NEAR(s.z, 3.4909551160302947, 1e-9);
    EXPECT_NEAR(s.p, 0.0004812971022785986, 1e-12);
    EXPECT_EQ(s.verdict, Verdict::Better);
    EXPECT_EQ(s.observed, (std::vector<int> {0, 100, 0, 0, 0, 0, 0}));
    EXPECT_NEAR(s.expected[0], 43.59649755116915, 1e-9);
    EXPECT_NEAR(s.atLeast[3], 0.01863754500202234, 1e-12);
    EXPECT_EQ(s.shortDraws, 0);
}

TEST(Summary, aShortDrawTakesItsOwnBaseline)
{
    std::vector<int> hits(100, 0);
    for (int i = 0; i < 50; ++i)
        hits[i] = 1;
    std::vector<int> inPool(100, 6);
    inPool[99] = 2;
    const auto s = corvane::core::summarize(run649(hits, inPool));
    EXPECT_NEAR(s.expectedHits, 0.729795918367347, 1e-12);
    EXPECT_NEAR(s.spread, 0.07575621810402368, 1e-12);
    EXPECT_NEAR(s.z, -3.033360483383763, 1e-9);
    EXPECT_NEAR(s.p, 0.002418465114269941, 1e-12);
    EXPECT_EQ(s.verdict, Verdict::Worse);
    EXPECT_NEAR(s.expected[0], 43.9283897185146, 1e-9);
    EXPECT_NEAR(s.expected[2], 13.118179973191868, 1e-9);
    EXPECT_EQ(s.shortDraws, 1);
}

TEST(Summary, verdictFollowsTheFivePercentLevel)
{
    const struct
    {
        std::vector<int> hits;
        Verdict verdict;
    } cases[] = {
        {std::vector<int>(100, 1), Verdict::Better},
        {std::vector<int>(100, 0), Verdict::Worse},
        // 73 hits in 100 draws: just what chance gives.
        {[] {
             std::vector<int> h(100, 0);
             for (int i = 0; i < 73; ++i)
                 h[i] = 1;
             return h;
         }(),
            Verdict::NoBetter},
    };
    for (const auto& c : cases)
        EXPECT_EQ(corvane::core::summarize(run649(c.hits)).verdict, c.verdict);
    EXPECT_NEAR(corvane::core::twoSidedP(1.959963984540054), 0.05, 1e-12);
    EXPECT_DOUBLE_EQ(corvane::core::twoSidedP(0), 1.0);
}

TEST(Summary, noSpreadWhenNothingCanBeHit)
{
    const auto s = corvane::core::summarize(run649({0, 0, 0}, {0, 0, 0}));
    EXPECT_EQ(s.spread, 0.0);
    EXPECT_EQ(s.z, 0.0);
    EXPECT_EQ(s.p, 1.0);
    EXPECT_EQ(s.verdict, Verdict::NoBetter);
}

// A run of regular draws of K numbers from 1..M, scored against nothing.
BacktestRun runOf(int pool, int numbers, const std::vector<std::vector<double>>& draws)
{
    BacktestRun run;
    run.numbers = numbers;
    run.pool = pool;
    for (const auto& drawn : draws) {
        TestedDraw draw;
        for (const double value : drawn)
            draw.drawn.push_back(value); // not "=": mingw -O3 warns of a null memmove
        draw.drawnInPool = numbers;
        run.draws.push_back(draw);
    }
    return run;
}

TEST(Summary, exactHitsOfARandomTicketInAscendingOrder)
{
    // Two numbers of 1..5: the smaller is v with chance (5 - v) / 10, the larger (v - 1) / 10.
    const struct
    {
        int pool, numbers;
        std::vector<std::vector<double>> draws;
        double expected;
    } cases[] = {
        {5, 2, {{1, 5}}, 0.8},
        {5, 2, {{5, 1}}, 0.0},
        {5, 2, {{2, 3}}, 0.5},
        {5, 2, {{1, 5}, {5, 1}, {2, 3}}, 1.3 / 3},
        // A ticket of every number: column c holds c + 1.
        {3, 3, {{1, 2, 3}}, 3.0},
        {3, 3, {{3, 2, 1}}, 1.0},
        // Cells outside 1..M, fractions and a short line score nothing.
        {5, 2, {{0, 7}}, 0.0},
        {5, 2, {{1.5, 5}}, 0.4},
        {5, 2, {{1}}, 0.4},
        // One number of M: each column matches with chance 1 / M.
        {49, 1, {{7}, {49}}, 1.0 / 49},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(corvane::core::summarize(runOf(c.pool, c.numbers, c.draws)).expectedExact,
            c.expected, 1e-12)
            << c.pool << " " << c.numbers << " " << c.draws.size();
    }
}

TEST(Summary, theLikeliestTicketOfFairDrawsInAscendingOrder)
{
    const struct
    {
        int pool, numbers;
        std::vector<std::vector<double>> draws;
        std::vector<int> ticket;
        double exact;
    } cases[] = {
        {5, 2, {{1, 5}, {5, 1}, {2, 3}}, {1, 5}, 2.0 / 3},
        {49, 6, {{1, 10, 20, 30, 40, 49}, {1, 2, 3, 4, 5, 6}}, {1, 10, 20, 30, 40, 49}, 3.5},
        {49, 7, {{1, 9, 17, 25, 33, 41, 49}}, {1, 9, 17, 25, 33, 41, 49}, 7.0},
        {59, 6, {{2, 13, 25, 36, 48, 59}}, {1, 12, 24, 36, 48, 59}, 3.0},
        {3, 3, {{1, 2, 3}}, {1, 2, 3}, 3.0},
    };
    for (const auto& c : cases) {
        const auto s = corvane::core::summarize(runOf(c.pool, c.numbers, c.draws));
        EXPECT_EQ(s.likeliestTicket, c.ticket) << c.pool << " " << c.numbers;
        EXPECT_DOUBLE_EQ(s.likeliestExact, c.exact) << c.pool << " " << c.numbers;
    }
}

// The closed form against random tickets sorted and scored by hand.
TEST(Summary, exactHitsOfARandomTicketAgreeWithSampling)
{
    BacktestRun run;
    run.numbers = 6;
    run.pool = 49;
    TestedDraw draw;
    draw.drawn = {3, 11, 20, 28, 36, 47};
    draw.drawnInPool = 6;
    run.draws.push_back(draw);
    std::mt19937 random(7);
    std::vector<int> pool(49);
    std::iota(pool.begin(), pool.end(), 1);
    double sampled = 0;
    constexpr int kTickets = 200000;
    for (int t = 0; t < kTickets; ++t) {
        std::shuffle(pool.begin(), pool.end(), random);
        std::sort(pool.begin(), pool.begin() + 6);
        for (int c = 0; c < 6; ++c)
            sampled += pool[c] == draw.drawn[c] ? 1 : 0;
    }
    // The mean is about 0.4; its standard error over 200,000 tickets is below 0.0015.
    EXPECT_NEAR(corvane::core::summarize(run).expectedExact, sampled / kTickets, 0.006);
}

} // namespace

// Whether a history's numbers fit the pool its figures assume: a typed 55 in a 6/49 file, or a
// --pool too large, must not turn the comparisons with random play into claims of foresight.
#include "core/analysis/pool_fit.h"
#include "core/analysis/report.h"
#include "core/analysis/statistics.h"
#include "core/analysis/text_report.h"
#include "core/backtest/backtest.h"
#include "core/backtest/report.h"
#include "core/io/linesource.h"

#include "recording_ui.h"
#include "report_support.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace corvane::core;
using corvane::test::fairDraws;
using corvane::test::historyText;
using corvane::test::RecordingUi;
using corvane::test::TempDir;

// The largest c with numbers x P(X <= c) below the chance, from scipy.stats.binom.cdf.
TEST(PoolFit, rareCountMatchesTheBinomialLowerTail)
{
    const struct
    {
        std::int64_t n;
        double p;
        int numbers;
        std::int64_t rare;
    } cases[] = {
        {4361, 7.0 / 55, 55, 437},
        {200, 7.0 / 55, 55, 3},
        {200, 5.0 / 39, 39, 3},
        {13896, 20.0 / 80, 80, 3191},
        {1000, 0.5, 2, 422},
        // Too few draws for any count to be that rare.
        {20, 6.0 / 49, 49, -1},
        {0, 6.0 / 49, 49, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(binomialRareCount(c.n, c.p, c.numbers, 1e-6), c.rare) << c.n << " " << c.p;
}

// counts of the first K numbers of fair draws from 1..M, as the report counts them.
std::vector<std::int64_t> countsOf(const std::vector<std::vector<int>>& draws, int M)
{
    std::vector<std::int64_t> counts(static_cast<std::size_t>(M), 0);
    for (const auto& draw : draws) {
        for (const int n : draw)
            ++counts[static_cast<std::size_t>(n - 1)];
    }
    return counts;
}

TEST(PoolFit, fairDrawsFitAndATooLargePoolDoesNot)
{
    std::mt19937 random(11);
    const struct
    {
        int draws, K, M, assumed;
        std::size_t rare;
    } cases[] = {
        {4000, 6, 49, 49, 0},
        {30, 6, 49, 49, 0},
        {5000, 20, 80, 80, 0},
        {4000, 6, 49, 50, 1},
        {4000, 6, 49, 59, 10},
        {200, 5, 35, 39, 4},
        // Too few draws to tell: 49 of 52 cannot be told apart in 20 draws.
        {20, 6, 49, 52, 0},
    };
    for (const auto& c : cases) {
        const auto draws = fairDraws(random, c.draws, c.K, c.M);
        std::vector<std::int64_t> counts = countsOf(draws, c.M);
        counts.resize(static_cast<std::size_t>(c.assumed), 0);
        const PoolFit fit = fitPool(counts, 1, c.draws, c.draws, double(c.K) / c.assumed);
        EXPECT_EQ(fit.rare.size(), c.rare) << c.draws << " of " << c.M << " as " << c.assumed;
        EXPECT_EQ(fit.fits(), c.rare == 0);
        EXPECT_EQ(poolFitWarning(fit).empty(), c.rare == 0);
    }
    // No false alarm over many fair histories of each size.
    int alarms = 0;
    for (int history = 0; history < 300; ++history) {
        const int draws = 50 + history * 20;
        const auto fair = fairDraws(random, draws, 6, 49);
        alarms += fitPool(countsOf(fair, 49), 1, draws, draws, 6.0 / 49).fits() ? 0 : 1;
    }
    EXPECT_EQ(alarms, 0);
}

// A 6/49 history of 1,000 fair draws with one 55 typed into draw 700.
std::string historyWithATypo()
{
    std::mt19937 random(3);
    auto draws = fairDraws(random, 1000, 6, 49);
    draws[700][2] = 55;
    return historyText(draws);
}

TEST(PoolFit, theReportWarnsAndNamesTheLineToCheck)
{
    std::mt19937 other(4);
    const std::string fair = historyText(fairDraws(other, 1000, 6, 49));
    const struct
    {
        std::string text;
        std::optional<int> pool;
        std::vector<std::string> says;
    } cases[] = {
        {historyWithATypo(), std::nullopt,
            {"The numbers 50, 51, 52, 53, 54 and 55 were drawn at most once in 1000 draws",
                "fair draws from 1 to 55 give each about 109.1 times",
                "The largest number, 55, is in one draw only, of 1991-12-02: check that line"}},
        {historyWithATypo(), 55, {"The numbers 50, 51, 52, 53, 54 and 55"}},
        {fair, 60,
            {"The numbers 50, 51, 52, 53, 54 and 6 more were never drawn in 1000 draws",
                "Give the right pool with --pool, or fewer numbers with --numbers"}},
    };
    for (const auto& c : cases) {
        ReportOptions options;
        options.pool = c.pool;
        RecordingUi ui;
        const auto report = reportLines(splitLines(c.text), "typo.txt", options, ui);
        ASSERT_TRUE(report) << (ui.messages.empty() ? "" : ui.messages[0]);
        ASSERT_EQ(report->warnings.size(), 1u);
        for (const std::string& part : c.says)
            EXPECT_NE(report->warnings[0].find(part), std::string::npos) << report->warnings[0];
        EXPECT_NE(reportText(*report).find("\nWarning: The numbers 50, 51"), std::string::npos);
        EXPECT_NE(reportJson(*report).find("\"warnings\": [\"The numbers 50"), std::string::npos);
    }
    // A fair history: no warning.
    RecordingUi ui;
    const auto report = reportLines(splitLines(fair), "fair.txt", {}, ui);
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->poolFit.fits());
    EXPECT_EQ(reportText(*report).find("Warning:"), std::string::npos);
}

TEST(PoolFit, aBacktestAgainstAPoolTheDrawsContradictGivesNoVerdict)
{
    TempDir dir;
    std::mt19937 random(8);
    const std::string fair = dir.write("fair.txt", historyText(fairDraws(random, 300, 6, 49)));
    const std::string typo = dir.write("typo.txt", historyWithATypo());
    const struct
    {
        std::string path;
        std::optional<int> pool;
        bool fits;
    } cases[] = {
        {fair, std::nullopt, true},
        {fair, 49, true},
        {fair, 60, false},
        // The 55 lies before the tested draws; the pool it sets still governs them.
        {typo, std::nullopt, false},
        {typo, 55, false},
    };
    for (const auto& c : cases) {
        BacktestOptions options;
        options.method = BacktestMethod::Fuzzy;
        options.draws = 200;
        options.pool = c.pool;
        RecordingUi ui;
        const auto run = backtest(c.path, options, ui);
        ASSERT_TRUE(run) << (ui.messages.empty() ? "" : ui.messages[0]);
        EXPECT_EQ(run->poolFit.fits(), c.fits) << c.path;
        const std::string text = backtestReport(*run);
        EXPECT_EQ(text.find("\nWarning: The numbers 50") != std::string::npos, !c.fits) << text;
        EXPECT_EQ(
            text.find("\nNo verdict: the draws do not come from the pool") != std::string::npos,
            !c.fits)
            << text;
        EXPECT_EQ(
            text.find("\nOver these 200 draws the Fuzzy Period Method did ") != std::string::npos,
            c.fits)
            << text;
    }
}

} // namespace

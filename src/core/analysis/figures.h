#pragma once

#include "core/analysis/period.h"

#include <cstdint>
#include <vector>

namespace corvane::core {

/// How far from the expected value a figure must lie to be shown as unusual: 1.96 standard
/// deviations, which a normal figure passes with chance 5%.
constexpr double kUnusualSd = 1.96;

/// What a fair draw gives for a period's game: K numbers from a pool of M, different numbers
/// (without replacement) or each drawn on its own (with replacement).
struct FairDraw
{
    int numbers = 0;
    int pool = 0;
    bool replacement = false;

    /// The chance that a given number is in a draw: K / M, or 1 - (1 - 1/M)^K.
    double numberChance() const;
    /// The chance that two given numbers are both in a draw: K (K - 1) / (M (M - 1)), or
    /// 1 - 2 (1 - 1/M)^K + (1 - 2/M)^K.
    double pairChance() const;
    /// The factor by which drawing without replacement shrinks the variance of a sum over the K
    /// numbers of a draw: (M - K) / (M - 1); 1 with replacement.
    double finiteFactor() const;
};

FairDraw fairDraw(const Period& period);

/// How often each number was drawn: counts of each number among the first K numbers of the
/// draws, against N K / M each.
struct FrequencyFigures
{
    /// Entry i: the number lowest + i.
    std::vector<std::int64_t> counts;
    double expected = 0;
    /// The standard deviation of one number's count for fair draws: the count is binomial with
    /// N trials of chance K / M (without replacement) or N K trials of chance 1 / M.
    double sd = 0;
    std::int64_t trials = 0;
    double trialChance = 0;
    /// (count - expected) / sd for each number.
    std::vector<double> deviations;
    /// Pearson's X² = Σ (count - expected)² / expected.
    double chi2 = 0;
    /// X² (M - 1) / (M - K) without replacement (X² itself with), which follows chi-square
    /// with M - 1 degrees of freedom for fair draws; p is its upper tail.
    double chi2Corrected = 0;
    int df = 0;
    double p = 1;
    /// Counts at or below bandLow, or at or above bandHigh, lie 1.96 standard deviations or
    /// more from the expected count; `beyond` numbers do, beyondExpected would for fair draws
    /// (exact, from the binomial).
    std::int64_t bandLow = 0;
    std::int64_t bandHigh = 0;
    int beyond = 0;
    double beyondExpected = 0;

    /// True for a count outside the band.
    bool outsideBand(std::int64_t count) const { return count >= bandHigh || count <= bandLow; }
};

FrequencyFigures frequencyFigures(const Period& period);

/// Gaps: runs of draws without a number.
struct GapFigures
{
    /// The chance that a given number is in a draw (FairDraw::numberChance), whatever its gap.
    double drawChance = 0;
    /// Per number (entry i: the number lowest + i): draws since it was last drawn (0 when it is
    /// in the latest draw, N when it never was), and its chance (1 - q)^gap for fair draws.
    std::vector<std::int64_t> current;
    std::vector<double> currentChance;
    /// The longest run of draws without the number over the N draws, runs before its first and
    /// after its last draw included; and the chance that fair draws give one number a run at
    /// least that long somewhere in N draws.
    std::vector<std::int64_t> longest;
    std::vector<double> longestChance;
    /// completed[g]: gaps of g draws between two draws of the same number, over all numbers.
    std::vector<std::int64_t> completed;
    std::int64_t completedTotal = 0;
    /// Current gaps of rareCurrentFrom draws or more have chance below 5%; `rareCurrent`
    /// numbers have one, rareCurrentExpected would for fair draws. The same for longest gaps.
    std::int64_t rareCurrentFrom = 0;
    int rareCurrent = 0;
    double rareCurrentExpected = 0;
    std::int64_t rareLongestFrom = 0;
    int rareLongest = 0;
    double rareLongestExpected = 0;
    /// The number whose longest gap has the smallest chance, and the chance that some number
    /// of the M has a gap that rare: at most min(1, M x that chance) (Bonferroni bound).
    int rarestNumber = 0;
    double bound = 1;
};

GapFigures gapFigures(const Period& period);

struct PairCount
{
    int first = 0;
    int second = 0;
    std::int64_t count = 0;
    /// The chance for fair draws that this one pair is drawn together at least count times.
    double chance = 1;
};

/// Pairs: how often two numbers were drawn together.
struct PairFigures
{
    /// C(M, 2), the pairs of the pool.
    std::int64_t pairs = 0;
    /// The chance that a given pair is in a draw, and the expected count N x that chance.
    double chance = 0;
    double expected = 0;
    /// The most frequent pairs, most frequent first (up to 10).
    std::vector<PairCount> top;
    /// The chance that some pair of the C(M, 2) reaches the top count: at most
    /// min(1, C(M, 2) x the chance of one pair) (Bonferroni bound, exact binomials).
    double bound = 1;
};

PairFigures pairFigures(const Period& period);

/// One figure of a draw's shape, observed over the draws beside what fair draws give.
struct ShapeFigure
{
    /// Draws (pairs of consecutive draws for repeats) it was taken over.
    std::int64_t draws = 0;
    double mean = 0;
    double observedSd = 0;
    double expected = 0;
    /// The standard deviation of the figure for one fair draw.
    double sd = 0;
    /// (mean - expected) / the exact standard deviation of the mean, and its two-sided p-value
    /// (normal approximation).
    double z = 0;
    double p = 1;
    /// observed[j]: draws where the figure was j; expectedDraws[j]: as many for fair draws.
    /// Empty for sums (too many values); expectedDraws is empty for the repeats of a digit game,
    /// whose law the report does not tabulate.
    std::vector<std::int64_t> observed;
    std::vector<double> expectedDraws;
};

struct ShapeFigures
{
    /// Different numbers a draw shares with the draw before it.
    ShapeFigure repeats;
    /// The sum of the K numbers.
    ShapeFigure sums;
    /// Odd numbers among the K (oddNumbers odd numbers in the pool).
    ShapeFigure odd;
    int oddNumbers = 0;
    /// Low numbers among the K: those from lowest to lowHighest, the lower half of the pool.
    ShapeFigure low;
    int lowHighest = 0;
};

ShapeFigures shapeFigures(const Period& period);

} // namespace corvane::core

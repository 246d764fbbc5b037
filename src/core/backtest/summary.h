#pragma once

#include "core/backtest/backtest.h"

#include <vector>

namespace corvane::core {

/// The level below which a two-sided p-value counts as a real difference from random play.
constexpr double kSignificance = 0.05;

enum class Verdict {
    /// More hits than random play, at the 5% level.
    Better,
    /// Within what chance gives.
    NoBetter,
    /// Fewer hits than random play, at the 5% level.
    Worse,
};

/// A backtest against random play. The baseline of each tested draw is the hypergeometric
/// count of hits of a uniform random ticket of K distinct numbers of 1..M against that draw's
/// distinct numbers of 1..M (K of them in a regular draw, so the mean is K*K/M); over N draws
/// the means and variances add up.
struct BacktestSummary
{
    int draws = 0;
    /// Mean hits per draw of the method, and of a random ticket.
    double meanHits = 0;
    double expectedHits = 0;
    /// The standard deviation of a random ticket's mean hits over the N draws.
    double spread = 0;
    /// (meanHits - expectedHits) / spread, and its two-sided p-value by the normal
    /// approximation; 0 and 1 when random play has no spread.
    double z = 0;
    double p = 1;
    Verdict verdict = Verdict::NoBetter;
    double meanExact = 0;
    /// The same for a uniform random ticket of K distinct numbers of 1..M written in ascending
    /// order, as players write them: its c-th number is the c-th smallest, scored against the
    /// same draws column by column.
    double expectedExact = 0;
    /// The ticket whose c-th number is the likeliest c-th smallest number of a fair draw (the
    /// smaller one on a tie), the same every draw, and its mean exact count on the same draws:
    /// what knowing nothing but the order of a line gives.
    std::vector<int> likeliestTicket;
    double likeliestExact = 0;
    /// Distinct numbers of 1..M per ticket, on average (K for a ticket of K different numbers).
    double meanTicket = 0;
    /// observed[h]: tested draws with h hits; expected[h]: as many at random; atLeast[h]: the
    /// chance that a random ticket hits at least h numbers of a regular draw of K numbers.
    /// h runs from 0 to K.
    std::vector<int> observed;
    std::vector<double> expected;
    std::vector<double> atLeast;
    /// Tested draws with fewer than K distinct numbers of 1..M.
    int shortDraws = 0;
};

/// The figures of a finished backtest.
BacktestSummary summarize(const BacktestRun& run);

/// Two-sided p-value of a standard normal z: P(|Z| >= |z|).
double twoSidedP(double z);

} // namespace corvane::core

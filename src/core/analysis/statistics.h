#pragma once

#include <cstdint>

namespace corvane::core {

// The distributions the report compares a history with, each written from its definition. All
// work in double precision; none uses an approximation that fails for large arguments.

/// The regularised upper incomplete gamma function Q(a, x) = Γ(a, x) / Γ(a), for a > 0 and
/// x >= 0: by its power series where x < a + 1 and by its continued fraction elsewhere, to about
/// 14 significant digits. Q(a, 0) = 1; NaN for a <= 0 or a negative or NaN x.
double gammaQ(double a, double x);

/// The chance that a chi-square variable with df degrees of freedom (df >= 1) is at least x:
/// Q(df / 2, x / 2). 1 for x <= 0.
double chiSquareUpperTail(double x, double df);

/// P(X >= k) for X binomial with n trials of chance p (0 <= p <= 1): summed from the smaller
/// tail outwards, so a tail of 1e-300 keeps its digits. 1 for k <= 0, 0 for k > n.
double binomialAtLeast(std::int64_t n, double p, std::int64_t k);

/// The largest count c such that `numbers` binomial counts (n trials of chance p each) give
/// one of them at most c with chance below `chance` (bounded by numbers x P(X <= c)); -1 when
/// even 0 is not that rare. A count at or below it says that the chance p is wrong.
std::int64_t binomialRareCount(std::int64_t n, double p, int numbers, double chance);

/// P(X = k) for X binomial with n trials of chance p; 0 outside 0..n.
double binomialProbability(std::int64_t n, double p, std::int64_t k);

/// The chance that n independent trials, each a success with chance q, hold somewhere a run of
/// at least `length` failures in a row (runs at the start and the end count). Exact, by the
/// recurrence on the first trial that completes such a run; O(n). 1 for length <= 0, 0 for
/// length > n.
double longestRunAtLeast(std::int64_t n, double q, std::int64_t length);

/// ln C(n, k) for 0 <= k <= n, by the log-gamma function; -infinity outside that range.
double logChoose(double n, double k);

} // namespace corvane::core

#include "core/analysis/statistics.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace corvane::core {

namespace {

constexpr double kEpsilon = 1e-16;
constexpr int kMaxTerms = 1000000;

// ln(x^a e^-x / Γ(a)): the factor both expansions of the incomplete gamma function share.
double logPrefactor(double a, double x)
{
    return a * std::log(x) - x - std::lgamma(a);
}

// P(a, x) by its series x^a e^-x / Γ(a + 1) (1 + x / (a + 1) + x² / ((a + 1)(a + 2)) + …);
// converges fast for x < a + 1.
double lowerSeries(double a, double x)
{
    double term = 1.0 / a;
    double sum = term;
    for (int n = 1; n < kMaxTerms; ++n) {
        term *= x / (a + n);
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * kEpsilon)
            break;
    }
    return sum * std::exp(logPrefactor(a, x));
}

// Q(a, x) by Legendre's continued fraction, evaluated with the modified Lentz method;
// converges fast for x >= a + 1.
double upperFraction(double a, double x)
{
    constexpr double tiny = 1e-300;
    double b = x + 1.0 - a;
    double c = 1.0 / tiny;
    double d = 1.0 / b;
    double h = d;
    for (int i = 1; i < kMaxTerms; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < tiny)
            d = tiny;
        c = b + an / c;
        if (std::fabs(c) < tiny)
            c = tiny;
        d = 1.0 / d;
        const double delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1.0) < kEpsilon)
            break;
    }
    return std::exp(logPrefactor(a, x)) * h;
}

double logBinomialProbability(std::int64_t n, double p, std::int64_t k)
{
    const double dn = static_cast<double>(n);
    const double dk = static_cast<double>(k);
    return logChoose(dn, dk) + dk * std::log(p) + (dn - dk) * std::log1p(-p);
}

} // namespace

double gammaQ(double a, double x)
{
    if (!(a > 0) || !(x >= 0))
        return std::numeric_limits<double>::quiet_NaN();
    if (x == 0)
        return 1.0;
    if (std::isinf(x))
        return 0.0;
    if (x < a + 1.0)
        return std::clamp(1.0 - lowerSeries(a, x), 0.0, 1.0);
    return std::clamp(upperFraction(a, x), 0.0, 1.0);
}

double chiSquareUpperTail(double x, double df)
{
    if (!(x > 0))
        return 1.0;
    return gammaQ(df / 2.0, x / 2.0);
}

double logChoose(double n, double k)
{
    if (k < 0 || k > n)
        return -std::numeric_limits<double>::infinity();
    return std::lgamma(n + 1.0) - std::lgamma(k + 1.0) - std::lgamma(n - k + 1.0);
}

double binomialProbability(std::int64_t n, double p, std::int64_t k)
{
    if (k < 0 || k > n)
        return 0.0;
    if (p <= 0)
        return k == 0 ? 1.0 : 0.0;
    if (p >= 1)
        return k == n ? 1.0 : 0.0;
    return std::exp(logBinomialProbability(n, p, k));
}

double binomialAtLeast(std::int64_t n, double p, std::int64_t k)
{
    if (k <= 0)
        return 1.0;
    if (k > n || p <= 0)
        return 0.0;
    if (p >= 1)
        return 1.0;
    const double odds = p / (1.0 - p);
    // Beyond the mean the terms fall from k upwards; below it the lower tail falls from k - 1
    // downwards. Either way the sum runs from its largest term into ever smaller ones.
    if (static_cast<double>(k) > static_cast<double>(n) * p) {
        double term = binomialProbability(n, p, k);
        double sum = term;
        for (std::int64_t j = k; j < n && term > sum * kEpsilon; ++j) {
            term *= static_cast<double>(n - j) / static_cast<double>(j + 1) * odds;
            sum += term;
        }
        return std::min(sum, 1.0);
    }
    double term = binomialProbability(n, p, k - 1);
    double sum = term;
    for (std::int64_t j = k - 1; j > 0 && term > sum * kEpsilon; --j) {
        term *= static_cast<double>(j) / static_cast<double>(n - j + 1) / odds;
        sum += term;
    }
    return std::clamp(1.0 - sum, 0.0, 1.0);
}

std::int64_t binomialRareCount(std::int64_t n, double p, int numbers, double chance)
{
    // The lower tail summed upwards from 0; it stays far below the mean, where the terms grow.
    double tail = 0;
    std::int64_t c = 0;
    for (; c <= n && static_cast<double>(c) < static_cast<double>(n) * p; ++c) {
        tail += binomialProbability(n, p, c);
        if (tail * numbers >= chance)
            break;
    }
    return c - 1;
}

double longestRunAtLeast(std::int64_t n, double q, std::int64_t length)
{
    if (length <= 0)
        return 1.0;
    if (length > n)
        return 0.0;
    if (q <= 0)
        return 1.0;
    if (q >= 1)
        return 0.0;
    // reached[i]: the chance that the first i trials already hold such a run. A run is first
    // completed at trial i > length when trial i - length succeeds, the `length` trials after
    // it fail and the trials before it hold no run yet.
    const double allFail = std::pow(1.0 - q, static_cast<double>(length));
    std::vector<double> reached(static_cast<std::size_t>(n) + 1, 0.0);
    reached[static_cast<std::size_t>(length)] = allFail;
    for (std::int64_t i = length + 1; i <= n; ++i) {
        const double before = reached[static_cast<std::size_t>(i - length - 1)];
        reached[static_cast<std::size_t>(i)] = std::min(
            1.0, reached[static_cast<std::size_t>(i - 1)] + q * allFail * (1.0 - before));
    }
    return reached[static_cast<std::size_t>(n)];
}

} // namespace corvane::core

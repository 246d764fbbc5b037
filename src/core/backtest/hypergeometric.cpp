#include "core/backtest/hypergeometric.h"

#include <algorithm>
#include <cmath>

namespace corvane::core {

namespace {

// log C(n, k) as a sum of log((n - k + i) / i): every term is small, so nothing overflows and
// little precision is lost even for n in the thousands.
long double logChoose(int n, int k)
{
    long double sum = 0;
    for (int i = 1; i <= k; ++i)
        sum += std::log(static_cast<long double>(n - k + i) / static_cast<long double>(i));
    return sum;
}

} // namespace

HitDistribution::HitDistribution(int pool, int ticket, int drawn)
{
    const int M = std::max(pool, 1);
    const int K = std::clamp(ticket, 0, M);
    const int D = std::clamp(drawn, 0, M);
    const int top = std::min(K, D);
    const long double all = logChoose(M, K);
    m_p.assign(static_cast<std::size_t>(top) + 1, 0.0L);
    // Below K + D - M hits the ticket would need more numbers outside the draw than there are.
    for (int h = std::max(0, K + D - M); h <= top; ++h)
        m_p[h] = std::exp(logChoose(D, h) + logChoose(M - D, K - h) - all);

    const double share = static_cast<double>(D) / M;
    m_mean = K * share;
    m_variance = M > 1 ? K * share * (1.0 - share) * (M - K) / (M - 1.0) : 0.0;
}

double HitDistribution::probability(int h) const
{
    if (h < 0 || h > maxHits())
        return 0.0;
    return static_cast<double>(m_p[h]);
}

double HitDistribution::atLeast(int h) const
{
    if (h <= 0)
        return 1.0;
    long double sum = 0;
    // From the rarest counts up, so a small tail is not lost beside larger terms.
    for (int j = maxHits(); j >= h; --j)
        sum += m_p[j];
    return static_cast<double>(sum);
}

} // namespace corvane::core

#pragma once

#include <vector>

namespace corvane::core {

/// How many numbers a uniform random ticket hits: the ticket holds `ticket` distinct numbers
/// out of a pool of `pool`, the draw `drawn` distinct numbers of the same pool. The count of
/// hits follows the hypergeometric distribution; it is computed exactly (binomials taken as
/// sums of logarithms in long double), so it stays accurate for pools of a few thousand.
class HitDistribution
{
public:
    /// Needs 1 <= pool and 0 <= ticket, drawn <= pool; other values are clamped into range.
    HitDistribution(int pool, int ticket, int drawn);

    /// The largest possible count of hits: min(ticket, drawn).
    int maxHits() const { return static_cast<int>(m_p.size()) - 1; }

    /// P(hits = h); 0 for an h outside 0..maxHits().
    double probability(int h) const;
    /// P(hits >= h); 1 for h <= 0, 0 for h > maxHits().
    double atLeast(int h) const;

    /// ticket * drawn / pool.
    double mean() const { return m_mean; }
    /// ticket * (drawn / pool) * (1 - drawn / pool) * (pool - ticket) / (pool - 1); 0 for a
    /// pool of one number.
    double variance() const { return m_variance; }

private:
    std::vector<long double> m_p;
    double m_mean = 0;
    double m_variance = 0;
};

} // namespace corvane::core

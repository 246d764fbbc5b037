#include "core/backtest/summary.h"

#include "core/backtest/hypergeometric.h"

#include <algorithm>
#include <cmath>

namespace corvane::core {

double twoSidedP(double z)
{
    return std::erfc(std::fabs(z) / std::sqrt(2.0));
}

BacktestSummary summarize(const BacktestRun& run)
{
    const int K = run.numbers;
    const int M = run.pool;
    BacktestSummary s;
    s.draws = static_cast<int>(run.draws.size());
    s.observed.assign(static_cast<std::size_t>(K) + 1, 0);
    s.expected.assign(static_cast<std::size_t>(K) + 1, 0.0);
    s.atLeast.assign(static_cast<std::size_t>(K) + 1, 0.0);
    if (s.draws == 0 || K < 1)
        return s;

    // One distribution per count of distinct drawn numbers, 0..K.
    std::vector<HitDistribution> baseline;
    for (int drawn = 0; drawn <= K; ++drawn)
        baseline.emplace_back(M, K, drawn);
    for (int h = 0; h <= K; ++h)
        s.atLeast[h] = baseline[K].atLeast(h);

    double hits = 0, exact = 0, ticket = 0, mean = 0, variance = 0;
    for (const TestedDraw& draw : run.draws) {
        const HitDistribution& random = baseline[std::min(std::max(draw.drawnInPool, 0), K)];
        hits += draw.hits;
        exact += draw.exact;
        ticket += draw.ticketInPool;
        mean += random.mean();
        variance += random.variance();
        if (draw.hits >= 0 && draw.hits <= K)
            ++s.observed[draw.hits];
        for (int h = 0; h <= K; ++h)
            s.expected[h] += random.probability(h);
        if (draw.drawnInPool < K)
            ++s.shortDraws;
    }
    const double n = s.draws;
    s.meanHits = hits / n;
    s.meanExact = exact / n;
    s.meanTicket = ticket / n;
    s.expectedHits = mean / n;
    s.spread = std::sqrt(variance) / n;
    if (s.spread > 0) {
        s.z = (s.meanHits - s.expectedHits) / s.spread;
        s.p = twoSidedP(s.z);
    }
    if (s.p < kSignificance)
        s.verdict = s.z > 0 ? Verdict::Better : Verdict::Worse;
    return s;
}

} // namespace corvane::core

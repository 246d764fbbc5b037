#include "core/backtest/summary.h"

#include "core/analysis/statistics.h"
#include "core/backtest/hypergeometric.h"

#include <algorithm>
#include <cmath>

namespace corvane::core {

namespace {

// P(the c-th smallest of K distinct numbers drawn uniformly from 1..M is v), c from 0, as a
// table [c * (M + 1) + v]: C(v - 1, c) C(M - v, K - 1 - c) / C(M, K).
std::vector<double> orderStatistics(int M, int K)
{
    std::vector<double> table(static_cast<std::size_t>(K) * static_cast<std::size_t>(M + 1), 0.0);
    if (K > M)
        return table;
    const double all = logChoose(M, K);
    for (int c = 0; c < K; ++c) {
        for (int v = c + 1; v <= M - (K - 1 - c); ++v)
            table[static_cast<std::size_t>(c) * static_cast<std::size_t>(M + 1)
                + static_cast<std::size_t>(v)]
                = std::exp(logChoose(v - 1, c) + logChoose(M - v, K - 1 - c) - all);
    }
    return table;
}

} // namespace

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

    const std::vector<double> order = orderStatistics(M, K);
    const auto chance = [&](int c, int v) {
        return order[static_cast<std::size_t>(c) * static_cast<std::size_t>(M + 1)
            + static_cast<std::size_t>(v)];
    };
    if (K <= M) {
        for (int c = 0; c < K; ++c) {
            int best = 1;
            for (int v = 2; v <= M; ++v) {
                if (chance(c, v) > chance(c, best))
                    best = v;
            }
            s.likeliestTicket.push_back(best);
        }
    }
    double hits = 0, exact = 0, ticket = 0, mean = 0, variance = 0, randomExact = 0;
    int likeliest = 0;
    for (const TestedDraw& draw : run.draws) {
        for (int c = 0; c < K && c < static_cast<int>(draw.drawn.size()); ++c) {
            const double value = draw.drawn[static_cast<std::size_t>(c)];
            if (value >= 1 && value <= M && value == std::floor(value)) {
                randomExact += chance(c, static_cast<int>(value));
                if (c < static_cast<int>(s.likeliestTicket.size())
                    && s.likeliestTicket[static_cast<std::size_t>(c)] == value)
                    ++likeliest;
            }
        }
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
    s.expectedExact = randomExact / n;
    s.likeliestExact = likeliest / n;
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

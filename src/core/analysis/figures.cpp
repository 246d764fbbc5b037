#include "core/analysis/figures.h"

#include "core/analysis/statistics.h"
#include "core/backtest/hypergeometric.h"
#include "core/backtest/summary.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace corvane::core {

namespace {

// The different numbers of draw i, as offsets from the pool's lowest number.
void distinctOf(const Period& period, int i, std::vector<int>& out)
{
    out.clear();
    for (int c = 0; c < period.numbers; ++c)
        out.push_back(period.at(i, c) - period.lowest);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

double sampleSd(double sum, double squares, std::int64_t n)
{
    if (n < 2)
        return 0;
    const double mean = sum / static_cast<double>(n);
    const double variance
        = (squares - static_cast<double>(n) * mean * mean) / static_cast<double>(n - 1);
    return std::sqrt(std::max(variance, 0.0));
}

// A count of the K numbers of a draw that fall in a part of the pool (`part` of its M numbers):
// hypergeometric without replacement, binomial with.
ShapeFigure countFigure(
    const Period& period, const FairDraw& fair, int part, const std::vector<int>& perDraw)
{
    const int K = period.numbers;
    const double share = static_cast<double>(part) / period.pool;
    ShapeFigure f;
    f.draws = period.draws();
    f.expected = K * share;
    f.sd = std::sqrt(K * share * (1.0 - share) * fair.finiteFactor());
    f.observed.assign(static_cast<std::size_t>(K) + 1, 0);
    const HitDistribution hypergeometric(period.pool, K, part);
    double sum = 0, squares = 0;
    for (const int j : perDraw) {
        ++f.observed[static_cast<std::size_t>(j)];
        sum += j;
        squares += static_cast<double>(j) * j;
    }
    for (int j = 0; j <= K; ++j) {
        const double chance
            = fair.replacement ? binomialProbability(K, share, j) : hypergeometric.probability(j);
        f.expectedDraws.push_back(chance * static_cast<double>(f.draws));
    }
    f.mean = sum / static_cast<double>(f.draws);
    f.observedSd = sampleSd(sum, squares, f.draws);
    const double spread = f.sd / std::sqrt(static_cast<double>(f.draws));
    if (spread > 0) {
        f.z = (f.mean - f.expected) / spread;
        f.p = twoSidedP(f.z);
    }
    return f;
}

} // namespace

double FairDraw::numberChance() const
{
    if (replacement)
        return 1.0 - std::pow(1.0 - 1.0 / pool, numbers);
    return static_cast<double>(numbers) / pool;
}

double FairDraw::pairChance() const
{
    if (numbers < 2 || pool < 2)
        return 0;
    if (replacement)
        return 1.0 - 2.0 * std::pow(1.0 - 1.0 / pool, numbers)
            + std::pow(1.0 - 2.0 / pool, numbers);
    return static_cast<double>(numbers) * (numbers - 1) / (static_cast<double>(pool) * (pool - 1));
}

double FairDraw::finiteFactor() const
{
    if (replacement || pool < 2)
        return 1.0;
    return static_cast<double>(pool - numbers) / (pool - 1);
}

FairDraw fairDraw(const Period& period)
{
    return {period.numbers, period.pool, period.replacement};
}

FrequencyFigures frequencyFigures(const Period& period)
{
    const int M = period.pool;
    const int K = period.numbers;
    const std::int64_t N = period.draws();
    FrequencyFigures f;
    f.counts.assign(static_cast<std::size_t>(M), 0);
    for (const int value : period.values)
        ++f.counts[static_cast<std::size_t>(value - period.lowest)];
    f.expected = static_cast<double>(N) * K / M;
    f.trials = period.replacement ? N * K : N;
    f.trialChance = period.replacement ? 1.0 / M : static_cast<double>(K) / M;
    f.sd = std::sqrt(static_cast<double>(f.trials) * f.trialChance * (1.0 - f.trialChance));
    for (const std::int64_t count : f.counts) {
        const double d = static_cast<double>(count) - f.expected;
        f.chi2 += d * d / f.expected;
        f.deviations.push_back(f.sd > 0 ? d / f.sd : 0.0);
    }
    f.chi2Corrected = period.replacement ? f.chi2 : f.chi2 * (M - 1) / (M - K);
    f.df = M - 1;
    f.p = chiSquareUpperTail(f.chi2Corrected, f.df);

    f.bandHigh = static_cast<std::int64_t>(std::ceil(f.expected + kUnusualSd * f.sd));
    f.bandLow = static_cast<std::int64_t>(std::floor(f.expected - kUnusualSd * f.sd));
    for (const std::int64_t count : f.counts)
        f.beyond += f.outsideBand(count) ? 1 : 0;
    const double tails = binomialAtLeast(f.trials, f.trialChance, f.bandHigh)
        + (f.bandLow >= 0 ? 1.0 - binomialAtLeast(f.trials, f.trialChance, f.bandLow + 1) : 0.0);
    f.beyondExpected = M * tails;
    return f;
}

GapFigures gapFigures(const Period& period)
{
    const int M = period.pool;
    const std::int64_t N = period.draws();
    GapFigures g;
    g.drawChance = fairDraw(period).numberChance();
    const double miss = 1.0 - g.drawChance;
    std::vector<std::int64_t> last(static_cast<std::size_t>(M), -1);
    g.longest.assign(static_cast<std::size_t>(M), 0);
    std::vector<int> numbers;
    for (int i = 0; i < period.draws(); ++i) {
        distinctOf(period, i, numbers);
        for (const int n : numbers) {
            const std::int64_t gap = i - last[n] - 1;
            if (last[n] >= 0) {
                if (g.completed.size() <= static_cast<std::size_t>(gap))
                    g.completed.resize(static_cast<std::size_t>(gap) + 1, 0);
                ++g.completed[static_cast<std::size_t>(gap)];
                ++g.completedTotal;
            }
            g.longest[n] = std::max(g.longest[n], gap);
            last[n] = i;
        }
    }

    // The chance of a longest gap depends on its length only: one recurrence per length.
    std::map<std::int64_t, double> chanceOfLongest;
    const auto longestChance = [&](std::int64_t length) {
        const auto known = chanceOfLongest.find(length);
        if (known != chanceOfLongest.end())
            return known->second;
        const double chance = longestRunAtLeast(N, g.drawChance, length);
        chanceOfLongest.emplace(length, chance);
        return chance;
    };
    for (int n = 0; n < M; ++n) {
        const std::int64_t current = N - 1 - last[n];
        g.current.push_back(current);
        g.longest[n] = std::max(g.longest[n], current);
        g.currentChance.push_back(std::pow(miss, static_cast<double>(current)));
        g.longestChance.push_back(longestChance(g.longest[n]));
    }

    // The shortest gaps whose chance falls below 5%, and how many numbers fair draws give them.
    g.rareCurrentFrom = N + 1;
    for (std::int64_t length = 0; length <= N; ++length) {
        if (std::pow(miss, static_cast<double>(length)) < kSignificance) {
            g.rareCurrentFrom = length;
            g.rareCurrentExpected = M * std::pow(miss, static_cast<double>(length));
            break;
        }
    }
    std::int64_t low = 1, high = N + 1;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (longestChance(middle) < kSignificance)
            high = middle;
        else
            low = middle + 1;
    }
    g.rareLongestFrom = low;
    g.rareLongestExpected = low <= N ? M * longestChance(low) : 0.0;

    int rarest = 0;
    for (int n = 0; n < M; ++n) {
        g.rareCurrent += g.current[n] >= g.rareCurrentFrom ? 1 : 0;
        g.rareLongest += g.longest[n] >= g.rareLongestFrom ? 1 : 0;
        if (g.longestChance[n] < g.longestChance[rarest])
            rarest = n;
    }
    g.rarestNumber = period.lowest + rarest;
    g.bound = std::min(1.0, M * g.longestChance[rarest]);
    return g;
}

PairFigures pairFigures(const Period& period)
{
    const int M = period.pool;
    const std::int64_t N = period.draws();
    const FairDraw fair = fairDraw(period);
    PairFigures p;
    p.pairs = static_cast<std::int64_t>(M) * (M - 1) / 2;
    p.chance = fair.pairChance();
    p.expected = static_cast<double>(N) * p.chance;
    if (period.numbers < 2)
        return p;

    std::vector<std::int32_t> together(
        static_cast<std::size_t>(M) * static_cast<std::size_t>(M), 0);
    std::vector<int> numbers;
    for (int i = 0; i < period.draws(); ++i) {
        distinctOf(period, i, numbers);
        for (std::size_t a = 0; a < numbers.size(); ++a) {
            for (std::size_t b = a + 1; b < numbers.size(); ++b)
                ++together[static_cast<std::size_t>(numbers[a]) * M + numbers[b]];
        }
    }
    std::vector<PairCount> all;
    for (int a = 0; a < M; ++a) {
        for (int b = a + 1; b < M; ++b)
            all.push_back({a + period.lowest, b + period.lowest,
                together[static_cast<std::size_t>(a) * M + b], 1.0});
    }
    const std::size_t shown = std::min<std::size_t>(10, all.size());
    std::partial_sort(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(shown), all.end(),
        [](const PairCount& x, const PairCount& y) {
            if (x.count != y.count)
                return x.count > y.count;
            return x.first != y.first ? x.first < y.first : x.second < y.second;
        });
    all.resize(shown);
    for (PairCount& pair : all)
        pair.chance = binomialAtLeast(N, p.chance, pair.count);
    p.top = std::move(all);
    if (!p.top.empty())
        p.bound = std::min(1.0, static_cast<double>(p.pairs) * p.top.front().chance);
    return p;
}

ShapeFigures shapeFigures(const Period& period)
{
    const int M = period.pool;
    const int K = period.numbers;
    const int N = period.draws();
    const FairDraw fair = fairDraw(period);
    ShapeFigures s;

    // Repeats: R = Σ_n [n in both draws]. With q = P(n in a draw) and r = P(n and m in a draw)
    // for independent draws: E R = M q², Var R = M (q² - q⁴) + M (M - 1) (r² - q⁴), and two
    // overlapping pairs of draws share the middle draw: Cov = q² (M q + M (M - 1) r) - M² q⁴.
    const double q = fair.numberChance();
    const double r = fair.pairChance();
    const double q2 = q * q, q4 = q2 * q2;
    const double variance = M * (q2 - q4) + static_cast<double>(M) * (M - 1) * (r * r - q4);
    const double covariance
        = q2 * (M * q + static_cast<double>(M) * (M - 1) * r) - static_cast<double>(M) * M * q4;
    ShapeFigure& repeats = s.repeats;
    repeats.draws = N - 1;
    repeats.expected = M * q2;
    repeats.sd = std::sqrt(std::max(variance, 0.0));
    repeats.observed.assign(static_cast<std::size_t>(K) + 1, 0);
    std::vector<int> previous, current;
    double sum = 0, squares = 0;
    for (int i = 0; i < N; ++i) {
        distinctOf(period, i, current);
        if (i > 0) {
            std::vector<int> shared;
            std::set_intersection(previous.begin(), previous.end(), current.begin(), current.end(),
                std::back_inserter(shared));
            const int count = static_cast<int>(shared.size());
            ++repeats.observed[static_cast<std::size_t>(count)];
            sum += count;
            squares += static_cast<double>(count) * count;
        }
        std::swap(previous, current);
    }
    const double L = repeats.draws;
    repeats.mean = sum / L;
    repeats.observedSd = sampleSd(sum, squares, repeats.draws);
    const double spread = std::sqrt(std::max(L * variance + 2.0 * (L - 1.0) * covariance, 0.0)) / L;
    if (spread > 0) {
        repeats.z = (repeats.mean - repeats.expected) / spread;
        repeats.p = twoSidedP(repeats.z);
    }
    // The count of shared numbers is hypergeometric only when every draw holds K different
    // numbers.
    if (!period.replacement) {
        const HitDistribution shared(M, K, K);
        for (int j = 0; j <= K; ++j)
            repeats.expectedDraws.push_back(shared.probability(j) * L);
    }

    // Sums: each number is uniform on lowest..highest (mean (lowest + highest) / 2, variance
    // (M² - 1) / 12), and a draw of K different numbers shrinks the variance by (M - K)/(M - 1).
    ShapeFigure& sums = s.sums;
    sums.draws = N;
    sums.expected = K * (period.lowest + period.highest()) / 2.0;
    sums.sd = std::sqrt(K * (static_cast<double>(M) * M - 1.0) / 12.0 * fair.finiteFactor());
    sum = squares = 0;
    std::vector<int> odd, low;
    s.lowHighest = period.lowest + M / 2 - 1;
    for (int i = 0; i < N; ++i) {
        int total = 0, odds = 0, lows = 0;
        for (int c = 0; c < K; ++c) {
            const int value = period.at(i, c);
            total += value;
            odds += value % 2;
            lows += value <= s.lowHighest ? 1 : 0;
        }
        sum += total;
        squares += static_cast<double>(total) * total;
        odd.push_back(odds);
        low.push_back(lows);
    }
    sums.mean = sum / N;
    sums.observedSd = sampleSd(sum, squares, N);
    sums.z = (sums.mean - sums.expected) / (sums.sd / std::sqrt(static_cast<double>(N)));
    sums.p = twoSidedP(sums.z);

    for (int value = period.lowest; value <= period.highest(); ++value)
        s.oddNumbers += value % 2;
    s.odd = countFigure(period, fair, s.oddNumbers, odd);
    s.low = countFigure(period, fair, M / 2, low);
    return s;
}

} // namespace corvane::core

#include "core/tickets/combinatorics.h"

#include <algorithm>
#include <numeric>

namespace corvane::core {

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b)
{
    if (a == kTooMany || b == kTooMany)
        return a == 0 || b == 0 ? 0 : kTooMany;
    if (a != 0 && b > (kTooMany - 1) / a)
        return kTooMany;
    return a * b;
}

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b)
{
    return a >= kTooMany - b ? kTooMany : a + b;
}

std::uint64_t binomial(int n, int k)
{
    if (k < 0 || n < 0 || k > n)
        return 0;
    k = std::min(k, n - k);
    std::uint64_t result = 1;
    for (int i = 1; i <= k; ++i) {
        // C(n, i) = C(n, i - 1) (n - i + 1) / i, exactly: after taking out the common factor
        // of the running value and i, the rest of i divides n - i + 1.
        const std::uint64_t g = std::gcd(result, static_cast<std::uint64_t>(i));
        const std::uint64_t factor = static_cast<std::uint64_t>(n - i + 1) / (i / g);
        result = saturatingProduct(result / g, factor);
        if (result == kTooMany)
            return kTooMany;
    }
    return result;
}

std::uint64_t schoenheimBound(int V, int K, int T)
{
    std::uint64_t bound = 1;
    // From the innermost ceiling out: L(V - T + i, K - T + i, i) for i = 1 .. T.
    for (int i = 1; i <= T; ++i) {
        const int v = V - T + i;
        const int k = K - T + i;
        if (k <= 0)
            return kTooMany;
        const std::uint64_t scaled = saturatingProduct(bound, static_cast<std::uint64_t>(v));
        if (scaled == kTooMany)
            return kTooMany;
        bound = (scaled + static_cast<std::uint64_t>(k) - 1) / static_cast<std::uint64_t>(k);
    }
    return bound;
}

std::uint64_t setsCoveredByOneTicket(int V, int K, int T, int M)
{
    std::uint64_t sum = 0;
    for (int j = std::max(T, 0); j <= std::min(K, M); ++j)
        sum = saturatingSum(sum, saturatingProduct(binomial(K, j), binomial(V - K, M - j)));
    return sum;
}

std::uint64_t countingBound(int V, int K, int T, int M)
{
    const std::uint64_t all = binomial(V, M);
    const std::uint64_t one = setsCoveredByOneTicket(V, K, T, M);
    if (all == kTooMany || one == kTooMany || one == 0)
        return kTooMany;
    return all / one + (all % one != 0 ? 1 : 0);
}

std::uint64_t wheelLowerBound(int V, int K, int T, int M)
{
    std::uint64_t bound = countingBound(V, K, T, M);
    if (T == M)
        bound = std::max(bound, schoenheimBound(V, K, T));
    return bound;
}

std::vector<std::uint64_t> matchesOverAllSets(std::uint64_t tickets, int V, int K, int M)
{
    std::vector<std::uint64_t> levels(static_cast<std::size_t>(std::max(std::min(K, M), 0)) + 1);
    for (std::size_t j = 0; j < levels.size(); ++j) {
        const int level = static_cast<int>(j);
        levels[j] = saturatingProduct(
            tickets, saturatingProduct(binomial(K, level), binomial(V - K, M - level)));
    }
    return levels;
}

} // namespace corvane::core

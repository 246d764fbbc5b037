#pragma once

#include <cstdint>
#include <vector>

namespace corvane::core {

/// A count too large for 64 bits.
constexpr std::uint64_t kTooMany = UINT64_MAX;

/// The number of bits set in v. Inline and without a processor flag (the compiler's own count
/// is a library call on a plain x86-64 build): the wheel searches count bits millions of times.
inline int popcount64(std::uint64_t v)
{
    v = v - ((v >> 1) & 0x5555555555555555ULL);
    v = (v & 0x3333333333333333ULL) + ((v >> 2) & 0x3333333333333333ULL);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((v * 0x0101010101010101ULL) >> 56);
}

/// The mask of the one number x.
inline std::uint64_t bitOf(int x)
{
    return std::uint64_t {1} << x;
}

/// The index of the lowest bit set in v, which must not be 0.
inline int lowestBit(std::uint64_t v)
{
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctzll(v);
#else
    return popcount64((v & (~v + 1)) - 1);
#endif
}

/// C(n, k) exactly; 0 for k < 0 or k > n; kTooMany when it does not fit in 64 bits.
std::uint64_t binomial(int n, int k);

/// a * b, or kTooMany when it does not fit (or either is kTooMany).
std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b);

/// a + b, or kTooMany when it does not fit.
std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b);

/// Schönheim's lower bound on the tickets of K numbers out of V that hold every T of the V
/// numbers together on some ticket ("T if T"): ceil(V/K ceil((V-1)/(K-1) ... )). Needs
/// 0 <= T <= K <= V; kTooMany when it overflows.
std::uint64_t schoenheimBound(int V, int K, int T);

/// Of the C(V, M) sets of M numbers, how many a single ticket of K numbers meets in at least T
/// of them: the sum over j >= T of C(K, j) C(V - K, M - j).
std::uint64_t setsCoveredByOneTicket(int V, int K, int T, int M);

/// The counting bound: every set of M needs a ticket, and one ticket serves at most
/// setsCoveredByOneTicket of them, so at least C(V, M) / that many tickets, rounded up.
std::uint64_t countingBound(int V, int K, int T, int M);

/// The best of the bounds above that apply to "T if M" with tickets of K out of V: Schönheim's
/// when T equals M, and the counting bound always.
std::uint64_t wheelLowerBound(int V, int K, int T, int M);

/// For every level j = 0 .. min(K, M), how many (set, ticket) pairs match in exactly j numbers
/// over all C(V, M) sets, for any `tickets` tickets of K numbers: tickets C(K, j) C(V-K, M-j).
/// It does not depend on how the tickets are chosen.
std::vector<std::uint64_t> matchesOverAllSets(std::uint64_t tickets, int V, int K, int M);

} // namespace corvane::core

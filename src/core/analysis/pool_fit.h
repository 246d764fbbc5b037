#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::core {

/// Whether a history's counts fit the pool that its figures assume. A pool taken from one wrong
/// number (a typed 55 in a 6/49 file), or given too large, leaves numbers that fair draws from
/// it would have drawn hundreds of times drawn never or once; every comparison with random play
/// is then made against the wrong game and can look like foresight.
struct PoolFit
{
    int lowest = 1;
    int pool = 0;
    std::int64_t draws = 0;
    /// How often fair draws from the pool give each number.
    double expected = 0;
    /// The numbers counted at most `atMost` times, which fair draws from the pool give one of
    /// its numbers with a chance below one in a million; none when the pool fits.
    std::vector<int> rare;
    std::int64_t atMost = -1;
    /// The draws that hold the pool's largest number, and the first of them (yyyymmdd).
    std::int64_t highestDraws = 0;
    double highestFirstKey = 0;

    bool fits() const { return rare.empty(); }
};

/// counts[i]: how often the number lowest + i occurred among the first numbers of `draws`
/// draws, each count binomial with `trials` trials of chance `chance` for fair draws.
PoolFit fitPool(const std::vector<std::int64_t>& counts, int lowest, std::int64_t draws,
    std::int64_t trials, double chance);

/// One paragraph for a pool that does not fit, saying what the figures then mean and what to
/// check; empty when it fits.
std::string poolFitWarning(const PoolFit& fit);

} // namespace corvane::core

#include "core/analysis/pool_fit.h"

#include "core/analysis/format.h"
#include "core/analysis/period.h"
#include "core/analysis/statistics.h"

#include <algorithm>

namespace corvane::core {

namespace {

constexpr double kRare = 1e-6;

std::string drawnText(std::int64_t n)
{
    return n == 0 ? "never drawn"
        : n == 1  ? "drawn at most once"
                  : "drawn at most " + std::to_string(n) + " times";
}

std::string numbersText(const PoolFit& fit)
{
    std::string text;
    const std::size_t shown = fit.rare.size() <= 6 ? fit.rare.size() : 5;
    for (std::size_t i = 0; i < shown; ++i) {
        text += i == 0 ? "" : i + 1 == fit.rare.size() ? " and " : ", ";
        text += std::to_string(fit.rare[i]);
    }
    if (shown < fit.rare.size())
        text += " and " + std::to_string(fit.rare.size() - shown) + " more";
    return text;
}

} // namespace

PoolFit fitPool(const std::vector<std::int64_t>& counts, int lowest, std::int64_t draws,
    std::int64_t trials, double chance)
{
    PoolFit fit;
    fit.lowest = lowest;
    fit.pool = static_cast<int>(counts.size());
    fit.draws = draws;
    fit.expected = static_cast<double>(trials) * chance;
    const std::int64_t threshold = binomialRareCount(trials, chance, fit.pool, kRare);
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] <= threshold) {
            fit.rare.push_back(lowest + static_cast<int>(i));
            fit.atMost = std::max(fit.atMost, counts[i]);
        }
    }
    return fit;
}

std::string poolFitWarning(const PoolFit& fit)
{
    if (fit.fits())
        return {};
    const int highest = fit.lowest + fit.pool - 1;
    const bool one = fit.rare.size() == 1;
    std::string text = "The number" + std::string(one ? " " : "s ") + numbersText(fit)
        + (one ? " was " : " were ") + drawnText(fit.atMost) + " in " + std::to_string(fit.draws)
        + " draws, where fair draws from " + std::to_string(fit.lowest) + " to "
        + std::to_string(highest) + " give each about " + fixedText(fit.expected, 1)
        + " times (drawn that rarely with a chance below one in a million). So the draws do not "
          "come from the pool "
        + std::to_string(fit.lowest) + " to " + std::to_string(highest)
        + ", and every comparison with random play or fair draws here assumes that they do: "
          "a figure may look surprising because the game is wrong.";
    if (fit.rare.back() == highest && fit.highestDraws > 0 && fit.highestDraws <= 3)
        text += " The largest number, " + std::to_string(highest) + ", is in "
            + (fit.highestDraws == 1
                    ? std::string("one draw only, of ")
                    : std::to_string(fit.highestDraws) + " draws only, the first of ")
            + showDrawKey(fit.highestFirstKey) + ": check that line of the file.";
    return text
        + " Give the right pool with --pool, or fewer numbers with --numbers where the last "
          "numbers of a draw come from a drum of their own.";
}

} // namespace corvane::core

#pragma once

#include "core/tickets/wheel.h"

#include <cstdint>
#include <vector>

namespace corvane::core {

/// What one search for a small wheel found: tickets as masks of the numbers 0..V-1.
struct SearchResult
{
    std::vector<std::uint64_t> tickets;
    /// The size of the cover the annealing started from (the greedy cover, or the start).
    std::uint64_t first = 0;
    /// Steps of work spent.
    std::uint64_t work = 0;
};

/// The stream-th of independent seeds made from seed (SplitMix64): one for each search that
/// runs side by side, and the four words of a search's own generator.
std::uint64_t mixSeed(std::uint64_t seed, std::uint64_t stream);

/// Starts from the tickets of start (masks of numbers 0..V-1), fills in a greedy cover of what
/// they leave uncovered, drops the tickets the others make unnecessary, then anneals: drops a
/// ticket and moves numbers between tickets until every set is covered again, as long as the
/// budget (steps of work) lasts and the size is above bound. The same arguments always give
/// the same wheel. The shape must have no makeShapeProblem.
SearchResult searchWheel(const WheelShape& shape, std::uint64_t seed, std::uint64_t budget,
    std::uint64_t bound, const std::vector<std::uint64_t>& start);

/// The greedy cover alone, without pruning or annealing: a quick estimate of a shape's size.
SearchResult greedyWheel(const WheelShape& shape, std::uint64_t seed);

} // namespace corvane::core

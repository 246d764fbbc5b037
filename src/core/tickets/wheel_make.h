#pragma once

#include "core/tickets/wheel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::core {

class Ui;

/// The most numbers a made wheel can have.
constexpr int kMaxMakePool = 64;
/// The most sets of T numbers a search keeps a count for.
constexpr std::uint64_t kMaxMakeTSets = 4000000;
/// Steps of search work that take about one second on a two-core machine of 2024 (release
/// build); a budget is counted in these steps, so that a seed always gives the same wheel.
constexpr std::uint64_t kWorkPerSecond = 80000000;

/// What to make.
struct MakeOptions
{
    WheelShape shape;
    std::uint64_t seed = 1;
    /// The search's budget, in seconds of kWorkPerSecond steps.
    double seconds = 10;
    /// Independent searches (seeds derived from seed), each on its own thread.
    int searches = 2;
};

/// A wheel made and checked.
struct MadeWheel
{
    WheelShape shape;
    /// Each ticket's numbers in increasing order, the tickets in increasing order.
    std::vector<std::vector<int>> tickets;
    /// A lower bound on the size of any wheel of this shape (wheelLowerBound).
    std::uint64_t bound = 0;
    /// The greedy cover's size that the search started from.
    std::uint64_t greedy = 0;
    /// The check of every set; a wheel is only handed out when it holds.
    WheelCheck check;
};

/// Why a wheel of this shape cannot be made, in a sentence, or nothing when it can: the
/// problems of wheelShapeProblem, and more than kMaxMakePool numbers or kMaxMakeTSets sets of
/// T numbers.
std::optional<std::string> makeShapeProblem(const WheelShape& shape);

/// Makes a wheel as small as the budget allows: a greedy cover first, then a local search
/// (simulated annealing) that drops a ticket and moves numbers between tickets until the
/// guarantee holds again, until the budget is spent or the size meets the lower bound. The
/// result depends only on the options. The shape must have no makeShapeProblem.
MadeWheel makeWheel(const MakeOptions& options);

/// makeWheel after checking the shape, with the problem through ui.
std::optional<MadeWheel> makeWheelChecked(const MakeOptions& options, Ui& ui);

} // namespace corvane::core

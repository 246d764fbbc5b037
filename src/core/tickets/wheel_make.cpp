#include "core/tickets/wheel_make.h"

#include "core/text/numbers.h"
#include "core/tickets/combinatorics.h"
#include "core/tickets/wheel_search.h"
#include "core/ui/ui.h"

#include <algorithm>
#include <system_error>
#include <thread>

namespace corvane::core {

namespace {

// Two parts of the numbers, the first of `size` numbers with the guarantee "T if drawn", the
// rest with "T if M + 1 - drawn": whenever M numbers are drawn, one part gets its share
// (pigeonhole), so the two wheels together guarantee "T if M".
struct Split
{
    int size = 0;
    int drawn = 0;
    std::uint64_t estimate = kTooMany;
};

WheelShape firstPart(const WheelShape& shape, const Split& split)
{
    return {split.size, shape.ticket, shape.guarantee, split.drawn};
}

WheelShape secondPart(const WheelShape& shape, const Split& split)
{
    return {shape.pool - split.size, shape.ticket, shape.guarantee, shape.drawn + 1 - split.drawn};
}

// The split whose two greedy covers are smallest together; none when no split fits or none
// beats the greedy cover of the whole.
Split bestSplit(const WheelShape& shape, std::uint64_t seed, std::uint64_t& work)
{
    Split best;
    const int T = shape.guarantee;
    if (T < 2 || shape.drawn < 2 * T - 1)
        return best;
    const SearchResult whole = greedyWheel(shape, seed);
    work += whole.work;
    best.estimate = whole.first;
    for (int drawn = T; drawn <= (shape.drawn + 1) / 2; ++drawn) {
        Split split;
        split.drawn = drawn;
        const int low = std::max(shape.ticket, drawn);
        const int high = shape.pool - std::max(shape.ticket, shape.drawn + 1 - drawn);
        // About a dozen sizes are enough to find the region of the best one.
        const int step = std::max(1, (high - low) / 12);
        for (split.size = low; split.size <= high; split.size += step) {
            const WheelShape a = firstPart(shape, split);
            const WheelShape b = secondPart(shape, split);
            if (makeShapeProblem(a) || makeShapeProblem(b))
                continue;
            const SearchResult first = greedyWheel(a, seed);
            const SearchResult second = greedyWheel(b, seed);
            work += first.work + second.work;
            split.estimate = first.first + second.first;
            if (split.estimate < best.estimate)
                best = split;
        }
    }
    return best;
}

// One whole search: a start from two smaller wheels when a split promises fewer tickets, then
// the search on all the numbers.
SearchResult makeOne(
    const WheelShape& shape, std::uint64_t seed, std::uint64_t budget, std::uint64_t bound)
{
    std::uint64_t spent = 0;
    const Split split = bestSplit(shape, seed, spent);
    std::vector<std::uint64_t> start;
    if (split.size > 0) {
        // Most of the budget goes to the parts: the whole search rarely shrinks their union.
        const std::uint64_t part = budget / 5 * 2;
        const WheelShape a = firstPart(shape, split);
        const WheelShape b = secondPart(shape, split);
        const SearchResult first = searchWheel(
            a, mixSeed(seed, 1), part, wheelLowerBound(a.pool, a.ticket, a.guarantee, a.drawn), {});
        const SearchResult second = searchWheel(
            b, mixSeed(seed, 2), part, wheelLowerBound(b.pool, b.ticket, b.guarantee, b.drawn), {});
        spent += first.work + second.work;
        start = first.tickets;
        for (const std::uint64_t ticket : second.tickets)
            start.push_back(ticket << split.size);
    }
    const std::uint64_t left = budget > spent ? budget - spent : 0;
    return searchWheel(shape, seed, left, bound, start);
}

} // namespace

std::optional<std::string> makeShapeProblem(const WheelShape& shape)
{
    if (std::optional<std::string> problem = wheelShapeProblem(shape))
        return problem;
    if (shape.pool > kMaxMakePool)
        return "wheel make takes at most " + formatInt(kMaxMakePool) + " numbers, not --pool "
            + formatInt(shape.pool) + ".";
    const std::uint64_t tsets = std::max(
        binomial(shape.pool, shape.guarantee), binomial(shape.pool, shape.guarantee - 1));
    if (tsets > kMaxMakeTSets)
        return "A wheel guaranteeing " + formatInt(shape.guarantee) + " of " + formatInt(shape.pool)
            + " numbers needs a count for each of " + std::to_string(tsets) + " sets, more than "
            + std::to_string(kMaxMakeTSets) + ". Use fewer numbers or a smaller --guarantee.";
    return std::nullopt;
}

MadeWheel makeWheel(const MakeOptions& options)
{
    MadeWheel made;
    made.shape = options.shape;
    const WheelShape& shape = options.shape;
    made.bound = wheelLowerBound(shape.pool, shape.ticket, shape.guarantee, shape.drawn);
    const double seconds = std::clamp(options.seconds, 0.0, 1e6);
    const auto budget = static_cast<std::uint64_t>(seconds * static_cast<double>(kWorkPerSecond));

    const auto searches = static_cast<std::size_t>(std::clamp(options.searches, 1, 8));
    std::vector<SearchResult> found(searches);
    const auto work = [&](std::size_t i) {
        found[i] = makeOne(shape, mixSeed(options.seed, 100 + i), budget, made.bound);
    };
    std::vector<std::thread> helpers;
    std::size_t started = 1;
    for (; started < searches; ++started) {
        try {
            helpers.emplace_back(work, started);
        } catch (const std::system_error&) {
            break;
        }
    }
    // Searches without a thread of their own run here, one after the other: the same results.
    work(0);
    for (std::size_t i = started; i < searches; ++i)
        work(i);
    for (std::thread& helper : helpers)
        helper.join();

    std::size_t best = 0;
    for (std::size_t i = 1; i < searches; ++i) {
        if (found[i].tickets.size() < found[best].tickets.size())
            best = i;
    }
    made.greedy = found[best].first;
    for (const std::uint64_t mask : found[best].tickets) {
        std::vector<int> numbers;
        for (std::uint64_t rest = mask; rest != 0; rest &= rest - 1)
            numbers.push_back(lowestBit(rest) + 1);
        made.tickets.push_back(std::move(numbers));
    }
    std::sort(made.tickets.begin(), made.tickets.end());
    made.check = verifyWheel(made.tickets, shape);
    return made;
}

std::optional<MadeWheel> makeWheelChecked(const MakeOptions& options, Ui& ui)
{
    if (const std::optional<std::string> problem = makeShapeProblem(options.shape)) {
        ui.messageBox(*problem);
        return std::nullopt;
    }
    return makeWheel(options);
}

} // namespace corvane::core

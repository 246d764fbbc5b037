#pragma once

#include "core/tickets/combinatorics.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane::core {

/// The state of a wheel under construction, numbers 0..V-1 as bits of a 64-bit mask (V <= 64).
///
/// A set S of M numbers is covered ("T if M" holds for it) exactly when some T of its numbers
/// lie together on one ticket. So the state keeps, for every set of T numbers, how many tickets
/// hold it, and for every set P of T - 1 numbers the mask of the numbers x that make P + x a
/// set no ticket holds. The uncovered sets of M are then the sets all of whose T-subsets are
/// held by no ticket, found by growing a set one number at a time and intersecting masks.
///
/// With tracking on, the state also keeps the count of uncovered sets of M and a list that
/// holds every one of them (and possibly stale entries, dropped when met).
class CoverState
{
public:
    /// The most uncovered sets the list keeps (32 MB).
    static constexpr std::size_t kMaxListed = std::size_t {1} << 22;

    /// Needs 1 <= T <= M <= V <= 64 and tables of C(V, T) and C(V, T - 1) entries that fit.
    CoverState(int V, int T, int M);

    /// Adds or removes a ticket (a mask of K numbers) to or from the counts.
    void addTicket(std::uint64_t ticket);
    void removeTicket(std::uint64_t ticket);
    /// Replaces the number out of ticket by the number in (not on it); returns the new ticket.
    std::uint64_t swapNumber(std::uint64_t ticket, int out, int in);

    /// How many numbers of the T-sets of partial a ticket would newly hold if x joined it:
    /// the (T-1)-subsets P of partial with P + x held by no ticket.
    int newlyHeld(std::uint64_t partial, int x) const;

    /// The first uncovered set of M numbers that contains an uncovered set of T numbers at or
    /// after the cursor (in the order of their ranks), and that T-set; moves the cursor past
    /// the T-sets that no longer lie in an uncovered set. 0 when every set is covered.
    std::uint64_t findUncovered(std::uint64_t& cursor, std::uint64_t& tset);

    /// True when no ticket holds T numbers of the set of M numbers s.
    bool isUncovered(std::uint64_t s) const;

    /// Turns on the count of uncovered sets of M (and their list): counts them once.
    void startTracking();
    /// The count of uncovered sets of M (with tracking on).
    std::uint64_t uncovered() const { return m_uncovered; }
    /// An uncovered set of M drawn with the random value r, 0 when there is none in the list.
    /// The list holds at most kMaxListed sets; a state that had to leave sets out of it may
    /// run out of sets to draw while some are still uncovered.
    std::uint64_t sampleUncovered(std::uint64_t r);
    /// The sets that the changes since the last call uncovered are kept (commit) or forgotten
    /// (after the changes were undone).
    void commit();
    void forget();

    /// Steps of work done so far: the measure of a search's budget.
    std::uint64_t work() const { return m_work; }
    /// Adds steps of work done outside the state.
    void spend(std::uint64_t steps) { m_work += steps; }

private:
    std::uint64_t rankOf(std::uint64_t set) const;
    std::uint64_t unrankT(std::uint64_t rank) const;
    void hold(std::uint64_t tset);
    void release(std::uint64_t tset);
    std::uint64_t candidates(std::uint64_t tset) const;
    std::uint64_t grow(std::uint64_t set, std::uint64_t cand, int need, bool list, bool firstOnly,
        std::uint64_t* found);
    std::uint64_t countThrough(std::uint64_t tset, bool list);
    void compact();
    void note(std::uint64_t set);

    int m_V, m_T, m_M;
    std::uint64_t m_all;
    std::vector<std::uint64_t> m_choose;
    std::vector<std::uint32_t> m_holders;
    std::vector<std::uint64_t> m_open;
    bool m_tracking = false;
    std::uint64_t m_uncovered = 0;
    std::vector<std::uint64_t> m_list;
    std::vector<std::uint64_t> m_pending;
    /// Per depth of grow: the (T-2)-subsets of the set grown so far.
    std::vector<std::vector<std::uint64_t>> m_subsets;
    std::uint64_t m_work = 0;
};

/// Calls f(mask) for every subset of r of the numbers of set (a mask).
template<class F>
void forEachSubset(std::uint64_t set, int r, F&& f)
{
    int elements[64];
    int n = 0;
    for (std::uint64_t rest = set; rest != 0; rest &= rest - 1)
        elements[n++] = lowestBit(rest);
    if (r < 0 || r > n)
        return;
    int index[64];
    for (int i = 0; i < r; ++i)
        index[i] = i;
    while (true) {
        std::uint64_t subset = 0;
        for (int i = 0; i < r; ++i)
            subset |= std::uint64_t {1} << elements[index[i]];
        f(subset);
        int i = r - 1;
        while (i >= 0 && index[i] == n - r + i)
            --i;
        if (i < 0)
            return;
        ++index[i];
        for (int j = i + 1; j < r; ++j)
            index[j] = index[j - 1] + 1;
    }
}

} // namespace corvane::core

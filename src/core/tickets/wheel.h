#pragma once

#include "core/tickets/ticketfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::core {

class Ui;

/// A wheel's shape: tickets of K numbers out of the player's numbers 1..V, and the guarantee
/// "T if M": whenever M of the V numbers are drawn, some ticket holds at least T of them.
struct WheelShape
{
    int pool = 0;
    int ticket = 0;
    int guarantee = 0;
    int drawn = 0;
};

/// The most sets of M numbers a check goes through: more would run for hours.
constexpr std::uint64_t kMaxWheelSets = 1000000000;
/// The most (set, 64 tickets) steps a check goes through, for the same reason.
constexpr std::uint64_t kMaxWheelWork = 20000000000;

/// Why a wheel of this shape cannot be checked, in a sentence naming the option at fault, or
/// nothing when it can: K and M from 1 to V, T from 1 to the smaller of K and M, and at most
/// kMaxWheelSets sets of M numbers.
std::optional<std::string> wheelShapeProblem(const WheelShape& shape);

/// A wheel checked against every set of M of its V numbers.
struct WheelCheck
{
    WheelShape shape;
    std::uint64_t tickets = 0;
    /// C(V, M), and the sets that no ticket meets in T or more numbers.
    std::uint64_t sets = 0;
    std::uint64_t breaking = 0;
    /// The first breaking set in increasing order of sets (each written in increasing order);
    /// empty when none breaks.
    std::vector<int> firstBreaking;
    /// setsByBest[j]: sets whose best ticket matches exactly j of them, j = 0 .. min(K, M).
    std::vector<std::uint64_t> setsByBest;
    /// ticketsByLevel[j]: over all sets, the tickets matching exactly j of the set.
    std::vector<std::uint64_t> ticketsByLevel;

    bool holds() const { return breaking == 0; }
};

/// Checks the guarantee on every one of the C(V, M) sets, no sampling. tickets: each K
/// distinct numbers of 1..V; the shape must have no wheelShapeProblem. threads: how many to
/// use, 0 for as many as the machine has (at most 8); a small check runs on one.
WheelCheck verifyWheel(
    const std::vector<std::vector<int>>& tickets, const WheelShape& shape, int threads = 0);

/// The tickets of a tickets file (named name) as a wheel over 1..V, then verifyWheel with K the
/// tickets' size. Refuses, with a message through ui naming the line or option: tickets of
/// different sizes, a number outside 1..V, a shape with a problem, a check too long to run.
std::optional<WheelCheck> verifyWheelTickets(const std::vector<Ticket>& tickets, int pool,
    int guarantee, int drawn, const std::string& name, Ui& ui, int threads = 0);

} // namespace corvane::core

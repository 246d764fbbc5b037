#pragma once

#include "core/tickets/ticketfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

class Ui;

/// What to check tickets against; unset values come from the data file.
struct CheckOptions
{
    /// The main numbers of a draw, K: a ticket matches against the first K numbers of each
    /// draw. Default: the file's numbers per draw, or one fewer with bonus.
    std::optional<int> numbers;
    /// Also count the draw's number after the first K, the bonus.
    bool bonus = false;
    /// The period: draws whose key (yyyymmdd) lies from `from` to `to`, both included.
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
};

/// The most draws of a ticket's best match that a check keeps.
constexpr int kBestDrawsKept = 10;

/// A draw on which a ticket matched its best.
struct BestDraw
{
    std::int32_t key = 0;
    /// The bonus was on the ticket too (only counted with the bonus).
    bool bonus = false;
};

/// One ticket against every draw of the period.
struct TicketCheck
{
    Ticket ticket;
    /// matches[k]: draws in which exactly k of the ticket's numbers were among the first K.
    std::vector<std::uint64_t> matches;
    /// withBonus[k]: of those, draws whose bonus was on the ticket too (empty without bonus).
    std::vector<std::uint64_t> withBonus;
    /// What a fair draw gives for the same counts (see CheckRun::poolLow).
    std::vector<double> expected;
    std::vector<double> expectedWithBonus;
    /// The most numbers matched in one draw, the draws that matched it, and the most recent of
    /// them (at most kBestDrawsKept, newest first).
    int best = 0;
    std::uint64_t bestCount = 0;
    std::vector<BestDraw> bestDraws;
};

/// Tickets checked against the draws of a data file.
struct CheckRun
{
    std::string path;
    /// The lottery's display name for the file's name.
    std::string lottery;
    /// The draws in the period.
    std::uint64_t draws = 0;
    /// Keys of the period's first and last draw.
    std::int32_t firstKey = 0;
    std::int32_t lastKey = 0;
    /// The period as asked.
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
    /// K, and whether the bonus was counted.
    int numbers = 0;
    bool bonus = false;
    /// The fair draw that the expected counts assume: each draw's distinct numbers among its
    /// first K (those of poolLow..poolHigh) drawn at random from poolLow..poolHigh, and the
    /// bonus then from the numbers left. poolLow is 0 when some draw holds a 0, else 1;
    /// poolHigh is the largest of the first K numbers of the period's draws.
    int poolLow = 1;
    int poolHigh = 1;
    std::vector<TicketCheck> tickets;
};

/// Checks tickets against a data file kept in memory as lines (split as splitLines splits a
/// file), read under the same rules and messages as every analysis: a file that cannot be
/// read, or has fewer than 16 data lines, is refused with its message through ui. Every data
/// line of the file is a draw (not only the last 500). A drawn number counts only when it is
/// a whole number; a cell a line does not reach matches nothing. Refuses, with a message, K or
/// a bonus that the file's draws do not have, and a period without a draw.
std::optional<CheckRun> checkTicketsOnLines(const std::vector<std::string_view>& lines,
    const std::string& path, const std::vector<Ticket>& tickets, const CheckOptions& options,
    Ui& ui);

/// The same on the data file at path, read once into memory.
std::optional<CheckRun> checkTickets(const std::string& path, const std::vector<Ticket>& tickets,
    const CheckOptions& options, Ui& ui);

} // namespace corvane::core

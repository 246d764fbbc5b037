#include "core/tickets/wheel_report.h"

#include "core/text/numbers.h"
#include "core/tickets/combinatorics.h"
#include "core/tickets/ticketfile.h"

namespace corvane::core {

namespace {

std::string share(std::uint64_t part, std::uint64_t whole)
{
    return formatFixed(
               whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0, 4)
        + "%";
}

std::string guaranteeName(const WheelShape& shape)
{
    return "\"" + formatInt(shape.guarantee) + " if " + formatInt(shape.drawn) + "\"";
}

std::string plural(std::uint64_t count, const std::string& one, const std::string& many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string wheelMoneyParagraph()
{
    return "What a wheel buys: it spreads its tickets so that, whenever the drawn numbers\n"
           "include enough of yours, some ticket is sure to match the guaranteed count. It does\n"
           "not raise the chance of any ticket: every ticket wins exactly as often as any other\n"
           "ticket of as many numbers, and the table of matching tickets above is the same for\n"
           "any tickets of this size and count. So a wheel's expected return equals that of as\n"
           "many random tickets for the same money. It trades draws with nothing for more draws\n"
           "with a small prize, and it promises nothing for the draws in which too few of your\n"
           "numbers come up, which are most draws.\n";
}

std::string wheelCheckReport(const WheelCheck& check)
{
    const WheelShape& shape = check.shape;
    const std::string sets = std::to_string(check.sets);
    const std::string setsOf = sets + " sets of " + formatInt(shape.drawn) + " of the "
        + formatInt(shape.pool) + " numbers";
    std::string text = "Wheel: " + plural(check.tickets, "ticket", "tickets") + " of "
        + formatInt(shape.ticket) + " numbers from 1 to " + formatInt(shape.pool) + ".\n";
    text += "Guarantee " + guaranteeName(shape) + ": ";
    if (check.holds()) {
        text += "holds. Every one of the " + setsOf + " has a ticket that matches at least "
            + formatInt(shape.guarantee) + " of them.\n";
    } else {
        text += "does not hold. " + std::to_string(check.breaking) + " of the " + setsOf + " ("
            + share(check.breaking, check.sets) + ") have no ticket that matches "
            + formatInt(shape.guarantee) + " of them; the first is "
            + ticketText(check.firstBreaking) + ".\n";
    }
    text += "Covered at " + formatInt(shape.guarantee) + ": "
        + std::to_string(check.sets - check.breaking) + " of " + sets + " sets ("
        + share(check.sets - check.breaking, check.sets) + "), each checked, none sampled.\n\n";

    text += "Sets by the best match of a ticket:\n  best match            sets        share\n";
    for (std::size_t j = check.setsByBest.size(); j-- > 0;) {
        text += padLeft(std::to_string(j), 12) + padLeft(std::to_string(check.setsByBest[j]), 16)
            + padLeft(share(check.setsByBest[j], check.sets), 13) + "\n";
    }
    text += "\nMatching tickets over all " + sets + " sets (the same for any "
        + plural(check.tickets, "ticket", "tickets") + " of " + formatInt(shape.ticket)
        + " numbers):\n       match         tickets      per set\n";
    for (std::size_t j = check.ticketsByLevel.size(); j-- > 0;) {
        const double perSet = check.sets > 0
            ? static_cast<double>(check.ticketsByLevel[j]) / static_cast<double>(check.sets)
            : 0.0;
        text += padLeft(std::to_string(j), 12)
            + padLeft(std::to_string(check.ticketsByLevel[j]), 16)
            + padLeft(formatFixed(perSet, 6), 13) + "\n";
    }
    text += "\n" + wheelMoneyParagraph();
    return text;
}

std::string wheelTicketLines(const MadeWheel& made)
{
    std::string text;
    for (const std::vector<int>& ticket : made.tickets)
        text += ticketText(ticket) + "\n";
    return text;
}

std::string wheelMadeReport(const MadeWheel& made, std::uint64_t seed, double seconds)
{
    const WheelShape& shape = made.shape;
    const std::uint64_t size = made.tickets.size();
    std::string text = "Made a wheel of " + plural(size, "ticket", "tickets") + " of "
        + formatInt(shape.ticket) + " numbers from 1 to " + formatInt(shape.pool) + ", guarantee "
        + guaranteeName(shape) + " (seed " + std::to_string(seed) + ", budget "
        + formatFixed(seconds, 1) + " s; the same seed and budget make the same wheel).\n";
    const bool schoenheim = shape.guarantee == shape.drawn
        && schoenheimBound(shape.pool, shape.ticket, shape.guarantee) == made.bound;
    text += "Lower bound: " + std::to_string(made.bound) + " tickets ("
        + (schoenheim ? "Schoenheim's bound" : "the counting bound: no ticket covers more sets")
        + "). ";
    if (size <= made.bound) {
        text += "The wheel meets it: no smaller wheel exists.\n";
    } else {
        text += "The wheel has " + std::to_string(size - made.bound) + " more ("
            + formatFixed(
                100.0 * static_cast<double>(size - made.bound) / static_cast<double>(made.bound), 1)
            + "% above the bound; the smallest possible wheel lies somewhere in between).\n";
    }
    text += "The search started from a cover of " + plural(made.greedy, "ticket", "tickets")
        + ".\n\n";
    text += wheelCheckReport(made.check);
    return text;
}

} // namespace corvane::core

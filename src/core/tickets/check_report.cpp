#include "core/tickets/check_report.h"

#include "core/analysis/format.h"
#include "core/io/files.h"
#include "core/text/numbers.h"

namespace corvane::core {

namespace {

// An expected count: two decimals, and a count too small for them marked as such.
std::string expectedCount(double value)
{
    return value > 0 && value < 0.005 ? "<0.01" : formatFixed(value, 2);
}

std::string count(std::uint64_t value)
{
    return std::to_string(value);
}

std::string periodText(const CheckRun& run)
{
    if (!run.from && !run.to)
        return "every draw of the file";
    return "the draws from " + (run.from ? formatInt(*run.from) : std::string("the first")) + " to "
        + (run.to ? formatInt(*run.to) : std::string("the last"));
}

std::string bestText(const TicketCheck& check, const CheckRun& run)
{
    if (check.best == 0)
        return "  Best: no number matched in any draw.\n";
    std::string text = "  Best: " + formatInt(check.best) + " of " + formatInt(run.numbers)
        + " matched, in " + count(check.bestCount) + (check.bestCount == 1 ? " draw" : " draws");
    text += check.bestCount > check.bestDraws.size() ? "; the latest:" : ":";
    for (const BestDraw& draw : check.bestDraws)
        text += " " + formatInt(draw.key) + (draw.bonus ? " (and the bonus)" : "");
    return text + "\n";
}

std::string ticketTable(const TicketCheck& check, const CheckRun& run)
{
    std::string text = "  matched      draws   fair draw";
    if (run.bonus)
        text += "   and bonus   fair draw";
    text += "\n";
    for (std::size_t k = 0; k < check.matches.size(); ++k) {
        text += padLeft(std::to_string(k), 9) + padLeft(count(check.matches[k]), 11)
            + padLeft(expectedCount(check.expected[k]), 12);
        if (run.bonus)
            text += padLeft(count(check.withBonus[k]), 12)
                + padLeft(expectedCount(check.expectedWithBonus[k]), 12);
        text += "\n";
    }
    return text;
}

std::string jsonLevels(const std::vector<std::uint64_t>& values)
{
    std::string text = "{";
    for (std::size_t k = 0; k < values.size(); ++k)
        text += (k > 0 ? ", \"" : "\"") + std::to_string(k) + "\": " + count(values[k]);
    return text + "}";
}

std::string jsonLevels(const std::vector<double>& values)
{
    std::string text = "{";
    for (std::size_t k = 0; k < values.size(); ++k)
        text += (k > 0 ? ", \"" : "\"") + std::to_string(k) + "\": " + jsonNumber(values[k]);
    return text + "}";
}

} // namespace

std::string checkReport(const CheckRun& run)
{
    const std::string K = formatInt(run.numbers);
    std::string text
        = "Tickets checked against " + run.lottery + " (" + fileNamePart(run.path) + ")\n";
    text += "Draws: " + count(run.draws) + ", " + periodText(run) + " (" + formatInt(run.firstKey)
        + " to " + formatInt(run.lastKey) + ").\n";
    text += "A ticket matches the first " + K + " numbers of each draw";
    text += run.bonus ? "; the bonus is number " + formatInt(run.numbers + 1) + " of the draw.\n"
                      : ".\n";
    text += "Fair draw: what the same draws give when each draw's numbers come at random from "
        + formatInt(run.poolLow) + " to " + formatInt(run.poolHigh)
        + (run.bonus ? ", the bonus from the numbers left" : "") + ".\n";
    for (std::size_t i = 0; i < run.tickets.size(); ++i) {
        const TicketCheck& check = run.tickets[i];
        text += "\nTicket " + std::to_string(i + 1) + " (line " + formatInt(check.ticket.line)
            + "): " + ticketText(check.ticket.numbers) + "\n";
        text += ticketTable(check, run);
        text += bestText(check, run);
    }
    text += "\nPast matches say nothing about the next draw: every draw is new, and each ticket "
            "matches it as often as the fair draw says, whatever it matched before.\n";
    return text;
}

std::string checkJson(const CheckRun& run)
{
    std::string text = "{\"file\": " + jsonString(fileNamePart(run.path))
        + ", \"lottery\": " + jsonString(run.lottery) + ", \"draws\": " + count(run.draws)
        + ", \"first\": " + formatInt(run.firstKey) + ", \"last\": " + formatInt(run.lastKey)
        + ", \"numbers\": " + formatInt(run.numbers)
        + ", \"bonus\": " + (run.bonus ? "true" : "false") + ", \"pool\": ["
        + formatInt(run.poolLow) + ", " + formatInt(run.poolHigh) + "],\n \"tickets\": [";
    for (std::size_t i = 0; i < run.tickets.size(); ++i) {
        const TicketCheck& check = run.tickets[i];
        text += i > 0 ? ",\n  " : "\n  ";
        text += "{\"line\": " + formatInt(check.ticket.line) + ", \"numbers\": [";
        for (std::size_t n = 0; n < check.ticket.numbers.size(); ++n)
            text += (n > 0 ? ", " : "") + formatInt(check.ticket.numbers[n]);
        text += "], \"matches\": " + jsonLevels(check.matches)
            + ", \"fair\": " + jsonLevels(check.expected);
        if (run.bonus)
            text += ", \"withBonus\": " + jsonLevels(check.withBonus)
                + ", \"fairWithBonus\": " + jsonLevels(check.expectedWithBonus);
        text += ", \"bestMatched\": " + formatInt(check.best)
            + ", \"bestDraws\": " + count(check.bestCount) + ", \"best\": [";
        for (std::size_t b = 0; b < check.bestDraws.size(); ++b)
            text += std::string(b > 0 ? ", " : "") + "{\"date\": "
                + formatInt(check.bestDraws[b].key) + ", \"matched\": " + formatInt(check.best)
                + ", \"bonus\": " + (check.bestDraws[b].bonus ? "true" : "false") + "}";
        text += "]}";
    }
    text += "\n]}\n";
    return text;
}

} // namespace corvane::core

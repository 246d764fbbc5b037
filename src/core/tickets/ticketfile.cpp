#include "core/tickets/ticketfile.h"

#include "core/io/files.h"
#include "core/io/linesource.h"
#include "core/text/numbers.h"
#include "core/ui/ui.h"

#include <algorithm>

namespace corvane::core {

namespace {

bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',' || c == ';';
}

// A token quoted in a message: short enough to read, and only printable bytes.
std::string quoted(std::string_view token)
{
    std::string shown;
    for (const char c : token.substr(0, 20))
        shown += c >= 32 && c < 127 ? c : '?';
    if (token.size() > 20)
        shown += "...";
    return "'" + shown + "'";
}

} // namespace

std::optional<std::vector<Ticket>> parseTickets(
    std::string_view text, const std::string& name, Ui& ui)
{
    std::vector<Ticket> tickets;
    const std::vector<std::string_view> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        // A last line without LF keeps its CR.
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const int lineNumber = static_cast<int>(i) + 1;
        const auto refuse = [&](const std::string& why) {
            ui.messageBox(name + ", line " + formatInt(lineNumber) + ": " + why);
            return std::nullopt;
        };
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#')
            continue;

        Ticket ticket;
        ticket.line = lineNumber;
        std::size_t at = 0;
        while (at < line.size()) {
            if (isSeparator(line[at])) {
                ++at;
                continue;
            }
            std::size_t end = at;
            while (end < line.size() && !isSeparator(line[end]))
                ++end;
            const std::string_view token = line.substr(at, end - at);
            at = end;
            if (!std::all_of(token.begin(), token.end(), isDigit))
                return refuse(quoted(token)
                    + " is not a whole number; a ticket line holds "
                      "numbers separated by spaces, commas, semicolons "
                      "or tabs.");
            const std::size_t nonZero = token.find_first_not_of('0');
            const std::string_view digits
                = nonZero == std::string_view::npos ? "0" : token.substr(nonZero);
            if (digits.size() > 3)
                return refuse("the number " + quoted(token) + " is above "
                    + formatInt(kMaxTicketNumber) + ".");
            int number = 0;
            for (const char c : digits)
                number = number * 10 + (c - '0');
            if (std::find(ticket.numbers.begin(), ticket.numbers.end(), number)
                != ticket.numbers.end())
                return refuse("the number " + formatInt(number) + " is twice on the ticket.");
            ticket.numbers.push_back(number);
        }
        if (ticket.numbers.empty())
            return refuse("no numbers on the line.");
        tickets.push_back(std::move(ticket));
    }
    if (tickets.empty()) {
        ui.messageBox(name
            + " holds no ticket: one ticket a line, its numbers separated by "
              "spaces, commas, semicolons or tabs.");
        return std::nullopt;
    }
    return tickets;
}

std::optional<std::vector<Ticket>> readTickets(const std::string& path, Ui& ui)
{
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        ui.messageBox("Cannot read the tickets file " + path + ".");
        return std::nullopt;
    }
    return parseTickets(*bytes, fileNamePart(path), ui);
}

std::string ticketText(const std::vector<int>& numbers)
{
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += formatInt(numbers[i]);
    }
    return text;
}

} // namespace corvane::core

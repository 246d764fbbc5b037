#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

class Ui;

/// The largest number a ticket may hold: no lottery draws from more than 999 numbers.
constexpr int kMaxTicketNumber = 999;

/// One ticket of a tickets file: its numbers in the order written, and its line (from 1).
struct Ticket
{
    std::vector<int> numbers;
    int line = 0;
};

/// Reads a tickets text: one ticket a line, whole numbers 0 to kMaxTicketNumber separated by
/// spaces, commas, semicolons or tabs, each number at most once on a line. A line of nothing but
/// spaces and tabs, and a line whose first character after them is '#', is no ticket and is
/// skipped. Any other line that is not such a ticket refuses the whole text with a message
/// through ui that names `name` and the line. CR LF and LF line ends read the same. A text
/// without a ticket is refused too.
std::optional<std::vector<Ticket>> parseTickets(
    std::string_view text, const std::string& name, Ui& ui);

/// The same on the file at path; a file that cannot be read is refused with a message.
std::optional<std::vector<Ticket>> readTickets(const std::string& path, Ui& ui);

/// Numbers written as a ticket line shows them: separated by one space.
std::string ticketText(const std::vector<int>& numbers);

} // namespace corvane::core

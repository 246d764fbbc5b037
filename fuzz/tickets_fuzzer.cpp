// The tickets reader on any tickets file, and every ticket list it accepts checked as a small
// wheel: no crash, and counts that add up.
#include "fuzz_support.h"

#include "core/tickets/ticketfile.h"
#include "core/tickets/wheel.h"

#include <algorithm>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane::core;
    // The first 2 bytes choose the guarantee and the numbers drawn.
    std::uint8_t shape[2] = {1, 1};
    if (size >= 2) {
        shape[0] = data[0];
        shape[1] = data[1];
        data += 2;
        size -= 2;
    }
    corvane::fuzz::NullUi ui;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto tickets = parseTickets(text, "t.txt", ui);
    if (!tickets)
        return 0;
    int pool = 0;
    for (const Ticket& ticket : *tickets) {
        if (ticket.numbers.empty() || ticket.line < 1)
            __builtin_trap();
        pool = std::max(pool, *std::max_element(ticket.numbers.begin(), ticket.numbers.end()));
    }
    // Keep the checks small: at most 20 numbers and 5 drawn.
    if (pool > 20 || tickets->size() > 200)
        return 0;
    const int drawn = 1 + shape[1] % 5;
    const int guarantee = 1 + shape[0] % drawn;
    const auto check = verifyWheelTickets(*tickets, pool, guarantee, drawn, "t.txt", ui, 1);
    if (!check)
        return 0;
    std::uint64_t sets = 0;
    for (const std::uint64_t n : check->setsByBest)
        sets += n;
    if (sets != check->sets || check->breaking > check->sets
        || check->holds() != check->firstBreaking.empty())
        __builtin_trap();
    return 0;
}

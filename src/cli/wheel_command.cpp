#include "commands.h"
#include "terminal_ui.h"

#include "core/io/files.h"
#include "core/text/numbers.h"
#include "core/tickets/ticketfile.h"
#include "core/tickets/wheel.h"
#include "core/tickets/wheel_make.h"
#include "core/tickets/wheel_report.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace corvane::cli {

namespace {

// Seconds written as digits with an optional fraction ("10", "0.5"), above 0 and at most a day.
std::optional<double> parseSeconds(const std::string& text)
{
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    const auto digits
        = [](const std::string& s) { return std::all_of(s.begin(), s.end(), core::isDigit); };
    if (whole.empty() || whole.size() > 5 || !digits(whole) || fraction.size() > 3
        || !digits(fraction) || (dot != std::string::npos && fraction.empty()))
        return std::nullopt;
    const double value = core::readNumber(text);
    if (value <= 0 || value > 86400)
        return std::nullopt;
    return value;
}

struct Option
{
    const char* name;
    std::uint64_t low;
    std::uint64_t high;
    const char* what;
};

constexpr Option kPool {"--pool", 1, core::kMaxTicketNumber, "a whole number from 1 to 999"};
constexpr Option kTicket {"--ticket", 1, core::kMaxTicketNumber, "a whole number from 1 to 999"};
constexpr Option kGuarantee {
    "--guarantee", 1, core::kMaxTicketNumber, "a whole number from 1 to 999"};
constexpr Option kIf {"--if", 1, core::kMaxTicketNumber, "a whole number from 1 to 999"};
constexpr Option kSeed {"--seed", 0, UINT64_MAX, "a whole number"};

struct Parsed
{
    std::map<std::string, std::uint64_t> values;
    std::optional<double> seconds;
    std::vector<std::string> positional;
};

} // namespace

int wheelCommand(const Invocation& call)
{
    const auto wrong = [&](const std::string& why) {
        call.err << "corvane-cli wheel: " << why << "\n\n";
        return kUsage;
    };
    if (call.args.empty() || (call.args[0] != "verify" && call.args[0] != "make"))
        return wrong("give verify or make");
    const bool make = call.args[0] == "make";

    Parsed parsed;
    std::vector<const Option*> allowed {&kPool, &kGuarantee, &kIf};
    if (make) {
        allowed.push_back(&kTicket);
        allowed.push_back(&kSeed);
    }
    for (std::size_t i = 1; i < call.args.size(); ++i) {
        const std::string& arg = call.args[i];
        if (make && arg == "--seconds") {
            if (parsed.seconds)
                return wrong("--seconds is given twice");
            const std::string value = i + 1 < call.args.size() ? call.args[++i] : "";
            parsed.seconds = parseSeconds(value);
            if (!parsed.seconds)
                return wrong("--seconds needs a number above 0 and at most 86400, such as 10 or "
                             "0.5, not '"
                    + value + "'");
            continue;
        }
        const auto found = std::find_if(allowed.begin(), allowed.end(),
            [&](const Option* option) { return arg == option->name; });
        if (found == allowed.end()) {
            if (arg.size() > 1 && arg[0] == '-')
                return wrong("unknown option " + arg);
            parsed.positional.push_back(arg);
            continue;
        }
        const Option& option = **found;
        if (parsed.values.count(option.name) != 0)
            return wrong(std::string(option.name) + " is given twice");
        const std::string value = i + 1 < call.args.size() ? call.args[++i] : "";
        const std::optional<std::uint64_t> number
            = parseWholeArgument(value, option.low, option.high);
        if (!number)
            return wrong(
                std::string(option.name) + " needs " + option.what + ", not '" + value + "'");
        parsed.values[option.name] = *number;
    }
    for (const Option* option : allowed) {
        if (option != &kSeed && parsed.values.count(option->name) == 0)
            return wrong(
                std::string("wheel ") + (make ? "make" : "verify") + " needs " + option->name);
    }
    const auto value
        = [&](const Option& option) { return static_cast<int>(parsed.values.at(option.name)); };
    TerminalUi ui(call.out, call.err);

    if (!make) {
        if (parsed.positional.size() != 1)
            return wrong("wheel verify needs one tickets file");
        // 1 means the guarantee fails; a wheel that cannot be checked must not look like that.
        const auto tickets = core::readTickets(parsed.positional[0], ui);
        if (!tickets)
            return kRefused;
        const auto check = core::verifyWheelTickets(*tickets, value(kPool), value(kGuarantee),
            value(kIf), core::fileNamePart(parsed.positional[0]), ui);
        if (!check)
            return kRefused;
        call.out << core::wheelCheckReport(*check);
        return check->holds() ? 0 : 1;
    }

    if (!parsed.positional.empty())
        return wrong("wheel make takes no file, not '" + parsed.positional[0] + "'");
    core::MakeOptions options;
    options.shape = {value(kPool), value(kTicket), value(kGuarantee), value(kIf)};
    options.seed = parsed.values.count(kSeed.name) != 0 ? parsed.values.at(kSeed.name) : 1;
    options.seconds = parsed.seconds.value_or(10.0);
    const auto made = core::makeWheelChecked(options, ui);
    if (!made)
        return kRefused; // numbers that contradict each other
    if (!made->check.holds()) {
        call.err << "The wheel made fails its own check on " << made->check.breaking
                 << " sets; it is not printed.\n";
        return 1;
    }
    call.out << core::wheelTicketLines(*made);
    call.err << core::wheelMadeReport(*made, options.seed, options.seconds);
    return 0;
}

} // namespace corvane::cli

#include "commands.h"
#include "terminal_ui.h"

#include "core/analysis/period.h"
#include "core/predict/regress.h"
#include "core/text/numbers.h"
#include "core/tickets/check.h"
#include "core/tickets/check_report.h"

#include <algorithm>
#include <optional>
#include <string>

namespace corvane::cli {

int checkCommand(const Invocation& call)
{
    core::CheckOptions options;
    bool json = false;
    std::vector<std::string> positional;
    const auto wrong = [&](const std::string& why) {
        call.err << "corvane-cli check: " << why << "\n\n";
        return kUsage;
    };

    for (std::size_t i = 0; i < call.args.size(); ++i) {
        const std::string& arg = call.args[i];
        if (arg == "--json" || arg == "--bonus") {
            bool& flag = arg == "--json" ? json : options.bonus;
            if (flag)
                return wrong(arg + " is given twice");
            flag = true;
        } else if (arg == "--numbers") {
            if (options.numbers)
                return wrong("--numbers is given twice");
            const std::string value = i + 1 < call.args.size() ? call.args[++i] : "";
            const std::optional<int> numbers = value.size() <= 2
                ? parseIntArgument(value, 1, core::regress::kColumns - 1)
                : std::nullopt;
            if (!numbers)
                return wrong("--numbers needs a whole number from 1 to 49, not '" + value + "'");
            options.numbers = numbers;
        } else if (arg == "--from" || arg == "--to") {
            std::optional<std::int32_t>& date = arg == "--from" ? options.from : options.to;
            if (date)
                return wrong(arg + " is given twice");
            const std::string value = i + 1 < call.args.size() ? call.args[++i] : "";
            // The same two forms as report and import take, so a period copied from one works.
            date = core::parseDrawDate(value);
            if (!date)
                return wrong(arg + " needs a date yyyy-mm-dd or yyyymmdd, not '" + value + "'");
        } else if (arg.size() > 1 && arg[0] == '-') {
            return wrong("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return wrong("give a data file and a tickets file");
    if (options.from && options.to && *options.from > *options.to)
        return wrong("--from " + std::to_string(*options.from) + " is after --to "
            + std::to_string(*options.to));

    TerminalUi ui(call.out, call.err);
    const auto tickets = core::readTickets(positional[1], ui);
    if (!tickets)
        return 1;
    const auto run = core::checkTickets(positional[0], *tickets, options, ui);
    if (!run)
        return 1;
    call.out << (json ? core::checkJson(*run) : core::checkReport(*run));
    return 0;
}

} // namespace corvane::cli

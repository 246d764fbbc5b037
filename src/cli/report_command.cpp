#include "commands.h"
#include "terminal_ui.h"

#include "core/analysis/html_report.h"
#include "core/analysis/period.h"
#include "core/analysis/report.h"
#include "core/analysis/text_report.h"
#include "core/backtest/backtest.h"
#include "core/text/numbers.h"

#include <optional>
#include <string>

namespace corvane::cli {

int reportCommand(const Invocation& call)
{
    core::ReportOptions options;
    std::optional<std::string> html;
    bool json = false;
    std::vector<std::string> files;
    const auto wrong = [&](const std::string& why) {
        call.err << "corvane-cli report: " << why << "\n\n";
        return kUsage;
    };

    for (std::size_t i = 0; i < call.args.size(); ++i) {
        const std::string& arg = call.args[i];
        if (arg == "--json") {
            if (json)
                return wrong("--json is given twice");
            json = true;
            continue;
        }
        const bool takesValue = arg == "--numbers" || arg == "--pool" || arg == "--from"
            || arg == "--to" || arg == "--html";
        if (!takesValue) {
            if (arg.size() > 1 && arg[0] == '-')
                return wrong("unknown option " + arg);
            files.push_back(arg);
            continue;
        }
        if (i + 1 >= call.args.size())
            return wrong(arg + " needs a value");
        const std::string& value = call.args[++i];
        const bool twice = (arg == "--numbers" && options.numbers)
            || (arg == "--pool" && options.pool) || (arg == "--from" && options.from)
            || (arg == "--to" && options.to) || (arg == "--html" && html);
        if (twice)
            return wrong(arg + " is given twice");
        if (arg == "--numbers") {
            options.numbers = parseIntArgument(value, 1, core::kMaxNumbers);
            if (!options.numbers)
                return wrong("--numbers needs a whole number from 1 to 49, not '" + value + "'");
        } else if (arg == "--pool") {
            options.pool = parseIntArgument(value, 2, core::kMaxPool);
            if (!options.pool)
                return wrong("--pool needs a whole number from 2 to 1000, not '" + value + "'");
        } else if (arg == "--from" || arg == "--to") {
            const std::optional<std::int32_t> key = core::parseDrawDate(value);
            if (!key)
                return wrong(arg + " needs a date yyyy-mm-dd or yyyymmdd, not '" + value + "'");
            (arg == "--from" ? options.from : options.to) = key;
        } else {
            if (value.empty())
                return wrong("--html needs a file name");
            html = value;
        }
    }
    if (files.size() != 1)
        return wrong("give one data file");
    if (options.from && options.to && *options.from > *options.to)
        return wrong("--from must not come after --to");

    TerminalUi ui(call.out, call.err);
    const std::optional<core::Report> report = core::makeReport(files.front(), options, ui);
    if (!report)
        return 1;
    if (html && !core::writeReportPage(*html, files.front(), core::reportHtml(*report), ui))
        return 1;
    if (json)
        call.out << core::reportJson(*report);
    else if (html)
        call.out << *html << '\n';
    else
        call.out << core::reportText(*report);
    return 0;
}

} // namespace corvane::cli

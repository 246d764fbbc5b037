#include "cli.h"

#include "commands.h"

#include "core/text/numbers.h"

#include <algorithm>
#include <string_view>

namespace corvane::cli {

std::optional<std::uint64_t> parseWholeArgument(
    const std::string& text, std::uint64_t low, std::uint64_t high)
{
    if (text.empty() || text.size() > 19 || !std::all_of(text.begin(), text.end(), core::isDigit))
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text)
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> parseIntArgument(const std::string& text, int low, int high)
{
    const auto value = parseWholeArgument(
        text, static_cast<std::uint64_t>(low), static_cast<std::uint64_t>(high));
    if (!value)
        return std::nullopt;
    return static_cast<int>(*value);
}

namespace {

struct Command
{
    std::string_view name;
    int (*run)(const Invocation&);
};

constexpr Command kCommands[] = {
    {"predict", predictCommand},
    {"name", nameCommand},
    {"catalogue", catalogueCommand},
    {"backtest", backtestCommand},
    {"freq", freqCommand},
    {"blank", blankCommand},
    {"import", importCommand},
    {"report", reportCommand},
    {"check", checkCommand},
    {"wheel", wheelCommand},
#ifdef CORVANE_CLI_UPDATE
    {"update", updateCommand},
#endif
};

constexpr const char* kUsageText
    = "usage: corvane-cli <command> [arguments]\n"
      "\n"
      "commands:\n"
      "  predict regress FILE   the nonlinear regression method on FILE\n"
      "  predict fuzzy FILE     the fuzzy period method on FILE\n"
      "  name FILENAME          the display name of a data-file name\n"
      "  catalogue              every lottery of the catalogue, tab-separated: kind, region,\n"
      "                         name, data file, and the draws that file beside the program\n"
      "                         holds (\"no history\" when none)\n"
      "  backtest regress|fuzzy FILE [--draws N] [--numbers K] [--pool M] [--csv]\n"
      "                         how the method would have done on the last N draws of FILE\n"
      "                         (default 200), against random tickets of K numbers out of\n"
      "                         1..M (default: the numbers per draw and the largest number\n"
      "                         of FILE); --csv prints one line per tested draw\n"
      "  freq FILE FROM TO [--all]\n"
      "                         how often each number was drawn from FROM to TO, dates\n"
      "                         written yy-M-d (02-1-5 is 5 January 2002); --all, only\n"
      "                         as the last argument, adds a line per draw of the period;\n"
      "                         as the window, it reads the last 490 draws of a longer file\n"
      "  blank FILENAME         the text of the catalogue's data file FILENAME before it holds\n"
      "                         any draw: comment lines that say how to fill it\n"
      "  blank --into DIR FILENAME...\n"
      "                         writes that text into DIR/FILENAME for each FILENAME\n"
      "  import SOURCE [--into DATAFILE] [--draw NAME] [--from DATE] [--to DATE]\n"
      "         [--by-draw-number]\n"
      "                         convert an operator's results download into a data file,\n"
      "                         printed or merged into DATAFILE; --draw picks draws of a row\n"
      "                         (\"Evening\", \"Midday Win 4\"), --from/--to (yyyymmdd) a period,\n"
      "                         --by-draw-number orders the draws of a date by draw number\n"
      "  report FILE [--numbers K] [--pool M] [--from DATE] [--to DATE] [--json] [--html OUT]\n"
      "                         every statistic of FILE and both methods' backtests, each\n"
      "                         beside what fair draws give; dates yyyy-mm-dd or yyyymmdd;\n"
      "                         without --from and --pool only the latest era of the matrix;\n"
      "                         --json prints the figures as JSON; --html writes OUT, one\n"
      "                         self-contained page, and prints its path (with --json, the JSON)\n"
      "  check FILE TICKETS [--numbers K] [--bonus] [--from DATE] [--to DATE] [--json]\n"
      "                         how often each ticket of TICKETS (one a line) matched 0, 1, ...\n"
      "                         K of the first K numbers of each draw of FILE, beside a fair\n"
      "                         draw, and its best draws; --bonus also counts the number after\n"
      "                         them; dates yyyy-mm-dd or yyyymmdd; --json prints one JSON\n"
      "                         object\n"
      "  wheel verify TICKETS --pool V --guarantee T --if M\n"
      "                         checks on every set of M of the numbers 1..V that some ticket\n"
      "                         matches at least T of them (exit 0 when it holds, 1 when not,\n"
      "                         2 when it cannot be checked)\n"
      "  wheel make --pool V --ticket K --guarantee T --if M [--seed S] [--seconds N]\n"
      "                         a small wheel of tickets of K numbers with that guarantee, one\n"
      "                         ticket a line, searched for N seconds (default 10) and checked\n"
#ifdef CORVANE_CLI_UPDATE
      "  update FILENAME        fetch the catalogue's data file FILENAME from the data server\n"
      "                         (the environment variable CORVANE_DATA_SERVER, or the built-in\n"
      "                         address) into the executable's directory\n"
#endif
    ;

} // namespace

int run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
    std::ostream& err)
{
    if (!args.empty()) {
        for (const Command& command : kCommands) {
            if (args.front() == command.name) {
                const Invocation call {{args.begin() + 1, args.end()}, environment, out, err};
                const int status = command.run(call);
                if (status == kRefused)
                    return kUsage;
                if (status != kUsage)
                    return status;
                break;
            }
        }
    }
    err << kUsageText;
    return kUsage;
}

} // namespace corvane::cli

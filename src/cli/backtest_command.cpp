#include "commands.h"
#include "terminal_ui.h"

#include "core/backtest/backtest.h"
#include "core/backtest/report.h"
#include "core/text/numbers.h"

#include <optional>
#include <string>

namespace corvane::cli {

namespace {

struct Option
{
    const char* name;
    int low;
    int high;
    const char* what;
};

constexpr Option kDraws {"--draws", 1, 999999999, "a whole number of draws, at least 1"};
constexpr Option kNumbers {"--numbers", 1, core::kMaxNumbers, "a whole number from 1 to 49"};
constexpr Option kPool {"--pool", 2, core::kMaxPool, "a whole number from 2 to 1000"};

} // namespace

int backtestCommand(const Invocation& call)
{
    core::BacktestOptions options;
    bool csv = false;
    bool drawsGiven = false;
    std::vector<std::string> positional;
    const auto wrong = [&](const std::string& why) {
        call.err << "corvane-cli backtest: " << why << "\n\n";
        return kUsage;
    };

    for (std::size_t i = 0; i < call.args.size(); ++i) {
        const std::string& arg = call.args[i];
        if (arg == "--csv") {
            if (csv)
                return wrong("--csv is given twice");
            csv = true;
            continue;
        }
        const Option* option = nullptr;
        for (const Option* o : {&kDraws, &kNumbers, &kPool}) {
            if (arg == o->name)
                option = o;
        }
        if (!option) {
            if (arg.size() > 1 && arg[0] == '-')
                return wrong("unknown option " + arg);
            positional.push_back(arg);
            continue;
        }
        if (i + 1 >= call.args.size())
            return wrong(std::string(option->name) + " needs " + option->what);
        const std::optional<int> value
            = parseIntArgument(call.args[++i], option->low, option->high);
        if (!value)
            return wrong(std::string(option->name) + " needs " + option->what + ", not '"
                + call.args[i] + "'");
        const bool twice = option == &kDraws ? drawsGiven
            : option == &kNumbers            ? options.numbers.has_value()
                                             : options.pool.has_value();
        if (twice)
            return wrong(std::string(option->name) + " is given twice");
        if (option == &kDraws) {
            options.draws = *value;
            drawsGiven = true;
        } else if (option == &kNumbers) {
            options.numbers = *value;
        } else {
            options.pool = *value;
        }
    }

    if (positional.size() != 2)
        return wrong("give a method (regress or fuzzy) and a data file");
    if (positional[0] == "regress")
        options.method = core::BacktestMethod::Regress;
    else if (positional[0] == "fuzzy")
        options.method = core::BacktestMethod::Fuzzy;
    else
        return wrong("the method is regress or fuzzy, not '" + positional[0] + "'");
    if (options.numbers && options.pool && *options.numbers >= *options.pool)
        return wrong("--pool must be larger than --numbers");

    TerminalUi ui(call.out, call.err);
    const std::optional<core::BacktestRun> run = core::backtest(positional[1], options, ui);
    if (!run)
        return 1;
    call.out << (csv ? core::backtestCsv(*run) : core::backtestReport(*run));
    return 0;
}

} // namespace corvane::cli

#include "commands.h"
#include "terminal_ui.h"

#include "core/stats/frequency.h"

#include <memory>

namespace corvane::cli {

namespace {

void writeLine(std::ostream& out, const std::vector<std::string>& cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out << '\t';
        out << cells[i];
    }
    out << '\n';
}

} // namespace

int freqCommand(const Invocation& call)
{
    // "--all" counts only in the last place.
    const bool showAll = call.args.size() == 4 && call.args[3] == "--all";
    if (call.args.size() != 3 && !showAll)
        return kUsage;
    // The dialogs' pickers can only hold real dates; a date in another form would be read as
    // some other day without a word.
    for (const std::string* date : {&call.args[1], &call.args[2]}) {
        if (!core::frequency::isdatetext(*date)) {
            call.err << "corvane-cli freq: \"" << *date
                     << "\" is not a date written yy-M-d, such as 02-1-5\n\n";
            return kUsage;
        }
    }
    TerminalUi ui(call.out, call.err);
    auto engine = std::make_unique<core::frequency>();
    engine->m_path = call.args[0];
    const auto list = engine->show(call.args[1], call.args[2], showAll, ui);
    if (!list)
        return 1;
    writeLine(call.out, list->header);
    for (const auto& row : list->rows)
        writeLine(call.out, row);
    return 0;
}

} // namespace corvane::cli

#include "commands.h"
#include "terminal_ui.h"

#include "core/predict/fuzzy.h"
#include "core/predict/regress.h"

#include <memory>

namespace corvane::cli {

int predictCommand(const Invocation& call)
{
    if (call.args.size() != 2)
        return kUsage;
    const std::string& method = call.args[0];
    const std::string& file = call.args[1];
    TerminalUi ui(call.out, call.err);
    if (method == "regress") {
        auto method = std::make_unique<core::regress>();
        method->dojob(file, ui);
    } else if (method == "fuzzy") {
        auto method = std::make_unique<core::fuzzy>();
        method->dofuzzy(file, ui);
    } else {
        return kUsage;
    }
    return ui.refused() ? 1 : 0;
}

} // namespace corvane::cli

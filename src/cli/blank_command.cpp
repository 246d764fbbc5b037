#include "commands.h"

#include "core/catalogue/blank_history.h"
#include "core/catalogue/catalogue.h"
#include "core/io/files.h"

#include <algorithm>

namespace corvane::cli {

int blankCommand(const Invocation& call)
{
    std::vector<std::string> names;
    std::string into;
    for (std::size_t i = 0; i < call.args.size(); ++i) {
        if (call.args[i] == "--into") {
            if (++i == call.args.size() || !into.empty())
                return kUsage;
            into = call.args[i];
        } else {
            names.push_back(call.args[i]);
        }
    }
    if (names.empty() || (into.empty() && names.size() != 1))
        return kUsage;

    const std::vector<std::string> known = core::catalogueFileNames();
    for (const std::string& name : names) {
        const bool inCatalogue = std::any_of(known.begin(), known.end(),
            [&](const std::string& file) { return core::equalsNoCase(file, name); });
        if (!inCatalogue) {
            call.err << "\"" << name << "\" is no data-file name of the catalogue.\n";
            return 1;
        }
    }
    if (into.empty()) {
        call.out << core::blankHistoryText(names.front());
        return 0;
    }
    // Never over a file that is there: it may hold the user's draws.
    for (const std::string& name : names) {
        const std::string path = core::joinPath(into, name);
        if (core::isRegularFile(path)) {
            call.err << path << " is there already; it was left as it is"
                     << (names.size() > 1 ? ", and no other file was written.\n" : ".\n");
            return 1;
        }
    }
    for (const std::string& name : names) {
        const std::string path = core::joinPath(into, name);
        if (!core::writeFileAtomically(path, core::blankHistoryText(name))) {
            call.err << "Cannot write " << path << ".\n";
            return 1;
        }
    }
    return 0;
}

} // namespace corvane::cli

#include "commands.h"

#include "core/importer/import.h"
#include "core/importer/merge.h"
#include "core/text/textcodec.h"

#include <optional>
#include <string>

namespace corvane::cli {

namespace {

namespace importer = core::importer;

bool takeDate(const std::string& text, importer::DateKey& key, std::ostream& err)
{
    const auto parsed = importer::parseDateArgument(text);
    if (!parsed) {
        err << "not a date: " << text << " (write yyyymmdd or yyyy-mm-dd)\n";
        return false;
    }
    key = *parsed;
    return true;
}

} // namespace

int importCommand(const Invocation& call)
{
    importer::ImportOptions options;
    options.today = importer::todayKey();
    std::optional<std::string> source, into;
    const auto& args = call.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--by-draw-number") {
            options.byDrawNumber = true;
        } else if (arg == "--into" && hasValue && !into) {
            into = args[++i];
        } else if (arg == "--draw" && hasValue && options.draw.empty() && !args[i + 1].empty()) {
            options.draw = args[++i];
        } else if (arg == "--from" && hasValue && options.from == 0) {
            if (!takeDate(args[++i], options.from, call.err))
                return kUsage;
        } else if (arg == "--to" && hasValue && options.to == 0) {
            if (!takeDate(args[++i], options.to, call.err))
                return kUsage;
        } else if (arg.rfind("--", 0) != 0 && !source && !arg.empty()) {
            source = arg;
        } else {
            return kUsage;
        }
    }
    if (!source)
        return kUsage;

    const importer::ImportResult result = importer::importResults(*source, options);
    call.err << importer::skipSummary(result);
    if (!result.ok()) {
        call.err << result.error << '\n';
        return 1;
    }

    if (!into) {
        const std::string history = importer::formatHistory(result.draws);
        call.out << history;
        if (history.size() > core::TextCodec::kMaxBytes) {
            call.err << "Note: the history is " << history.size()
                     << " characters; Corvane opens data files of at most "
                     << core::TextCodec::kMaxBytes << ".\n";
        }
        return 0;
    }

    const importer::MergeOutcome merged = importer::mergeIntoFile(*into, result.draws);
    if (!merged.error.empty()) {
        call.err << merged.error << '\n';
        return 1;
    }
    const importer::MergePlan& plan = merged.plan;
    if (merged.written) {
        call.out << "Added " << plan.appended << (plan.appended == 1 ? " draw" : " draws") << " to "
                 << *into << " (" << importer::formatDate(plan.firstAppended) << " .. "
                 << importer::formatDate(plan.lastAppended) << "); " << plan.agreeing
                 << " were there already.\n";
    } else {
        call.out << *into << " has every draw of " << *source << " already: nothing was written.\n";
    }
    if (plan.notInFile > 0) {
        call.err << "Note: " << plan.notInFile << " draws of " << *source
                 << " fall on dates before the last draw of " << *into
                 << " that it has no draw of; they were not added.\n";
    }
    return 0;
}

} // namespace corvane::cli

#include "commands.h"

#include "core/catalogue/catalogue.h"
#include "core/io/files.h"
#include "core/predict/history.h"

#include <map>

namespace corvane::cli {

int nameCommand(const Invocation& call)
{
    if (call.args.size() != 1)
        return kUsage;
    call.out << core::getlottoname(call.args[0]) << '\n';
    return 0;
}

namespace {

// What the data file beside the program holds: its draws, or "no history" for a file with
// none (the comment lines shipped for a lottery without a public source) or no file at all.
std::string historyColumn(const std::string& dir, const std::string& file)
{
    const std::optional<std::size_t> draws = core::countDataLines(core::joinPath(dir, file));
    if (!draws || *draws == 0)
        return "no history";
    return std::to_string(*draws) + (*draws == 1 ? " draw" : " draws");
}

} // namespace

int catalogueCommand(const Invocation& call)
{
    if (!call.args.empty())
        return kUsage;
    const struct
    {
        core::CatalogueKind kind;
        const char* label;
    } kinds[] = {{core::CatalogueKind::UnitedStates, "United States"},
        {core::CatalogueKind::OtherCountries, "Other States"}};
    // Several regions share a data file; each is read once.
    std::map<std::string, std::string> history;
    for (const auto& kind : kinds) {
        for (const core::Region& region : core::catalogue(kind.kind)) {
            if (region.lotteries.empty())
                call.out << kind.label << '\t' << region.name << "\t\t\t\n";
            for (const core::Lottery& lottery : region.lotteries) {
                const std::string file(lottery.file);
                auto known = history.find(file);
                if (known == history.end())
                    known
                        = history.emplace(file, historyColumn(call.environment.executableDir, file))
                              .first;
                call.out << kind.label << '\t' << region.name << '\t' << lottery.name << '\t'
                         << file << '\t' << known->second << '\n';
            }
        }
    }
    return 0;
}

} // namespace corvane::cli

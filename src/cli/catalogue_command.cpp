#include "commands.h"

#include "core/catalogue/catalogue.h"
#include "core/io/files.h"
#include "core/predict/regress.h"

#include <map>
#include <memory>

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
// The table's own counting pass decides what a data line is, as every load does.
std::string historyColumn(core::regress& table, const std::string& dir, const std::string& file)
{
    if (!table.countlines(core::joinPath(dir, file)) || table.datalines == 0)
        return "no history";
    return std::to_string(table.datalines) + (table.datalines == 1 ? " draw" : " draws");
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
    const auto table = std::make_unique<core::regress>();
    for (const auto& kind : kinds) {
        for (const core::Region& region : core::catalogue(kind.kind)) {
            if (region.lotteries.empty())
                call.out << kind.label << '\t' << region.name << "\t\t\t\n";
            for (const core::Lottery& lottery : region.lotteries) {
                const std::string file(lottery.file);
                auto known = history.find(file);
                if (known == history.end())
                    known = history
                                .emplace(file,
                                    historyColumn(*table, call.environment.executableDir, file))
                                .first;
                call.out << kind.label << '\t' << region.name << '\t' << lottery.name << '\t'
                         << file << '\t' << known->second << '\n';
            }
        }
    }
    return 0;
}

} // namespace corvane::cli

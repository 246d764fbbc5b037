#include "commands.h"

#include "core/catalogue/catalogue.h"

namespace corvane::cli {

int nameCommand(const Invocation& call)
{
    if (call.args.size() != 1)
        return kUsage;
    call.out << core::getlottoname(call.args[0]) << '\n';
    return 0;
}

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
    for (const auto& kind : kinds) {
        for (const core::Region& region : core::catalogue(kind.kind)) {
            if (region.lotteries.empty())
                call.out << kind.label << '\t' << region.name << "\t\t\n";
            for (const core::Lottery& lottery : region.lotteries)
                call.out << kind.label << '\t' << region.name << '\t' << lottery.name << '\t'
                         << lottery.file << '\n';
        }
    }
    return 0;
}

} // namespace corvane::cli

#include "core/catalogue/catalogue.h"

namespace corvane::core {

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

const Region* findRegion(CatalogueKind kind, std::string_view name)
{
    for (const Region& region : catalogue(kind)) {
        if (equalsNoCase(region.name, name))
            return &region;
    }
    return nullptr;
}

std::optional<std::string_view> dataFileOf(CatalogueKind kind, std::string_view name)
{
    for (const Region& region : catalogue(kind)) {
        for (const Lottery& lottery : region.lotteries) {
            if (equalsNoCase(lottery.name, name))
                return lottery.file;
        }
    }
    return std::nullopt;
}

std::string getlottoname(std::string_view fileName)
{
    std::string result;
    bool found = false;
    for (const Region& region : catalogue(CatalogueKind::OtherCountries)) {
        for (const Lottery& lottery : region.lotteries) {
            if (!found && equalsNoCase(lottery.file, fileName)) {
                result = lottery.name;
                found = true;
            }
        }
    }
    for (const Region& region : catalogue(CatalogueKind::UnitedStates)) {
        for (const Lottery& lottery : region.lotteries) {
            if (equalsNoCase(lottery.file, fileName))
                result = lottery.name;
        }
    }
    return result.empty() ? std::string(fileName) : result;
}

} // namespace corvane::core

#include "core/catalogue/blank_history.h"

#include "core/catalogue/catalogue.h"

#include <algorithm>

namespace corvane::core {

std::vector<std::string> catalogueFileNames()
{
    std::vector<std::string> names;
    for (CatalogueKind kind : {CatalogueKind::UnitedStates, CatalogueKind::OtherCountries}) {
        for (const Region& region : catalogue(kind)) {
            for (const Lottery& lottery : region.lotteries) {
                const bool seen = std::any_of(names.begin(), names.end(),
                    [&](const std::string& name) { return equalsNoCase(name, lottery.file); });
                if (!seen)
                    names.emplace_back(lottery.file);
            }
        }
    }
    return names;
}

std::string blankHistoryText(std::string_view fileName)
{
    const std::string file(fileName);
    // Every line starts with "#": the example draw too, so that the file holds no draw until
    // the user types one.
    std::string text;
    auto line = [&text](const std::string& s) { text += s + "\r\n"; };
    line("# " + getlottoname(file) + " (" + file
        + "): no draw history ships with Corvane for this lottery.");
    line("# To fill it, type its draws below these lines, oldest first, one draw a line:");
    line("# the date as yyyymmdd, then the numbers drawn, separated by spaces, such as");
    line("#   20240106 3 11 20 27 38 45        (without the #)");
    line("# then save the file (File, Save).");
    line("# Or bring in the lottery's own results download (the README tells how):");
    line("#   corvane-cli import RESULTS-FILE --into " + file);
    line("# Or press \"Update Online\" in \"Open Lottory Data\" where a data server holds it.");
    line("# The predictions and statistics need at least 16 draws.");
    return text;
}

} // namespace corvane::core

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

/// One lottery of the catalogue: the name shown on screen and the bare name of its data file.
struct Lottery
{
    std::string_view name;
    std::string_view file;
};

/// A region of a catalogue with its lotteries, possibly none, in catalogue order.
struct Region
{
    std::string_view name;
    std::vector<Lottery> lotteries;
};

enum class CatalogueKind {
    /// The 52 regions of the United States.
    UnitedStates,
    /// The 15 other countries.
    OtherCountries,
};

/// The regions of a catalogue in catalogue order (never sorted).
const std::vector<Region>& catalogue(CatalogueKind kind);

/// The region of a catalogue whose name equals name, ignoring case; null when there is none.
const Region* findRegion(CatalogueKind kind, std::string_view name);

/// The data file of the first lottery of the catalogue whose display name equals name (whole
/// string, ignoring case); nothing when no lottery of that catalogue has that name.
std::optional<std::string_view> dataFileOf(CatalogueKind kind, std::string_view name);

/// The display name of a bare data-file name (no directory), ignoring case: the first match
/// among the other countries, replaced by every later match among the United States, whose
/// last match therefore wins. A name in neither catalogue comes back unchanged.
std::string getlottoname(std::string_view fileName);

/// True when a and b are equal, ignoring the case of ASCII letters.
bool equalsNoCase(std::string_view a, std::string_view b);

} // namespace corvane::core

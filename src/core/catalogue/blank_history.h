#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

/// Every data-file name of both catalogues, once each, in catalogue order (the United States
/// first), as the catalogue spells it.
std::vector<std::string> catalogueFileNames();

/// The text of a data file that holds no draws yet: a few comment lines (none begins with a
/// digit, so every reader of the format ignores them) that name the lottery (getlottoname) and
/// fileName, and tell how to fill it. Single-byte text with CR LF line ends, under 12 lines.
std::string blankHistoryText(std::string_view fileName);

} // namespace corvane::core

#pragma once

#include "core/analysis/report.h"

#include <string>

namespace corvane::core {

/// The report as plain text for a terminal: the notice, the period, then one section a part
/// (headline, the definitions of its figures, its tables), lines wrapped at 100 columns. LF
/// line ends.
std::string reportText(const Report& report);

/// The same figures as one JSON object (UTF-8, LF at the end): the keys "draws", "numbers",
/// "pool", "from", "to", "frequency" {"counts", "chi2", "chi2_corrected", "df", "p", …},
/// "gaps", "pairs", "shape", "methods", "tests", with each section's "headline" and
/// "definitions". Doubles are written as the shortest text that reads back as the same value.
std::string reportJson(const Report& report);

} // namespace corvane::core

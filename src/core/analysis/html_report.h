#pragma once

#include "core/analysis/report.h"

#include <string>
#include <string_view>

namespace corvane::core {

class Ui;

/// The report as one self-contained HTML page (UTF-8): inline CSS and inline SVG charts,
/// no script and no reference to any other file or address, readable offline and printable.
/// Charts: the counts of the numbers with the band fair draws give 95% of them, the completed
/// gaps against their geometric law, and each method's hits against a random ticket's.
std::string reportHtml(const Report& report);

/// Writes page to path, safely (a temporary file renamed over it). Refuses, with a message
/// through ui, to write over the data file itself or over an existing file that is not an HTML
/// page, so a wrong argument never replaces a history by a page. False after a message.
bool writeReportPage(
    const std::string& path, const std::string& dataPath, std::string_view page, Ui& ui);

} // namespace corvane::core

#pragma once

#include "core/analysis/report.h"

#include <string>

namespace corvane::core {

// The report page's charts as inline SVG elements: vector drawings, so they stay sharp at any
// density and in print. Colours are told apart by shape too (a dot over a count outside the
// band, diamonds for what fair draws give), so a grey print keeps them apart.

/// Each number's count as a bar, with the band of expected ± 1.96 standard deviations where
/// fair draws put 95% of the counts, and the expected count as a dashed line.
std::string frequencyChart(const Report& report);

/// The completed gaps (draws between two draws of a number, all numbers together) as shares,
/// beside the geometric law q (1 - q)^g that fair draws give them; the longest gaps share
/// one last bar.
std::string gapChart(const Report& report);

/// The draws with 0, 1, 2 … hits of a method beside the draws a random ticket would give.
std::string hitChart(const MethodFigures& method);

} // namespace corvane::core

#pragma once

#include "core/backtest/backtest.h"

#include <string>

namespace corvane::core {

/// The heading of a method's prediction report: "Nonlinear Regress Method" or "Fuzzy Period
/// Method".
std::string methodName(BacktestMethod method);

/// The backtest told in plain text for a player: the file and lottery, the method, what was
/// tested, mean hits against random play with z and p, the table of hit counts, mean exact,
/// one sentence on how the method did and one on why no method can do better. LF line ends.
std::string backtestReport(const BacktestRun& run);

/// One line per tested draw after a header: key, the K ticket numbers (empty for a "?"), hits
/// and exact, separated by commas. LF line ends.
std::string backtestCsv(const BacktestRun& run);

} // namespace corvane::core

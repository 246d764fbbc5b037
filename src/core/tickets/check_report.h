#pragma once

#include "core/tickets/check.h"

#include <string>

namespace corvane::core {

/// The check told in plain text: the file, the period and what counts as a match, then for
/// every ticket its draws by numbers matched beside what a fair draw gives, and its best
/// draws; last, one sentence on what past matches say about the next draw. LF line ends.
std::string checkReport(const CheckRun& run);

/// The same as one JSON object: {"file", "lottery", "draws", "first", "last", "numbers",
/// "bonus", "pool": [low, high], "tickets": [{"line", "numbers", "matches": {"0": n0, ...},
/// "fair": {...}, ("withBonus", "fairWithBonus" with the bonus), "bestMatched", "bestDraws",
/// "best": [{"date", "matched", "bonus"}, ...]}, ...]}. Ends with LF.
std::string checkJson(const CheckRun& run);

} // namespace corvane::core

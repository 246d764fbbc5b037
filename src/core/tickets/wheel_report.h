#pragma once

#include "core/tickets/wheel.h"
#include "core/tickets/wheel_make.h"

#include <string>

namespace corvane::core {

/// One paragraph on what a wheel's guarantee means in money. LF line ends.
std::string wheelMoneyParagraph();

/// The check of a wheel told in plain text: the wheel, the verdict with the count of sets that
/// break it and the first of them, the share covered, the sets by their best ticket, the
/// matching tickets per level over all sets, and the paragraph on money. LF line ends.
std::string wheelCheckReport(const WheelCheck& check);

/// The tickets of a made wheel, one a line, numbers separated by one space. LF line ends.
std::string wheelTicketLines(const MadeWheel& made);

/// What a make tells beside its tickets: the size, the lower bound and how far above it, the
/// seed and budget, then the check's report. LF line ends.
std::string wheelMadeReport(const MadeWheel& made, std::uint64_t seed, double seconds);

} // namespace corvane::core

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::core {

/// What a prediction method showed in the result dialog.
struct Prediction
{
    /// The draw key of the most recent draw, after which the prediction is made.
    std::int32_t key = 0;
    /// One predicted number per number column; none where the method found nothing to predict.
    std::vector<std::optional<std::int32_t>> numbers;
    /// The result dialog's caption and text.
    std::string title;
    std::string text;
};

/// The result dialog's caption for a lottery: its display name and the program's name.
std::string resultTitle(const std::string& displayName);

/// The first line of a prediction report, naming the lottery.
std::string reportLotteryLine(const std::string& displayName);

} // namespace corvane::core

#include "core/predict/prediction.h"

namespace corvane::core {

std::string resultTitle(const std::string& displayName)
{
    return displayName + "--Corvane For Windows";
}

std::string reportLotteryLine(const std::string& displayName)
{
    return "   The '" + displayName + "' Lottery \r\n";
}

} // namespace corvane::core

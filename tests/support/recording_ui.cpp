#include "recording_ui.h"

namespace corvane::test {

void RecordingUi::messageBox(const std::string& text)
{
    messages.push_back(text);
}

void RecordingUi::showResult(const std::string& title, const std::string& text)
{
    results.push_back({title, text});
}

} // namespace corvane::test

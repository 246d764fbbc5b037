#pragma once

#include "core/ui/ui.h"

#include <string>
#include <vector>

namespace corvane::test {

/// Records what the core shows instead of showing it.
class RecordingUi : public core::Ui
{
public:
    struct Result
    {
        std::string title;
        std::string text;
    };

    void messageBox(const std::string& text) override;
    void showResult(const std::string& title, const std::string& text) override;

    std::vector<std::string> messages;
    std::vector<Result> results;
};

} // namespace corvane::test

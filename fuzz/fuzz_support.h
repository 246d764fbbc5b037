#pragma once

#include "core/ui/ui.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include <cstdlib>
#include <unistd.h>

namespace corvane::fuzz {

/// Swallows what the core would show.
class NullUi : public core::Ui
{
public:
    void messageBox(const std::string& text) override { last = text; }
    void showResult(const std::string& title, const std::string& text) override
    {
        last = title + text;
    }
    std::string last;
};

/// A file of this process's own in the temporary folder, rewritten for every input.
inline std::string scratchFile(const char* name, std::string_view bytes)
{
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp ? tmp : "/tmp");
    }();
    const std::string path = folder + "/corvane-fuzz-" + std::to_string(getpid()) + "-" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

} // namespace corvane::fuzz

// What the benchmarks share: a user interface that stays quiet and the draw histories they time.
#pragma once

#include "core/ui/ui.h"

#include <string>

namespace corvane::bench {

/// Counts the messages and keeps the last result instead of showing them.
class SilentUi : public core::Ui
{
public:
    void messageBox(const std::string&) override { ++messages; }
    void showResult(const std::string&, const std::string& text) override { last = text; }
    int messages = 0;
    std::string last;
};

/// count draws of 6 numbers and a bonus, 1 to 49, keyed from 20000101 on, CR LF ends; the same
/// pseudo-random numbers on every machine.
inline std::string keyedDraws(int count)
{
    std::string text;
    unsigned seed = 4242;
    for (int i = 0; i < count; ++i) {
        text += std::to_string(20000101 + i);
        for (int c = 0; c < 7; ++c) {
            seed = seed * 1103515245u + 12345u;
            text += ' ' + std::to_string((seed >> 16) % 49 + 1);
        }
        text += "\r\n";
    }
    return text;
}

} // namespace corvane::bench

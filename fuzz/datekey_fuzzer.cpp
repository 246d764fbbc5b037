// The date pickers' text to draw key conversion, on any text.
#include "core/stats/frequency.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using corvane::core::frequency;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string key = frequency::datekey(text);
    // The key always begins with the century and holds at least year, month and day digits.
    if (key.compare(0, 2, "20") != 0 || key.size() < 4)
        std::abort();
    (void)frequency::pickerkey(text);
    return 0;
}

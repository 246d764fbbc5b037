// Lines read from a file must be the lines split in memory, whatever the bytes.
#include "fuzz_support.h"

#include "core/io/linesource.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane::core;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> expected = splitLines(bytes);
    auto file = openLineFile(corvane::fuzz::scratchFile("lines.txt", bytes));
    if (!file)
        std::abort();
    for (int pass = 0; pass < 2; ++pass) {
        if (!file->rewind())
            std::abort();
        std::size_t i = 0;
        std::string_view line;
        while (file->next(line)) {
            if (i >= expected.size() || line != expected[i])
                std::abort();
            ++i;
        }
        if (i != expected.size() || file->failed())
            std::abort();
    }
    return 0;
}

// The data-file reader under both prediction methods, on any bytes.
#include "fuzz_support.h"

#include "core/io/linesource.h"
#include "core/predict/fuzzy.h"
#include "core/predict/regress.h"

#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane::core;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> lines = splitLines(bytes);
    corvane::fuzz::NullUi ui;

    auto regression = std::make_unique<regress>();
    regression->dojob(std::make_unique<MemoryLines>(lines, lines.size()), "ca649.txt", ui);

    auto pattern = std::make_unique<fuzzy>();
    pattern->dofuzzy(std::make_unique<MemoryLines>(lines, lines.size()), "ca649.txt", ui);
    return 0;
}

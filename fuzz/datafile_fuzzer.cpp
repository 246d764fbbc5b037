// The data-file reader under both prediction methods, on any bytes.
#include "fuzz_support.h"

#include "core/io/linesource.h"
#include "core/predict/fuzzy.h"
#include "core/predict/regress.h"
#include "core/stats/chart.h"
#include "core/stats/frequency.h"

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

    // The period engine and the chart over a period picked from the input's own size.
    auto period = std::make_unique<frequency>();
    period->m_path = corvane::fuzz::scratchFile("period.txt", bytes);
    period->m_showall = size % 2;
    const double from = size % 3 == 0 ? 0.0 : 20020105.0;
    const double to = size % 5 == 0 ? -2147483648.0 : 1e300;
    const std::int32_t span = period->loadperiod(from, to, ui);
    if (span > 0) {
        period->countnumbers(span);
        (void)period->listtexts();
        (void)chartgeometry(*period, 1920, 1080);
        (void)chartgeometry(*period, static_cast<std::int32_t>(size), 170);
    }
    return 0;
}

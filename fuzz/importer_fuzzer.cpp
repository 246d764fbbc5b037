// The importer on any bytes: every layout's reader, the draws it gives, and the merge of those
// draws into a data file made of the same bytes.
#include "core/importer/dates.h"
#include "core/importer/import.h"
#include "core/importer/merge.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane::core::importer;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ImportOptions options;
    options.today = 20261209;
    // The input's own size picks the options, so every option meets every layout.
    options.byDrawNumber = size % 2 == 1;
    if (size % 3 == 1)
        options.draw = "Evening";
    if (size % 5 == 1)
        options.from = 19990101;

    const ImportResult result = importText(bytes, options);
    if (result.ok() == result.draws.empty())
        std::abort();
    DateKey previous = 0;
    for (const Draw& draw : result.draws) {
        const int year = draw.date / 10000, month = draw.date / 100 % 100, day = draw.date % 100;
        if (!isRealDate(year, month, day) || draw.date > options.today || draw.date < previous
            || draw.date < options.from)
            std::abort();
        if (draw.numbers.empty() || draw.numbers.size() > kMaxDrawNumbers)
            std::abort();
        for (const std::int32_t number : draw.numbers) {
            if (number < 0 || number > 999999999)
                std::abort();
        }
        previous = draw.date;
    }
    (void)skipSummary(result);
    const std::string history = formatHistory(result.draws);

    // Merged into a file of the input's bytes, the file keeps them; merged into the history
    // itself, nothing is new and every draw agrees.
    const MergePlan plan = planMerge(bytes, result.draws, "fuzz.txt");
    if (plan.error.empty() && plan.appended > 0 && plan.text.compare(0, size, bytes) != 0)
        std::abort();
    if (!result.draws.empty()) {
        const MergePlan again = planMerge(history, result.draws, "fuzz.txt");
        if (!again.error.empty() || again.appended != 0
            || again.agreeing + again.notInFile != result.draws.size())
            std::abort();
    }
    return 0;
}

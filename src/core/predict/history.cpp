#include "core/predict/history.h"

#include "core/predict/regress.h"
#include "core/ui/ui.h"

namespace corvane::core {

const char* const kNoDataMessage = "Data File Must Has Data!";
const char* const kTooFewLinesMessage = "Data File Must Has At Least 16 Lines Numbers\r\n"
                                        "Each Data Line Must Similar To The Format Described \r\n"
                                        "In Help File, Press F1 To See Help";

bool loadHistory(regress& table, std::unique_ptr<LineSource> source, SkipRule rule, Ui& ui)
{
    if (!source || !table.countlines(std::move(source))) {
        ui.messageBox(kNoDataMessage);
        return false;
    }
    if (table.datalines < kMinimumDataLines) {
        ui.messageBox(kTooFewLinesMessage);
        return false;
    }
    switch (rule) {
    case SkipRule::Latest16:
        table.skiplines = table.datalines > 16 ? table.datalines - 16 : 0;
        break;
    case SkipRule::LongFile:
        table.skiplines = table.datalines > regress::kRows ? table.datalines - 490 : 0;
        break;
    }
    // Every number cell of an earlier load goes, so a shorter line of this load leaves zeros.
    for (int row = 0; row < table.rowsplus1 && row < regress::kRows; ++row) {
        for (int column = 1; column < regress::kColumns; ++column)
            table.table[row][column] = 0.0;
    }
    if (!table.readdata()) {
        ui.messageBox(kNoDataMessage);
        return false;
    }
    // A file that changed between the two passes was not read as one whole.
    if (table.rowsplus1 - 1 != table.datalines - table.skiplines) {
        ui.messageBox(kNoDataMessage);
        return false;
    }
    return true;
}

} // namespace corvane::core

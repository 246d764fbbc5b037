#include "core/predict/history.h"

#include "core/predict/regress.h"
#include "core/text/numbers.h"
#include "core/ui/ui.h"

namespace corvane::core {

const char* const kNoDataMessage = "Data File Must Has Data!";
std::string noNumberCountMessage(const std::string& name)
{
    return "No draw of " + name
        + " can tell how many numbers a draw has: the line ends in something that is not a "
          "number.";
}

const char* const kTooFewLinesMessage = "Data File Must Has At Least 16 Lines Numbers\r\n"
                                        "Each Data Line Must Similar To The Format Described \r\n"
                                        "In Help File, Press F1 To See Help";

std::unique_ptr<regress> loadFileLines(const std::vector<std::string_view>& lines, Ui& ui)
{
    auto table = std::make_unique<regress>();
    if (!loadHistory(
            *table, std::make_unique<MemoryLines>(lines, lines.size()), SkipRule::LongFile, ui))
        return nullptr;
    return table;
}

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

bool isDataLine(std::string_view line)
{
    const std::string_view rest = stripLeadingSpaces(line);
    return !rest.empty() && isDigit(rest.front());
}

DrawReader::DrawReader(double unread)
    : m_table(std::make_unique<regress>())
    , m_line(1)
    , m_unread(unread)
{ }

DrawReader::~DrawReader() = default;

const double* DrawReader::read(std::string_view line)
{
    m_line[0] = line;
    m_table->countlines(std::make_unique<MemoryLines>(m_line, 1));
    m_table->skiplines = 0;
    for (int column = 0; column < regress::kColumns; ++column)
        m_table->table[0][column] = m_unread;
    m_table->readdata();
    return m_table->table[0];
}

} // namespace corvane::core

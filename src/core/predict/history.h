#pragma once

#include "core/io/linesource.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

class regress;
class Ui;

/// The message for a data file that cannot be opened or read.
extern const char* const kNoDataMessage;
/// The message for a data file of fewer than 16 data lines.
extern const char* const kTooFewLinesMessage;

/// The message for a data file named name whose draws end in something that is not a number,
/// so that no draw tells how many numbers the lottery draws.
std::string noNumberCountMessage(const std::string& name);

/// The fewest data lines a data file must have for any analysis.
constexpr int kMinimumDataLines = 16;

/// Which leading data lines a load skips.
enum class SkipRule {
    /// Exactly the 16 most recent data lines.
    Latest16,
    /// A file of up to 500 data lines whole; a longer one only its last 490 data lines.
    LongFile,
};

/// The calling protocol every analysis follows to load a data file into table: counts the
/// lines of source (null when the file could not be opened), refuses a file that cannot be
/// read or has fewer than 16 data lines with its message through ui, sets skiplines by rule,
/// clears the number cells of a previous load and loads. Returns false after a message.
bool loadHistory(regress& table, std::unique_ptr<LineSource> source, SkipRule rule, Ui& ui);

/// loadHistory with the long-file rule on a file already read into lines: the first step of the
/// command-line analyses. Null after a message.
std::unique_ptr<regress> loadFileLines(const std::vector<std::string_view>& lines, Ui& ui);

/// True for a data line: its first character after the leading spaces is a digit.
bool isDataLine(std::string_view line);

/// Reads one data line at a time with the table's own loading pass, so a line reads exactly as
/// a load stores it, however long the file: for the analyses that look at every draw.
class DrawReader
{
public:
    /// unread: what the cells that a line does not reach hold (0 as after a load's clearing).
    explicit DrawReader(double unread = 0.0);
    ~DrawReader();
    DrawReader(const DrawReader&) = delete;
    DrawReader& operator=(const DrawReader&) = delete;

    /// Columns 0 (the key) to regress::kColumns - 1 of line as the table stores them; valid
    /// until the next call.
    const double* read(std::string_view line);

private:
    std::unique_ptr<regress> m_table;
    std::vector<std::string_view> m_line;
    double m_unread;
};

} // namespace corvane::core

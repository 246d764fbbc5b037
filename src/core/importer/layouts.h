// The layouts of operators' results files, each a reader of one row at a time.
#pragma once

#include "core/importer/import.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core::importer {

/// Where a layout puts what it reads.
class Rows
{
public:
    explicit Rows(ImportResult& result)
        : m_result(result)
    { }

    /// Counts a row that held a draw or should have.
    void count() { ++m_result.rows; }
    /// Keeps a draw, or skips its row when it has no numbers or more than a data line holds.
    void add(Draw draw, std::string_view text);
    void skip(SkipReason reason, std::size_t line, std::string_view text);

private:
    ImportResult& m_result;
};

/// A line of the file with its number (from 1), BOM removed.
struct SampleLine
{
    std::string text;
    std::size_t number = 0;
};

/// One layout of results file. The importer reads the file up to three times: the first
/// non-blank lines to recognise the layout, then, where the layout needs it, every line for
/// survey(), then every line for read().
class Layout
{
public:
    virtual ~Layout() = default;

    /// The layout's name for the user.
    virtual std::string name() const = 0;

    /// True when the file must be surveyed whole before a row can be read.
    virtual bool needsSurvey() const { return false; }
    /// One non-blank line after the header, in the survey pass.
    virtual void survey(std::string_view line, std::size_t number)
    {
        (void)line;
        (void)number;
    }
    /// After the survey: why the file cannot be read as a whole, or nothing.
    virtual std::string settle() { return {}; }

    /// One non-blank line after the header: its draws go to rows, or it is skipped there.
    virtual void read(std::string_view line, std::size_t number, Rows& rows) = 0;

    /// True when read() gives the operator's draw numbers.
    virtual bool hasDrawNumbers() const { return false; }
    /// True when the layout can pick some draws of a row (ImportOptions::draw).
    virtual bool hasDrawChoice() const { return false; }

    /// Lines up to and including this one are titles and headers, no rows.
    std::size_t headerLine = 0;
};

/// A layout of separated rows that hold a date in one column and perhaps the operator's draw
/// number in another.
class SeparatedLayout : public Layout
{
public:
    bool hasDrawNumbers() const override { return m_drawColumn.has_value(); }

    char m_separator = ',';
    std::size_t m_dateColumn = 0;
    std::optional<std::size_t> m_drawColumn;
    /// How a dd/mm/yyyy or mm/dd/yyyy date is read.
    bool m_dayFirst = true;

protected:
    /// Splits a row and reads its date and draw number into a draw without numbers. Nothing
    /// for a blank row, which is not counted, or for a row without a good date, which is
    /// counted and skipped.
    std::optional<Draw> startRow(std::string_view line, std::size_t number, Rows& rows);
    /// A field of the row last split; empty past its end.
    std::string_view field(std::size_t column) const
    {
        return column < m_fields.size() ? m_fields[column] : std::string_view();
    }

    std::vector<std::string_view> m_fields;
};

/// A layout recognised, or why the file cannot be read.
struct Recognised
{
    std::unique_ptr<Layout> layout;
    std::string error;
};

/// Recognises the layout from the first non-blank lines of a file.
Recognised recognise(const std::vector<SampleLine>& sample, const ImportOptions& options);

// The layouts, each given the first non-blank lines. Nothing when the lines are not theirs;
// error set when they are, but the file cannot be read.
std::unique_ptr<Layout> californiaLayout(const std::vector<SampleLine>& sample);
std::unique_ptr<Layout> hungaryLayout(const std::vector<SampleLine>& sample, std::string& error);
std::unique_ptr<Layout> mexicoLayout(const std::vector<SampleLine>& sample, std::string& error);
std::unique_ptr<Layout> newYorkLayout(
    const std::vector<SampleLine>& sample, const std::string& draw, std::string& error);
std::unique_ptr<Layout> texasLayout(const std::vector<SampleLine>& sample, std::string& error);
std::unique_ptr<Layout> genericLayout(const std::vector<SampleLine>& sample, std::string& error);

/// A line as a message quotes it: at most 60 bytes, control bytes as '?'.
std::string quoteLine(std::string_view line);

} // namespace corvane::core::importer

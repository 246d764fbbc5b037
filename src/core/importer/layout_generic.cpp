// Any file separated by commas, semicolons or tabs whose rows hold one date and the numbers,
// with or without a header. With a header, columns that plainly hold no ball (a draw number, a
// jackpot, a multiplier …) are left out by name; columns that hold no number in any row (a game
// name, prizes in "$1,234.00") are left out in every file, and so are a row's date written again
// in parts ("10,13,1995,1995-10-13,…"). Whether nn/nn/yyyy is day or month first is settled once
// for the whole file, by a part above 12.
#include "core/importer/cells.h"
#include "core/importer/layouts.h"

#include <algorithm>
#include <array>

namespace corvane::core::importer {

namespace {

enum class DateName {
    Date, // "Draw Date", "Fecha", "Datum": the draw's date
    NoDate, // a next draw's date, or a jackpot, prize or draw number that reads as yyyymmdd
    Plain, // any other name
};

DateName dateName(std::string_view name, std::string_view value)
{
    const std::vector<std::string> words = nameWords(name);
    const auto has = [&words](const char* word) {
        return std::find(words.begin(), words.end(), word) != words.end();
    };
    if (has("next"))
        return DateName::NoDate;
    for (const char* word : {"date", "fecha", "datum", "data", "d\xC3\xA1tum", "drawdate"}) {
        if (has(word))
            return DateName::Date;
    }
    // Only a plain yyyymmdd can be a number in disguise; "2020-01-01" under "Draw" is a date.
    return parseWhole(value) && isNoBallName(name) ? DateName::NoDate : DateName::Plain;
}

// Whether column holds a date in more than half of the sample's rows from the first one on
// that fill it: a jackpot of 31920526 reads as a date, the jackpots below it mostly do not.
bool holdsDates(
    const std::vector<SampleLine>& sample, std::size_t first, char separator, std::size_t column)
{
    std::vector<std::string_view> fields;
    std::size_t filled = 0, dates = 0;
    for (std::size_t k = first; k < sample.size(); ++k) {
        splitFields(sample[k].text, separator, fields);
        if (column >= fields.size() || fields[column].empty())
            continue;
        ++filled;
        if (parseDateField(fields[column]))
            ++dates;
    }
    return 2 * dates > filled;
}

constexpr std::array<char, 3> kSeparators = {',', ';', '\t'};
// The first lines that choose the separator.
constexpr std::size_t kSeparatorLines = 10;

// The separator that splits the most of the first lines into two fields or more, and then the
// one whose poorest line has the most fields.
std::optional<char> chooseSeparator(const std::vector<SampleLine>& sample)
{
    std::optional<char> best;
    std::size_t bestLines = 0, bestFields = 0;
    std::vector<std::string_view> fields;
    for (const char separator : kSeparators) {
        std::size_t lines = 0, fewest = 0;
        for (std::size_t i = 0; i < sample.size() && i < kSeparatorLines; ++i) {
            splitFields(sample[i].text, separator, fields);
            if (fields.size() < 2)
                continue;
            fewest = lines == 0 ? fields.size() : std::min(fewest, fields.size());
            ++lines;
        }
        if (lines > bestLines || (lines == bestLines && lines > 0 && fewest > bestFields)) {
            best = separator;
            bestLines = lines;
            bestFields = fewest;
        }
    }
    return best;
}

const char* separatorName(char separator)
{
    switch (separator) {
    case ';':
        return "semicolon-separated file";
    case '\t':
        return "tab-separated file";
    default:
        return "comma-separated file";
    }
}

class Generic : public SeparatedLayout
{
public:
    std::vector<std::string> m_names;

    std::string name() const override
    {
        return std::string(separatorName(m_separator))
            + (m_names.empty() ? " without a header" : " with a header");
    }
    bool needsSurvey() const override { return true; }

    void survey(std::string_view line, std::size_t number) override
    {
        if (isBlankRow(line, m_separator))
            return;
        splitFields(line, m_separator, m_fields);
        if (m_fields.size() > m_numbers.size()) {
            m_numbers.resize(m_fields.size(), false);
            m_parts.resize(m_fields.size());
        }
        std::optional<DateField> date;
        if (m_dateColumn < m_fields.size())
            date = parseDateField(m_fields[m_dateColumn]);
        const DateField parts = date.value_or(DateField());
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (i == m_dateColumn || m_fields[i].empty())
                continue;
            m_scratch.clear();
            if (appendNumbers(m_fields[i], m_scratch))
                m_numbers[i] = true;
            if (date)
                m_parts[i].see(parseWhole(m_fields[i]).value_or(-1), parts);
        }
        if (!date || date->order != DateOrder::Slashed)
            return;
        // A part above 12 can only be the day; a date that fits neither way settles nothing.
        const bool firstIsDay = date->first > 12 && date->first <= 31 && date->second <= 12;
        const bool secondIsDay = date->second > 12 && date->second <= 31 && date->first <= 12;
        if (firstIsDay && m_dayFirstLine == 0)
            m_dayFirstLine = number;
        if (secondIsDay && m_monthFirstLine == 0)
            m_monthFirstLine = number;
        if (!firstIsDay && !secondIsDay && date->first != date->second && m_openLine == 0) {
            m_openLine = number;
            m_openText = std::string(m_fields[m_dateColumn]);
        }
    }

    std::string settle() override
    {
        if (m_dayFirstLine != 0 && m_monthFirstLine != 0) {
            return "the dates are written both day first (line " + std::to_string(m_dayFirstLine)
                + ") and month first (line " + std::to_string(m_monthFirstLine)
                + "): the file cannot be read one way";
        }
        if (m_dayFirstLine == 0 && m_monthFirstLine == 0 && m_openLine != 0) {
            return "the dates can be read as dd/mm/yyyy or as mm/dd/yyyy (line "
                + std::to_string(m_openLine) + ": " + m_openText
                + ") and no date of the file has a day above 12 to settle which: it is not "
                  "guessed";
        }
        m_dayFirst = m_dayFirstLine != 0;
        // A column that is the year of its row's date in every row means that the row writes
        // its date out in parts; the month and the day are then no balls either.
        const bool dateInParts = std::any_of(
            m_parts.begin(), m_parts.end(), [](const DatePart& part) { return part.isYear(); });
        for (std::size_t i = 0; i < m_numbers.size(); ++i) {
            if (i == m_dateColumn || !m_numbers[i] || (dateInParts && m_parts[i].isPart()))
                continue;
            const std::string_view name = i < m_names.size() ? m_names[i] : std::string_view();
            if (!m_names.empty() && isDrawNumberName(name) && !m_drawColumn)
                m_drawColumn = i;
            if (m_names.empty() || !isNoBallName(name))
                m_ballColumns.push_back(i);
        }
        return {};
    }

    void read(std::string_view line, std::size_t number, Rows& rows) override
    {
        std::optional<Draw> started = startRow(line, number, rows);
        if (!started)
            return;
        Draw& draw = *started;
        draw.numbers.reserve(m_ballColumns.size());
        for (const std::size_t column : m_ballColumns) {
            const std::string_view text = field(column);
            if (!text.empty() && !appendNumbers(text, draw.numbers)) {
                rows.skip(SkipReason::BadNumber, number, line);
                return;
            }
        }
        rows.add(std::move(draw), line);
    }

private:
    // Which part of its row's date a column repeats in every row that fills it.
    struct DatePart
    {
        bool seen = false;
        bool year = true;
        bool first = true;
        bool second = true;

        // value: -1 for a field that is not one whole number.
        void see(std::int32_t value, const DateField& date)
        {
            seen = true;
            year = year && value == date.year;
            first = first && value == date.first;
            second = second && value == date.second;
        }
        bool isYear() const { return seen && year; }
        bool isPart() const { return seen && (year || first || second); }
    };

    std::vector<std::int32_t> m_scratch;
    std::vector<DatePart> m_parts;
    // Per column: whether some row has numbers there.
    std::vector<bool> m_numbers;
    std::size_t m_dayFirstLine = 0;
    std::size_t m_monthFirstLine = 0;
    std::size_t m_openLine = 0;
    std::string m_openText;
    std::vector<std::size_t> m_ballColumns;
};

} // namespace

std::unique_ptr<Layout> genericLayout(const std::vector<SampleLine>& sample, std::string& error)
{
    const std::optional<char> separator = chooseSeparator(sample);
    if (!separator) {
        error = "the file is in no layout that the importer knows, and it is not separated by "
                "commas, semicolons or tabs";
        return nullptr;
    }
    auto layout = std::make_unique<Generic>();
    layout->m_separator = *separator;
    std::vector<std::string_view> fields;
    std::vector<std::string_view> header;
    for (std::size_t k = 0; k < sample.size(); ++k) {
        splitFields(sample[k].text, *separator, fields);
        const bool named = k > 0 && hasLetter(sample[k - 1].text);
        std::optional<std::size_t> dateColumn;
        bool dated = false;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (!parseDateField(fields[i]) || !holdsDates(sample, k, *separator, i))
                continue;
            dated = true;
            const DateName kind
                = named && i < header.size() ? dateName(header[i], fields[i]) : DateName::Plain;
            if (kind == DateName::Date) {
                dateColumn = i;
                break;
            }
            if (kind == DateName::Plain && !dateColumn)
                dateColumn = i;
        }
        if (dateColumn) {
            if (k > 0) {
                layout->headerLine = sample[k - 1].number;
                if (named)
                    layout->m_names.assign(header.begin(), header.end());
            }
            layout->m_dateColumn = *dateColumn;
            return layout;
        }
        // Only a jackpot or a next draw's date reads as a date: the rows below are alike.
        if (dated)
            break;
        if (fields.size() >= 2)
            header = fields;
    }
    error = std::string("no line of the ") + separatorName(*separator)
        + " holds a date in a known form (yyyy-mm-dd, yyyymmdd, yyyy/mm/dd, mm/dd/yyyy, "
          "dd/mm/yyyy, dd.mm.yyyy, yyyy.mm.dd. or dd-Mon-yyyy)";
    return nullptr;
}

} // namespace corvane::core::importer

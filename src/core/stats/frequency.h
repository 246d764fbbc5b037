#pragma once

#include "core/predict/regress.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

class Ui;

/// The texts of the frequency list: the column headings and the rows, cell by cell.
struct FreqList
{
    /// "Day\Lott", then every number from m_lownum to m_highnum written by "%d".
    std::vector<std::string> header;
    /// One row per shown line: the draw key by "%d", then each number's count by "%4d".
    std::vector<std::vector<std::string>> rows;
};

/// The period engine of the statistics: loads a data file, finds the table rows of a period
/// between two draw keys and counts how many times each number 0..49 was drawn in it. The
/// frequency dialog owns one and shows its list; the distribution chart loads a period with
/// one and draws it.
///
/// Keys are compared as numbers. The period's rows assume ascending keys; for a file whose keys
/// are not ascending the same row rule still applies (the highest row whose key is not above
/// the date), so some period is always found and no index leaves the table.
class frequency
{
public:
    static constexpr int kCountRows = 1000;
    static constexpr int kNumbers = regress::kColumns;

    frequency();
    ~frequency();
    frequency(const frequency&) = delete;
    frequency& operator=(const frequency&) = delete;

    /// m_counts[i][n]: how many times the number n (0..49) was drawn; row 0 holds the period's
    /// totals, or with m_showall 1 row i the counts over the period's first i + 1 draws.
    std::vector<std::array<std::int32_t, kNumbers>> m_counts;
    /// Rows of m_counts that the list shows after the last countnumbers.
    std::int32_t m_shownrows = 0;
    /// Full path of the data file.
    std::string m_path;
    /// "Show All Lines": 0 off, 1 on.
    std::int32_t m_showall = 0;
    /// The draw-history table of the data file, loaded by the long-file rule.
    regress m_history;
    /// Highest number that gets a column: maxnum truncated, at most 49.
    std::int32_t m_highnum = 0;
    /// Lowest number that gets a column: minnum truncated, at least 0.
    std::int32_t m_lownum = 0;
    /// Draw key at which the period starts.
    double m_fromkey = 0;
    /// Draw key at which the period ends.
    double m_tokey = 0;
    /// First table row of the period.
    std::int32_t m_fromrow = 0;
    /// Last table row of the period, never below m_fromrow.
    std::int32_t m_torow = 0;
    /// 1: loadperiod takes m_fromkey and m_tokey as the caller set them; otherwise it reads
    /// them from the picker texts it is given.
    std::int32_t m_presetkeys = 0;

    /// The draw-key text for a date picker's text of the form yy-M-d (or yy-MM-dd): "20" and
    /// the first two characters, the month (the text from its fourth character up to the first
    /// '-' after it), the day (after the last '-'); month and day get a leading '0' when they
    /// are shorter than two characters. "02-1-5" gives "20020105", "99-12-31" "20991231". Any
    /// text gives some key text: where the rest has no '-', month and day are both the whole
    /// rest ("02-5" gives "20020505"); a missing part is "0".
    static std::string datekey(std::string_view text);

    /// The draw key of a picker's text: datekey read as the C library's atof reads it.
    static double pickerkey(std::string_view text);

    /// True when text is a date written as the pickers show it: two digits of the year, '-',
    /// the month in one or two digits, '-', the day in one or two digits, and the day one that
    /// the month has in the year 2000 + yy ("02-1-5", "02-01-05", "24-2-29"; not "2025-01-01",
    /// "02-13-1", "02-2-29", "02-1-5 "). Only such a text gives a key that is a real date.
    static bool isdatetext(std::string_view text);

    /// Loads m_path by the long-file rule and finds the period. The keys are those of the
    /// picker texts fromText and toText, unless m_presetkeys is 1, when m_fromkey and m_tokey
    /// are used as set. Sets m_fromkey, m_tokey, m_fromrow, m_torow, m_lownum, m_highnum and
    /// clears the count rows 0..span. Returns span, the period's length in rows, or 0 after a
    /// refused data file (its message through ui), when nothing but the table changed.
    std::int32_t loadperiod(std::string_view fromText, std::string_view toText, Ui& ui);
    /// The same with the keys given as numbers (they become m_fromkey and m_tokey).
    std::int32_t loadperiod(double fromKey, double toKey, Ui& ui);

    /// Counts the numbers of the period that loadperiod found (span its result) into
    /// m_counts and sets m_shownrows: one row of totals, or with m_showall 1 a row per draw.
    /// A cell counts for n when it equals n exactly; negative, non-whole numbers, numbers
    /// above 49 or below m_lownum count nowhere.
    void countnumbers(std::int32_t span);

    /// The list's texts after countnumbers: the first row is the period's most recent draw.
    FreqList listtexts() const;

    /// What "Show" does: m_showall from showAll, loadperiod with the two picker texts,
    /// countnumbers and the list's texts. Nothing after a refused data file.
    std::optional<FreqList> show(
        std::string_view fromText, std::string_view toText, bool showAll, Ui& ui);

    /// The table's row of the most recent draw (rowsplus1 - 2), within the table.
    std::int32_t lastrow() const;

private:
    std::int32_t findperiod(Ui& ui, bool fromTexts, std::string_view fromText,
        std::string_view toText, double fromKey, double toKey);
    std::int32_t rowof(double key) const;
};

} // namespace corvane::core

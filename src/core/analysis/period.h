#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

class Ui;

/// What to analyse; unset values come from the file.
struct ReportOptions
{
    /// K, the main numbers of a draw: the first K numbers of each line. Default: the file's
    /// numbers per draw.
    std::optional<int> numbers;
    /// M, the count of numbers in the pool. Default: from the data.
    std::optional<int> pool;
    /// The first and last draw keys (yyyymmdd) of the period, both included.
    std::optional<std::int32_t> from;
    std::optional<std::int32_t> to;
};

/// One data line as the data-file format reads it: the key and the numbers up to the first
/// token that does not begin with a digit, at most 49 of them.
struct DrawLine
{
    double key = 0;
    std::vector<double> numbers;
};

/// Reads one data line (leading spaces skipped, tokens split at spaces, each read as atof
/// reads it); nothing for a line that is not a data line.
std::optional<DrawLine> readDrawLine(std::string_view line);

/// The draw key of a date written yyyy-mm-dd or yyyymmdd (a real calendar date of the years
/// 1000 to 9999); nothing for anything else.
std::optional<std::int32_t> parseDrawDate(std::string_view text);

/// A draw key as a date, yyyy-mm-dd; a key that is no eight-digit whole number as it stands.
std::string showDrawKey(double key);

/// Why the draws before a period's first draw were left out without --from.
enum class EraKind {
    /// Nothing was left out.
    None,
    /// They hold fewer than K numbers.
    FewerNumbers,
    /// From the era's first draw on, numbers above the largest number of the draws before
    /// occur: the pool grew.
    Grew,
    /// From the era's first draw on, the numbers above the era's own largest number, which the
    /// draws before held, no longer occur: the pool shrank.
    Shrank,
};

/// Where the data say the lottery's matrix last changed.
struct Era
{
    bool found = false;
    EraKind kind = EraKind::None;
    /// For Grew and Shrank: the largest number before the era and in it.
    int earlierMax = 0;
    int laterMax = 0;
    /// Draws left out before the era: those of fewer than K numbers for FewerNumbers, those
    /// after them and before the change for Grew and Shrank.
    int draws = 0;
    /// Draws of fewer than K numbers left out before all others (within --to).
    int shorterDraws = 0;
    /// The era's first draw key.
    double fromKey = 0;
};

/// The draws a report analyses: N draws of K numbers each, from a pool of M numbers running
/// from `lowest` (1, or 0 for a digit game) to lowest + M - 1.
struct Period
{
    std::string path;
    std::string lottery;
    /// Data lines in the whole file.
    int dataLines = 0;
    int numbers = 0;
    int pool = 0;
    int lowest = 1;
    /// A digit game: the history holds the number 0, and each of the K numbers is drawn on its
    /// own, so a draw can repeat a number. Otherwise a draw is K different numbers.
    bool replacement = false;
    /// The draws, oldest first: keys, and the K numbers of draw i at values[i * K ...].
    std::vector<double> keys;
    std::vector<int> values;
    /// The period's data lines, oldest first; they point into the file's bytes.
    std::vector<std::string_view> lines;
    /// Draws that repeat a number among their first K though the game draws without
    /// replacement (a last number from a separate drum, such as a Powerball).
    int repeatingDraws = 0;
    double firstRepeatKey = 0;
    Era era;

    int draws() const { return static_cast<int>(keys.size()); }
    int highest() const { return lowest + pool - 1; }
    /// Number n of draw i, 0 <= i < draws(), 0 <= c < numbers.
    int at(int i, int c) const
    {
        return values[static_cast<std::size_t>(i) * static_cast<std::size_t>(numbers)
            + static_cast<std::size_t>(c)];
    }
};

/// Chooses the draws of a report from the lines of a data file (bytes split as splitLines
/// splits them; the Period points into them). Refuses, with a message through ui: a file of
/// fewer than 16 data lines (the program's usual message); K larger than a draw of the period;
/// a number that is no whole number, or above the pool; a pool of more than 1000 numbers or not
/// larger than K (without replacement); a period of fewer than 16 draws. Without options.from
/// the period starts after the last draw with fewer than K numbers; without options.from and
/// options.pool it starts at the latest change of the matrix that the data show (see Era).
std::optional<Period> choosePeriod(const std::vector<std::string_view>& lines,
    const std::string& path, const ReportOptions& options, Ui& ui);

/// The first draw of the latest era among draws whose largest numbers are `maxima` (oldest
/// first), K numbers a draw from lowest up. A change splits the draws where numbers above some
/// value lo begin (the pool grew) or end (it shrank): on one side no number is above lo, and
/// for draws from the other side's larger pool that has a chance below 1e-6; on the other side,
/// in the stretch next to the split where the larger pool gives 30 such draws on average (or
/// the whole side when it is shorter), at least 2 and at least half as many as that pool gives
/// hold a number above lo, so a lone wrong number makes no era. The change
/// with the smallest such chance is taken, then the same search runs on the draws after it,
/// until no change is left. Returns 0 when there is none.
int findEraStart(const std::vector<int>& maxima, int numbers, int lowest, bool replacement);

} // namespace corvane::core

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::core::importer {

/// A draw date as the data file writes it: yyyymmdd read as a number.
using DateKey = std::int32_t;

/// The earliest and latest years a draw may have.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;

/// True for a day of the Gregorian calendar from kFirstYear to kLastYear.
bool isRealDate(int year, int month, int day);

/// year * 10000 + month * 100 + day.
constexpr DateKey dateKey(int year, int month, int day)
{
    return year * 10000 + month * 100 + day;
}

/// How a date field was written.
enum class DateOrder : std::uint8_t {
    /// Year first: yyyy-mm-dd, yyyy/mm/dd, yyyy.mm.dd. and yyyymmdd.
    YearMonthDay,
    /// dd.mm.yyyy: the dotted form with the year last is always day first.
    DayMonthYear,
    /// nn/nn/yyyy: dd/mm/yyyy or mm/dd/yyyy, which the file as a whole must settle.
    Slashed,
};

/// The parts of a date field, not yet checked against the calendar. For YearMonthDay, first is
/// the month and second the day; for DayMonthYear the other way round; for Slashed either.
struct DateField
{
    DateOrder order = DateOrder::YearMonthDay;
    int year = 0;
    int first = 0;
    int second = 0;
};

/// Reads a date field in one of the forms yyyy-mm-dd, yyyymmdd, yyyy/mm/dd, yyyy.mm.dd (with or
/// without a last dot), mm/dd/yyyy or dd/mm/yyyy, dd.mm.yyyy (with or without a last dot) and
/// dd-Mon-yyyy ("19-Aug-2026", an English month name or its first three letters). Month and day
/// may have one or two digits, except in yyyymmdd. A time of day may follow after a space or a
/// 'T' ("2010-01-02 00:00:00", "2024-01-02T00:00:00.000", "09/24/2020 12:00:00 AM"). Nothing
/// for any other text, and for yyyymmdd that is not a real date (so a plain number is not taken
/// for a date).
std::optional<DateField> parseDateField(std::string_view text);

/// The key of a field whose order is known; dayFirst settles a Slashed field. Nothing when the
/// parts are not a real date.
std::optional<DateKey> resolveDate(const DateField& field, bool dayFirst);

/// The month 1-12 of an English month name or its first three letters, any case ("Jun").
std::optional<int> monthFromName(std::string_view name);

/// A command-line date: yyyymmdd or yyyy-mm-dd, a real date.
std::optional<DateKey> parseDateArgument(std::string_view text);

/// Today's date on this computer's clock, in local time.
DateKey todayKey();

/// "yyyy-mm-dd" for a key.
std::string formatDate(DateKey key);

} // namespace corvane::core::importer

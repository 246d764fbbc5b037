#include "core/importer/dates.h"

#include "core/importer/cells.h"
#include "core/text/numbers.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <utility>

namespace corvane::core::importer {

namespace {

// The digits at the start of text (at most max of them), and how many there were.
int leadingNumber(std::string_view text, std::size_t max, std::size_t& length)
{
    int value = 0;
    length = 0;
    while (length < text.size() && length < max && isDigit(text[length])) {
        value = value * 10 + (text[length] - '0');
        ++length;
    }
    return value;
}

bool isTimeOfDay(std::string_view text)
{
    if (text.empty() || !isDigit(text.front()))
        return false;
    for (const char c : text) {
        const bool allowed = isDigit(c) || c == ':' || c == '.' || c == ' ' || c == 'A' || c == 'P'
            || c == 'M' || c == 'a' || c == 'p' || c == 'm' || c == 'Z' || c == '+' || c == '-';
        if (!allowed)
            return false;
    }
    return true;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool isRealDate(int year, int month, int day)
{
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
    return day <= last;
}

std::optional<DateField> parseDateField(std::string_view text)
{
    text = trimBlanks(text);
    // A time of day after a space, or after a 'T' between digits (ISO 8601).
    for (std::size_t cut = 1; cut + 1 < text.size(); ++cut) {
        const bool space = text[cut] == ' ';
        if (!space && !(text[cut] == 'T' && isDigit(text[cut - 1])))
            continue;
        if (!isTimeOfDay(text.substr(cut + 1)))
            return std::nullopt;
        text = text.substr(0, cut);
        break;
    }

    // dd-Mon-yyyy ("19-Aug-2026").
    const std::size_t dash = text.find('-');
    if (dash != std::string_view::npos && dash <= 2) {
        const std::size_t second = text.find('-', dash + 1);
        if (second != std::string_view::npos) {
            const auto month = monthFromName(text.substr(dash + 1, second - dash - 1));
            std::size_t dayWidth = 0, yearWidth = 0;
            const int day = leadingNumber(text, 2, dayWidth);
            const int year = leadingNumber(text.substr(second + 1), 4, yearWidth);
            if (month && dayWidth == dash && yearWidth == 4 && second + 5 == text.size())
                return DateField {DateOrder::DayMonthYear, year, day, *month};
            if (month)
                return std::nullopt;
        }
    }

    std::size_t length = 0;
    if (text.size() == 8) {
        const int value = leadingNumber(text, 8, length);
        if (length == 8) {
            DateField field {
                DateOrder::YearMonthDay, value / 10000, value / 100 % 100, value % 100};
            if (!isRealDate(field.year, field.first, field.second))
                return std::nullopt;
            return field;
        }
    }

    // Three groups of digits with the same separator between them, and a last dot where the
    // separator is a dot ("2025.08.29.").
    int parts[3] = {0, 0, 0};
    std::size_t widths[3] = {0, 0, 0};
    char separator = 0;
    std::size_t i = 0;
    for (int k = 0; k < 3; ++k) {
        parts[k] = leadingNumber(text.substr(i), 4, widths[k]);
        if (widths[k] == 0)
            return std::nullopt;
        i += widths[k];
        if (k == 2)
            break;
        if (i >= text.size())
            return std::nullopt;
        const char c = text[i];
        if (c != '-' && c != '/' && c != '.')
            return std::nullopt;
        if (separator != 0 && c != separator)
            return std::nullopt;
        separator = c;
        ++i;
    }
    if (i < text.size() && separator == '.' && text[i] == '.')
        ++i;
    if (i != text.size())
        return std::nullopt;

    if (widths[0] == 4 && widths[1] <= 2 && widths[2] <= 2)
        return DateField {DateOrder::YearMonthDay, parts[0], parts[1], parts[2]};
    if (widths[0] <= 2 && widths[1] <= 2 && widths[2] == 4) {
        if (separator == '/')
            return DateField {DateOrder::Slashed, parts[2], parts[0], parts[1]};
        if (separator == '.')
            return DateField {DateOrder::DayMonthYear, parts[2], parts[0], parts[1]};
    }
    return std::nullopt;
}

std::optional<DateKey> resolveDate(const DateField& field, bool dayFirst)
{
    int month = field.first;
    int day = field.second;
    if (field.order == DateOrder::DayMonthYear || (field.order == DateOrder::Slashed && dayFirst))
        std::swap(month, day);
    if (!isRealDate(field.year, month, day))
        return std::nullopt;
    return dateKey(field.year, month, day);
}

std::optional<int> monthFromName(std::string_view name)
{
    static constexpr std::array<const char*, 12> kMonths = {"january", "february", "march", "april",
        "may", "june", "july", "august", "september", "october", "november", "december"};
    if (name.size() < 3)
        return std::nullopt;
    for (std::size_t m = 0; m < kMonths.size(); ++m) {
        const std::string_view full = kMonths[m];
        if (name.size() != 3 && name.size() != full.size())
            continue;
        bool same = true;
        for (std::size_t k = 0; k < name.size() && same; ++k)
            same = lower(name[k]) == full[k];
        if (same)
            return static_cast<int>(m + 1);
    }
    return std::nullopt;
}

std::optional<DateKey> parseDateArgument(std::string_view text)
{
    const auto field = parseDateField(text);
    if (!field || field->order != DateOrder::YearMonthDay
        || text.find_first_of(" T/.") != std::string_view::npos)
        return std::nullopt;
    return resolveDate(*field, false);
}

DateKey todayKey()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return dateKey(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string formatDate(DateKey key)
{
    char buffer[16];
    const int year = key / 10000;
    const int month = key / 100 % 100;
    const int day = key % 100;
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", year, month, day);
    return buffer;
}

} // namespace corvane::core::importer

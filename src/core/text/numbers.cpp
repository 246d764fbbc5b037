#include "core/text/numbers.h"

#include <charconv>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>

namespace corvane::core {

namespace {

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The power of ten of the leading non-zero digit of a number text that from_chars found out of
// range; only its sign matters (overflow needs about +308, underflow about -324).
std::int64_t leadingExponent(std::string_view number)
{
    constexpr std::int64_t limit = 1'000'000'000;
    std::size_t i = 0;
    std::size_t intDigits = 0;
    while (i < number.size() && isDigit(number[i])) {
        ++intDigits;
        ++i;
    }
    std::int64_t lead = 0;
    const std::size_t firstNonZero = number.substr(0, intDigits).find_first_not_of('0');
    if (firstNonZero != std::string_view::npos) {
        lead = static_cast<std::int64_t>(intDigits - 1 - firstNonZero);
    } else if (i < number.size() && number[i] == '.') {
        ++i;
        std::int64_t zeros = 0;
        while (i < number.size() && number[i] == '0') {
            zeros = zeros < limit ? zeros + 1 : zeros;
            ++i;
        }
        lead = -(zeros + 1);
    }
    const std::size_t e = number.find_first_of("eE");
    if (e != std::string_view::npos) {
        i = e + 1;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            negative = number[i++] == '-';
        std::int64_t exponent = 0;
        while (i < number.size() && isDigit(number[i])) {
            if (exponent < limit)
                exponent = exponent * 10 + (number[i] - '0');
            ++i;
        }
        lead += negative ? -exponent : exponent;
    }
    return lead;
}

} // namespace

double readNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // from_chars reads exactly the decimal pattern of strtod, without sign, hex, inf or nan.
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    if (first == last || !(isDigit(*first) || *first == '.'))
        return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::invalid_argument)
        return 0.0;
    if (error == std::errc::result_out_of_range) {
        const std::string_view number(first, static_cast<std::size_t>(end - first));
        value = leadingExponent(number) >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::int32_t truncToInt(double v)
{
    // Both bounds are exact doubles; NaN fails both comparisons.
    if (!(v > -2147483649.0 && v < 2147483648.0))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

std::string formatInt(std::int32_t v)
{
    return std::to_string(v);
}

std::string formatFixed(double value, int decimals)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::fixed << std::setprecision(decimals) << value;
    return out.str();
}

std::string padLeft(const std::string& text, std::size_t width)
{
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string_view stripLeadingSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view stripSpaces(std::string_view text)
{
    text = stripLeadingSpaces(text);
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string crlfToLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

} // namespace corvane::core

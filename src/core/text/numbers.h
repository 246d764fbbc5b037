#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::core {

/// Reads a number from the start of text in the manner of the C library's atof: leading white
/// space and a sign are accepted, then the longest leading decimal number is taken
/// (digits, an optional fraction, an optional exponent) and the rest is ignored.
///
/// Unlike atof it never depends on the user's locale ('.' is always the decimal point) and it
/// reads no hexadecimal, "inf" or "nan" forms: "0x1A" gives 0. Text without a number gives 0.
/// A value too large for a double gives +/-infinity, one too small gives 0; values in the
/// subnormal range are rounded as the C library rounds them.
double readNumber(std::string_view text);

/// The whole-number part of v, truncated toward zero. NaN and values whose whole-number part
/// lies outside the 32-bit signed range give INT32_MIN (what x86 hardware gives), so the
/// conversion is always defined.
std::int32_t truncToInt(double v);

/// v written as printf's "%d" writes it.
std::string formatInt(std::int32_t v);

/// value with the given number of decimals and '.' as the decimal point, whatever the user's
/// locale: what the program writes is compared and parsed.
std::string formatFixed(double value, int decimals);

/// text with spaces before it up to width characters; longer text stays as it is.
std::string padLeft(const std::string& text, std::size_t width);

/// True for the ten decimal digits only, whatever the locale.
inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

/// text without its leading space characters (code 32 only; a tab is kept).
std::string_view stripLeadingSpaces(std::string_view text);

/// text without its leading and trailing space characters (code 32 only).
std::string_view stripSpaces(std::string_view text);

/// text with every CR LF written as LF.
std::string crlfToLf(std::string_view text);

} // namespace corvane::core

#include "core/analysis/format.h"

#include "core/text/numbers.h"

#include <charconv>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace corvane::core {

namespace {

// Length of the valid UTF-8 sequence at text[i], or 0 when the byte there starts none.
std::size_t utf8Length(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    else
        return 0;
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    const unsigned char second = byte(i + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F)
        || (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 0;
    return length;
}

// Each character of text in turn, as valid UTF-8, through escape(character).
template<typename Escape>
std::string mapUtf8(std::string_view text, Escape escape)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8Length(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        out += escape(text.substr(i, length));
        i += length;
    }
    return out;
}

} // namespace

std::string fixedText(double value, int decimals)
{
    std::string text = formatFixed(value, decimals);
    if (text.find_first_not_of("-0.") == std::string::npos && text.front() == '-')
        text.erase(0, 1);
    return text;
}

std::string signedText(double value, int decimals)
{
    const std::string text = fixedText(value, decimals);
    return text.front() == '-' ? text : "+" + text;
}

std::string chanceText(double p)
{
    if (p == 0)
        return "0";
    if (p >= 0.0001 || std::isnan(p))
        return fixedText(p, 4);
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::setprecision(2) << p;
    return out.str();
}

std::string jsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string jsonString(std::string_view text)
{
    return "\"" + mapUtf8(text, [](std::string_view c) -> std::string {
        const auto byte = static_cast<unsigned char>(c.front());
        if (c == "\"")
            return "\\\"";
        if (c == "\\")
            return "\\\\";
        if (byte == '\n')
            return "\\n";
        if (byte < 0x20 || byte == 0x7F) {
            static const char hex[] = "0123456789abcdef";
            return std::string("\\u00") + hex[byte >> 4] + hex[byte & 15];
        }
        return std::string(c);
    }) + "\"";
}

std::string htmlText(std::string_view text)
{
    return mapUtf8(text, [](std::string_view c) -> std::string {
        switch (c.front()) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\'':
            return "&#39;";
        default:
            break;
        }
        // Control characters other than tab and line ends are not allowed in HTML text.
        const auto byte = static_cast<unsigned char>(c.front());
        if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F)
            return "\xEF\xBF\xBD";
        return std::string(c);
    });
}

} // namespace corvane::core

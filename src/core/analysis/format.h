#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::core {

// Numbers and names as the report's three forms write them, the same in every locale.

/// value with `decimals` digits after the point ("0.7347"); "-0.00" never appears.
std::string fixedText(double value, int decimals);

/// The same with a sign always: "+1.23", "-0.40".
std::string signedText(double value, int decimals);

/// A chance or p-value: four decimals from 0.0001 on ("0.1893"), otherwise two significant
/// digits with an exponent ("3.2e-09"), "0" for 0.
std::string chanceText(double p);

/// A double for JSON: the shortest text that reads back as the same double; "null" for NaN or
/// an infinity, which JSON cannot hold.
std::string jsonNumber(double value);

/// text as a JSON string, quotes included: control characters escaped, invalid UTF-8 bytes
/// replaced by U+FFFD.
std::string jsonString(std::string_view text);

/// text for HTML element content and quoted attribute values: & < > " ' escaped, invalid UTF-8
/// bytes replaced by U+FFFD.
std::string htmlText(std::string_view text);

} // namespace corvane::core

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core::importer {

/// The fields of one line of a separated file. Fields may be quoted with '"': the quotes
/// around a field are dropped (a doubled quote inside stays as it is, which only text fields
/// ever hold), and a separator inside quotes belongs to the field. Spaces and tabs around a
/// field are dropped, unless the tab is the separator. The views point into line.
void splitFields(std::string_view line, char separator, std::vector<std::string_view>& fields);

/// text without leading and trailing spaces and tabs.
std::string_view trimBlanks(std::string_view text);

/// True when text holds nothing but spaces, tabs and the given separator.
bool isBlankRow(std::string_view text, char separator);

/// The largest number the importer takes; anything longer is no lottery number.
constexpr std::int32_t kMaxNumber = 999999999;

/// A plain whole number: one to nine decimal digits, nothing else.
std::optional<std::int32_t> parseWhole(std::string_view text);

/// Appends the whole numbers of a field that holds one or more of them separated by spaces or
/// '|' ("14 19 20", "14|19|20"). False, and out unchanged, when any part is not a plain whole
/// number.
bool appendNumbers(std::string_view field, std::vector<std::int32_t>& out);

/// True when text holds a letter: an ASCII letter, or any byte above 127 (the start or part of
/// a letter in UTF-8 or a single-byte code page).
bool hasLetter(std::string_view text);

/// True when text is well-formed UTF-8 (plain ASCII is).
bool isUtf8(std::string_view text);

/// A column name cut into lower-case words at every character that is neither a letter nor a
/// digit, between a lower-case and an upper-case letter, and between letters and digits:
/// "drawNumber" → draw, number; "Nr_of_5" → nr, of, 5; "NUMBER DRAWN 1" → number, drawn, 1.
/// Bytes above 127 stay inside words.
std::vector<std::string> nameWords(std::string_view name);

/// True for a column name that plainly holds no ball: a draw number, a jackpot or prize, a
/// multiplier or add-on, a count of winners, a weekday or week, a game or product name, and the
/// like (used for files with a header whose layout is not otherwise known).
bool isNoBallName(std::string_view name);

/// True for a column name of a draw number ("Draw", "Draw Number", "DrawNo", "CONCURSO",
/// "SORTEO", "period"), which a file may use to order the draws of one date.
bool isDrawNumberName(std::string_view name);

/// True when a and b are equal letter for letter, ignoring ASCII case and surrounding blanks.
bool sameName(std::string_view a, std::string_view b);

} // namespace corvane::core::importer

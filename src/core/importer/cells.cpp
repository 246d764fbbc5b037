#include "core/importer/cells.h"

#include "core/text/numbers.h"

#include <algorithm>
#include <array>

namespace corvane::core::importer {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLower(char c)
{
    return c >= 'a' && c <= 'z';
}

bool isUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

// Bytes above 127 count as letters, so a name in another script stays one word.
bool isWordByte(char c)
{
    return isLower(c) || isUpper(c) || isDigit(c) || static_cast<unsigned char>(c) >= 0x80;
}

bool has(const std::vector<std::string>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

bool onlyWord(const std::vector<std::string>& words, std::string_view word)
{
    return words.size() == 1 && words.front() == word;
}

bool isNumberWord(const std::string& word)
{
    return !word.empty() && std::all_of(word.begin(), word.end(), isDigit);
}

} // namespace

void splitFields(std::string_view line, char separator, std::vector<std::string_view>& fields)
{
    fields.clear();
    const std::size_t n = line.size();
    std::size_t i = 0;
    for (;;) {
        while (i < n && (line[i] == ' ' || (line[i] == '\t' && separator != '\t')))
            ++i;
        if (i < n && line[i] == '"') {
            std::size_t j = i + 1;
            while (j < n) {
                if (line[j] == '"') {
                    if (j + 1 < n && line[j + 1] == '"') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            fields.push_back(trimBlanks(line.substr(i + 1, std::min(j, n) - i - 1)));
            // Anything between the closing quote and the separator is dropped.
            const std::size_t next = j < n ? line.find(separator, j + 1) : std::string_view::npos;
            if (next == std::string_view::npos)
                return;
            i = next + 1;
        } else {
            // Fields are short: a plain scan beats a library search per field.
            std::size_t next = i;
            while (next < n && line[next] != separator)
                ++next;
            fields.push_back(trimBlanks(line.substr(i, next - i)));
            if (next == n)
                return;
            i = next + 1;
        }
    }
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isBlankRow(std::string_view text, char separator)
{
    return std::all_of(
        text.begin(), text.end(), [separator](char c) { return isBlank(c) || c == separator; });
}

std::optional<std::int32_t> parseWhole(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    std::int32_t value = 0;
    for (const char c : text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool appendNumbers(std::string_view field, std::vector<std::int32_t>& out)
{
    const std::size_t before = out.size();
    std::size_t i = 0;
    while (i < field.size()) {
        if (field[i] == ' ' || field[i] == '|') {
            ++i;
            continue;
        }
        std::size_t end = field.find_first_of(" |", i);
        if (end == std::string_view::npos)
            end = field.size();
        const auto value = parseWhole(field.substr(i, end - i));
        if (!value) {
            out.resize(before);
            return false;
        }
        out.push_back(*value);
        i = end;
    }
    return out.size() > before;
}

bool hasLetter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
        [](char c) { return isLower(c) || isUpper(c) || static_cast<unsigned char>(c) >= 0x80; });
}

bool isUtf8(std::string_view text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0)
                low = 0xA0; // no overlong forms
            if (c == 0xED)
                high = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0)
                low = 0x90;
            if (c == 0xF4)
                high = 0x8F; // nothing above U+10FFFF
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        if (p[i + 1] < low || p[i + 1] > high)
            return false;
        for (std::size_t k = 2; k < length; ++k) {
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return false;
        }
        i += length;
    }
    return true;
}

std::vector<std::string> nameWords(std::string_view name)
{
    std::vector<std::string> words;
    std::string word;
    char previous = ' ';
    for (const char c : name) {
        if (!isWordByte(c)) {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
            previous = ' ';
            continue;
        }
        const bool split = !word.empty()
            && ((isLower(previous) && isUpper(c)) || (isDigit(previous) != isDigit(c)));
        if (split) {
            words.push_back(std::move(word));
            word.clear();
        }
        word += isUpper(c) ? static_cast<char>(c - 'A' + 'a') : c;
        previous = c;
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

bool isDrawNumberName(std::string_view name)
{
    if (trimBlanks(name) == "#")
        return true;
    const std::vector<std::string> words = nameWords(name);
    for (const char* word : {"sorteo", "concurso", "drawno", "drawnumber", "drawnr", "drawid",
             "drawnum", "period", "issue"}) {
        if (has(words, word))
            return true;
    }
    // "Draw", "Draw Sequence", but not "Winning Draw Numbers" or "Draw Ball 1".
    const bool balls = has(words, "winning") || has(words, "ball") || has(words, "balls")
        || has(words, "results");
    if ((has(words, "draw") || has(words, "drawing")) && !balls
        && std::none_of(words.begin(), words.end(), isNumberWord))
        return true;
    return onlyWord(words, "no") || onlyWord(words, "nr") || onlyWord(words, "number")
        || onlyWord(words, "num");
}

bool isNoBallName(std::string_view name)
{
    if (isDrawNumberName(name))
        return true;
    // Draw number, sales and prize columns of the Chinese-language operators' files.
    for (const char* text :
        {"\xE6\x9C\x9F", "\xE9\x8A\xB7\xE5\x94\xAE", "\xE7\x8D\x8E\xE9\x87\x91", "\xE7\xB8\xBD"}) {
        if (name.find(text) != std::string_view::npos)
            return true;
    }
    const std::vector<std::string> words = nameWords(name);
    static constexpr std::array<const char*, 62> kNoBallWords = {"jackpot", "jackpots", "bolsa",
        "prize", "prizes", "premio", "premios", "pay", "payout", "payouts", "paid", "division",
        "divisions", "div", "winners", "winner", "ganadores", "sales", "sale", "ventas", "pool",
        "amount", "estimated", "multiplier", "multiplicador", "megaplier", "powerplay", "sum",
        "odd", "even", "low", "high", "next", "week", "weekday", "day", "month", "year", "time",
        "hour", "game", "gamename", "product", "producto", "nproducto", "sequence", "seq", "id",
        "total", "rollover", "set", "machine", "raffle", "raffles", "fireball", "fb", "booster",
        "currency", "share", "shares", "last", "wagers"};
    for (const char* word : kNoBallWords) {
        if (has(words, word))
            return true;
    }
    // Names run together without a break: "gpwinners", "div1prize", "millionairs".
    for (const std::string& word : words) {
        for (const char* stem : {"winner", "jackpot", "prize", "payout", "millionair"}) {
            if (word.find(stem) != std::string::npos)
                return true;
        }
    }
    // "1-10", "11-20": how many numbers fell in a range.
    const bool range = words.size() > 1 && std::all_of(words.begin(), words.end(), isNumberWord);
    return range || (has(words, "power") && has(words, "play")) || onlyWord(words, "extra");
}

bool sameName(std::string_view a, std::string_view b)
{
    a = trimBlanks(a);
    b = trimBlanks(b);
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = isUpper(a[i]) ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        const char y = isUpper(b[i]) ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
        if (x != y)
            return false;
    }
    return true;
}

} // namespace corvane::core::importer

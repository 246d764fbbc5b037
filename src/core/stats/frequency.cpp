#include "core/stats/frequency.h"

#include "core/io/linesource.h"
#include "core/predict/history.h"
#include "core/text/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace corvane::core {

namespace {

constexpr std::int32_t kHighestNumber = frequency::kNumbers - 1;

std::string padTo2(std::string_view part)
{
    std::string out(part);
    if (out.size() < 2)
        out.insert(out.begin(), '0');
    return out;
}

std::string formatCount(std::int32_t count)
{
    char text[16];
    std::snprintf(text, sizeof text, "%4d", static_cast<int>(count));
    return text;
}

} // namespace

frequency::frequency()
    : m_counts(kCountRows)
{
    for (auto& row : m_counts)
        row.fill(0);
}

frequency::~frequency() = default;

std::string frequency::datekey(std::string_view text)
{
    const std::string_view year = text.substr(0, 2);
    const std::string_view rest = text.size() > 3 ? text.substr(3) : std::string_view();
    // Without a '-' the first find gives npos (all of rest) and the last find npos + 1 == 0.
    const std::string_view month = rest.substr(0, rest.find('-'));
    const std::string_view day = rest.substr(rest.rfind('-') + 1);
    return "20" + std::string(year) + padTo2(month) + padTo2(day);
}

double frequency::pickerkey(std::string_view text)
{
    return readNumber(datekey(text));
}

bool frequency::isdatetext(std::string_view text)
{
    // Splits off a field of at most maxDigits digits ended by the end of text or by a '-'.
    std::size_t at = 0;
    auto field = [&text, &at](std::size_t minDigits, std::size_t maxDigits, int& value) {
        const std::size_t start = at;
        value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < maxDigits)
            value = value * 10 + (text[at++] - '0');
        return at - start >= minDigits;
    };
    auto dash = [&text, &at] { return at < text.size() && text[at++] == '-'; };
    int year = 0;
    int month = 0;
    int day = 0;
    if (!field(2, 2, year) || !dash() || !field(1, 2, month) || !dash() || !field(1, 2, day)
        || at != text.size())
        return false;
    if (month < 1 || month > 12 || day < 1)
        return false;
    // 2000 + yy is a leap year when yy is divisible by 4, 2000 itself included.
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int days = kDays[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
    return day <= days;
}

std::int32_t frequency::lastrow() const
{
    return std::clamp<std::int32_t>(m_history.rowsplus1 - 2, 0, regress::kRows - 1);
}

std::int32_t frequency::loadperiod(std::string_view fromText, std::string_view toText, Ui& ui)
{
    return findperiod(ui, true, fromText, toText, 0, 0);
}

std::int32_t frequency::loadperiod(double fromKey, double toKey, Ui& ui)
{
    return findperiod(ui, false, {}, {}, fromKey, toKey);
}

std::int32_t frequency::rowof(double key) const
{
    // Every row is looked at, not only up to the first later key, so that a file whose keys
    // are out of order still gives the highest row whose key is not above the date.
    std::int32_t found = 0;
    const std::int32_t last = lastrow();
    for (std::int32_t r = 0; r <= last; ++r) {
        if (m_history.table[r][0] <= key)
            found = r;
    }
    return found;
}

std::int32_t frequency::findperiod(Ui& ui, bool fromTexts, std::string_view fromText,
    std::string_view toText, double fromKey, double toKey)
{
    if (!loadHistory(m_history, openLineFile(m_path), SkipRule::LongFile, ui))
        return 0;
    if (!fromTexts) {
        m_fromkey = fromKey;
        m_tokey = toKey;
    } else if (m_presetkeys != 1) {
        m_fromkey = pickerkey(fromText);
        m_tokey = pickerkey(toText);
    }
    m_fromrow = rowof(m_fromkey);
    m_torow = rowof(m_tokey);
    if (m_torow < m_fromrow)
        std::swap(m_fromrow, m_torow);
    m_lownum = std::max<std::int32_t>(truncToInt(m_history.minnum), 0);
    m_highnum = std::min<std::int32_t>(truncToInt(m_history.maxnum), kHighestNumber);

    const std::int32_t span = m_torow - m_fromrow + 1;
    const std::int32_t low = std::min(m_lownum, kHighestNumber);
    for (std::int32_t i = 0; i <= span && i < kCountRows; ++i) {
        for (std::int32_t n = low; n <= m_highnum; ++n)
            m_counts[i][n] = 0;
    }
    return span;
}

void frequency::countnumbers(std::int32_t span)
{
    const std::int32_t low = std::clamp<std::int32_t>(m_lownum, 0, kHighestNumber);
    const std::int32_t high = std::min(m_highnum, kHighestNumber);
    const std::int32_t numcols = std::clamp<std::int32_t>(m_history.numcols, 0, kHighestNumber);
    const std::int32_t from = std::max<std::int32_t>(m_fromrow, 0);
    const std::int32_t to = std::min<std::int32_t>(m_torow, regress::kRows - 1);
    const bool allLines = m_showall == 1;

    for (std::int32_t r = from; r <= to; ++r) {
        const std::int32_t i = allLines ? r - from : 0;
        if (i >= kCountRows)
            break;
        if (i > 0) {
            for (std::int32_t n = low; n <= high; ++n)
                m_counts[i][n] = m_counts[i - 1][n];
        }
        for (std::int32_t c = 1; c <= numcols; ++c) {
            // The same as testing v == n for every n from low to high, in one step.
            const double v = m_history.table[r][c];
            if (v >= low && v <= high && v == std::floor(v))
                ++m_counts[i][static_cast<std::int32_t>(v)];
        }
    }
    m_shownrows = allLines ? span : 1;
}

FreqList frequency::listtexts() const
{
    FreqList list;
    const std::int32_t low = std::max<std::int32_t>(m_lownum, 0);
    const std::int32_t high = std::min(m_highnum, kHighestNumber);
    list.header.emplace_back("Day\\Lott");
    for (std::int32_t n = low; n <= high; ++n)
        list.header.push_back(formatInt(n));

    const std::int32_t shown = std::clamp<std::int32_t>(m_shownrows, 0, kCountRows);
    for (std::int32_t j = 0; j < shown; ++j) {
        const std::int64_t keyRow = std::int64_t {m_torow} - j;
        if (keyRow < 0 || keyRow >= regress::kRows)
            break;
        std::vector<std::string> row;
        row.reserve(list.header.size());
        row.push_back(formatInt(truncToInt(m_history.table[keyRow][0])));
        const auto& counts = m_counts[shown - 1 - j];
        for (std::int32_t n = low; n <= high; ++n)
            row.push_back(formatCount(counts[n]));
        list.rows.push_back(std::move(row));
    }
    return list;
}

std::optional<FreqList> frequency::show(
    std::string_view fromText, std::string_view toText, bool showAll, Ui& ui)
{
    m_showall = showAll ? 1 : 0;
    const std::int32_t span = loadperiod(fromText, toText, ui);
    if (span == 0)
        return std::nullopt;
    countnumbers(span);
    return listtexts();
}

} // namespace corvane::core

#include "core/analysis/period.h"

#include "core/analysis/statistics.h"
#include "core/backtest/backtest.h"
#include "core/catalogue/catalogue.h"
#include "core/io/files.h"
#include "core/predict/history.h"
#include "core/predict/regress.h"
#include "core/text/numbers.h"
#include "core/ui/ui.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <limits>
#include <locale>
#include <memory>
#include <sstream>

namespace corvane::core {

namespace {

// A value that no whole number of a draw takes: the line holds a fraction or a huge number.
constexpr int kNotWhole = std::numeric_limits<int>::min();
// The chance below which one side of a split lacking the other side's numbers is no accident.
constexpr double kEraChance = 1e-6;
// Draws with numbers above the smaller pool that the larger pool gives, on average, in the
// stretch where the era check looks for them.
constexpr double kEraWindow = 30.0;

std::string showValue(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::setprecision(12) << value;
    return out.str();
}

int wholeValue(double value)
{
    if (!(value >= 0 && value <= 1e9) || value != std::floor(value))
        return kNotWhole;
    return static_cast<int>(value);
}

bool isLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Every data line of the file with its first K numbers as whole numbers.
struct FileDraws
{
    std::vector<double> keys;
    std::vector<int> counts;
    std::vector<int> values; // K a draw, kNotWhole where the value is no whole number
    std::vector<std::size_t> lineIndex;
};

FileDraws readFileDraws(const std::vector<std::string_view>& lines, int K)
{
    FileDraws draws;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<DrawLine> line = readDrawLine(lines[i]);
        if (!line)
            continue;
        draws.keys.push_back(line->key);
        draws.counts.push_back(static_cast<int>(line->numbers.size()));
        draws.lineIndex.push_back(i);
        for (int c = 0; c < K; ++c) {
            const bool present = c < static_cast<int>(line->numbers.size());
            draws.values.push_back(present ? wholeValue(line->numbers[c]) : 0);
        }
    }
    return draws;
}

// ln of the chance that a draw of K numbers from lowest..hi holds none above lo.
double logNoneAbove(int lo, int hi, int K, int lowest, bool replacement)
{
    const double below = lo - lowest + 1;
    const double all = hi - lowest + 1;
    if (replacement)
        return K * std::log(below / all);
    return logChoose(below, K) - logChoose(all, K);
}

class Refusal
{
public:
    Refusal(const FileDraws& draws, const std::string& name, Ui& ui)
        : m_draws(draws)
        , m_name(name)
        , m_ui(ui)
    { }

    // "Draw 2015-10-10 (line 2066) of brnl.txt " and why.
    std::nullopt_t draw(std::size_t d, const std::string& why) const
    {
        m_ui.messageBox("Draw " + showDrawKey(m_draws.keys[d]) + " (line "
            + std::to_string(m_draws.lineIndex[d] + 1) + ") of " + m_name + " " + why);
        return std::nullopt;
    }

    std::nullopt_t say(const std::string& text) const
    {
        m_ui.messageBox(text);
        return std::nullopt;
    }

private:
    const FileDraws& m_draws;
    const std::string& m_name;
    Ui& m_ui;
};

} // namespace

std::optional<DrawLine> readDrawLine(std::string_view line)
{
    std::string_view rest = stripLeadingSpaces(line);
    if (rest.empty() || !isDigit(rest.front()))
        return std::nullopt;
    DrawLine draw;
    bool first = true;
    while (!rest.empty() && isDigit(rest.front())) {
        const std::size_t space = rest.find(' ');
        const double value = readNumber(rest.substr(0, space));
        if (first)
            draw.key = value;
        else
            draw.numbers.push_back(value);
        first = false;
        if (space == std::string_view::npos || static_cast<int>(draw.numbers.size()) >= kMaxNumbers)
            break;
        rest = stripSpaces(rest.substr(space));
    }
    return draw;
}

std::optional<std::int32_t> parseDrawDate(std::string_view text)
{
    std::string digits;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        digits = std::string(text.substr(0, 4)) + std::string(text.substr(5, 2))
            + std::string(text.substr(8, 2));
    else if (text.size() == 8)
        digits = std::string(text);
    else
        return std::nullopt;
    if (!std::all_of(digits.begin(), digits.end(), isDigit))
        return std::nullopt;
    const int year = std::stoi(digits.substr(0, 4));
    const int month = std::stoi(digits.substr(4, 2));
    const int day = std::stoi(digits.substr(6, 2));
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1000 || month < 1 || month > 12 || day < 1)
        return std::nullopt;
    const int last = kDays[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
    if (day > last)
        return std::nullopt;
    return year * 10000 + month * 100 + day;
}

std::string showDrawKey(double key)
{
    if (key >= 10000000 && key <= 99999999 && key == std::floor(key)) {
        const std::string digits = std::to_string(static_cast<int>(key));
        return digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" + digits.substr(6, 2);
    }
    return showValue(key);
}

namespace {

// The change inside draws [begin, n) that the data support best, or `begin` for none. A split
// at s says the draws on one side come from a smaller pool, up to lo, than the other side's.
// Against one pool for all, that makes the lower side's draws more likely by the factor
// 1 / P(no number above lo | the larger pool) each: the log of that likelihood ratio must pass
// ln 1e6, and the larger the ratio the better the split.
int bestSplit(const std::vector<int>& maxima, int begin, int numbers, int lowest, bool replacement)
{
    const int n = static_cast<int>(maxima.size());
    if (n - begin < 2)
        return begin;
    std::vector<int> before(static_cast<std::size_t>(n) + 1, std::numeric_limits<int>::min());
    std::vector<int> after(static_cast<std::size_t>(n) + 1, std::numeric_limits<int>::min());
    for (int i = begin; i < n; ++i)
        before[i + 1] = std::max(before[i], maxima[i]);
    for (int i = n - 1; i >= begin; --i)
        after[i] = std::max(after[i + 1], maxima[i]);

    int best = begin;
    double bestRatio = -std::log(kEraChance);
    for (int s = begin + 1; s < n; ++s) {
        const int earlier = before[s];
        const int later = after[s];
        const bool grew = earlier < later;
        // The split lies where the numbers above the smaller maximum begin or end.
        if (earlier == later || (grew && maxima[s] <= earlier) || (!grew && maxima[s - 1] <= later))
            continue;
        const int lo = std::min(earlier, later);
        const int hi = std::max(earlier, later);
        if (lo < lowest)
            continue;
        const double logNone = logNoneAbove(lo, hi, numbers, lowest, replacement);
        const int lowerSide = grew ? s - begin : n - s;
        const double ratio = -lowerSide * logNone;
        if (!(ratio >= bestRatio))
            continue;
        // The numbers above lo must keep occurring on the other side next to the split, not
        // turn up once.
        const double share = -std::expm1(logNone);
        const int higherSide = grew ? n - s : s - begin;
        const int window = static_cast<int>(
            std::min<double>(higherSide, std::ceil(kEraWindow / std::max(share, 1e-9))));
        int seen = 0;
        for (int k = 0; k < window; ++k)
            seen += maxima[grew ? s + k : s - 1 - k] > lo ? 1 : 0;
        if (seen >= 2 && seen >= 0.5 * window * share) {
            best = s;
            bestRatio = ratio;
        }
    }
    return best;
}

} // namespace

int findEraStart(const std::vector<int>& maxima, int numbers, int lowest, bool replacement)
{
    // The best-supported change first, then the best one after it, until none is left.
    int start = 0;
    for (;;) {
        const int next = bestSplit(maxima, start, numbers, lowest, replacement);
        if (next == start)
            return start;
        start = next;
    }
}

std::optional<Period> choosePeriod(const std::vector<std::string_view>& lines,
    const std::string& path, const ReportOptions& options, Ui& ui)
{
    const std::string name = fileNamePart(path);
    auto table = loadFileLines(lines, ui);
    if (!table)
        return std::nullopt;
    const int K = options.numbers.value_or(table->numcols);
    table.reset();
    const FileDraws all = readFileDraws(lines, std::max(K, 0));
    const Refusal refuse(all, name, ui);
    if (K < 1)
        return refuse.say(noNumberCountMessage(name) + " Give --numbers.");

    Period period;
    period.path = path;
    period.lottery = getlottoname(name);
    period.dataLines = static_cast<int>(all.keys.size());
    period.numbers = K;

    std::vector<std::size_t> chosen;
    for (std::size_t d = 0; d < all.keys.size(); ++d) {
        if ((!options.from || all.keys[d] >= *options.from)
            && (!options.to || all.keys[d] <= *options.to))
            chosen.push_back(d);
    }
    // Without a first date the period begins after the last draw too short to read K numbers.
    std::size_t start = 0;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (all.counts[chosen[i]] >= K)
            continue;
        if (options.from)
            return refuse.draw(chosen[i],
                "has " + std::to_string(all.counts[chosen[i]])
                    + " numbers; the report reads the first " + std::to_string(K)
                    + " of each draw (--numbers).");
        start = i + 1;
    }
    if (start > 0) {
        period.era.found = true;
        period.era.kind = EraKind::FewerNumbers;
        period.era.draws = static_cast<int>(start);
        period.era.shorterDraws = static_cast<int>(start);
        period.era.fromKey = start < chosen.size() ? all.keys[chosen[start]] : 0;
    }
    chosen.erase(chosen.begin(), chosen.begin() + static_cast<std::ptrdiff_t>(start));

    for (const std::size_t d : chosen) {
        for (int c = 0; c < K; ++c) {
            if (all.values[d * K + c] == kNotWhole) {
                const DrawLine line = *readDrawLine(lines[all.lineIndex[d]]);
                return refuse.draw(d,
                    "has the number " + showValue(line.numbers[c])
                        + ", which is no whole number of a draw.");
            }
            if (all.values[d * K + c] == 0)
                period.replacement = true;
        }
    }
    period.lowest = period.replacement ? 0 : 1;

    std::vector<int> maxima;
    for (const std::size_t d : chosen)
        maxima.push_back(*std::max_element(&all.values[d * K], &all.values[d * K] + K));
    if (!options.from && !options.pool) {
        const int s = findEraStart(maxima, K, period.lowest, period.replacement);
        if (s > 0) {
            const int earlier = *std::max_element(maxima.begin(), maxima.begin() + s);
            const int later = *std::max_element(maxima.begin() + s, maxima.end());
            period.era.found = true;
            period.era.kind = earlier < later ? EraKind::Grew : EraKind::Shrank;
            period.era.earlierMax = earlier;
            period.era.laterMax = later;
            period.era.draws = s;
            period.era.fromKey = all.keys[chosen[static_cast<std::size_t>(s)]];
            chosen.erase(chosen.begin(), chosen.begin() + s);
            maxima.erase(maxima.begin(), maxima.begin() + s);
        }
    }

    const int N = static_cast<int>(chosen.size());
    if (N < kMinimumDataLines) {
        std::string where = "The period";
        if (options.from || options.to)
            where += std::string(" from ")
                + (options.from ? showDrawKey(*options.from) : "the first draw") + " to "
                + (options.to ? showDrawKey(*options.to) : "the last draw");
        std::string advice;
        if (period.era.kind == EraKind::FewerNumbers) {
            where
                = "The part after the last draw with fewer than " + std::to_string(K) + " numbers";
            advice = " Give fewer numbers with --numbers.";
        } else if (period.era.found) {
            where = "The latest era, from " + showDrawKey(period.era.fromKey) + ",";
            advice = " Give --from, or --pool to take every draw.";
        }
        return refuse.say(where + " of " + name + " holds " + std::to_string(N)
            + " draws: a report needs at least 16." + advice);
    }

    const int largest = *std::max_element(maxima.begin(), maxima.end());
    if (options.pool) {
        period.pool = *options.pool;
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            if (maxima[i] > period.highest())
                return refuse.draw(chosen[i],
                    "has the number " + std::to_string(maxima[i]) + ", outside the pool "
                        + std::to_string(period.lowest) + " to " + std::to_string(period.highest())
                        + " of --pool.");
        }
    } else {
        if (largest - period.lowest + 1 > kMaxPool)
            return refuse.say("The largest number of " + name + " is " + std::to_string(largest)
                + ": pools of more than " + std::to_string(kMaxPool)
                + " numbers are not a lottery's. Give the pool with --pool.");
        period.pool = largest - period.lowest + 1;
    }
    if (period.pool < 2 || (!period.replacement && K >= period.pool))
        return refuse.say("A draw of " + std::to_string(K) + " numbers from a pool of "
            + std::to_string(period.pool)
            + " leaves nothing to chance: the pool must be larger than the numbers a draw"
              " (give it with --pool, or fewer numbers with --numbers).");

    for (const std::size_t d : chosen) {
        period.keys.push_back(all.keys[d]);
        period.lines.push_back(lines[all.lineIndex[d]]);
        const int* first = &all.values[d * K];
        period.values.insert(period.values.end(), first, first + K);
        if (!period.replacement) {
            std::vector<int> sorted(first, first + K);
            std::sort(sorted.begin(), sorted.end());
            if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
                if (period.repeatingDraws++ == 0)
                    period.firstRepeatKey = all.keys[d];
            }
        }
    }
    return period;
}

} // namespace corvane::core

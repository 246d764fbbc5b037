#include "core/backtest/backtest.h"

#include "core/catalogue/catalogue.h"
#include "core/io/files.h"
#include "core/io/linesource.h"
#include "core/predict/fuzzy.h"
#include "core/predict/history.h"
#include "core/predict/regress.h"
#include "core/text/numbers.h"
#include "core/ui/ui.h"

#include <algorithm>
#include <iomanip>
#include <locale>
#include <memory>
#include <sstream>

namespace corvane::core {

namespace {

// Takes the methods' messages instead of showing them: a backtest runs a method hundreds of
// times, and a refused history is counted, not told.
class QuietUi : public Ui
{
public:
    void messageBox(const std::string&) override { ++messages; }
    void showResult(const std::string&, const std::string&) override { }
    int messages = 0;
};

bool isPoolNumber(double value, int M)
{
    return value >= 1 && value <= M && value == static_cast<double>(truncToInt(value));
}

// The method as the program runs it: a new object, one run on the lines before the tested
// draw, the object gone afterwards.
std::vector<std::optional<std::int32_t>> predictFrom(BacktestMethod method,
    const std::vector<std::string_view>& lines, std::size_t count, const std::string& path, Ui& ui)
{
    auto source = std::make_unique<MemoryLines>(lines, count);
    if (method == BacktestMethod::Regress) {
        auto run = std::make_unique<regress>();
        run->dojob(std::move(source), path, ui);
        return run->prediction().numbers;
    }
    auto run = std::make_unique<fuzzy>();
    run->dofuzzy(std::move(source), path, ui);
    return run->prediction().numbers;
}

// The drawn values that are numbers of the pool 1..M; none for the others.
std::vector<std::optional<std::int32_t>> asNumbers(const std::vector<double>& values, int M)
{
    std::vector<std::optional<std::int32_t>> numbers;
    for (const double value : values) {
        if (isPoolNumber(value, M))
            numbers.emplace_back(truncToInt(value));
        else
            numbers.emplace_back();
    }
    return numbers;
}

// Entry n is set when n (1..M) is among the first K numbers.
std::vector<bool> numberSet(const std::vector<std::optional<std::int32_t>>& numbers, int K, int M)
{
    std::vector<bool> set(static_cast<std::size_t>(std::max(M, 0)) + 1, false);
    for (int c = 0; c < K && c < static_cast<int>(numbers.size()); ++c) {
        const std::optional<std::int32_t>& number = numbers[c];
        if (number && *number >= 1 && *number <= M)
            set[static_cast<std::size_t>(*number)] = true;
    }
    return set;
}

// A drawn value as a message shows it: 5000, 12.5, 1e+12, inf.
std::string showValue(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::setprecision(12) << value;
    return out.str();
}

int countSet(const std::vector<bool>& set)
{
    return static_cast<int>(std::count(set.begin(), set.end(), true));
}

} // namespace

int countHits(const std::vector<std::optional<std::int32_t>>& predicted,
    const std::vector<double>& drawn, int K, int M)
{
    const std::vector<bool> ticket = numberSet(predicted, K, M);
    const std::vector<bool> draw = numberSet(asNumbers(drawn, M), K, M);
    int hits = 0;
    for (std::size_t n = 0; n < ticket.size(); ++n)
        hits += ticket[n] && draw[n] ? 1 : 0;
    return hits;
}

int countExact(const std::vector<std::optional<std::int32_t>>& predicted,
    const std::vector<double>& drawn, int K, int M)
{
    const int columns
        = std::min({K, static_cast<int>(predicted.size()), static_cast<int>(drawn.size())});
    int exact = 0;
    for (int c = 0; c < columns; ++c) {
        if (predicted[c] && *predicted[c] >= 1 && *predicted[c] <= M
            && static_cast<double>(*predicted[c]) == drawn[c])
            ++exact;
    }
    return exact;
}

std::optional<BacktestRun> backtestLines(const std::vector<std::string_view>& lines,
    const std::string& path, const BacktestOptions& options, Ui& ui)
{
    const std::string name = fileNamePart(path);
    auto whole = loadFileLines(lines, ui);
    if (!whole)
        return std::nullopt;

    BacktestRun run;
    run.path = path;
    run.lottery = getlottoname(name);
    run.method = options.method;
    run.dataLines = whole->datalines;
    run.testable = whole->datalines - kMinimumDataLines;
    run.asked = options.draws;
    if (run.testable < 1) {
        ui.messageBox(name + " has " + formatInt(whole->datalines)
            + " draws: a backtest needs at least 17, 16 to predict from and 1 to test.");
        return std::nullopt;
    }

    const int numcols = whole->numcols;
    const int K = options.numbers.value_or(numcols);
    if (numcols < 1) {
        ui.messageBox(noNumberCountMessage(name));
        return std::nullopt;
    }
    if (K < 1) {
        ui.messageBox("--numbers must be at least 1.");
        return std::nullopt;
    }
    if (K > numcols) {
        ui.messageBox("--numbers " + formatInt(K) + " is more than the " + formatInt(numcols)
            + " numbers per draw of " + name + ".");
        return std::nullopt;
    }
    run.numbers = K;

    // Every draw of the file read once: the tested ones are scored, all give the pool.
    std::vector<std::size_t> lineOf;
    std::vector<std::vector<double>> draws;
    // Each draw read with the table's own reader, so a tested draw is read exactly as the
    // methods read the draws before it.
    DrawReader reader;
    double largest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!isDataLine(lines[i]))
            continue;
        const double* cells = reader.read(lines[i]);
        lineOf.push_back(i);
        draws.emplace_back(cells, cells + K + 1);
        for (int c = 1; c <= K; ++c)
            largest = std::max(largest, cells[c]);
    }
    const int N = std::clamp(std::min(options.draws, run.testable), 0,
        static_cast<int>(lineOf.size()) - kMinimumDataLines);
    const std::size_t first = lineOf.size() - static_cast<std::size_t>(N);

    if (options.pool) {
        run.pool = *options.pool;
        for (std::size_t d = first; d < draws.size(); ++d) {
            for (int c = 1; c <= K; ++c) {
                if (draws[d][c] >= run.pool + 1.0) {
                    ui.messageBox("Draw " + formatInt(truncToInt(draws[d][0])) + " of " + name
                        + " has the number " + showValue(draws[d][c]) + ", outside the pool 1.."
                        + formatInt(run.pool) + " of --pool.");
                    return std::nullopt;
                }
            }
        }
    } else {
        if (largest > kMaxPool) {
            ui.messageBox("The largest number of " + name + " is " + showValue(largest)
                + ": pools of more than " + formatInt(kMaxPool)
                + " numbers are not a lottery's. Give the pool with --pool.");
            return std::nullopt;
        }
        run.pool = truncToInt(largest);
    }
    if (K >= run.pool) {
        ui.messageBox("A ticket of " + formatInt(K) + " numbers out of a pool of "
            + formatInt(run.pool) + " leaves nothing to chance: the pool must be larger than"
            + " the ticket (give it with --pool).");
        return std::nullopt;
    }

    // Whether the tested draws fit the pool at all: a pool taken from one wrong number, or a
    // --pool too large, turns every comparison with random play into one with another game.
    // The largest number is looked for in the whole file, where the wrong line may be.
    std::vector<std::int64_t> counts(static_cast<std::size_t>(run.pool), 0);
    std::int64_t inPool = 0, highestDraws = 0;
    double highestFirstKey = 0;
    for (std::size_t d = 0; d < draws.size(); ++d) {
        const std::vector<double> drawn(draws[d].begin() + 1, draws[d].end());
        const std::vector<bool> set = numberSet(asNumbers(drawn, run.pool), K, run.pool);
        if (set[static_cast<std::size_t>(run.pool)] && highestDraws++ == 0)
            highestFirstKey = draws[d][0];
        if (d < first)
            continue;
        for (int n = 1; n <= run.pool; ++n) {
            if (set[static_cast<std::size_t>(n)]) {
                ++counts[static_cast<std::size_t>(n - 1)];
                ++inPool;
            }
        }
    }
    const auto tested = static_cast<std::int64_t>(N);
    run.poolFit = fitPool(counts, 1, tested, tested,
        tested > 0 ? static_cast<double>(inPool) / (static_cast<double>(tested) * run.pool) : 0);
    run.poolFit.highestDraws = highestDraws;
    run.poolFit.highestFirstKey = highestFirstKey;

    QuietUi quiet;
    for (std::size_t d = first; d < draws.size(); ++d) {
        TestedDraw tested;
        tested.key = truncToInt(draws[d][0]);
        const int before = quiet.messages;
        tested.predicted = predictFrom(options.method, lines, lineOf[d], path, quiet);
        if (quiet.messages != before)
            ++run.refused;
        tested.drawn.assign(draws[d].begin() + 1, draws[d].end());
        tested.hits = countHits(tested.predicted, tested.drawn, K, run.pool);
        tested.exact = countExact(tested.predicted, tested.drawn, K, run.pool);
        tested.drawnInPool = countSet(numberSet(asNumbers(tested.drawn, run.pool), K, run.pool));
        tested.ticketInPool = countSet(numberSet(tested.predicted, K, run.pool));
        run.draws.push_back(std::move(tested));
    }
    return run;
}

std::optional<BacktestRun> backtest(const std::string& path, const BacktestOptions& options, Ui& ui)
{
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        ui.messageBox(kNoDataMessage);
        return std::nullopt;
    }
    return backtestLines(splitLines(*bytes), path, options, ui);
}

} // namespace corvane::core

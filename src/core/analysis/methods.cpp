#include "core/analysis/methods.h"

#include "core/predict/history.h"
#include "core/text/numbers.h"
#include "core/ui/ui.h"

#include <algorithm>
#include <cmath>

namespace corvane::core {

namespace {

// Keeps the backtest's refusal to tell it in the report.
class MessageKeeper : public Ui
{
public:
    void messageBox(const std::string& text) override
    {
        if (message.empty())
            message = text;
    }
    void showResult(const std::string&, const std::string&) override { }
    std::string message;
};

// The methods read at most the 500 draws before the one they predict (a longer history loads
// its last 490), so 501 draws before the first tested one give every prediction the history
// that the whole period gives it.
constexpr int kMethodReach = 501;

} // namespace

MarkedDraw markDraw(const TestedDraw& draw, int numbers, int pool)
{
    std::vector<std::optional<std::int32_t>> ticket(static_cast<std::size_t>(numbers));
    std::vector<std::optional<std::int32_t>> drawn(static_cast<std::size_t>(numbers));
    for (int c = 0; c < numbers; ++c) {
        if (c < static_cast<int>(draw.predicted.size()) && draw.predicted[c]
            && *draw.predicted[c] >= 1 && *draw.predicted[c] <= pool)
            ticket[c] = draw.predicted[c];
        const double value = c < static_cast<int>(draw.drawn.size()) ? draw.drawn[c] : 0.0;
        if (value >= 1 && value <= pool && value == std::floor(value))
            drawn[c] = static_cast<std::int32_t>(value);
    }
    MarkedDraw marked;
    for (int c = 0; c < numbers; ++c) {
        const bool predicted = c < static_cast<int>(draw.predicted.size()) && draw.predicted[c];
        marked.ticket.push_back(predicted ? formatInt(*draw.predicted[c]) : "?");
        const double value = c < static_cast<int>(draw.drawn.size()) ? draw.drawn[c] : 0.0;
        marked.drawn.push_back(formatInt(truncToInt(value)));
        marked.ticketHit.push_back(
            ticket[c] && std::find(drawn.begin(), drawn.end(), ticket[c]) != drawn.end());
        marked.drawnHit.push_back(
            drawn[c] && std::find(ticket.begin(), ticket.end(), drawn[c]) != ticket.end());
    }
    return marked;
}

MethodFigures methodFigures(const Period& period, BacktestMethod method)
{
    MethodFigures figures;
    figures.method = method;
    figures.pool = period.highest();
    const int testable = period.draws() - kMinimumDataLines;
    if (testable < 1) {
        figures.refusal = "A backtest needs at least 17 draws, 16 to predict from and 1 to test;"
                          " the period has "
            + std::to_string(period.draws()) + ".";
        return figures;
    }
    const int tested = std::min(kReportTestedDraws, testable);
    const std::size_t kept
        = std::min(period.lines.size(), static_cast<std::size_t>(tested + kMethodReach));
    const std::vector<std::string_view> lines(period.lines.end() - kept, period.lines.end());

    BacktestOptions options;
    options.method = method;
    options.draws = tested;
    options.numbers = period.numbers;
    options.pool = figures.pool;
    MessageKeeper keeper;
    const std::optional<BacktestRun> run = backtestLines(lines, period.path, options, keeper);
    if (!run) {
        figures.refusal = keeper.message;
        return figures;
    }
    figures.ran = true;
    figures.refused = run->refused;
    figures.summary = summarize(*run);
    const std::size_t shown
        = std::min(run->draws.size(), static_cast<std::size_t>(kReportShownPredictions));
    figures.last.assign(run->draws.end() - static_cast<std::ptrdiff_t>(shown), run->draws.end());
    return figures;
}

} // namespace corvane::core

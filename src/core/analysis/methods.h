#pragma once

#include "core/analysis/period.h"
#include "core/backtest/backtest.h"
#include "core/backtest/summary.h"

#include <string>
#include <vector>

namespace corvane::core {

/// The draws a report's backtest walks through, and the predictions it shows.
constexpr int kReportTestedDraws = 200;
constexpr int kReportShownPredictions = 20;

/// One method's walk-forward backtest over the last draws of a period.
struct MethodFigures
{
    BacktestMethod method = BacktestMethod::Regress;
    /// False when the period cannot be backtested; `refusal` says why.
    bool ran = false;
    std::string refusal;
    /// The backtest's pool: tickets and draws count the numbers 1..pool.
    int pool = 0;
    /// Histories the method refused; those draws score no hits.
    int refused = 0;
    BacktestSummary summary;
    /// The last tested draws (up to 20), oldest first.
    std::vector<TestedDraw> last;
};

/// A tested draw as the report shows it: the first K ticket numbers ("?" where the method gave
/// none) and the draw's first K numbers, each marked when it is a number of 1..pool that the
/// other side holds too.
struct MarkedDraw
{
    std::vector<std::string> ticket;
    std::vector<bool> ticketHit;
    std::vector<std::string> drawn;
    std::vector<bool> drawnHit;
};

MarkedDraw markDraw(const TestedDraw& draw, int numbers, int pool);

/// The backtest's own walk forward over the last 200 draws of the period (fewer when the
/// period has fewer than 216), each predicted from the period's draws before it, scored on
/// the first K numbers against tickets of 1..M (1..M - 1 for a digit game, whose 0 no ticket
/// can hold).
MethodFigures methodFigures(const Period& period, BacktestMethod method);

} // namespace corvane::core

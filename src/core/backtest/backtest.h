#pragma once

#include "core/analysis/pool_fit.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::core {

class Ui;

enum class BacktestMethod {
    /// The nonlinear regression method (regress::dojob).
    Regress,
    /// The fuzzy period method (fuzzy::dofuzzy).
    Fuzzy,
};

/// The largest pool of numbers a backtest accepts: beyond it no lottery draws.
constexpr int kMaxPool = 1000;
/// The most numbers a draw line can hold after its key.
constexpr int kMaxNumbers = 49;

/// What to backtest; unset values come from the file.
struct BacktestOptions
{
    BacktestMethod method = BacktestMethod::Regress;
    /// How many of the most recent draws to test, at least 1; fewer when the file has fewer.
    int draws = 200;
    /// The main numbers of a draw, K: the ticket is the first K predicted numbers and it is
    /// scored against the draw's first K numbers. Default: the file's numbers per draw.
    std::optional<int> numbers;
    /// The pool 1..M the main numbers come from. Default: 1 to the largest of the first K
    /// numbers of any draw of the file.
    std::optional<int> pool;
};

/// One tested draw: the method's prediction from the draws before it, and its score.
struct TestedDraw
{
    /// The tested draw's key (yyyymmdd).
    std::int32_t key = 0;
    /// What the method showed, one entry per number column; none for a "?" column. Empty when
    /// the method refused the history.
    std::vector<std::optional<std::int32_t>> predicted;
    /// The draw's first K numbers as the data-file reader stores them (0 where the line ends).
    std::vector<double> drawn;
    /// Distinct ticket numbers found among the drawn numbers.
    int hits = 0;
    /// Columns 1..K whose prediction, a number of 1..M, equals the draw's number in that column.
    int exact = 0;
    /// Distinct whole numbers of 1..M among the drawn numbers (K for a regular draw).
    int drawnInPool = 0;
    /// Distinct whole numbers of 1..M on the ticket.
    int ticketInPool = 0;
};

/// A finished walk forward over the most recent draws of a data file.
struct BacktestRun
{
    std::string path;
    /// The lottery's display name for the file's name.
    std::string lottery;
    BacktestMethod method = BacktestMethod::Regress;
    /// Data lines in the file.
    int dataLines = 0;
    /// How many draws the file allows to test: every draw with at least 16 draws before it.
    int testable = 0;
    /// How many draws were asked for.
    int asked = 0;
    /// K and M.
    int numbers = 0;
    int pool = 0;
    /// Whether the numbers of all draws of the file fit the pool.
    PoolFit poolFit;
    /// Histories the method refused (its message was not shown); they score no hits.
    int refused = 0;
    /// The tested draws, oldest first.
    std::vector<TestedDraw> draws;
};

/// Hits of a ticket against a draw: the distinct values of predicted[0..K-1] that lie in
/// 1..M and are among the whole values of drawn[0..K-1]. A "?" (no value) never hits, nor
/// does a value outside 1..M; a number predicted twice counts once.
int countHits(const std::vector<std::optional<std::int32_t>>& predicted,
    const std::vector<double>& drawn, int K, int M);

/// Columns c < K whose predicted value, a number of 1..M, equals drawn[c]. Columns from K on
/// (a bonus number) do not count; neither does a "?" or a value outside 1..M (so a cell that
/// a short line leaves at 0 never scores).
int countExact(const std::vector<std::optional<std::int32_t>>& predicted,
    const std::vector<double>& drawn, int K, int M);

/// The walk forward on a data file kept in memory as lines (split as splitLines splits a
/// file): for each of the most recent options.draws data lines t, runs the method on the lines
/// before t's line, exactly as the program runs it on a file, and scores its prediction
/// against draw t. path names the file (its display name and the report). The method's own
/// refusals are counted, not shown. Refuses, with a message through ui, a file of fewer than 17
/// data lines, and numbers or a pool that do not fit the file.
std::optional<BacktestRun> backtestLines(const std::vector<std::string_view>& lines,
    const std::string& path, const BacktestOptions& options, Ui& ui);

/// The same on the data file at path, read once into memory.
std::optional<BacktestRun> backtest(
    const std::string& path, const BacktestOptions& options, Ui& ui);

} // namespace corvane::core

#include "core/backtest/report.h"

#include "core/backtest/summary.h"
#include "core/io/files.h"
#include "core/text/numbers.h"

namespace corvane::core {

namespace {

std::string pValue(double p)
{
    return p < 0.0001 ? "below 0.0001" : formatFixed(p, 4);
}

std::string joinNumbers(const std::vector<int>& numbers)
{
    std::string text;
    for (const int n : numbers)
        text += (text.empty() ? "" : " ") + formatInt(n);
    return text;
}

std::string verdictSentence(const BacktestRun& run, const BacktestSummary& s)
{
    const std::string over
        = "Over these " + formatInt(s.draws) + " draws the " + methodName(run.method) + " did ";
    switch (s.verdict) {
    case Verdict::Better:
        return over
            + "better than random play: chance alone gives a lead this large less than 5% of "
              "the time.";
    case Verdict::Worse:
        return over
            + "worse than random play: chance alone falls this far behind less than 5% of the "
              "time.";
    case Verdict::NoBetter:
        break;
    }
    return over
        + "no better than random play: the difference is within what chance alone gives (5% "
          "level).";
}

} // namespace

std::string methodName(BacktestMethod method)
{
    return method == BacktestMethod::Regress ? "Nonlinear Regress Method" : "Fuzzy Period Method";
}

std::string backtestReport(const BacktestRun& run)
{
    const BacktestSummary s = summarize(run);
    const std::string K = formatInt(run.numbers);
    const std::string M = formatInt(run.pool);
    std::string text;
    text += "Backtest of the " + methodName(run.method) + "\n";
    text += "Lottery: " + run.lottery + " (" + fileNamePart(run.path) + ")\n\n";

    text += "Tested draws: the last " + formatInt(s.draws) + " of " + formatInt(run.dataLines)
        + ", each predicted from the draws before it only.\n";
    if (run.asked > s.draws)
        text += "  Only " + formatInt(s.draws) + " could be tested, not " + formatInt(run.asked)
            + ": a prediction needs 16 earlier draws.\n";
    text += "Ticket: the first " + K + " predicted numbers, against the first " + K
        + " numbers of each draw, from a pool of 1 to " + M + ".\n";
    if (!run.poolFit.fits())
        text += "Warning: " + poolFitWarning(run.poolFit) + "\n";
    text += "\n";

    text += "Mean hits per draw:   " + formatFixed(s.meanHits, 4) + "   (a random ticket of " + K
        + " numbers: " + formatFixed(s.expectedHits, 4) + ")\n";
    text += "Difference from random play: z = " + formatFixed(s.z, 2)
        + ", two-sided p = " + pValue(s.p) + "\n";
    text += "  (normal approximation to the mean of " + formatInt(s.draws) + " draws)\n";
    text += "Mean exact per draw:  " + formatFixed(s.meanExact, 4)
        + "   (a random ticket in ascending order: " + formatFixed(s.expectedExact, 4) + ")\n";
    text += "  (columns that predicted their own column's number; the same ticket every draw, "
        + joinNumbers(s.likeliestTicket) + ",\n  each column's likeliest number in a fair draw "
        + "written in ascending order, scores " + formatFixed(s.likeliestExact, 4) + ")\n";
    text += "Different numbers of 1 to " + M + " per ticket: " + formatFixed(s.meanTicket, 2)
        + " on average, of " + K + "\n\n";

    text += "Hits   Draws   Expected at random   Chance of at least this many at random\n";
    for (int h = 0; h <= run.numbers; ++h) {
        text += padLeft(formatInt(h), 4) + padLeft(formatInt(s.observed[h]), 8)
            + padLeft(formatFixed(s.expected[h], 1), 21) + padLeft(formatFixed(s.atLeast[h], 5), 41)
            + "\n";
    }
    text += "\n";

    if (run.refused > 0)
        text += "The method could not predict from " + formatInt(run.refused)
            + " of the histories; those draws count as no hits.\n";
    if (s.shortDraws > 0)
        text += formatInt(s.shortDraws) + " tested draws had fewer than " + K
            + " different numbers of 1 to " + M
            + " (a number drawn twice, or one outside the pool); random play is figured on "
              "each draw's own numbers.\n";
    if (run.poolFit.fits())
        text += verdictSentence(run, s) + "\n";
    else
        text += "No verdict: the draws do not come from the pool 1 to " + M
            + " (see the warning), so the comparison with random play above is one with another "
              "game.\n";
    text += "Past draws do not make future draws more likely: every draw of a fair lottery is "
            "independent of the draws before it.\n";
    return text;
}

std::string backtestCsv(const BacktestRun& run)
{
    std::string text = "key";
    for (int c = 1; c <= run.numbers; ++c)
        text += ",n" + formatInt(c);
    text += ",hits,exact\n";
    for (const TestedDraw& draw : run.draws) {
        text += formatInt(draw.key);
        for (int c = 0; c < run.numbers; ++c) {
            text += ',';
            if (c < static_cast<int>(draw.predicted.size()) && draw.predicted[c])
                text += formatInt(*draw.predicted[c]);
        }
        text += ',' + formatInt(draw.hits) + ',' + formatInt(draw.exact) + '\n';
    }
    return text;
}

} // namespace corvane::core

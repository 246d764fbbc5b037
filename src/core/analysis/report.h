#pragma once

#include "core/analysis/figures.h"
#include "core/analysis/methods.h"
#include "core/analysis/period.h"
#include "core/analysis/pool_fit.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::core {

class Ui;

/// A section's words: one headline chosen by its figures, and the definitions of its figures.
struct SectionWords
{
    std::string title;
    std::string headline;
    std::vector<std::string> notes;
};

/// One test that a section's headline rests on.
struct ReportTest
{
    std::string name;
    double p = 1;
};

/// Everything a report shows: the figures of a period, each beside what fair draws give, and
/// the words that the text, the JSON and the page share.
struct Report
{
    /// The period; its lines no longer point anywhere once the report is made.
    Period period;
    FrequencyFigures frequency;
    /// Whether the counts fit the pool at all (a warning when not).
    PoolFit poolFit;
    GapFigures gaps;
    PairFigures pairs;
    ShapeFigures shape;
    /// The nonlinear regression method, then the fuzzy period method.
    std::vector<MethodFigures> methods;

    /// That past draws do not make future draws more likely.
    std::string notice;
    /// That every figure stands beside what fair draws give.
    std::string yardstick;
    /// Which draws, and what a draw is.
    std::string scope;
    std::string game;
    /// Why the draws before the period were left out; empty when none were.
    std::string era;
    std::vector<std::string> warnings;
    SectionWords frequencyWords;
    SectionWords gapWords;
    SectionWords pairWords;
    SectionWords shapeWords;
    std::vector<SectionWords> methodWords;
    /// The tests behind the headlines, how many look surprising (p < 0.05) and how many would
    /// by chance alone.
    std::vector<ReportTest> tests;
    int surprising = 0;
    double surprisingByChance = 0;
    std::string tally;
};

/// The report on data-file lines (bytes split as splitLines splits them); path names the file.
/// Refuses what choosePeriod refuses, with its message through ui.
std::optional<Report> reportLines(const std::vector<std::string_view>& lines,
    const std::string& path, const ReportOptions& options, Ui& ui);

/// The same on the data file at path, read once into memory; a file that cannot be read gets
/// the program's usual message.
std::optional<Report> makeReport(const std::string& path, const ReportOptions& options, Ui& ui);

/// Fills the words of a report from its figures.
void wordReport(Report& report);

} // namespace corvane::core

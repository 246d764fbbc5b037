#include "core/analysis/report.h"

#include "core/io/files.h"
#include "core/io/linesource.h"
#include "core/predict/history.h"
#include "core/ui/ui.h"

namespace corvane::core {

std::optional<Report> reportLines(const std::vector<std::string_view>& lines,
    const std::string& path, const ReportOptions& options, Ui& ui)
{
    std::optional<Period> period = choosePeriod(lines, path, options, ui);
    if (!period)
        return std::nullopt;
    Report report;
    report.frequency = frequencyFigures(*period);
    report.poolFit = fitPool(report.frequency.counts, period->lowest, period->draws(),
        report.frequency.trials, report.frequency.trialChance);
    for (int i = 0; i < period->draws(); ++i) {
        for (int c = 0; c < period->numbers; ++c) {
            if (period->at(i, c) == period->highest()) {
                if (report.poolFit.highestDraws++ == 0)
                    report.poolFit.highestFirstKey = period->keys[static_cast<std::size_t>(i)];
                break;
            }
        }
    }
    report.gaps = gapFigures(*period);
    report.pairs = pairFigures(*period);
    report.shape = shapeFigures(*period);
    report.methods.push_back(methodFigures(*period, BacktestMethod::Regress));
    report.methods.push_back(methodFigures(*period, BacktestMethod::Fuzzy));
    period->lines.clear();
    report.period = std::move(*period);
    wordReport(report);
    return report;
}

std::optional<Report> makeReport(const std::string& path, const ReportOptions& options, Ui& ui)
{
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes) {
        ui.messageBox(kNoDataMessage);
        return std::nullopt;
    }
    return reportLines(splitLines(*bytes), path, options, ui);
}

} // namespace corvane::core

// Speed of a report in the process: the figures, both backtests and the three forms, on a
// Keno history of 9,461 draws (20 of 80) and a 6/49 history of 5,000 draws. Whole runs of the
// command line: bench/report_times.sh. Run: build/release/bin/report_bench
#include "core/analysis/html_report.h"
#include "core/analysis/report.h"
#include "core/analysis/text_report.h"
#include "core/io/linesource.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace corvane::core;
using corvane::bench::SilentUi;

// count draws of K different numbers of 1..M, one a day from 1 January 1990 (keys only need to
// ascend), CR LF ends; the same numbers on every machine.
std::string history(int count, int K, int M)
{
    std::mt19937 generator(static_cast<unsigned>(count * 100 + K));
    std::vector<int> pool(static_cast<std::size_t>(M));
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += std::to_string(19900101 + i * 2);
        for (int n = 0; n < M; ++n)
            pool[n] = n + 1;
        for (int c = 0; c < K; ++c) {
            const int j = c + static_cast<int>(generator() % static_cast<unsigned>(M - c));
            std::swap(pool[c], pool[j]);
            text += ' ' + std::to_string(pool[c]);
        }
        text += "\r\n";
    }
    return text;
}

void runReport(benchmark::State& state, const std::string& bytes)
{
    SilentUi ui;
    for (auto _ : state) {
        const std::vector<std::string_view> lines = splitLines(bytes);
        const std::optional<Report> report = reportLines(lines, "bench.txt", {}, ui);
        benchmark::DoNotOptimize(report);
    }
}

void BM_ReportKeno9461(benchmark::State& state)
{
    static const std::string bytes = history(9461, 20, 80);
    runReport(state, bytes);
}
BENCHMARK(BM_ReportKeno9461)->Unit(benchmark::kMillisecond);

void BM_Report649Of5000(benchmark::State& state)
{
    static const std::string bytes = history(5000, 6, 49);
    runReport(state, bytes);
}
BENCHMARK(BM_Report649Of5000)->Unit(benchmark::kMillisecond);

// The three forms of a finished Keno report.
void BM_ReportFormsKeno(benchmark::State& state)
{
    static const std::string bytes = history(9461, 20, 80);
    SilentUi ui;
    const std::optional<Report> report = reportLines(splitLines(bytes), "bench.txt", {}, ui);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reportText(*report));
        benchmark::DoNotOptimize(reportJson(*report));
        benchmark::DoNotOptimize(reportHtml(*report));
    }
}
BENCHMARK(BM_ReportFormsKeno)->Unit(benchmark::kMillisecond);

} // namespace

// Speed of the statistics: loading and counting a period of 500 draws, the list's texts, and the
// distribution chart's geometry at 1920 x 1080. Run: build/release/bin/stats_bench
#include "core/io/files.h"
#include "core/stats/chart.h"
#include "core/stats/frequency.h"
#include "core/ui/ui.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace corvane::core;
using corvane::bench::SilentUi;

// 500 draws of 6 numbers and a bonus, 1 to 49, keyed from 20000101 on.
const std::string& fiveHundredDraws()
{
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "corvane-bench-stats-500.txt";
        writeFileAtomically(file.string(), corvane::bench::keyedDraws(500));
        return file.string();
    }();
    return path;
}

void BM_LoadAndCount500Draws(benchmark::State& state)
{
    SilentUi ui;
    auto engine = std::make_unique<frequency>();
    engine->m_path = fiveHundredDraws();
    engine->m_showall = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        const std::int32_t span = engine->loadperiod("00-1-1", "99-12-31", ui);
        engine->countnumbers(span);
        benchmark::DoNotOptimize(engine->m_counts[0][1]);
    }
    state.SetLabel(engine->m_showall ? "all lines" : "totals");
}
BENCHMARK(BM_LoadAndCount500Draws)->Arg(0)->Arg(1);

void BM_ListTexts500Rows(benchmark::State& state)
{
    SilentUi ui;
    auto engine = std::make_unique<frequency>();
    engine->m_path = fiveHundredDraws();
    engine->m_showall = 1;
    engine->countnumbers(engine->loadperiod("00-1-1", "99-12-31", ui));
    for (auto _ : state) {
        const FreqList list = engine->listtexts();
        benchmark::DoNotOptimize(list.rows.size());
    }
}
BENCHMARK(BM_ListTexts500Rows);

void BM_ChartGeometry500Draws(benchmark::State& state)
{
    SilentUi ui;
    auto engine = std::make_unique<frequency>();
    engine->m_path = fiveHundredDraws();
    engine->loadperiod("00-1-1", "99-12-31", ui);
    const auto width = static_cast<std::int32_t>(state.range(0));
    const auto height = static_cast<std::int32_t>(state.range(1));
    std::size_t markers = 0;
    for (auto _ : state) {
        const ChartGeometry chart = chartgeometry(*engine, width, height);
        markers = chart.markers.size();
        benchmark::DoNotOptimize(markers);
    }
    state.counters["markers"] = static_cast<double>(markers);
}
BENCHMARK(BM_ChartGeometry500Draws)->Args({1920, 1080})->Args({1920, 10100});

} // namespace

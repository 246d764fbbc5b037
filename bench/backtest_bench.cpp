// Speed of a backtest: 1,000 draws of a 6/49 history the size of the shipped one, walked
// forward with each method. Run: build/release/bin/backtest_bench
#include "core/backtest/backtest.h"
#include "core/io/linesource.h"
#include "core/ui/ui.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using namespace corvane::core;
using corvane::bench::SilentUi;

// 4,400 draws of six numbers of 1..49 and a bonus, CR LF ends.
const std::string& history649()
{
    static const std::string text = [] {
        std::mt19937 generator(649);
        std::string bytes;
        for (int k = 0; k < 4400; ++k) {
            std::vector<int> pool(49);
            for (int n = 0; n < 49; ++n)
                pool[n] = n + 1;
            bytes += std::to_string(19820612 + k);
            for (int i = 0; i < 7; ++i) {
                const int j = i + static_cast<int>(generator() % static_cast<unsigned>(49 - i));
                std::swap(pool[i], pool[j]);
                bytes += ' ' + std::to_string(pool[i]);
            }
            bytes += "\r\n";
        }
        return bytes;
    }();
    return text;
}

void BM_Backtest1000Draws(benchmark::State& state)
{
    BacktestOptions options;
    options.method = state.range(0) == 0 ? BacktestMethod::Regress : BacktestMethod::Fuzzy;
    options.draws = 1000;
    options.numbers = 6;
    SilentUi ui;
    for (auto _ : state) {
        // The file as the command reads it: once into memory, split into lines.
        const std::string bytes = history649();
        const std::vector<std::string_view> lines = splitLines(bytes);
        const auto run = backtestLines(lines, "ca649.txt", options, ui);
        benchmark::DoNotOptimize(run);
    }
    state.SetLabel(options.method == BacktestMethod::Regress ? "regress" : "fuzzy");
    state.SetItemsProcessed(state.iterations() * options.draws);
}
BENCHMARK(BM_Backtest1000Draws)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

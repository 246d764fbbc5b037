// Speed of the data-file reader and both methods, beside the I/O floor of reading the same
// file line by line. Run: build/release/bin/core_bench
#include "core/io/files.h"
#include "core/io/linesource.h"
#include "core/predict/fuzzy.h"
#include "core/predict/regress.h"
#include "core/ui/ui.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace corvane::core;
using corvane::bench::SilentUi;

std::string benchFile(const std::string& name, int lines, int numbers)
{
    const auto path = (std::filesystem::temp_directory_path() / ("corvane-bench-" + name)).string();
    std::string text;
    unsigned seed = 12345;
    for (int i = 0; i < lines; ++i) {
        text += std::to_string(19800101 + i);
        for (int c = 0; c < numbers; ++c) {
            seed = seed * 1103515245u + 12345u;
            text += ' ' + std::to_string((seed >> 16) % 49 + 1);
        }
        text += "\r\n";
    }
    writeFileAtomically(path, text);
    return path;
}

// About 1 MiB: 40,000 draws of 6 numbers and a bonus.
const std::string& megabyteFile()
{
    static const std::string path = benchFile("1mib.txt", 40000, 7);
    return path;
}

void BM_IoFloorReadLines(benchmark::State& state)
{
    for (auto _ : state) {
        std::FILE* file = std::fopen(megabyteFile().c_str(), "rb");
        char line[4096];
        std::size_t n = 0;
        while (std::fgets(line, sizeof line, file))
            ++n;
        std::fclose(file);
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(
        state.iterations() * static_cast<int64_t>(std::filesystem::file_size(megabyteFile())));
}
BENCHMARK(BM_IoFloorReadLines);

void BM_CountAndReadData(benchmark::State& state)
{
    for (auto _ : state) {
        auto table = std::make_unique<regress>();
        table->countlines(megabyteFile());
        table->skiplines = table->datalines - 490;
        table->readdata();
        benchmark::DoNotOptimize(table->maxnum);
    }
    state.SetBytesProcessed(
        state.iterations() * static_cast<int64_t>(std::filesystem::file_size(megabyteFile())));
}
BENCHMARK(BM_CountAndReadData);

void BM_Dojob16Draws(benchmark::State& state)
{
    static const std::string path = benchFile("16.txt", 16, 7);
    SilentUi ui;
    for (auto _ : state) {
        auto method = std::make_unique<regress>();
        method->dojob(path, ui);
    }
}
BENCHMARK(BM_Dojob16Draws);

void BM_Dofuzzy500Draws(benchmark::State& state)
{
    const int numbers = static_cast<int>(state.range(0));
    const std::string path = benchFile("500x" + std::to_string(numbers) + ".txt", 500, numbers);
    SilentUi ui;
    for (auto _ : state) {
        auto method = std::make_unique<fuzzy>();
        method->dofuzzy(path, ui);
    }
}
BENCHMARK(BM_Dofuzzy500Draws)->Arg(6)->Arg(20);

} // namespace

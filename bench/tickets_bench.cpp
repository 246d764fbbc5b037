// Speed of the ticket tools: check on 25,000 draws x 1,000 tickets, and the wheel check on every
// one of the 13,983,816 sets of a 6/49 "3 if 6" wheel. Run: build/release/bin/tickets_bench
#include "core/io/linesource.h"
#include "core/tickets/check.h"
#include "core/tickets/wheel.h"
#include "core/tickets/wheel_make.h"

#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace corvane::core;
using corvane::bench::SilentUi;

std::vector<int> randomTicket(std::mt19937& generator, int pool, int size)
{
    std::vector<int> numbers(static_cast<std::size_t>(pool));
    for (int n = 0; n < pool; ++n)
        numbers[n] = n + 1;
    std::shuffle(numbers.begin(), numbers.end(), generator);
    numbers.resize(static_cast<std::size_t>(size));
    return numbers;
}

void BM_Check25000Draws1000Tickets(benchmark::State& state)
{
    const std::string bytes = corvane::bench::keyedDraws(25000);
    std::mt19937 generator(1000);
    std::vector<Ticket> tickets;
    for (int t = 0; t < 1000; ++t)
        tickets.push_back({randomTicket(generator, 49, 6), t + 1});
    CheckOptions options;
    options.numbers = 6;
    options.bonus = true;
    SilentUi ui;
    for (auto _ : state) {
        // As the command reads it: the file once into memory, split into lines.
        const std::string copy = bytes;
        const auto run = checkTicketsOnLines(splitLines(copy), "bench.txt", tickets, options, ui);
        benchmark::DoNotOptimize(run);
    }
    state.SetItemsProcessed(state.iterations() * 25000 * 1000);
}
BENCHMARK(BM_Check25000Draws1000Tickets)->Unit(benchmark::kMillisecond);

// A 6/49 "3 if 6" wheel made once with a short budget, and random wheels of the same sizes.
const std::vector<std::vector<int>>& madeWheel649()
{
    static const std::vector<std::vector<int>> wheel = [] {
        MakeOptions options;
        options.shape = {49, 6, 3, 6};
        options.seconds = 1;
        return makeWheel(options).tickets;
    }();
    return wheel;
}

void BM_VerifyWheel649(benchmark::State& state)
{
    const int threads = static_cast<int>(state.range(1));
    std::vector<std::vector<int>> wheel = madeWheel649();
    std::mt19937 generator(649);
    while (static_cast<int>(wheel.size()) < state.range(0))
        wheel.push_back(randomTicket(generator, 49, 6));
    for (auto _ : state) {
        const WheelCheck check = verifyWheel(wheel, {49, 6, 3, 6}, threads);
        benchmark::DoNotOptimize(check);
    }
    state.SetLabel(std::to_string(wheel.size()) + " tickets, "
        + (threads == 0 ? std::string("all cores") : std::to_string(threads) + " thread"));
    state.SetItemsProcessed(state.iterations() * 13983816);
}
BENCHMARK(BM_VerifyWheel649)
    ->Args({0, 1})
    ->Args({0, 0})
    ->Args({400, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

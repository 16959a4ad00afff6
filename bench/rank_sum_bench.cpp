// The rank-sum test's simulation: ten million draws of 200 ranks out of 400, as the program
// runs it (every hardware thread, one thread) against the straightforward loop that draws
// the ranks one by one and redraws a rank already taken.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "univariate/rank_sum.h"

namespace {

constexpr long long kDraws = 10'000'000;
constexpr int kN1 = 200;
constexpr int kN2 = 200;

void BM_RankSumSimulation(benchmark::State& state) {
    tabulon::RankSumSimulationOptions options;
    options.draws = kDraws;
    options.seed = 20240601;
    options.threads = static_cast<int>(state.range(0));  // 0: every hardware thread
    for (auto _ : state) {
        auto distribution = tabulon::SimulateRankSumDistribution(kN1, kN2, options);
        benchmark::DoNotOptimize(distribution);
    }
    state.counters["draws/s"] =
        benchmark::Counter(double(kDraws), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RankSumSimulation)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("threads")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// The yardstick: one thread, a uniform rank at a time, redrawn while already taken.
void BM_StraightforwardLoop(benchmark::State& state) {
    const int n = kN1 + kN2;
    for (auto _ : state) {
        std::mt19937_64 rng(20240601);
        std::uniform_int_distribution<int> rank(0, n - 1);
        std::vector<std::uint32_t> counts(static_cast<std::size_t>(n * (n + 1) / 2 + 1), 0);
        std::vector<char> taken(static_cast<std::size_t>(n), 0);
        std::vector<int> drawn(kN1);
        for (long long d = 0; d < kDraws; ++d) {
            int sum = 0;
            for (int i = 0; i < kN1; ++i) {
                int r = 0;
                do {
                    r = rank(rng);
                } while (taken[static_cast<std::size_t>(r)]);
                taken[static_cast<std::size_t>(r)] = 1;
                drawn[static_cast<std::size_t>(i)] = r;
                sum += r + 1;
            }
            for (int r : drawn) taken[static_cast<std::size_t>(r)] = 0;
            ++counts[static_cast<std::size_t>(sum)];
        }
        benchmark::DoNotOptimize(counts.data());
    }
    state.counters["draws/s"] =
        benchmark::Counter(double(kDraws), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_StraightforwardLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();

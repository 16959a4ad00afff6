// Beräkna at the largest sizes its windows accept: ten simulated series of 99,999 values
// written to a fresh sheet (the target is well under a second), and an expression over two
// columns of 100,000 rows.
#include <benchmark/benchmark.h>

#include <string>

#include "base/random.h"
#include "worksheet/column_arithmetic.h"
#include "worksheet/simulation.h"

namespace {

using tabulon::Worksheet;

void BM_SimulateTenSeries(benchmark::State& state) {
    const auto mode = state.range(0) == 0 ? tabulon::SimulationMode::Normal
                                          : tabulon::SimulationMode::Regression;
    tabulon::SimulationParameters p;
    p.count = tabulon::kMaxSimulatedValues;
    p.series = tabulon::kMaxSimulatedSeries;
    p.mean = 100;
    p.sd = 2.5;
    tabulon::Xoshiro256 rng(20261207);
    for (auto _ : state) {
        state.PauseTiming();
        Worksheet sheet = Worksheet::StartSheet();
        state.ResumeTiming();
        benchmark::DoNotOptimize(tabulon::WriteSimulation(sheet, mode, p, rng, ','));
    }
    state.counters["values"] = double(p.count) * p.series;
}
BENCHMARK(BM_SimulateTenSeries)->Arg(0)->Arg(1)->ArgName("regression")->Unit(benchmark::kMillisecond);

void BM_ArithmeticOver100000Rows(benchmark::State& state) {
    constexpr int kRows = 100000;
    Worksheet filled(4, kRows + 2);
    filled.renumber();
    filled.setCell(2, 1, "A");
    filled.setCell(3, 1, "B");
    for (int r = 2; r < kRows + 2; ++r) {
        filled.setCell(2, r, std::to_string(r) + ",25");
        filled.setCell(3, r, std::to_string(r % 97) + ",5");
    }
    for (auto _ : state) {
        state.PauseTiming();
        Worksheet sheet = filled;
        state.ResumeTiming();
        benchmark::DoNotOptimize(tabulon::WriteColumnArithmetic(sheet, "1: A*2 + 2: B^2", ','));
    }
}
BENCHMARK(BM_ArithmeticOver100000Rows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

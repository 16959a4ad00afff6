// Benchmarks of the numeric core: NormalCdf against its table-plus-trapezoid definition,
// the sample statistics of a million-value column, and the quantile searches.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "numeric/sample_statistics.h"

namespace {

using tabulon::Extended;

// The yardstick: Φ as first defined, the table value at the grid point z0 ≤ z plus a
// 100,000-interval trapezoid of the density from z0 to z. Kept here only to measure
// NormalCdf against.
Extended TrapezoidNormalCdf(Extended z) {
    if (z < -6) return 0;
    if (z > 6) return 1;
    Extended z0 = std::trunc(z * 10) / 10;
    if (z < 0) z0 -= Extended(0.1);
    Extended area = 0;
    if (!(z < z0 + Extended(1e-100))) {
        constexpr int kIntervals = 100000;
        const Extended h = (z - z0) / kIntervals;
        Extended sum = (std::exp(-z0 * z0 / 2) + std::exp(-z * z / 2)) / 2;
        for (int i = 1; i < kIntervals; ++i) {
            const Extended t = z0 + i * h;
            sum += std::exp(-t * t / 2);
        }
        area = sum * h / std::sqrt(2 * std::numbers::pi_v<Extended>);
    }
    return tabulon::PhiTable(static_cast<int>(std::lround(10 * z0))) + area;
}

std::vector<Extended> NormalArguments(int count) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> pick(-6.5, 6.5);
    std::vector<Extended> z(count);
    for (Extended& v : z) v = pick(random);
    return z;
}

void BM_NormalCdfTrapezoid(benchmark::State& state) {
    const std::vector<Extended> z = NormalArguments(64);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TrapezoidNormalCdf(z[i++ % z.size()]));
    }
}
BENCHMARK(BM_NormalCdfTrapezoid)->Unit(benchmark::kMicrosecond);

void BM_NormalCdf(benchmark::State& state) {
    const std::vector<Extended> z = NormalArguments(64);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tabulon::NormalCdf(z[i++ % z.size()]));
    }
}
BENCHMARK(BM_NormalCdf);

// Both on the same arguments in one run: the speed-up and the largest difference as
// counters, so the table shows them side by side.
void BM_NormalCdfSpeedupAndAgreement(benchmark::State& state) {
    const std::vector<Extended> z = NormalArguments(200);
    double speedup = 0;
    Extended largest_difference = 0;
    for (auto _ : state) {
        using Clock = std::chrono::steady_clock;
        Extended checksum = 0;
        const auto t0 = Clock::now();
        std::vector<Extended> trapezoid;
        trapezoid.reserve(z.size());
        for (Extended v : z) trapezoid.push_back(TrapezoidNormalCdf(v));
        const auto t1 = Clock::now();
        constexpr int kRepeats = 1000;
        for (int r = 0; r < kRepeats; ++r) {
            for (Extended v : z) checksum += tabulon::NormalCdf(v + r * Extended(1e-30));
        }
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(checksum);
        const double trapezoid_each = std::chrono::duration<double>(t1 - t0).count() / z.size();
        const double fast_each =
            std::chrono::duration<double>(t2 - t1).count() / (z.size() * kRepeats);
        speedup = trapezoid_each / fast_each;
        for (std::size_t i = 0; i < z.size(); ++i) {
            largest_difference =
                std::max(largest_difference, std::fabs(trapezoid[i] - tabulon::NormalCdf(z[i])));
        }
    }
    state.counters["speedup"] = speedup;
    state.counters["max_abs_diff"] = static_cast<double>(largest_difference);
}
BENCHMARK(BM_NormalCdfSpeedupAndAgreement)->Iterations(3)->Unit(benchmark::kMillisecond);

// A million-value column as the worksheet holds it: texts, some repeated.
std::vector<std::string> MillionValueTexts() {
    std::mt19937_64 random(11);
    std::normal_distribution<double> deviate(250.0, 40.0);
    std::vector<std::string> texts(1000000);
    for (std::string& t : texts) {
        t = tabulon::FormatGeneral(std::round(deviate(random) * 1000) / 1000, 8, 2, '.');
    }
    return texts;
}

void BM_ComputeSampleStatisticsMillionTexts(benchmark::State& state) {
    static const std::vector<std::string> texts = MillionValueTexts();
    for (auto _ : state) {
        tabulon::SampleStatistics s;
        benchmark::DoNotOptimize(tabulon::ComputeSampleStatistics(texts, '.', s));
        benchmark::DoNotOptimize(s);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(texts.size()));
}
BENCHMARK(BM_ComputeSampleStatisticsMillionTexts)->Unit(benchmark::kMillisecond);

void BM_ComputeSampleStatisticsMillionValues(benchmark::State& state) {
    std::mt19937_64 random(13);
    std::normal_distribution<double> deviate(250.0, 40.0);
    std::vector<Extended> values(1000000);
    for (Extended& v : values) v = deviate(random);
    for (auto _ : state) {
        tabulon::SampleStatistics s;
        benchmark::DoNotOptimize(tabulon::ComputeSampleStatistics(values, s));
        benchmark::DoNotOptimize(s);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}
BENCHMARK(BM_ComputeSampleStatisticsMillionValues)->Unit(benchmark::kMillisecond);

// The searches the windows run on every recomputation.
void BM_TQuantile(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tabulon::TQuantile(4, 0.025L));
}
BENCHMARK(BM_TQuantile)->Unit(benchmark::kMicrosecond);

void BM_ChiSquareQuantile(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tabulon::ChiSquareQuantile(4, 0.975L));
}
BENCHMARK(BM_ChiSquareQuantile)->Unit(benchmark::kMicrosecond);

void BM_FQuantile(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tabulon::FQuantile(3, 10, 0.95L));
}
BENCHMARK(BM_FQuantile)->Unit(benchmark::kMicrosecond);

void BM_NormalQuantileFast(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tabulon::NormalQuantileFast(0.975L));
}
BENCHMARK(BM_NormalQuantileFast)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

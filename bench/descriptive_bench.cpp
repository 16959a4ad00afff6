// The one-column procedures as tabulon-cli runs them on a million values: `stats` from the
// text file to the printed text (and its parts), and the normal probability plot.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "base/language.h"
#include "numeric/number_text.h"
#include "univariate/descriptive.h"
#include "univariate/descriptive_sample.h"
#include "univariate/normal_plot.h"
#include "univariate/outlier_tests.h"
#include "worksheet/column_reading.h"
#include "worksheet/worksheet_file.h"

namespace tabulon {
namespace {

constexpr int kValues = 1'000'000;

// A balance's readings: normally distributed around 100 g, written with four decimals, one
// to a line, as a text file that tabulon-cli reads.
const std::string& MillionValueFile() {
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() /
                          ("tabulon-descriptive-bench-" + std::to_string(::getpid()) + ".txt");
        std::mt19937_64 random(20240601);
        std::normal_distribution<double> normal(100.0, 2.5);
        std::FILE* out = std::fopen(file.c_str(), "w");
        for (int i = 0; i < kValues; ++i) std::fprintf(out, "%.4f\n", normal(random));
        std::fclose(out);
        return file.string();
    }();
    return path;
}

constexpr int kColumn = Worksheet::kFixedColumns;

const Worksheet& LoadedSheet() {
    static const Worksheet sheet = LoadWorksheet(MillionValueFile()).sheet;
    return sheet;
}

void UseEnglishPoint() {
    CurrentTextSettings() = {Language::English, '.'};
}

// What `tabulon-cli stats FILE --column 1` does between its arguments and its output.
std::string StatsText(const Worksheet& sheet, OutlierTest test) {
    const auto sample = MakeDescriptiveSample(sheet, kColumn, '.');
    if (!sample) return {};
    const ConfidenceIntervals ci = ComputeConfidenceIntervals(sample->statistics, 95);
    const OutlierOutcome outliers = RunOutlierTest(test, *sample);
    return ClipboardTextAsLines(
        XDataClipboardText(MakeXDataReport("1", sample->statistics, ci, outliers)));
}

void BM_StatsFromFile(benchmark::State& state) {
    UseEnglishPoint();
    const std::string& file = MillionValueFile();
    for (auto _ : state) {
        const LoadResult loaded = LoadWorksheet(file);
        benchmark::DoNotOptimize(StatsText(loaded.sheet, OutlierTest::Grubb));
    }
    state.counters["values"] = kValues;
}
BENCHMARK(BM_StatsFromFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// The parts: the file alone, then everything after it with each outlier test, and the
// sample alone (reading the million texts, the statistics, the tally of distinct values).
void BM_StatsLoadFile(benchmark::State& state) {
    const std::string& file = MillionValueFile();
    for (auto _ : state) benchmark::DoNotOptimize(LoadWorksheet(file).ok);
}
BENCHMARK(BM_StatsLoadFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StatsFromSheet(benchmark::State& state) {
    UseEnglishPoint();
    const Worksheet& sheet = LoadedSheet();
    const auto test = static_cast<OutlierTest>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(StatsText(sheet, test));
    state.SetLabel(std::string(OutlierTestName(test)));
}
BENCHMARK(BM_StatsFromSheet)
    ->Arg(static_cast<int>(OutlierTest::Grubb))
    ->Arg(static_cast<int>(OutlierTest::Gauss))
    ->Arg(static_cast<int>(OutlierTest::Dixon))
    ->Unit(benchmark::kMillisecond);

void BM_MakeDescriptiveSample(benchmark::State& state) {
    const Worksheet& sheet = LoadedSheet();
    for (auto _ : state) benchmark::DoNotOptimize(MakeDescriptiveSample(sheet, kColumn, '.'));
}
BENCHMARK(BM_MakeDescriptiveSample)->Unit(benchmark::kMillisecond);

// The points of the normal probability plot: a million sorted values and their scores, and
// the lines `tabulon-cli normplot` prints for them.
void BM_NormalPlot(benchmark::State& state) {
    const ColumnValues read = ReadColumn(LoadedSheet(), kColumn);
    for (auto _ : state) benchmark::DoNotOptimize(MakeNormalPlot(read.values, '.'));
    state.counters["values"] = kValues;
}
BENCHMARK(BM_NormalPlot)->Unit(benchmark::kMillisecond);

void BM_NormalPlotLines(benchmark::State& state) {
    const auto plot = MakeNormalPlot(ReadColumn(LoadedSheet(), kColumn).values, '.');
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (std::size_t i = 0; i < plot->values.size(); ++i) {
            bytes += FormatShortest(plot->values[i], '.').size() +
                     FormatGeneral(plot->positions[i], 6, 2, '.').size() +
                     FormatGeneral(plot->scores[i], 6, 2, '.').size() + 3;
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["values"] = kValues;
}
BENCHMARK(BM_NormalPlotLines)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tabulon

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove(tabulon::MillionValueFile());
    return 0;
}

// The regression window's computations at the size our users reach: 100,000 points read from
// the worksheet, fitted, reported on and drawn on the recording canvas. The window must open
// in under a second and repaint in under 200 ms; these are its computation and RenderGraph.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

#include "base/language.h"
#include "graphs/recording_canvas.h"
#include "regression/fitted_model.h"
#include "regression/regression_graph.h"
#include "worksheet/worksheet.h"

namespace {

using namespace tabulon;

constexpr int kPoints = 100'000;

// A calibration series as an instrument logs it: x with four decimals, y = 2x + 1 + noise.
Worksheet CalibrationSheet() {
    Worksheet sheet(4, kPoints + 2);
    sheet.renumber();
    sheet.setCell(2, 1, "Konc");
    sheet.setCell(3, 1, "Abs");
    std::mt19937_64 random(20240607);
    std::uniform_real_distribution<double> conc(0.0, 100.0);
    std::normal_distribution<double> noise(0.0, 0.5);
    char text[32];
    for (int r = 2; r < kPoints + 2; ++r) {
        const double x = conc(random);
        std::snprintf(text, sizeof text, "%.4f", x);
        sheet.setCell(2, r, text);
        std::snprintf(text, sizeof text, "%.4f", 2 * x + 1 + noise(random));
        sheet.setCell(3, r, text);
    }
    return sheet;
}

const Worksheet& Sheet() {
    static const Worksheet sheet = CalibrationSheet();
    return sheet;
}

const std::shared_ptr<const RegressionData>& Data() {
    static const auto data = ReadRegressionData(Sheet(), 2, 3, '.').data;
    return data;
}

void BM_ReadPoints(benchmark::State& state) {
    for (auto _ : state) {
        auto read = ReadRegressionData(Sheet(), 2, 3, '.');
        benchmark::DoNotOptimize(read.data);
    }
}
BENCHMARK(BM_ReadPoints)->Unit(benchmark::kMillisecond);

void BM_FitLine(benchmark::State& state) {
    for (auto _ : state) {
        FitOutcome fit = Fit(Data(), {}, 0.95L);
        benchmark::DoNotOptimize(fit.model);
    }
}
BENCHMARK(BM_FitLine)->Unit(benchmark::kMillisecond);

// Every report of the line, the LOD's α search included.
void BM_FitAndReports(benchmark::State& state) {
    ScopedTextSettings text(Language::Swedish, ',');
    for (auto _ : state) {
        FitOutcome fit = Fit(Data(), {}, 0.95L);
        for (RegressionItem item : {RegressionItem::Significance, RegressionItem::Lod,
                                    RegressionItem::Loq, RegressionItem::ConfidenceKL,
                                    RegressionItem::Parameters, RegressionItem::Homoscedasticity,
                                    RegressionItem::Outliers, RegressionItem::SecondKindError}) {
            benchmark::DoNotOptimize(fit.model->Report(item));
        }
    }
}
BENCHMARK(BM_FitAndReports)->Unit(benchmark::kMillisecond);

// A repaint: the graph with bands and row numbers on a full-screen canvas.
void BM_RenderGraph(benchmark::State& state) {
    ScopedTextSettings text(Language::Swedish, ',');
    const FitOutcome fit = Fit(Data(), {}, 0.95L);
    RegressionViewOptions options;
    options.ShowRowNumbers = state.range(0) != 0;
    FitRangesToData(options, *Data(), fit.model.get(), 1600, 1000);
    for (auto _ : state) {
        RecordingCanvas canvas;
        RenderRegressionGraph(canvas, 1600, 1000, *Data(), fit.model.get(), options);
        benchmark::DoNotOptimize(canvas.primitives().size());
    }
}
BENCHMARK(BM_RenderGraph)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Opening the window: read, fit, first paint.
void BM_OpenWindow(benchmark::State& state) {
    ScopedTextSettings text(Language::Swedish, ',');
    for (auto _ : state) {
        auto read = ReadRegressionData(Sheet(), 2, 3, '.');
        FitOutcome fit = Fit(read.data, {}, 0.95L);
        RegressionViewOptions options;
        FitRangesToData(options, *read.data, fit.model.get(), 1600, 1000);
        RecordingCanvas canvas;
        RenderRegressionGraph(canvas, 1600, 1000, *read.data, fit.model.get(), options);
        benchmark::DoNotOptimize(canvas.primitives().size());
    }
}
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Benchmarks of the calibration models: MLR of 100,000 rows by 50 x-variables, PLS and PCR of
// 1000 rows by 100, the cross-products they share, reading the rows from a worksheet, and
// PRESS and Optimera on 1000 rows by 100.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "multivariate/cross_validation.h"
#include "multivariate/factor_model.h"
#include "multivariate/mlr.h"
#include "multivariate/model_data.h"
#include "numeric/number_text.h"

namespace {

using namespace tabulon;

// n rows of p correlated x-variables and a response with noise, fixed by the seed.
ModelData Generated(int n, int p) {
    std::mt19937_64 gen(42);
    std::normal_distribution<double> normal;
    std::vector<std::vector<Extended>> x(p, std::vector<Extended>(n));
    std::vector<Extended> z(n);
    for (int i = 0; i < n; ++i) {
        Extended common = normal(gen);
        Extended sum = 0;
        for (int j = 0; j < p; ++j) {
            x[j][i] = 10 + j + common + normal(gen);
            sum += (j % 3 - 1) * x[j][i];
        }
        z[i] = 5 + sum + normal(gen) / 10;
    }
    return MakeModelData(x, z);
}

void BM_CrossProducts(benchmark::State& state) {
    const ModelData data =
        Generated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(ComputeCrossProducts(data));
}
BENCHMARK(BM_CrossProducts)->Args({100000, 50})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FitMLR(benchmark::State& state) {
    const ModelData data =
        Generated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(FitMLR(data));
}
BENCHMARK(BM_FitMLR)->Args({100000, 50})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FitPLS(benchmark::State& state) {
    const ModelData data =
        Generated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(FitPLS(data, 0));
}
BENCHMARK(BM_FitPLS)->Args({1000, 100})->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FitPCR(benchmark::State& state) {
    const ModelData data =
        Generated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(FitPCR(data, 0));
}
BENCHMARK(BM_FitPCR)->Args({1000, 100})->Unit(benchmark::kMillisecond)->UseRealTime();

// The scores of every PLS factor, as the score plots ask for them.
void BM_PlsScores(benchmark::State& state) {
    const ModelData data =
        Generated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const FactorFit fit = *ExtractFactors(ModelMethod::PLS, data).fit;
    for (auto _ : state) benchmark::DoNotOptimize(ScoreMat(data, fit));
}
BENCHMARK(BM_PlsScores)->Args({1000, 100})->Unit(benchmark::kMillisecond)->UseRealTime();

// PRESS of PLS: every row left out in turn, `factors` PLS factors fitted on the downdated
// kernel of the others and the row predicted, the rows shared between the cores.
void BM_PlsLeaveOneOut(benchmark::State& state) {
    const ModelData data =
        Generated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int factors = static_cast<int>(state.range(2));
    for (auto _ : state) benchmark::DoNotOptimize(PressPLS(data, factors));
}
BENCHMARK(BM_PlsLeaveOneOut)->Args({1000, 100, 10})->Unit(benchmark::kMillisecond)->UseRealTime();

// Optimera of PLS on the same data: the cross-validated RMS of growing counts until it rises.
void BM_OptimisePls(benchmark::State& state) {
    const ModelData data =
        Generated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(OptimiseFactors(ModelMethod::PLS, data));
}
BENCHMARK(BM_OptimisePls)->Args({1000, 100})->Unit(benchmark::kMillisecond)->UseRealTime();

// PRESS of MLR with 100 x-variables: one Cholesky factorisation per left-out row.
void BM_MlrLeaveOneOut(benchmark::State& state) {
    const ModelData data =
        Generated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(PressMLR(data));
}
BENCHMARK(BM_MlrLeaveOneOut)->Args({1000, 100})->Unit(benchmark::kMillisecond)->UseRealTime();

// What a PCA of 100,000 rows by 50 columns will take: the cross-products of the columns, their
// principal components, and the scores of every row on every component.
void BM_PrincipalComponentScores(benchmark::State& state) {
    ModelData data = Generated(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    data.has_response = false;
    for (auto _ : state) {
        const AutoscaledKernel kernel = LoadAutoscaled(ComputeCrossProducts(data), false, 1e-30L);
        const PrincipalComponents pc = ComputePrincipalComponents(kernel.XtX, kernel.p);
        benchmark::DoNotOptimize(
            ProjectRows(data, kernel.MeanRow, kernel.Scale, pc.loadings, kernel.p));
    }
}
BENCHMARK(BM_PrincipalComponentScores)
    ->Args({100000, 50})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Reading the valid rows of 51 columns of 100,000 cell texts.
void BM_LoadModelData(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int m = static_cast<int>(state.range(1)) + 1;
    Worksheet sheet(m + Worksheet::kFixedColumns, n + Worksheet::kFixedRows);
    std::mt19937_64 gen(1);
    std::uniform_real_distribution<double> u(0, 1000);
    for (int c = 0; c < m; ++c) {
        for (int r = 0; r < n; ++r) {
            sheet.setCell(c + Worksheet::kFixedColumns, r + Worksheet::kFixedRows,
                          FormatGeneral(u(gen), 8, 2, '.'));
        }
    }
    ModelColumns columns;
    columns.ZColumn = Worksheet::kFixedColumns + m - 1;
    for (int c = 0; c + 1 < m; ++c) columns.XColumns.push_back(c + Worksheet::kFixedColumns);
    for (auto _ : state) benchmark::DoNotOptimize(LoadModelData(sheet, columns, '.'));
}
BENCHMARK(BM_LoadModelData)->Args({100000, 50})->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

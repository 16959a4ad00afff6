// The analysis of variance at its largest: a hundred columns of 10,000 values each in the
// worksheet, taken as 1-Dim > ANOVA takes them, from the cell texts to the window's texts,
// and the Bonferroni table of their 4950 pairs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/language.h"
#include "base/random.h"
#include "univariate/anova.h"
#include "worksheet/worksheet.h"

namespace tabulon {
namespace {

constexpr int kGroups = 100;
constexpr int kValues = 10'000;

// Laboratory readings with four decimals around 100 g, every column's mean a little apart:
// roughly normal as the sum of twelve uniform draws.
const Worksheet& HundredColumnSheet() {
    static const Worksheet sheet = [] {
        Worksheet s(kGroups + Worksheet::kFixedColumns, kValues + Worksheet::kFixedRows);
        s.renumber();
        Xoshiro256 random(20261207);
        char text[32];
        for (int g = 0; g < kGroups; ++g) {
            auto& cells = s.mutableColumnCells(g + Worksheet::kFixedColumns);
            for (int r = 0; r < kValues; ++r) {
                double z = -6;
                for (int k = 0; k < 12; ++k) z += UniformUnit(random);
                std::snprintf(text, sizeof text, "%.4f", 100.0 + 0.01 * g + 2.5 * z);
                cells[static_cast<std::size_t>(r + Worksheet::kFixedRows)] = text;
            }
        }
        return s;
    }();
    return sheet;
}

std::vector<int> AllColumns() {
    std::vector<int> columns;
    for (int g = 0; g < kGroups; ++g) columns.push_back(g + Worksheet::kFixedColumns);
    return columns;
}

// What the menu command and the window do before anything is drawn: read every column,
// the F-test at 5 %, the table and the texts.
void BM_AnovaFromSheet(benchmark::State& state) {
    CurrentTextSettings() = {Language::English, '.'};
    const Worksheet& sheet = HundredColumnSheet();
    const std::vector<int> columns = AllColumns();
    for (auto _ : state) {
        const AnovaGroupsRead read = ReadAnovaGroups(sheet, columns, '.');
        const AnovaResult result = ComputeAnova(*read.groups, 5);
        benchmark::DoNotOptimize(AnovaTableRows(*read.groups));
        benchmark::DoNotOptimize(AnovaResultLines(*read.groups, result));
    }
    state.counters["values"] = kGroups * kValues;
}
BENCHMARK(BM_AnovaFromSheet)->Unit(benchmark::kMillisecond);

// The Bonferroni button on the same groups: 4950 pairs and their rows.
void BM_BonferroniRows(benchmark::State& state) {
    CurrentTextSettings() = {Language::English, '.'};
    const AnovaGroupsRead read = ReadAnovaGroups(HundredColumnSheet(), AllColumns(), '.');
    const AnovaResult result = ComputeAnova(*read.groups, 5);
    for (auto _ : state) {
        const BonferroniResult comparison = CompareBonferroni(*read.groups, result);
        benchmark::DoNotOptimize(BonferroniRows(*read.groups, comparison));
    }
}
BENCHMARK(BM_BonferroniRows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tabulon

BENCHMARK_MAIN();

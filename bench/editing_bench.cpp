// The Redigera commands at the size our users reach: a sheet of 200 columns x 50,000 rows
// (10 million cells). Sorting, transposing, removing empty rows and pasting, and taking each
// back with its undo record.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "worksheet/editing.h"
#include "worksheet/paste.h"

namespace {

using tabulon::SheetUndo;
using tabulon::Worksheet;

constexpr int kColumns = 200;
constexpr int kRows = 50000;

// 8-character numbers; with `empty_every` > 0 every such row is left empty.
Worksheet FilledSheet(int empty_every = 0) {
    Worksheet sheet(kColumns + 2, kRows + 2);
    sheet.renumber();
    char text[16];
    for (int c = 2; c < kColumns + 2; ++c) {
        auto& cells = sheet.mutableColumnCells(c);
        for (int r = 2; r < kRows + 2; ++r) {
            if (empty_every > 0 && r % empty_every == 0) continue;
            const unsigned v = static_cast<unsigned>(r * 7919u + c * 104729u) % 10000000u;
            std::snprintf(text, sizeof text, "%04u,%03u", v / 1000, v % 1000);
            cells[static_cast<std::size_t>(r)] = text;
        }
    }
    return sheet;
}

// Times `command` on the sheet, or with `time_undo` its undo record putting the sheet back;
// the other half of each round runs untimed, so every round starts from the same sheet.
template <typename Command>
void CommandAndUndo(benchmark::State& state, Worksheet sheet, Command command, bool time_undo) {
    for (auto _ : state) {
        if (time_undo) state.PauseTiming();
        std::unique_ptr<SheetUndo> undo = command(sheet);
        if (time_undo) {
            state.ResumeTiming();
        } else {
            state.PauseTiming();
        }
        undo->Restore(sheet);
        if (!time_undo) state.ResumeTiming();
        benchmark::DoNotOptimize(sheet);
    }
}

void BM_Sort50000Rows(benchmark::State& state) {
    Worksheet sheet = FilledSheet();
    for (int r = 2; r < kRows + 2; r += 97) sheet.setCell(2, r, "");  // empty keys go below
    CommandAndUndo(
        state, std::move(sheet), [](Worksheet& s) { return tabulon::SortRows(s, 2, true, ','); },
        state.range(0) != 0);
}
BENCHMARK(BM_Sort50000Rows)->Arg(0)->Arg(1)->ArgName("undo")->Unit(benchmark::kMillisecond);

void BM_Transpose200x50000(benchmark::State& state) {
    CommandAndUndo(state, FilledSheet(), tabulon::TransposeSheet, state.range(0) != 0);
}
BENCHMARK(BM_Transpose200x50000)->Arg(0)->Arg(1)->ArgName("undo")->Unit(benchmark::kMillisecond);

void BM_RemoveEmptyRowsOf50000(benchmark::State& state) {
    // Every third row empty: 16,667 rows go, each moving the rows below it.
    CommandAndUndo(state, FilledSheet(3), tabulon::RemoveEmptyRows, state.range(0) != 0);
}
BENCHMARK(BM_RemoveEmptyRowsOf50000)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("undo")
    ->Unit(benchmark::kMillisecond);

void BM_PasteOneMillionCells(benchmark::State& state) {
    // 50,000 lines of 20 tab-separated numbers, pasted over filled cells at (10, 10).
    std::string text;
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < 20; ++c) text += std::to_string(r * 20 + c) + (c < 19 ? ".5\t" : ".5");
        text += "\r\n";
    }
    const bool time_undo = state.range(0) != 0;
    CommandAndUndo(
        state, FilledSheet(),
        [&](Worksheet& s) { return tabulon::WritePlan(s, tabulon::PlanPaste(text, 10, 10, ',')); },
        time_undo);
    state.counters["cells"] = 1e6;
}
BENCHMARK(BM_PasteOneMillionCells)->Arg(0)->Arg(1)->ArgName("undo")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

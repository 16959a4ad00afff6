// Worksheet files at the size users reach: save and load of 200 x 50,000 cells of
// 8-character numbers as .tbn and as .txt (and the .csv load), and how the text load grows with
// rows and columns.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "base/language.h"
#include "worksheet/file_io.h"
#include "worksheet/worksheet_file.h"

namespace tabulon {
namespace {

constexpr int kDataColumns = 200;
constexpr int kDataRows = 50000;

// Data columns x rows of "dddd.ddd", numbered as the program numbers its sheets.
Worksheet NumberSheet(int data_columns, int data_rows) {
    Worksheet sheet(data_columns + 2, data_rows + 2);
    sheet.renumber();
    char text[16];
    for (int c = 2; c < sheet.columnCount(); ++c) {
        auto& cells = sheet.mutableColumnCells(c);
        for (int r = 2; r < sheet.rowCount(); ++r) {
            const unsigned v =
                (static_cast<unsigned>(r) * 7919u + static_cast<unsigned>(c) * 104729u) % 10000000u;
            std::snprintf(text, sizeof text, "%04u.%03u", v / 1000, v % 1000);
            cells[static_cast<std::size_t>(r)] = text;
        }
    }
    return sheet;
}

std::filesystem::path Folder() {
    static const std::filesystem::path folder = [] {
        auto f = std::filesystem::temp_directory_path() /
                 ("tabulon-files-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(f);
        return f;
    }();
    return folder;
}

// One file per shape and kind, written once.
const std::string& FileOf(int data_columns, int data_rows, const char* extension) {
    static std::map<std::string, std::string> files;
    const std::string name =
        std::to_string(data_columns) + "x" + std::to_string(data_rows) + extension;
    auto found = files.find(name);
    if (found != files.end()) return found->second;
    const std::string path = (Folder() / name).string();
    const SaveResult saved = SaveWorksheet(NumberSheet(data_columns, data_rows), path, false);
    if (!saved.ok) std::fprintf(stderr, "%s\n", saved.error.c_str());
    return files.emplace(name, path).first->second;
}

std::int64_t SizeOf(const std::string& path) {
    return static_cast<std::int64_t>(std::filesystem::file_size(path));
}

void Save(benchmark::State& state, const char* extension) {
    ScopedTextSettings settings(Language::English, '.');
    const Worksheet sheet = NumberSheet(kDataColumns, kDataRows);
    const std::string path = (Folder() / (std::string("save") + extension)).string();
    for (auto _ : state) {
        const SaveResult saved = SaveWorksheet(sheet, path, false);
        if (!saved.ok) state.SkipWithError(saved.error.c_str());
    }
    state.SetBytesProcessed(state.iterations() * SizeOf(path));
}

// The load alone: giving the loaded sheet back to the system is timed apart (free_ms), as it
// happens when the next file replaces this one, not while the user waits for this one.
void Load(benchmark::State& state, const char* extension, int data_columns, int data_rows) {
    ScopedTextSettings settings(Language::English, '.');
    const std::string& path = FileOf(data_columns, data_rows, extension);
    double free_seconds = 0;
    for (auto _ : state) {
        auto loaded = std::make_unique<LoadResult>(LoadWorksheet(path));
        if (!loaded->ok) state.SkipWithError(loaded->error.c_str());
        benchmark::DoNotOptimize(loaded->sheet.cell(2, 2).data());
        state.PauseTiming();
        const auto start = std::chrono::steady_clock::now();
        loaded.reset();
        free_seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * SizeOf(path));
    state.counters["free_ms"] =
        benchmark::Counter(1000 * free_seconds / static_cast<double>(state.iterations()));
}

// The floor: the bytes of the file and nothing else.
void ReadOnly(benchmark::State& state, const char* extension) {
    const std::string& path = FileOf(kDataColumns, kDataRows, extension);
    for (auto _ : state) {
        std::string bytes;
        std::string error;
        ReadFileBytes(path, bytes, error);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * SizeOf(path));
}

void BM_SaveTbn(benchmark::State& state) {
    Save(state, ".tbn");
}
void BM_LoadTbn(benchmark::State& state) {
    Load(state, ".tbn", kDataColumns, kDataRows);
}
void BM_SaveTxt(benchmark::State& state) {
    Save(state, ".txt");
}
void BM_LoadTxt(benchmark::State& state) {
    Load(state, ".txt", kDataColumns, kDataRows);
}
void BM_LoadCsv(benchmark::State& state) {
    Load(state, ".csv", kDataColumns, kDataRows);
}
void BM_ReadTxtBytesOnly(benchmark::State& state) {
    ReadOnly(state, ".txt");
}

// Growth: rows at 200 columns, columns at 50,000 rows. Linear time shows as a constant
// per-cell cost.
void BM_LoadTxtRows(benchmark::State& state) {
    Load(state, ".txt", kDataColumns, static_cast<int>(state.range(0)));
    state.SetComplexityN(state.range(0));
}
void BM_LoadTxtColumns(benchmark::State& state) {
    Load(state, ".txt", static_cast<int>(state.range(0)), kDataRows);
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_SaveTbn)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// The loads run threads: iterations are counted in wall time, and the CPU column is the
// whole process's, all threads together.
BENCHMARK(BM_LoadTbn)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_SaveTxt)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LoadTxt)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_LoadCsv)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_ReadTxtBytesOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTxtRows)
    ->Arg(12500)
    ->Arg(25000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Complexity(benchmark::oN);
BENCHMARK(BM_LoadTxtColumns)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Complexity(benchmark::oN);

}  // namespace
}  // namespace tabulon

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(tabulon::Folder());
    return 0;
}

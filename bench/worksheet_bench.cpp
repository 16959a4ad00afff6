// The worksheet at the size our users reach: 200 columns x 50,000 rows of 8-character
// numbers (10 million cells). Filling the model, painting one screenful, moving the cursor.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>
#include <unistd.h>

#include "base/language.h"
#include "worksheet/ui/number_grid.h"
#include "worksheet/ui/worksheet_model.h"

namespace {

using tabulon::Worksheet;
using tabulon::ui::TNumberGrid;

constexpr int kColumns = 200;
constexpr int kRows = 50000;

// Resident memory of this process in bytes.
double ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

Worksheet FilledSheet() {
    Worksheet sheet(kColumns + 2, kRows + 2);
    sheet.renumber();
    char text[16];
    for (int c = 2; c < kColumns + 2; ++c) {
        auto& cells = sheet.mutableColumnCells(c);
        for (int r = 2; r < kRows + 2; ++r) {
            // 8 characters: "dddd,ddd" with varying digits.
            const unsigned v = static_cast<unsigned>(r * 7919u + c * 104729u) % 10000000u;
            std::snprintf(text, sizeof text, "%04u,%03u", v / 1000, v % 1000);
            cells[static_cast<std::size_t>(r)] = text;
        }
    }
    return sheet;
}

TNumberGrid& SharedGrid() {
    static std::unique_ptr<TNumberGrid> grid = [] {
        auto g = std::make_unique<TNumberGrid>();
        g->resize(1280, 800);
        g->setSheet(FilledSheet());
        g->show();
        QApplication::processEvents();
        return g;
    }();
    return *grid;
}

void BM_FillModel(benchmark::State& state) {
    for (auto _ : state) {
        TNumberGrid grid;
        grid.setSheet(FilledSheet());
        benchmark::DoNotOptimize(grid.sheet().cell(100, 100));
        state.counters["rss_MB"] = ResidentBytes() / 1e6;
    }
    state.counters["cells"] = static_cast<double>(kColumns) * kRows;
}
BENCHMARK(BM_FillModel)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_PaintScreenful(benchmark::State& state) {
    TNumberGrid& grid = SharedGrid();
    QImage image(grid.size(), QImage::Format_ARGB32_Premultiplied);
    int top = 0;
    for (auto _ : state) {
        // A different part of the sheet each time, so nothing painted before helps.
        top = (top + 997) % (kRows - 100);
        grid.setCursorCell(2 + top % 150, 2 + top);
        QPainter painter(&image);
        grid.render(&painter);
    }
    state.counters["rss_MB"] = ResidentBytes() / 1e6;
}
BENCHMARK(BM_PaintScreenful)->Unit(benchmark::kMillisecond);

void BM_MoveCursorDown(benchmark::State& state) {
    TNumberGrid& grid = SharedGrid();
    grid.setCursorCell(5, 2);
    grid.setFocus();
    for (auto _ : state) {
        if (grid.row() >= kRows) grid.setCursorCell(5, 2);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(&grid, &down);
    }
}
BENCHMARK(BM_MoveCursorDown)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tabulon::CurrentTextSettings() = {tabulon::Language::Swedish, ','};
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The one-column procedures at the size our users reach: a 1,000,000-value column opened in
// the x-Data window through the menu command, and the window's graph repainted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#include "graphs/ui/paint_box.h"
#include "base/language.h"
#include "shell/scripted_dialogs.h"
#include "shell/ui/main_window.h"
#include "univariate/ui/xdata_window.h"
#include "worksheet/ui/number_grid.h"

namespace {

using tabulon::Worksheet;
using tabulon::ui::XDataWindow;
using tabulon::ui::MainWindow;

constexpr int kValues = 1'000'000;

// One column of normally distributed measurements written with four decimals, as a balance
// writes them: most values distinct, many sharing a pixel column of the graph.
Worksheet MillionValueSheet() {
    Worksheet sheet(4, kValues + 2);
    sheet.renumber();
    sheet.setCell(2, 1, "Halt");
    std::mt19937_64 random(20240601);
    std::normal_distribution<double> normal(100.0, 2.5);
    auto& cells = sheet.mutableColumnCells(2);
    char text[32];
    for (int r = 2; r < kValues + 2; ++r) {
        std::snprintf(text, sizeof text, "%.4f", normal(random));
        for (char* p = text; *p; ++p) {
            if (*p == '.') *p = ',';
        }
        cells[static_cast<std::size_t>(r)] = text;
    }
    return sheet;
}

struct Program {
    Program() {
        const auto base = std::filesystem::temp_directory_path() / "tabulon-univariate-bench";
        std::filesystem::create_directories(base / "start");
        std::filesystem::create_directories(base / "cfg");
        form = std::make_unique<MainWindow>(dialogs, base / "start", base / "cfg");
        form->show();
        QApplication::processEvents();
        tabulon::CurrentTextSettings() = {tabulon::Language::Swedish, ','};
        form->NumberGrid1()->setSheet(MillionValueSheet());
    }
    tabulon::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> form;
};

Program& SharedProgram() {
    static Program program;
    return program;
}

XDataWindow* OpenWindow(MainWindow& form) {
    form.Execute("endim.statistikdata");
    const auto windows = form.findChildren<XDataWindow*>();
    return windows.isEmpty() ? nullptr : windows.back();
}

// From the menu command to the first painted picture: reading the column, converting and
// summarising a million values, Grubbs' test, building and showing the window, one paint.
void BM_OpenXDataWindow(benchmark::State& state) {
    Program& program = SharedProgram();
    for (auto _ : state) {
        XDataWindow* window = OpenWindow(*program.form);
        if (!window) {
            state.SkipWithError("no window opened");
            return;
        }
        QImage image(window->PaintBox1->size(), QImage::Format_ARGB32_Premultiplied);
        window->PaintBox1->render(&image);
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
    state.counters["values"] = kValues;
}
BENCHMARK(BM_OpenXDataWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// One repaint of the graph of a million values at the window's size.
void BM_RepaintXDataGraph(benchmark::State& state) {
    Program& program = SharedProgram();
    XDataWindow* window = OpenWindow(*program.form);
    if (!window) {
        state.SkipWithError("no window opened");
        return;
    }
    QImage image(window->PaintBox1->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window->PaintBox1->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["width"] = window->PaintBox1->width();
    delete window;
}
BENCHMARK(BM_RepaintXDataGraph)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

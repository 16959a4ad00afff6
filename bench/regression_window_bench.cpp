// The regression window at the size our users reach: 100,000 calibration points opened from
// 2-Dim > xy-grafik through the menu command, and the window's graph repainted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>

#include "base/language.h"
#include "graphs/ui/paint_box.h"
#include "regression/ui/two_dim_stat.h"
#include "shell/scripted_dialogs.h"
#include "shell/ui/main_window.h"
#include "worksheet/ui/number_grid.h"

namespace {

using tabulon::Worksheet;
using tabulon::ui::MainWindow;
using tabulon::ui::TTwoDimStat;

constexpr int kPoints = 100'000;

// Concentrations spread over 0..10 mg/L and absorbances on a line with instrument noise,
// both written with four decimals as an instrument exports them.
Worksheet CalibrationSheet() {
    Worksheet sheet(4, kPoints + 2);
    sheet.renumber();
    sheet.setCell(2, 1, "Konc");
    sheet.setCell(3, 1, "Absorbans");
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> concentration(0.0, 10.0);
    std::normal_distribution<double> noise(0.0, 0.005);
    auto& xs = sheet.mutableColumnCells(2);
    auto& ys = sheet.mutableColumnCells(3);
    char text[32];
    auto write = [&](auto& cells, int r, double v) {
        std::snprintf(text, sizeof text, "%.4f", v);
        for (char* p = text; *p; ++p) {
            if (*p == '.') *p = ',';
        }
        cells[static_cast<std::size_t>(r)] = text;
    };
    for (int r = 2; r < kPoints + 2; ++r) {
        const double x = concentration(random);
        write(xs, r, x);
        write(ys, r, 0.0129 + 0.0983 * x + noise(random));
    }
    return sheet;
}

struct Program {
    Program() {
        const auto base = std::filesystem::temp_directory_path() / "tabulon-regression-bench";
        std::filesystem::create_directories(base / "start");
        std::filesystem::create_directories(base / "cfg");
        form = std::make_unique<MainWindow>(dialogs, base / "start", base / "cfg");
        form->show();
        QApplication::processEvents();
        tabulon::CurrentTextSettings() = {tabulon::Language::Swedish, ','};
        form->NumberGrid1()->setSheet(CalibrationSheet());
    }
    tabulon::ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> form;
};

Program& SharedProgram() {
    static Program program;
    return program;
}

TTwoDimStat* OpenWindow(Program& program) {
    program.dialogs.chooseTwo(std::pair{std::string("1: Konc"), std::string("2: Absorbans")});
    program.form->Execute("tvadim.xy_grafik");
    const auto windows = program.form->findChildren<TTwoDimStat*>();
    return windows.isEmpty() ? nullptr : windows.back();
}

// From the menu command to the first painted picture: choosing the columns, reading and
// converting 200,000 cells, the least-squares fit, building and showing the window, one paint.
void BM_OpenRegressionWindow(benchmark::State& state) {
    Program& program = SharedProgram();
    for (auto _ : state) {
        TTwoDimStat* window = OpenWindow(program);
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
    state.counters["points"] = kPoints;
}
BENCHMARK(BM_OpenRegressionWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// One repaint of the graph (points, line, both bands, axes) at the window's size; with the
// row numbers shown as well in the second run.
void BM_RepaintRegressionGraph(benchmark::State& state) {
    Program& program = SharedProgram();
    TTwoDimStat* window = OpenWindow(program);
    if (!window) {
        state.SkipWithError("no window opened");
        return;
    }
    if (state.range(0) == 1) window->Visaradnummer1->trigger();
    // The offscreen screen is small; a maximised window on a desktop is about this size.
    window->showNormal();
    window->resize(1600, 1000);
    QApplication::processEvents();
    QImage image(window->PaintBox1->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window->PaintBox1->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["width"] = window->PaintBox1->width();
    state.counters["height"] = window->PaintBox1->height();
    delete window;
}
BENCHMARK(BM_RepaintRegressionGraph)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

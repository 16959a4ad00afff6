// The bar chart and the 3-D plot at the sizes our users reach, painted by their windows
// through the Qt canvas into an image of a maximised window: 100 columns of 1000 rows as
// bars and as points, and 100,000 points in the box, repainted and turned frame by frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QSpinBox>
#include <cmath>
#include <memory>
#include <random>

#include "base/language.h"
#include "graphs/bar_chart.h"
#include "graphs/three_dim_plot.h"
#include "graphs/ui/bar_chart_window.h"
#include "graphs/ui/paint_box.h"
#include "graphs/ui/three_dim_plot_window.h"
#include "shell/scripted_dialogs.h"

namespace {

using tabulon::Extended;

constexpr QSize kScreen(1600, 1000);

tabulon::ScriptedDialogs& Dialogs() {
    static tabulon::ScriptedDialogs dialogs;
    return dialogs;
}

// 100 series of 1000 daily readings around their own level.
tabulon::BarChartData Readings() {
    std::mt19937_64 random(20261207);
    std::normal_distribution<double> noise(0.0, 3.0);
    std::vector<std::string> captions;
    std::vector<std::vector<Extended>> values(100);
    for (int j = 0; j < 100; ++j) {
        captions.push_back("Prov " + std::to_string(j + 1));
        for (int i = 0; i < 1000; ++i) values[j].push_back(20 + j % 7 + noise(random));
    }
    return tabulon::MakeBarChartData(std::move(captions), std::move(values));
}

void Paint(tabulon::ui::TResultWindow& window, QImage& image, benchmark::State& state) {
    for (auto _ : state) {
        window.PaintBox1->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

std::unique_ptr<tabulon::ui::TResultWindow> Shown(tabulon::ui::TResultWindow* window) {
    window->show();
    window->resize(kScreen + QSize(20, 60));
    QApplication::processEvents();
    return std::unique_ptr<tabulon::ui::TResultWindow>(window);
}

// Arg: the chart type (1 bars by rows, 2 points, 3 bars by columns, 4 means).
void BM_BarChartRepaint(benchmark::State& state) {
    auto* chart = new tabulon::ui::BarChartWindow(Dialogs(), Readings(), "Grafik");
    chart->SetType(static_cast<tabulon::BarChartType>(state.range(0)));
    auto window = Shown(chart);
    QImage image(window->PaintBox1->size(), QImage::Format_ARGB32_Premultiplied);
    Paint(*window, image, state);
    state.counters["width"] = image.width();
    state.counters["height"] = image.height();
}
BENCHMARK(BM_BarChartRepaint)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

// Points on a tilted plane with noise, as a response surface of two factors looks.
tabulon::ThreeDimData Cloud(int n) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> u(0.0, 10.0);
    std::normal_distribution<double> noise(0.0, 0.5);
    tabulon::ThreeDimData data{{"1: Temp", "2: Tid", "3: Utbyte"}, {}};
    for (int i = 0; i < n; ++i) {
        const double x = u(random), y = u(random);
        data.rows.push_back({x, y, 2 + 0.8 * x - 0.3 * y + noise(random)});
    }
    return data;
}

void BM_ThreeDimRepaint(benchmark::State& state) {
    auto window = Shown(new tabulon::ui::ThreeDimPlotWindow(Dialogs(), Cloud(state.range(0))));
    QImage image(window->PaintBox1->size(), QImage::Format_ARGB32_Premultiplied);
    Paint(*window, image, state);
    state.counters["points"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ThreeDimRepaint)->Arg(100'000)->Unit(benchmark::kMillisecond);

// One frame of turning: a step of the spin control and the repaint it causes.
void BM_ThreeDimRotateFrame(benchmark::State& state) {
    auto* plot = new tabulon::ui::ThreeDimPlotWindow(Dialogs(), Cloud(state.range(0)));
    auto window = Shown(plot);
    QImage image(window->PaintBox1->size(), QImage::Format_ARGB32_Premultiplied);
    int angle = 0;
    for (auto _ : state) {
        angle = angle >= 355 ? -355 : angle + 5;
        plot->SpinEdit1->setValue(angle);
        window->PaintBox1->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["points"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ThreeDimRotateFrame)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

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

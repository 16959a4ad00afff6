// Building and drawing the normal probability plot.
#include "univariate/normal_plot.h"

#include <algorithm>
#include <array>

#include "base/large_fill.h"
#include "graphs/axis_ticks.h"
#include "graphs/axis_transform.h"
#include "graphs/xy_graph.h"
#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "numeric/sample_statistics.h"
#include "base/language.h"

namespace tabulon {
namespace {

// The percentages written on the probability scale, where they fit.
constexpr std::array<double, 13> kPercentTicks{0.1, 1, 5, 10, 20, 30, 50, 70, 80, 90, 95, 99, 99.9};

}  // namespace

std::optional<NormalPlotData> MakeNormalPlot(const std::vector<std::string>& texts,
                                             char decimal_separator) {
    NormalPlotData plot;
    const ColumnNumbers numbers = ReadColumnNumbers(texts, decimal_separator);
    SampleStatistics statistics;
    ValueTally tally;
    if (!ComputeSampleStatistics(numbers.values, numbers.exact, statistics, &tally)) {
        return std::nullopt;
    }
    plot.values = SortedValues(numbers.values, tally);
    const std::size_t n = plot.values.size();
    plot.positions.reserve(n);
    plot.scores.reserve(n);
    AdviseLargeFill(plot.positions.data(), n * sizeof(Extended));
    AdviseLargeFill(plot.scores.data(), n * sizeof(Extended));
    for (std::size_t i = 0; i < n; ++i) {
        const Extended p = (Extended(i) + 0.5L) / Extended(n);
        plot.positions.push_back(p);
        plot.scores.push_back(NormalQuantileFast(p));
    }
    plot.z_min = NormalQuantileFast(0.5L / Extended(n)) - 0.1L;
    plot.z_max = -NormalQuantileFast(0.5L / Extended(n)) + 0.1L;
    return plot;
}

void RenderNormalPlot(Canvas& canvas, int width, int height, const NormalPlotData& plot, int radius,
                      const TextMeasurer& measure) {
    if (plot.values.empty() || width < 16 || height < 16) return;
    int text_height = measure.MeasureTextHeight("1");
    if (text_height <= 0) text_height = std::max(1, height / 30);
    const int label_width = std::max(measure.MeasureTextWidth("99,9%"), 4 * text_height);
    const int left = label_width + text_height;
    const int right = width - 1 - std::max(width / 20, radius + 2);
    const int top = text_height;
    const int bottom = height - 1 - 2 * text_height;
    if (right <= left || bottom <= top) return;

    Extended x_min = plot.values.front();
    Extended x_max = plot.values.back();
    if (x_max == x_min) {
        x_min -= 0.5L;
        x_max += 0.5L;
    }
    TAxisTransform t;
    if (!SetTransform(t, x_min, x_max, left, right, plot.z_min, plot.z_max, bottom, top)) return;

    Extended x_start = 0;
    Extended x_step = 1;
    if (!NiceTickStep(x_start, x_step, x_min, x_max)) x_step = x_max - x_min;
    // Room for the labels: no more than about ten ticks.
    for (int i = 0; i < 60 && (x_max - x_min) / x_step > 10; ++i) x_step *= 2;
    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    canvas.SetBrushStyle(BrushStyle::Clear);
    DrawFramedAxes(canvas, t, false, true, false, x_min, x_max, x_step, plot.z_min, plot.z_max, 1);

    // The probability scale: a tick and a percentage wherever the score is in range.
    const int x_left = XToPixel(t, x_min);
    int last_label = -kPixelLimit;
    for (double percent : kPercentTicks) {
        const Extended z = NormalQuantileFast(percent / 100);
        if (z <= plot.z_min || z >= plot.z_max) continue;
        const int py = YToPixel(t, z);
        canvas.DrawLine({x_left - 3, py}, {x_left, py});
        // A label that would overlap the one below is left out; its tick stays.
        if (last_label != -kPixelLimit && last_label - py < text_height) continue;
        canvas.SetTextAlign({HAlign::Right, VAlign::Top});
        canvas.DrawText({x_left - 5, py - text_height / 2},
                        FormatGeneral(percent, 3, 2, DecimalSeparator()) + "%");
        last_label = py;
    }

    // μ-σ, μ and μ+σ: dashed red lines across the frame, labelled at its right end.
    const int x_right = XToPixel(t, x_max);
    const std::array<const char*, 3> names{"μ−σ", "μ", "μ+σ"};
    for (int k = -1; k <= 1; ++k) {
        if (k <= plot.z_min || k >= plot.z_max) continue;
        const int py = YToPixel(t, k);
        canvas.SetPen({colors::kRed, 1, PenStyle::Dash});
        canvas.DrawLine({x_left, py}, {x_right, py});
        canvas.SetTextAlign({HAlign::Right, VAlign::Bottom});
        canvas.DrawText({x_right - 3, py - 1}, names[static_cast<std::size_t>(k + 1)]);
    }

    // The markers.
    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    canvas.SetBrush({colors::kRed, BrushStyle::Solid});
    Point last{-kPixelLimit, -kPixelLimit};
    for (std::size_t i = 0; i < plot.values.size(); ++i) {
        const Point p{XToPixel(t, plot.values[i]), YToPixel(t, plot.scores[i])};
        if (p == last) continue;
        canvas.DrawEllipse({p.x - radius, p.y - radius, p.x + radius, p.y + radius});
        last = p;
    }
}

}  // namespace tabulon

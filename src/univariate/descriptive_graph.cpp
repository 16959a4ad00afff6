// Drawing the x-Data graph.
#include "univariate/descriptive_graph.h"

#include <algorithm>
#include <vector>

#include "graphs/axis_transform.h"
#include "graphs/number_formats.h"
#include "graphs/xy_graph.h"
#include "numeric/distributions.h"

namespace tabulon {

void RenderXDataGraph(Canvas& canvas, int width, int height, const DescriptiveSample& sample,
                      const ConfidenceIntervals& intervals, const TextMeasurer& measure) {
    const SampleStatistics& st = sample.statistics;
    if (st.Variance == 0 || sample.distinct.empty() || width < 8 || height < 8) return;
    const Extended mean = st.Mean;
    const Extended s = st.StdDev;
    const Extended half = intervals.value_half;
    const Extended lo = std::min(sample.min, mean - half);
    const Extended hi = std::max(sample.max, mean + half);

    int text_height = measure.MeasureTextHeight("1");
    if (text_height <= 0) text_height = std::max(1, height / 30);
    const int left = width / 20;
    const int right = width - 1 - width / 20;
    const int top = 2 * text_height;
    const int axis_y = height - 1 - 2 * text_height;
    if (axis_y <= top || right <= left) return;

    TAxisTransform t;
    if (!SetTransform(t, lo, hi, left, right, 0, 1, axis_y, top)) return;

    DrawXAxisStrip(canvas, width - 1, t, false, axis_y);

    // The bell, one point per pixel column.
    std::vector<Point> curve;
    curve.reserve(static_cast<std::size_t>(right - left + 1));
    for (int px = left; px <= right; ++px) {
        curve.push_back({px, YToPixel(t, NormalShape(s, mean, PixelToX(px, t)))});
    }
    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    canvas.DrawPolyline(curve);

    // The mean and the limits for a single new value, with the tail percentages above.
    canvas.SetPen({colors::kGreen, 1, PenStyle::Dash});
    const int y0 = YToPixel(t, 0);
    const int y1 = YToPixel(t, 1);
    for (Extended x : {mean - half, mean, mean + half}) {
        const int px = XToPixel(t, x);
        canvas.DrawLine({px, y0}, {px, y1});
    }
    const Extended tail = (100 - intervals.level) / 2;
    canvas.SetTextAlign({HAlign::Center, VAlign::Bottom});
    canvas.DrawText({XToPixel(t, mean + half), y1 - 2}, FormatFixedTrim(100 - tail) + "%");
    canvas.DrawText({XToPixel(t, mean - half), y1 - 2}, FormatFixedTrim(tail) + "%");

    // The values: one red bar per distinct value, the tallest of each pixel column.
    const Extended h = sample.max_count > 1 ? 0.5L : 0.25L;
    canvas.SetPen({colors::kRed, 1, PenStyle::Solid});
    auto bar = [&](int px, int count) {
        canvas.DrawLine({px, y0}, {px, YToPixel(t, h * count / sample.max_count)});
    };
    int column = XToPixel(t, sample.distinct.front());
    int tallest = 0;
    for (std::size_t i = 0; i < sample.distinct.size(); ++i) {
        const int px = XToPixel(t, sample.distinct[i]);
        if (px != column) {
            bar(column, tallest);
            column = px;
            tallest = 0;
        }
        tallest = std::max(tallest, sample.counts[i]);
    }
    bar(column, tallest);
}

}  // namespace tabulon

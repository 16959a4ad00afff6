// Drawing the density curve, its shaded tails and the marked points of the table windows.
#include "univariate/density_graph.h"

#include <algorithm>
#include <cmath>

#include "graphs/axis_transform.h"
#include "graphs/xy_graph.h"

namespace tabulon {
namespace {

constexpr Color kCurveColor{0, 0, 160};
constexpr Color kShadeColor{190, 210, 250};
constexpr Color kMarkColor{200, 0, 0};

Extended CurveAt(const DensityPlot& plot, Extended x) {
    const Extended y = plot.curve(x);
    return std::isfinite(y) && y > 0 ? y : 0;
}

}  // namespace

void RenderDensityGraph(Canvas& canvas, int width, int height, const DensityPlot& plot) {
    if (!plot.curve || !(plot.x_max > plot.x_min)) return;
    const int text_h = std::max(canvas.TextHeight("1"), 1);
    const int left = canvas.TextWidth("0,000000") + text_h;
    const int right = width - text_h;
    const int top = 3 * text_h;
    const int bottom = height - 2 * text_h;
    if (right - left < 20 || bottom - top < 20) return;

    TAxisTransform t;
    if (!SetXTransform(t, plot.x_min, plot.x_max, left, right)) return;
    std::vector<Extended> ys;
    ys.reserve(static_cast<std::size_t>(right - left + 1));
    for (int px = left; px <= right; ++px) ys.push_back(CurveAt(plot, PixelToX(px, t)));
    // The two outermost columns at each end are left out of the height: that is where a
    // density with a pole at 0 shoots up.
    Extended y_max = 0;
    for (std::size_t i = 2; i + 2 < ys.size(); ++i) y_max = std::max(y_max, ys[i]);
    if (!(y_max > 0)) y_max = 1;
    if (!SetYTransform(t, 0, y_max * 1.1L, bottom, top)) return;
    auto column_y = [&](std::size_t i) { return std::max(YToPixel(t, ys[i]), top - text_h); };

    for (const auto& [from, to] : plot.shaded) {
        const int a = std::max(XToPixel(t, std::max(from, plot.x_min)), left);
        const int b = std::min(XToPixel(t, std::min(to, plot.x_max)), right);
        if (b <= a) continue;
        std::vector<Point> area{{a, bottom}};
        for (int px = a; px <= b; ++px) {
            area.push_back({px, column_y(static_cast<std::size_t>(px - left))});
        }
        area.push_back({b, bottom});
        canvas.SetPen({kShadeColor, 1, PenStyle::Solid});
        canvas.SetBrush({kShadeColor, BrushStyle::Solid});
        canvas.DrawPolygon(area);
    }

    TAxisScale scale;
    DrawAxes(canvas, right, t, left, bottom, false, text_h / 2, scale);

    std::vector<Point> line;
    line.reserve(ys.size());
    for (std::size_t i = 0; i < ys.size(); ++i) line.push_back({left + int(i), column_y(i)});
    canvas.SetPen({kCurveColor, 2, PenStyle::Solid});
    canvas.DrawPolyline(line);

    // Marks close together write their names on alternate rows so they stay readable.
    FontSpec font = canvas.font();
    font.color = kMarkColor.ToBgr();
    canvas.SetFont(font);
    canvas.SetTextAlign({HAlign::Center, VAlign::Bottom});
    int last_x = -1'000'000;
    int row = 0;
    for (const DensityMark& mark : plot.marks) {
        if (!(mark.x >= plot.x_min && mark.x <= plot.x_max)) continue;
        const int x = XToPixel(t, mark.x);
        const int y = column_y(static_cast<std::size_t>(std::clamp(x, left, right) - left));
        row = std::abs(x - last_x) < canvas.TextWidth(mark.label) + text_h ? 1 - row : 0;
        last_x = x;
        canvas.SetPen({kMarkColor, 1, PenStyle::Dash});
        canvas.MoveTo(x, bottom);
        canvas.LineTo(x, y - text_h / 2);
        canvas.DrawText({x, y - text_h / 2 - row * text_h}, mark.label);
    }

    font.color = 0;
    canvas.SetFont(font);
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    canvas.DrawText({left + text_h, text_h / 4}, plot.heading);
}

}  // namespace tabulon

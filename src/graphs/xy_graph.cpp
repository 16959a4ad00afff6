// Axes, point series and world-coordinate lines of the XY graphs.
#include "graphs/xy_graph.h"

#include <cmath>
#include <optional>
#include <vector>

#include "graphs/axis_ticks.h"
#include "numeric/number_text.h"
#include "base/language.h"

namespace tabulon {
namespace {

constexpr Pen kAxisPen{colors::kBlack, 1, PenStyle::Solid};
constexpr Pen kGridPen{colors::kGrey, 1, PenStyle::Dot};

// Puts the caller's text alignment back however the routine leaves.
class AlignmentKeeper {
public:
    explicit AlignmentKeeper(Canvas& canvas) : m_canvas(canvas), m_saved(canvas.textAlign()) {}
    ~AlignmentKeeper() { m_canvas.SetTextAlign(m_saved); }
    AlignmentKeeper(const AlignmentKeeper&) = delete;
    AlignmentKeeper& operator=(const AlignmentKeeper&) = delete;

private:
    Canvas& m_canvas;
    TextAlign m_saved;
};

bool UsableStep(Extended step) {
    return std::isfinite(step) && step > 0;
}

// Accumulated rounding (0.1 added three times to -0.3) must never show as 1E-17.
Extended SnapToZero(Extended value, Extended tolerance) {
    return std::fabs(value) < tolerance ? Extended(0) : value;
}

std::optional<Point> ReadPoint(const TAxisTransform& t, const std::string& x_text,
                               const std::string& y_text) {
    const char sep = DecimalSeparator();
    const auto x = ParseNumber(x_text, sep);
    if (!x) return std::nullopt;
    const auto y = ParseNumber(y_text, sep);
    if (!y) return std::nullopt;
    return Point{XToPixel(t, *x), YToPixel(t, *y)};
}

// The ticks of a framed axis: the multiples of step strictly inside (min, max], formed as
// whole multiples rather than by repeated addition so that the tick at zero is exactly 0. A
// multiple that rounding puts a hair above max (10 * 0.1 is just over 1) still counts.
constexpr Extended kEndSlack = 1e-9L;

template <typename Draw>
void ForEachFramedTick(Extended min, Extended max, Extended step, Draw draw) {
    if (!UsableStep(step) || !std::isfinite(min) || !std::isfinite(max)) return;
    const Extended first = FirstTickAbove(min, step);
    if (!std::isfinite(first)) return;
    const Extended n0 = std::round(first / step);
    for (int i = 0; i < kMaxTicks; ++i) {
        const Extended value = (n0 + i) * step;
        if (!(value <= max + kEndSlack * step)) break;
        draw(value);
    }
}

}  // namespace

std::string AxisLabel(Extended value, int digits) {
    return FormatGeneral(value, digits, 0, DecimalSeparator());
}

void DrawAxes(Canvas& canvas, int Right, const TAxisTransform& t, int Left, int Bottom, bool Grid,
              int HalfTextHeight, TAxisScale& Scale) {
    AlignmentKeeper keep_alignment(canvas);
    canvas.SetPen(kAxisPen);
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.MoveTo(Left, 0);
    canvas.LineTo(Left, Bottom);
    canvas.LineTo(Right, Bottom);

    const int tick_length = HalfTextHeight / 3;

    Extended y_start = Scale.YStart;
    Extended y_step = Scale.YStep;
    if (!Scale.Fixed) {
        if (!NiceTickStep(y_start, y_step, PixelToY(Bottom, t), PixelToY(0, t))) return;
        Scale.YStart = y_start;
        Scale.YStep = y_step;
    }
    if (UsableStep(y_step)) {
        canvas.SetTextAlign({HAlign::Right, VAlign::Top});
        const Extended y_top = PixelToY(0, t);
        Extended value = y_start;
        for (int i = 0; i < kMaxTicks && value <= y_top; ++i, value += y_step) {
            const int y = YToPixel(t, value);
            if (y >= Bottom) continue;  // on or below the x axis
            canvas.MoveTo(Left - tick_length, y);
            canvas.LineTo(Left, y);
            if (Grid) {
                canvas.SetPen(kGridPen);
                canvas.LineTo(Right, y);
                canvas.SetPen(kAxisPen);
            }
            const std::string label = AxisLabel(SnapToZero(value, std::fabs(y_step) / 1000), 6);
            canvas.DrawText({Left - HalfTextHeight / 2, y - HalfTextHeight}, label);
        }
    }

    Extended x_start = Scale.XStart;
    Extended x_step = Scale.XStep;
    Extended x_draw_step = x_step;
    const Extended x_right = PixelToX(Right, t);
    if (!Scale.Fixed) {
        if (!NiceTickStep(x_start, x_step, PixelToX(Left, t), x_right)) return;
        Scale.XStart = x_start;
        Scale.XStep = x_step;
        // At most about ten labelled x ticks: they are wider than they are high.
        x_draw_step = x_step;
        for (int i = 0; i < 128 && (x_right - x_start) / x_draw_step > 10; ++i) x_draw_step *= 2;
    }
    if (!UsableStep(x_draw_step)) return;

    canvas.SetTextAlign({HAlign::Center, VAlign::Top});
    int last_right = 0;
    Extended value = x_start;
    for (int i = 0; i < kMaxTicks && value <= x_right; ++i, value += x_draw_step) {
        const int x = XToPixel(t, value);
        if (x <= Left) continue;  // on or left of the y axis
        canvas.MoveTo(x, Bottom + tick_length);
        canvas.LineTo(x, Bottom);
        if (Grid) {
            canvas.SetPen(kGridPen);
            canvas.LineTo(x, 0);
            canvas.SetPen(kAxisPen);
        }
        const std::string label = AxisLabel(SnapToZero(value, std::fabs(x_step) / 1000), 6);
        const int half_width = canvas.TextWidth(label) / 2;
        if (x - half_width > last_right) {
            canvas.DrawText({x, Bottom + 5}, label);
            last_right = x + half_width;
        }
    }
}

void DrawXAxisStrip(Canvas& canvas, int Right, const TAxisTransform& t, bool Grid, int AxisY) {
    Extended start = 0;
    Extended step = 0;
    const Extended x_right = PixelToX(Right, t);
    if (!NiceTickStep(start, step, PixelToX(0, t), x_right)) return;

    AlignmentKeeper keep_alignment(canvas);
    canvas.SetPen(kAxisPen);
    canvas.MoveTo(0, AxisY);
    canvas.LineTo(Right, AxisY);

    canvas.SetTextAlign({HAlign::Center, VAlign::Top});
    int last_x = 0;
    Extended value = start;
    for (int i = 0; i < kMaxTicks && value <= x_right; ++i, value += step) {
        const int x = XToPixel(t, value);
        canvas.MoveTo(x, AxisY);
        canvas.LineTo(x, Grid ? 0 : AxisY + 5);
        const std::string label = AxisLabel(SnapToZero(value, step / 100000), 5);
        if (x - canvas.TextWidth(label) / 2 > last_x) {
            canvas.DrawText({x, AxisY + 5}, label);
            last_x = x;
        }
    }
}

void DrawFramedAxes(Canvas& canvas, const TAxisTransform& t, bool Grid, bool LabelX, bool LabelY,
                    Extended XMin, Extended XMax, Extended XStep, Extended YMin, Extended YMax,
                    Extended YStep) {
    AlignmentKeeper keep_alignment(canvas);
    canvas.SetPenWidth(1);
    canvas.SetPenColor(colors::kBlack);
    canvas.SetPenStyle(PenStyle::Solid);

    const int left = XToPixel(t, XMin);
    const int right = XToPixel(t, XMax);
    const int bottom = YToPixel(t, YMin);
    const int top = YToPixel(t, YMax);

    ForEachFramedTick(XMin, XMax, XStep, [&](Extended value) {
        const int x = XToPixel(t, value);
        canvas.MoveTo(x, bottom);
        canvas.LineTo(x, bottom + 3);
        if (LabelX) {
            canvas.SetTextAlign({HAlign::Center, VAlign::Top});
            canvas.DrawText({x, bottom + 5}, AxisLabel(value, 15));
        }
        if (Grid) {
            canvas.SetPenStyle(PenStyle::Dot);
            canvas.MoveTo(x, bottom);
            canvas.LineTo(x, top);
            canvas.SetPenStyle(PenStyle::Solid);
        }
    });

    const int h = canvas.TextHeight("1") / 2;
    bool first = true;
    int last_y = 0;
    ForEachFramedTick(YMin, YMax, YStep, [&](Extended value) {
        const int y = YToPixel(t, value);
        canvas.MoveTo(left, y);
        canvas.LineTo(left - 3, y);
        if (first || std::abs(y - last_y) > 3 * h) {
            if (LabelY) {
                canvas.SetTextAlign({HAlign::Right, VAlign::Bottom});
                canvas.DrawText({left - 5, y + h}, AxisLabel(value, 15));
            }
            last_y = y;
            first = false;
        }
        if (Grid) {
            canvas.SetPenStyle(PenStyle::Dot);
            canvas.MoveTo(left, y);
            canvas.LineTo(right, y);
            canvas.SetPenStyle(PenStyle::Solid);
        }
    });

    canvas.MoveTo(left, bottom);
    canvas.LineTo(right, bottom);
    canvas.LineTo(right, top);
    canvas.LineTo(left, top);
    canvas.LineTo(left, bottom);
}

void DrawPointSeries(Canvas& canvas, std::span<const std::string> XTexts,
                     std::span<const std::string> YTexts, const TAxisTransform& t, int FrameLeft,
                     int FrameTop, int FrameRight, int FrameBottom, int Radius, Color Colour) {
    canvas.SetPenColor(Colour);
    for (std::size_t i = 0; i < XTexts.size() && i < YTexts.size(); ++i) {
        const auto p = ReadPoint(t, XTexts[i], YTexts[i]);
        if (!p) continue;
        const bool inside = FrameLeft + Radius < p->x && p->x < FrameRight - Radius &&
                            FrameTop + Radius < p->y && p->y < FrameBottom - Radius;
        if (inside) {
            canvas.DrawEllipse({p->x - Radius, p->y - Radius, p->x + Radius, p->y + Radius});
        }
    }
}

void DrawSeriesLine(Canvas& canvas, std::span<const std::string> XTexts,
                    std::span<const std::string> YTexts, Color Colour, const TAxisTransform& t) {
    std::vector<Point> points;
    for (std::size_t i = 0; i < XTexts.size() && i < YTexts.size(); ++i) {
        if (const auto p = ReadPoint(t, XTexts[i], YTexts[i])) points.push_back(*p);
    }
    if (points.empty()) return;
    canvas.SetPenColor(Colour);
    if (points.size() >= 2) canvas.DrawPolyline(points);
    canvas.MoveTo(points.back().x, points.back().y);
}

bool DrawClippedLine(Canvas& canvas, const TAxisTransform& t, Color Colour, Extended K, Extended L,
                     Extended XMin, Extended XMax, Extended YMin, Extended YMax) {
    struct WorldPoint {
        Extended x;
        Extended y;
    };
    std::vector<WorldPoint> candidates;
    const auto on_y = [&](Extended y) { return YMin <= y && y <= YMax; };
    const auto on_x = [&](Extended x) { return XMin <= x && x <= XMax; };
    if (const Extended y = K * XMin + L; on_y(y)) candidates.push_back({XMin, y});
    if (const Extended y = K * XMax + L; on_y(y)) candidates.push_back({XMax, y});
    if (K != 0) {
        if (const Extended x = (YMin - L) / K; on_x(x)) candidates.push_back({x, YMin});
        if (const Extended x = (YMax - L) / K; on_x(x)) candidates.push_back({x, YMax});
    }
    // A line through a corner meets two sides there; that point counts once.
    std::vector<Point> ends;
    for (const WorldPoint& w : candidates) {
        const Point p{XToPixel(t, w.x), YToPixel(t, w.y)};
        if (ends.empty() || !(ends.front() == p)) ends.push_back(p);
        if (ends.size() == 2) break;
    }
    if (ends.size() < 2) return false;
    canvas.SetPenColor(Colour);
    canvas.MoveTo(ends[0].x, ends[0].y);
    canvas.LineTo(ends[1].x, ends[1].y);
    return true;
}

void MoveToXY(Canvas& canvas, const TAxisTransform& t, Extended x, Extended y) {
    canvas.MoveTo(XToPixel(t, x), YToPixel(t, y));
}

void LineToXY(Canvas& canvas, const TAxisTransform& t, Extended x, Extended y) {
    canvas.LineTo(XToPixel(t, x), YToPixel(t, y));
}

}  // namespace tabulon

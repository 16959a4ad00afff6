// Drawing the regression graph, and the view commands that change its ranges and level.
#include "regression/regression_graph.h"

#include <algorithm>
#include <cmath>

#include "base/language.h"
#include "graphs/axis_ticks.h"
#include "graphs/number_formats.h"
#include "numeric/number_text.h"

namespace tabulon {
namespace {

constexpr Color kPredictionColor{0, 128, 0};
constexpr Color kConfidenceColor{0, 0, 255};
constexpr Color kLodColor{128, 0, 128};

// The part of the segment (x0, y0)-(x1, y1) inside the box, by Liang–Barsky; false when
// none of it is.
bool ClipSegment(Extended& x0, Extended& y0, Extended& x1, Extended& y1, Extended xmin,
                 Extended xmax, Extended ymin, Extended ymax) {
    Extended t0 = 0;
    Extended t1 = 1;
    const Extended dx = x1 - x0;
    const Extended dy = y1 - y0;
    const Extended p[4] = {-dx, dx, -dy, dy};
    const Extended q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const Extended r = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, r);
        else
            t1 = std::min(t1, r);
        if (t0 > t1) return false;
    }
    const Extended ax = x0, ay = y0;
    x0 = ax + t0 * dx;
    y0 = ay + t0 * dy;
    x1 = ax + t1 * dx;
    y1 = ay + t1 * dy;
    return std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1);
}

// The world box of the plot: the axes' span from the y axis to the right edge and from the
// x axis to the top.
struct WorldBox {
    Extended xmin, xmax, ymin, ymax;
};

void DrawWorldSegment(Canvas& canvas, const TAxisTransform& t, const WorldBox& box, Extended x0,
                      Extended y0, Extended x1, Extended y1) {
    if (!ClipSegment(x0, y0, x1, y1, box.xmin, box.xmax, box.ymin, box.ymax)) return;
    canvas.DrawLine({XToPixel(t, x0), YToPixel(t, y0)}, {XToPixel(t, x1), YToPixel(t, y1)});
}

void DrawCurve(Canvas& canvas, const TAxisTransform& t, const WorldBox& box, int left, int right,
               const FittedModel& model) {
    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    switch (model.Shape()) {
        case CurveShape::Straight:
            DrawWorldSegment(canvas, t, box, box.xmin, model.ValueAt(box.xmin), box.xmax,
                             model.ValueAt(box.xmax));
            return;
        case CurveShape::Polyline: {
            const auto v = model.Vertices();
            if (v.size() < 2) return;
            // The end segments carry on to the edges, as ValueAt reads them.
            DrawWorldSegment(canvas, t, box, box.xmin, model.ValueAt(box.xmin), v.front().first,
                             v.front().second);
            for (std::size_t i = 1; i < v.size(); ++i) {
                DrawWorldSegment(canvas, t, box, v[i - 1].first, v[i - 1].second, v[i].first,
                                 v[i].second);
            }
            DrawWorldSegment(canvas, t, box, v.back().first, v.back().second, box.xmax,
                             model.ValueAt(box.xmax));
            return;
        }
        case CurveShape::Smooth: {
            std::vector<Point> run;
            auto flush = [&] {
                if (run.size() >= 2) canvas.DrawPolyline(run);
                run.clear();
            };
            for (int px = left; px <= right; ++px) {
                const Extended y = model.ValueAt(PixelToX(px, t));
                if (!std::isfinite(y) || y < box.ymin || y > box.ymax) {
                    flush();
                    continue;
                }
                run.push_back({px, YToPixel(t, y)});
            }
            flush();
            return;
        }
    }
}

// One band curve, traced as the window always has: from the first column whose pixel lies
// on the plot, then to every column that is a multiple of the step and lies on it.
void DrawBandCurve(Canvas& canvas, const TAxisTransform& t, int left, int right, int bottom,
                   int step, const FittedModel& model, bool prediction, int side) {
    std::vector<Point> curve;
    for (int px = left; px <= right; ++px) {
        if (!curve.empty() && px % step != 0) continue;
        const Extended x = PixelToX(px, t);
        const auto bands = model.BandsAt(x);
        if (!bands) return;
        const Extended half = prediction ? bands->prediction : bands->confidence;
        const Extended y = model.ValueAt(x) + side * half;
        if (!std::isfinite(y)) continue;
        const int py = YToPixel(t, y);
        if (py < 0 || py > bottom) continue;
        curve.push_back({px, py});
    }
    if (curve.size() >= 2) canvas.DrawPolyline(curve);
}

// Remembers which pixels already carry a marker, so a point on a taken pixel is skipped.
class PixelSet {
public:
    PixelSet(int width, int height)
        : m_width(std::max(width, 1)),
          m_bits(static_cast<std::size_t>(m_width) *
                 static_cast<std::size_t>(std::max(height, 1))) {}
    // False when (x, y) was taken before or lies outside.
    bool Take(int x, int y) {
        if (x < 0 || y < 0 || x >= m_width) return false;
        const std::size_t i = static_cast<std::size_t>(y) * m_width + static_cast<std::size_t>(x);
        if (i >= m_bits.size() || m_bits[i]) return false;
        m_bits[i] = true;
        return true;
    }

private:
    int m_width;
    std::vector<bool> m_bits;
};

int MeasureHeight(Canvas& canvas, const TextMeasurer* measure, std::string_view text) {
    return measure ? measure->MeasureTextHeight(text) : canvas.TextHeight(text);
}

int MeasureWidth(Canvas& canvas, const TextMeasurer* measure, std::string_view text) {
    return measure ? measure->MeasureTextWidth(text) : canvas.TextWidth(text);
}

// The widest y tick label the axes will write between the two world values.
int WidestYLabel(Canvas& canvas, const TextMeasurer* measure, Extended bottom_y, Extended top_y,
                 bool& found) {
    Extended start = 0;
    Extended step = 0;
    found = NiceTickStep(start, step, bottom_y, top_y);
    if (!found || !(step > 0)) return 0;
    int widest = 0;
    int count = 0;
    for (Extended v = start; v <= top_y && count < kMaxTicks; v += step, ++count) {
        const Extended label = std::fabs(v) < std::fabs(step) / 1000 ? 0 : v;
        widest = std::max(widest, MeasureWidth(canvas, measure, AxisLabel(label, 6)));
    }
    return widest;
}

}  // namespace

RegressionGraphLayout RenderRegressionGraph(Canvas& canvas, int width, int height,
                                            const RegressionData& data, const FittedModel* model,
                                            const RegressionViewOptions& options,
                                            const TextMeasurer* measure) {
    RegressionGraphLayout layout;
    if (width < 100 || height < 60) return layout;
    const FontSpec saved_font = canvas.font();
    canvas.SetFont(options.axis_font);

    int th = MeasureHeight(canvas, measure, "A");
    if (th <= 0) th = std::max(1, height / 30);
    int bottom = height - 3 * th;

    TAxisTransform t;
    if (!SetTransform(t, options.XMin, options.XMax, width / 10, width - width / 10 - 30,
                      options.YMin, options.YMax, bottom - 15, 15)) {
        canvas.SetFont(saved_font);
        return layout;
    }
    bool found = false;
    const int widest = WidestYLabel(canvas, measure, PixelToY(bottom, t), PixelToY(0, t), found);
    int left = found ? widest + MeasureWidth(canvas, measure, "--1") : 15;
    if (options.ShrinkLevel > 1) {
        left += static_cast<int>(std::lround(width * (options.ShrinkLevel - 1) / 20.0));
        bottom -= static_cast<int>(std::lround(height * options.ShrinkLevel / 20.0));
    }
    const int right = width - 60;
    if (right <= left + 31 || bottom < 30) {
        canvas.SetFont(saved_font);
        return layout;
    }
    SetTransform(t, options.XMin, options.XMax, left + 30, right, options.YMin, options.YMax,
                 bottom - 15, 15);
    layout.transform = t;
    layout.left = left;
    layout.bottom = bottom;
    layout.right = width;
    layout.valid = true;

    DrawAxes(canvas, width, t, left, bottom, options.ShowGrid, th / 2, layout.scale);

    // The axis titles: y above its axis, x under the labels at the right.
    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    canvas.DrawText({left + 4, 0}, data.YTitle);
    canvas.SetTextAlign({HAlign::Right, VAlign::Top});
    canvas.DrawText({width - 4, bottom + 6 + th}, data.XTitle);
    canvas.SetFont(saved_font);

    const WorldBox box{PixelToX(left, t), PixelToX(width, t), PixelToY(bottom, t), PixelToY(0, t)};

    if (model && options.ShowBands && model->Supports(RegressionItem::Bands)) {
        const int step = std::max(1, width / 100);
        canvas.SetPen({kPredictionColor, 1, PenStyle::Solid});
        for (int side : {1, -1})
            DrawBandCurve(canvas, t, left, width, bottom, step, *model, true, side);
        canvas.SetPen({kConfidenceColor, 1, PenStyle::Solid});
        for (int side : {1, -1})
            DrawBandCurve(canvas, t, left, width, bottom, step, *model, false, side);
    }
    if (model && options.ShowFunction && model->Supports(RegressionItem::Function)) {
        DrawCurve(canvas, t, box, left, width, *model);
    }
    if (model && options.ShowLodLoq && model->Supports(RegressionItem::LodLoqMarks)) {
        if (const auto limits = model->Limits()) {
            canvas.SetPen({kLodColor, 1, PenStyle::Dash});
            canvas.SetTextAlign({HAlign::Left, VAlign::Bottom});
            FontSpec font = saved_font;
            font.color = kLodColor.ToBgr();
            canvas.SetFont(font);
            const std::pair<Extended, const char*> marks[] = {{limits->lod_x, "LOD"},
                                                              {limits->loq_x, "LOQ"}};
            for (const auto& [x, label] : marks) {
                if (!(x > 0)) continue;
                const Extended y = model->ValueAt(x);
                DrawWorldSegment(canvas, t, box, x, box.ymin, x, y);
                DrawWorldSegment(canvas, t, box, box.xmin, y, x, y);
                if (x >= box.xmin && x <= box.xmax && y >= box.ymin && y <= box.ymax) {
                    canvas.DrawText({XToPixel(t, x) + 3, YToPixel(t, y) - 2}, label);
                }
            }
            canvas.SetFont(saved_font);
        }
    }

    // The points, each pixel once, in data order.
    const std::span<const Extended> mx =
        model ? model->MarkedX() : std::span<const Extended>(data.x);
    const std::span<const Extended> my =
        model ? model->MarkedY() : std::span<const Extended>(data.y);
    const bool marks_data = mx.data() == data.x.data() && mx.size() == data.size();
    const int radius = std::max(1, (width / 700) * options.PointSize);
    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    canvas.SetBrush({colors::kRed, BrushStyle::Solid});
    PixelSet taken(width + 1, height + 1);
    std::vector<std::size_t> labelled;
    for (std::size_t i = 0; i < mx.size() && i < my.size(); ++i) {
        const int X = XToPixel(t, mx[i]);
        const int Y = YToPixel(t, my[i]);
        if (!(left + radius < X && X < width - radius && radius < Y && Y < bottom - radius)) {
            continue;
        }
        if (!taken.Take(X, Y)) continue;
        canvas.DrawEllipse({X - radius, Y - radius, X + radius, Y + radius});
        if (options.ShowRowNumbers && marks_data) labelled.push_back(i);
    }
    canvas.SetBrushStyle(BrushStyle::Clear);
    if (!labelled.empty()) {
        // A row number that would run into one already written is left out: on crowded or
        // replicated points one readable label is worth more than a smear of them.
        canvas.SetTextAlign({HAlign::Left, VAlign::Bottom});
        const int label_height = std::max(1, MeasureHeight(canvas, measure, "1"));
        const int w = width + 1;
        const int h = height + 1;
        std::vector<bool> used(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
        auto at = [&](int x, int y) { return static_cast<std::size_t>(y) * w + x; };
        // Row numbers are digits: their widths are measured once per length.
        std::vector<int> digit_widths;
        auto label_width = [&](const std::string& name) {
            if (!std::all_of(name.begin(), name.end(),
                             [](char c) { return c >= '0' && c <= '9'; })) {
                return MeasureWidth(canvas, measure, name);
            }
            if (digit_widths.size() <= name.size()) digit_widths.resize(name.size() + 1, -1);
            int& known = digit_widths[name.size()];
            if (known < 0) known = MeasureWidth(canvas, measure, std::string(name.size(), '0'));
            return known;
        };
        for (std::size_t i : labelled) {
            const int x0 = XToPixel(t, mx[i]) + radius + 1;
            const int y1 = YToPixel(t, my[i]) - radius;
            const int y0 = std::max(0, y1 - label_height);
            if (x0 >= w || y1 <= 0 || used[at(x0, y0)]) continue;
            const std::string& name = data.PointName(i);
            const int x1 = std::min(w, x0 + label_width(name));
            bool free = true;
            for (int y = y0; y < y1 && free; ++y) {
                for (int x = x0; x < x1; ++x) {
                    if (used[at(x, y)]) {
                        free = false;
                        break;
                    }
                }
            }
            if (!free) continue;
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) used[at(x, y)] = true;
            }
            canvas.DrawText({x0, y1}, name);
        }
    }

    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    for (const GraphText& text : options.texts) {
        canvas.SetFont(text.font);
        canvas.DrawText({XToPixel(t, text.x), YToPixel(t, text.y)}, text.text);
    }
    canvas.SetFont(saved_font);
    return layout;
}

void FitRangesToData(RegressionViewOptions& options, const RegressionData& data,
                     const FittedModel* model, int box_width, int box_height) {
    const std::span<const Extended> xs =
        model ? model->MarkedX() : std::span<const Extended>(data.x);
    const std::span<const Extended> ys =
        model ? model->MarkedY() : std::span<const Extended>(data.y);
    if (xs.empty() || ys.empty()) return;
    const auto [xmin, xmax] = std::minmax_element(xs.begin(), xs.end());
    const auto [ymin, ymax] = std::minmax_element(ys.begin(), ys.end());
    options.XMin = *xmin;
    options.XMax = *xmax;
    options.YMin = *ymin;
    options.YMax = *ymax;
    if (options.Proportional) MakeProportional(options, box_width, box_height);
}

void MakeProportional(RegressionViewOptions& options, int box_width, int box_height) {
    if (box_width <= 0 || box_height <= 0) return;
    const Extended dx = options.XMax - options.XMin;
    const Extended dy = options.YMax - options.YMin;
    const Extended r = static_cast<Extended>(box_width) / box_height;
    if (dx <= dy * r) {
        const Extended c = (options.XMax + options.XMin) / 2;
        options.XMin = c - dy * r / 2;
        options.XMax = c + dy * r / 2;
    } else {
        const Extended c = (options.YMax + options.YMin) / 2;
        options.YMin = c - dx / r / 2;
        options.YMax = c + dx / r / 2;
    }
}

void IncludeZero(RegressionViewOptions& options, bool x_axis, bool y_axis) {
    if (x_axis) {
        options.XMin = std::min<Extended>(options.XMin, 0);
        options.XMax = std::max<Extended>(options.XMax, 0);
    }
    if (y_axis) {
        options.YMin = std::min<Extended>(options.YMin, 0);
        options.YMax = std::max<Extended>(options.YMax, 0);
    }
}

void Zoom(RegressionViewOptions& options, bool in) {
    const Extended factor = in ? 0.5L : 2.0L;
    options.XMax *= factor;
    options.YMax *= factor;
    options.Proportional = false;
}

void Shrink(RegressionViewOptions& options, bool smaller) {
    options.ShrinkLevel = std::clamp(options.ShrinkLevel + (smaller ? 1 : -1), 1, 14);
}

bool SetOwnRange(RegressionViewOptions& options, bool x_axis, const std::string& minimum_text,
                 const std::string& maximum_text, char decimal_separator) {
    const auto lo = ParseNumber(minimum_text, decimal_separator);
    const auto hi = ParseNumber(maximum_text, decimal_separator);
    if (!lo || !hi || !(*hi > *lo)) return false;
    (x_axis ? options.XMin : options.YMin) = *lo;
    (x_axis ? options.XMax : options.YMax) = *hi;
    return true;
}

std::string OwnRangeText(Extended value) {
    return FormatSignificant(2, value);
}

std::string RegressionLevelText(Extended level) {
    return FormatSignificant(4, 100 * level) + "%";
}

Extended StepLevel(Extended level, Extended delta) {
    Extended next = level + delta;
    if (std::fabs(std::fabs(delta) - 0.001L) < 1e-9L) next = std::round(next * 1000) / 1000;
    if (next >= 0.99999L) return 0.9999L;
    if (next <= 0.8L) return 0.8L;
    return next;
}

}  // namespace tabulon

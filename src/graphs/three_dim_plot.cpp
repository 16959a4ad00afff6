// The three-dimensional plot: rescaling, the turned and perspective view, and its drawing.
#include "graphs/three_dim_plot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "base/language.h"
#include "graphs/number_formats.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Color kGridGrey{160, 160, 160};

double Radians(int degrees) {
    return degrees * std::numbers::pi / 180.0;
}

}  // namespace

ThreeDimData ThreeDimFromSheet(const Worksheet& sheet, const std::array<int, 3>& columns,
                               char decimal_separator) {
    ThreeDimData data;
    int last = Worksheet::kFixedRows - 1;
    for (int a = 0; a < 3; ++a) {
        data.names[static_cast<std::size_t>(a)] = ColumnLabel(sheet, columns[a]);
        last = std::max(last, LastFilledRow(sheet, columns[a]));
    }
    for (int r = Worksheet::kFixedRows; r <= last; ++r) {
        std::array<Extended, 3> row;
        for (int a = 0; a < 3; ++a) {
            const auto v = ParseNumber(sheet.cell(columns[a], r), decimal_separator);
            row[static_cast<std::size_t>(a)] =
                v && std::isfinite(*v) ? *v : std::numeric_limits<Extended>::quiet_NaN();
        }
        data.rows.push_back(row);
    }
    return data;
}

ThreeDimScaled Rescale(const ThreeDimData& data, bool include_origin) {
    ThreeDimScaled s;
    s.valid = true;
    for (std::size_t a = 0; a < 3; ++a) {
        Extended lo = std::numeric_limits<Extended>::infinity();
        Extended hi = -lo;
        if (include_origin) lo = hi = 0;
        for (const auto& row : data.rows) {
            if (std::isnan(row[a])) continue;
            lo = std::min(lo, row[a]);
            hi = std::max(hi, row[a]);
        }
        if (lo > hi) s.valid = false;
        s.range[a] = {lo, hi};
    }
    if (!s.valid) return s;
    s.percent.reserve(data.rows.size());
    for (const auto& row : data.rows) {
        std::array<double, 3> p;
        for (std::size_t a = 0; a < 3; ++a) {
            const AxisRange& r = s.range[a];
            if (std::isnan(row[a])) {
                p[a] = kNaN;
            } else if (r.max == r.min) {
                p[a] = 50;
            } else {
                p[a] = static_cast<double>((row[a] - r.min) / (r.max - r.min) * 100);
            }
        }
        s.percent.push_back(p);
    }
    return s;
}

ThreeDimView Clamped(ThreeDimView view) {
    view.spin1 = std::clamp(view.spin1, kSpinMin, kSpinMax);
    view.spin2 = std::clamp(view.spin2, kSpinMin, kSpinMax);
    view.spin3 = std::clamp(view.spin3, kSpinMin, kSpinMax);
    view.zoom = std::clamp(view.zoom, kZoomMin, kZoomMax);
    return view;
}

ThreeDimView Restored(ThreeDimView view) {
    const ThreeDimView start;
    view.spin1 = start.spin1;
    view.spin2 = start.spin2;
    view.spin3 = start.spin3;
    view.zoom = start.zoom;
    view.shift_x = 0;
    view.shift_y = 0;
    return view;
}

void ToggleGridXY(ThreeDimView& view) {
    view.grid_xy = !view.grid_xy;
    view.grid_all = false;
}

void ToggleGridAll(ThreeDimView& view) {
    view.grid_all = !view.grid_all;
    if (view.grid_all) view.grid_xy = true;
}

ThreeDimProjector::ThreeDimProjector(int width, int height, const ThreeDimView& view_in,
                                     double shift_scale) {
    const ThreeDimView view = Clamped(view_in);
    // The three turns compose into one matrix about the middle of the box.
    const double a1 = Radians(view.spin1 - 90);
    const double a2 = Radians(view.spin2 - 90);
    const double a3 = Radians(view.spin3);
    const double c1 = std::cos(a1), s1 = std::sin(a1);
    const double c2 = std::cos(a2), s2 = std::sin(a2);
    const double c3 = std::cos(a3), s3 = std::sin(a3);
    for (int k = 0; k < 3; ++k) {
        double x = k == 0, y = k == 1, z = k == 2;
        const double x1 = c1 * x - s1 * y;
        const double y1 = s1 * x + c1 * y;
        x = x1;
        y = y1;
        const double y2 = c2 * y - s2 * z;
        const double z2 = c2 * z + s2 * y;
        y = y2;
        z = z2;
        const double z3 = c3 * z - s3 * x;
        const double x3 = c3 * x + s3 * z;
        m_r[0][k] = x3;
        m_r[1][k] = y;
        m_r[2][k] = z3;
    }
    // The set-up square fixes the eye; zoom and shift then move only the picture.
    const int s0 = static_cast<int>(std::lround(0.6 * height));
    TAxisTransform setup;
    SetTransform(setup, 0, 100, (width - s0) / 2, (width - s0) / 2 + s0, 0, 100, (height + s0) / 2,
                 (height + s0) / 2 - s0);
    m_ex = static_cast<double>(PixelToX(width / 2, setup));
    m_ey = static_cast<double>(PixelToY(height / 2, setup));
    m_side = static_cast<int>(std::lround(view.zoom / 100.0 * s0));
    const int x0 = (width - m_side) / 2 + static_cast<int>(std::lround(view.shift_x * shift_scale));
    const int yb = (height + m_side) / 2 + static_cast<int>(std::lround(view.shift_y * shift_scale));
    SetTransform(m_t, 0, 100, x0, x0 + m_side, 0, 100, yb, yb - m_side);
}

std::array<double, 3> ThreeDimProjector::Rotate(double x, double y, double z) const {
    const double dx = x - 50, dy = y - 50, dz = z - 50;
    return {m_r[0][0] * dx + m_r[0][1] * dy + m_r[0][2] * dz + 50,
            m_r[1][0] * dx + m_r[1][1] * dy + m_r[1][2] * dz + 50,
            m_r[2][0] * dx + m_r[2][1] * dy + m_r[2][2] * dz + 50};
}

Point ThreeDimProjector::Project(double x, double y, double z) const {
    const auto [rx, ry, rz] = Rotate(x, y, z);
    if (rz >= m_distance + 1e-20) return {kPixelLimit, kPixelLimit};
    const double f = 1 - rz / m_distance;
    const double px = (rx - m_ex) / f + m_ex;
    const double py = (ry - m_ey) / f + m_ey;
    // The transform's own rounding, inlined for the hundred thousand points of a frame.
    auto pixel = [](double v) {
        return static_cast<int>(std::clamp(std::nearbyint(v), -double(kPixelLimit),
                                           double(kPixelLimit)));
    };
    return {pixel(px * static_cast<double>(m_t.XScale) + static_cast<double>(m_t.XOffset)),
            pixel(py * static_cast<double>(m_t.YScale) + static_cast<double>(m_t.YOffset))};
}

void RenderThreeDimPlot(Canvas& canvas, int width, int height, const ThreeDimData& data,
                        const ThreeDimScaled& scaled, const ThreeDimView& view,
                        const std::string& caption, const TextMeasurer& measure,
                        double shift_scale) {
    canvas.SetPen(Pen{colors::kWhite, 1, PenStyle::Clear});
    canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Solid});
    canvas.DrawRectangle(Rect{0, 0, width, height});
    if (width < 20 || height < 20 || !scaled.valid) return;
    const ThreeDimProjector p(width, height, view, shift_scale);
    auto line = [&](double x1, double y1, double z1, double x2, double y2, double z2) {
        canvas.DrawLine(p.Project(x1, y1, z1), p.Project(x2, y2, z2));
    };

    // The box: grid planes, or the bare axes from the corner at the minima.
    constexpr int n = 5;
    const Pen axis_pen{colors::kBlack, 1, PenStyle::Solid};
    const Pen grid_pen{kGridGrey, 1, PenStyle::Solid};
    canvas.SetPen(axis_pen);
    if (view.grid_xy) {
        for (int i = n; i >= 0; --i) {
            const double v = 100.0 * i / n;
            canvas.SetPen(i == 0 ? axis_pen : grid_pen);
            line(0, v, 0, 100, v, 0);
            line(v, 0, 0, v, 100, 0);
        }
    } else {
        line(0, 0, 0, 100, 0, 0);
        line(0, 0, 0, 0, 100, 0);
    }
    if (view.grid_all) {
        for (int i = n; i >= 0; --i) {
            const double v = 100.0 * i / n;
            canvas.SetPen(i == 0 ? axis_pen : grid_pen);
            line(0, 0, v, 100, 0, v);
            line(0, 0, v, 0, 100, v);
            line(v, 0, 0, v, 0, 100);
            line(0, v, 0, 0, v, 100);
        }
    } else {
        canvas.SetPen(axis_pen);
        line(0, 0, 0, 0, 0, 100);
    }

    // Axis names beyond the ends of the axes, the ranges and the caption.
    canvas.SetPen(axis_pen);
    canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Clear});
    canvas.SetTextAlign(TextAlign{HAlign::Left, VAlign::Top});
    canvas.DrawText(p.Project(105, 0, 0), data.names[0]);
    canvas.DrawText(p.Project(0, 105, 0), data.names[1]);
    canvas.DrawText(p.Project(0, 0, 105), data.names[2]);
    const int th = std::max(1, measure.MeasureTextHeight("P"));
    for (std::size_t a = 0; a < 3; ++a) {
        canvas.DrawText({0, static_cast<int>(a) * th},
                        data.names[a] + ": Min= " + FormatSignificant(4, scaled.range[a].min) +
                            " Max= " + FormatSignificant(4, scaled.range[a].max));
    }
    const int top_edge = YToPixel(p.transform(), 100);
    canvas.DrawText({0, top_edge - (4 * th) / 3}, "Data file: " + caption);

    // Drop lines under the points, then the points.
    const std::size_t count = scaled.percent.size();
    std::vector<Point> at(count);
    std::vector<bool> drawn(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        const auto& q = scaled.percent[i];
        if (std::isnan(q[0]) || std::isnan(q[1]) || std::isnan(q[2])) continue;
        at[i] = p.Project(q[0], q[1], q[2]);
        drawn[i] = true;
    }
    if (view.drop_lines) {
        canvas.SetPen(Pen{colors::kBlue, 1, PenStyle::Solid});
        std::vector<Point> ends;
        ends.reserve(2 * count);
        for (std::size_t i = 0; i < count; ++i) {
            if (!drawn[i]) continue;
            const auto& q = scaled.percent[i];
            ends.push_back(at[i]);
            ends.push_back(p.Project(q[0], q[1], 0));
        }
        canvas.DrawLines(ends);
    }
    const int half = std::max(2, p.side() / 200);
    canvas.SetPen(Pen{colors::kRed, 1, PenStyle::Solid});
    canvas.SetBrush(Brush{colors::kRed, BrushStyle::Solid});
    std::vector<Rect> markers;
    markers.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!drawn[i]) continue;
        markers.push_back(Rect{at[i].x - half, at[i].y - half, at[i].x + half, at[i].y + half});
    }
    canvas.DrawRectangles(markers);
}

std::string ThreeDimCaption(const ThreeDimData& data) {
    return "3-Dim plot: " + data.names[0] + " versus  " + data.names[1] + " versus  " +
           data.names[2];
}

std::vector<std::string> ThreeDimLines(const ThreeDimData& data, const ThreeDimScaled& scaled) {
    std::vector<std::string> lines{ThreeDimCaption(data)};
    for (std::size_t a = 0; a < 3; ++a) {
        lines.push_back(data.names[a] + ": Min= " + FormatSignificant(4, scaled.range[a].min) +
                        " Max= " + FormatSignificant(4, scaled.range[a].max));
    }
    std::size_t shown = 0;
    for (const auto& q : scaled.percent) {
        if (!std::isnan(q[0]) && !std::isnan(q[1]) && !std::isnan(q[2])) ++shown;
    }
    lines.push_back(ChooseText("Points drawn: ", "Ritade punkter: ") + std::to_string(shown));
    return lines;
}

}  // namespace tabulon

// The bar chart: reading the columns once, and drawing the four chart types.
#include "graphs/bar_chart.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "base/language.h"
#include "graphs/axis_ticks.h"
#include "graphs/group_color.h"
#include "graphs/number_formats.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"
#include "graphs/xy_graph.h"

namespace tabulon {
namespace {

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();
constexpr Color kFaceGrey{192, 192, 192};

bool Readable(Extended v) {
    return !std::isnan(v);
}

Extended ValueAt(const BarSeries& s, int row) {
    const auto i = static_cast<std::size_t>(row - 1);
    return i < s.values.size() ? s.values[i] : kNaN;
}

void Summarise(BarChartData& data) {
    Extended lo = std::numeric_limits<Extended>::infinity();
    Extended hi = -lo;
    data.summaries.clear();
    for (const BarSeries& s : data.series) {
        ColumnSummary c;
        Extended sum = 0;
        Extended sum2 = 0;
        for (Extended v : s.values) {
            if (!Readable(v)) continue;
            ++c.n;
            sum += v;
            sum2 += v * v;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        if (c.n >= 2) {
            c.mean = sum / c.n;
            // Rounding can leave the raw sums a hair negative for equal values.
            const Extended variance = std::max<Extended>(0, (sum2 - sum * sum / c.n) / (c.n - 1));
            c.half = variance > 1e-30L ? std::sqrt(variance) : variance;
            c.has_bar = true;
        }
        data.summaries.push_back(c);
    }
    if (lo > hi) lo = hi = 0;  // no value at all
    // Positive data always start at zero; then an empty range gets a height of one. Raising
    // the top before moving the bottom would leave bars of equal values above the chart.
    if (lo > 0) lo = 0;
    if (hi == lo) hi = lo + 1;
    data.ValueMin = lo;
    data.ValueMax = hi;
}

Brush SeriesBrush(const BarChartOptions& o, int j) {
    if (o.colour) return Brush{GroupColor(j), BrushStyle::Solid};
    static constexpr BrushStyle kHatch[6] = {BrushStyle::BDiagonal, BrushStyle::Cross,
                                             BrushStyle::DiagCross, BrushStyle::FDiagonal,
                                             BrushStyle::Horizontal, BrushStyle::Vertical};
    return Brush{colors::kBlack, kHatch[j % 6]};
}

Color Shade(Color c, double factor) {
    auto mix = [&](std::uint8_t v) {
        const double r = factor >= 1 ? v + (255 - v) * (factor - 1) : v * factor;
        return static_cast<std::uint8_t>(std::clamp(std::lround(r), 0L, 255L));
    };
    return Color{mix(c.r), mix(c.g), mix(c.b)};
}

struct Painter {
    Canvas& canvas;
    const BarChartOptions& o;
    TAxisTransform t;
    int zero_y = 0;
    int depth = 0;

    // Bars narrower than a pixel are only their outline, one black line from the zero line;
    // those that fall on the same pixel column are drawn as one line over their union, which
    // paints the same pixels (a thousand rows of a hundred columns are 100,000 such bars).
    struct Thin {
        int x = 0, top = 0, bottom = 0;
    };
    std::optional<Thin> thin;

    void Flush() {
        if (!thin) return;
        canvas.SetPen(Pen{});
        canvas.DrawRectangle(Rect{thin->x, thin->top, thin->x, thin->bottom});
        thin.reset();
    }

    // The rectangle from the zero line to v between two x positions, with its 3-D faces.
    void Bar(Extended x1, Extended x2, Extended v, int series) {
        const int X1 = XToPixel(t, x1);
        const int X2 = XToPixel(t, x2);
        const int Y = YToPixel(t, v);
        const int top = std::min(Y, zero_y);
        const int bottom = std::max(Y, zero_y);
        if (X1 == X2 && depth <= 0) {
            if (thin && thin->x == X1) {
                thin->top = std::min(thin->top, top);
                thin->bottom = std::max(thin->bottom, bottom);
            } else {
                Flush();
                thin = Thin{X1, top, bottom};
            }
            return;
        }
        Flush();
        canvas.SetPen(Pen{});
        const Brush front = SeriesBrush(o, series);
        canvas.SetBrush(front);
        canvas.DrawRectangle(Rect{X1, top, X2, bottom});
        if (depth <= 0) return;
        const int d = depth;
        Brush face{kFaceGrey, BrushStyle::Solid};
        if (o.colour) face.color = Shade(front.color, 1.45);
        canvas.SetBrush(face);
        const Point top_face[4] = {{X1, top}, {X1 + d, top - d}, {X2 + d, top - d}, {X2, top}};
        canvas.DrawPolygon(top_face);
        if (o.colour) face.color = Shade(front.color, 0.65);
        canvas.SetBrush(face);
        const Point side[4] = {{X2, top}, {X2 + d, top - d}, {X2 + d, bottom - d}, {X2, bottom}};
        canvas.DrawPolygon(side);
    }

    void Separator(Extended x, int gap) {
        canvas.SetPen(Pen{});
        const int X = XToPixel(t, x);
        canvas.DrawLine({X, zero_y}, {X, zero_y + gap});
    }
};

// The depth of the 3-D faces: a third of a bar, never wider than the canvas can spare, and
// none at all on bars too thin to show it.
int FaceDepth(const TAxisTransform& t, Extended bar_width, int width) {
    const int pixels = XToPixel(t, 1 + bar_width) - XToPixel(t, 1);
    if (pixels < 4) return 0;
    return std::clamp(pixels / 3, 1, std::max(1, width / 50));
}

}  // namespace

BarChartData MakeBarChartData(std::vector<std::string> captions,
                              const std::vector<std::vector<std::string>>& cells,
                              char decimal_separator) {
    BarChartData data;
    for (std::size_t j = 0; j < captions.size(); ++j) {
        BarSeries s;
        s.caption = std::move(captions[j]);
        if (j < cells.size()) {
            const auto& column = cells[j];
            s.values.reserve(column.size());
            for (std::size_t r = 0; r < column.size(); ++r) {
                if (column[r].empty()) {
                    s.values.push_back(kNaN);
                    continue;
                }
                data.RowsUsed = std::max(data.RowsUsed, static_cast<int>(r) + 1);
                const auto v = ParseNumber(column[r], decimal_separator);
                s.values.push_back(v && std::isfinite(*v) ? *v : kNaN);
            }
        }
        data.series.push_back(std::move(s));
    }
    Summarise(data);
    return data;
}

BarChartData BarChartFromSheet(const Worksheet& sheet, const std::vector<int>& columns,
                               char decimal_separator) {
    BarChartData data;
    for (int c : columns) {
        BarSeries s;
        s.caption = ColumnTitle(sheet, c);
        for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
            const std::string_view text = sheet.cell(c, r);
            if (text.empty()) {
                s.values.push_back(kNaN);
                continue;
            }
            data.RowsUsed = std::max(data.RowsUsed, r - Worksheet::kFixedRows + 1);
            const auto v = ParseNumber(text, decimal_separator);
            s.values.push_back(v && std::isfinite(*v) ? *v : kNaN);
        }
        data.series.push_back(std::move(s));
    }
    for (BarSeries& s : data.series) s.values.resize(static_cast<std::size_t>(data.RowsUsed));
    Summarise(data);
    return data;
}

BarChartData MakeBarChartData(std::vector<std::string> captions,
                              std::vector<std::vector<Extended>> values) {
    BarChartData data;
    for (std::size_t j = 0; j < captions.size(); ++j) {
        BarSeries s;
        s.caption = std::move(captions[j]);
        if (j < values.size()) s.values = std::move(values[j]);
        for (Extended& v : s.values) {
            if (!std::isfinite(v)) v = kNaN;
        }
        for (std::size_t r = s.values.size(); r > 0; --r) {
            if (Readable(s.values[r - 1])) {
                data.RowsUsed = std::max(data.RowsUsed, static_cast<int>(r));
                break;
            }
        }
        data.series.push_back(std::move(s));
    }
    Summarise(data);
    return data;
}

BarChartOptions OpeningOptions(const BarChartData& data) {
    BarChartOptions o;
    if (data.series.size() > 1) o.type = BarChartType::ColumnMeans;
    return o;
}

std::string ScaleText(Extended value) {
    return FormatGeneral(value, 5, 2, DecimalSeparator());
}

ChartScale CurrentScale(const BarChartData& data, const BarChartOptions& o) {
    ChartScale s;
    if (o.manual_scale) {
        // The same margin below the first tick as the automatic scale leaves under the data.
        s.start = o.scale_start;
        s.step = o.scale_step;
        s.top = o.scale_top;
        s.bottom = s.start - (s.top - s.start) / 11;
        s.last_tick = s.top;
        return s;
    }
    const Extended r = data.ValueMax - data.ValueMin;
    s.bottom = data.ValueMin - 0.1L * r;
    s.top = data.ValueMax + 0.1L * r;
    if (!NiceTickStep(s.start, s.step, data.ValueMin, data.ValueMax)) s.step = 0;
    s.last_tick = data.ValueMax + s.step;
    return s;
}

BarChartLayout RenderBarChart(Canvas& canvas, int W, int H, const BarChartData& data,
                              const BarChartOptions& o, const TextMeasurer& measure) {
    BarChartLayout layout;
    if (W < 40 || H < 40 || data.series.empty()) return layout;
    const int S = static_cast<int>(data.series.size());
    const BarChartType type = o.type;
    const bool by_columns = type == BarChartType::ByColumns || type == BarChartType::ColumnMeans;

    canvas.SetFont(o.axis_font);
    canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Clear});
    const int frame = std::max(1, W / 200);
    canvas.SetPen(Pen{colors::kRed, frame, PenStyle::Solid});
    canvas.DrawRectangle(Rect{frame / 2, frame / 2, W - 1 - frame / 2, H - 1 - frame / 2});
    canvas.SetPen(Pen{});
    const int text_h = std::max(1, measure.MeasureTextHeight("0"));
    const int offset = static_cast<int>(std::lround(o.axis_font.point_size * 1.6));
    const int gap = H / 120;

    // The value scale.
    TAxisTransform& t = layout.transform;
    const ChartScale scale = CurrentScale(data, o);
    const Extended start = scale.start;
    const Extended step = scale.step;
    const Extended last_tick = scale.last_tick;
    if (!SetYTransform(t, scale.bottom, scale.top, H, 0)) return layout;
    layout.scale_start = start;
    layout.scale_step = step;
    layout.scale_top = PixelToY(0, t);

    // Tick labels first, so that the value axis sits right of the widest.
    std::vector<std::pair<int, std::string>> ticks;
    if (std::isfinite(step) && step > 0) {
        for (int k = 0; k < kMaxTicks; ++k) {
            Extended v = start + k * step;
            if (v > last_tick + step * 1e-9L) break;
            const int y = YToPixel(t, v);
            if (y < 0 || y > H) continue;
            if (std::fabs(v) < step / 1000) v = 0;
            ticks.emplace_back(y, FormatTickShort(v));
        }
    }
    int widest_tick = 0;
    for (const auto& [y, text] : ticks) widest_tick = std::max(widest_tick, measure.MeasureTextWidth(text));
    const int tick_len = std::max(3, text_h / 3);
    const int left = std::max(W / 20, widest_tick + tick_len + text_h / 2 + frame);

    int right = W - W / 40;
    int widest_caption = 0;
    int tallest_caption = 0;
    if (o.legend) {
        for (const BarSeries& s : data.series) {
            widest_caption = std::max(widest_caption, measure.MeasureTextWidth(s.caption));
            tallest_caption = std::max(tallest_caption, measure.MeasureTextHeight(s.caption));
        }
        tallest_caption = std::max(tallest_caption, text_h);
        right = W - widest_caption - 3 * tallest_caption;
    }
    right = std::max(right, left + 10);
    const int count = std::max(1, by_columns ? S : data.RowsUsed);
    SetXTransform(t, 1, count + 1, left, right);
    layout.left = left;
    layout.right = right;
    layout.zero_y = YToPixel(t, 0);
    layout.valid = true;

    // Ticks and grid.
    canvas.SetTextAlign(TextAlign{HAlign::Right, VAlign::Top});
    for (const auto& [y, text] : ticks) {
        if (o.grid) {
            canvas.SetPen(Pen{colors::kGrey, 1, PenStyle::Dot});
            canvas.DrawLine({left, y}, {right, y});
        }
        canvas.SetPen(Pen{});
        canvas.DrawLine({left - tick_len, y}, {left, y});
        canvas.DrawText({left - tick_len - text_h / 4, y - text_h / 2}, text);
    }
    if (!ticks.empty()) canvas.DrawLine({left, ticks.front().first}, {left, ticks.back().first});
    canvas.DrawLine({left, layout.zero_y}, {XToPixel(t, count + 1), layout.zero_y});

    // Legend.
    if (o.legend) {
        const int line = std::max(offset, tallest_caption) + tallest_caption / 3;
        canvas.SetTextAlign(TextAlign{HAlign::Left, VAlign::Top});
        for (int j = 1; j <= S; ++j) {
            const int y = tallest_caption + (j - 1) * line;
            if (y + tallest_caption > H) break;
            canvas.SetPen(Pen{});
            canvas.SetBrush(SeriesBrush(o, j));
            canvas.DrawRectangle(Rect{right + tallest_caption / 2, y, right + 3 * tallest_caption / 2,
                                      y + tallest_caption});
            canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Clear});
            canvas.DrawText({right + 2 * tallest_caption, y},
                            data.series[static_cast<std::size_t>(j - 1)].caption);
        }
    }

    Painter p{canvas, o, t, layout.zero_y, 0, std::nullopt};
    const int label_y = layout.zero_y + gap + (o.three_d ? 0 : 1);
    // A label under the axis, left out when it would run into the one before.
    int last_right = std::numeric_limits<int>::min();
    auto label_under = [&](Extended x, const std::string& text, bool always, bool round_ten) {
        if (!always && !round_ten) return;
        const int X = XToPixel(t, x);
        const int w = measure.MeasureTextWidth(text);
        if (!always && X - w / 2 <= last_right) return;
        canvas.SetPen(Pen{});
        canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Clear});
        canvas.SetTextAlign(TextAlign{HAlign::Center, VAlign::Top});
        canvas.DrawText({X, label_y}, text);
        last_right = X + w / 2;
    };

    switch (type) {
        case BarChartType::ByRows: {
            if (o.three_d) p.depth = FaceDepth(t, 0.8L / S, W);
            for (int i = 1; i <= data.RowsUsed; ++i) {
                for (int j = 1; j <= S; ++j) {
                    const Extended v = ValueAt(data.series[static_cast<std::size_t>(j - 1)], i);
                    if (!Readable(v)) continue;
                    p.Bar(i + 0.8L * (j - 1) / S, i + 0.8L * j / S, v, j);
                }
                if (i < data.RowsUsed) p.Separator(i + 0.95L, gap);
                label_under(i + 0.5L, std::to_string(i), data.RowsUsed < 21, i % 10 == 0);
            }
            break;
        }
        case BarChartType::Points: {
            const int radius = std::max(1, W / 190);
            std::vector<Point> run;
            for (int j = 1; j <= S; ++j) {
                const BarSeries& s = data.series[static_cast<std::size_t>(j - 1)];
                canvas.SetPen(Pen{GroupColor(j), 1, PenStyle::Solid});
                // A line joins neighbouring rows only; an unreadable cell breaks it.
                auto flush = [&] {
                    if (run.size() > 1) canvas.DrawPolyline(run);
                    run.clear();
                };
                for (int i = 1; i <= data.RowsUsed; ++i) {
                    const Extended v = ValueAt(s, i);
                    if (!Readable(v)) {
                        flush();
                        continue;
                    }
                    run.push_back({XToPixel(t, i + 0.5L), YToPixel(t, v)});
                }
                flush();
                canvas.SetBrush(SeriesBrush(o, j));
                for (int i = 1; i <= data.RowsUsed; ++i) {
                    const Extended v = ValueAt(s, i);
                    if (!Readable(v)) continue;
                    const int X = XToPixel(t, i + 0.5L);
                    const int Y = YToPixel(t, v);
                    canvas.DrawEllipse(Rect{X - radius, Y - radius, X + radius, Y + radius});
                }
            }
            for (int i = 1; i <= data.RowsUsed; ++i) {
                label_under(i + 0.5L, std::to_string(i), data.RowsUsed < 21, i % 10 == 0);
            }
            break;
        }
        case BarChartType::ByColumns: {
            const int rows = data.RowsUsed;
            if (o.three_d) p.depth = FaceDepth(t, 1.0L / (rows + 2), W);
            canvas.SetTextAlign(TextAlign{HAlign::Center, VAlign::Bottom});
            for (int i = 1; i <= S; ++i) {
                const BarSeries& s = data.series[static_cast<std::size_t>(i - 1)];
                for (int k = 1; k <= rows; ++k) {
                    const Extended v = ValueAt(s, k);
                    if (!Readable(v)) continue;
                    const Extended x1 = i + Extended(k - 1) / (rows + 2);
                    const Extended x2 = i + Extended(k) / (rows + 2);
                    p.Bar(x1, x2, v, i);
                    if (k == 1 || k % 10 == 0) {
                        p.Flush();
                        canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Clear});
                        canvas.SetTextAlign(TextAlign{HAlign::Center, VAlign::Bottom});
                        const int top = std::min(YToPixel(t, v), layout.zero_y);
                        canvas.DrawText({XToPixel(t, (x1 + x2) / 2),
                                         top - (o.three_d ? p.depth + gap : 1)},
                                        std::to_string(k));
                    }
                }
                if (i < S) p.Separator(i + 0.95L, gap);
                label_under(i + 0.5L, s.caption, i < 20, i % 10 == 0);
            }
            break;
        }
        case BarChartType::ColumnMeans: {
            if (o.three_d) p.depth = FaceDepth(t, 0.8L, W);
            for (int i = 1; i <= S; ++i) {
                const ColumnSummary& c = data.summaries[static_cast<std::size_t>(i - 1)];
                if (c.has_bar) {
                    p.Bar(i, i + 0.8L, c.mean, i);
                    canvas.SetPen(Pen{});
                    const int X = XToPixel(t, i + 0.4L);
                    const int cap = std::max(2, (XToPixel(t, i + 0.8L) - XToPixel(t, i)) / 6);
                    const int hi = YToPixel(t, c.mean + c.half);
                    const int mid = YToPixel(t, c.mean);
                    const int lo = o.three_d ? mid : YToPixel(t, c.mean - c.half);
                    canvas.DrawLine({X, lo}, {X, hi});
                    canvas.DrawLine({X - cap, hi}, {X + cap + 1, hi});
                    if (!o.three_d) canvas.DrawLine({X - cap, lo}, {X + cap + 1, lo});
                }
                if (i < S) p.Separator(i + 0.95L, gap);
                label_under(i + 0.4L, data.series[static_cast<std::size_t>(i - 1)].caption, i < 20,
                            i % 10 == 0);
            }
            break;
        }
    }
    p.Flush();
    layout.depth = p.depth;

    // The user's own texts lie on top of everything.
    canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Clear});
    canvas.SetTextAlign(TextAlign{HAlign::Left, VAlign::Top});
    for (const ChartText& text : o.texts) {
        canvas.SetFont(text.font);
        canvas.DrawText({XToPixel(t, text.x), YToPixel(t, text.y)}, text.text);
    }
    canvas.SetFont(o.axis_font);
    return layout;
}

std::vector<std::string> BarChartLines(const BarChartData& data, const std::string& caption) {
    std::vector<std::string> lines;
    if (!caption.empty()) lines.push_back(caption);
    lines.push_back(ChooseText("Column\tn\tMean\tStd dev", "Kolumn\tn\tMedelvärde\tStd avv"));
    for (std::size_t j = 0; j < data.series.size(); ++j) {
        const ColumnSummary& c = data.summaries[j];
        std::string line = data.series[j].caption + '\t' + std::to_string(c.n);
        if (c.has_bar) {
            line += '\t' + FormatSignificant(6, c.mean) + '\t' + FormatSignificant(6, c.half);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace tabulon

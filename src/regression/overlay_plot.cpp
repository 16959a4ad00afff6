// The overlay plot's data, default axes, table and drawing.
#include "regression/overlay_plot.h"

#include <algorithm>
#include <cmath>

#include "base/language.h"
#include "graphs/axis_ticks.h"
#include "graphs/axis_transform.h"
#include "graphs/group_color.h"
#include "graphs/xy_graph.h"
#include "numeric/f_distribution.h"
#include "numeric/number_text.h"
#include "numeric/t_distribution.h"
#include "regression/regression_texts.h"
#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

constexpr std::size_t kXCaptionLength = 54;
constexpr std::size_t kYCaptionLength = 50;
// No range is so wide or narrow that its step needs more halvings or doublings than this.
constexpr int kStepRounds = 400;

std::string Truncated(std::string text, std::size_t length) {
    if (text.size() <= length) return text;
    std::size_t cut = length;
    // Never in the middle of a UTF-8 character.
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut);
}

std::string PairCellText(const Worksheet& sheet, int column, int row) {
    if (column == kOverlayRowNumbers) return std::to_string(row - Worksheet::kFixedRows + 1);
    return std::string(sheet.cell(column, row));
}

std::string CaptionOf(const Worksheet& sheet, int column) {
    if (column == kOverlayRowNumbers) return ChooseText("Row Numbers", "Radnummer");
    return ColumnTitle(sheet, column);
}

std::optional<Extended> Read(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const auto v = ParseNumber(text, DecimalSeparator());
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

// The readable points of a series.
void Points(const OverlaySeries& s, std::vector<Extended>& x, std::vector<Extended>& y) {
    for (std::size_t i = 0; i < s.XTexts.size() && i < s.YTexts.size(); ++i) {
        const auto xv = Read(s.XTexts[i]);
        const auto yv = Read(s.YTexts[i]);
        if (!xv || !yv) continue;
        x.push_back(*xv);
        y.push_back(*yv);
    }
}

void Widen(Extended& min, Extended& max, bool any, Extended& step) {
    if (!any) {
        min = 0;
        max = 1;
    } else if (min == max) {
        max = min > 0 ? 2 * min : min == 0 ? 1 : -min;
    }
    step = OverlayTickStep(min, max);
    min = LastTickBelow(min, step);
    max = FirstTickAbove(max, step);
}

}  // namespace

OverlayData OverlayFromSheet(const Worksheet& sheet, int x_column, const std::vector<int>& y_columns) {
    std::vector<std::pair<int, int>> pairs;
    for (int y : y_columns) pairs.emplace_back(x_column, y);
    OverlayData data = OverlayFromPairs(sheet, pairs);
    return data;
}

OverlayData OverlayFromPairs(const Worksheet& sheet, const std::vector<std::pair<int, int>>& pairs) {
    OverlayData data;
    if (!pairs.empty()) data.XCaption = Truncated(CaptionOf(sheet, pairs.front().first), kXCaptionLength);
    for (const auto& [xc, yc] : pairs) {
        if (static_cast<int>(data.series.size()) + 1 >= kMaxOverlayLists) break;
        OverlaySeries s;
        s.caption = Truncated(CaptionOf(sheet, yc), kYCaptionLength);
        for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
            std::string x = PairCellText(sheet, xc, r);
            if (xc == kOverlayRowNumbers && yc != kOverlayRowNumbers && sheet.cell(yc, r).empty()) {
                continue;
            }
            if (x.empty()) continue;
            s.XTexts.push_back(std::move(x));
            s.YTexts.push_back(PairCellText(sheet, yc, r));
        }
        data.series.push_back(std::move(s));
    }
    return data;
}

Extended OverlayTickStep(Extended min, Extended max) {
    const Extended range = max - min;
    if (!(range > 0) || !std::isfinite(range)) return 1;
    Extended step = std::pow(Extended(10), std::trunc(std::log10(range) - 1));
    const Extended first = range / step;
    for (int i = 0; i < kStepRounds && range / step >= 20; ++i) step *= 2;
    if (first < 6) {
        for (int i = 0; i < kStepRounds && range / step <= 6; ++i) step /= 2;
    }
    return step;
}

OverlayAxes OverlayDefaultAxes(const OverlayData& data) {
    OverlayAxes a;
    bool any = false;
    Extended xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    for (const OverlaySeries& s : data.series) {
        std::vector<Extended> x, y;
        Points(s, x, y);
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (!any) {
                xmin = xmax = x[i];
                ymin = ymax = y[i];
                any = true;
            }
            xmin = std::min(xmin, x[i]);
            xmax = std::max(xmax, x[i]);
            ymin = std::min(ymin, y[i]);
            ymax = std::max(ymax, y[i]);
        }
    }
    Widen(xmin, xmax, any, a.XStep);
    Widen(ymin, ymax, any, a.YStep);
    a.XMin = xmin;
    a.XMax = xmax;
    a.YMin = ymin;
    a.YMax = ymax;
    return a;
}

OverlayAxes OverlayReadAxes(OverlayAxes a) {
    for (auto [min, max, step] : {std::tie(a.XMin, a.XMax, a.XStep), std::tie(a.YMin, a.YMax, a.YStep)}) {
        if (!(step > 0)) step = OverlayTickStep(std::min(min, max), std::max(min, max));
        if (min > max) std::swap(min, max);
        if (min == max) max = min + step;
    }
    return a;
}

std::optional<TRegressionLine> OverlayLine(const OverlaySeries& series) {
    std::vector<Extended> x, y;
    Points(series, x, y);
    TRegressionLine line;
    if (x.size() < 2 || !ComputeRegressionLine(x, y, LineMode::LeastSquares, 0, line)) {
        return std::nullopt;
    }
    return line;
}

std::vector<std::string> OverlayTableHeader(const OverlayData& data) {
    return {"x = " + data.XCaption,
            ChooseText("Graph", "Graf"),
            ChooseText("Relation", "Samband"),
            "n",
            ChooseText("Smallest value", "Minsta värde"),
            ChooseText("Highest value", "Största värde"),
            ChooseText("Confidence interval 95%", "Konfidensintervall 95%"),
            "r²",
            "F",
            "F 5%"};
}

std::vector<std::string> OverlayTableRow(const OverlayData& data, int series, bool shown) {
    const OverlaySeries& s = data.series[static_cast<std::size_t>(series)];
    std::vector<std::string> row(10);
    row[0] = "y" + std::to_string(series + 1) + " =" + s.caption;
    row[1] = shown ? "X" : "";
    std::vector<Extended> x, y;
    Points(s, x, y);
    if (!y.empty()) {
        const char sep = DecimalSeparator();
        row[4] = FormatShortest(*std::min_element(y.begin(), y.end()), sep);
        row[5] = FormatShortest(*std::max_element(y.begin(), y.end()), sep);
    }
    const auto line = OverlayLine(s);
    if (!line) return row;
    std::string relation = "y=" + FormatG6(line->K) + "x";
    if (line->L > 0) relation += "+";
    if (line->L != 0) relation += FormatG6(line->L);
    row[2] = relation;
    const long long n = std::llround(line->N);
    row[3] = std::to_string(n);
    row[7] = FormatG6(line->RSquared);
    row[8] = FormatG6(line->F);
    // The interval and the critical F need residual degrees of freedom.
    if (n > 2) {
        const int df = static_cast<int>(n - 2);
        const Extended t = TQuantile(df, 0.025L);
        row[6] = "k = " + FormatG6(line->K) + " ± " + FormatG6(t * std::sqrt(line->S2 / line->Sxx));
        row[9] = "F(1," + std::to_string(df) + ") = " + FormatG4(FQuantile(1, df, 0.95L));
    } else {
        row[6] = row[9] = "-";
    }
    return row;
}

std::string SlopeDifferenceText(const OverlayData& data) {
    const std::string refusal =
        ChooseText("The slopes of y1 and y2 need two lines with four points together",
                   "Lutningarna för y1 och y2 kräver två linjer med tillsammans fyra punkter");
    if (data.series.size() < 2) return refusal;
    const auto l1 = OverlayLine(data.series[0]);
    const auto l2 = OverlayLine(data.series[1]);
    if (!l1 || !l2) return refusal;
    const long long df = std::llround(l1->N + l2->N - 4);
    if (df < 1) return refusal;
    const Extended sp2 = (l1->SSRes + l2->SSRes) / static_cast<Extended>(df);
    const Extended t = TQuantile(static_cast<int>(std::min<long long>(df, 1 << 30)), 0.025L);
    const Extended half = t * std::sqrt(sp2) * std::sqrt(1 / l1->Sxx + 1 / l2->Sxx);
    return "95% " + ChooseText("Confidence inteval ", "Konfidensintervall: ") +
           "k(y1) - k(y2) = " + FormatG6(l1->K - l2->K) + " ± " + FormatG6(half);
}

void RenderOverlayPlot(Canvas& canvas, int width, int height, const OverlayData& data,
                       const OverlayView& view) {
    canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Solid});
    canvas.SetPen(Pen{colors::kWhite, 1, PenStyle::Solid});
    canvas.DrawRectangle({0, 0, width, height});
    const int left = width / 20, right = width - left;
    const int top = height / 20, bottom = height - top;
    const OverlayAxes a = OverlayReadAxes(view.axes);
    TAxisTransform t;
    if (!SetTransform(t, a.XMin, a.XMax, left, right, a.YMin, a.YMax, bottom, top)) return;
    canvas.SetPen(Pen{colors::kBlack, 1, PenStyle::Solid});
    DrawFramedAxes(canvas, t, view.grid, true, true, a.XMin, a.XMax, a.XStep, a.YMin, a.YMax,
                   a.YStep);
    for (std::size_t k = 0; k < data.series.size(); ++k) {
        if (k < view.shown.size() && !view.shown[k]) continue;
        const OverlaySeries& s = data.series[k];
        const Color colour = GroupColor(static_cast<int>(k));
        canvas.SetPen(Pen{colour, view.emphasised == static_cast<int>(k) + 1 ? 3 : 1,
                          PenStyle::Solid});
        DrawPointSeries(canvas, s.XTexts, s.YTexts, t, left, top, right, bottom, 2, colour);
        if (view.point_to_point) {
            DrawSeriesLine(canvas, s.XTexts, s.YTexts, colour, t);
        } else if (const auto line = OverlayLine(s)) {
            DrawClippedLine(canvas, t, colour, line->K, line->L, a.XMin, a.XMax, a.YMin, a.YMax);
        }
    }
}

std::vector<std::string> OverlayLines(const OverlayData& data, const std::vector<bool>& shown) {
    std::vector<std::string> lines;
    const auto join = [](const std::vector<std::string>& cells) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) line += (i ? "\t" : "") + cells[i];
        return line;
    };
    lines.push_back(join(OverlayTableHeader(data)));
    for (std::size_t k = 0; k < data.series.size(); ++k) {
        lines.push_back(join(OverlayTableRow(data, static_cast<int>(k), k >= shown.size() || shown[k])));
    }
    return lines;
}

}  // namespace tabulon

// The all-against-all grid: reading, correlations, cell geometry and drawing.
#include "regression/all_against_all.h"

#include <algorithm>
#include <cmath>

#include "base/language.h"
#include "graphs/axis_transform.h"
#include "graphs/group_color.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

struct PairSums {
    int n = 0;
    Extended mx = 0, my = 0, sxx = 0, syy = 0, sxy = 0;
};

// Means first, then the sums of products of deviations (Welford's update).
PairSums Sums(const AllAgainstAllData& data, int i, int j) {
    PairSums s;
    const auto& a = data.values[static_cast<std::size_t>(i)];
    const auto& b = data.values[static_cast<std::size_t>(j)];
    for (std::size_t r = 0; r < a.size() && r < b.size(); ++r) {
        if (std::isnan(a[r]) || std::isnan(b[r])) continue;
        ++s.n;
        const Extended dx = a[r] - s.mx, dy = b[r] - s.my;
        s.mx += dx / s.n;
        s.my += dy / s.n;
        s.sxx += dx * (a[r] - s.mx);
        s.syy += dy * (b[r] - s.my);
        s.sxy += dx * (b[r] - s.my);
    }
    return s;
}

Rect CellRect(int count, int width, int height, int row, int column) {
    const int cw = width / std::max(count, 1), ch = height / std::max(count, 1);
    return {column * cw, row * ch, (column + 1) * cw, (row + 1) * ch};
}

}  // namespace

AllAgainstAllData AllAgainstAllFromSheet(const Worksheet& sheet, const std::vector<int>& columns,
                                         char decimal_separator) {
    AllAgainstAllData data;
    data.columns = columns;
    for (int c : columns) {
        data.captions.push_back(ColumnTitle(sheet, c));
        std::vector<Extended> v;
        v.reserve(static_cast<std::size_t>(sheet.rowCount()));
        for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
            const std::string_view text = sheet.cell(c, r);
            v.push_back(text.empty() ? NAN : StrToNumber(text, decimal_separator));
        }
        data.values.push_back(std::move(v));
    }
    return data;
}

int PairCount(const AllAgainstAllData& data, int i, int j) {
    return Sums(data, i, j).n;
}

std::optional<Extended> PairCorrelation(const AllAgainstAllData& data, int i, int j) {
    const PairSums s = Sums(data, i, j);
    if (s.n < 2 || !(s.sxx > 0) || !(s.syy > 0)) return std::nullopt;
    return std::clamp<Extended>(s.sxy / std::sqrt(s.sxx * s.syy), -1, 1);
}

std::optional<std::pair<int, int>> AllAgainstAllCellAt(const AllAgainstAllData& data, int width,
                                                       int height, int px, int py) {
    const int m = static_cast<int>(data.columns.size());
    if (m == 0 || width < m || height < m || px < 0 || py < 0) return std::nullopt;
    const int column = px / (width / m), row = py / (height / m);
    if (row >= m || column >= m) return std::nullopt;
    return std::make_pair(row, column);
}

std::pair<int, int> AllAgainstAllPair(int row, int column, const AllAgainstAllView& view) {
    return view.swapped ? std::make_pair(row, column) : std::make_pair(column, row);
}

void RenderAllAgainstAll(Canvas& canvas, int width, int height, const AllAgainstAllData& data,
                         const AllAgainstAllView& view, const TextMeasurer& measure) {
    canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Solid});
    canvas.SetPen(Pen{colors::kWhite, 1, PenStyle::Solid});
    canvas.DrawRectangle({0, 0, width, height});
    const int m = static_cast<int>(data.columns.size());
    if (m == 0) return;
    const int margin = std::max(2, std::min(width, height) / (m * 25));
    const char sep = DecimalSeparator();
    for (int row = 0; row < m; ++row) {
        for (int column = 0; column < m; ++column) {
            const Rect cell = CellRect(m, width, height, row, column);
            canvas.SetBrush(Brush{colors::kWhite, BrushStyle::Clear});
            canvas.SetPen(Pen{colors::kGrey, 1, PenStyle::Solid});
            canvas.DrawRectangle(cell);
            canvas.SetFont(FontSpec{});
            if (row == column) {
                const std::string& caption = data.captions[static_cast<std::size_t>(row)];
                canvas.SetTextAlign({HAlign::Center, VAlign::Top});
                const int h = measure.MeasureTextHeight(caption);
                canvas.DrawText({(cell.left + cell.right) / 2, (cell.top + cell.bottom - h) / 2},
                                caption);
                continue;
            }
            const auto [xi, yi] = AllAgainstAllPair(row, column, view);
            const auto& x = data.values[static_cast<std::size_t>(xi)];
            const auto& y = data.values[static_cast<std::size_t>(yi)];
            Extended xmin = INFINITY, xmax = -INFINITY, ymin = INFINITY, ymax = -INFINITY;
            for (std::size_t r = 0; r < x.size() && r < y.size(); ++r) {
                if (std::isnan(x[r]) || std::isnan(y[r])) continue;
                xmin = std::min(xmin, x[r]);
                xmax = std::max(xmax, x[r]);
                ymin = std::min(ymin, y[r]);
                ymax = std::max(ymax, y[r]);
            }
            TAxisTransform t;
            const int radius = 2;
            if (SetTransform(t, xmin, xmax, cell.left + margin + radius, cell.right - margin - radius,
                             ymin, ymax, cell.bottom - margin - radius, cell.top + margin + radius)) {
                const Color colour = GroupColor(0);
                canvas.SetPen(Pen{colour, 1, PenStyle::Solid});
                canvas.SetBrush(Brush{colour, BrushStyle::Solid});
                for (std::size_t r = 0; r < x.size() && r < y.size(); ++r) {
                    if (std::isnan(x[r]) || std::isnan(y[r])) continue;
                    const int px = XToPixel(t, x[r]), py = YToPixel(t, y[r]);
                    canvas.DrawEllipse({px - radius, py - radius, px + radius, py + radius});
                }
            }
            if (view.correlations) {
                const auto r = PairCorrelation(data, xi, yi);
                canvas.SetTextAlign({HAlign::Left, VAlign::Top});
                canvas.DrawText({cell.left + 2, cell.top + 2},
                                "r=" + (r ? FormatFixed(*r, 6, sep) : std::string("-")));
            }
        }
    }
}

std::vector<std::string> AllAgainstAllLines(const AllAgainstAllData& data) {
    std::vector<std::string> lines;
    std::string header = "r";
    for (const std::string& c : data.captions) header += "\t" + c;
    lines.push_back(header);
    const int m = static_cast<int>(data.columns.size());
    for (int i = 0; i < m; ++i) {
        std::string line = data.captions[static_cast<std::size_t>(i)];
        for (int j = 0; j < m; ++j) {
            const auto r = PairCorrelation(data, i, j);
            line += "\t" + (r ? FormatFixed(*r, 6, DecimalSeparator()) : std::string("-"));
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace tabulon

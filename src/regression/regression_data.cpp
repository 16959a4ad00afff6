// Reading the regression window's points from the worksheet, and what the data alone answer.
#include "regression/regression_data.h"

#include <algorithm>
#include <cmath>

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

std::string TooFewPoints() {
    return ChooseText("Too few data points..", "För få datapunkter..");
}

}  // namespace

std::string RegressionAxisTitle(const Worksheet& sheet, int column) {
    if (column == kRowNumberColumn) return ChooseText("Row number", "Radnummer");
    return ColumnTitle(sheet, column);
}

RegressionDataRead ReadRegressionData(const Worksheet& sheet, int x_column, int y_column,
                                      char decimal_separator) {
    auto data = std::make_shared<RegressionData>();
    data->XTitle = RegressionAxisTitle(sheet, x_column);
    data->YTitle = RegressionAxisTitle(sheet, y_column);
    const bool x_rows = x_column == kRowNumberColumn;
    const bool y_rows = y_column == kRowNumberColumn;
    // With both axes on the row numbers the rows that hold anything are the points.
    const int last = (x_rows && y_rows) ? LastDataRow(sheet) : sheet.rowCount() - 1;
    for (int r = Worksheet::kFixedRows; r <= last; ++r) {
        const std::string number = std::to_string(r - 1);
        std::string_view xt = x_rows ? std::string_view(number) : sheet.cell(x_column, r);
        std::string_view yt = y_rows ? std::string_view(number) : sheet.cell(y_column, r);
        if (xt.empty() || yt.empty()) continue;
        data->x.push_back(StrToNumber(xt, decimal_separator));
        data->y.push_back(StrToNumber(yt, decimal_separator));
        data->XTexts.emplace_back(xt);
        data->YTexts.emplace_back(yt);
        data->RowNumbers.push_back(number);
        data->RowLabels.emplace_back(sheet.cell(kRowNumberColumn, r));
        data->rows.push_back(r);
    }
    if (data->size() < 2) return {nullptr, TooFewPoints()};
    return {std::move(data), {}};
}

std::shared_ptr<const RegressionData> MakeRegressionData(std::vector<std::string> x_texts,
                                                         std::vector<std::string> y_texts,
                                                         std::string x_title, std::string y_title,
                                                         char decimal_separator) {
    auto data = std::make_shared<RegressionData>();
    const std::size_t n = std::min(x_texts.size(), y_texts.size());
    x_texts.resize(n);
    y_texts.resize(n);
    data->x.reserve(n);
    data->y.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        data->x.push_back(StrToNumber(x_texts[i], decimal_separator));
        data->y.push_back(StrToNumber(y_texts[i], decimal_separator));
        data->RowNumbers.push_back(std::to_string(i + 1));
    }
    data->RowLabels.assign(n, std::string());
    data->rows.assign(n, -1);
    data->XTexts = std::move(x_texts);
    data->YTexts = std::move(y_texts);
    data->XTitle = std::move(x_title);
    data->YTitle = std::move(y_title);
    return data;
}

std::shared_ptr<const RegressionData> SwapXY(const RegressionData& data) {
    auto swapped = std::make_shared<RegressionData>(data);
    std::swap(swapped->x, swapped->y);
    std::swap(swapped->XTexts, swapped->YTexts);
    std::swap(swapped->XTitle, swapped->YTitle);
    return swapped;
}

DataRanges RegressionDataRanges(const RegressionData& data) {
    DataRanges r;
    if (data.size() == 0) return r;
    const auto [xmin, xmax] = std::minmax_element(data.x.begin(), data.x.end());
    const auto [ymin, ymax] = std::minmax_element(data.y.begin(), data.y.end());
    r.XMin = *xmin;
    r.XMax = *xmax;
    r.YMin = *ymin;
    r.YMax = *ymax;
    return r;
}

std::vector<std::string> XYValueLines(const RegressionData& data) {
    std::vector<std::string> lines;
    lines.reserve(data.size() + 1);
    lines.push_back("(x:y)");
    for (std::size_t i = 0; i < data.size(); ++i) {
        lines.push_back("(" + data.XTexts[i] + ":" + data.YTexts[i] + ")");
    }
    return lines;
}

int WriteResidualColumn(Worksheet& sheet, const RegressionData& data,
                        const std::vector<Extended>& residuals, bool squares,
                        std::string& refusal) {
    const bool from_sheet = residuals.size() == data.size() &&
                            std::all_of(data.rows.begin(), data.rows.end(), [&](int r) {
                                return r >= Worksheet::kFixedRows && r < sheet.rowCount();
                            });
    if (!from_sheet || data.size() == 0) {
        refusal = ChooseText("The points do not come from this worksheet",
                             "Punkterna kommer inte från detta datafält");
        return 0;
    }
    int column = FirstEmptyColumn(sheet);
    if (column == 0) {
        column = sheet.columnCount();
        sheet.resize(column + 1, sheet.rowCount());
        sheet.setCell(column, 0, std::to_string(column - 1));
    }
    const char sep = DecimalSeparator();
    sheet.setCell(column, 1, "Residual");
    for (std::size_t i = 0; i < data.size(); ++i) {
        // A point the fit left out has no residual: its cell stays empty.
        if (!std::isfinite(residuals[i])) continue;
        const Extended e = squares ? residuals[i] * residuals[i] : residuals[i];
        sheet.setCell(column, data.rows[i], FormatShortest(e, sep));
    }
    return column;
}

}  // namespace tabulon

// Finding the model's variables in the worksheet and writing its predictions.
#include "multivariate/apply_model.h"

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

std::string CannotFindText() {
    return ChooseText("Cannot find this column", "Hittar ej denna kolumn");
}

bool IsSheetColumn(const Worksheet& sheet, int c) {
    return c >= Worksheet::kFixedColumns && c < sheet.columnCount();
}

}  // namespace

std::string UpperCaseName(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00E0 .. U+00FE (but not ÷, U+00F7) are the lower case of U+00C0 .. U+00DE.
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7)
                out[i + 1] = static_cast<char>(next - 0x20);
            ++i;
        }
    }
    return out;
}

std::vector<int> MatchModelColumns(const TModelRecord& model, const Worksheet& sheet) {
    std::vector<int> map(model.XCount + 1, 0);
    for (int j = 1; j <= model.XCount && j < static_cast<int>(model.VariableNames.size()); ++j) {
        const std::string name = UpperCaseName(DisplayName(model.VariableNames[j]));
        if (name.empty()) continue;
        map[j] = -1;
        for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
            if (UpperCaseName(sheet.cell(c, 1)) == name) map[j] = c;
        }
    }
    return map;
}

bool AllModelColumnsFound(const std::vector<int>& column_map, const Worksheet& sheet) {
    for (std::size_t j = 1; j < column_map.size(); ++j) {
        if (!IsSheetColumn(sheet, column_map[j])) return false;
    }
    return true;
}

ModelWindowTable ModelCorrelationTable(const TModelRecord& model,
                                       const std::vector<int>& column_map, const Worksheet& sheet) {
    ModelWindowTable table;
    table.caption = ChooseText("Correlations", "Korrelationer");
    table.rows.push_back(
        {ChooseText("Column name", "Kolumn namn"), ChooseText("Variable names", "Variabelnamn")});
    for (int j = 1; j <= model.XCount; ++j) {
        const int c = j < static_cast<int>(column_map.size()) ? column_map[j] : 0;
        const std::string name =
            j < static_cast<int>(model.VariableNames.size()) ? model.VariableNames[j] : "";
        table.rows.push_back(
            {IsSheetColumn(sheet, c) ? std::string(sheet.cell(c, 1)) : CannotFindText(),
             DisplayName(name)});
    }
    return table;
}

ModelApplication ApplyModel(const TModelRecord& model, Worksheet& sheet, char decimal_separator) {
    ModelApplication out;
    out.column_map = MatchModelColumns(model, sheet);
    const int p = model.XCount;
    if (model.NoModel || static_cast<int>(model.Coefficients.size()) != p + 1) {
        out.refusal = NoModelText();
        return out;
    }
    if (!AllModelColumnsFound(out.column_map, sheet)) {
        for (int j = 1; j <= p; ++j) {
            if (IsSheetColumn(sheet, out.column_map[j])) continue;
            out.refusal = CannotFindText() + ": " + DisplayName(model.VariableNames[j]);
            break;
        }
        return out;
    }
    // Every row is read before anything is written, so a refusal leaves the sheet as it was.
    std::vector<std::string> results(sheet.rowCount());
    std::vector<Extended> x(p);
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        bool any = false;
        for (int j = 1; j <= p; ++j) any = any || !sheet.isEmpty(out.column_map[j], r);
        if (!any) continue;
        for (int j = 1; j <= p; ++j) {
            const int c = out.column_map[j];
            const std::string_view cell = sheet.cell(c, r);
            const auto value = ParseNumber(cell, decimal_separator);
            if (!value) {
                out.refusal = ConversionError(cell).what() + ChooseText(" (row ", " (rad ") +
                              std::to_string(r - 1) + ChooseText(", column ", ", kolumn ") +
                              std::string(sheet.cell(c, 0)) + ")";
                return out;
            }
            x[j - 1] = *value;
        }
        results[r] =
            FormatGeneral(PredictRow(model.Coefficients, x.data()), 6, 2, decimal_separator);
    }
    int column = FirstEmptyColumn(sheet);
    if (column == 0) {
        column = sheet.columnCount();
        sheet.resize(column + 1, sheet.rowCount());
        sheet.setCell(column, 0, std::to_string(column - 1));
    }
    const std::string number(sheet.cell(column, 0));
    sheet.setCell(column, 1, "Col " + number);
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        if (!results[r].empty()) sheet.setCell(column, r, results[r]);
    }
    out.ok = true;
    out.column = column;
    out.message =
        ChooseText("Result is transfered to column ", "Resultatet läggs i kolumn ") + number;
    return out;
}

}  // namespace tabulon

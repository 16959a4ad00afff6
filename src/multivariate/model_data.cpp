// Choosing the model's columns and reading its valid rows.
#include "multivariate/model_data.h"

#include <algorithm>

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

std::string TooManyText() {
    const std::string max = std::to_string(kMaxModelVariables);
    return ChooseText("At most " + max + " x-variables can be chosen",
                      "Högst " + max + " x-variabler kan väljas");
}

// The last column whose entry equals `entry`; 0 if none.
int ColumnOfEntry(const Worksheet& sheet, const std::string& entry) {
    int found = 0;
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ModelColumnEntry(sheet, c) == entry) found = c;
    }
    return found;
}

}  // namespace

std::string ModelColumnEntry(const Worksheet& sheet, int column) {
    return std::string(sheet.cell(column, 0)) + ":" + std::string(sheet.cell(column, 1));
}

std::vector<std::string> ModelColumnEntries(const Worksheet& sheet) {
    std::vector<std::string> entries;
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ColumnHasData(sheet, c)) entries.push_back(ModelColumnEntry(sheet, c));
    }
    return entries;
}

ModelColumnsRead ReadModelColumns(const Worksheet& sheet, const std::string& z_entry,
                                  const std::vector<std::string>& x_entries) {
    // The count is checked first: a choice of 500 columns is refused before it is searched.
    if (x_entries.size() > static_cast<std::size_t>(kMaxModelVariables)) return {{}, TooManyText()};
    int z_column = 0;
    if (!z_entry.empty()) {
        z_column = ColumnOfEntry(sheet, z_entry);
        if (z_column == 0) {
            return {{}, ChooseText("No column is named ", "Ingen kolumn heter ") + z_entry};
        }
    }
    std::vector<int> x_columns;
    for (const std::string& entry : x_entries) {
        const int c = ColumnOfEntry(sheet, entry);
        if (c == 0) return {{}, ChooseText("No column is named ", "Ingen kolumn heter ") + entry};
        x_columns.push_back(c);
    }
    return ModelColumnsOf(sheet, z_column, x_columns);
}

ModelColumnsRead ModelColumnsOf(const Worksheet& sheet, int z_column,
                                const std::vector<int>& x_columns) {
    if (x_columns.size() > static_cast<std::size_t>(kMaxModelVariables)) return {{}, TooManyText()};
    if (x_columns.empty()) {
        return {{}, ChooseText("Choose at least one x-variable", "Välj minst en x-variabel")};
    }
    ModelColumns columns;
    if (z_column != 0) {
        columns.ZColumn = z_column;
        columns.ZName = ModelColumnEntry(sheet, z_column);
    }
    for (int c : x_columns) {
        if (std::find(columns.XColumns.begin(), columns.XColumns.end(), c) !=
            columns.XColumns.end()) {
            const std::string entry = ModelColumnEntry(sheet, c);
            return {{},
                    ChooseText("The x-variable " + entry + " is chosen twice",
                               "x-variabeln " + entry + " är vald två gånger")};
        }
        columns.XColumns.push_back(c);
        columns.XNames.push_back(ModelColumnEntry(sheet, c));
    }
    return {std::move(columns), {}};
}

ModelData LoadModelData(const Worksheet& sheet, const ModelColumns& columns,
                        char decimal_separator) {
    ModelData data;
    data.p = static_cast<int>(columns.XColumns.size());
    data.has_response = columns.ZColumn != 0;
    data.last_row = std::max(LastDataRow(sheet), Worksheet::kFixedRows - 1);
    std::vector<const CellColumn*> cells;
    for (int c : columns.XColumns) cells.push_back(&sheet.columnCells(c));
    if (data.has_response) cells.push_back(&sheet.columnCells(columns.ZColumn));
    const int m = static_cast<int>(cells.size());

    // Read row by row into per-variable lists, then lay them out column-major.
    std::vector<std::vector<Extended>> read(m);
    std::vector<Extended> row(m);
    for (int r = Worksheet::kFixedRows; r <= data.last_row; ++r) {
        bool valid = true;
        for (int j = 0; j < m && valid; ++j) {
            const CellColumn& column = *cells[j];
            const std::string_view text =
                r < static_cast<int>(column.size()) ? column[r].view() : std::string_view();
            const auto value = text.empty() ? std::nullopt : ParseNumber(text, decimal_separator);
            if (value) row[j] = *value;
            valid = value.has_value();
        }
        if (!valid) continue;
        for (int j = 0; j < m; ++j) read[j].push_back(row[j]);
        data.rows.push_back(r);
        if (data.has_response) data.ZTexts.emplace_back((*cells[m - 1])[r].view());
    }
    data.n = static_cast<int>(data.rows.size());
    data.values.reserve(static_cast<std::size_t>(m) * data.n);
    for (const auto& column : read)
        data.values.insert(data.values.end(), column.begin(), column.end());
    return data;
}

ModelData MakeModelData(const std::vector<std::vector<Extended>>& x,
                        const std::vector<Extended>& z) {
    ModelData data;
    data.p = static_cast<int>(x.size());
    data.n = static_cast<int>(z.size());
    data.has_response = true;
    for (const auto& column : x)
        data.values.insert(data.values.end(), column.begin(), column.end());
    data.values.insert(data.values.end(), z.begin(), z.end());
    for (int i = 0; i < data.n; ++i) {
        data.rows.push_back(Worksheet::kFixedRows + i);
        data.ZTexts.push_back(FormatShortest(z[i], '.'));
    }
    data.last_row = Worksheet::kFixedRows + data.n - 1;
    return data;
}

}  // namespace tabulon

// Choosing the model's columns and reading its valid rows.
#include "multivariate/model_data.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"
#include "worksheet/parallel_load.h"

namespace tabulon {
namespace {

// Cells below which a second thread costs more to start than it saves.
constexpr long kCellsPerThread = 200000;

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

    // Each column is parsed on its own (the columns shared among threads, so the split
    // changes nothing) into its full-length slot; then the valid rows are packed in place:
    // every value moves to an index no higher than its own, in increasing order.
    const int rows = data.last_row - Worksheet::kFixedRows + 1;
    data.values.resize(static_cast<std::size_t>(m) * rows);
    std::vector<std::vector<char>> ok(m, std::vector<char>(rows, 0));
    const unsigned threads = static_cast<unsigned>(
        std::clamp<long>(static_cast<long>(rows) * m / kCellsPerThread, 1,
                         std::min<long>(m, std::max(1u, std::thread::hardware_concurrency()))));
    std::atomic<int> next{0};
    RunInThreads(threads, [&](unsigned) {
        for (int j = next++; j < m; j = next++) {
            const CellColumn& column = *cells[j];
            Extended* out = data.values.data() + static_cast<std::size_t>(j) * rows;
            const int filled =
                std::min(static_cast<int>(column.size()) - Worksheet::kFixedRows, rows);
            for (int i = 0; i < filled; ++i) {
                const std::string_view text = column[i + Worksheet::kFixedRows].view();
                if (text.empty()) continue;
                if (const auto value = ParseNumber(text, decimal_separator)) {
                    out[i] = *value;
                    ok[j][i] = 1;
                }
            }
        }
    });
    std::vector<int> valid;
    for (int i = 0; i < rows; ++i) {
        bool all = true;
        for (int j = 0; j < m && all; ++j) all = ok[j][i] != 0;
        if (all) valid.push_back(i);
    }
    data.n = static_cast<int>(valid.size());
    for (int j = 0; j < m; ++j) {
        for (int k = 0; k < data.n; ++k) {
            data.values[static_cast<std::size_t>(j) * data.n + k] =
                data.values[static_cast<std::size_t>(j) * rows + valid[k]];
        }
    }
    data.values.resize(static_cast<std::size_t>(m) * data.n);
    for (int i : valid) {
        const int r = i + Worksheet::kFixedRows;
        data.rows.push_back(r);
        if (data.has_response) data.ZTexts.emplace_back((*cells[m - 1])[r].view());
    }
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

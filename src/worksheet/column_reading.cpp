// Reading chosen columns.
#include "worksheet/column_reading.h"

#include <charconv>

#include "worksheet/column_queries.h"

namespace tabulon {

std::vector<std::string> DataColumnLabels(const Worksheet& sheet) {
    std::vector<std::string> labels;
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ColumnHasData(sheet, c)) labels.push_back(ColumnLabel(sheet, c));
    }
    return labels;
}

ColumnValues ReadColumn(const Worksheet& sheet, int column) {
    ColumnValues out;
    if (column < 0 || column >= sheet.columnCount()) return out;
    const auto& cells = sheet.columnCells(column);
    // Counted first: a million texts pushed one by one would be moved some twenty times.
    std::size_t count = 0;
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        count += cells[static_cast<std::size_t>(r)].view().empty() ? 0 : 1;
    }
    out.values.reserve(count);
    out.row_numbers.reserve(count);
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        const std::string_view text = cells[static_cast<std::size_t>(r)].view();
        if (text.empty()) continue;
        out.values.emplace_back(text);
        char number[16];
        out.row_numbers.emplace_back(number,
                                     std::to_chars(number, number + sizeof number, r - 1).ptr);
    }
    return out;
}

Worksheet CopyToWorkGrid(const Worksheet& source) {
    Worksheet target(source.columnCount() - 1, source.rowCount() - 1);
    for (int c = 1; c < target.columnCount(); ++c) {
        for (int r = 1; r < target.rowCount(); ++r) target.setCell(c, r, source.cell(c + 1, r + 1));
    }
    for (int r = 1; r < target.rowCount(); ++r) target.setCell(0, r, source.cell(0, r + 1));
    for (int c = 1; c < target.columnCount(); ++c) {
        target.setCell(
            c, 0, std::string(source.cell(c + 1, 0)) + ":" + std::string(source.cell(c + 1, 1)));
    }
    return target;
}

}  // namespace tabulon

// Column and row queries over the worksheet.
#include "worksheet/column_queries.h"

#include <algorithm>

namespace tabulon {
namespace {

bool AnyNonEmptyFrom(const CellColumn& cells, std::size_t first_row) {
    return std::any_of(cells.begin() + static_cast<long>(std::min(first_row, cells.size())),
                       cells.end(), [](const CellText& s) { return !s.empty(); });
}

}  // namespace

bool ColumnHasData(const Worksheet& sheet, int column) {
    if (column < 0 || column >= sheet.columnCount()) return false;
    return AnyNonEmptyFrom(sheet.columnCells(column), Worksheet::kFixedRows);
}

bool AnyDataColumn(const Worksheet& sheet) {
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ColumnHasData(sheet, c)) return true;
    }
    return false;
}

int DataColumnCount(const Worksheet& sheet) {
    int count = 0;
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ColumnHasData(sheet, c)) ++count;
    }
    return count;
}

bool SingleDataColumn(const Worksheet& sheet, int& column) {
    int count = 0;
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ColumnHasData(sheet, c)) {
            ++count;
            column = c;
        }
    }
    return count == 1;
}

int NthDataColumn(const Worksheet& sheet, int n) {
    int seen = 0;
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ColumnHasData(sheet, c) && ++seen == n) return c;
    }
    return sheet.columnCount() - 1;
}

int LastDataColumn(const Worksheet& sheet) {
    for (int c = sheet.columnCount() - 1; c >= 1; --c) {
        if (ColumnHasData(sheet, c)) return c;
    }
    return 0;
}

bool RowIsEmpty(const Worksheet& sheet, int row) {
    for (int c = 1; c < sheet.columnCount(); ++c) {
        if (!sheet.isEmpty(c, row)) return false;
    }
    return true;
}

int LastDataRow(const Worksheet& sheet) {
    for (int r = sheet.rowCount() - 1; r >= Worksheet::kFixedRows; --r) {
        if (!RowIsEmpty(sheet, r)) return r;
    }
    return 0;
}

int LastFilledRow(const Worksheet& sheet, int column) {
    if (column < 0 || column >= sheet.columnCount()) return 0;
    const auto& cells = sheet.columnCells(column);
    for (int r = sheet.rowCount() - 1; r >= Worksheet::kFixedRows; --r) {
        if (!cells[static_cast<std::size_t>(r)].empty()) return r;
    }
    return 0;
}

bool ColumnIsCompletelyEmpty(const Worksheet& sheet, int column) {
    if (column < Worksheet::kFixedColumns || column >= sheet.columnCount()) return false;
    return !AnyNonEmptyFrom(sheet.columnCells(column), 1);
}

int FirstEmptyColumn(const Worksheet& sheet) {
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ColumnIsCompletelyEmpty(sheet, c)) return c;
    }
    return 0;
}

std::string ColumnLabel(const Worksheet& sheet, int column) {
    return std::string(sheet.cell(column, 0)) + ": " + std::string(sheet.cell(column, 1));
}

std::string ColumnTitle(const Worksheet& sheet, int column) {
    const std::string_view caption = sheet.cell(column, 1);
    return std::string(caption.empty() ? sheet.cell(column, 0) : caption);
}

int FindColumnByLabel(const Worksheet& sheet, std::string_view label) {
    int found = 0;
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        if (ColumnLabel(sheet, c) == label) found = c;
    }
    return found;
}

}  // namespace tabulon

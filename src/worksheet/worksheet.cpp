// The worksheet value: cells, widths, notes, and the moves and renumbering of the grid.
#include "worksheet/worksheet.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "base/large_fill.h"

namespace tabulon {
Worksheet::Worksheet(int columns, int rows) {
    resize(columns, rows);
}

Worksheet Worksheet::StartSheet() {
    Worksheet sheet(kStartColumns, kStartRows);
    sheet.renumber();
    return sheet;
}

Worksheet Worksheet::FromColumns(std::vector<CellColumn> columns) {
    Worksheet sheet(kFixedColumns, kFixedRows);
    std::size_t rows = kFixedRows;
    for (const auto& column : columns) rows = std::max(rows, column.size());
    sheet.m_columns = std::move(columns);
    sheet.m_columns.resize(std::max<std::size_t>(sheet.m_columns.size(), kFixedColumns));
    for (auto& column : sheet.m_columns) column.resize(rows);
    sheet.m_widths.assign(sheet.m_columns.size(), kDefaultColumnWidth);
    sheet.m_rows = static_cast<int>(rows);
    return sheet;
}

std::string_view Worksheet::cell(int column, int row) const {
    if (!contains(column, row)) return {};
    return m_columns[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

void Worksheet::setCell(int column, int row, std::string_view text) {
    if (!contains(column, row)) return;
    m_columns[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)] = text;
}

void Worksheet::resize(int columns, int rows) {
    columns = std::max(columns, kFixedColumns);
    rows = std::max(rows, kFixedRows);
    m_columns.resize(static_cast<std::size_t>(columns));
    m_widths.resize(static_cast<std::size_t>(columns), kDefaultColumnWidth);
    for (auto& column : m_columns) column.resize(static_cast<std::size_t>(rows));
    m_rows = rows;
}

int Worksheet::columnWidth(int column) const {
    if (column < 0 || column >= columnCount()) return kDefaultColumnWidth;
    return m_widths[static_cast<std::size_t>(column)];
}

void Worksheet::setColumnWidth(int column, int width) {
    if (column < 0 || column >= columnCount()) return;
    m_widths[static_cast<std::size_t>(column)] = std::max(width, 0);
}

namespace {

// Moves element `from` to index `to`, shifting the ones between.
template <typename T>
void MoveElement(std::vector<T>& items, int from, int to) {
    auto first = items.begin();
    if (from < to) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    } else if (to < from) {
        std::rotate(first + to, first + from, first + from + 1);
    }
}

}  // namespace

void Worksheet::moveColumn(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= columnCount() || to >= columnCount()) return;
    MoveElement(m_columns, from, to);
    MoveElement(m_widths, from, to);
    renumber();
}

void Worksheet::moveRow(int from, int to) {
    if (from == to || from < 0 || to < 0 || from >= m_rows || to >= m_rows) return;
    for (auto& column : m_columns) MoveElement(column, from, to);
    renumber();
}

namespace {

// Calls take(cell) with the texts of r - 1 for the rows r from kFixedRows up to `rows`: a
// million rows are numbered on every load, so the number is counted up in place, digit by
// digit, and each cell takes it with two fixed loads.
template <typename Take>
void ForEachRowNumber(std::size_t rows, Take take) {
    char number[32] = {};
    std::size_t length = static_cast<std::size_t>(
        std::to_chars(number, number + sizeof number, Worksheet::kFixedRows - 1).ptr - number);
    for (std::size_t r = Worksheet::kFixedRows; r < rows; ++r) {
        take(CellText(number, number + length, number + sizeof number));
        std::size_t i = length;
        while (i > 0 && number[i - 1] == '9') number[--i] = '0';
        if (i > 0) {
            ++number[i - 1];
        } else {
            std::memmove(number + 1, number, length++);
            number[0] = '1';
        }
    }
}

}  // namespace

void Worksheet::renumber() {
    renumberColumns();
    CellColumn& rows = m_columns[0];
    std::size_t r = kFixedRows;
    ForEachRowNumber(static_cast<std::size_t>(m_rows),
                     [&rows, &r](CellText&& number) { rows[r++] = std::move(number); });
}

void Worksheet::renumberColumns() {
    char number[32];
    for (int c = kFixedColumns; c < columnCount(); ++c) {
        setCell(c, 0,
                std::string_view(number, std::to_chars(number, number + sizeof number, c - 1).ptr));
    }
}

CellColumn Worksheet::RowNumberColumn(std::size_t rows) {
    CellColumn column;
    column.reserve(std::max<std::size_t>(rows, kFixedRows));
    AdviseLargeFill(column.data(), rows * sizeof(CellText));
    column.resize(kFixedRows);
    ForEachRowNumber(rows, [&column](CellText&& number) { column.push_back(std::move(number)); });
    return column;
}

void ResetWorksheet(Worksheet& sheet, int columns, int rows) {
    sheet.resize(columns + 1, rows + 1);
    sheet.renumber();
    for (int c = 1; c < sheet.columnCount(); ++c) {
        auto& cells = sheet.mutableColumnCells(c);
        for (std::size_t r = 1; r < cells.size(); ++r) cells[r].clear();
    }
}

void ClearWorksheetData(Worksheet& sheet, int columns, int rows) {
    sheet.resize(columns + 1, rows + 1);
    sheet.renumber();
    for (int c = Worksheet::kFixedColumns; c < sheet.columnCount(); ++c) {
        auto& cells = sheet.mutableColumnCells(c);
        for (std::size_t r = Worksheet::kFixedRows; r < cells.size(); ++r) cells[r].clear();
    }
}

}  // namespace tabulon

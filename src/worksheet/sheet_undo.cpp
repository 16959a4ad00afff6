// Undo records of worksheet commands.
#include "worksheet/sheet_undo.h"

#include <algorithm>

#include "worksheet/column_queries.h"

namespace tabulon {

std::unique_ptr<ColumnsUndo> ColumnsUndo::Before(const Worksheet& sheet, std::vector<int> columns) {
    auto record = std::make_unique<ColumnsUndo>();
    record->m_columns = sheet.columnCount();
    record->m_rows = sheet.rowCount();
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    for (int c : columns) {
        if (c < 0 || c >= sheet.columnCount()) continue;
        record->m_indices.push_back(c);
        record->m_cells.push_back(sheet.columnCells(c));
        record->m_widths.push_back(sheet.columnWidth(c));
        record->m_bytes += sizeof(CellText) * static_cast<std::size_t>(sheet.rowCount());
        for (const CellText& cell : record->m_cells.back()) {
            if (cell.size() > CellText::kInlineCapacity) record->m_bytes += cell.size();
        }
    }
    return record;
}

void ColumnsUndo::Restore(Worksheet& sheet) {
    sheet.resize(m_columns, m_rows);
    for (std::size_t i = 0; i < m_indices.size(); ++i) {
        sheet.mutableColumnCells(m_indices[i]) = std::move(m_cells[i]);
        sheet.setColumnWidth(m_indices[i], m_widths[i]);
    }
    m_cells.clear();
}

int ResultColumn(Worksheet& sheet) {
    if (const int empty = FirstEmptyColumn(sheet); empty > 0) return empty;
    const int added = sheet.columnCount();
    sheet.resize(added + 1, sheet.rowCount());
    sheet.setCell(added, 0, std::to_string(added - 1));
    return added;
}

}  // namespace tabulon

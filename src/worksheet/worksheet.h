// The worksheet: a grid of cell texts with its column widths and notes.
//
// Layout every procedure relies on: row 0 holds the column numbers, row 1 the column
// captions, column 0 the row numbers, column 1 the row captions; data start at (2, 2).
// Cells are addressed (column, row), both 0-based grid indices.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "worksheet/cell_text.h"

namespace tabulon {

// One column of cell texts, rows 0 to rowCount()-1.
using CellColumn = std::vector<CellText>;

class Worksheet {
public:
    static constexpr int kFixedColumns = 2;
    static constexpr int kFixedRows = 2;
    static constexpr int kStartColumns = 22;
    static constexpr int kStartRows = 102;
    static constexpr int kDefaultColumnWidth = 64;

    // An empty grid of the given size (at least the fixed rows and columns), unnumbered.
    Worksheet(int columns = kStartColumns, int rows = kStartRows);

    // The sheet the program starts with: 22 x 102, numbered, every column 64 pixels wide.
    static Worksheet StartSheet();

    // For bulk readers: a sheet made of whole columns, moved in, default widths, unnumbered.
    // Short columns are padded with empty cells, and the fixed rows and columns are added
    // when missing.
    static Worksheet FromColumns(std::vector<CellColumn> columns);

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    int rowCount() const { return m_rows; }
    bool contains(int column, int row) const {
        return column >= 0 && column < columnCount() && row >= 0 && row < m_rows;
    }

    // Out-of-range cells read as empty; writes outside the grid are ignored.
    // The view lasts until the cell is next written or the grid resized.
    std::string_view cell(int column, int row) const;
    bool isEmpty(int column, int row) const { return cell(column, row).empty(); }
    void setCell(int column, int row, std::string_view text);

    // All texts of one column, rows 0 to rowCount()-1: the fast path for readers.
    const CellColumn& columnCells(int column) const { return m_columns.at(column); }
    // For bulk writers (file loading): the column may be written but not resized.
    CellColumn& mutableColumnCells(int column) { return m_columns.at(column); }

    // New cells are empty; new columns get the default width; shrinking drops cells.
    void resize(int columns, int rows);

    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);
    const std::vector<int>& columnWidths() const { return m_widths; }

    // Move a whole column (or row) with its captions and values to another index; the
    // others shift to make room. The numbers in row 0 / column 0 are rewritten afterwards.
    void moveColumn(int from, int to);
    void moveRow(int from, int to);

    // Row 0 of columns 2.. gets c-1, column 0 of rows 2.. gets r-1.
    void renumber();
    // Row 0 only, for a sheet whose column 0 a bulk reader made with RowNumberColumn.
    void renumberColumns();
    // Column 0 of a sheet of `rows` rows as renumber() writes it (rows 0 and 1 empty): a
    // reader builds it beside the data instead of emptying it first and numbering it after.
    static CellColumn RowNumberColumn(std::size_t rows);

    // The notes ("anteckningar"): memo lines joined by '\n'.
    const std::string& notes() const { return m_notes; }
    void setNotes(std::string notes) { m_notes = std::move(notes); }

    bool operator==(const Worksheet&) const = default;

private:
    std::vector<CellColumn> m_columns;  // column-major: m_columns[c][r]
    std::vector<int> m_widths;
    int m_rows = 0;
    std::string m_notes;
};

// Size := columns+1 by rows+1, renumbered, every cell of rows 1.. in columns 1.. emptied
// (captions and data).
void ResetWorksheet(Worksheet& sheet, int columns, int rows);
// The same size and renumbering, but only the data (rows 2.., columns 2..) are emptied.
void ClearWorksheetData(Worksheet& sheet, int columns, int rows);

}  // namespace tabulon

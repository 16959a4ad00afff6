// How a command that reshapes or writes the worksheet is taken back by Ångra. A command
// records what it needs to reverse itself — the cells it overwrote, the rows it removed, the
// permutation of a sort — never a copy of the whole sheet unless it changed all of it.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "worksheet/worksheet.h"

namespace tabulon {

class SheetUndo {
public:
    virtual ~SheetUndo() = default;
    // Puts the sheet back as it was before the command. Called at most once, on the sheet
    // as the command left it (later edits have been undone first).
    virtual void Restore(Worksheet& sheet) = 0;
    // About how much memory the record holds, for the undo list's budget.
    virtual std::size_t Bytes() const = 0;
};

// The record of a command that writes whole columns (result columns, column arithmetic,
// split, a changed count of columns or rows): the sheet's size, and the cells and widths of
// the named columns from before the command. Columns the command added beyond the old size
// need no cells: restoring the size removes them.
class ColumnsUndo : public SheetUndo {
public:
    // Takes the record before the command runs. Indices beyond the sheet are ignored.
    static std::unique_ptr<ColumnsUndo> Before(const Worksheet& sheet, std::vector<int> columns);

    void Restore(Worksheet& sheet) override;
    std::size_t Bytes() const override { return m_bytes; }

private:
    int m_columns = 0;
    int m_rows = 0;
    std::vector<int> m_indices;
    std::vector<CellColumn> m_cells;
    std::vector<int> m_widths;
    std::size_t m_bytes = 0;
};

// The column a command writes a result into: the first completely empty column, or a new
// numbered column added at the right when there is none.
int ResultColumn(Worksheet& sheet);

}  // namespace tabulon

// Undo records shared by the Redigera commands: cells written into blocks, an inserted row or
// column, a new order of rows. Each keeps only what its command cannot work back by itself;
// none copies the whole sheet.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "worksheet/sheet_undo.h"

namespace tabulon {

// The size of a sheet and every column width: what most commands change besides cells.
struct SheetShape {
    int columns = 0;
    int rows = 0;
    std::vector<int> widths;

    static SheetShape Of(const Worksheet& sheet);
    // Resizes to the recorded size and puts every width back.
    void restore(Worksheet& sheet) const;
    std::size_t bytes() const { return widths.size() * sizeof(int); }
};

// Bytes a cell text holds beyond its 16 bytes.
inline std::size_t HeapBytes(const CellText& text) {
    return text.size() > CellText::kInlineCapacity ? text.size() : 0;
}

// Cells a command writes into blocks of the sheet (paste, split, a grown count): the size and
// widths from before, and for each block the texts it held. Empty old cells cost nothing:
// restoring empties the block and puts back the non-empty texts.
class CellsUndo : public SheetUndo {
public:
    explicit CellsUndo(const Worksheet& sheet) : m_shape(SheetShape::Of(sheet)) {}

    // Called before the command writes into the block (inclusive grid indices). Only the part
    // inside the sheet as it was is kept: cells beyond it go when the size is restored.
    void keepBlock(const Worksheet& sheet, int left, int top, int right, int bottom);

    void Restore(Worksheet& sheet) override;
    std::size_t Bytes() const override;

private:
    struct Cell {
        int column;
        int row;
        CellText text;
    };
    struct Block {
        int left, top, right, bottom;
        std::vector<Cell> cells;  // the non-empty ones
    };
    SheetShape m_shape;
    std::vector<Block> m_blocks;
};

// The record of InsertRow / InsertColumn at `index`: deleting it again restores the sheet.
std::unique_ptr<SheetUndo> InsertedUndo(bool column, int index);

// The record of a reordering of rows `first` to `first + order.size() - 1` in columns 1..:
// new row first+i holds what row order[i] held.
std::unique_ptr<SheetUndo> RowOrderUndo(int first, std::vector<int> order);

// The record as one step of the undo list: it acts only on a sheet of the size its command
// left. A file opened since then replaced the sheet; a step of the old one must not reach
// past the new one, so it is passed over.
std::unique_ptr<SheetUndo> ForSheetAsLeft(std::unique_ptr<SheetUndo> record,
                                          const Worksheet& after);

}  // namespace tabulon

// Undo records shared by the Redigera commands.
#include "worksheet/editing_undo.h"

#include <algorithm>

#include "worksheet/editing.h"

namespace tabulon {

SheetShape SheetShape::Of(const Worksheet& sheet) {
    return {sheet.columnCount(), sheet.rowCount(), sheet.columnWidths()};
}

void SheetShape::restore(Worksheet& sheet) const {
    sheet.resize(columns, rows);
    for (int c = 0; c < columns; ++c) sheet.setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
}

void CellsUndo::keepBlock(const Worksheet& sheet, int left, int top, int right, int bottom) {
    Block block{std::max(left, 0),
                std::max(top, 0),
                std::min(right, m_shape.columns - 1),
                std::min(bottom, m_shape.rows - 1),
                {}};
    if (block.left > block.right || block.top > block.bottom) return;
    for (int c = block.left; c <= block.right; ++c) {
        const CellColumn& cells = sheet.columnCells(c);
        for (int r = block.top; r <= block.bottom; ++r) {
            const CellText& text = cells[static_cast<std::size_t>(r)];
            if (!text.empty()) block.cells.push_back({c, r, text});
        }
    }
    m_blocks.push_back(std::move(block));
}

void CellsUndo::Restore(Worksheet& sheet) {
    sheet.resize(m_shape.columns, m_shape.rows);
    // Newest block first, so a block written over an earlier one comes back in order.
    for (auto block = m_blocks.rbegin(); block != m_blocks.rend(); ++block) {
        for (int c = block->left; c <= block->right; ++c) {
            CellColumn& cells = sheet.mutableColumnCells(c);
            for (int r = block->top; r <= block->bottom; ++r) {
                cells[static_cast<std::size_t>(r)].clear();
            }
        }
        for (Cell& cell : block->cells) {
            sheet.mutableColumnCells(cell.column)[static_cast<std::size_t>(cell.row)] =
                std::move(cell.text);
        }
    }
    m_shape.restore(sheet);
    m_blocks.clear();
}

std::size_t CellsUndo::Bytes() const {
    std::size_t bytes = m_shape.bytes();
    for (const Block& block : m_blocks) {
        bytes += sizeof(Block) + block.cells.size() * sizeof(Cell);
        for (const Cell& cell : block.cells) bytes += HeapBytes(cell.text);
    }
    return bytes;
}

namespace {

class InsertedRecord : public SheetUndo {
public:
    InsertedRecord(bool column, int index) : m_column(column), m_index(index) {}
    void Restore(Worksheet& sheet) override {
        if (m_column) {
            DeleteColumn(sheet, m_index);
        } else {
            DeleteRow(sheet, m_index);
        }
    }
    std::size_t Bytes() const override { return sizeof(*this); }

private:
    bool m_column;
    int m_index;
};

class RowOrderRecord : public SheetUndo {
public:
    RowOrderRecord(int first, std::vector<int> order) : m_first(first), m_order(std::move(order)) {}

    void Restore(Worksheet& sheet) override {
        // Row order[i] held what is now in row first+i: send each back.
        std::vector<CellText> moved(m_order.size());
        for (int c = 1; c < sheet.columnCount(); ++c) {
            CellColumn& cells = sheet.mutableColumnCells(c);
            for (std::size_t i = 0; i < m_order.size(); ++i) {
                moved[static_cast<std::size_t>(m_order[i] - m_first)] =
                    std::move(cells[static_cast<std::size_t>(m_first) + i]);
            }
            std::move(moved.begin(), moved.end(), cells.begin() + m_first);
        }
    }
    std::size_t Bytes() const override { return sizeof(*this) + m_order.size() * sizeof(int); }

private:
    int m_first;
    std::vector<int> m_order;
};

class SizeGuard : public SheetUndo {
public:
    SizeGuard(std::unique_ptr<SheetUndo> record, const Worksheet& after)
        : m_record(std::move(record)), m_columns(after.columnCount()), m_rows(after.rowCount()) {}
    void Restore(Worksheet& sheet) override {
        if (sheet.columnCount() == m_columns && sheet.rowCount() == m_rows)
            m_record->Restore(sheet);
    }
    std::size_t Bytes() const override { return sizeof(*this) + m_record->Bytes(); }

private:
    std::unique_ptr<SheetUndo> m_record;
    int m_columns;
    int m_rows;
};

}  // namespace

std::unique_ptr<SheetUndo> ForSheetAsLeft(std::unique_ptr<SheetUndo> record,
                                          const Worksheet& after) {
    if (!record) return nullptr;
    return std::make_unique<SizeGuard>(std::move(record), after);
}

std::unique_ptr<SheetUndo> InsertedUndo(bool column, int index) {
    return std::make_unique<InsertedRecord>(column, index);
}

std::unique_ptr<SheetUndo> RowOrderUndo(int first, std::vector<int> order) {
    return std::make_unique<RowOrderRecord>(first, std::move(order));
}

}  // namespace tabulon

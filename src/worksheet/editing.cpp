// The Redigera commands that reshape the worksheet, and their undo records.
#include "worksheet/editing.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"
#include "worksheet/editing_undo.h"
#include "worksheet/memory_limit.h"

namespace tabulon {
namespace {

constexpr int kFirstRow = Worksheet::kFixedRows;
constexpr int kFirstColumn = Worksheet::kFixedColumns;

std::size_t Index(int i) {
    return static_cast<std::size_t>(i);
}

// Columns move by swapping their cell vectors: no cell is copied.
void SwapColumns(Worksheet& sheet, int a, int b) {
    std::swap(sheet.mutableColumnCells(a), sheet.mutableColumnCells(b));
    const int width = sheet.columnWidth(a);
    sheet.setColumnWidth(a, sheet.columnWidth(b));
    sheet.setColumnWidth(b, width);
}

std::vector<CellText> RowTexts(const Worksheet& sheet, int row) {
    std::vector<CellText> texts;
    texts.reserve(Index(sheet.columnCount()));
    for (int c = 0; c < sheet.columnCount(); ++c) texts.push_back(sheet.columnCells(c)[Index(row)]);
    return texts;
}

// The indices from `low` below `high`, sorted, each once.
std::vector<int> SortedWithin(std::vector<int> indices, int low, int high) {
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    std::erase_if(indices, [&](int i) { return i < low || i >= high; });
    return indices;
}

// Removed rows: their non-empty cells (column 0 excepted, whose numbers stay in place) and
// the numbers the shorter column 0 dropped at its end.
class RemovedRowsRecord : public SheetUndo {
public:
    RemovedRowsRecord(int rows, std::vector<int> removed)
        : m_rows(rows), m_removed(std::move(removed)) {}

    // Takes the rows out of the sheet, keeping what they held.
    void remove(Worksheet& sheet) {
        const int first = m_removed.front();
        for (int c = 1; c < sheet.columnCount(); ++c) {
            CellColumn& cells = sheet.mutableColumnCells(c);
            std::size_t k = 0;
            int write = first;
            for (int r = first; r < m_rows; ++r) {
                CellText& cell = cells[Index(r)];
                if (k < m_removed.size() && m_removed[k] == r) {
                    ++k;
                    if (!cell.empty()) m_cells.push_back({c, r, std::move(cell)});
                    continue;
                }
                if (write != r) cells[Index(write)] = std::move(cell);
                ++write;
            }
        }
        CellColumn& numbers = sheet.mutableColumnCells(0);
        const int kept = m_rows - static_cast<int>(m_removed.size());
        for (int r = kept; r < m_rows; ++r) m_numbers.push_back(std::move(numbers[Index(r)]));
        sheet.resize(sheet.columnCount(), kept);
    }

    void Restore(Worksheet& sheet) override {
        const int kept = m_rows - static_cast<int>(m_removed.size());
        sheet.resize(sheet.columnCount(), m_rows);
        CellColumn& numbers = sheet.mutableColumnCells(0);
        for (std::size_t i = 0; i < m_numbers.size(); ++i) {
            numbers[Index(kept) + i] = std::move(m_numbers[i]);
        }
        for (int c = 1; c < sheet.columnCount(); ++c) {
            CellColumn& cells = sheet.mutableColumnCells(c);
            // From the bottom up, each kept row moves down past the removed ones below it.
            int k = static_cast<int>(m_removed.size()) - 1;
            int read = kept - 1;
            for (int r = m_rows - 1; k >= 0; --r) {
                if (m_removed[Index(k)] == r) {
                    cells[Index(r)].clear();
                    --k;
                } else {
                    cells[Index(r)] = std::move(cells[Index(read)]);
                    --read;
                }
            }
        }
        for (Cell& cell : m_cells) {
            sheet.mutableColumnCells(cell.column)[Index(cell.row)] = std::move(cell.text);
        }
        m_cells.clear();
    }

    std::size_t Bytes() const override {
        std::size_t bytes = sizeof(*this) + m_removed.size() * sizeof(int) +
                            m_cells.size() * sizeof(Cell) + m_numbers.size() * sizeof(CellText);
        for (const Cell& cell : m_cells) bytes += HeapBytes(cell.text);
        return bytes;
    }

private:
    struct Cell {
        int column;
        int row;
        CellText text;
    };
    int m_rows;
    std::vector<int> m_removed;  // ascending grid indices of the sheet as it was
    std::vector<Cell> m_cells;
    std::vector<CellText> m_numbers;
};

// Removed columns: their cell vectors, moved out whole, the widths, and the numbers the
// shorter row 0 dropped at its end.
class RemovedColumnsRecord : public SheetUndo {
public:
    RemovedColumnsRecord(const Worksheet& sheet, std::vector<int> removed)
        : m_widths(sheet.columnWidths()), m_removed(std::move(removed)) {}

    void remove(Worksheet& sheet) {
        const int columns = sheet.columnCount();
        std::vector<CellText> numbers = RowTexts(sheet, 0);
        std::size_t k = 0;
        int write = m_removed.front();
        for (int c = m_removed.front(); c < columns; ++c) {
            if (k < m_removed.size() && m_removed[k] == c) {
                ++k;
                m_cells.push_back(std::move(sheet.mutableColumnCells(c)));
                continue;
            }
            if (write != c) SwapColumns(sheet, write, c);
            ++write;
        }
        // The moved-out columns are empty vectors now, all at the right: cut them off.
        sheet.resize(write, sheet.rowCount());
        for (int c = m_removed.front(); c < write; ++c) {
            sheet.mutableColumnCells(c)[0] = std::move(numbers[Index(c)]);
        }
        m_numbers.assign(std::make_move_iterator(numbers.begin() + write),
                         std::make_move_iterator(numbers.end()));
    }

    void Restore(Worksheet& sheet) override {
        std::vector<CellText> numbers = RowTexts(sheet, 0);
        for (CellText& number : m_numbers) numbers.push_back(std::move(number));
        const int columns = static_cast<int>(m_widths.size());
        const int kept = sheet.columnCount();
        sheet.resize(columns, sheet.rowCount());
        int k = static_cast<int>(m_removed.size()) - 1;
        int read = kept - 1;
        for (int c = columns - 1; k >= 0; --c) {
            if (m_removed[Index(k)] == c) {
                sheet.mutableColumnCells(c) = std::move(m_cells[Index(k)]);
                --k;
            } else {
                std::swap(sheet.mutableColumnCells(c), sheet.mutableColumnCells(read));
                --read;
            }
        }
        for (int c = 0; c < columns; ++c) {
            sheet.mutableColumnCells(c)[0] = std::move(numbers[Index(c)]);
            sheet.setColumnWidth(c, m_widths[Index(c)]);
        }
        m_cells.clear();
    }

    std::size_t Bytes() const override {
        std::size_t bytes = sizeof(*this) + m_widths.size() * sizeof(int) +
                            m_removed.size() * sizeof(int) + m_numbers.size() * sizeof(CellText);
        for (const CellColumn& column : m_cells) {
            bytes += column.size() * sizeof(CellText);
            for (const CellText& cell : column) bytes += HeapBytes(cell);
        }
        return bytes;
    }

private:
    std::vector<int> m_widths;
    std::vector<int> m_removed;  // ascending grid indices of the sheet as it was
    std::vector<CellColumn> m_cells;
    std::vector<CellText> m_numbers;
};

// Cell (c, r) to (r, c) for c, r >= 1; the corner cells of row 0 and column 0 stay, the
// numbers are rewritten. Widths stay where both shapes have the column.
void TransposeCells(Worksheet& sheet) {
    const int columns = sheet.columnCount();
    const int rows = sheet.rowCount();
    std::vector<CellColumn> turned(Index(rows));
    for (CellColumn& column : turned) column.resize(Index(columns));
    // New column by new column: the old columns are read at one row each time, and the next
    // row's cells are in the same cache lines.
    for (int r = 1; r < rows; ++r) {
        CellColumn& target = turned[Index(r)];
        for (int c = 1; c < columns; ++c) {
            target[Index(c)] = std::move(sheet.mutableColumnCells(c)[Index(r)]);
        }
    }
    turned[0][0] = sheet.cell(0, 0);
    turned[0][1] = sheet.cell(0, 1);
    turned[1][0] = sheet.cell(1, 0);
    Worksheet result = Worksheet::FromColumns(std::move(turned));
    for (int c = 0; c < std::min(columns, rows); ++c) {
        result.setColumnWidth(c, sheet.columnWidth(c));
    }
    result.setNotes(sheet.notes());
    result.renumber();
    sheet = std::move(result);
}

class TransposedRecord : public SheetUndo {
public:
    explicit TransposedRecord(const Worksheet& sheet)
        : m_widths(sheet.columnWidths()),
          m_row_numbers(sheet.columnCells(0)),
          m_column_numbers(RowTexts(sheet, 0)) {}

    void Restore(Worksheet& sheet) override {
        TransposeCells(sheet);
        sheet.mutableColumnCells(0) = std::move(m_row_numbers);
        for (int c = 0; c < sheet.columnCount(); ++c) {
            sheet.mutableColumnCells(c)[0] = std::move(m_column_numbers[Index(c)]);
            sheet.setColumnWidth(c, m_widths[Index(c)]);
        }
    }

    std::size_t Bytes() const override {
        return sizeof(*this) + m_widths.size() * sizeof(int) +
               (m_row_numbers.size() + m_column_numbers.size()) * sizeof(CellText);
    }

private:
    std::vector<int> m_widths;
    CellColumn m_row_numbers;
    std::vector<CellText> m_column_numbers;
};

}  // namespace

bool InsertRow(Worksheet& sheet, int row) {
    const int rows = sheet.rowCount();
    if (row < kFirstRow || row >= rows) return false;
    sheet.resize(sheet.columnCount(), rows + 1);
    for (int c = 1; c < sheet.columnCount(); ++c) {
        CellColumn& cells = sheet.mutableColumnCells(c);
        std::rotate(cells.begin() + row, cells.end() - 1, cells.end());
    }
    sheet.setCell(0, rows, std::to_string(rows - 1));
    return true;
}

bool DeleteRow(Worksheet& sheet, int row) {
    const int rows = sheet.rowCount();
    if (row < kFirstRow || row >= rows) return false;
    for (int c = 1; c < sheet.columnCount(); ++c) {
        CellColumn& cells = sheet.mutableColumnCells(c);
        std::rotate(cells.begin() + row, cells.begin() + row + 1, cells.end());
    }
    sheet.resize(sheet.columnCount(), rows - 1);
    return true;
}

bool InsertColumn(Worksheet& sheet, int column) {
    const int columns = sheet.columnCount();
    if (column < kFirstColumn || column >= columns) return false;
    const std::vector<CellText> numbers = RowTexts(sheet, 0);
    sheet.resize(columns + 1, sheet.rowCount());
    for (int c = columns; c > column; --c) SwapColumns(sheet, c, c - 1);
    for (int c = column; c < columns; ++c) sheet.mutableColumnCells(c)[0] = numbers[Index(c)];
    sheet.setCell(columns, 0, std::to_string(columns - 1));
    return true;
}

bool DeleteColumn(Worksheet& sheet, int column) {
    const int columns = sheet.columnCount();
    if (column < kFirstColumn || column >= columns) return false;
    const std::vector<CellText> numbers = RowTexts(sheet, 0);
    for (int c = column; c + 1 < columns; ++c) SwapColumns(sheet, c, c + 1);
    sheet.resize(columns - 1, sheet.rowCount());
    for (int c = column; c < columns - 1; ++c) sheet.mutableColumnCells(c)[0] = numbers[Index(c)];
    return true;
}

bool SwapRows(Worksheet& sheet, int a, int b) {
    if (a < kFirstRow || b < kFirstRow || a >= sheet.rowCount() || b >= sheet.rowCount()) {
        return false;
    }
    for (int c = 1; c < sheet.columnCount(); ++c) {
        CellColumn& cells = sheet.mutableColumnCells(c);
        std::swap(cells[Index(a)], cells[Index(b)]);
    }
    return true;
}

std::string ReplaceChar(std::string_view text, char old_char, char new_char) {
    std::string out(text);
    std::replace(out.begin(), out.end(), old_char, new_char);
    return out;
}

std::string ReplaceAll(std::string_view text, std::string_view old_text,
                       std::string_view new_text) {
    std::string out(text);
    if (old_text.empty()) return out;
    const bool once = new_text.find(old_text) != std::string_view::npos;
    // A pass that replaces can only create new occurrences by joining what lies around a
    // replacement; the passes are bounded by the length of the text all the same.
    for (std::size_t pass = 0; pass <= text.size(); ++pass) {
        std::string next;
        std::size_t from = 0;
        bool replaced = false;
        for (std::size_t at; (at = out.find(old_text, from)) != std::string::npos;) {
            next.append(out, from, at - from);
            next.append(new_text);
            from = at + old_text.size();
            replaced = true;
        }
        if (!replaced) break;
        next.append(out, from);
        out = std::move(next);
        if (once) break;
    }
    return out;
}

bool FitsInSheet(long long columns, long long rows) {
    return columns >= 0 && rows >= 0 && columns <= kMaxEditCells && rows <= kMaxEditCells &&
           columns * rows <= kMaxEditCells &&
           SheetFitsInMemory(static_cast<std::uint64_t>(columns), static_cast<std::uint64_t>(rows));
}

std::string TooLargeText(long long columns, long long rows) {
    const std::string c = std::to_string(columns);
    const std::string r = std::to_string(rows);
    return ChooseText("The worksheet would be too large: " + c + " columns and " + r + " rows",
                      "Arbetsbladet skulle bli för stort: " + c + " kolumner och " + r + " rader");
}

std::unique_ptr<SheetUndo> SetDataColumnCount(Worksheet& sheet, int count) {
    const int columns = sheet.columnCount();
    const int target = std::max(count, 0) + kFirstColumn;
    if (target == columns) return nullptr;
    if (target < columns) {
        std::vector<int> cut;
        for (int c = target; c < columns; ++c) cut.push_back(c);
        return RemoveColumns(sheet, std::move(cut));
    }
    auto record = std::make_unique<CellsUndo>(sheet);
    sheet.resize(target, sheet.rowCount());
    for (int c = columns; c < target; ++c) sheet.setCell(c, 0, std::to_string(c - 1));
    return record;
}

std::unique_ptr<SheetUndo> SetDataRowCount(Worksheet& sheet, int count) {
    const int rows = sheet.rowCount();
    const int target = std::max(count, 0) + kFirstRow;
    if (target == rows) return nullptr;
    if (target < rows) {
        std::vector<int> cut;
        for (int r = target; r < rows; ++r) cut.push_back(r);
        return RemoveRows(sheet, std::move(cut));
    }
    auto record = std::make_unique<CellsUndo>(sheet);
    sheet.resize(sheet.columnCount(), target);
    for (int r = rows; r < target; ++r) sheet.setCell(0, r, std::to_string(r - 1));
    return record;
}

std::unique_ptr<SheetUndo> RemoveRows(Worksheet& sheet, std::vector<int> rows) {
    rows = SortedWithin(std::move(rows), kFirstRow, sheet.rowCount());
    if (rows.empty()) return nullptr;
    auto record = std::make_unique<RemovedRowsRecord>(sheet.rowCount(), std::move(rows));
    record->remove(sheet);
    return record;
}

std::unique_ptr<SheetUndo> RemoveColumns(Worksheet& sheet, std::vector<int> columns) {
    columns = SortedWithin(std::move(columns), kFirstColumn, sheet.columnCount());
    if (columns.empty()) return nullptr;
    auto record = std::make_unique<RemovedColumnsRecord>(sheet, std::move(columns));
    record->remove(sheet);
    return record;
}

std::unique_ptr<SheetUndo> InsertRowAt(Worksheet& sheet, int row) {
    if (!InsertRow(sheet, row)) return nullptr;
    return InsertedUndo(false, row);
}

std::unique_ptr<SheetUndo> InsertColumnAt(Worksheet& sheet, int column) {
    if (!InsertColumn(sheet, column)) return nullptr;
    return InsertedUndo(true, column);
}

std::unique_ptr<SheetUndo> RemoveEmptyColumns(Worksheet& sheet) {
    std::vector<int> empty;
    for (int c = kFirstColumn; c < sheet.columnCount(); ++c) {
        if (!ColumnHasData(sheet, c)) empty.push_back(c);
    }
    return RemoveColumns(sheet, std::move(empty));
}

std::unique_ptr<SheetUndo> RemoveEmptyRows(Worksheet& sheet) {
    // Column by column, so the cells are read in the order they lie in memory.
    std::vector<char> filled(Index(sheet.rowCount()), 0);
    for (int c = 1; c < sheet.columnCount(); ++c) {
        const CellColumn& cells = sheet.columnCells(c);
        for (std::size_t r = kFirstRow; r < cells.size(); ++r) {
            if (!cells[r].empty()) filled[r] = 1;
        }
    }
    std::vector<int> empty;
    for (int r = kFirstRow; r < sheet.rowCount(); ++r) {
        if (!filled[Index(r)]) empty.push_back(r);
    }
    return RemoveRows(sheet, std::move(empty));
}

std::string RowLabel(const Worksheet& sheet, int row) {
    return std::to_string(row - 1) + ": " + std::string(sheet.cell(1, row));
}

int RowOfLabel(const Worksheet& sheet, std::string_view label) {
    const std::size_t colon = label.find(':');
    if (colon == std::string_view::npos) return 0;
    const std::optional<int> number = ParseInteger(label.substr(0, colon));
    if (!number || *number + 1 < kFirstRow || *number + 1 >= sheet.rowCount()) return 0;
    return *number + 1;
}

std::string SortRefusal(const Worksheet& sheet, int column, char decimal_separator) {
    if (column < kFirstColumn || column >= sheet.columnCount()) return {};
    const CellColumn& cells = sheet.columnCells(column);
    for (int r = kFirstRow; r < sheet.rowCount(); ++r) {
        const std::string_view text = cells[Index(r)].view();
        if (text.empty() || ParseNumber(text, decimal_separator)) continue;
        const std::string row = std::to_string(r - 1);
        return ConversionError(text).what() +
               ChooseText(" (row " + row + ")", " (rad " + row + ")");
    }
    return {};
}

std::unique_ptr<SheetUndo> SortRows(Worksheet& sheet, int column, bool ascending,
                                    char decimal_separator) {
    if (column < kFirstColumn || column >= sheet.columnCount()) return nullptr;
    int last = LastFilledRow(sheet, column);
    if (last <= kFirstRow) return nullptr;
    const CellColumn& keys = sheet.columnCells(column);
    // order[i]: the row whose cells end in row 2 + i.
    const int span = last - kFirstRow + 1;
    std::vector<int> order(Index(span));
    for (int i = 0; i < span; ++i) order[Index(i)] = kFirstRow + i;
    auto filled = [&](int at) { return !keys[Index(order[Index(at - kFirstRow)])].empty(); };
    // The rows with an empty sort cell go down as the program has always moved them: each
    // is swapped with the lowest filled row, which then moves up past the empty ones.
    for (int r = kFirstRow; r < last; ++r) {
        if (filled(r)) continue;
        std::swap(order[Index(r - kFirstRow)], order[Index(last - kFirstRow)]);
        --last;
        while (last > kFirstRow && !filled(last)) --last;
    }
    // A bubble sort that swaps only on a strict inequality keeps equal values in order: a
    // stable sort gives the same result.
    std::vector<std::pair<Extended, int>> values;
    values.reserve(Index(last - kFirstRow + 1));
    for (int r = kFirstRow; r <= last; ++r) {
        const int from = order[Index(r - kFirstRow)];
        const std::optional<Extended> value =
            ParseNumber(keys[Index(from)].view(), decimal_separator);
        if (!value) return nullptr;  // refused before anything moved (see SortRefusal)
        values.emplace_back(*value, from);
    }
    if (ascending) {
        std::stable_sort(values.begin(), values.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
    } else {
        std::stable_sort(values.begin(), values.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
    }
    for (std::size_t i = 0; i < values.size(); ++i) order[i] = values[i].second;

    bool moved = false;
    for (int i = 0; i < span && !moved; ++i) moved = order[Index(i)] != kFirstRow + i;
    if (!moved) return nullptr;
    std::vector<CellText> buffer(Index(span));
    for (int c = 1; c < sheet.columnCount(); ++c) {
        CellColumn& cells = sheet.mutableColumnCells(c);
        for (int i = 0; i < span; ++i) buffer[Index(i)] = std::move(cells[Index(order[Index(i)])]);
        std::move(buffer.begin(), buffer.end(), cells.begin() + kFirstRow);
    }
    return RowOrderUndo(kFirstRow, std::move(order));
}

std::unique_ptr<SheetUndo> TransposeSheet(Worksheet& sheet) {
    auto record = std::make_unique<TransposedRecord>(sheet);
    TransposeCells(sheet);
    return record;
}

std::string BlockText(const Worksheet& sheet, int left, int top, int right, int bottom) {
    std::size_t size = 0;
    for (int c = left; c <= right; ++c) {
        for (int r = top; r <= bottom; ++r) size += sheet.cell(c, r).size() + 1;
    }
    std::string text;
    text.reserve(size);
    for (int r = top; r <= bottom; ++r) {
        if (r > top) text += '\r';
        for (int c = left; c <= right; ++c) {
            if (c > left) text += '\t';
            text += sheet.cell(c, r);
        }
    }
    return text;
}

}  // namespace tabulon

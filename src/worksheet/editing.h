// The Redigera commands that reshape the worksheet: the grid primitives, the counts of rows
// and columns, deleting, inserting and removing empty rows and columns, sorting, transposing
// and copying a block as text. Every command that changes the sheet returns how to take it
// back (one step of Ångra), or nullptr when it changed nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "worksheet/sheet_undo.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// Grid primitives. Each returns false and does nothing for an index beyond the last row or
// column, or inside the fixed ones.
// One more row: rows from `row` on move down in columns 1.. (the numbers in column 0 stay);
// row `row` is emptied; the new last row gets its number.
bool InsertRow(Worksheet& sheet, int row);
// Rows below `row` move up in columns 1..; one row fewer.
bool DeleteRow(Worksheet& sheet, int row);
// One more column: columns from `column` on move right in rows 1.. with their widths (the
// numbers in row 0 stay); the new column is empty and 64 wide; the new last gets its number.
bool InsertColumn(Worksheet& sheet, int column);
// Columns right of `column` move left in rows 1.. with their widths; one column fewer.
bool DeleteColumn(Worksheet& sheet, int column);
// Exchanges rows a and b in columns 1.. (captions travel, the numbers stay).
bool SwapRows(Worksheet& sheet, int a, int b);

std::string ReplaceChar(std::string_view text, char old_char, char new_char);
// Replaces `old_text` until none is left, as repeating ReplaceFirst does, but in whole passes;
// a replacement that contains `old_text` is made once (repeating it would never end).
std::string ReplaceAll(std::string_view text, std::string_view old_text, std::string_view new_text);

// A worksheet larger than this many cells is refused by the commands that grow it: the
// memory a mistyped count would take is better refused than attempted.
inline constexpr long long kMaxEditCells = 100'000'000;
bool FitsInSheet(long long columns, long long rows);
// "The worksheet would be too large ..." in the current language.
std::string TooLargeText(long long columns, long long rows);

// Antal kolumner / Antal rader: `count` data columns (rows), so count + 2 in all. New ones
// are empty and numbered. nullptr when the count was already that.
std::unique_ptr<SheetUndo> SetDataColumnCount(Worksheet& sheet, int count);
std::unique_ptr<SheetUndo> SetDataRowCount(Worksheet& sheet, int count);

// Removes the rows (grid indices from 2; others are ignored) as DeleteRow would one at a time
// from the bottom up, in one pass; nullptr when none was removed.
std::unique_ptr<SheetUndo> RemoveRows(Worksheet& sheet, std::vector<int> rows);
// The same for columns (grid indices from 2), as DeleteColumn from right to left.
std::unique_ptr<SheetUndo> RemoveColumns(Worksheet& sheet, std::vector<int> columns);
// Infoga rad / Infoga kolumn; nullptr for an index outside the data area.
std::unique_ptr<SheetUndo> InsertRowAt(Worksheet& sheet, int row);
std::unique_ptr<SheetUndo> InsertColumnAt(Worksheet& sheet, int column);

// Ta bort tomma kolumner: every column from 2 without data (a caption alone counts as empty).
std::unique_ptr<SheetUndo> RemoveEmptyColumns(Worksheet& sheet);
// Ta bort tomma rader: every row from 2 that is empty from column 1 on.
std::unique_ptr<SheetUndo> RemoveEmptyRows(Worksheet& sheet);

// A row's label in the choice lists: its number, ": " and its caption ("4: Prov B").
std::string RowLabel(const Worksheet& sheet, int row);
// The row a label names by its number; 0 when it names none of the sheet's rows from 2.
int RowOfLabel(const Worksheet& sheet, std::string_view label);

// The sort window's answer: the column's label and the order.
struct SortChoice {
    std::string column_label;
    bool ascending = true;
};

// Why the rows cannot be sorted by `column`: the first filled cell that is not a number,
// named with its row ("'abc' is not a valid number (row 4)"); empty when they can.
std::string SortRefusal(const Worksheet& sheet, int column, char decimal_separator);
// Sortera: rows whose cell in `column` is empty go below the filled ones, then the filled
// rows are ordered by value, equal values keeping their order, whole rows with their captions.
// The result is the order the program's swap-and-bubble sort gives, reached in O(n log n).
// Call only when SortRefusal is empty; nullptr when no row moved.
std::unique_ptr<SheetUndo> SortRows(Worksheet& sheet, int column, bool ascending,
                                    char decimal_separator);

// Byt rader mot kolumner: cell (c, r) goes to (r, c) for c, r >= 1, so captions of columns
// become captions of rows and the reverse; the counts swap and the numbers are rewritten.
// Columns keep their widths where both sheets have them, others get the default width.
std::unique_ptr<SheetUndo> TransposeSheet(Worksheet& sheet);

// Kopiera: the block's cells row by row, a tab between the cells of a row, a carriage return
// alone between rows, nothing after the last cell.
std::string BlockText(const Worksheet& sheet, int left, int top, int right, int bottom);

}  // namespace tabulon

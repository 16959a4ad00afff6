// Dela upp info and Dela upp special: one column dealt out into several, and sums of a value
// column per combination of key values, written into new columns.
#pragma once

#include <memory>
#include <vector>

#include "worksheet/sheet_undo.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// The largest number of parts Dela upp info takes: one per data row (at least 1).
int MaxSplitParts(const Worksheet& sheet);

// Dela upp info: part i (1..parts) gets the cells of rows 1+i, 1+i+parts, 1+i+2·parts, ... of
// `column` into rows 2, 3, ... of a new column captioned "<caption>:v<i>". Each new column is
// the first completely empty one, or one added at the right. `parts` must lie within
// 1..MaxSplitParts; nullptr otherwise.
std::unique_ptr<SheetUndo> SplitInfo(Worksheet& sheet, int column, int parts);

// The value columns Dela upp special sums for these key columns: the data columns from the
// fourth grid column (column number 3) up to the column count minus the number of keys,
// the keys themselves left out.
std::vector<int> SplitSpecialValueColumns(const Worksheet& sheet, const std::vector<int>& keys);

// Dela upp special: the rows whose key cells are not all empty form groups of equal key texts
// (compared on their first 40 characters), in order of first appearance. For each value
// column the command adds one column per key (its caption, the group's key texts) and one
// captioned "<value caption> all" with the sum of the group's numeric value cells as the
// shortest general text. nullptr when there is no key or no value column.
std::unique_ptr<SheetUndo> SplitSpecial(Worksheet& sheet, const std::vector<int>& keys,
                                        char decimal_separator);

}  // namespace tabulon

// Questions about which columns and rows of a worksheet hold data, and column labels.
// All indices are grid indices; results are 0 or false when nothing qualifies.
#pragma once

#include <string>
#include <string_view>

#include "worksheet/worksheet.h"

namespace tabulon {

// Some cell of column c in rows 2.. is non-empty (captions do not count).
bool ColumnHasData(const Worksheet& sheet, int column);
bool AnyDataColumn(const Worksheet& sheet);
int DataColumnCount(const Worksheet& sheet);
// True only for exactly one data column; `column` names the last data column found
// whenever there is one.
bool SingleDataColumn(const Worksheet& sheet, int& column);
// The n-th data column counting from column 2; the last column index when there are fewer.
int NthDataColumn(const Worksheet& sheet, int n);
// Highest column from 1.. with a non-empty cell in rows 2.. (the row captions count).
int LastDataColumn(const Worksheet& sheet);
// Every cell of row r from column 1 to the last is empty (the row caption counts).
bool RowIsEmpty(const Worksheet& sheet, int row);
int LastDataRow(const Worksheet& sheet);
int LastFilledRow(const Worksheet& sheet, int column);
// A column of index 2.. whose cells in rows 1.. are all empty, caption included.
bool ColumnIsCompletelyEmpty(const Worksheet& sheet, int column);
int FirstEmptyColumn(const Worksheet& sheet);

// "3: Vikt", or "3: " when the caption is empty.
std::string ColumnLabel(const Worksheet& sheet, int column);
// The caption, or the column number text when the caption is empty.
std::string ColumnTitle(const Worksheet& sheet, int column);
// The highest column from 2.. whose label equals `label` exactly; 0 if none.
int FindColumnByLabel(const Worksheet& sheet, std::string_view label);

}  // namespace tabulon

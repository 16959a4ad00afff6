// Reading chosen columns: their labels, their non-empty cells, the bar charts' work sheet.
#pragma once

#include <string>
#include <vector>

#include "worksheet/worksheet.h"

namespace tabulon {

// The labels of every data column, in column order.
std::vector<std::string> DataColumnLabels(const Worksheet& sheet);

// The non-empty cells of a column, top to bottom, with the visible row number of each.
struct ColumnValues {
    std::vector<std::string> values;
    std::vector<std::string> row_numbers;
};
ColumnValues ReadColumn(const Worksheet& sheet, int column);

// The bar charts' work sheet: one column and one row fewer than the source, the column
// numbers joined to their captions ("3:Vikt"), the row captions left out.
Worksheet CopyToWorkGrid(const Worksheet& source);

}  // namespace tabulon

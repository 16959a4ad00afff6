// Applying the current model to the worksheet: its variables found among the columns by
// caption, the equation evaluated for every row, the predictions written into a free column.
#pragma once

#include <string>
#include <vector>

#include "multivariate/model_file.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// ColumnMap: index j (1..p) the grid column whose caption, upper-cased, equals the display
// name of x-variable j, upper-cased (the right-most when several do); −1 when none does, 0
// when the display name is empty. Index 0 is 0.
std::vector<int> MatchModelColumns(const TModelRecord& model, const Worksheet& sheet);
// Every variable has a worksheet column.
bool AllModelColumnsFound(const std::vector<int>& column_map, const Worksheet& sheet);

// The "CORRELATION" window: per x-variable the caption of its column, or "Hittar ej denna
// kolumn" / "Cannot find this column", and its display name.
ModelWindowTable ModelCorrelationTable(const TModelRecord& model,
                                       const std::vector<int>& column_map, const Worksheet& sheet);

// Upper case for matching captions: ASCII and the Latin-1 letters (å, ä, ö, é, ...).
std::string UpperCaseName(std::string_view text);

struct ModelApplication {
    bool ok = false;
    std::vector<int> column_map;
    int column = 0;       // the grid column written
    std::string message;  // "Resultatet läggs i kolumn 5" / "Result is transfered to column 5"
    std::string refusal;  // why nothing was written (current language)
};

// Anvnd modell: when every variable is found, ẑ = b0 + Σ b_j·x_j (extended, j = 1..p in order)
// for every data row, in general format with 6 significant digits, into the first completely
// empty column or a new one at the end, captioned "Col " and its number. A row whose mapped
// cells are all empty gets an empty result. Nothing is written when a variable is not found
// or when a mapped cell in some other row is not a number: the first such cell is named
// (its text, row and column) in `refusal`.
ModelApplication ApplyModel(const TModelRecord& model, Worksheet& sheet, char decimal_separator);

}  // namespace tabulon

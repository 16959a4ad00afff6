// Alla mot alla: every pair of chosen columns as a small scatter plot in a grid, with the
// correlation coefficient of each pair on request.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "graphs/text_measure.h"
#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon {

struct AllAgainstAllData {
    std::vector<int> columns;        // the worksheet columns, in the chosen order
    std::vector<std::string> captions;
    std::vector<std::vector<Extended>> values;  // per column and data row; NaN where empty
};

// The chosen columns read row by row; a filled cell that is not a number raises
// ConversionError (the caller names it).
AllAgainstAllData AllAgainstAllFromSheet(const Worksheet& sheet, const std::vector<int>& columns,
                                         char decimal_separator);

// The rows where both cells are filled.
int PairCount(const AllAgainstAllData& data, int i, int j);
// r = (nΣxy − ΣxΣy)/√((nΣx² − (Σx)²)(nΣy² − (Σy)²)) over those rows, taken about the means so
// that large offsets keep their digits; nullopt with fewer than two rows or a constant column.
std::optional<Extended> PairCorrelation(const AllAgainstAllData& data, int i, int j);

struct AllAgainstAllView {
    bool correlations = false;  // "korrelationskoefficienter"
    bool swapped = false;       // "Byt x- och y-axel": rows give x instead of y
};

// The cell (row, column) under a pixel of a graph `width` × `height`, or nullopt.
std::optional<std::pair<int, int>> AllAgainstAllCellAt(const AllAgainstAllData& data, int width,
                                                       int height, int px, int py);
// The (x column, y column) indices a cell shows.
std::pair<int, int> AllAgainstAllPair(int row, int column, const AllAgainstAllView& view);

// The grid: captions on the diagonal, and in each other cell its pairs scaled to the cell
// and, with correlations on, "r=" and r with 6 decimals at its top left corner.
void RenderAllAgainstAll(Canvas& canvas, int width, int height, const AllAgainstAllData& data,
                         const AllAgainstAllView& view, const TextMeasurer& measure);

// Kopiera > Text: the correlation table, tab-separated ("-" where r cannot be formed).
std::vector<std::string> AllAgainstAllLines(const AllAgainstAllData& data);

}  // namespace tabulon

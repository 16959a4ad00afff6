// The worksheet as Arkiv > Skriv ut prints it: the filled part of the sheet as the grid shows
// it, the column numbers as the headlines repeated on every page.
#pragma once

#include "graphs/font_spec.h"
#include "graphs/print_grid.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// How the grid shows the sheet on screen; the printed sizes keep the screen's inches.
struct SheetPrintStyle {
    int decimals = 2;
    int significant_digits = 0;
    char decimal_separator = ',';
    int row_height_pixels = 24;
    double screen_dpi = 96;
    FontSpec font;
    std::string title;  // the print job's name: the main window's caption
};

// The sheet's rows 0 to the last data row and columns 0 to the last data column (at least
// the numbers and captions): grid row 0 gives the headlines, grid row r is table row r - 1;
// data cells read as the grid shows them. Column widths and the row height are the screen's
// pixels over its resolution, the headline line 1.5 rows high, the separator 0.03 inch.
// The texts are read from `sheet` while the grid is printed; it must not change meanwhile.
PrintGrid WorksheetPrintGrid(const Worksheet& sheet, const SheetPrintStyle& style);

}  // namespace tabulon

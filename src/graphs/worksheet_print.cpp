// The worksheet laid out as a print table.
#include "graphs/worksheet_print.h"

#include <algorithm>

#include "worksheet/cell_format.h"
#include "worksheet/column_queries.h"

namespace tabulon {

PrintGrid WorksheetPrintGrid(const Worksheet& sheet, const SheetPrintStyle& style) {
    PrintGrid grid;
    const int last_column = std::max(Worksheet::kFixedColumns - 1, LastDataColumn(sheet));
    const int last_row = std::max(Worksheet::kFixedRows - 1, LastDataRow(sheet));
    const double dpi = style.screen_dpi > 0 ? style.screen_dpi : 96;
    grid.SetDefaultColCount(last_column + 1);
    grid.SetRowCount(last_row);
    const double row_height = style.row_height_pixels / dpi;
    grid.SetDefaultRowHeight(row_height);
    grid.SetDefaultHeadLineHeight(1.5 * row_height);
    grid.SetDefaultFont(style.font);
    grid.SetDefaultHeadlineFont(style.font);
    PrintRowFormat& format = grid.FirstFormat();
    for (int c = 0; c <= last_column; ++c) {
        PrintColumn& column = format.columns[static_cast<std::size_t>(c)];
        column.width = sheet.columnWidth(c) / dpi;
        column.distance = 0;
        column.headline = std::string(sheet.cell(c, 0));
    }
    grid.SetTitle(style.title);
    grid.SetSeparatorThickness(30);
    grid.SetCellSource([&sheet, style](int column, int row) {
        const int grid_row = row + 1;
        if (!sheet.contains(column, grid_row)) return std::string();
        const std::string_view text = sheet.cell(column, grid_row);
        if (column < Worksheet::kFixedColumns || grid_row < Worksheet::kFixedRows) {
            return std::string(text);
        }
        return FormatCellForDisplay(text, style.decimals, style.significant_digits,
                                    style.decimal_separator);
    });
    return grid;
}

}  // namespace tabulon

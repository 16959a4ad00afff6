// Fitting column widths to their texts.
#include "worksheet/column_width.h"

#include <algorithm>

#include "numeric/number_text.h"

namespace tabulon {

int AutoColumnWidth(const Worksheet& sheet, int column, int decimals,
                    const TextWidthFunction& text_width) {
    if (column < 0 || column >= sheet.columnCount()) return 20;
    // The allowance for decimals is the same for every text; measure it once. No cell shows
    // more decimals than the fixed format writes, whatever the settings file says.
    decimals = std::min(decimals, kMaxFixedDecimals);
    const int decimals_room =
        decimals >= 1 ? text_width(",") + decimals * (text_width("0") + 4) : 0;
    int widest = 1;
    for (const CellText& cell : sheet.columnCells(column)) {
        const std::string_view text = cell.view();
        int w = text.empty() ? 0 : text_width(text);
        if (decimals >= 1 && text.find(',') == std::string_view::npos) w += decimals_room;
        widest = std::max(widest, w);
    }
    return std::max(widest, 20);
}

int CaptionColumnWidth(const Worksheet& sheet, int column, const TextWidthFunction& text_width) {
    if (column < 0 || column >= sheet.columnCount()) return 20;
    int widest = 20;
    for (const CellText& text : sheet.columnCells(column)) {
        if (!text.empty()) widest = std::max(widest, text_width(text.view()));
    }
    return widest;
}

}  // namespace tabulon

// Column widths fitted to the texts of a column, measured by the caller's font.
#pragma once

#include <functional>
#include <string_view>

#include "worksheet/worksheet.h"

namespace tabulon {

using TextWidthFunction = std::function<int(std::string_view)>;

// The widest text of the column (captions included); a text without "," gets room for a
// separator and `decimals` digits when decimals >= 1. Never below 20. Callers add 4.
int AutoColumnWidth(const Worksheet& sheet, int column, int decimals,
                    const TextWidthFunction& text_width);

// The widest text of the column, never below 20. Callers add 4.
int CaptionColumnWidth(const Worksheet& sheet, int column, const TextWidthFunction& text_width);

}  // namespace tabulon

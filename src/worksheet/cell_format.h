// How a data cell's text is shown and how it is tidied when the cursor leaves it.
#pragma once

#include <string>
#include <string_view>

namespace tabulon {

// The text a data cell shows: blank for anything that is not a number; fixed point with
// `decimals` decimals while decimals > 0 or significant_digits == 0; otherwise
// `significant_digits` significant digits, padded with zeros to that many digits. The
// separator of the result is `decimal_separator`.
std::string FormatCellForDisplay(std::string_view text, int decimals, int significant_digits,
                                 char decimal_separator);

struct LeaveCellResult {
    bool accepted = true;  // false: the text is not a number and the cursor must stay
    std::string text;      // what the cell holds afterwards
};

// Leaving a cell: an empty text passes; otherwise the first "." or "," is turned into
// `decimal_separator` and a number is rewritten as its shortest general text (1.50 -> 1,5 in
// a comma locale, 1e3 -> 1000). Anything else is refused.
LeaveCellResult NormalizeCellOnLeave(std::string_view text, char decimal_separator);

}  // namespace tabulon

// Display and normalisation of data cell texts.
#include "worksheet/cell_format.h"

#include <algorithm>

#include "numeric/number_text.h"

namespace tabulon {
namespace {

void ReplaceFirstChar(std::string& text, char from, char to) {
    auto pos = text.find(from);
    if (pos != std::string::npos) text[pos] = to;
}

}  // namespace

std::string FormatCellForDisplay(std::string_view text, int decimals, int significant_digits,
                                 char decimal_separator) {
    auto value = ParseNumber(text, decimal_separator);
    if (!value) return {};
    std::string shown;
    if (decimals > 0 || significant_digits == 0) {
        shown = FormatFixed(*value, std::max(decimals, 0), '.');
    } else {
        // Rounding to the digits and rendering the result again with 15 digits drops the
        // binary residue of the rounding (0.1 + 0.2 would otherwise show its tail).
        std::string rounded = FormatGeneral(*value, significant_digits, 0, '.');
        shown = FormatShortest(*ParseNumber(rounded, '.'), '.');
        const auto digits = static_cast<int>(
            std::count_if(shown.begin(), shown.end(), [](char c) { return c >= '0' && c <= '9'; }));
        // Padded to the digits the rounding kept, not to a count a Default.par may make up.
        const int wanted = std::min(significant_digits, kMaxGeneralPrecision);
        if (wanted > digits) {
            if (shown.find('.') == std::string::npos) shown += '.';
            shown.append(static_cast<std::size_t>(wanted - digits), '0');
        }
    }
    ReplaceFirstChar(shown, '.', decimal_separator);
    return shown;
}

LeaveCellResult NormalizeCellOnLeave(std::string_view text, char decimal_separator) {
    LeaveCellResult result{true, std::string(text)};
    if (text.empty()) return result;
    ReplaceFirstChar(result.text, decimal_separator == ',' ? '.' : ',', decimal_separator);
    if (auto value = ParseNumber(result.text, decimal_separator)) {
        result.text = FormatShortest(*value, decimal_separator);
    } else {
        result.accepted = false;
    }
    return result;
}

}  // namespace tabulon

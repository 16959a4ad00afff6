// The check the paste fuzz target runs on every input, shared with the corpus replay: the
// first two bytes choose Klistra in or Klistra in special with its settings and the cursor,
// the rest is the clipboard text. A plan stays inside its block; written, it can be taken
// back to the sheet as it was; and its block copied and pasted again changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <string>
#include <string_view>

#include "worksheet/editing.h"
#include "worksheet/paste.h"

namespace tabulon::fuzz {

struct PasteInput {
    bool special = false;
    PasteSpecialOptions options;
    int column = 2;
    int row = 2;
    char decimal_separator = '.';
    std::string_view text;
};

// Byte 0: bit 0 the separator, bit 1 paste special, bits 2-3 its separator, bit 4
// Specificera, bits 5 and 6 the headings, bit 7 the cursor near the sheet's last row.
// Byte 1: the Specificera width (low 4 bits) and the cursor's column (high 4 bits).
inline PasteInput SplitPaste(const std::uint8_t* data, std::size_t size) {
    PasteInput input;
    if (size < 2) return input;
    input.decimal_separator = (data[0] & 1) ? ',' : '.';
    input.special = (data[0] & 2) != 0;
    const int separator = (data[0] >> 2) & 3;
    input.options.separator = separator == 1   ? PasteSeparator::Space
                              : separator == 2 ? PasteSeparator::Comma
                                               : PasteSeparator::Tab;
    input.options.specify_columns = (data[0] & 16) != 0;
    input.options.column_headings = (data[0] & 32) != 0;
    input.options.row_headings = (data[0] & 64) != 0;
    input.row = (data[0] & 128) ? Worksheet::kStartRows - 2 : 2;
    input.options.columns = data[1] & 15;
    input.column = 2 + (data[1] >> 4);
    input.text = std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2);
    return input;
}

inline const char* CheckPasteInput(const std::uint8_t* data, std::size_t size) {
    const PasteInput input = SplitPaste(data, size);
    const char sep = input.decimal_separator;
    const PastePlan plan =
        input.special ? PlanPasteSpecial(input.text, input.options, input.column, input.row, sep)
                      : PlanPaste(input.text, input.column, input.row, sep);
    if (plan.empty()) return nullptr;
    for (const PlacedCell& cell : plan.cells) {
        if (cell.column < plan.left || cell.column > plan.right || cell.row < plan.top ||
            cell.row > plan.bottom) {
            return "a cell outside the plan's block";
        }
        if (cell.column < 1 || cell.row < 1) return "a cell on the numbers";
    }
    Worksheet sheet = Worksheet::StartSheet();
    if (!PasteRefusal(sheet, plan).empty()) return nullptr;
    const Worksheet before = sheet;
    auto undo = WritePlan(sheet, plan);
    if (!undo) return "a plan written without an undo record";
    if (sheet.columnCount() <= plan.right || sheet.rowCount() <= plan.bottom) {
        return "the sheet did not grow to the block";
    }
    // Later cells of a plan overwrite earlier ones.
    std::map<std::pair<int, int>, std::string_view> last;
    for (const PlacedCell& cell : plan.cells) last[{cell.column, cell.row}] = cell.text.view();
    for (const auto& [at, text] : last) {
        if (sheet.cell(at.first, at.second) != text) return "a cell not written";
    }
    const Worksheet written = sheet;

    // Kopiera gives tab-separated rows, which Klistra in reads back as the same cells where
    // a cell holds no tab, and in a one-column block no blank, and the block holds data only.
    bool copyable = plan.left >= Worksheet::kFixedColumns && plan.top >= Worksheet::kFixedRows;
    for (int c = plan.left; copyable && c <= plan.right; ++c) {
        for (int r = plan.top; copyable && r <= plan.bottom; ++r) {
            const std::string_view text = sheet.cell(c, r);
            copyable = text.find('\t') == std::string_view::npos &&
                       (plan.left < plan.right || text.find(' ') == std::string_view::npos);
        }
    }
    if (copyable) {
        const std::string copied = BlockText(sheet, plan.left, plan.top, plan.right, plan.bottom);
        const PastePlan again = PlanPaste(copied, plan.left, plan.top, sep);
        Worksheet pasted = sheet;
        WritePlan(pasted, again);
        if (!(pasted == written)) return "the copied block pastes back differently";
    }

    undo->Restore(sheet);
    if (!(sheet == before)) return "the paste is not taken back";
    return nullptr;
}

}  // namespace tabulon::fuzz

// Dela upp info and Dela upp special.
#include "worksheet/split_columns.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "numeric/number_text.h"
#include "worksheet/column_queries.h"
#include "worksheet/editing_undo.h"

namespace tabulon {
namespace {

constexpr std::size_t kKeyLength = 40;

std::size_t Index(int i) {
    return static_cast<std::size_t>(i);
}

// The result column, its old cells kept for undo, with its caption written.
int NewColumn(Worksheet& sheet, CellsUndo& record, std::string_view caption) {
    const int target = ResultColumn(sheet);
    record.keepBlock(sheet, target, 1, target, sheet.rowCount() - 1);
    sheet.setCell(target, 1, caption);
    return target;
}

}  // namespace

int MaxSplitParts(const Worksheet& sheet) {
    return std::max(sheet.rowCount() - Worksheet::kFixedRows, 1);
}

std::unique_ptr<SheetUndo> SplitInfo(Worksheet& sheet, int column, int parts) {
    if (column < 1 || column >= sheet.columnCount() || parts < 1 || parts > MaxSplitParts(sheet)) {
        return nullptr;
    }
    auto record = std::make_unique<CellsUndo>(sheet);
    const std::string caption(sheet.cell(column, 1));
    const int rows = sheet.rowCount();
    for (int i = 1; i <= parts; ++i) {
        const int target = NewColumn(sheet, *record, caption + ":v" + std::to_string(i));
        // Both references taken after the sheet may have grown.
        const CellColumn& source = sheet.columnCells(column);
        CellColumn& cells = sheet.mutableColumnCells(target);
        int to = Worksheet::kFixedRows;
        for (int from = 1 + i; from < rows; from += parts) cells[Index(to++)] = source[Index(from)];
    }
    return record;
}

std::vector<int> SplitSpecialValueColumns(const Worksheet& sheet, const std::vector<int>& keys) {
    std::vector<int> values;
    const int last =
        std::min(sheet.columnCount() - static_cast<int>(keys.size()), sheet.columnCount() - 1);
    for (int c = 4; c <= last; ++c) {
        if (ColumnHasData(sheet, c) && std::find(keys.begin(), keys.end(), c) == keys.end()) {
            values.push_back(c);
        }
    }
    return values;
}

std::unique_ptr<SheetUndo> SplitSpecial(Worksheet& sheet, const std::vector<int>& keys,
                                        char decimal_separator) {
    const std::vector<int> values = SplitSpecialValueColumns(sheet, keys);
    if (keys.empty() || values.empty()) return nullptr;
    const int rows = sheet.rowCount();

    // The group of every row (-1: no key), and the key texts of each group's first row.
    std::vector<int> group_of(Index(rows), -1);
    std::vector<std::vector<std::string>> group_keys;
    std::unordered_map<std::string, int> groups;
    for (int r = Worksheet::kFixedRows; r < rows; ++r) {
        std::string id;
        bool any = false;
        for (int key : keys) {
            const std::string_view text = sheet.cell(key, r).substr(0, kKeyLength);
            any = any || !text.empty();
            id += std::to_string(text.size()) + ':';
            id += text;
        }
        if (!any) continue;
        const auto [it, added] = groups.emplace(std::move(id), static_cast<int>(group_keys.size()));
        if (added) {
            group_keys.emplace_back();
            for (int key : keys) group_keys.back().emplace_back(sheet.cell(key, r));
        }
        group_of[Index(r)] = it->second;
    }

    auto record = std::make_unique<CellsUndo>(sheet);
    for (int value : values) {
        std::vector<Extended> sums(group_keys.size(), 0);
        for (int r = Worksheet::kFixedRows; r < rows; ++r) {
            if (group_of[Index(r)] < 0) continue;
            if (auto v = ParseNumber(sheet.cell(value, r), decimal_separator)) {
                sums[Index(group_of[Index(r)])] += *v;
            }
        }
        const std::string value_caption(sheet.cell(value, 1));
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const std::string key_caption(sheet.cell(keys[k], 1));
            const int target = NewColumn(sheet, *record, key_caption);
            for (std::size_t g = 0; g < group_keys.size(); ++g) {
                sheet.setCell(target, Worksheet::kFixedRows + static_cast<int>(g),
                              group_keys[g][k]);
            }
        }
        const int target = NewColumn(sheet, *record, value_caption + " all");
        for (std::size_t g = 0; g < sums.size(); ++g) {
            sheet.setCell(target, Worksheet::kFixedRows + static_cast<int>(g),
                          FormatShortest(sums[g], decimal_separator));
        }
    }
    return record;
}

}  // namespace tabulon

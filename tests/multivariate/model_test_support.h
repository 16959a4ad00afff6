// Worksheets and comparisons the model tests share.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "multivariate/model_data.h"
#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon::test {

// A numbered sheet whose data columns 1, 2, ... hold `columns` under `captions`.
inline Worksheet SheetOf(const std::vector<std::string>& captions,
                         const std::vector<std::vector<std::string>>& columns) {
    std::size_t rows = 0;
    for (const auto& c : columns) rows = std::max(rows, c.size());
    Worksheet sheet(static_cast<int>(columns.size()) + 4, static_cast<int>(rows) + 4);
    sheet.renumber();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const int column = static_cast<int>(c) + Worksheet::kFixedColumns;
        sheet.setCell(column, 1, captions[c]);
        for (std::size_t r = 0; r < columns[c].size(); ++r) {
            sheet.setCell(column, static_cast<int>(r) + Worksheet::kFixedRows, columns[c][r]);
        }
    }
    return sheet;
}

// The data of z in data column `z` and the x-variables in data columns `x` (1-based).
inline ModelData DataOf(const Worksheet& sheet, int z, const std::vector<int>& x,
                        ModelColumns* columns_out = nullptr) {
    std::vector<int> grid;
    for (int c : x) grid.push_back(c + 1);
    const ModelColumnsRead read = ModelColumnsOf(sheet, z + 1, grid);
    EXPECT_TRUE(read.columns) << read.refusal;
    if (columns_out) *columns_out = *read.columns;
    return LoadModelData(sheet, *read.columns, '.');
}

inline ::testing::AssertionResult Near(Extended actual, Extended expected, Extended relative) {
    if (std::fabs(actual - expected) <=
        relative * std::max<Extended>(std::fabs(expected), 1e-300L)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

// The six rows worked through in R (tests/multivariate comments give the calls).
inline Worksheet SmallSheet() {
    return SheetOf({"x1", "x2", "x3", "z"}, {{"1", "2", "3", "4", "5", "6"},
                                             {"2", "1", "4", "3", "6", "8"},
                                             {"5", "3", "4", "1", "2", "2"},
                                             {"3.1", "2.9", "6.2", "5.8", "9.9", "12.5"}});
}

}  // namespace tabulon::test

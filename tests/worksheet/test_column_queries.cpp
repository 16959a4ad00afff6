// Which columns and rows hold data, and column labels.
#include "worksheet/column_queries.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(ColumnQueries, CaptionsAloneDoNotMakeADataColumn) {
    Worksheet sheet = Worksheet::StartSheet();
    EXPECT_FALSE(AnyDataColumn(sheet));
    EXPECT_EQ(FirstEmptyColumn(sheet), 2);
    sheet.setCell(2, 1, "Vikt");
    sheet.setCell(1, 5, "prov");
    EXPECT_FALSE(AnyDataColumn(sheet));
    EXPECT_EQ(DataColumnCount(sheet), 0);
    EXPECT_EQ(FirstEmptyColumn(sheet), 3);  // the caption makes column 2 not empty
    EXPECT_EQ(LastDataColumn(sheet), 1);    // the row captions count here
}

TEST(ColumnQueries, CountsAndFindsDataColumns) {
    Worksheet sheet = Worksheet::StartSheet();
    int single = 0;
    EXPECT_FALSE(SingleDataColumn(sheet, single));
    sheet.setCell(4, 9, "1");
    EXPECT_TRUE(SingleDataColumn(sheet, single));
    EXPECT_EQ(single, 4);
    sheet.setCell(20, 50, " ");  // a blank is text
    EXPECT_FALSE(SingleDataColumn(sheet, single));
    EXPECT_EQ(single, 20);
    EXPECT_EQ(DataColumnCount(sheet), 2);
    EXPECT_EQ(NthDataColumn(sheet, 1), 4);
    EXPECT_EQ(NthDataColumn(sheet, 2), 20);
    EXPECT_EQ(NthDataColumn(sheet, 3), 21);  // fewer than n: the last column
    EXPECT_EQ(LastDataColumn(sheet), 20);
    EXPECT_EQ(LastFilledRow(sheet, 4), 9);
    EXPECT_EQ(LastDataRow(sheet), 50);
    EXPECT_TRUE(RowIsEmpty(sheet, 10));
    EXPECT_FALSE(RowIsEmpty(sheet, 9));
}

TEST(ColumnQueries, LabelsMatchExactlyIncludingTheTrailingBlank) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(3, 1, "Vikt");
    EXPECT_EQ(ColumnLabel(sheet, 3), "2: Vikt");
    EXPECT_EQ(ColumnLabel(sheet, 4), "3: ");
    EXPECT_EQ(ColumnTitle(sheet, 3), "Vikt");
    EXPECT_EQ(ColumnTitle(sheet, 4), "3");
    EXPECT_EQ(FindColumnByLabel(sheet, "2: Vikt"), 3);
    EXPECT_EQ(FindColumnByLabel(sheet, "3: "), 4);
    EXPECT_EQ(FindColumnByLabel(sheet, "3:"), 0);
    EXPECT_EQ(FindColumnByLabel(sheet, "1: Vikt"), 0);
}

}  // namespace
}  // namespace tabulon

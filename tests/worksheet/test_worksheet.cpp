// The worksheet value: sizes, moves and renumbering, reset and clear.
#include "worksheet/worksheet.h"

#include <gtest/gtest.h>

#include <string>

namespace tabulon {
namespace {

TEST(Worksheet, StartSheetIsNumbered22By102) {
    const Worksheet sheet = Worksheet::StartSheet();
    EXPECT_EQ(sheet.columnCount(), 22);
    EXPECT_EQ(sheet.rowCount(), 102);
    EXPECT_EQ(sheet.cell(2, 0), "1");
    EXPECT_EQ(sheet.cell(0, 2), "1");
    EXPECT_EQ(sheet.cell(0, 101), "100");
    EXPECT_EQ(sheet.cell(0, 0), "");
    EXPECT_EQ(sheet.cell(1, 1), "");
    EXPECT_EQ(sheet.columnWidth(7), 64);
}

TEST(Worksheet, RenumberCountsEveryRowPastEachNewDigit) {
    Worksheet sheet(3, 100'003);
    sheet.setCell(0, 5, "old caption");
    sheet.renumber();
    for (int r = Worksheet::kFixedRows; r < sheet.rowCount(); ++r) {
        ASSERT_EQ(sheet.cell(0, r), std::to_string(r - 1)) << r;
    }
    EXPECT_EQ(sheet.cell(0, 100'002), "100001");
    // A reader's column 0 is the same column.
    EXPECT_EQ(Worksheet::RowNumberColumn(100'003), sheet.columnCells(0));
}

TEST(Worksheet, OutOfRangeReadsAreEmptyAndWritesAreIgnored) {
    Worksheet sheet(4, 4);
    sheet.setCell(9, 9, "x");
    sheet.setCell(-1, 0, "x");
    EXPECT_EQ(sheet.cell(9, 9), "");
    EXPECT_EQ(sheet.cell(-1, 2), "");
    EXPECT_EQ(Worksheet(0, 0).columnCount(), 2);  // never fewer than the fixed rows/columns
}

TEST(Worksheet, ResizeKeepsTheCommonCells) {
    Worksheet sheet(4, 4);
    sheet.setCell(3, 3, "v");
    sheet.setColumnWidth(3, 99);
    sheet.resize(6, 8);
    EXPECT_EQ(sheet.cell(3, 3), "v");
    EXPECT_EQ(sheet.columnWidth(3), 99);
    EXPECT_EQ(sheet.columnWidth(5), 64);
    sheet.resize(3, 3);
    EXPECT_EQ(sheet.cell(3, 3), "");
    sheet.resize(6, 8);
    EXPECT_EQ(sheet.cell(3, 3), "");  // dropped cells do not come back
}

TEST(Worksheet, MovesCarryCaptionsValuesAndWidthsAndRenumber) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, "A");
    sheet.setCell(2, 5, "1");
    sheet.setColumnWidth(2, 80);
    sheet.moveColumn(2, 5);
    EXPECT_EQ(sheet.cell(5, 1), "A");
    EXPECT_EQ(sheet.cell(5, 5), "1");
    EXPECT_EQ(sheet.columnWidth(5), 80);
    EXPECT_EQ(sheet.cell(5, 0), "4");
    EXPECT_EQ(sheet.cell(2, 0), "1");
    sheet.moveColumn(5, 2);
    EXPECT_EQ(sheet.cell(2, 1), "A");

    sheet.setCell(1, 10, "prov");
    sheet.moveRow(10, 3);
    EXPECT_EQ(sheet.cell(1, 3), "prov");
    EXPECT_EQ(sheet.cell(0, 3), "2");
    EXPECT_EQ(sheet.cell(2, 6), "1");  // row 5 moved down by one
    sheet.moveRow(3, 999);             // out of range: nothing happens
    EXPECT_EQ(sheet.cell(1, 3), "prov");
}

TEST(Worksheet, ResetEmptiesCaptionsToo_ClearKeepsThem) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(3, 1, "Vikt");
    sheet.setCell(1, 4, "prov");
    sheet.setCell(3, 4, "2");
    Worksheet cleared = sheet;
    ClearWorksheetData(cleared, 21, 101);
    EXPECT_EQ(cleared.cell(3, 1), "Vikt");
    EXPECT_EQ(cleared.cell(1, 4), "prov");
    EXPECT_EQ(cleared.cell(3, 4), "");
    ResetWorksheet(sheet, 5, 9);
    EXPECT_EQ(sheet.columnCount(), 6);
    EXPECT_EQ(sheet.rowCount(), 10);
    EXPECT_EQ(sheet.cell(3, 1), "");
    EXPECT_EQ(sheet.cell(1, 4), "");
    EXPECT_EQ(sheet.cell(0, 9), "8");
}

}  // namespace
}  // namespace tabulon

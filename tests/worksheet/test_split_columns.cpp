// Dela upp info and Dela upp special: parts dealt out into new columns, sums per combination
// of key values.
#include <gtest/gtest.h>

#include "worksheet/column_queries.h"
#include "worksheet/split_columns.h"

namespace tabulon {
namespace {

std::vector<std::string> Cells(const Worksheet& sheet, int column, int from, int to) {
    std::vector<std::string> cells;
    for (int r = from; r <= to; ++r) cells.emplace_back(sheet.cell(column, r));
    return cells;
}

TEST(SplitInfo, TwoPartsDealOutAlternateValuesIntoTheFirstEmptyColumns) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(3, 1, "Mät");
    for (int r = 2; r <= 7; ++r) sheet.setCell(3, r, std::to_string(r - 1));  // 1 to 6
    sheet.setCell(4, 1, "taken");  // only a caption: not completely empty
    ASSERT_TRUE(SplitInfo(sheet, 3, 2));
    // worked by hand: rows 2, 4, 6 and rows 3, 5, 7
    EXPECT_EQ(Cells(sheet, 2, 1, 5), (std::vector<std::string>{"Mät:v1", "1", "3", "5", ""}));
    EXPECT_EQ(Cells(sheet, 5, 1, 5), (std::vector<std::string>{"Mät:v2", "2", "4", "6", ""}));
    EXPECT_EQ(sheet.columnCount(), 22);
}

TEST(SplitInfo, PartsBeyondTheEmptyColumnsGoIntoAddedNumberedColumns) {
    Worksheet sheet(4, 8);
    sheet.renumber();
    for (int r = 2; r < 8; ++r) sheet.setCell(2, r, std::to_string(r));
    ASSERT_TRUE(SplitInfo(sheet, 2, 3));
    EXPECT_EQ(sheet.columnCount(), 6);
    EXPECT_EQ(sheet.cell(5, 0), "4");
    EXPECT_EQ(Cells(sheet, 5, 1, 4), (std::vector<std::string>{":v3", "4", "7", ""}));
    EXPECT_EQ(SplitInfo(sheet, 2, 0), nullptr);
    EXPECT_EQ(SplitInfo(sheet, 2, MaxSplitParts(sheet) + 1), nullptr);
}

TEST(SplitSpecial, SumsEachKeyCombinationInOrderOfFirstAppearance) {
    Worksheet sheet(7, 9);
    sheet.renumber();
    // keys in columns 2 and 3, values in 4 (a text and an empty cell are not summed)
    const char* rows[][3] = {{"A", "x", "1"},   {"B", "x", "2"}, {"A", "x", "3,5"}, {"", "", "9"},
                             {"B", "y", "abc"}, {"A", "x", ""},  {"B", "y", "4"}};
    for (int i = 0; i < 7; ++i) {
        for (int k = 0; k < 3; ++k) sheet.setCell(2 + k, 2 + i, rows[i][k]);
    }
    sheet.setCell(2, 1, "Lab");
    sheet.setCell(3, 1, "Dag");
    sheet.setCell(4, 1, "Halt");
    EXPECT_EQ(SplitSpecialValueColumns(sheet, {2, 3}), std::vector<int>{4});
    ASSERT_TRUE(SplitSpecial(sheet, {2, 3}, ','));
    EXPECT_EQ(Cells(sheet, 5, 1, 5), (std::vector<std::string>{"Lab", "A", "B", "B", ""}));
    EXPECT_EQ(Cells(sheet, 6, 1, 5), (std::vector<std::string>{"Dag", "x", "x", "y", ""}));
    // worked by hand: A x = 1 + 3,5; B x = 2; B y = 4; the keyless row forms no group
    EXPECT_EQ(Cells(sheet, 7, 1, 5), (std::vector<std::string>{"Halt all", "4,5", "2", "4", ""}));
    EXPECT_EQ(sheet.cell(7, 0), "6");
}

TEST(SplitSpecial, KeysAreComparedOnTheirFirstFortyCharacters) {
    Worksheet sheet(5, 5);
    sheet.renumber();
    const std::string base(40, 'k');
    sheet.setCell(2, 2, base + "1");
    sheet.setCell(2, 3, base + "2");
    sheet.setCell(4, 2, "1");
    sheet.setCell(4, 3, "2");
    ASSERT_TRUE(SplitSpecial(sheet, {2}, '.'));
    // The key goes into the empty column 3, the sum into a column added at the right.
    EXPECT_EQ(Cells(sheet, 3, 2, 3), (std::vector<std::string>{base + "1", ""}));
    EXPECT_EQ(sheet.cell(5, 2), "3");
    EXPECT_EQ(SplitSpecial(sheet, {}, '.'), nullptr);
}

}  // namespace
}  // namespace tabulon

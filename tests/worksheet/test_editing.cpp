// The Redigera commands on the worksheet: grid primitives, counts, deletions, sorting against
// the program's own swap-and-bubble sort, transposing, copying, and undo records that put
// every command back exactly.
#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <random>

#include "base/language.h"
#include "numeric/number_text.h"
#include "worksheet/editing.h"
#include "worksheet/paste.h"
#include "worksheet/split_columns.h"

namespace tabulon {
namespace {

// 8 x 12: captions, row captions, numbers with a comma, a long text, an empty column (4) and
// an empty row (6), one column only captioned (7), widths and notes.
Worksheet Rich() {
    Worksheet sheet(8, 12);
    sheet.renumber();
    sheet.setNotes("notes\nline 2");
    for (int c = 2; c < 8; ++c) {
        if (c == 4) continue;
        sheet.setCell(c, 1, "K" + std::to_string(c));
        sheet.setColumnWidth(c, 60 + c);
        for (int r = 2; r < 12; ++r) {
            if (r == 6 || c == 7) continue;
            sheet.setCell(c, r, std::to_string((r * 7 + c * 3) % 11) + ",5");
        }
    }
    sheet.setCell(3, 8, "a text longer than fifteen bytes");
    sheet.setCell(5, 9, "");
    for (int r = 2; r < 12; ++r) {
        if (r != 6) sheet.setCell(1, r, "R" + std::to_string(r));
    }
    sheet.setColumnWidth(0, 30);
    sheet.setColumnWidth(1, 45);
    return sheet;
}

TEST(GridPrimitives, MoveCellsCaptionsAndWidthsButNotTheNumbers) {
    Worksheet sheet = Rich();
    ASSERT_TRUE(InsertRow(sheet, 3));
    EXPECT_EQ(sheet.rowCount(), 13);
    EXPECT_EQ(sheet.cell(1, 3), "");     // emptied, row caption too
    EXPECT_EQ(sheet.cell(1, 4), "R3");   // moved down with its caption
    EXPECT_EQ(sheet.cell(0, 3), "2");    // the numbers stay
    EXPECT_EQ(sheet.cell(0, 12), "11");  // the new last row is numbered
    ASSERT_TRUE(DeleteRow(sheet, 3));
    EXPECT_EQ(sheet, Rich());

    ASSERT_TRUE(InsertColumn(sheet, 3));
    EXPECT_EQ(sheet.columnCount(), 9);
    EXPECT_EQ(sheet.cell(3, 1), "");
    EXPECT_EQ(sheet.columnWidth(3), 64);
    EXPECT_EQ(sheet.cell(4, 1), "K3");
    EXPECT_EQ(sheet.columnWidth(4), 63);  // the width travels with its column
    EXPECT_EQ(sheet.cell(3, 0), "2");
    EXPECT_EQ(sheet.cell(8, 0), "7");
    ASSERT_TRUE(DeleteColumn(sheet, 3));
    EXPECT_EQ(sheet, Rich());

    ASSERT_TRUE(SwapRows(sheet, 2, 5));
    EXPECT_EQ(sheet.cell(1, 2), "R5");
    EXPECT_EQ(sheet.cell(3, 5), Rich().cell(3, 2));
    EXPECT_EQ(sheet.cell(0, 2), "1");

    // Beyond the last row or column, or inside the fixed ones: refused, nothing changes.
    const Worksheet kept = sheet;
    EXPECT_FALSE(InsertRow(sheet, 12));
    EXPECT_FALSE(DeleteRow(sheet, 1));
    EXPECT_FALSE(InsertColumn(sheet, 8));
    EXPECT_FALSE(DeleteColumn(sheet, 1));
    EXPECT_FALSE(SwapRows(sheet, 2, 12));
    EXPECT_EQ(sheet, kept);
}

TEST(GridPrimitives, TextReplacementsEndEvenWhenTheNewTextHoldsTheOld) {
    EXPECT_EQ(ReplaceChar("1.5.2", '.', ','), "1,5,2");
    EXPECT_EQ(ReplaceAll("3      4", "  ", " "), "3 4");  // repeated until no double blank
    EXPECT_EQ(ReplaceAll("aXb", "X", "XX"), "aXXb");      // made once, not forever
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(EditingCommands, ThreeColumnsThenTwentyAgainGivesEmptyNumberedColumns) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(10, 5, "7");
    sheet.setCell(10, 1, "Vikt");
    ASSERT_TRUE(SetDataColumnCount(sheet, 3));
    EXPECT_EQ(sheet.columnCount(), 5);
    ASSERT_TRUE(SetDataColumnCount(sheet, 20));
    EXPECT_EQ(sheet, Worksheet::StartSheet());  // numbered, empty, 64 wide: as at start
    EXPECT_EQ(SetDataColumnCount(sheet, 20), nullptr);

    ASSERT_TRUE(SetDataRowCount(sheet, 3));
    EXPECT_EQ(sheet.rowCount(), 5);
    ASSERT_TRUE(SetDataRowCount(sheet, 100));
    EXPECT_EQ(sheet, Worksheet::StartSheet());
}

TEST(EditingCommands, OnePassDeletionsEqualDeletingOneAtATime) {
    Worksheet fast = Rich();
    Worksheet slow = Rich();
    ASSERT_TRUE(RemoveRows(fast, {9, 3, 5, 3, 0, 40}));  // unordered, twice, out of range
    for (int r : {9, 5, 3}) DeleteRow(slow, r);
    EXPECT_EQ(fast, slow);
    ASSERT_TRUE(RemoveColumns(fast, {5, 3, 1}));
    for (int c : {5, 3}) DeleteColumn(slow, c);
    EXPECT_EQ(fast, slow);
    EXPECT_EQ(RemoveRows(fast, {0, 1, 99}), nullptr);
}

TEST(EditingCommands, RemovingEmptyColumnsAndRowsCountsCaptionsAsEmptyColumnsButNotRows) {
    Worksheet sheet = Rich();
    ASSERT_TRUE(RemoveEmptyColumns(sheet));
    // Columns 4 (empty) and 7 (a caption only) went; 2, 3, 5, 6 stay, renumbered in place.
    EXPECT_EQ(sheet.columnCount(), 6);
    EXPECT_EQ(sheet.cell(4, 1), "K5");
    EXPECT_EQ(sheet.cell(5, 1), "K6");
    EXPECT_EQ(sheet.cell(5, 0), "4");
    sheet.setCell(1, 6, "");
    sheet.setCell(1, 11, "only a row caption");
    sheet.setCell(2, 11, "");
    sheet.setCell(3, 11, "");
    sheet.setCell(4, 11, "");
    sheet.setCell(5, 11, "");
    ASSERT_TRUE(RemoveEmptyRows(sheet));
    EXPECT_EQ(sheet.rowCount(), 11);  // only row 6; row 11 keeps its caption
    EXPECT_EQ(sheet.cell(1, 10), "only a row caption");
    EXPECT_EQ(RemoveEmptyRows(sheet), nullptr);
}

TEST(EditingCommands, RowLabelsNameTheirRowByNumber) {
    Worksheet sheet = Rich();
    EXPECT_EQ(RowLabel(sheet, 4), "3: R4");
    EXPECT_EQ(RowOfLabel(sheet, "3: R4"), 4);
    EXPECT_EQ(RowOfLabel(sheet, "3: anything"), 4);
    EXPECT_EQ(RowOfLabel(sheet, "11: "), 0);  // beyond the last row
    EXPECT_EQ(RowOfLabel(sheet, "x: R4"), 0);
}

// The program's sort step by step: each row with an empty sort cell swapped with the lowest
// filled row, then bubble passes swapping on a strict inequality. keys[i] is row 2 + i.
std::vector<int> ProgramSortOrder(const std::vector<std::string>& keys, bool ascending) {
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    auto empty = [&](int at) { return keys[order[at]].empty(); };
    int last = static_cast<int>(keys.size()) - 1;
    while (last >= 0 && keys[last].empty()) --last;
    if (last <= 0) return order;
    for (int r = 0; r < last; ++r) {
        if (!empty(r)) continue;
        std::swap(order[r], order[last]);
        --last;
        while (last > 0 && empty(last)) --last;
    }
    auto value = [&](int at) { return *ParseNumber(keys[order[at]], ','); };
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int r = 0; r < last; ++r) {
            if (ascending ? value(r) > value(r + 1) : value(r) < value(r + 1)) {
                std::swap(order[r], order[r + 1]);
                swapped = true;
            }
        }
    }
    return order;
}

TEST(SortRows, EmptyCellGoesBelowAndCaptionsTravel) {
    Worksheet sheet = Worksheet::StartSheet();
    const char* values[] = {"3", "", "1", "2"};
    for (int i = 0; i < 4; ++i) {
        sheet.setCell(2, 2 + i, values[i]);
        sheet.setCell(1, 2 + i, std::string("row ") + values[i]);
    }
    ASSERT_TRUE(SortRows(sheet, 2, true, ','));
    // worked by hand: 1, 2, 3 in rows 2 to 4, the empty one in row 5
    for (auto [row, value] : {std::pair{2, "1"}, {3, "2"}, {4, "3"}, {5, ""}}) {
        EXPECT_EQ(sheet.cell(2, row), value);
        EXPECT_EQ(sheet.cell(1, row), std::string("row ") + value);
        EXPECT_EQ(sheet.cell(0, row), std::to_string(row - 1));
    }
}

TEST(SortRows, GivesExactlyTheOrderOfTheProgramsBubbleSort) {
    std::mt19937 random(20240611);
    const std::vector<std::string> pool = {"", "", "1", "2", "2", "-1,5", "1e1", "0,0", "7"};
    for (int trial = 0; trial < 200; ++trial) {
        const int rows = 1 + static_cast<int>(random() % 30);
        Worksheet sheet(4, rows + 2);
        std::vector<std::string> keys;
        for (int i = 0; i < rows; ++i) {
            keys.push_back(pool[random() % pool.size()]);
            sheet.setCell(3, 2 + i, keys.back());
            sheet.setCell(1, 2 + i, std::to_string(i));  // which row this was
        }
        const bool ascending = trial % 2 == 0;
        SortRows(sheet, 3, ascending, ',');
        const std::vector<int> expected = ProgramSortOrder(keys, ascending);
        for (int i = 0; i < rows; ++i) {
            ASSERT_EQ(sheet.cell(1, 2 + i), std::to_string(expected[i]))
                << "trial " << trial << " row " << i;
        }
    }
}

TEST(SortRows, ACellThatIsNoNumberIsNamedByItsRowBeforeAnythingMoves) {
    ScopedTextSettings english(Language::English, ',');
    Worksheet sheet = Rich();
    sheet.setCell(2, 9, "abc");
    EXPECT_EQ(SortRefusal(sheet, 2, ','), "'abc' is not a valid number (row 8)");
    EXPECT_EQ(SortRefusal(sheet, 5, ','), "");
    const Worksheet before = sheet;
    EXPECT_EQ(SortRows(sheet, 2, true, ','), nullptr);
    EXPECT_EQ(sheet, before);
}

TEST(TransposeSheet, SwapsTheCountsAndTurnsCaptionsIntoRowCaptions) {
    Worksheet sheet = Worksheet::StartSheet();  // 22 x 102
    sheet.setCell(3, 1, "Vikt");
    sheet.setCell(1, 40, "Prov");
    sheet.setCell(5, 40, "2,5");
    sheet.setColumnWidth(7, 90);
    sheet.setColumnWidth(21, 33);
    TransposeSheet(sheet);
    EXPECT_EQ(sheet.columnCount(), 102);
    EXPECT_EQ(sheet.rowCount(), 22);
    EXPECT_EQ(sheet.cell(1, 3), "Vikt");
    EXPECT_EQ(sheet.cell(40, 1), "Prov");
    EXPECT_EQ(sheet.cell(40, 5), "2,5");
    EXPECT_EQ(sheet.cell(101, 0), "100");
    EXPECT_EQ(sheet.cell(0, 21), "20");
    EXPECT_EQ(sheet.columnWidth(7), 90);  // kept where both shapes have the column
    EXPECT_EQ(sheet.columnWidth(21), 33);
    EXPECT_EQ(sheet.columnWidth(50), 64);
}

TEST(BlockText, TabsBetweenCellsAndCarriageReturnsBetweenRows) {
    Worksheet sheet = Rich();
    EXPECT_EQ(BlockText(sheet, 2, 2, 3, 3), "9,5\t1,5\r5,5\t8,5");  // (7r + 3c) % 11, by hand
    EXPECT_EQ(BlockText(sheet, 4, 2, 4, 2), "");
}

// Every command that changes the sheet, and its record putting the sheet back exactly.
struct UndoCase {
    const char* name;
    std::function<std::unique_ptr<SheetUndo>(Worksheet&)> command;
};

class CommandUndo : public ::testing::TestWithParam<UndoCase> {};

TEST_P(CommandUndo, RestoresTheSheetExactly) {
    ScopedTextSettings swedish(Language::Swedish, ',');
    Worksheet sheet = Rich();
    const Worksheet before = sheet;
    std::unique_ptr<SheetUndo> undo = GetParam().command(sheet);
    ASSERT_TRUE(undo);
    EXPECT_NE(sheet, before);
    EXPECT_GT(undo->Bytes(), 0u);
    undo->Restore(sheet);
    EXPECT_EQ(sheet, before);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, CommandUndo,
    ::testing::Values(
        UndoCase{"FewerColumns", [](Worksheet& s) { return SetDataColumnCount(s, 2); }},
        UndoCase{"MoreColumns", [](Worksheet& s) { return SetDataColumnCount(s, 30); }},
        UndoCase{"FewerRows", [](Worksheet& s) { return SetDataRowCount(s, 3); }},
        UndoCase{"MoreRows", [](Worksheet& s) { return SetDataRowCount(s, 300); }},
        UndoCase{"DeleteRows",
                 [](Worksheet& s) {
                     return RemoveRows(s, {3, 8, 11});
                 }},
        UndoCase{"DeleteColumns",
                 [](Worksheet& s) {
                     return RemoveColumns(s, {2, 3, 7});
                 }},
        UndoCase{"InsertRow", [](Worksheet& s) { return InsertRowAt(s, 4); }},
        UndoCase{"InsertColumn", [](Worksheet& s) { return InsertColumnAt(s, 3); }},
        UndoCase{"RemoveEmptyColumns", [](Worksheet& s) { return RemoveEmptyColumns(s); }},
        UndoCase{"RemoveEmptyRows", [](Worksheet& s) { return RemoveEmptyRows(s); }},
        UndoCase{"SortAscending", [](Worksheet& s) { return SortRows(s, 2, true, ','); }},
        UndoCase{"SortDescending", [](Worksheet& s) { return SortRows(s, 5, false, ','); }},
        UndoCase{"Transpose", [](Worksheet& s) { return TransposeSheet(s); }},
        UndoCase{"PastePastTheEdges",
                 [](Worksheet& s) {
                     return WritePlan(s, PlanPaste("1\t\tx\r\n2\t3\t4\t5", 6, 10, ','));
                 }},
        UndoCase{"PasteSpecialHeadings",
                 [](Worksheet& s) {
                     PasteSpecialOptions o;
                     o.column_headings = o.row_headings = true;
                     return WritePlan(s, PlanPasteSpecial("h\ta\tb\r\nr\t1\t2\r\n", o, 5, 5, ','));
                 }},
        UndoCase{"SplitInfo", [](Worksheet& s) { return SplitInfo(s, 3, 3); }},
        UndoCase{"SplitSpecial",
                 [](Worksheet& s) {
                     return SplitSpecial(s, {2, 3}, ',');
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tabulon

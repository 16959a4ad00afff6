// Undo records of commands: the written columns come back exactly, the size too, and the
// undo list keeps commands and cell edits in one order within its count and memory bounds.
#include <gtest/gtest.h>

#include "worksheet/change_list.h"
#include "worksheet/sheet_undo.h"

namespace tabulon {
namespace {

Worksheet Sample() {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, "Vikt");
    sheet.setCell(2, 2, "1,5");
    sheet.setCell(3, 2, "a text longer than fifteen bytes");
    sheet.setColumnWidth(3, 90);
    for (int c = 4; c < sheet.columnCount(); ++c) sheet.setCell(c, 1, "taken");
    return sheet;
}

TEST(ColumnsUndo, PutsBackOverwrittenAndAddedColumnsAndTheSize) {
    const Worksheet before = Sample();
    Worksheet sheet = before;
    // Every column from 4 has a caption, so the result goes into a new column at the right.
    auto undo = ColumnsUndo::Before(sheet, {3, 99});
    const int target = ResultColumn(sheet);
    EXPECT_EQ(target, before.columnCount());
    EXPECT_EQ(sheet.cell(target, 0), std::to_string(target - 1));
    sheet.setCell(3, 2, "overwritten");
    sheet.setColumnWidth(3, 20);
    sheet.resize(sheet.columnCount(), 500);
    sheet.setCell(target, 499, "7");
    undo->Restore(sheet);
    EXPECT_EQ(sheet, before);
}

TEST(ColumnsUndo, ResultColumnTakesTheFirstCompletelyEmptyColumn) {
    Worksheet sheet = Sample();
    sheet.setCell(6, 1, "");
    sheet.setCell(9, 1, "");
    EXPECT_EQ(ResultColumn(sheet), 6);
    EXPECT_EQ(sheet.columnCount(), Sample().columnCount());
}

TEST(UndoHistory, CommandsAndTypingShareOneOrderAndACommandEndsARun) {
    UndoHistory h;
    h.recordEdit(2, 2, "", "1");
    h.recordCommand(ColumnsUndo::Before(Sample(), {2}));
    h.recordEdit(2, 2, "1", "12");  // same cell, but the command ended the run
    EXPECT_EQ(h.changes().size(), 3);
    EXPECT_FALSE(h.undo()->isCommand());
    EXPECT_TRUE(h.undo()->isCommand());
    EXPECT_EQ(h.undo()->text, "");
}

TEST(TChangeList, MemoryBudgetDropsTheOldestButKeepsTheNewest) {
    class Heavy : public SheetUndo {
    public:
        void Restore(Worksheet&) override {}
        std::size_t Bytes() const override { return TChangeList::kMemoryBudget / 2 + 1; }
    };
    TChangeList list;
    list.push({1, 1, "old", nullptr});
    list.push({0, 0, {}, std::make_shared<Heavy>()});
    EXPECT_EQ(list.size(), 2);
    list.push({0, 0, {}, std::make_shared<Heavy>()});  // two heavy ones exceed the budget
    EXPECT_EQ(list.size(), 1);
    EXPECT_TRUE(list.pop()->isCommand());
    EXPECT_EQ(list.bytes(), 0u);
}

}  // namespace
}  // namespace tabulon

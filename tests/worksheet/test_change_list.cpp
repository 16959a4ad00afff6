// The undo list and the rule that turns keystrokes into records.
#include "worksheet/change_list.h"

#include <gtest/gtest.h>

namespace tabulon {
namespace {

TEST(UndoHistory, ARunOfKeystrokesIsOneRecordHoldingTheTextBeforeIt) {
    UndoHistory h;
    std::string cell = "7";
    for (const char* next : {"1", "12", "123"}) {
        h.recordEdit(2, 2, cell, next);
        cell = next;
    }
    EXPECT_EQ(h.changes().size(), 1);
    auto undone = h.undo();
    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->text, "7");
    EXPECT_EQ(undone->column, 2);
    EXPECT_FALSE(h.undo());
}

TEST(UndoHistory, AnotherCellOrTheEndOfARunStartsANewRecord) {
    UndoHistory h;
    h.recordEdit(2, 2, "", "1");
    h.recordEdit(3, 2, "", "2");
    h.endRun();
    h.recordEdit(3, 2, "2", "25");
    EXPECT_EQ(h.changes().size(), 3);
    h.recordEdit(4, 4, "x", "x");  // no change, no record
    EXPECT_EQ(h.changes().size(), 3);
}

TEST(TChangeList, KeepsOnlyTheNewestUpToTheLimit) {
    TChangeList list;
    EXPECT_EQ(list.limit(), 100);
    list.setLimit(3);
    for (int i = 0; i < 5; ++i) list.push({i, 0, std::to_string(i), nullptr});
    EXPECT_EQ(list.size(), 3);
    EXPECT_EQ(list.pop()->text, "4");
    list.setLimit(1);  // lowering the limit trims the oldest
    EXPECT_EQ(list.size(), 1);
    EXPECT_EQ(list.pop()->text, "3");
    EXPECT_FALSE(list.pop());
}

}  // namespace
}  // namespace tabulon

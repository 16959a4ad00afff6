// Choosing columns and reading them, with scripted answers.
#include "shell/column_choice.h"

#include <gtest/gtest.h>

#include "shell/scripted_dialogs.h"

namespace tabulon {
namespace {

Worksheet SheetWithColumns(std::initializer_list<int> columns) {
    Worksheet sheet = Worksheet::StartSheet();
    for (int c : columns) sheet.setCell(c, 2, "1");
    return sheet;
}

TEST(ChooseOneColumn, TheOnlyDataColumnIsTakenWithoutAsking) {
    ScopedTextSettings sv(Language::Swedish, ',');
    ScriptedDialogs dialogs;
    Worksheet sheet = SheetWithColumns({5});
    sheet.setCell(3, 1, "caption only");  // not a data column, not offered
    EXPECT_EQ(ChooseOneColumn(sheet, dialogs), 5);
    EXPECT_TRUE(dialogs.asked().empty());
}

TEST(ChooseOneColumn, OffersTheDataColumnLabelsAndMapsTheChoiceBack) {
    ScopedTextSettings sv(Language::Swedish, ',');
    ScriptedDialogs dialogs;
    Worksheet sheet = SheetWithColumns({2, 4});
    sheet.setCell(4, 1, "Vikt");
    dialogs.chooseFromList({"3: Vikt"});
    EXPECT_EQ(ChooseOneColumn(sheet, dialogs), 4);
    EXPECT_EQ(dialogs.asked().back().title, "Välj kolumn");
    EXPECT_EQ(dialogs.asked().back().text, "1: \n3: Vikt");
    dialogs.chooseFromList(std::nullopt);  // Cancel
    EXPECT_FALSE(ChooseOneColumn(sheet, dialogs).has_value());
    dialogs.chooseFromList(std::vector<std::string>{});  // OK with nothing selected
    EXPECT_EQ(ChooseOneColumn(sheet, dialogs), 0);
}

TEST(ChooseColumns, RefusesTooManyAndNone) {
    ScopedTextSettings en(Language::English, '.');
    ScriptedDialogs dialogs;
    Worksheet sheet = SheetWithColumns({2, 3, 4});
    dialogs.chooseFromList({"1: ", "3: "});
    EXPECT_EQ(ChooseColumns(sheet, dialogs, 100), (std::vector<int>{2, 4}));
    EXPECT_EQ(dialogs.asked().back().title, "Chose column(s)");
    dialogs.chooseFromList({"1: ", "2: ", "3: "});
    EXPECT_FALSE(ChooseColumns(sheet, dialogs, 2).has_value());
    EXPECT_EQ(dialogs.messages().back(), "A maximum of 2 kolumnes can be chosen");
    dialogs.chooseFromList(std::vector<std::string>{});
    EXPECT_FALSE(ChooseColumns(sheet, dialogs, 100).has_value());
    EXPECT_EQ(dialogs.messages().back(), "Chose a column");
}

TEST(ChooseTwoColumns, NeedsTwoDataColumns) {
    ScopedTextSettings sv(Language::Swedish, ',');
    ScriptedDialogs dialogs;
    const std::string too_few = "Det måste finnas minst två kolumner";
    EXPECT_FALSE(ChooseTwoColumns(SheetWithColumns({3}), dialogs, too_few).has_value());
    EXPECT_EQ(dialogs.messages().back(), too_few);
    dialogs.chooseTwo(std::pair<std::string, std::string>{"3: ", "1: "});
    auto pair = ChooseTwoColumns(SheetWithColumns({2, 4}), dialogs, too_few);
    ASSERT_TRUE(pair);
    EXPECT_EQ(pair->first, 4);
    EXPECT_EQ(pair->second, 2);
}

TEST(ReadColumn, SkipsEmptyCellsAndKeepsTheVisibleRowNumbers) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(3, 2, "1,5");
    sheet.setCell(3, 5, "2");
    sheet.setCell(3, 9, "abc");  // read as text; the consumer's conversion refuses it
    sheet.setCell(3, 1, "caption");
    const ColumnValues read = ReadColumn(sheet, 3);
    EXPECT_EQ(read.values, (std::vector<std::string>{"1,5", "2", "abc"}));
    EXPECT_EQ(read.row_numbers, (std::vector<std::string>{"1", "4", "8"}));
}

TEST(CopyToWorkGrid, ShiftsByOneAndJoinsNumbersToCaptions) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(3, 1, "Vikt");
    sheet.setCell(3, 4, "7");
    sheet.setCell(1, 4, "row caption");
    const Worksheet work = CopyToWorkGrid(sheet);
    EXPECT_EQ(work.columnCount(), 21);
    EXPECT_EQ(work.rowCount(), 101);
    EXPECT_EQ(work.cell(2, 3), "7");
    EXPECT_EQ(work.cell(2, 0), "2:Vikt");
    EXPECT_EQ(work.cell(0, 3), "3");
    EXPECT_EQ(work.cell(0, 3 + 0), sheet.cell(0, 4));
    EXPECT_EQ(work.cell(0, 0), "");  // the source row captions are not carried over
}

}  // namespace
}  // namespace tabulon

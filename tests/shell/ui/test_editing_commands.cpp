// The Redigera commands through the real menu: what they ask, what they change, and that
// Ångra takes each back in one step to exactly the sheet before.
#include <QClipboard>
#include <QGuiApplication>

#include "support/main_window_fixture.h"
#include "worksheet/editing.h"

namespace tabulon::testing {
namespace {

// Columns 1 to 3 (A, B, C) hold data in rows 1 to 5, column 4 only a caption, row 6 is
// empty and row 7 has only a caption.
Worksheet Sample() {
    Worksheet sheet = Worksheet::StartSheet();
    const char* rows[][3] = {
        {"3", "x", "1,5"}, {"", "y", "2"}, {"1", "x", "4"}, {"2", "z", "8"}, {"5", "y", "16"}};
    for (int i = 0; i < 5; ++i) {
        sheet.setCell(1, 2 + i, "r" + std::to_string(i + 1));
        for (int k = 0; k < 3; ++k) sheet.setCell(2 + k, 2 + i, rows[i][k]);
    }
    sheet.setCell(2, 1, "A");
    sheet.setCell(3, 1, "B");
    sheet.setCell(4, 1, "C");
    sheet.setCell(5, 1, "D");
    sheet.setCell(1, 8, "only a caption");
    sheet.setColumnWidth(3, 90);
    return sheet;
}

class EditingCommands : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        grid().setSheet(Sample());
    }
    void setClipboard(const char* text) { QGuiApplication::clipboard()->setText(text); }
    std::string clipboard() { return QGuiApplication::clipboard()->text().toStdString(); }
    std::vector<std::string> column(int c, int from, int to) {
        std::vector<std::string> cells;
        for (int r = from; r <= to; ++r) cells.emplace_back(sheet().cell(c, r));
        return cells;
    }
};

struct MenuCase {
    const char* name;
    const char* key;
    // Queues the answers; may put a text on the clipboard and move the cursor.
    std::function<void(ScriptedDialogs&, ui::TNumberGrid&)> arrange;
};

class EditingUndoTest : public EditingCommands, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(EditingUndoTest, AngraPutsBackExactlyTheSheetBefore) {
    GetParam().arrange(dialogs, grid());
    const Worksheet before = sheet();
    window->state().DataChanged = false;
    const int steps = grid().undoCount();
    window->Execute(GetParam().key);
    EXPECT_NE(sheet(), before);
    EXPECT_TRUE(window->state().DataChanged);
    EXPECT_EQ(grid().undoCount(), steps + 1);
    EXPECT_TRUE(dialogs.allAnswersUsed());
    window->Execute("redigera.angra");
    EXPECT_EQ(sheet(), before);
}

PasteSpecialOptions SpecifyThree() {
    PasteSpecialOptions o;
    o.specify_columns = true;
    o.columns = 3;
    o.separator = PasteSeparator::Space;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, EditingUndoTest,
    ::testing::Values(
        MenuCase{"NumberOfColumns", "redigera.kolumner.antal_kolumner",
                 [](ScriptedDialogs& d, ui::TNumberGrid&) { d.input("3"); }},
        MenuCase{"NumberOfRows", "redigera.rader.antal_rader",
                 [](ScriptedDialogs& d, ui::TNumberGrid&) { d.input("20000"); }},
        MenuCase{"DeleteColumns", "redigera.kolumner.ta_bort_kolumner",
                 [](ScriptedDialogs& d, ui::TNumberGrid&) {
                     d.chooseFromList({"1: A", "3: C"});
                 }},
        MenuCase{"InsertColumn", "redigera.kolumner.infoga_kolumn",
                 [](ScriptedDialogs& d, ui::TNumberGrid&) { d.chooseFromList({"2: B"}); }},
        MenuCase{"DeleteRows", "redigera.rader.ta_bort_rader",
                 [](ScriptedDialogs& d, ui::TNumberGrid&) {
                     d.chooseFromList({"2: r2", "7: "});
                 }},
        MenuCase{"InsertRow", "redigera.rader.infoga_rad",
                 [](ScriptedDialogs& d, ui::TNumberGrid&) { d.chooseFromList({"3: r3"}); }},
        MenuCase{"RemoveEmptyColumns", "redigera.kolumner.ta_bort_tomma_kolumner",
                 [](ScriptedDialogs&, ui::TNumberGrid&) {}},
        MenuCase{"RemoveEmptyRows", "redigera.rader.ta_bort_tomma_rader",
                 [](ScriptedDialogs&, ui::TNumberGrid&) {}},
        MenuCase{"Sort", "redigera.sortera",
                 [](ScriptedDialogs& d, ui::TNumberGrid&) {
                     d.sort(SortChoice{"3: C", false});
                 }},
        MenuCase{"Transpose", "redigera.byt_rader_mot_kolumner",
                 [](ScriptedDialogs&, ui::TNumberGrid&) {}},
        MenuCase{"Paste", "redigera.klistra_in",
                 [](ScriptedDialogs&, ui::TNumberGrid& g) {
                     QGuiApplication::clipboard()->setText("1\t2\r\n3\t4\r\n");
                     g.setCursorCell(21, 101);  // grows the sheet by a column and a row
                 }},
        MenuCase{"PasteSpecial", "redigera.klistra_in_special",
                 [](ScriptedDialogs& d, ui::TNumberGrid& g) {
                     QGuiApplication::clipboard()->setText("7 8 9 10");
                     g.setCursorCell(5, 2);
                     d.pasteSpecial(SpecifyThree());
                 }},
        MenuCase{
            "SplitInfo", "redigera.dela_upp_info",
            [](ScriptedDialogs& d, ui::TNumberGrid&) { d.chooseFromList({"3: C"}).input("2"); }},
        MenuCase{"SplitSpecial", "redigera.dela_upp_special",
                 [](ScriptedDialogs& d, ui::TNumberGrid&) { d.chooseFromList({"2: B"}); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditingCommands, CountsAskWithThePresentCountAndRefuseANegativeOne) {
    dialogs.input("3").input("").input("-1");
    window->Execute("redigera.kolumner.antal_kolumner");
    EXPECT_EQ(sheet().columnCount(), 5);
    EXPECT_EQ(dialogs.asked().back().title, "Ändra antalet kolumner");
    window->Execute("redigera.rader.antal_rader");  // an empty answer changes nothing
    window->Execute("redigera.rader.antal_rader");
    EXPECT_EQ(sheet().rowCount(), 102);
    EXPECT_EQ(dialogs.messages().back(), "Antalet kan inte vara negativt");
}

TEST_F(EditingCommands, DeletingColumnsThreeAndFiveAroundAnEmptyFourDeletesExactlyThem) {
    Worksheet s = Worksheet::StartSheet();
    for (int number : {1, 3, 5, 6}) s.setCell(number + 1, 2, "v" + std::to_string(number));
    grid().setSheet(s);
    dialogs.chooseFromList({"3: ", "5: "});
    window->Execute("redigera.kolumner.ta_bort_kolumner");
    // Only the data columns were offered; column 4 was not one of them.
    EXPECT_EQ(dialogs.asked().back().text, "1: \n3: \n5: \n6: ");
    EXPECT_EQ(sheet().columnCount(), 20);
    EXPECT_EQ(column(2, 2, 2)[0], "v1");
    EXPECT_EQ(column(5, 2, 2)[0], "v6");  // two columns to the left
    EXPECT_EQ(sheet().cell(5, 0), "4");
}

TEST_F(EditingCommands, DeletingRowsOffersTheRowsThatAreNotEmpty) {
    dialogs.chooseFromList(std::nullopt);
    window->Execute("redigera.rader.ta_bort_rader");
    EXPECT_EQ(dialogs.asked().back().text, "1: r1\n2: r2\n3: r3\n4: r4\n5: r5\n7: only a caption");
    EXPECT_EQ(sheet(), Sample());
    EXPECT_TRUE(window->state().DataChanged);  // also when cancelled
}

TEST_F(EditingCommands, CtrlCAndCtrlVCopyABlockAndPasteItBackAtTheCursor) {
    grid().setFocus();
    grid().setSelection({2, 2, 3, 3});
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "3\tx\r\ty");
    goTo(8, 20);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(column(8, 20, 21), (std::vector<std::string>{"3", ""}));
    EXPECT_EQ(column(9, 20, 21), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(std::pair(grid().col(), grid().row()), std::pair(8, 20));  // the cursor stays
    EXPECT_TRUE(window->state().DataChanged);
}

TEST_F(EditingCommands, SortRefusesATextCellNamingItsRowAndMovesNothing) {
    grid().setCellText(2, 5, "abc");
    const int steps = grid().undoCount();
    dialogs.sort(SortChoice{"1: A", true});
    window->Execute("redigera.sortera");
    EXPECT_EQ(dialogs.messages().back(), "'abc' är inte ett giltigt tal (rad 4)");
    EXPECT_EQ(sheet().cell(2, 5), "abc");
    EXPECT_EQ(sheet().cell(2, 2), "3");
    EXPECT_EQ(grid().undoCount(), steps);
}

TEST_F(EditingCommands, AStepOfASheetReplacedSinceIsPassedOver) {
    dialogs.sort(SortChoice{"1: A", true});
    window->Execute("redigera.sortera");
    Worksheet opened(4, 3);  // as a file opened afterwards would replace the sheet
    opened.setCell(3, 2, "9");
    grid().setSheet(opened);
    window->Execute("redigera.angra");
    EXPECT_EQ(sheet(), opened);
}

TEST_F(EditingCommands, PasteSpecialIsAskedWhetherTheTextHasTabsAndFitsTheWidths) {
    setClipboard("1 2 3 4");
    goTo(5, 2);
    dialogs.pasteSpecial(SpecifyThree());
    window->Execute("redigera.klistra_in_special");
    EXPECT_EQ(dialogs.asked().front().text, "no tab");
    // worked by hand: columns 5 to 7, then the fourth value wraps to the next row
    EXPECT_EQ(sheet().cell(7, 2), "3");
    EXPECT_EQ(sheet().cell(5, 3), "4");
    EXPECT_NE(sheet().columnWidth(3), 90);  // Auto kolumnbredd ran
}

}  // namespace
}  // namespace tabulon::testing

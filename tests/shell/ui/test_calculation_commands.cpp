// The Beräkna commands through the real menu: what they ask and tell, what they write, that
// Ångra takes a written column back in one step, and that a refusal leaves no trace.
#include <QClipboard>
#include <QGuiApplication>

#include "support/main_window_fixture.h"

namespace tabulon::testing {
namespace {

class CalculationCommands : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Worksheet sheet = Worksheet::StartSheet();
        sheet.setCell(2, 1, "A");
        sheet.setCell(3, 1, "B");
        const char* a[] = {"1", "2", "", "4"};
        const char* b[] = {"0", "3", "x", "5"};
        for (int i = 0; i < 4; ++i) {
            sheet.setCell(2, 2 + i, a[i]);
            sheet.setCell(3, 2 + i, b[i]);
        }
        grid().setSheet(sheet);
        window->state().DataChanged = false;
    }
};

TEST_F(CalculationCommands, ArithmeticWritesANewColumnThatAngraTakesBack) {
    const Worksheet before = sheet();
    dialogs.expression("1: A*2");
    window->Execute("berakna.kombinerad_aritmetik");
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{"Resultatet läggs i kolumn 3"});
    EXPECT_EQ(sheet().cell(4, 1), "Kol 3");
    const char* expected[] = {"2", "4", "", "8", ""};  // worked by hand; the gap stays a gap
    for (int i = 0; i < 5; ++i) EXPECT_EQ(sheet().cell(4, 2 + i), expected[i]) << i;
    EXPECT_TRUE(window->state().DataChanged);
    window->Execute("redigera.angra");
    EXPECT_EQ(sheet(), before);
}

TEST_F(CalculationCommands, RefusalsChangeNothingAndAddNoUndoStep) {
    struct Case {
        const char* key;
        std::function<void(ScriptedDialogs&)> answer;
        const char* message;
    };
    const Case cases[] = {
        {"berakna.funktioner",
         [](ScriptedDialogs& d) { d.function(FunctionChoice{"2: B", ColumnFunction::Ln, ""}); },
         "'x' är inte ett giltigt tal (kolumn 2, rad 3)"},
        {"berakna.funktioner",
         [](ScriptedDialogs& d) { d.function(FunctionChoice{"1: A", ColumnFunction::Ln, ""}); },
         nullptr},
        {"berakna.funktioner",
         [](ScriptedDialogs& d) { d.function(FunctionChoice{"", ColumnFunction::Abs, ""}); },
         "Ingen kolumn är markerad"},
        {"berakna.bilda_produkter", [](ScriptedDialogs& d) { d.chooseFromList({"1: A", "2: B"}); },
         "'x' är inte ett giltigt tal (kolumn 2, rad 3)"},
    };
    for (const Case& c : cases) {
        Worksheet sheet_before = sheet();
        if (!c.message) {  // ln of 0
            grid().editSheet([](Worksheet& s) { s.setCell(2, 3, "0"); });
            sheet_before = sheet();
            window->state().DataChanged = false;
        }
        const int steps = grid().undoCount();
        const std::size_t told = dialogs.messages().size();
        c.answer(dialogs);
        window->Execute(c.key);
        ASSERT_EQ(dialogs.messages().size(), told + 1) << c.key;
        const std::string message = dialogs.messages().back();
        EXPECT_EQ(message, c.message ? c.message : "Tal <0 eller =0 i kolumnen (rad 2)");
        EXPECT_EQ(sheet(), sheet_before) << message;
        EXPECT_EQ(grid().undoCount(), steps) << message;
        EXPECT_FALSE(window->state().DataChanged) << message;
    }
}

TEST_F(CalculationCommands, MarkedAreaOnScreenAndOnTheClipboard) {
    grid().editSheet([](Worksheet& s) { s.setCell(3, 3, "3"); });
    grid().setSelection({2, 2, 2, 5});  // 1, 2, 4
    window->Execute("berakna.statistik_markerat.visa");
    // mean 7/3, s = sqrt(7/3) from the deviations -4/3, -1/3, 5/3, sum of squares 21
    const std::string line = "m=2,3333333 s=1,5275252 n=3 median=2 Sum x= 7 Sum x²= 21";
    EXPECT_EQ(dialogs.messages(), std::vector<std::string>{line});
    window->Execute("berakna.statistik_markerat.kopiera");
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), line);
}

}  // namespace
}  // namespace tabulon::testing

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

// Three regression series on a sheet whose columns A and B are taken and two empty: x and the
// first y go into the empty ones, the other two y into columns added at the right, and 500
// rows grow the sheet. One Ångra takes all of it back.
TEST_F(CalculationCommands, SimulationFillsEmptyColumnsThenGrowsTheSheet) {
    grid().editSheet([](Worksheet& s) { s.resize(6, 102); });
    const Worksheet before = sheet();
    SimulationParameters p;
    p.count = 500;
    p.series = 3;
    p.mean = 1;
    p.slope = 2;
    p.sd = 0;
    p.lowest = 0;
    p.highest = 499;
    window->state().RandomSeed = 5;
    dialogs.simulation(p);
    window->Execute("berakna.simulera.regression");
    ASSERT_EQ(sheet().columnCount(), 8);
    ASSERT_EQ(sheet().rowCount(), 502);
    EXPECT_EQ(sheet().cell(2, 1), "A");
    EXPECT_EQ(sheet().cell(7, 0), "6");
    for (int row : {2, 101, 501}) {
        const int x = row - 2;
        EXPECT_EQ(sheet().cell(4, row), std::to_string(x)) << row;
        for (int c : {5, 6, 7}) EXPECT_EQ(sheet().cell(c, row), std::to_string(1 + 2 * x)) << row;
    }
    EXPECT_TRUE(window->state().DataChanged);
    window->Execute("redigera.angra");
    EXPECT_EQ(sheet(), before);
}

// Skapa modell writes the design with its captions; Visa värden and Visa nivåer turn the
// coded levels into the typed values and back; N = 1 is told and writes nothing.
TEST_F(CalculationCommands, DesignFromTheMenuWithValuesAndLevels) {
    DesignRequest request;
    request.variables = 2;
    request.levels = 2;
    request.runs = 4;
    request.model = 1;
    request.names = {"T", "P"};
    request.values = {{"20", "", "80"}, {"1", "", "3"}};
    window->state().RandomSeed = 11;
    dialogs.design(request);
    window->Execute("forsoksplanering.skapa_modell");
    EXPECT_EQ(sheet().cell(2, 1), "Respons");
    EXPECT_EQ(sheet().cell(3, 1), "T");
    EXPECT_EQ(sheet().cell(5, 1), "T*P");
    EXPECT_EQ(sheet().cell(1, 5), "Exp 4");
    const Worksheet with_values = sheet();
    // The full 2^2: each row's product column is the product of its values.
    for (int r = 2; r < 6; ++r) {
        const int t = std::stoi(std::string(sheet().cell(3, r)));
        const int q = std::stoi(std::string(sheet().cell(4, r)));
        EXPECT_TRUE(t == 20 || t == 80) << r;
        EXPECT_EQ(sheet().cell(5, r), std::to_string(t * q)) << r;
    }
    window->Execute("forsoksplanering.visa_nivaer");
    for (int c = 3; c < 6; ++c) {
        for (int r = 2; r < 6; ++r) {
            const std::string_view level = sheet().cell(c, r);
            EXPECT_TRUE(level == "1" || level == "-1") << c << "," << r << ": " << level;
        }
    }
    window->Execute("forsoksplanering.visa_varden");
    EXPECT_EQ(sheet(), with_values);

    request.runs = 1;
    dialogs.design(request);
    const std::size_t told = dialogs.messages().size();
    window->Execute("forsoksplanering.skapa_modell");
    EXPECT_EQ(sheet(), with_values);
    ASSERT_EQ(dialogs.messages().size(), told + 1);
    EXPECT_EQ(dialogs.messages().back(), "En försöksplan behöver minst två försök");
}

}  // namespace
}  // namespace tabulon::testing

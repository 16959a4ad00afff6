// Klistra in and Klistra in special: clipboard texts from spreadsheets and from typing laid
// out as cells, numbers given the locale's separator, texts kept, the sheet grown as needed.
#include <gtest/gtest.h>

#include "base/language.h"
#include "worksheet/editing.h"
#include "worksheet/paste.h"

namespace tabulon {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// The plan as rows of texts from its top-left corner ("-" where it writes nothing).
Rows Layout(const PastePlan& plan) {
    if (plan.empty()) return {};
    Rows rows(static_cast<std::size_t>(plan.bottom - plan.top + 1),
              std::vector<std::string>(static_cast<std::size_t>(plan.right - plan.left + 1), "-"));
    for (const PlacedCell& cell : plan.cells) {
        rows[static_cast<std::size_t>(cell.row - plan.top)]
            [static_cast<std::size_t>(cell.column - plan.left)] = cell.text.str();
    }
    return rows;
}

struct FieldCase {
    const char* field;
    char separator;
    const char* cell;
};

TEST(PastedCellText, NumbersTakeTheLocaleSeparatorAndTextsStayWhole) {
    const FieldCase cases[] = {
        {".5", ',', "0,5"},
        {"-.25", ',', "-0,25"},
        {"1.5E-3", ',', "1,5E-3"},
        {" 7 ", ',', "7"},
        {"1,5", '.', "1.5"},
        {"2,5", ',', "2,5"},
        {"abc", ',', "abc"},
        {"12abc", '.', "12abc"},
        {"1,234.5", '.', "1,234.5"},
        {"Prov 3.b", ',', "Prov 3.b"},
        {"", ',', ""},
        {"   ", '.', ""},
    };
    for (const FieldCase& c : cases) {
        EXPECT_EQ(PastedCellText(c.field, c.separator), c.cell) << c.field;
    }
}

struct PasteCase {
    const char* name;
    const char* text;
    Rows cells;
};

TEST(PlanPaste, LinesAndFieldsAsSpreadsheetsAndTypingGiveThem) {
    const PasteCase cases[] = {
        {"crlf and trailing break", "1\t2\r\n3\t4\r\n", {{"1", "2"}, {"3", "4"}}},
        {"lf, no trailing break", "1\t2\n3\t4", {{"1", "2"}, {"3", "4"}}},
        {"carriage returns as Kopiera writes", "1\t2\r3\t4", {{"1", "2"}, {"3", "4"}}},
        {"two blanks between typed numbers", "3  4", {{"3", "4"}}},
        {"leading separator", ".5", {{"0,5"}}},
        {"empty field empties its cell", "1\t\tx\n", {{"1", "", "x"}}},
        {"tabs keep blanks inside texts", "Prov B\t1.5", {{"Prov B", "1,5"}}},
        {"ragged rows", "1\t2\t3\n4", {{"1", "2", "3"}, {"4", "-", "-"}}},
        {"empty line empties the first cell", "1\n\n2", {{"1"}, {""}, {"2"}}},
    };
    for (const PasteCase& c : cases) {
        const PastePlan plan = PlanPaste(c.text, 5, 3, ',');
        EXPECT_EQ(Layout(plan), c.cells) << c.name;
        EXPECT_EQ(plan.left, 5) << c.name;
        EXPECT_EQ(plan.top, 3) << c.name;
    }
    EXPECT_TRUE(PlanPaste("", 5, 3, ',').empty());
}

TEST(PlanPaste, CopiedBlockPastesBackTheSameCellsAndGrowsTheSheetNumbered) {
    Worksheet sheet(6, 6);
    sheet.renumber();
    sheet.setCell(2, 2, "1,5");
    sheet.setCell(3, 2, "Prov B");
    sheet.setCell(3, 3, "-2E-5");  // (2, 3) stays empty
    const std::string copied = BlockText(sheet, 2, 2, 3, 3);
    sheet.setCell(5, 5, "old");
    ASSERT_TRUE(WritePlan(sheet, PlanPaste(copied, 5, 5, ',')));
    EXPECT_EQ(sheet.columnCount(), 7);
    EXPECT_EQ(sheet.rowCount(), 7);
    EXPECT_EQ(sheet.cell(6, 0), "5");  // the added column and row are numbered
    EXPECT_EQ(sheet.cell(0, 6), "5");
    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < 2; ++r) EXPECT_EQ(sheet.cell(5 + c, 5 + r), sheet.cell(2 + c, 2 + r));
    }
}

TEST(PlanPasteSpecial, SpecifyWrapsIntoRowsOfTheGivenWidthFromTheCursor) {
    PasteSpecialOptions o;
    o.specify_columns = true;
    o.columns = 3;
    const PastePlan plan = PlanPasteSpecial("1\t2\t3\t4\r\n5\t6.5\r\n", o, 5, 2, ',');
    EXPECT_EQ(plan.left, 5);
    EXPECT_EQ(plan.right, 7);
    // worked by hand: a line break ends a field like a tab does
    EXPECT_EQ(Layout(plan), (Rows{{"1", "2", "3"}, {"4", "5", "6,5"}}));
}

TEST(PlanPasteSpecial, HeadingsChooseTheStartCellAndCaptionsStayAsTyped) {
    PasteSpecialOptions o;
    o.column_headings = true;
    PastePlan plan = PlanPasteSpecial("Vikt\t1.5\n2\t3", o, 9, 9, ',');
    EXPECT_EQ(plan.left, 2);
    EXPECT_EQ(plan.top, 1);
    EXPECT_EQ(Layout(plan), (Rows{{"Vikt", "1.5"}, {"2", "3"}}));  // row 1 holds captions
    o.row_headings = true;
    plan = PlanPasteSpecial("x\n", o, 9, 9, ',');
    EXPECT_EQ(plan.left, 1);
    EXPECT_EQ(plan.top, 1);
    o.column_headings = false;
    plan = PlanPasteSpecial("R1\t.5", o, 9, 9, ',');
    EXPECT_EQ(plan.left, 1);
    EXPECT_EQ(plan.top, 2);
    EXPECT_EQ(Layout(plan), (Rows{{"R1", "0,5"}}));
}

TEST(PlanPasteSpecial, SeparatorsBlankRunsAndATrailingSeparator) {
    PasteSpecialOptions o;
    o.separator = PasteSeparator::Space;
    EXPECT_EQ(Layout(PlanPasteSpecial("  1   2 \n3 4", o, 2, 2, '.')),
              (Rows{{"1", "2"}, {"3", "4"}}));
    o.separator = PasteSeparator::Comma;
    EXPECT_EQ(Layout(PlanPasteSpecial("1,2.5,x", o, 2, 2, ',')), (Rows{{"1", "2,5", "x"}}));
    o.separator = PasteSeparator::Tab;
    // Nothing follows a separator at the very end; at the end of a line an empty field does.
    EXPECT_EQ(Layout(PlanPasteSpecial("1\t2\t", o, 2, 2, ',')), (Rows{{"1", "2"}}));
    EXPECT_EQ(Layout(PlanPasteSpecial("1\t\n2", o, 2, 2, ',')), (Rows{{"1", ""}, {"2", "-"}}));
}

TEST(PasteRefusal, ASheetThatWouldOutgrowTheLimitIsRefused) {
    ScopedTextSettings english(Language::English, '.');
    const Worksheet sheet = Worksheet::StartSheet();
    PastePlan plan;
    plan.place(2, 2, "1");
    EXPECT_EQ(PasteRefusal(sheet, plan), "");
    plan.place(20000, 20000, "2");  // 4e8 cells
    EXPECT_EQ(PasteRefusal(sheet, plan),
              "The worksheet would be too large: 20001 columns and 20001 rows");
}

}  // namespace
}  // namespace tabulon

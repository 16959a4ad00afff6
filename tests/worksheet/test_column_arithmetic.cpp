// Column arithmetic, column functions, products and the marked-area summary on small sheets
// whose results are worked by hand.
#include <gtest/gtest.h>

#include "base/language.h"
#include "worksheet/column_arithmetic.h"

namespace tabulon {
namespace {

// Column 2 captioned A holds `a`, column 3 captioned B holds `b`, from data row 1 on.
Worksheet Sheet(std::vector<std::string> a, std::vector<std::string> b = {}) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, "A");
    sheet.setCell(3, 1, "B");
    for (std::size_t i = 0; i < a.size(); ++i) sheet.setCell(2, 2 + int(i), a[i]);
    for (std::size_t i = 0; i < b.size(); ++i) sheet.setCell(3, 2 + int(i), b[i]);
    return sheet;
}

std::vector<std::string> Cells(const Worksheet& sheet, int column, int count) {
    std::vector<std::string> out;
    for (int r = 2; r < 2 + count; ++r) out.emplace_back(sheet.cell(column, r));
    return out;
}

struct ArithmeticCase {
    const char* expression;
    std::vector<std::string> a, b, expected;
};

TEST(ColumnArithmetic, WritesRowByRowIntoANewColumn) {
    const ScopedTextSettings text(Language::Swedish, ',');
    const ArithmeticCase cases[] = {
        // A gap in the column leaves a gap in the result.
        {"1: A*2", {"1", "2", "", "4"}, {}, {"2", "4", "", "8"}},
        // Both label forms, a comma typed as decimal separator, cells with commas.
        {"1: A + 2:B*0,5", {"1,5", "2"}, {"4", "1"}, {"3,5", "2,5"}},
        // A negative cell keeps its sign under a power: (-3)^2, not -(3^2).
        {"1: A^2", {"-3", "2"}, {}, {"9", "4"}},
        // A row the evaluator refuses (ln of 0) stays empty; the others are written.
        {"ln(1: A)", {"0", "1"}, {}, {"", "0"}},
    };
    for (const ArithmeticCase& c : cases) {
        Worksheet sheet = Sheet(c.a, c.b);
        const int target = WriteColumnArithmetic(sheet, c.expression, ',');
        EXPECT_EQ(target, 4) << c.expression;
        EXPECT_EQ(sheet.cell(target, 1), "Kol 3") << c.expression;
        EXPECT_EQ(Cells(sheet, target, int(c.expected.size())), c.expected) << c.expression;
        EXPECT_TRUE(sheet.isEmpty(target, 2 + int(c.expected.size()))) << c.expression;
    }
}

TEST(ColumnArithmetic, LongerLabelIsNotTakenForAShorterOne) {
    Worksheet sheet = Sheet({"1"});
    sheet.resize(14, sheet.rowCount());
    sheet.renumber();
    sheet.setCell(12, 1, "A");  // label "11: A" holds "1: A" inside it
    sheet.setCell(12, 2, "10");
    const int target = WriteColumnArithmetic(sheet, "11: A - 1: A", '.');
    EXPECT_EQ(sheet.cell(target, 2), "9");  // worked by hand: 10 - 1
}

TEST(ColumnArithmetic, FullSheetGetsAColumnAtTheRight) {
    Worksheet sheet(4, 5);
    sheet.renumber();
    sheet.setCell(2, 2, "2");
    sheet.setCell(3, 2, "3");
    const ScopedTextSettings text(Language::English, '.');
    EXPECT_EQ(ArithmeticTargetText(sheet), "result will be entered in column 3");
    EXPECT_EQ(WriteColumnArithmetic(sheet, "1: *2: ", '.'), 4);
    EXPECT_EQ(sheet.cell(4, 0), "3");
    EXPECT_EQ(sheet.cell(4, 2), "6");
}

struct FunctionCase {
    ColumnFunction function;
    long double argument;
    std::vector<std::string> values, expected;
};

TEST(ColumnFunctions, RewriteTheColumnInPlace) {
    const ScopedTextSettings text(Language::Swedish, ',');
    using F = ColumnFunction;
    const FunctionCase cases[] = {
        {F::Center, 0, {"1", "2", "9"}, {"-4", "-3", "4"}},  // midrange 5, not the mean 4
        {F::Norm, 0, {"3", "4"}, {"0,6", "0,8"}},            // 3/5, 4/5
        {F::Scale, 10, {"-4", "2", ""}, {"-10", "5", ""}},    // largest |x| 4 becomes 10
        {F::Scale, 10, {"0", "0"}, {"0", "0"}},               // nothing to scale
        {F::Log, 0, {"100", "0,1"}, {"2", "-1"}},
        {F::Pow10, 0, {"2", "-1"}, {"100", "0,1"}},
        {F::Power, 0.5, {"9", "2,25"}, {"3", "1,5"}},
        {F::Sqrt, 0, {"0", "16"}, {"0", "4"}},
        {F::Abs, 0, {"-2,5"}, {"2,5"}},
        {F::Square, 0, {"-3"}, {"9"}},
        {F::Exp, 0, {"0"}, {"1"}},
        {F::Ln, 0, {"1"}, {"0"}},
        {F::Sin, 0, {"0"}, {"0"}},
        {F::Cos, 0, {"0"}, {"1"}},
        {F::Arctan, 0, {"1"}, {"0,785398163397448"}},  // pi/4 to 15 digits
    };
    for (const FunctionCase& c : cases) {
        Worksheet sheet = Sheet(c.values);
        EXPECT_EQ(ApplyColumnFunction(sheet, 2, c.function, c.argument, ','), "")
            << ColumnFunctionName(c.function);
        EXPECT_EQ(Cells(sheet, 2, int(c.expected.size())), c.expected)
            << ColumnFunctionName(c.function);
    }
}

TEST(ColumnFunctions, RefusalNamesTheCellAndChangesNothing) {
    const ScopedTextSettings text(Language::Swedish, ',');
    struct Refusal {
        ColumnFunction function;
        std::vector<std::string> values;
        const char* message_start;
    };
    const Refusal cases[] = {
        {ColumnFunction::Ln, {"2", "0"}, "Tal <0 eller =0 i kolumnen (rad 2)"},
        {ColumnFunction::Sqrt, {"4", "-1"}, "Tal <0 eller =0 i kolumnen (rad 2)"},
        {ColumnFunction::Square, {"4", "x", "5"}, nullptr},  // the conversion message
        {ColumnFunction::Exp, {"1", "100000"}, "Resultatet blir för stort (kolumn 1, rad 2)"},
    };
    for (const Refusal& c : cases) {
        Worksheet sheet = Sheet(c.values);
        const Worksheet before = sheet;
        const std::string message = ApplyColumnFunction(sheet, 2, c.function, 0, ',');
        if (c.message_start) {
            EXPECT_EQ(message, c.message_start);
        } else {
            EXPECT_NE(message.find("(kolumn 1, rad 2)"), std::string::npos) << message;
        }
        EXPECT_EQ(sheet, before) << message;
    }
}

TEST(ColumnProducts, EveryPairWithTheSquaresAndGapsKept) {
    const ScopedTextSettings text(Language::Swedish, ',');
    Worksheet sheet = Sheet({"2", "", "1,5"}, {"3", "4", "0,333333333"});
    EXPECT_EQ(WriteColumnProducts(sheet, {2, 3}, ','), "");
    EXPECT_EQ(sheet.cell(4, 1), "A*A");
    EXPECT_EQ(sheet.cell(5, 1), "A*B");
    EXPECT_EQ(sheet.cell(6, 1), "B*B");
    EXPECT_EQ(Cells(sheet, 4, 3), (std::vector<std::string>{"4", "", "2,25"}));
    // 1,5 * 0,333333333 = 0,4999999995, to 8 significant digits
    EXPECT_EQ(Cells(sheet, 5, 3), (std::vector<std::string>{"6", "", "0,5"}));
    EXPECT_EQ(Cells(sheet, 6, 2), (std::vector<std::string>{"9", "16"}));

    Worksheet bad = Sheet({"2", "x"}, {"1", "1"});
    const Worksheet before = bad;
    EXPECT_NE(WriteColumnProducts(bad, {3, 2}, ',').find("(kolumn 1, rad 2)"), std::string::npos);
    EXPECT_EQ(bad, before);
    EXPECT_EQ(ProductColumnCount(3), 6);  // a*a, a*b, a*c, b*b, b*c, c*c
}

TEST(MarkedArea, SummaryLine) {
    const ScopedTextSettings text(Language::Swedish, ',');
    const Worksheet sheet = Sheet({"1", "2"}, {"3", "4", "x"});
    // Columns 2 and 3, rows 1 and 2 hold 1, 2, 3, 4: mean 2,5, s = sqrt(5/3), sums 10 and 30.
    EXPECT_EQ(MarkedAreaSummary(sheet, 2, 2, 3, 3, ','),
              "m=2,5 s=1,2909944 n=4 median=2,5 Sum x= 10 Sum x²= 30");
    // The caption row and the row numbers taken into the block are left out.
    EXPECT_EQ(MarkedAreaSummary(sheet, 0, 0, 3, 3, ','), MarkedAreaSummary(sheet, 2, 2, 3, 3, ','));
    EXPECT_EQ(MarkedAreaSummary(sheet, 2, 2, 2, 2, ','), "");
    EXPECT_EQ(MarkedAreaSummary(sheet, 3, 2, 3, 4, ','), " Error ....");  // "x"
}

}  // namespace
}  // namespace tabulon

// The regression data set: which rows make points, the row-number axis, too few points,
// swapping, the (x:y) list and residual columns written back beside their rows.
#include <gtest/gtest.h>

#include "base/language.h"
#include "numeric/number_text.h"
#include "regression/regression_data.h"

namespace tabulon {
namespace {

// Konc/Abs with a hole in each column: rows 1, 3 and 5 have both cells.
Worksheet Sheet() {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, "Konc");
    sheet.setCell(3, 1, "Abs");
    sheet.setCell(1, 2, "std1");
    const char* x[] = {"1", "2", "3", "", "5"};
    const char* y[] = {"2,0", "", "6,1", "7", "10,2"};
    for (int i = 0; i < 5; ++i) {
        sheet.setCell(2, i + 2, x[i]);
        sheet.setCell(3, i + 2, y[i]);
    }
    return sheet;
}

class RegressionDataTest : public ::testing::Test {
protected:
    ScopedTextSettings text{Language::Swedish, ','};
};

TEST_F(RegressionDataTest, RowsWithBothCellsMakePoints) {
    const RegressionDataRead read = ReadRegressionData(Sheet(), 2, 3, ',');
    ASSERT_TRUE(read.data) << read.refusal;
    const RegressionData& d = *read.data;
    EXPECT_EQ(d.RowNumbers, (std::vector<std::string>{"1", "3", "5"}));
    EXPECT_EQ(d.YTexts, (std::vector<std::string>{"2,0", "6,1", "10,2"}));
    EXPECT_EQ(d.y[2], StrToNumber("10.2", '.'));
    EXPECT_EQ(d.PointName(0), "std1");  // the caption where there is one
    EXPECT_EQ(d.PointName(1), "3");
    EXPECT_EQ(d.XTitle, "Konc");
    EXPECT_EQ(XYValueLines(d),
              (std::vector<std::string>{"(x:y)", "(1:2,0)", "(3:6,1)", "(5:10,2)"}));
    const auto swapped = SwapXY(d);
    EXPECT_EQ(swapped->XTitle, "Abs");
    EXPECT_EQ(swapped->x, d.y);
    // The row-caption column gives the row numbers as x.
    const RegressionDataRead rows = ReadRegressionData(Sheet(), kRowNumberColumn, 3, ',');
    ASSERT_TRUE(rows.data);
    EXPECT_EQ(rows.data->XTitle, "Radnummer");
    EXPECT_EQ(rows.data->x, (std::vector<Extended>{1, 3, 4, 5}));
}

TEST_F(RegressionDataTest, TooFewPointsAndBadCells) {
    Worksheet sheet = Sheet();
    for (int r = 3; r <= 6; ++r) sheet.setCell(3, r, "");
    EXPECT_EQ(ReadRegressionData(sheet, 2, 3, ',').refusal, "För få datapunkter..");
    sheet = Sheet();
    sheet.setCell(2, 4, "tre");
    EXPECT_THROW(ReadRegressionData(sheet, 2, 3, ','), ConversionError);
}

TEST_F(RegressionDataTest, ResidualColumnsLandBesideTheirRows) {
    Worksheet sheet = Sheet();
    const auto data = ReadRegressionData(sheet, 2, 3, ',').data;
    std::string refusal;
    const int column = WriteResidualColumn(sheet, *data, {0.5L, -1, 2}, true, refusal);
    EXPECT_EQ(column, 4);  // the first completely empty column
    EXPECT_EQ(sheet.cell(4, 1), "Residual");
    EXPECT_EQ(sheet.cell(4, 2), "0,25");
    EXPECT_EQ(sheet.cell(4, 3), "");
    EXPECT_EQ(sheet.cell(4, 6), "4");
    // Points made from texts have no rows in the sheet: refused, the sheet untouched.
    const Worksheet before = sheet;
    const auto loose = MakeRegressionData({"1", "2"}, {"1", "2"}, "x", "y", '.');
    EXPECT_EQ(WriteResidualColumn(sheet, *loose, {0, 0}, false, refusal), 0);
    EXPECT_FALSE(refusal.empty());
    EXPECT_EQ(sheet, before);
}

}  // namespace
}  // namespace tabulon

// The modelling window's texts: statistics, Kopiera > Text in both languages, the F of an
// exact fit, the coefficient lists, the result grid and columns.
#include <gtest/gtest.h>

#include "base/language.h"
#include "model_test_support.h"
#include "multivariate/factor_model.h"
#include "multivariate/mlr.h"
#include "multivariate/model_texts.h"

namespace tabulon {
namespace {

TEST(ModelTexts, MlrStatisticsAndCopyText) {
    ScopedTextSettings text{Language::Swedish, ','};
    ModelColumns columns;
    const ModelData data = test::DataOf(test::SmallSheet(), 4, {1, 2}, &columns);
    const ModelFit fit = *FitMLR(data).fit;
    const ModelStatistics s = DrawModelText(fit, 5, ModelResultKind::Fit);
    EXPECT_EQ(s.heading, "Linjärt samband:");
    auto row = [&](std::size_t i) { return s.lines[i].label + "|" + s.lines[i].value; };
    ASSERT_EQ(s.lines.size(), 6u);
    EXPECT_EQ(row(0), "Antal variabler =|2");
    EXPECT_EQ(row(1), "Antal datapunkter =|6");
    EXPECT_EQ(row(2), "RMS =|0,16615");         // R: sqrt(deviance(fit) / 6)
    EXPECT_EQ(row(3), "R² =|0,99771");          // R: summary(fit)$r.squared
    EXPECT_EQ(row(4), "F =|653,57");            // R: summary(fit)$fstatistic
    EXPECT_EQ(row(5), "     >F(5%) =|9,5521");  // R: qf(0.95, 2, 3) = 9.552094, on its grid
    EXPECT_TRUE(s.significant);
    EXPECT_EQ(s.verdict, "    sambandet är signifikant!    ");
    // At 0.01 % the critical value rises above F (R: qf(0.9999, 2, 3) = 694.7).
    const ModelStatistics strict = DrawModelText(fit, 0.01L, ModelResultKind::Fit);
    EXPECT_EQ(strict.lines[5].label, "     <F(0,01%) =");
    EXPECT_FALSE(strict.significant);
    EXPECT_EQ(strict.verdict, "sambandet är inte signifikant!");

    const ModelTextInput input{"data.tbn", ModelCaption(ModelMethod::MLR), ModelResultKind::Fit,
                               true, EquationLines(columns, fit)};
    EXPECT_EQ(ModelCopyLines(input, fit),
              (std::vector<std::string>{"File name = data.tbn", "MLR: Multipel Linear Regression",
                                        "Antal variabler = 2", "Antal datapunkter = 6", "",
                                        "Linjärt samband:", "4:z =", "0,39009", "+0,621622*1:x1",
                                        "+1,04189*2:x2", "", "F = 654", "", "RMS = 0,16615"}));
    EXPECT_EQ(ModelClipboardText({"a", "b"}), "a\r b");
}

TEST(ModelTexts, AnExactFitShowsFAsZero) {
    ScopedTextSettings text{Language::English, '.'};
    ModelFit fit;
    fit.n = 5;
    fit.p = 2;
    fit.SSTot = fit.SSReg = 42;
    fit.SSRes = 0;
    EXPECT_EQ(DrawModelText(fit, 5, ModelResultKind::Fit).lines[4].value, "0");
    const ModelTextInput input{
        "f", "MLR: Multipel Linear Regression", ModelResultKind::Fit, false, {}};
    const auto lines = ModelCopyLines(input, fit);
    EXPECT_EQ(lines[5], "F = 0");
    EXPECT_EQ(lines.back(), "RMS = 0");
    // The printout's labels follow the language.
    EXPECT_EQ(ModelCopyLines(input, fit, true)[2], "   Number of variables = 2");
}

TEST(ModelTexts, PlsListsAndNoMlrLines) {
    ScopedTextSettings text{Language::English, '.'};
    ModelColumns columns;
    const ModelData data = test::DataOf(test::SmallSheet(), 4, {1, 2, 3}, &columns);
    const ModelFit fit = *FitPLS(data, 1).fit;
    const CoefficientLists lists = ShowCoefficientLists(columns, fit);
    // R: b <- the one-factor PLS of FactorModelReference, 100·b²/Σb²
    EXPECT_EQ(lists.shares,
              (std::vector<std::string>{"1:x1: 41.69%", "2:x2: 45.28%", "3:x3: 13.03%"}));
    EXPECT_EQ(lists.normalised[0], "1:x1: 0.4057");
    EXPECT_EQ(SlopeSampleTexts(lists.normalised)[2], " -0.2268");
    EXPECT_EQ(DrawModelText(fit, 5, ModelResultKind::Fit).lines.size(), 3u);
}

TEST(ModelTexts, ResultGridAndColumnsLeaveInvalidRowsOut) {
    ScopedTextSettings text{Language::Swedish, '.'};
    Worksheet sheet = test::SheetOf(
        {"x", "z", "", "w"}, {{"1", "2", "", "4", "5"}, {"2", "4", "6", "8.5", "10"}, {}, {"7"}});
    const ModelData data = test::DataOf(sheet, 2, {1});
    const ModelFit fit = *FitMLR(data).fit;
    const ModelResultColumns out = WriteModelResults(data, fit);
    ASSERT_EQ(out.grid.size(), 5u);
    EXPECT_EQ(out.grid_header[3], "Residualer");
    EXPECT_EQ(out.grid[2], (std::array<std::string, 4>{"3", "non", "non", "non"}));
    EXPECT_EQ(out.grid[3][1], "8.5");
    // The residuals go to the empty third data column, the predictions to a new one.
    const auto [residuals, predictions] = AddModelResultColumns(sheet, out);
    EXPECT_EQ(residuals, 4);
    EXPECT_EQ(predictions, 6);
    EXPECT_EQ(sheet.cell(residuals, 1), "Residualer");
    EXPECT_EQ(sheet.cell(predictions, 1), "z-predict");
    EXPECT_EQ(sheet.cell(predictions, 4), "");
    EXPECT_EQ(sheet.cell(residuals, 5), out.residual_texts[2]);
}

}  // namespace
}  // namespace tabulon

// MLR: an exact plane, a small set against R's lm, NIST Longley, the refusals (too few rows, a
// singular XᵀX) and the orthogonality of the residuals.
#include <gtest/gtest.h>


#include "base/language.h"
#include "model_test_support.h"
#include "multivariate/mlr.h"
#include "multivariate/model_texts.h"

namespace tabulon {
namespace {

using test::Near;

class MlrTest : public ::testing::Test {
protected:
    ScopedTextSettings text{Language::Swedish, '.'};
};

TEST_F(MlrTest, ExactPlaneGivesItsEquationAndNoResidual) {
    // z = 1 + 2·x1 − 3·x2, worked by hand.
    const Worksheet sheet = test::SheetOf(
        {"x1", "x2", "z"},
        {{"1", "2", "3", "4", "5"}, {"2", "1", "4", "3", "6"}, {"-3", "2", "-5", "0", "-7"}});
    ModelColumns columns;
    const ModelData data = test::DataOf(sheet, 3, {1, 2}, &columns);
    const ModelFitResult r = FitMLR(data);
    ASSERT_TRUE(r.fit) << r.refusal;
    EXPECT_EQ(EquationLines(columns, *r.fit),
              (std::vector<std::string>{"3:z =", "1", "+2*1:x1", "-3*2:x2"}));
    EXPECT_LT(r.fit->Rms(), 1e-17L);
    EXPECT_TRUE(Near(r.fit->SSReg / r.fit->SSTot, 1, 1e-17L));
}

TEST_F(MlrTest, SmallSetMatchesR) {
    const ModelData data = test::DataOf(test::SmallSheet(), 4, {1, 2});
    const ModelFitResult r = FitMLR(data);
    ASSERT_TRUE(r.fit);
    const ModelFit& f = *r.fit;
    // R: coef(lm(z ~ x1 + x2)), exactly 433/1110, 23/37, 771/740 (normal equations in fractions)
    EXPECT_TRUE(Near(f.Coeffs[0], 433.0L / 1110, 1e-17L));
    EXPECT_TRUE(Near(f.Coeffs[1], 23.0L / 37, 1e-17L));
    EXPECT_TRUE(Near(f.Coeffs[2], 771.0L / 740, 1e-17L));
    // R: summary(lm(...)) gives 0.99771017561340147 and 653.57206962197745 from the data
    // rounded to doubles; in fractions from the decimal data they are:
    EXPECT_TRUE(Near(f.SSReg / f.SSTot, 0.99771017561340141985L, 1e-17L));
    EXPECT_TRUE(Near(ModelF(f), 653.57206962197443568L, 1e-16L));
    // The residuals are orthogonal to the fitted values, to each x and to the constant.
    Extended e_fit = 0, e_x = 0, e_sum = 0, scale = 0;
    for (int i = 0; i < data.n; ++i) {
        e_fit += f.residuals[i] * f.predictions[i];
        e_x += f.residuals[i] * data.X(i, 1);
        e_sum += f.residuals[i];
        scale += f.predictions[i] * f.predictions[i];
    }
    EXPECT_LT(std::fabs(e_fit), 1e-16L * scale);
    EXPECT_LT(std::fabs(e_x), 1e-16L * scale);
    EXPECT_LT(std::fabs(e_sum), 1e-16L * scale);
}

struct Refusal {
    const char* name;
    std::vector<std::vector<std::string>> columns;  // x1, x2, z
    const char* message;                            // empty: a fit
};

class MlrRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(MlrRefusal, SaysWhy) {
    ScopedTextSettings text{Language::Swedish, '.'};
    const Worksheet sheet = test::SheetOf({"x1", "x2", "z"}, GetParam().columns);
    const ModelFitResult r = FitMLR(test::DataOf(sheet, 3, {1, 2}));
    EXPECT_EQ(r.refusal, GetParam().message);
    EXPECT_EQ(r.fit.has_value(), r.refusal.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MlrRefusal,
    ::testing::Values(
        Refusal{"ThreeRowsFit", {{"1", "2", "3"}, {"1", "3", "2"}, {"1", "2", "4"}}, ""},
        // The row with an empty x cell takes no part: two valid rows for two x-variables.
        Refusal{"TwoRowsTooFew",
                {{"1", "2", "3"}, {"1", "", "2"}, {"1", "2", "4"}},
                "För få datapunkter.."},
        Refusal{"IdenticalColumns",
                {{"1", "2", "3", "5"}, {"1", "2", "3", "5"}, {"1", "2", "4", "4"}},
                "Operationen går ej att utföra. Determinanten är noll"},
        Refusal{"ConstantColumn",
                {{"0.1", "0.1", "0.1", "0.1"}, {"1", "2", "3", "5"}, {"1", "2", "4", "4"}},
                "Operationen går ej att utföra. Determinanten är noll"},
        // Too few wins over singular.
        Refusal{
            "TooFewBeforeSingular", {{"1", "2"}, {"1", "2"}, {"1", "2"}}, "För få datapunkter.."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tabulon

// The straight line's reports on the worked example and small sets with R's answers.
#include <gtest/gtest.h>

#include <cmath>

#include "base/language.h"
#include "numeric/number_text.h"
#include "regression/straight_line.h"

namespace tabulon {
namespace {

using Lines = std::vector<std::string>;

std::unique_ptr<FittedModel> FitOf(std::vector<std::string> x, std::vector<std::string> y,
                                   FitSpec spec = {}) {
    FitOutcome fit =
        Fit(MakeRegressionData(std::move(x), std::move(y), "x", "y", '.'), spec, 0.95L);
    EXPECT_TRUE(fit.model) << fit.refusal;
    return std::move(fit.model);
}

std::unique_ptr<FittedModel> Worked() {
    return FitOf({"1", "2", "3", "4", "5"}, {"2.1", "3.9", "6.2", "7.8", "10.1"});
}

Lines ReportLines(const FittedModel& m, RegressionItem item) {
    const auto report = m.Report(item);
    EXPECT_TRUE(report);
    return report ? report->lines : Lines{};
}

class LineReportTest : public ::testing::Test {
protected:
    ScopedTextSettings text{Language::Swedish, '.'};
};

// F = 1110.3 (R: summary(fit)$fstatistic) against qf(0.95, 1, 3) = 10.128; the slope's
// interval 1.99 ± 3.182·0.05972 excludes 0.
TEST_F(LineReportTest, SignificanceOfTheWorkedExample) {
    EXPECT_EQ(ReportLines(*Worked(), RegressionItem::Significance),
              (Lines{"På 5%-nivån gäller följande:",
                     "Med 5% sannolikhet att göra ett felaktigt uttalande så finns det ett "
                     "signifikant samband mellan variablerna.",
                     "", "Test av regression vid 5%:", "k = 1.99 ± 0.19", "",
                     "F-test vid 5%:", "F = 1110> F(1,3) = 10.13"}));
    // A cloud without a trend: R: summary(lm(c(1, 3, 2, 1, 3) ~ c(1:5)))$fstatistic = 0.33
    ScopedTextSettings english(Language::English, '.');
    const Lines none = ReportLines(*FitOf({"1", "2", "3", "4", "5"}, {"1", "3", "2", "1", "3"}),
                                   RegressionItem::Significance);
    EXPECT_EQ(none[1], "There is no significant relationship between the variables.");
    EXPECT_EQ(none.back().substr(0, 15), "F = 0.3333< F(1");
}

// R: 3*sigma/k = 0.284707848727947, 10*sigma/k = 0.949026162426488; the risk at x = 0 is
// pt(3*sigma/s0, 3, lower.tail = FALSE) = 0.0651088 with s0 = 0.273678643668081 (the
// prediction standard error at 0); the search lands within the t grid's 0.001 of it.
TEST_F(LineReportTest, DetectionAndQuantificationLimits) {
    const auto m = Worked();
    const DetectionLimits d = *m->Limits();
    EXPECT_NEAR(static_cast<double>(d.lod_x), 0.284707848727947, 1e-14);
    EXPECT_NEAR(static_cast<double>(d.loq_x), 0.949026162426488, 1e-14);
    EXPECT_NEAR(static_cast<double>(d.alpha), 0.0651088243915982, 1e-4);
    const Lines lod = ReportLines(*m, RegressionItem::Lod);
    ASSERT_EQ(lod.size(), 5u);
    EXPECT_EQ(lod[0], "LOD(x)=0.28471");
    EXPECT_EQ(lod[1], "sy =0.18886");
    EXPECT_EQ(lod[2], "Kritisk nivå för y=0.61657  dvs y-värde som ger LOD");  // 3·s + l
    EXPECT_EQ(lod[3].rfind("Risk för fel av första ordningen (vid x=0) = 6.5", 0), 0u);
    EXPECT_EQ(lod[4], "Dvs risk att överskrida LOD vid x=0");
    EXPECT_EQ(ReportLines(*m, RegressionItem::Loq), (Lines{"LOQ(x)=0.94903", "(sy =0.18886)"}));
    EXPECT_EQ(m->Report(RegressionItem::Loq)->caption, "Kvantifieringsgräns vid 10*s");
}

TEST_F(LineReportTest, NegativeSlopeGivesErrorForLodAndLoq) {
    const auto m = FitOf({"1", "2", "3", "4", "5"}, {"10.1", "7.8", "6.2", "3.9", "2.1"});
    for (RegressionItem item : {RegressionItem::Lod, RegressionItem::Loq,
                                RegressionItem::FirstKindError, RegressionItem::SecondKindError}) {
        EXPECT_EQ(ReportLines(*m, item), Lines{"Error! (<=0)"});
    }
}

// k ± 3.182·0.059722 and l ± 3.182·0.19807 (R's standard errors), in F5.
TEST_F(LineReportTest, ConfidenceLimitsOfKAndL) {
    EXPECT_EQ(ReportLines(*Worked(), RegressionItem::ConfidenceKL),
              (Lines{"Linjen y=kx+l", "95.0000% konfidensnivå", "", "k=1.99000±0.19003",
                     "l=0.05000±0.63027"}));
}

// y = 2x + 4 meets the x axis at -2: the sample holds 2; y = 2x - 4 would need a negative
// concentration (worked by hand).
TEST_F(LineReportTest, StandardAddition) {
    EXPECT_EQ(ReportLines(*FitOf({"0", "1", "2", "3"}, {"4", "6", "8", "10"}),
                          RegressionItem::StandardAddition),
              (Lines{"95.000% konfidensnivå", "", "x=2.00000±0.00000"}));
    EXPECT_EQ(ReportLines(*FitOf({"0", "1", "2", "3"}, {"-4", "-2", "0", "2"}),
                          RegressionItem::StandardAddition),
              Lines{"Error! (Konc<0)"});
}

// The t values are R's: summary(fit)$coefficients[, "t value"] 33.32 and 0.2524; sfak is
// sqrt(sum((fitted(fit) - mean(y))^2)) = 6.29293254373507.
TEST_F(LineReportTest, ParametersWithTTests) {
    const Lines l = ReportLines(*Worked(), RegressionItem::Parameters);
    for (const char* line :
         {"k=1.99", "Sum x2=55", "Sxx=10   (Σ(x-xmed)²)", "n=5",
          "sfak=6.29293254373507   (√(SSfac/1))", "k: s(k)=0.05972  t=33.32 > t(3)=3.182",
          "  k skiljer sig signifikant från 0", "l: s(l)=0.1981  t=0.2524 < t(3)=3.182",
          "  l skiljer sig ej signifikant från 0"}) {
        SCOPED_TRACE(line);
        EXPECT_NE(std::find(l.begin(), l.end(), line), l.end());
    }
}

// R: rstudent(lm(y ~ x)) is 20.51 for the sixth point and below 1 for the others;
// qt(0.975, 5) = 2.5706.
TEST_F(LineReportTest, OutliersByStudentizedResiduals) {
    ScopedTextSettings english(Language::English, '.');
    const auto m = FitOf({"1", "2", "3", "4", "5", "6", "7", "8"},
                         {"3.1", "4.9", "7.2", "8.8", "11.1", "17.0", "15.2", "16.9"});
    EXPECT_EQ(ReportLines(*m, RegressionItem::Outliers),
              (Lines{"Outliers at 5% level",
                     "Studentized residual without the point: t=e/(s(i)·√(1-h)), t(5)=2.57",
                     "Point no: 6  x=6  y=17.0  t=20.51"}));
    EXPECT_EQ(ReportLines(*Worked(), RegressionItem::Outliers).back(), "No outliers..");
}

// R: the residual variances of lm on points 1-5 and 6-10 are 0.000436667 and 0.113333,
// F = 259.54 against qf(0.975, 3, 3) = 15.439.
TEST_F(LineReportTest, HomoscedasticityByGoldfeldQuandt) {
    ScopedTextSettings english(Language::English, '.');
    const auto m =
        FitOf({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
              {"1.02", "1.98", "3.01", "3.99", "5.02", "5.9", "7.2", "7.7", "9.4", "9.8"});
    const Lines l = ReportLines(*m, RegressionItem::Homoscedasticity);
    ASSERT_EQ(l.size(), 6u);
    EXPECT_EQ(l[2], "Low x: s²=0.0004367  (f=3)");
    EXPECT_EQ(l[3], "High x: s²=0.1133  (f=3)");
    EXPECT_EQ(l[4], "F = s²(larger)/s²(smaller) = 259.5 > F(3,3) = 15.44");
    EXPECT_EQ(ReportLines(*Worked(), RegressionItem::Homoscedasticity),
              Lines{"Too few data points (at least 6)"});
}

// At x = LOD(x) the expected y is the critical level itself, so β is one half. Where β
// equals α: R: uniroot of 1.99x + 0.05 - qt(1 - α, 3)·s·sqrt(1 + 1/5 + (x - 3)²/10) =
// 3s + 0.05 gives 0.548373 (α = 0.0651088).
TEST_F(LineReportTest, ErrorsOfTheFirstAndSecondKind) {
    const auto m = Worked();
    const Lines first = ReportLines(*m, RegressionItem::FirstKindError);
    EXPECT_EQ(first[1], "s0=0.27368   (sy·√(1+1/n+xmed²/Sxx))");  // R: se at x = 0, above
    const Lines second = ReportLines(*m, RegressionItem::SecondKindError);
    EXPECT_EQ(second[1], "Risk för fel av andra ordningen vid x=LOD(x)=0.28471: 50.00000%");
    const std::string& equal = second[3];
    const auto at = equal.find("vid x=");
    ASSERT_NE(at, std::string::npos) << equal;
    EXPECT_NEAR(static_cast<double>(StrToNumber(equal.substr(at + 6), '.')), 0.548373, 1e-3);
}

TEST_F(LineReportTest, FixedModesOfferOnlyTheirReports) {
    const auto m = FitOf({"1", "2", "3", "4", "5"}, {"2.1", "3.9", "6.2", "7.8", "10.1"},
                         {FitType::FixedSlope, 2});
    EXPECT_FALSE(m->Report(RegressionItem::Lod));
    EXPECT_FALSE(m->Report(RegressionItem::Significance));
    EXPECT_TRUE(m->Report(RegressionItem::Residuals));
    EXPECT_FALSE(m->Supports(RegressionItem::ConfidenceKL));
}

}  // namespace
}  // namespace tabulon

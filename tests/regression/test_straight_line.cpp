// The straight line: its fit in four modes against R, digits kept with large offsets, NIST
// Norris, bands, x(y), the equation and the failures (N = 2, all x equal).
#include <gtest/gtest.h>

#include <cmath>

#include "base/language.h"
#include "numeric/number_text.h"
#include "regression/straight_line.h"

namespace tabulon {
namespace {

::testing::AssertionResult Near(Extended actual, Extended expected, Extended relative) {
    if (std::fabs(actual - expected) <= relative * std::fabs(expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

double Lre(Extended value, Extended certified) {
    const Extended error = std::fabs(value - certified);
    if (error == 0) return 19;
    return static_cast<double>(-std::log10(error / std::fabs(certified)));
}

std::shared_ptr<const RegressionData> Data(std::vector<std::string> x, std::vector<std::string> y) {
    return MakeRegressionData(std::move(x), std::move(y), "x", "y", '.');
}

// The worked example: Sxx = 10, Sxy = 19.9, K = 1.99, L = 0.05.
std::shared_ptr<const RegressionData> Worked() {
    return Data({"1", "2", "3", "4", "5"}, {"2.1", "3.9", "6.2", "7.8", "10.1"});
}

const StraightLineModel& Line(const FitOutcome& fit) {
    EXPECT_TRUE(fit.model) << fit.refusal;
    return dynamic_cast<const StraightLineModel&>(*fit.model);
}

class StraightLineTest : public ::testing::Test {
protected:
    ScopedTextSettings text{Language::Swedish, '.'};
};

TEST_F(StraightLineTest, WorkedExampleMatchesR) {
    const FitOutcome fit = Fit(Worked(), {}, 0.95L);
    const StraightLineModel& m = Line(fit);
    const TRegressionLine& r = m.line();
    EXPECT_TRUE(Near(r.Sxx, 10, 1e-17));  // worked by hand
    EXPECT_TRUE(Near(r.Sxy, 19.9L, 1e-17));
    EXPECT_TRUE(Near(r.K, 1.99L, 1e-17));  // R: coef(lm(y ~ x))
    EXPECT_TRUE(Near(r.L, 0.05L, 1e-15));
    EXPECT_EQ(m.DegreesOfFreedom(), 3);
    EXPECT_TRUE(Near(m.TFactor(), 3.182L, 1e-15));      // R: qt(0.975, 3) = 3.182446, 0.001 grid
    EXPECT_TRUE(Near(r.S, 0.188856206322871L, 1e-13));  // R: summary(fit)$sigma
    EXPECT_TRUE(Near(r.F, 1110.30841121495L, 1e-12));   // R: summary(fit)$fstatistic
    EXPECT_TRUE(Near(m.SlopeSE(), 0.0597215762238966L, 1e-13));     // R: Std. Error of x
    EXPECT_TRUE(Near(m.InterceptSE(), 0.198074060223275L, 1e-13));  // R: of (Intercept)
    // 3.182 * 0.19807 and 3.182 * 0.059722, in 4 digits
    EXPECT_EQ(m.EquationText(), "a0=0.05±0.6303  a1=1.99±0.19");
}

// R: predict(fit, data.frame(x = c(2.5, 0, 7)), se.fit = TRUE): se.fit, and
// sqrt(se.fit^2 + sigma^2) for a new point; the half-widths are TFactor times these.
// R: (y0 - l)/k and sigma/|k|*sqrt(1/m + 1/n + (y0 - mean(y))^2/(k^2*Sxx)) for y0 = 5.
TEST_F(StraightLineTest, BandsAndXFromYAreTFactorTimesRsStandardErrors) {
    const FitOutcome fit = Fit(Worked(), {}, 0.95L);
    const struct {
        Extended x, line_se, point_se;
    } cases[] = {{2.5L, 0.0895823643358448L, 0.209025516783638L},
                 {0, 0.198074060223275L, 0.273678643668081L},
                 {7, 0.253377189186399L, 0.316016877186436L}};
    for (const auto& c : cases) {
        const YFromXResult y = fit.model->YFromX(c.x);
        EXPECT_TRUE(Near(y.y, 1.99L * c.x + 0.05L, 1e-15)) << static_cast<double>(c.x);
        EXPECT_TRUE(Near(y.line_half_width / 3.182L, c.line_se, 1e-13));
        EXPECT_TRUE(Near(y.point_half_width / 3.182L, c.point_se, 1e-13));
    }
    const struct {
        int m;
        Extended se;
    } replicates[] = {{3, 0.0709935890489545L}, {1, 0.105092470706444L}};  // R, as above
    for (const auto& c : replicates) {
        const XFromYResult r = fit.model->XFromY(5, c.m);
        ASSERT_TRUE(r.ok && r.half_width);
        EXPECT_TRUE(Near(r.x, 2.48743718592965L, 1e-14));
        EXPECT_TRUE(Near(*r.half_width / 3.182L, c.se, 1e-12)) << c.m;
    }
    // Through the origin: y/K, without an interval.
    const FitOutcome origin = Fit(Worked(), {FitType::Origin, 0}, 0.95L);
    const XFromYResult o = origin.model->XFromY(5, 1);
    EXPECT_TRUE(o.ok);
    EXPECT_FALSE(o.half_width);
    EXPECT_TRUE(Near(o.x, 5 / Line(origin).line().K, 1e-18));
}

// The fixed modes: worked by hand from Σx = 15, Σy = 30.1, Σxy = 110.2, Σx² = 55.
TEST_F(StraightLineTest, FixedModes) {
    const struct {
        FitSpec spec;
        Extended K, L;
    } cases[] = {
        {{FitType::FixedSlope, 2}, 2, 0.02L},                   // (30.1 - 2*15)/5
        {{FitType::FixedIntercept, 1}, (110.2L - 15) / 55, 1},  // (Σxy - l*Σx)/Σx²
        {{FitType::Origin, 0}, 110.2L / 55, 0},                 // R: coef(lm(y ~ 0 + x))
    };
    for (const auto& c : cases) {
        const FitOutcome fit = Fit(Worked(), c.spec, 0.95L);
        const TRegressionLine& r = Line(fit).line();
        EXPECT_TRUE(Near(r.K, c.K, 1e-17)) << static_cast<int>(c.spec.type);
        EXPECT_NEAR(static_cast<double>(r.L), static_cast<double>(c.L), 1e-17);
    }
    // The fixed coefficient is marked, the free one keeps its interval: 3.182*S/sqrt(5).
    const FitOutcome slope = Fit(Worked(), {FitType::FixedSlope, 2}, 0.95L);
    const Extended s = Line(slope).line().S;
    EXPECT_EQ(
        slope.model->EquationText(),
        "a0=0.02±" + FormatGeneral(3.182L * s / std::sqrt(5.0L), 4, 2, '.') + "  a1=2 (fixerad)");
}

TEST_F(StraightLineTest, TwoPointsGiveZeroSpreadAndThePartsTexts) {
    const FitOutcome fit = Fit(Data({"1", "2"}, {"1", "3"}), {}, 0.95L);
    const StraightLineModel& m = Line(fit);
    EXPECT_EQ(m.line().S, 0);
    EXPECT_EQ(m.EquationText(), "a0=-1±0  a1=2±0");
    const auto bands = m.BandsAt(10);
    EXPECT_EQ(bands->confidence, 0);
    EXPECT_EQ(bands->prediction, 0);
    EXPECT_EQ(m.Report(RegressionItem::Significance)->lines,
              std::vector<std::string>{"Bara två datapunkter"});
    EXPECT_EQ(m.Report(RegressionItem::Lod)->lines, std::vector<std::string>{"Error! (<=0)"});
}

TEST_F(StraightLineTest, AllXEqualIsRefusedInEveryMode) {
    for (FitType type :
         {FitType::LeastSquares, FitType::Origin, FitType::FixedSlope, FitType::FixedIntercept}) {
        const FitOutcome fit = Fit(Data({"2", "2", "2"}, {"1", "2", "4"}), {type, 1}, 0.95L);
        EXPECT_FALSE(fit.model);
        EXPECT_EQ(fit.refusal, "Kurvanpassningen kan ej utföras");
    }
    TRegressionLine line;
    line.K = 7;
    const std::vector<Extended> x{3, 3}, y{1, 2};
    EXPECT_FALSE(ComputeRegressionLine(x, y, LineMode::LeastSquares, 0, line));
    EXPECT_EQ(line.K, 7);  // the previous line stays
}

// Sums about the means: moving x by 1e8 moves only the intercept. Σx² − (Σx)²/n would
// cancel 16 of the 19 digits here.
TEST_F(StraightLineTest, LargeXOffsetKeepsItsDigits) {
    const std::vector<Extended> x{1, 2, 3, 4, 5}, y{2.1L, 3.9L, 6.2L, 7.8L, 10.1L};
    std::vector<Extended> far = x;
    for (Extended& v : far) v += 1e8L;
    TRegressionLine near_line, far_line;
    ASSERT_TRUE(ComputeRegressionLine(x, y, LineMode::LeastSquares, 0, near_line));
    ASSERT_TRUE(ComputeRegressionLine(far, y, LineMode::LeastSquares, 0, far_line));
    EXPECT_GE(Lre(far_line.K, near_line.K), 14);
    EXPECT_GE(Lre(far_line.Sxx, near_line.Sxx), 14);
    EXPECT_GE(Lre(far_line.S, near_line.S), 12);
    EXPECT_GE(Lre(far_line.L + far_line.K * 1e8L, near_line.L), 9);
}

}  // namespace
}  // namespace tabulon

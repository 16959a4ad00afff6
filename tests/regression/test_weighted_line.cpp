// The weighted lines: coefficients and standard errors against R's weighted lm, the y means
// drawn for multiple y, x(y) with replicates, and the refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "base/language.h"
#include "regression/weighted_line.h"

namespace tabulon {
namespace {

::testing::AssertionResult Near(Extended actual, Extended expected, Extended relative) {
    if (std::fabs(actual - expected) <= relative * std::fabs(expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

FitOutcome FitOf(std::vector<std::string> x, std::vector<std::string> y, FitType type) {
    return Fit(MakeRegressionData(std::move(x), std::move(y), "x", "y", '.'), {type, 0}, 0.95L);
}

const WeightedLineModel& Weighted(const FitOutcome& fit) {
    EXPECT_TRUE(fit.model) << fit.refusal;
    return dynamic_cast<const WeightedLineModel&>(*fit.model);
}

class WeightedLineTest : public ::testing::Test {
protected:
    ScopedTextSettings text{Language::Swedish, '.'};
};

// R: w <- lm(y ~ x, weights = 1/x); coef(w); predict(w, data.frame(x = 5), se.fit = TRUE);
// a new point at 5 adds sigma(w)^2 * 5: sqrt(se.fit^2 + sigma^2 * 5) = 0.453043181749094.
TEST_F(WeightedLineTest, InverseXMatchesRsWeightedLm) {
    const FitOutcome fit = FitOf({"1", "2", "4", "8", "16"}, {"2.2", "3.9", "8.3", "15.6", "32.9"},
                                 FitType::WeightedInverseX);
    const WeightedLineModel& m = Weighted(fit);
    EXPECT_TRUE(Near(m.intercept(), 0.0761140819964324L, 1e-12));
    EXPECT_TRUE(Near(m.slope(), 2.0167557932263822L, 1e-14));
    const auto bands = m.BandsAt(5);
    EXPECT_TRUE(Near(bands->confidence / m.TFactor(), 0.171782178368546L, 1e-12));
    EXPECT_TRUE(Near(bands->prediction / m.TFactor(), 0.453043181749094L, 1e-12));
    // x for the mean of two readings of y = 10: R: sqrt(sigma^2*x0/2 + se.fit(x0)^2)/|k|
    const XFromYResult x = m.XFromY(10, 2);
    ASSERT_TRUE(x.ok && x.half_width);
    EXPECT_TRUE(Near(x.x, 4.92071769489128L, 1e-13));
    EXPECT_TRUE(Near(*x.half_width / m.TFactor(), 0.168333971239253L, 1e-12));
    EXPECT_NE(m.StatusLine().find("  kurvan viktad med 1/x"), std::string::npos);
}

// R: the means at x = 1, 2, 4 weighted by n/var: lm(my ~ mx, weights = nn/vs);
// predict at 3 with se.fit = 0.105491488550261.
TEST_F(WeightedLineTest, MultipleYFitsTheMeansWeightedByTheirVariance) {
    const FitOutcome fit = FitOf({"1", "1", "1", "2", "2", "2", "4", "4", "4"},
                                 {"2.0", "2.2", "2.1", "4.1", "3.8", "4.0", "8.4", "7.6", "8.1"},
                                 FitType::WeightedMultipleY);
    const WeightedLineModel& m = Weighted(fit);
    EXPECT_TRUE(Near(m.intercept(), 0.144623655913979L, 1e-12));
    EXPECT_TRUE(Near(m.slope(), 1.939247311827957L, 1e-14));
    EXPECT_TRUE(Near(m.BandsAt(3)->confidence / m.TFactor(), 0.105491488550261L, 1e-12));
    ASSERT_EQ(m.MarkedY().size(), 3u);  // the graph marks the three means
    EXPECT_TRUE(Near(m.MarkedY()[1], 11.9L / 3, 1e-18));
    EXPECT_EQ(m.DegreesOfFreedom(), 1);
}

TEST_F(WeightedLineTest, Refusals) {
    const struct {
        std::vector<std::string> x, y;
        FitType type;
        const char* refusal;
    } cases[] = {
        {{"1", "1", "2"},
         {"1", "2", "3"},
         FitType::WeightedMultipleY,
         "Minst ett x-värde saknar multipla y-värden, t.ex för x=2"},
        {{"1", "1", "2", "2"},
         {"1", "2", "3", "3"},
         FitType::WeightedMultipleY,
         "Kan ej räkna: Spridningen i y-led för x=2 är noll!"},
        {{"1", "1"}, {"1", "2"}, FitType::WeightedMultipleY, "Kurvanpassningen kan ej utföras"},
        {{"0", "1", "2"},
         {"1", "2", "3"},
         FitType::WeightedInverseX,
         "Negativa eller noll x-värden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refusal);
        const FitOutcome fit = FitOf(c.x, c.y, c.type);
        EXPECT_FALSE(fit.model);
        EXPECT_EQ(fit.refusal, c.refusal);
    }
}

}  // namespace
}  // namespace tabulon

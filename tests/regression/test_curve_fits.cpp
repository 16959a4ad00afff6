// The curve fits of the regression window: polynomials against NIST StRD, their refusals,
// the linearisable functions, the exponent search, the curvature test, the own function and
// the weighted polynomial, each checked against an independent answer.
#include <gtest/gtest.h>

#include <cmath>

#include "base/language.h"
#include "numeric/number_text.h"
#include "regression/function_fit.h"
#include "regression/polynomial_fit.h"
#include "regression/straight_line.h"

namespace tabulon {
namespace {

using Texts = std::vector<std::string>;

std::shared_ptr<const RegressionData> Data(Texts x, Texts y) {
    return MakeRegressionData(std::move(x), std::move(y), "x", "y", '.');
}

FitSpec Poly(int degree) {
    FitSpec s;
    s.type = FitType::Polynomial;
    s.degree = degree;
    return s;
}

FitSpec Function(FunctionKind kind) {
    FitSpec s;
    s.type = FitType::NamedFunction;
    s.function = kind;
    return s;
}

Texts Numbers(std::initializer_list<double> values) {
    Texts out;
    for (double v : values) out.push_back(FormatShortest(v, '.'));
    return out;
}

class CurveFitTest : public ::testing::Test {
protected:
    ScopedTextSettings text{Language::Swedish, '.'};
};

TEST_F(CurveFitTest, PolynomialRefusals) {
    const struct {
        Texts x, y;
        FitSpec spec;
        const char* refusal;
    } cases[] = {
        // N must exceed the degree.
        {{"1", "2", "3"}, {"1", "4", "9"}, Poly(3), "För få datapunkter"},
        // Four points but two distinct x: the square term cannot be told from the line.
        {{"1", "1", "2", "2"}, {"1", "2", "3", "4"}, Poly(2), "För få datapunkter"},
        {{"0", "1", "2"},
         {"1", "2", "3"},
         [] {
             FitSpec s = Poly(1);
             s.type = FitType::WeightedPolynomial;
             s.weight = PolynomialWeight::InverseX;
             return s;
         }(),
         "Neg. eller noll x-värde(n)"},
    };
    for (const auto& c : cases) {
        const FitOutcome fit = Fit(Data(c.x, c.y), c.spec, 0.95L);
        EXPECT_FALSE(fit.model);
        EXPECT_EQ(fit.refusal, c.refusal);
    }
}

// y = x² + 1 on x = 0 … 4: x(10) = 3 (worked by hand); degree 1 matches the straight line's
// bands and detection limits, which are checked against R elsewhere.
TEST_F(CurveFitTest, PolynomialReadingsAndTheLineItGeneralises) {
    const FitOutcome square = Fit(Data(Numbers({0, 1, 2, 3, 4}), Numbers({1, 2, 5, 10, 17})),
                                  Poly(2), 0.95L);
    ASSERT_TRUE(square.model);
    const XFromYResult x = square.model->XFromY(10, 1);
    ASSERT_TRUE(x.ok);
    EXPECT_NEAR(static_cast<double>(x.x), 3, 1e-12);

    const auto data = Data({"1", "2", "3", "4", "5"}, {"2.1", "3.9", "6.2", "7.8", "10.1"});
    const FitOutcome line = Fit(data, {}, 0.95L);
    const FitOutcome poly = Fit(data, Poly(1), 0.95L);
    ASSERT_TRUE(line.model && poly.model);
    for (Extended at : {0.0L, 2.5L, 7.0L}) {
        const auto a = *line.model->BandsAt(at);
        const auto b = *poly.model->BandsAt(at);
        EXPECT_NEAR(static_cast<double>(a.confidence), static_cast<double>(b.confidence), 1e-12);
        EXPECT_NEAR(static_cast<double>(a.prediction), static_cast<double>(b.prediction), 1e-12);
    }
    EXPECT_NEAR(static_cast<double>(line.model->Limits()->lod_x),
                static_cast<double>(poly.model->Limits()->lod_x), 1e-12);
}

// A straight line weighted 1/x is the same fit as the hidden menu's weighted line 1/x.
TEST_F(CurveFitTest, WeightedPolynomialOfDegreeOneIsTheWeightedLine) {
    const auto data = Data({"1", "2", "4", "8", "16"}, {"1.2", "2.1", "3.8", "8.5", "15.1"});
    FitSpec spec = Poly(1);
    spec.type = FitType::WeightedPolynomial;
    spec.weight = PolynomialWeight::InverseX;
    FitSpec weighted_line;
    weighted_line.type = FitType::WeightedInverseX;
    const FitOutcome poly = Fit(data, spec, 0.95L);
    const FitOutcome line = Fit(data, weighted_line, 0.95L);
    ASSERT_TRUE(poly.model && line.model);
    const auto a = poly.model->Coefficients();
    EXPECT_NEAR(static_cast<double>(a[0]), static_cast<double>(line.model->ValueAt(0)), 1e-13);
    EXPECT_NEAR(static_cast<double>(a[1]),
                static_cast<double>(line.model->ValueAt(1) - line.model->ValueAt(0)), 1e-13);
    EXPECT_NE(poly.model->StatusLine().find("kurvan viktad med 1/x"), std::string::npos);
}

TEST_F(CurveFitTest, FunctionFits) {
    // y = 2e^(0.5x) for x = 0 … 4.
    Texts ex, ey;
    for (int i = 0; i <= 4; ++i) {
        ex.push_back(std::to_string(i));
        ey.push_back(FormatShortest(2 * std::exp(0.5L * i), '.'));
    }
    const FitOutcome exp_fit = Fit(Data(ex, ey), Function(FunctionKind::Exponential), 0.95L);
    ASSERT_TRUE(exp_fit.model);
    EXPECT_NEAR(static_cast<double>(exp_fit.model->Coefficients()[0]), 2, 1e-13);
    EXPECT_NEAR(static_cast<double>(exp_fit.model->Coefficients()[1]), 0.5, 1e-13);
    EXPECT_NEAR(static_cast<double>(exp_fit.model->Values()[3].second), 1, 1e-13);

    // y = 3x² with a point at x = 0 that takes no part; with one positive point left the
    // fit is refused.
    const FitOutcome power = Fit(Data({"0", "1", "2", "3"}, {"5", "3", "12", "27"}),
                                 Function(FunctionKind::Power), 0.95L);
    ASSERT_TRUE(power.model);
    EXPECT_NEAR(static_cast<double>(power.model->Coefficients()[0]), 3, 1e-13);
    EXPECT_NEAR(static_cast<double>(power.model->Coefficients()[1]), 2, 1e-13);
    // The left-out point has no residual, so the status line's RMS is that of the exact fit
    // (it was √(25/4) when the point at x = 0 was counted).
    EXPECT_TRUE(std::isnan(static_cast<double>(power.model->Residuals()[0])));
    const std::string status = power.model->StatusLine();
    EXPECT_LT(std::stod(status.substr(status.find("RMS=") + 4)), 1e-12) << status;
    const FitOutcome few =
        Fit(Data({"0", "2"}, {"1", "12"}), Function(FunctionKind::Power), 0.95L);
    EXPECT_EQ(few.refusal, "För få giltiga datapunkter");

    // y = 2·ln x + 1, read back by the inverse.
    const FitOutcome log_fit = Fit(Data(Numbers({1, 2, 4, 8}), Numbers({1, 1 + 2 * std::log(2.0),
                                                                         1 + 2 * std::log(4.0),
                                                                         1 + 2 * std::log(8.0)})),
                                   Function(FunctionKind::Logarithmic), 0.95L);
    ASSERT_TRUE(log_fit.model);
    EXPECT_NEAR(static_cast<double>(log_fit.model->XFromY(1 + 2 * std::log(3.0), 1).x), 3, 1e-12);
}

// y = 3x^1.5 + 2 with x = 0 … 5: the search lands on n = 1.5 (a point of its grid) and the
// fit there is exact; a cancel returns nothing.
TEST_F(CurveFitTest, ExponentSearch) {
    Texts x, y;
    for (int i = 0; i <= 5; ++i) {
        x.push_back(std::to_string(i));
        y.push_back(FormatShortest(3 * std::pow(static_cast<Extended>(i), 1.5L) + 2, '.'));
    }
    const auto data = Data(x, y);
    int reports = 0;
    const auto n = SearchExponent(*data, [] { return false; }, [&](int) { ++reports; });
    ASSERT_TRUE(n);
    EXPECT_NEAR(static_cast<double>(*n), 1.5, 1e-15);
    EXPECT_GT(reports, 0);
    const FitOutcome fit = Fit(data, Function(FunctionKind::PowerOffset), 0.95L);
    ASSERT_TRUE(fit.model);
    EXPECT_NEAR(static_cast<double>(fit.model->Coefficients()[0]), 3, 1e-12);
    EXPECT_NEAR(static_cast<double>(fit.model->Coefficients()[1]), 2, 1e-12);

    int polls = 0;
    EXPECT_FALSE(SearchExponent(*data, [&] { return ++polls > 3; }, {}));
}

// Noise-free quadratic data are significantly curved at the smallest level searched; a
// line is not; y = x² + noise of R's rnorm(8, sd = 0.3), seed 1, has t = a2/s(a2) = 11.6
// (R: summary(lm(y ~ x + I(x^2)))), far beyond t(5, 0.0005) = 6.869.
TEST_F(CurveFitTest, CurvatureVerdicts) {
    FitSpec spec = Poly(2);
    spec.curvature = true;
    const struct {
        Texts y;
        bool significant;
        const char* status_end;
    } cases[] = {
        {Numbers({1, 2, 5, 10, 17, 26, 37, 50}), true, "signifikant kurvatur på 0.1% nivån"},
        {Numbers({1, 3, 5, 7, 9, 11, 13, 15}), false,
         "Ingen signifikant kurvatur under 10% nivån"},
    };
    for (const auto& c : cases) {
        const FitOutcome fit = Fit(Data(Numbers({0, 1, 2, 3, 4, 5, 6, 7}), c.y), spec, 0.95L);
        ASSERT_TRUE(fit.model);
        const auto test = fit.model->Curvature();
        ASSERT_TRUE(test);
        EXPECT_EQ(test->significant, c.significant);
        const std::string status = fit.model->StatusLine();
        EXPECT_EQ(status.substr(status.size() - std::string(c.status_end).size()), c.status_end);
    }
    // The level search alone: t = 2.5 with 10 df is significant at 5 % (t(10, 0.025) =
    // 2.228) but not at 2.5 % (t(10, 0.0125) = 2.634); its first level reached is 3.2 %
    // (R: 2*pt(-2.5, 10) = 0.0314).
    const CurvatureTest t = CurvatureVerdict(2.5L, 10);
    EXPECT_TRUE(t.significant);
    EXPECT_NEAR(static_cast<double>(t.alpha), 0.032, 1e-12);
}

TEST_F(CurveFitTest, OwnFunction) {
    auto own = [](std::initializer_list<int> terms) {
        FitSpec s;
        s.type = FitType::OwnFunction;
        for (int t : terms) s.terms |= 1u << t;
        return s;
    };
    // y = 3 + 2·sin(x): recovered exactly.
    Texts x, y;
    for (int i = 1; i <= 6; ++i) {
        x.push_back(std::to_string(i));
        y.push_back(FormatShortest(3 + 2 * std::sin(static_cast<Extended>(i)), '.'));
    }
    const FitOutcome sine = Fit(Data(x, y), own({0, 9}), 0.95L);
    ASSERT_TRUE(sine.model);
    EXPECT_NEAR(static_cast<double>(sine.model->Coefficients()[0]), 3, 1e-13);
    EXPECT_NEAR(static_cast<double>(sine.model->Coefficients()[1]), 2, 1e-13);
    // 1, x, x² is the polynomial of degree 2.
    const auto data = Data({"1", "2", "3", "4", "5"}, {"2.1", "3.9", "6.2", "7.8", "10.1"});
    const auto a = Fit(data, own({0, 1, 2}), 0.95L).model->Coefficients();
    const auto b = Fit(data, Poly(2), 0.95L).model->Coefficients();
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(static_cast<double>(a[k]), static_cast<double>(b[k]), 1e-13);
    // A term undefined at a data point, none ticked, or 1 and x on points of one x.
    EXPECT_EQ(Fit(Data({"0", "1", "2"}, {"1", "2", "3"}), own({0, 5}), 0.95L).refusal,
              "Termen 1/x kan ej beräknas för x=0");
    EXPECT_EQ(Fit(Data({"2", "2", "2"}, {"1", "2", "3"}), own({0, 1}), 0.95L).refusal,
              "Går ej. Determinanten=0");
    EXPECT_EQ(Fit(data, own({}), 0.95L).refusal, "Går ej. Determinanten=0");
}

}  // namespace
}  // namespace tabulon

// The probability, table, confidence-interval and signed-rank calculators: result lines and
// refusals of each on typed values, and the marks their graphs carry.
#include <gtest/gtest.h>

#include <functional>

#include "base/language.h"
#include "graphs/recording_canvas.h"
#include "univariate/distribution_calculators.h"

namespace tabulon {
namespace {

struct CalculatorCase {
    const char* name;
    std::function<CalculatorOutcome()> run;
    std::vector<std::string> lines;  // expected when `message` is empty
    std::string message;
    std::string field_text;
};

void PrintTo(const CalculatorCase& c, std::ostream* os) {
    *os << c.name;
}

class Calculators : public ::testing::TestWithParam<CalculatorCase> {};

TEST_P(Calculators, ShowTheirLinesOrTheirRefusal) {
    ScopedTextSettings en(Language::English, '.');
    const CalculatorCase& c = GetParam();
    const CalculatorOutcome out = c.run();
    EXPECT_EQ(out.message, c.message);
    EXPECT_EQ(out.lines, c.lines);
    EXPECT_EQ(out.field_text, c.field_text);
}

ProbabilityFields Normal(std::string from, std::string to, std::string sd = "1") {
    return {"", "0", std::move(sd), std::move(from), std::move(to)};
}

INSTANTIATE_TEST_SUITE_P(
    Table, Calculators,
    ::testing::Values(
        // R: pnorm(1.96) - pnorm(-1.96) = 0.9500042
        CalculatorCase{"NormalBothLimits",
                       [] { return NormalProbability(Normal("-1.96", "1.96")); },
                       {"Probability = 0.95"}},
        // The same limits typed the wrong way round still mean the interval between them.
        CalculatorCase{"NormalLimitsReversed",
                       [] { return NormalProbability(Normal("1,96", "-1.96")); },
                       {"Probability = 0.95"}},
        // R: 1 - pnorm(1.645) = 0.04998491
        CalculatorCase{"NormalLowerLimitOnly",
                       [] { return NormalProbability(Normal("1.645", "")); },
                       {"Probability = 0.049985"}},
        CalculatorCase{"NormalNoLimits",
                       [] { return NormalProbability(Normal("", " ")); },
                       {},
                       "Limits of x must be entered"},
        CalculatorCase{"NormalZeroSd",
                       [] { return NormalProbability(Normal("0", "1", "0")); },
                       {},
                       "Error in standard deviation"},
        CalculatorCase{"NormalBadMean",
                       [] {
                           return NormalProbability({"", "x", "1", "0", "1"});
                       },
                       {},
                       "Error in mean value"},
        // (x - m)/s = 2.262 with 9 df; R: pt(2.262, 9) = 0.9749936
        CalculatorCase{"TUpperLimitOnly",
                       [] {
                           return TProbability({"10", "5", "2", "", "9.524"});
                       },
                       {"Probability = 0.97499"}},
        CalculatorCase{"TOneValue",
                       [] {
                           return TProbability({"1", "0", "1", "0", "1"});
                       },
                       {},
                       "Error in number of data points"},
        // R: pnorm(1.96) = 0.9750021; pnorm(-4) = 3.167124e-05 takes 10 decimals
        CalculatorCase{"NormalArea", [] { return NormalArea("1.96"); }, {"Φ(1.96) = 0.975002"}},
        CalculatorCase{
            "NormalAreaFarTail", [] { return NormalArea("-4"); }, {"Φ(-4) = 0.0000316712"}},
        // R: qnorm(0.95) = 1.644854, qnorm(0.975) = 1.959964
        CalculatorCase{"NormalLambda",
                       [] { return NormalLambda("0.05"); },
                       {"λα = 1.64485", "λα/2 = 1.95996"}},
        CalculatorCase{
            "NormalLambdaAlphaOne", [] { return NormalLambda("1"); }, {}, "Error in data"},
        // R: qt(0.95, 10) = 1.812461, qt(0.975, 10) = 2.228139, on the 0.001 grid
        CalculatorCase{
            "TTable", [] { return TTable("10", "0.05"); }, {"tα = 1.81200", "tα/2 = 2.22800"}},
        // Above the median the point lies left of 0: R: qt(0.05, 10) = -1.812461;
        // qt(0.525, 10) = 0.0640
        CalculatorCase{"TTableAlphaAboveHalf",
                       [] { return TTable("10", "0.95"); },
                       {"tα = -1.81200", "tα/2 = 0.06400"}},
        CalculatorCase{"TTableNoDegrees", [] { return TTable("0", "0.05"); }, {}, "Error in data"},
        // α = 0.95 is taken as 0.05: R: qchisq(0.025, 10) = 3.246973, qchisq(0.975, 10) =
        // 20.48318, on their grids
        CalculatorCase{"ChiSquareAlphaAboveHalf",
                       [] { return ChiSquareTable("10", "0.95"); },
                       {"α = 0.05000", "χ²α/2 = 3.24600", "χ²1-α/2 = 20.48000"},
                       "",
                       "0.05000"},
        CalculatorCase{"ChiSquare",
                       [] { return ChiSquareTable("10", "0.05"); },
                       {"α = 0.05000", "χ²α/2 = 3.24600", "χ²1-α/2 = 20.48000"}},
        // R: qf(0.95, 10, 10) = 2.978237 on its grid
        CalculatorCase{
            "FTable", [] { return FTable("10", "10", "0.05"); }, {"Fα(10,10) = 2.97800"}},
        CalculatorCase{
            "FTableCountNotWhole", [] { return FTable("10", "2.5", "0.05"); }, {}, "Error in data"},
        // L = 75 stands (70 is the lowest level); z from the fast search: R qnorm(0.875) =
        // 1.150349. 60 is raised to 70: R qnorm(0.85) = 1.036433
        CalculatorCase{"NormalInterval75",
                       [] { return NormalConfidence("0", "1", "75"); },
                       {"Confidence level (%) = 75", "Confidence interval: 0±1.1503491"}},
        CalculatorCase{"NormalInterval60",
                       [] { return NormalConfidence("0", "1", "60"); },
                       {"Confidence level (%) = 70", "Confidence interval: 0±1.0364286"},
                       "",
                       "70"},
        // L = 100 becomes 99.99: R qt(0.99995, 9) = 6.593683 (6.593 on the grid);
        // 6.593/sqrt(10) = 2.08489; sqrt(9/qchisq(0.99995, 9)) = 0.5040 and
        // sqrt(9/qchisq(0.00005, 9)) = 4.0038, the quantiles on their grids
        CalculatorCase{"TInterval100",
                       [] { return TConfidence("10", "1", "10", "100"); },
                       {"Confidence level (%) = 99.99", "Variable: 10±6.593",
                        "True mean: 10±2.0849", "σ: 0.504 to 4.0039"},
                       "",
                       "99.99"},
        // R: 100 * psignrank(60, 20) = 4.865360
        CalculatorCase{"SignedRank",
                       [] { return SignedRankTable("20", "60"); },
                       {"Significant difference at 4.865%  level (one-tailed test)", "n=20"}},
        // R: 100 * psignrank(0, 3) = 12.5
        CalculatorCase{"SignedRankSmallest",
                       [] { return SignedRankTable("3", "0"); },
                       {"No significant difference (p=12.5%  one-tailed test)", "n=3"}},
        CalculatorCase{
            "SignedRankFifty", [] { return SignedRankTable("50", "100"); }, {}, "Error in data"},
        // n = 5 ranks sum to at most 15.
        CalculatorCase{"SignedRankSumTooLarge",
                       [] { return SignedRankTable("5", "16"); },
                       {},
                       "Error in data"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CalculatorTexts, SwedishWithCommaSeparator) {
    ScopedTextSettings sv(Language::Swedish, ',');
    // A point typed in a comma world counts as the separator.
    EXPECT_EQ(NormalProbability(Normal("-1.96", "1,96")).lines,
              std::vector<std::string>{"Sannolikhet = 0,95"});
    EXPECT_EQ(NormalProbability(Normal("", "")).message, "Gränser för x måste fyllas i");
    // R: sqrt(9/qchisq(0.975, 9)) = 0.6878, sqrt(9/qchisq(0.025, 9)) = 1.8256, on the grids
    EXPECT_EQ(TConfidence("10", "1", "10", "95").lines[3], "σ: 0,68785 till 1,8256");
}

TEST(CalculatorGraphs, MarkTheComputedPoints) {
    ScopedTextSettings en(Language::English, '.');
    const CalculatorOutcome t = TTable("10", "0.05");
    ASSERT_TRUE(t.plot);
    RecordingCanvas canvas;
    RenderDensityGraph(canvas, 600, 400, *t.plot);
    const auto texts = canvas.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "tα"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "tα/2"), texts.end());
    // The dashed mark lines stand in order of their x: tα left of tα/2, and the curve
    // peaks at 0, halfway across the symmetric range.
    std::vector<int> dashed;
    for (const Primitive& p : canvas.OfKind(PrimitiveKind::Line)) {
        if (p.pen.style == PenStyle::Dash) dashed.push_back(p.points[0].x);
    }
    ASSERT_EQ(dashed.size(), 2u);
    EXPECT_LT(dashed[0], dashed[1]);
    const auto curve = canvas.OfKind(PrimitiveKind::Polyline).back().points;
    const auto peak =
        std::min_element(curve.begin(), curve.end(), [](Point a, Point b) { return a.y < b.y; });
    // The top is a few pixels flat; the middle column stands on it.
    EXPECT_EQ(curve[(curve.size() - 1) / 2].y, peak->y);
    EXPECT_GT(curve.front().y, curve[curve.size() / 4].y);

    // The signed-rank table folds a sum above the centre n(n+1)/4 to the lower tail.
    const DensityPlot ranks = SignedRankPlot(20, 150);
    ASSERT_EQ(ranks.marks.size(), 1u);
    EXPECT_EQ(ranks.marks[0].x, 60);  // 210 - 150
    EXPECT_EQ(ranks.x_max, 105);      // 20·21/4 = 105
}

}  // namespace
}  // namespace tabulon

// The two-column t-test: reading, the F pre-test's choice, pooled and Welch statistics,
// the lowest significant level, the texts and the graph.
#include <gtest/gtest.h>

#include <cmath>

#include "base/language.h"
#include "graphs/recording_canvas.h"
#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "univariate/ttest.h"

namespace tabulon {
namespace {

Worksheet TwoColumns(const std::vector<std::string>& a, const std::vector<std::string>& b,
                     const std::string& caption_a = "A", const std::string& caption_b = "B") {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, caption_a);
    sheet.setCell(3, 1, caption_b);
    for (std::size_t i = 0; i < a.size(); ++i) sheet.setCell(2, static_cast<int>(i) + 2, a[i]);
    for (std::size_t i = 0; i < b.size(); ++i) sheet.setCell(3, static_cast<int>(i) + 2, b[i]);
    return sheet;
}

TTestSamples Read(const Worksheet& sheet) {
    const TTestSamplesRead read = ReadTTestSamples(sheet, 2, 3, '.');
    EXPECT_TRUE(read.samples) << read.refusal;
    return read.samples.value_or(TTestSamples{});
}

::testing::AssertionResult Near(Extended actual, Extended expected, Extended relative) {
    if (std::fabs(actual - expected) <= relative * std::fabs(expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << double(actual) << " vs " << double(expected);
}

// Data sets with R's answers: pooled or Welch chosen by the F pre-test at 5 %.
struct TTestCase {
    const char* name;
    std::vector<std::string> a, b;
    bool equal_variances;
    Extended F;  // R: var.test(larger, smaller)$statistic
    int df_num, df_den;
    Extended u;     // R: |t.test(a, b, var.equal = pooled)$statistic|
    int df;         // pooled n1 + n2 - 2, or the truncated n + 1, -2 form (worked in R)
    Extended tc;    // TQuantile(df, 0.025), a multiple of 0.001 at most 0.001 below qt
    Extended r_qt;  // R: qt(0.975, df)
    bool significant;
};

class TTestCases : public ::testing::TestWithParam<TTestCase> {};

TEST_P(TTestCases, MatchesRAndChoosesTheTestByTheFPreTest) {
    const TTestCase& c = GetParam();
    ScopedTextSettings text(Language::English, '.');
    const TTestSamples s = Read(TwoColumns(c.a, c.b));
    const TTestResult r = ComputeTTest(s, 5);
    EXPECT_EQ(r.equal_variances, c.equal_variances);
    EXPECT_EQ(r.variances_differ, !c.equal_variances);
    EXPECT_TRUE(Near(r.F, c.F, 1e-5));
    EXPECT_EQ(r.df_num, c.df_num);
    EXPECT_EQ(r.df_den, c.df_den);
    EXPECT_TRUE(Near(r.u, c.u, 1e-5));
    EXPECT_EQ(r.df, c.df);
    EXPECT_NEAR(double(r.tc), double(c.tc), 1e-9);
    EXPECT_LE(r.tc, c.r_qt);
    EXPECT_GT(r.tc, c.r_qt - 0.0011);
    EXPECT_EQ(r.significant, c.significant);
}

INSTANTIATE_TEST_SUITE_P(
    R, TTestCases,
    ::testing::Values(
        // R: x <- 1:5, y <- 3:7: equal variances (F = 1), t = -2, df = 8, qt(0.975, 8) = 2.306004
        TTestCase{"EqualVariances",
                  {"1", "2", "3", "4", "5"},
                  {"3", "4", "5", "6", "7"},
                  true,
                  1,
                  4,
                  4,
                  2,
                  8,
                  2.306L,
                  2.306004L,
                  false},
        // variances 4 and 1 with n = 10 each: F = 4 < qf(0.975, 9, 9) = 4.025994, pooled;
        // R: t.test(11 + 2d, 10 + d, var.equal = TRUE) t = 1.414214, qt(0.975, 18) = 2.100922
        TTestCase{"VariancesFourAndOne",
                  {"14", "8", "14", "8", "11", "11", "11", "11", "11", "11"},
                  {"11.5", "8.5", "11.5", "8.5", "10", "10", "10", "10", "10", "10"},
                  true,
                  4,
                  9,
                  9,
                  1.414214L,
                  18,
                  2.1L,
                  2.100922L,
                  false},
        // R, set.seed(3): var.test(b, a) F = 24.36936 > qf(0.975, 13, 8) = 4.16217, Welch;
        // t.test(a, b) t = -1.04167; the n + 1, -2 form gives 14.87297, truncated to 14 (rounding
        // would give 15);
        // qt(0.975, 14) = 2.144787
        TTestCase{"WelchTruncated",
                  {"9.04", "9.71", "10.26", "8.85", "10.2", "10.03", "10.09", "11.12", "8.78"},
                  {"18.34", "8.28", "6.34", "8.42", "13.26", "12.76", "10.46", "7.23", "8.76",
                   "18.12", "13", "9.11", "7.29", "10.98"},
                  false,
                  24.36936L,
                  13,
                  8,
                  1.04167L,
                  14,
                  2.144L,
                  2.144787L,
                  false},
        // R, set.seed(7): var.test(q, p) F = 1/0.5963074 = 1.676988, num df 8, pooled;
        // t.test(p, q, var.equal = TRUE) t = 0.373 (0.3730 to 4 digits), df 19, qt = 2.093024
        TTestCase{"PooledSecondLarger",
                  {"59.15", "45.21", "47.22", "48.35", "46.12", "46.21", "52.99", "49.53", "50.61",
                   "58.76", "51.43", "60.87"},
                  {"61.97", "48.27", "59.27", "49.27", "39.74", "43.85", "45.97", "52.92", "51.88"},
                  true,
                  1.676988L,
                  8,
                  11,
                  0.3730L,
                  19,
                  2.093L,
                  2.093024L,
                  false},
        // far apart means: R: t.test(1:5, 11:15, var.equal = TRUE) t = -10
        TTestCase{"Significant",
                  {"1", "2", "3", "4", "5"},
                  {"11", "12", "13", "14", "15"},
                  true,
                  1,
                  4,
                  4,
                  10,
                  8,
                  2.306L,
                  2.306004L,
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TTest, AtTwentyPercentTheFourToOneVariancesDiffer) {
    // qf(0.9, 9, 9) = 2.440340 (R) < 4: at L = 20 the F pre-test finds a difference.
    const TTestSamples s =
        Read(TwoColumns({"14", "8", "14", "8", "11", "11", "11", "11", "11", "11"},
                        {"11.5", "8.5", "11.5", "8.5", "10", "10", "10", "10", "10", "10"}));
    const TTestResult r = ComputeTTest(s, 20);
    EXPECT_TRUE(r.variances_differ);
    EXPECT_FALSE(r.equal_variances);
    EXPECT_NEAR(double(r.Fc), 2.44034, 0.001);
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> a, b;
    const char* message;
};
class TTestRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(TTestRefusals, NamesTheColumn) {
    ScopedTextSettings text(Language::Swedish, ',');
    const TTestSamplesRead read =
        ReadTTestSamples(TwoColumns(GetParam().a, GetParam().b), 2, 3, ',');
    EXPECT_FALSE(read.samples);
    EXPECT_EQ(read.refusal, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, TTestRefusals,
    ::testing::Values(
        RefusalCase{
            "OneValue", {"1"}, {"1", "2"}, "Det måste finnas minst två värden i kolumnen A"},
        RefusalCase{
            "SecondEmpty", {"1", "2"}, {}, "Det måste finnas minst två värden i kolumnen B"},
        RefusalCase{"NoSpread", {"1", "2"}, {"3", "3", "3"}, "Alla värden är lika i kolumnen B"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TTest, TextThatIsNotANumberRaisesConversionError) {
    EXPECT_THROW(ReadTTestSamples(TwoColumns({"1", "abc"}, {"1", "2"}), 2, 3, '.'),
                 ConversionError);
    // a point where the separator is a comma is not a number either
    EXPECT_THROW(ReadTTestSamples(TwoColumns({"1.5", "2"}, {"1", "2"}), 2, 3, ','),
                 ConversionError);
}

TEST(TTest, EmptyCellsAreSkippedAndTheCaptionlessColumnIsNamedByNumber) {
    Worksheet sheet = TwoColumns({"1", "", "3"}, {"2", "4", "", "6"}, "", "B");
    const TTestSamples s = Read(sheet);
    EXPECT_EQ(s.first.name, "1");
    EXPECT_EQ(s.first.texts, (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(s.second.statistics.Count, 3);
}

TEST(TTestLowestLevel, IsTheFirstGridLevelWhereTheTestTurnsSignificant) {
    // u = 2, df = 8: R: 2*pt(-2, 8) = 0.08052, so the level lies a step above 8.05 %.
    const Extended level = LowestSignificantLevel(2, 8);
    const Extended p = level / 200;
    EXPECT_NEAR(double(std::remainder(p * 10000, 5)), 0, 1e-6);  // a multiple of 0.0005
    EXPECT_GE(2, TQuantile(8, p));                               // significant at the level found
    EXPECT_LT(2, TQuantile(8, p - 0.0005L));                     // not one step below
    EXPECT_NEAR(double(level), 8.1, 0.11);
}

TEST(TTestLowestLevel, StopsAtTheEnds) {
    // Never significant below 20 %: the search stops at once, one step above p = 0.2.
    EXPECT_NEAR(double(LowestSignificantLevel(0.1L, 10)), 40.1, 1e-9);
    // Significant at every level: it stops at p = 0.0005 and steps back to 0.001, L = 0.2.
    EXPECT_NEAR(double(LowestSignificantLevel(100, 10)), 0.2, 1e-9);
}

TEST(TTestText, WindowAndCopyLinesInSwedish) {
    ScopedTextSettings text(Language::Swedish, ',');
    const TTestSamples s =
        Read(TwoColumns({"1", "2", "3", "4", "5"}, {"3", "4", "5", "6", "7"}, "Vikt", "Längd"));
    const TTestResult r = ComputeTTest(s, 5);
    // FQuantile(4, 4, 0.975): R qf(0.975, 4, 4) = 9.60453, on the 0.0005 grid below it
    const std::string fc = FormatGeneral(r.Fc, 5, 2, ',');
    EXPECT_EQ(fc, "9,6045");
    EXPECT_EQ(TTestWindowLines(s, r),
              (std::vector<std::string>{
                  "Vikt : n=5", "Längd : n=5", "Resultat:", "Vikt: medel=3,000  s=1,581",
                  "Längd: medel=5,000  s=1,581", "F=Smax²/Smin²=1< F(0,025 ; 4 ; 4) = 9,6045",
                  "Varianserna kan inte skiljas åt. t-test för lika s har använts",
                  "u = 2,000 < 2,306 = t(8).", "Ingen signifikant skillnad!"}));
    EXPECT_EQ(TTestResultLines(TTestCaption(), s, r),
              (std::vector<std::string>{
                  "t-test: Vikt mot Längd  på nivån 5,0%", "",
                  "Data:", "Vikt : n=5: medel=3,000  s=1,581", "Längd : n=5: medel=5,000  s=1,581",
                  "", "Resultat: ", "u = 2,000 < 2,306 = t(8).", "Ingen signifikant skillnad!",
                  "Ingen signifikant skillnad mellan väntevärdena för Vikt och Längd "}));
}

TEST(TTestText, EnglishVerdictsWhenSignificantAndVariancesDiffer) {
    ScopedTextSettings text(Language::English, '.');
    const TTestSamples s = Read(TwoColumns({"1", "1.1", "0.9", "1.05"}, {"5", "9", "14", "20"}));
    const TTestResult r = ComputeTTest(s, 10);
    ASSERT_TRUE(r.variances_differ);
    const auto lines = TTestWindowLines(s, r);
    EXPECT_EQ(lines[6], "The variances are different! t-test for unequal variances has been used");
    EXPECT_EQ(lines[5].rfind("F=Smax²/Smin²=", 0), 0u);
    EXPECT_NE(lines[5].find("> F(0.05 ; 3 ; 3) = "), std::string::npos);
    EXPECT_EQ(lines[8], r.significant ? "Significant difference!" : "No significant difference!");
    EXPECT_EQ(TTestResultLines("t-test", s, r).front(), "t-test: A versus B  at level 10%");
}

TEST(TTestGraph, DrawsBothCurvesTheirLimitsAndEveryDataMark) {
    ScopedTextSettings text(Language::English, '.');
    const TTestSamples s = Read(TwoColumns({"1", "2", "3", "4", "5"}, {"3", "4", "5", "6", "7"}));
    for (TTestGraphMode mode : {TTestGraphMode::TrueMean, TTestGraphMode::Variable}) {
        RecordingCanvas canvas;
        RenderTTestGraph(canvas, 600, 400, s, 5, mode);
        EXPECT_EQ(canvas.OfKind(PrimitiveKind::Polyline).size(), 2u);
        const auto texts = canvas.Texts();
        EXPECT_EQ(texts.back(), mode == TTestGraphMode::TrueMean ? "True mean" : "Variable");
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "2.5%"), 2);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "97.5%"), 2);
        // per sample: one mean line, two dashed limits, five data marks
        int dashed = 0;
        for (const Primitive& p : canvas.OfKind(PrimitiveKind::Line)) {
            if (p.pen.style == PenStyle::Dash) ++dashed;
        }
        EXPECT_EQ(dashed, 4);
    }
}

TEST(TTestGraph, TrueMeanCurveOfTheWiderSampleIsScaledDown) {
    const TTestSamples s = Read(TwoColumns({"1", "2", "3", "4", "5"}, {"0", "4", "8", "12", "16"}));
    RecordingCanvas canvas;
    RenderTTestGraph(canvas, 600, 400, s, 5, TTestGraphMode::TrueMean);
    const auto bells = canvas.OfKind(PrimitiveKind::Polyline);
    ASSERT_EQ(bells.size(), 2u);
    auto peak = [](const Primitive& p) {
        int top = p.points.front().y;
        for (Point q : p.points) top = std::min(top, q.y);
        return top;
    };
    // The second sample's variance is 16 times the first's: its peak is a quarter as high.
    const int base = bells[0].points.front().y;  // far from the narrow bell: at zero
    const Extended h0 = base - peak(bells[0]);
    const Extended h1 = base - peak(bells[1]);
    EXPECT_NEAR(double(h1 / h0), 0.25, 0.02);
}

}  // namespace
}  // namespace tabulon

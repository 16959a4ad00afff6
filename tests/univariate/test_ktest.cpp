// The test against a constant: the statistic against R, the caption, texts and graph.
#include <gtest/gtest.h>

#include <cmath>

#include "graphs/recording_canvas.h"
#include "base/language.h"
#include "univariate/ktest.h"

namespace tabulon {
namespace {

// R, set.seed(7): p <- round(rnorm(12, 50, 4), 2)
const std::vector<std::string> kP{"59.15", "45.21", "47.22", "48.35", "46.12", "46.21",
                                  "52.99", "49.53", "50.61", "58.76", "51.43", "60.87"};

Worksheet Column(const std::vector<std::string>& values, const std::string& caption) {
    Worksheet sheet = Worksheet::StartSheet();
    sheet.setCell(2, 1, caption);
    for (std::size_t i = 0; i < values.size(); ++i) sheet.setCell(2, int(i) + 2, values[i]);
    return sheet;
}

KTestSample Sample() {
    std::string refusal;
    auto s = ReadKTestSample(Column(kP, "P"), 2, '.', refusal);
    EXPECT_TRUE(s) << refusal;
    return s.value_or(KTestSample{});
}

struct KCase {
    Extended constant;
    Extended level;
    Extended u;   // R: abs(t.test(p, mu = C)$statistic)
    Extended tc;  // TQuantile(11, L/200): R qt, floored to the 0.001 grid
    bool significant;
};
class KTestCases : public ::testing::TestWithParam<KCase> {};

TEST_P(KTestCases, AgreesWithRsOneSampleTTest) {
    const KCase& c = GetParam();
    const KTestResult r = ComputeKTest(Sample(), c.constant, c.level);
    EXPECT_NEAR(double(r.u), double(c.u), 1e-6);
    EXPECT_EQ(r.df, 11);
    EXPECT_NEAR(double(r.tc), double(c.tc), 1e-9);
    EXPECT_EQ(r.significant, c.significant);
}

INSTANTIATE_TEST_SUITE_P(
    R, KTestCases,
    ::testing::Values(KCase{50, 5, 0.8663897L, 2.2L, false},  // R: qt(0.975, 11) = 2.200985
                      KCase{45, 5, 4.026474L, 2.2L, true},    // R: t = 4.026474
                      KCase{45, 1, 4.026474L, 3.105L, true},  // R: qt(0.995, 11) = 3.105807
                      KCase{51.370833333333333333L, 5, 0, 2.2L, false}));  // C = the mean: u = 0

TEST(KTest, CaptionStartsWithTheColumnTitle) {
    ScopedTextSettings sv(Language::Swedish, ',');
    EXPECT_EQ(KTestCaption("Vikt"), "Vikt: Test på avvikelse från konstant");
    ScopedTextSettings en(Language::English, '.');
    EXPECT_EQ(KTestCaption("Vikt"), "Vikt: Test of deviation from a constant");
}

TEST(KTest, TextsAtTheMean) {
    ScopedTextSettings en(Language::English, '.');
    const KTestSample s = Sample();
    const KTestResult r = ComputeKTest(s, s.statistics.Mean, 5);
    EXPECT_EQ(KTestLines(s, r), (std::vector<std::string>{
                                    "Test that the true mean (m=51.371) differ from 51.371:",
                                    "u = 0 < t(11) = 2.2", "There is no significant difference"}));
    ScopedTextSettings sv(Language::Swedish, ',');
    const KTestResult far = ComputeKTest(s, 45, 5);
    EXPECT_EQ(KTestResultLines(s, far),
              (std::vector<std::string>{
                  "P: Test på avvikelse från konstant",
                  "Test att väntevärdet (m=51,371) är skilt från 45:", "u = 4,0265 > t(11) = 2,2",
                  "Skillnaden är signifikant!", "Nivå: 5,00%"}));
}

TEST(KTest, RefusesTooFewValuesAndNoSpread) {
    ScopedTextSettings en(Language::English, '.');
    std::string refusal;
    EXPECT_FALSE(ReadKTestSample(Column({"3"}, "X"), 2, '.', refusal));
    EXPECT_EQ(refusal, "There must be at least two values in column X");
    EXPECT_FALSE(ReadKTestSample(Column({"3", "3", "3"}, "X"), 2, '.', refusal));
    EXPECT_EQ(refusal, "All values are equal in column X");
}

TEST(KTestGraph, MarksTheConstantTheMeanAndEveryValue) {
    ScopedTextSettings en(Language::English, '.');
    const KTestSample s = Sample();
    const KTestResult r = ComputeKTest(s, 45, 5);
    RecordingCanvas canvas;
    RenderKTestGraph(canvas, 500, 300, s, r);
    EXPECT_EQ(canvas.OfKind(PrimitiveKind::Polyline).size(), 1u);
    EXPECT_EQ(canvas.Texts().back(), "Distrubution of true mean");
    int black_vertical = 0;
    int red_solid = 0;
    for (const Primitive& p : canvas.OfKind(PrimitiveKind::Line)) {
        const bool vertical = p.points[0].x == p.points[1].x;
        if (p.pen.color == colors::kBlack && vertical && p.pen.width == 1 &&
            p.points[0].y != p.points[1].y && p.points[1].y < p.points[0].y - 50) {
            ++black_vertical;  // the constant's tall line (axis ticks are 5 pixels)
        }
        if (p.pen.color == Color{255, 0, 0} && p.pen.style == PenStyle::Solid) ++red_solid;
    }
    EXPECT_EQ(black_vertical, 1);
    EXPECT_EQ(red_solid, 1 + 12);  // the mean and the twelve data marks
}

}  // namespace
}  // namespace tabulon

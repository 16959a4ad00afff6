// The normal probability plot: sorting, plotting positions and scores, the axis range, and
// the drawing on a recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graphs/recording_canvas.h"
#include "numeric/number_text.h"
#include "base/language.h"
#include "univariate/normal_plot.h"

namespace tabulon {
namespace {

TEST(NormalPlotTest, TwoValuesSitAtTheQuartiles) {
    const auto plot = MakeNormalPlot({"7", "3"}, '.');
    ASSERT_TRUE(plot);
    EXPECT_EQ(plot->values, (std::vector<Extended>{3, 7}));
    EXPECT_EQ(plot->positions, (std::vector<Extended>{0.25L, 0.75L}));
    // R: qnorm(0.75) = 0.6744898; the fast quantile is within 1e-4 of it
    EXPECT_NEAR(double(plot->scores[0]), -0.6744898, 1e-4);
    EXPECT_NEAR(double(plot->scores[1]), 0.6744898, 1e-4);
    EXPECT_NEAR(double(plot->z_min), -0.7744898, 1e-4);  // the score of 0.5/n, less 0.1
    EXPECT_NEAR(double(plot->z_max), 0.7744898, 1e-4);
}

TEST(NormalPlotTest, SortsNumericallyAndScoresSymmetrically) {
    const auto plot = MakeNormalPlot({"10", "9", "-1", "2,5", "100"}, ',');
    ASSERT_TRUE(plot);
    EXPECT_EQ(plot->values, (std::vector<Extended>{-1, 2.5L, 9, 10, 100}));
    // The middle of five has position 0.5; the fast quantile's secant step keeps the two
    // tails symmetric to about 1e-5.
    EXPECT_NEAR(double(plot->scores[2]), 0, 1e-5);
    EXPECT_NEAR(double(plot->scores[0] + plot->scores[4]), 0, 1e-5);
    EXPECT_NEAR(double(plot->scores[4]), 1.2815516, 1e-4);  // R: qnorm(0.9)
}

TEST(NormalPlotTest, RefusesTooFewValuesAndTextsThatAreNoNumbers) {
    EXPECT_FALSE(MakeNormalPlot({"1"}, '.'));
    EXPECT_THROW(MakeNormalPlot({"1", "x"}, '.'), ConversionError);
}

RecordingCanvas Draw(const NormalPlotData& plot) {
    RecordingCanvas canvas;
    RenderNormalPlot(canvas, 400, 300, plot, 3, TextMeasurer(canvas, 400, 300));
    return canvas;
}

TEST(NormalPlotTest, NormalScoresThemselvesFallOnAStraightLine) {
    // The data are the scores: x and y of every marker are the same number, so the marker
    // centres lie on one straight line in pixels.
    const int n = 20;
    std::vector<std::string> ranks;
    for (int i = 0; i < n; ++i) ranks.push_back(std::to_string(i));
    const std::vector<Extended> scores = MakeNormalPlot(ranks, '.')->scores;
    std::vector<std::string> texts;
    for (Extended z : scores) texts.push_back(FormatShortest(z, '.'));
    const auto plot = MakeNormalPlot(texts, '.');
    ASSERT_TRUE(plot);
    const RecordingCanvas canvas = Draw(*plot);
    const auto markers = canvas.OfKind(PrimitiveKind::Ellipse);
    ASSERT_EQ(markers.size(), std::size_t(n));
    auto centre = [](const Primitive& p) {
        return std::pair<double, double>((p.box.left + p.box.right) / 2.0,
                                         (p.box.top + p.box.bottom) / 2.0);
    };
    const auto [x0, y0] = centre(markers.front());
    const auto [x1, y1] = centre(markers.back());
    for (const Primitive& m : markers) {
        const auto [x, y] = centre(m);
        const double on_line = y0 + (y1 - y0) * (x - x0) / (x1 - x0);
        EXPECT_NEAR(y, on_line, 1.5);
        EXPECT_EQ(m.brush.color, colors::kRed);
        EXPECT_EQ(m.pen.color, colors::kBlack);
        EXPECT_EQ(m.box.right - m.box.left, 6);  // radius 3
    }
}

TEST(NormalPlotTest, RepeatedValuesShareTheirColumnAndRiseInSteps) {
    const auto plot = MakeNormalPlot({"1", "2", "2", "2", "3"}, '.');
    ASSERT_TRUE(plot);
    const auto markers = Draw(*plot).OfKind(PrimitiveKind::Ellipse);
    ASSERT_EQ(markers.size(), 5u);
    EXPECT_EQ(markers[1].box.left, markers[2].box.left);
    EXPECT_EQ(markers[2].box.left, markers[3].box.left);
    EXPECT_GT(markers[1].box.top, markers[2].box.top);  // higher score, higher on the page
    EXPECT_GT(markers[2].box.top, markers[3].box.top);
}

TEST(NormalPlotTest, ReferenceLinesInsideTheRangeOnly) {
    ScopedTextSettings settings(Language::Swedish, ',');
    // Two values: the axis ends at ±0.774, so only μ is inside.
    auto texts = Draw(*MakeNormalPlot({"1", "2"}, '.')).Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "μ"), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "μ+σ"), texts.end());
    // Twenty values reach ±1.96: all three, and the percentages 50 % and 5 %, not 0,1 %.
    std::vector<std::string> twenty;
    for (int i = 0; i < 20; ++i) twenty.push_back(std::to_string(i));
    const RecordingCanvas canvas = Draw(*MakeNormalPlot(twenty, '.'));
    texts = canvas.Texts();
    for (const char* name : {"μ−σ", "μ", "μ+σ", "50%", "5%", "95%"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), name), texts.end()) << name;
    }
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "0,1%"), texts.end());
    int dashed_red = 0;
    for (const Primitive& p : canvas.OfKind(PrimitiveKind::Line)) {
        dashed_red += p.pen.color == colors::kRed && p.pen.style == PenStyle::Dash;
    }
    EXPECT_EQ(dashed_red, 3);
}

}  // namespace
}  // namespace tabulon

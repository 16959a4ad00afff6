// The x-Data graph on a recording canvas: nothing for a sample without spread, the bell, the
// green limits with their percentages, and one red bar per pixel column of values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "graphs/recording_canvas.h"
#include "base/language.h"
#include "univariate/descriptive_graph.h"

namespace tabulon {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
// With the recording canvas's 12-pixel texts: y = 1 is row 24 and y = 0 the axis row 275.
constexpr int kTop = 24;
constexpr int kAxis = kHeight - 1 - 24;

DescriptiveSample Sample(std::vector<std::string> texts) {
    std::vector<std::string> rows(texts.size(), "1");
    auto s = MakeDescriptiveSample(std::move(texts), std::move(rows), '.');
    EXPECT_TRUE(s);
    return s ? *s : DescriptiveSample{};
}

RecordingCanvas Draw(const DescriptiveSample& s, Extended level) {
    RecordingCanvas canvas;
    RenderXDataGraph(canvas, kWidth, kHeight, s, ComputeConfidenceIntervals(s.statistics, level),
                     TextMeasurer(canvas, kWidth, kHeight));
    return canvas;
}

std::vector<Primitive> Lines(const RecordingCanvas& canvas, Color color, PenStyle style) {
    std::vector<Primitive> out;
    for (const Primitive& p : canvas.OfKind(PrimitiveKind::Line)) {
        if (p.pen.color == color && p.pen.style == style) out.push_back(p);
    }
    return out;
}

TEST(XDataGraphTest, NothingIsDrawnWithoutSpread) {
    EXPECT_TRUE(Draw(Sample({"4", "4", "4"}), 95).primitives().empty());
}

TEST(XDataGraphTest, BarsOfDistinctValuesAreAQuarterHighAndEvenlySpaced) {
    ScopedTextSettings settings(Language::Swedish, ',');
    const RecordingCanvas canvas = Draw(Sample({"12", "10", "14", "11", "13"}), 95);
    const std::vector<Primitive> bars = Lines(canvas, colors::kRed, PenStyle::Solid);
    ASSERT_EQ(bars.size(), 5u);
    std::vector<int> xs;
    for (const Primitive& bar : bars) {
        EXPECT_EQ(bar.points[0].y, kAxis);
        // 0.25 of the height from y = 0 to y = 1: 275 - 0.25 * 251 = 212.25
        EXPECT_EQ(bar.points[1].y, 212);
        EXPECT_EQ(bar.points[0].x, bar.points[1].x);
        xs.push_back(bar.points[0].x);
    }
    EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
    for (std::size_t i = 2; i < xs.size(); ++i) {
        EXPECT_NEAR(xs[i] - xs[i - 1], xs[1] - xs[0], 1);  // values one apart
    }
}

TEST(XDataGraphTest, RepeatedValuesRiseWithTheirCountToHalfHeight) {
    const RecordingCanvas canvas = Draw(Sample({"1", "2", "3", "2", "3", "3"}), 95);
    const std::vector<Primitive> bars = Lines(canvas, colors::kRed, PenStyle::Solid);
    ASSERT_EQ(bars.size(), 3u);
    // h = 0.5 because values repeat; heights 0.5·c/3 of 251 pixels for c = 1, 2, 3
    EXPECT_EQ(bars[0].points[1].y, 233);  // 275 - 41.83
    EXPECT_EQ(bars[1].points[1].y, 191);  // 275 - 83.67
    EXPECT_EQ(bars[2].points[1].y, 150);  // 275 - 125.5, halves to even
}

TEST(XDataGraphTest, LimitsAreGreenDashedWithTheTailPercentagesAbove) {
    ScopedTextSettings settings(Language::Swedish, ',');
    const RecordingCanvas canvas = Draw(Sample({"10", "11", "12", "13", "14"}), 95);
    const std::vector<Primitive> limits = Lines(canvas, colors::kGreen, PenStyle::Dash);
    ASSERT_EQ(limits.size(), 3u);
    for (const Primitive& line : limits) {
        EXPECT_EQ(line.points[0].y, kAxis);
        EXPECT_EQ(line.points[1].y, kTop);
    }
    // The mean sits halfway between the limits x̄ ± s·t.
    EXPECT_NEAR(limits[1].points[0].x, (limits[0].points[0].x + limits[2].points[0].x) / 2.0, 1);
    std::vector<Primitive> labels;
    for (const Primitive& p : canvas.OfKind(PrimitiveKind::Text)) {
        if (p.text.find('%') != std::string::npos) labels.push_back(p);
    }
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, "97,5%");
    EXPECT_EQ(labels[0].points[0].x, limits[2].points[0].x);
    EXPECT_EQ(labels[1].text, "2,5%");
    EXPECT_EQ(labels[1].points[0].x, limits[0].points[0].x);
    EXPECT_EQ(labels[1].align, (TextAlign{HAlign::Center, VAlign::Bottom}));

    // 99.9 %: the tails are 99.95 and 0.05 (six decimals, trailing zeros dropped).
    const RecordingCanvas wide = Draw(Sample({"10", "11", "12", "13", "14"}), 99.9L);
    const std::vector<std::string> texts = wide.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "99,95%"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "0,05%"), texts.end());
}

TEST(XDataGraphTest, TheBellPeaksAtTheMeanWithOnePointPerColumn) {
    const RecordingCanvas canvas = Draw(Sample({"10", "11", "12", "13", "14"}), 95);
    const auto curves = canvas.OfKind(PrimitiveKind::Polyline);
    ASSERT_EQ(curves.size(), 1u);
    const std::vector<Point>& pts = curves[0].points;
    ASSERT_EQ(pts.size(), std::size_t(379 - 20 + 1));  // columns 20 .. 379
    for (std::size_t i = 1; i < pts.size(); ++i) EXPECT_EQ(pts[i].x, pts[i - 1].x + 1);
    // The top is flat over a few columns; its middle is the mean's column.
    int first = -1, last = -1;
    for (const Point& p : pts) {
        if (p.y != kTop) continue;
        if (first < 0) first = p.x;
        last = p.x;
    }
    ASSERT_GE(first, 0);
    const int mean_x = Lines(canvas, colors::kGreen, PenStyle::Dash)[1].points[0].x;
    EXPECT_NEAR((first + last) / 2.0, mean_x, 1);
    // Symmetric about the mean: the ends are equally low.
    EXPECT_NEAR(pts.front().y, pts.back().y, 1);
}

// Values closer together than a pixel share one bar, the tallest: the picture is the same
// as drawing each, and a large sample draws no more bars than there are pixel columns.
TEST(XDataGraphTest, ValuesOnOnePixelColumnAreOneBarAtTheTallestHeight) {
    // 5.000000 ... 5.000999, three of each, and 5.000777 seven times more: ten of it.
    std::vector<std::string> texts;
    char text[16];
    for (int i = 0; i < 3000; ++i) {
        std::snprintf(text, sizeof text, "5.%06d", i % 1000);
        texts.push_back(text);
    }
    for (int i = 0; i < 7; ++i) texts.push_back("5.000777");
    texts.push_back("0");
    texts.push_back("10");
    const DescriptiveSample s = Sample(texts);
    ASSERT_EQ(s.max_count, 10);
    const RecordingCanvas canvas = Draw(s, 95);
    const std::vector<Primitive> bars = Lines(canvas, colors::kRed, PenStyle::Solid);
    ASSERT_EQ(bars.size(), 3u);           // 0, the cluster around 5, and 10
    EXPECT_EQ(bars[1].points[1].y, 150);  // the cluster's tallest: 10 of 10, 0.5 high
    EXPECT_EQ(bars[0].points[1].y, 262);  // 1 of 10: 275 - 12.55
}

}  // namespace
}  // namespace tabulon

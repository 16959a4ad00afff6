// The bar chart on the recording canvas: value range and ticks, the four chart types, row
// labels, series colours and patterns, the user's own scale.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/language.h"
#include "graphs/bar_chart.h"
#include "graphs/group_color.h"
#include "graphs/recording_canvas.h"

namespace tabulon {
namespace {

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

struct Drawn {
    RecordingCanvas canvas;
    BarChartLayout layout;
};

// Drawn 800 x 600 (world -0.5 .. 5.5 of the 3, 5, 4 column is then 100 pixels a unit).
std::unique_ptr<Drawn> Draw(const BarChartData& data, const BarChartOptions& o) {
    auto d = std::make_unique<Drawn>();
    d->layout = RenderBarChart(d->canvas, 800, 600, data, o, TextMeasurer(d->canvas, 800, 600));
    return d;
}

std::vector<std::string> TextsAligned(const RecordingCanvas& c, TextAlign align) {
    std::vector<std::string> out;
    for (const Primitive& p : c.OfKind(PrimitiveKind::Text)) {
        if (p.align == align) out.push_back(p.text);
    }
    return out;
}

// The filled bars (the red frame is drawn with a clear brush).
std::vector<Primitive> Bars(const RecordingCanvas& c) {
    std::vector<Primitive> out;
    for (const Primitive& p : c.OfKind(PrimitiveKind::Rectangle)) {
        if (p.brush.style != BrushStyle::Clear) out.push_back(p);
    }
    return out;
}

class BarChartTest : public ::testing::Test {
    ScopedTextSettings m_text{Language::Swedish, ','};
};

struct RangeCase {
    const char* name;
    std::vector<std::string> cells;
    Extended min;
    Extended max;
    int rows_used;
};

TEST_F(BarChartTest, ValueRangeStartsAtZeroForPositiveDataAndIsNeverEmpty) {
    const RangeCase cases[] = {
        {"positive", {"3", "5", "4"}, 0, 5, 3},            // worked by hand: min 3 moves to 0
        {"negative minimum stays", {"-2", "", "3"}, -2, 3, 3},
        {"all equal positive", {"5", "5"}, 0, 5, 2},       // bars reach the top, not 5 over [0, 1]
        {"all zero", {"0", "0"}, 0, 1, 2},
        {"text skipped, row counted", {"2", "abc"}, 0, 2, 2},
        {"all empty", {"", ""}, 0, 1, 0},
    };
    for (const RangeCase& c : cases) {
        const BarChartData data = MakeBarChartData({"A"}, {c.cells}, ',');
        EXPECT_EQ(data.ValueMin, c.min) << c.name;
        EXPECT_EQ(data.ValueMax, c.max) << c.name;
        EXPECT_EQ(data.RowsUsed, c.rows_used) << c.name;
    }
}

TEST_F(BarChartTest, ThreeFiveFourGivesTicksEveryOneFromZero) {
    const BarChartData data = MakeBarChartData({"A"}, {{"3", "5", "4"}}, ',');
    BarChartOptions o = OpeningOptions(data);
    EXPECT_EQ(o.type, BarChartType::ByRows);
    o.grid = false;
    o.legend = false;
    const auto d = Draw(data, o);
    // World -0.5 .. 5.5 onto 600 .. 0; step 1 (5 / 0.1 = 50 > 20); ticks while t <= 5 + 1,
    // 6 lies above the top. FormatTickShort writes 1 as 1,00.
    EXPECT_EQ(d->layout.scale_start, 0);
    EXPECT_EQ(d->layout.scale_step, 1);
    EXPECT_NEAR(static_cast<double>(d->layout.scale_top), 5.5, 1e-12);
    EXPECT_EQ(d->layout.zero_y, 550);
    EXPECT_EQ(TextsAligned(d->canvas, {HAlign::Right, VAlign::Top}),
              (std::vector<std::string>{"0", "1,00", "2", "3", "4", "5"}));
    // One bar per row, from the zero line up to 3, 5 and 4 (pixels 250, 50, 150).
    const auto bars = Bars(d->canvas);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].box.top, 250);
    EXPECT_EQ(bars[1].box.top, 50);
    EXPECT_EQ(bars[2].box.bottom, 550);
    EXPECT_EQ(TextsAligned(d->canvas, {HAlign::Center, VAlign::Top}),
              (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(BarChartTest, TwentyFiveRowsLabelOnlyRowsTenAndTwenty) {
    std::vector<std::string> cells;
    for (int i = 1; i <= 25; ++i) cells.push_back(std::to_string(i % 7));
    const auto d = Draw(MakeBarChartData({"A"}, {cells}, ','), BarChartOptions{});
    EXPECT_EQ(TextsAligned(d->canvas, {HAlign::Center, VAlign::Top}),
              (std::vector<std::string>{"10", "20"}));
}

TEST_F(BarChartTest, SeriesFourAndNineShareAColourAndHatchesFollowTheSeries) {
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> cells;
    for (int j = 1; j <= 9; ++j) {
        captions.push_back("S" + std::to_string(j));
        cells.push_back({std::to_string(j)});
    }
    const BarChartData data = MakeBarChartData(captions, cells, ',');
    BarChartOptions o;
    o.type = BarChartType::ByRows;
    o.legend = false;
    o.three_d = false;
    auto d = Draw(data, o);
    auto bars = Bars(d->canvas);
    ASSERT_EQ(bars.size(), 9u);
    EXPECT_EQ(bars[3].brush.color, bars[8].brush.color);  // GroupColor: 4 and 9 are maroon
    EXPECT_NE(bars[3].brush.color, bars[2].brush.color);
    EXPECT_EQ(bars[0].brush.color, GroupColor(1));

    o.colour = false;
    o.three_d = true;
    d = Draw(data, o);
    bars = Bars(d->canvas);
    // Series j takes pattern j mod 6: 1 cross, 6 backward diagonal, 9 forward diagonal.
    EXPECT_EQ(bars[0].brush, (Brush{colors::kBlack, BrushStyle::Cross}));
    EXPECT_EQ(bars[5].brush, (Brush{colors::kBlack, BrushStyle::BDiagonal}));
    EXPECT_EQ(bars[8].brush, (Brush{colors::kBlack, BrushStyle::FDiagonal}));
    for (const Primitive& face : d->canvas.OfKind(PrimitiveKind::Polygon)) {
        EXPECT_EQ(face.brush.color, (Color{192, 192, 192}));
    }
}

TEST_F(BarChartTest, TwoColumnsOpenAsMeansWithOneStandardDeviation) {
    const BarChartData data =
        MakeBarChartData({"A", "B", "C"}, {{"1", "2", "3"}, {"2", "", "4"}, {"7"}}, ',');
    const BarChartOptions o = OpeningOptions(data);
    ASSERT_EQ(o.type, BarChartType::ColumnMeans);
    // worked by hand: A mean 2, s 1; B mean 3, s sqrt(2); C has one value and no bar.
    ASSERT_EQ(data.summaries.size(), 3u);
    EXPECT_EQ(data.summaries[0].mean, 2);
    EXPECT_NEAR(static_cast<double>(data.summaries[0].half), 1, 1e-15);
    EXPECT_NEAR(static_cast<double>(data.summaries[1].half), std::sqrt(2.0), 1e-15);
    EXPECT_FALSE(data.summaries[2].has_bar);
    EXPECT_EQ(BarChartLines(data, ""),
              (std::vector<std::string>{"Kolumn\tn\tMedelvärde\tStd avv", "A\t3\t2,00000\t1,00000",
                                        "B\t2\t3,00000\t1,41421", "C\t1"}));
    BarChartOptions flat = o;
    flat.three_d = false;
    flat.legend = false;
    const auto d = Draw(data, flat);
    const auto bars = Bars(d->canvas);
    ASSERT_EQ(bars.size(), 2u);
    const TAxisTransform& t = d->layout.transform;
    EXPECT_EQ(bars[0].box.top, YToPixel(t, 2));
    // The error bar of A from 1 to 3 at x = 1.4 (the type maps columns, not rows).
    const int x = XToPixel(t, 1.4L);
    bool found = false;
    for (const Primitive& p : d->canvas.OfKind(PrimitiveKind::Line)) {
        if (p.points == std::vector<Point>{{x, YToPixel(t, 1)}, {x, YToPixel(t, 3)}}) found = true;
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(TextsAligned(d->canvas, {HAlign::Center, VAlign::Top}),
              (std::vector<std::string>{"A", "B", "C"}));
}

TEST_F(BarChartTest, OtherTypesPassOverGapsAndLabelAsTheirRulesSay) {
    const BarChartData data = MakeBarChartData({"A", "B"}, {{1, kNaN, 3}, {2, 2, 2}});
    BarChartOptions o;
    o.legend = false;
    o.type = BarChartType::Points;
    auto d = Draw(data, o);
    EXPECT_EQ(d->canvas.OfKind(PrimitiveKind::Ellipse).size(), 5u);
    // A breaks at its gap, so only B's three points are joined.
    ASSERT_EQ(d->canvas.OfKind(PrimitiveKind::Polyline).size(), 1u);
    EXPECT_EQ(d->canvas.OfKind(PrimitiveKind::Polyline)[0].points.size(), 3u);

    o.type = BarChartType::ByColumns;
    d = Draw(data, o);
    EXPECT_EQ(Bars(d->canvas).size(), 5u);
    // Row 1 is written above the first bar of each column, the captions under the columns.
    EXPECT_EQ(TextsAligned(d->canvas, {HAlign::Center, VAlign::Bottom}),
              (std::vector<std::string>{"1", "1"}));
    EXPECT_EQ(TextsAligned(d->canvas, {HAlign::Center, VAlign::Top}),
              (std::vector<std::string>{"A", "B"}));
}

TEST_F(BarChartTest, OwnScaleDrawsItsTicksUpToItsTop) {
    const BarChartData data = MakeBarChartData({"A"}, {{"3", "5", "4"}}, ',');
    BarChartOptions o;
    o.manual_scale = true;
    o.scale_start = 0;
    o.scale_step = 2;
    o.scale_top = 10;
    const auto d = Draw(data, o);
    EXPECT_EQ(TextsAligned(d->canvas, {HAlign::Right, VAlign::Top}),
              (std::vector<std::string>{"0", "2", "4", "6", "8", "10"}));
    EXPECT_EQ(YToPixel(d->layout.transform, 10), 0);
    EXPECT_EQ(ScaleText(2.5L), "2,5");  // general format, 5 digits
}

}  // namespace
}  // namespace tabulon

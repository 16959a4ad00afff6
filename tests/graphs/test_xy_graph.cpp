// The axis styles, point series and world-coordinate lines, checked on a recording canvas
// whose characters are 6 pixels wide and whose texts are 12 pixels high.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphs/recording_canvas.h"
#include "graphs/xy_graph.h"
#include "base/language.h"

namespace tabulon {
namespace {

using Texts = std::vector<std::string>;

std::vector<Primitive> Lines(const RecordingCanvas& c) {
    return c.OfKind(PrimitiveKind::Line);
}

struct DrawnText {
    std::string text;
    Point at;
    TextAlign align;
    bool operator==(const DrawnText&) const = default;
};

void PrintTo(const DrawnText& t, std::ostream* os) {
    *os << "\"" << t.text << "\" at (" << t.at.x << "," << t.at.y << ")";
}

std::vector<DrawnText> DrawnTexts(const RecordingCanvas& c) {
    std::vector<DrawnText> out;
    for (const Primitive& p : c.OfKind(PrimitiveKind::Text)) {
        out.push_back({p.text, p.points[0], p.align});
    }
    return out;
}

bool HasLine(const RecordingCanvas& c, Point a, Point b) {
    for (const Primitive& p : Lines(c)) {
        if (p.points[0] == a && p.points[1] == b) return true;
    }
    return false;
}

class DrawAxesTest : public ::testing::Test {
protected:
    ScopedTextSettings settings{Language::English, '.'};
    RecordingCanvas canvas;  // 6 px a character, 12 px high
    TAxisTransform t;
    TAxisScale scale;
    static constexpr int kHalf = 6;  // HalfTextHeight: ticks 2 px, labels 3 px off the axis
};

constexpr TextAlign kRightTop{HAlign::Right, VAlign::Top};
constexpr TextAlign kCenterTop{HAlign::Center, VAlign::Top};

// x [0, 7] on columns 40..740, y [0, 10] on rows 200..0.
TEST_F(DrawAxesTest, RangeZeroToSevenTicksEveryUnitWithoutDoubling) {
    ASSERT_TRUE(SetTransform(t, 0, 7, 40, 740, 0, 10, 200, 0));
    DrawAxes(canvas, 740, t, 40, 200, false, kHalf, scale);

    const auto lines = Lines(canvas);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{40, 0}, {40, 200}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{40, 200}, {740, 200}}));
    EXPECT_EQ(lines[0].pen, (Pen{colors::kBlack, 1, PenStyle::Solid}));

    // NiceTickStep(0, 10) and (0, 7): step 1 from 0 for both; 7 steps, no doubling.
    EXPECT_EQ(scale.YStart, 0);
    EXPECT_EQ(scale.YStep, 1);
    EXPECT_EQ(scale.XStart, 0);
    EXPECT_EQ(scale.XStep, 1);

    // The tick at 0 lies on the other axis: neither tick nor label there.
    std::vector<DrawnText> expected;
    for (int v = 1; v <= 10; ++v) {
        expected.push_back({std::to_string(v), {40 - 3, 200 - 20 * v - 6}, kRightTop});
    }
    for (int v = 1; v <= 7; ++v) {
        expected.push_back({std::to_string(v), {40 + 100 * v, 205}, kCenterTop});
    }
    EXPECT_EQ(DrawnTexts(canvas), expected);

    EXPECT_TRUE(HasLine(canvas, {38, 180}, {40, 180}));    // y tick at 1, 6 div 3 = 2 long
    EXPECT_TRUE(HasLine(canvas, {140, 202}, {140, 200}));  // x tick at 1
    EXPECT_FALSE(HasLine(canvas, {40, 202}, {40, 200}));   // none at the corner
    EXPECT_EQ(lines.size(), 2u + 10u + 7u);
}

TEST_F(DrawAxesTest, RangeZeroToNineteenDrawsEverySecondTickButStoresTheUnitStep) {
    ASSERT_TRUE(SetTransform(t, 0, 19, 40, 610, 0, 10, 200, 0));  // 30 px a unit
    DrawAxes(canvas, 610, t, 40, 200, false, kHalf, scale);
    EXPECT_EQ(scale.XStep, 1);  // 19 steps of 1 > 10: drawn every 2 (9.5 <= 10)
    Texts x_labels;
    for (const DrawnText& d : DrawnTexts(canvas)) {
        if (d.align == kCenterTop) x_labels.push_back(d.text);
    }
    EXPECT_EQ(x_labels, (Texts{"2", "4", "6", "8", "10", "12", "14", "16", "18"}));
    EXPECT_TRUE(HasLine(canvas, {100, 202}, {100, 200}));  // tick at 2
    EXPECT_FALSE(HasLine(canvas, {70, 202}, {70, 200}));   // none at 1
}

struct ThinningCase {
    int pixels_per_unit;
    Texts labels;
};

class LabelThinningTest : public DrawAxesTest,
                          public ::testing::WithParamInterface<ThinningCase> {};

// Labels "1001" ... are 24 px wide; a label is drawn when its left edge clears the right
// edge of the last one drawn. Worked by hand from X = 40 + k * spacing.
TEST_P(LabelThinningTest, LeavesOutLabelsThatWouldOverlapButKeepsTheTicks) {
    const int px = GetParam().pixels_per_unit;
    ASSERT_TRUE(SetTransform(t, 1000, 1007, 40, 40 + 7 * px, 0, 10, 200, 0));
    DrawAxes(canvas, 40 + 7 * px, t, 40, 200, false, kHalf, scale);
    Texts x_labels;
    for (const DrawnText& d : DrawnTexts(canvas)) {
        if (d.align == kCenterTop) x_labels.push_back(d.text);
    }
    EXPECT_EQ(x_labels, GetParam().labels);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_TRUE(HasLine(canvas, {40 + k * px, 202}, {40 + k * px, 200})) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Spacing, LabelThinningTest,
    ::testing::Values(ThinningCase{30, {"1001", "1002", "1003", "1004", "1005", "1006", "1007"}},
                      ThinningCase{20, {"1001", "1003", "1005", "1007"}},  // every second
                      ThinningCase{10, {"1001", "1004", "1007"}}));        // every third

TEST_F(DrawAxesTest, ATickAtMinusOnePointFourEMinus17IsLabelledZero) {
    ASSERT_TRUE(SetTransform(t, -1, 10, 40, 590, -1, 10, 220, 0));
    scale = {-1.4e-17L, 1, -1.4e-17L, 1, true};
    DrawAxes(canvas, 590, t, 40, 220, false, kHalf, scale);
    const auto texts = DrawnTexts(canvas);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts.front().text, "0");  // first y label
    Texts x_labels;
    for (const DrawnText& d : texts) {
        if (d.align == kCenterTop) x_labels.push_back(d.text);
    }
    ASSERT_FALSE(x_labels.empty());
    EXPECT_EQ(x_labels.front(), "0");
    for (const DrawnText& d : texts) EXPECT_EQ(d.text.find('E'), std::string::npos) << d.text;
    // A fixed scale is drawn as it stands.
    EXPECT_EQ(scale.YStart, -1.4e-17L);
    EXPECT_EQ(scale.XStep, 1);
}

TEST_F(DrawAxesTest, AccumulatedTickValuesShowZeroAtZero) {
    // NiceTickStep(-0.3, 0.65): step 0.1 from -0.3; the fourth tick is -0.3 + 3 * 0.1.
    ASSERT_TRUE(SetTransform(t, 0, 7, 40, 740, -0.3L, 0.65L, 200, 0));
    DrawAxes(canvas, 740, t, 40, 200, false, kHalf, scale);
    EXPECT_EQ(scale.YStep, 0.1L);
    Texts y_labels;
    for (const DrawnText& d : DrawnTexts(canvas)) {
        if (d.align == kRightTop) y_labels.push_back(d.text);
    }
    EXPECT_EQ(y_labels, (Texts{"-0.2", "-0.1", "0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6"}));
}

TEST_F(DrawAxesTest, GridLinesAreDottedGreyAndThePenComesBackBlack) {
    ASSERT_TRUE(SetTransform(t, 0, 7, 40, 740, 0, 10, 200, 0));
    DrawAxes(canvas, 740, t, 40, 200, true, kHalf, scale);
    bool found_y = false;
    bool found_x = false;
    for (const Primitive& p : Lines(canvas)) {
        if (p.points == std::vector<Point>{{40, 180}, {740, 180}}) {
            found_y = true;
            EXPECT_EQ(p.pen, (Pen{colors::kGrey, 1, PenStyle::Dot}));
        }
        if (p.points == std::vector<Point>{{140, 200}, {140, 0}}) {
            found_x = true;
            EXPECT_EQ(p.pen, (Pen{colors::kGrey, 1, PenStyle::Dot}));
        }
        if (p.points == std::vector<Point>{{140, 202}, {140, 200}}) {
            EXPECT_EQ(p.pen.style, PenStyle::Solid);
        }
    }
    EXPECT_TRUE(found_y);
    EXPECT_TRUE(found_x);
    EXPECT_EQ(canvas.pen(), (Pen{colors::kBlack, 1, PenStyle::Solid}));
}

TEST_F(DrawAxesTest, KeepsTheCallersTextAlignment) {
    ASSERT_TRUE(SetTransform(t, 0, 7, 40, 740, 0, 10, 200, 0));
    canvas.SetTextAlign({HAlign::Left, VAlign::Baseline});
    DrawAxes(canvas, 740, t, 40, 200, false, kHalf, scale);
    EXPECT_EQ(canvas.textAlign(), (TextAlign{HAlign::Left, VAlign::Baseline}));
}

TEST_F(DrawAxesTest, TooNarrowAYRangeDrawsOnlyTheAxisLines) {
    ASSERT_TRUE(SetTransform(t, 0, 7, 40, 740, 0, 1e-39L, 200, 0));
    scale = {11, 12, 13, 14, false};
    DrawAxes(canvas, 740, t, 40, 200, false, kHalf, scale);
    EXPECT_EQ(canvas.primitives().size(), 2u);
    EXPECT_EQ(scale.YStep, 12);  // untouched
    EXPECT_EQ(scale.XStep, 14);
}

TEST_F(DrawAxesTest, TooNarrowAnXRangeStillDrawsTheYTicks) {
    ASSERT_TRUE(SetTransform(t, 0, 1e-39L, 40, 740, 0, 10, 200, 0));
    DrawAxes(canvas, 740, t, 40, 200, false, kHalf, scale);
    EXPECT_EQ(DrawnTexts(canvas).size(), 10u);  // y labels 1 ... 10 only
    EXPECT_EQ(Lines(canvas).size(), 2u + 10u);
}

TEST_F(DrawAxesTest, AFixedScaleWithoutAStepDrawsNoTicksAndEnds) {
    ASSERT_TRUE(SetTransform(t, 0, 7, 40, 740, 0, 10, 200, 0));
    scale = {0, 0, 0, -1, true};
    DrawAxes(canvas, 740, t, 40, 200, false, kHalf, scale);
    EXPECT_EQ(canvas.primitives().size(), 2u);
}

TEST_F(DrawAxesTest, AFixedScaleWithATinyStepIsBounded) {
    ASSERT_TRUE(SetTransform(t, 0, 7, 40, 740, 0, 1e6L, 200, 0));
    scale = {0, 1e-3L, 0, 1e-12L, true};
    DrawAxes(canvas, 740, t, 40, 200, false, kHalf, scale);
    EXPECT_LE(Lines(canvas).size(), 2u + 2u * kMaxTicks);
}

TEST(DrawXAxisStrip, DrawsTheAxisTicksAndLabelsClearOfTheLeftEdge) {
    ScopedTextSettings settings(Language::English, '.');
    RecordingCanvas canvas;
    TAxisTransform t;
    ASSERT_TRUE(SetTransform(t, 0, 70, 0, 700, 0, 1, 150, 0));
    DrawXAxisStrip(canvas, 700, t, false, 150);
    const auto lines = Lines(canvas);
    ASSERT_EQ(lines.size(), 1u + 8u);  // the axis, ticks at 0, 10, ..., 70
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{0, 150}, {700, 150}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{0, 150}, {0, 155}}));
    EXPECT_EQ(lines[8].points, (std::vector<Point>{{700, 150}, {700, 155}}));
    // NiceTickStep(0, 70): step 10. "0" at column 0 would reach past the edge: left out.
    Texts labels;
    for (const DrawnText& d : DrawnTexts(canvas)) {
        labels.push_back(d.text);
        EXPECT_EQ(d.at.y, 155);
        EXPECT_EQ(d.align, kCenterTop);
    }
    EXPECT_EQ(labels, (Texts{"10", "20", "30", "40", "50", "60", "70"}));
}

TEST(DrawXAxisStrip, ThinsAgainstTheLastLabelledColumnAndDrawsGridLines) {
    ScopedTextSettings settings(Language::English, '.');
    RecordingCanvas canvas(20, 12);  // wide characters: "10" is 40 px
    TAxisTransform t;
    ASSERT_TRUE(SetTransform(t, 0, 70, 0, 700, 0, 1, 150, 0));
    DrawXAxisStrip(canvas, 700, t, true, 150);
    // Ticks 100 px apart; "10" at 100: 80 > 0; "20" at 200: 180 > 100, ... all drawn, since
    // the last label's column (not its right edge) is what the next must clear.
    EXPECT_EQ(DrawnTexts(canvas).size(), 7u);
    EXPECT_TRUE(HasLine(canvas, {300, 150}, {300, 0}));  // grid line instead of a tick
    EXPECT_FALSE(HasLine(canvas, {300, 150}, {300, 155}));
}

TEST(DrawXAxisStrip, DrawsNothingWithoutAStep) {
    RecordingCanvas canvas;
    TAxisTransform t;
    ASSERT_TRUE(SetTransform(t, 0, 1e-39L, 0, 700, 0, 1, 150, 0));
    DrawXAxisStrip(canvas, 700, t, false, 150);
    EXPECT_TRUE(canvas.primitives().empty());
}

class DrawFramedAxesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // x [0, 10] on columns 50..550, y [0, 100] on rows 450..50.
        ASSERT_TRUE(SetTransform(t, 0, 10, 50, 550, 0, 100, 450, 50));
    }
    ScopedTextSettings settings{Language::English, '.'};
    RecordingCanvas canvas;
    TAxisTransform t;
};

TEST_F(DrawFramedAxesTest, TicksStrictlyInsideTheRangeAndAClosedFrame) {
    DrawFramedAxes(canvas, t, false, true, true, 0, 10, 2, 0, 100, 20);
    const std::vector<DrawnText> expected{
        {"2", {150, 455}, kCenterTop},
        {"4", {250, 455}, kCenterTop},
        {"6", {350, 455}, kCenterTop},
        {"8", {450, 455}, kCenterTop},
        {"10", {550, 455}, kCenterTop},
        // right/bottom at (X(XMin) - 5, Y + half the height of "1")
        {"20", {45, 376}, {HAlign::Right, VAlign::Bottom}},
        {"40", {45, 296}, {HAlign::Right, VAlign::Bottom}},
        {"60", {45, 216}, {HAlign::Right, VAlign::Bottom}},
        {"80", {45, 136}, {HAlign::Right, VAlign::Bottom}},
        {"100", {45, 56}, {HAlign::Right, VAlign::Bottom}},
    };
    EXPECT_EQ(DrawnTexts(canvas), expected);
    EXPECT_TRUE(HasLine(canvas, {150, 450}, {150, 453}));
    EXPECT_TRUE(HasLine(canvas, {50, 370}, {47, 370}));
    const auto lines = Lines(canvas);
    ASSERT_EQ(lines.size(), 5u + 5u + 4u);
    EXPECT_EQ(lines[10].points, (std::vector<Point>{{50, 450}, {550, 450}}));
    EXPECT_EQ(lines[11].points, (std::vector<Point>{{550, 450}, {550, 50}}));
    EXPECT_EQ(lines[12].points, (std::vector<Point>{{550, 50}, {50, 50}}));
    EXPECT_EQ(lines[13].points, (std::vector<Point>{{50, 50}, {50, 450}}));
}

TEST_F(DrawFramedAxesTest, YLabelsKeepThreeHalfTextHeightsApart) {
    // Ticks 8 px apart; a label needs more than 3 * 6 = 18 px from the last: every third.
    DrawFramedAxes(canvas, t, false, false, true, 0, 10, 2, 0, 100, 2);
    const auto texts = DrawnTexts(canvas);
    ASSERT_EQ(texts.size(), 17u);  // 2, 8, 14, ..., 98
    EXPECT_EQ(texts[0].text, "2");
    EXPECT_EQ(texts[1].text, "8");
    EXPECT_EQ(texts[2].text, "14");
    EXPECT_EQ(texts.back().text, "98");
    EXPECT_EQ(Lines(canvas).size(), 5u + 50u + 4u);  // every tick is still drawn
}

TEST_F(DrawFramedAxesTest, TheTickAtZeroReadsZero) {
    ASSERT_TRUE(SetTransform(t, -1, 1, 50, 550, 0, 100, 450, 50));
    DrawFramedAxes(canvas, t, false, true, false, -1, 1, 0.1L, 0, 100, 20);
    const auto texts = DrawnTexts(canvas);
    ASSERT_EQ(texts.size(), 20u);  // -0.9 ... 1; 10 * 0.1 lies a hair above 1 and still counts
    EXPECT_EQ(texts.front().text, "-0.9");
    EXPECT_EQ(texts[9].text, "0");
    EXPECT_EQ(texts.back().text, "1");
}

TEST_F(DrawFramedAxesTest, GridLinesAreDottedInThePenColour) {
    canvas.SetPenColor(colors::kRed);  // the routine draws black; the grid follows the pen
    DrawFramedAxes(canvas, t, true, false, false, 0, 10, 5, 0, 100, 50);
    // Ticks at x 5, 10 and y 50, 100: four grid lines, dotted; ticks and frame solid.
    std::vector<std::vector<Point>> dotted;
    for (const Primitive& p : Lines(canvas)) {
        if (p.pen.style == PenStyle::Dot) dotted.push_back(p.points);
        EXPECT_EQ(p.pen.color, colors::kBlack);
    }
    EXPECT_EQ(dotted, (std::vector<std::vector<Point>>{{{300, 450}, {300, 50}},
                                                       {{550, 450}, {550, 50}},
                                                       {{50, 250}, {550, 250}},
                                                       {{50, 50}, {550, 50}}}));
    EXPECT_EQ(canvas.pen().style, PenStyle::Solid);
}

TEST_F(DrawFramedAxesTest, AStepThatIsNotPositiveDrawsOnlyTheFrame) {
    DrawFramedAxes(canvas, t, false, true, true, 0, 10, 0, 0, 100, -5);
    EXPECT_EQ(Lines(canvas).size(), 4u);
    EXPECT_TRUE(DrawnTexts(canvas).empty());
}

class DrawPointSeriesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SetTransform(t, 0, 100, 0, 100, 0, 100, 100, 0)); }
    std::vector<Rect> Markers(const Texts& xs, const Texts& ys) {
        DrawPointSeries(canvas, xs, ys, t, 10, 10, 90, 90, 3, colors::kBlue);
        std::vector<Rect> out;
        for (const Primitive& p : canvas.OfKind(PrimitiveKind::Ellipse)) {
            EXPECT_EQ(p.pen.color, colors::kBlue);
            out.push_back(p.box);
        }
        return out;
    }
    ScopedTextSettings settings{Language::Swedish, ','};
    RecordingCanvas canvas;
    TAxisTransform t;  // world = pixel across, rows upside down
};

TEST_F(DrawPointSeriesTest, AMarkerMustLieStrictlyInsideTheFrame) {
    // Frame 10..90 and radius 3: centres 14..86 are inside, 13 and 87 touch the frame.
    const auto markers = Markers({"50", "13", "14", "87", "86", "50", "50", "50", "50"},
                                 {"50", "50", "50", "50", "50", "13", "14", "87", "86"});
    EXPECT_EQ(markers, (std::vector<Rect>{{47, 47, 53, 53},
                                          {11, 47, 17, 53},
                                          {83, 47, 89, 53},
                                          {47, 83, 53, 89},     // y 14 is row 86
                                          {47, 11, 53, 17}}));  // y 86 is row 14
}

TEST_F(DrawPointSeriesTest, UnreadablePointsAreSkippedAndTheRestDrawn) {
    const auto markers =
        Markers({"abc", "", "25,5", "24,5", "30", "40"}, {"50", "50", "50", "50", "1e", "40"});
    // 25,5 -> column 26 and 24,5 -> 24 (halves to even); "1e" is not a number.
    EXPECT_EQ(markers, (std::vector<Rect>{{23, 47, 29, 53}, {21, 47, 27, 53}, {37, 57, 43, 63}}));
}

TEST_F(DrawPointSeriesTest, AShorterYListEndsTheSeries) {
    EXPECT_EQ(Markers({"20", "30", "40"}, {"20"}).size(), 1u);
}

TEST_F(DrawPointSeriesTest, FillsWithTheCanvasBrush) {
    canvas.SetBrush({colors::kRed, BrushStyle::Solid});
    Markers({"50"}, {"50"});
    ASSERT_EQ(canvas.primitives().size(), 1u);
    EXPECT_EQ(canvas.primitives()[0].brush, (Brush{colors::kRed, BrushStyle::Solid}));
}

class DrawSeriesLineTest : public DrawPointSeriesTest {};

TEST_F(DrawSeriesLineTest, JoinsTheReadablePointsInOrder) {
    canvas.MoveTo(-7, -7);
    DrawSeriesLine(canvas, Texts{"1", "2", "x", "4", "5"}, Texts{"1", "", "3", "4", "9,5"},
                   colors::kRed, t);
    ASSERT_EQ(canvas.primitives().size(), 1u);
    const Primitive& p = canvas.primitives()[0];
    EXPECT_EQ(p.kind, PrimitiveKind::Polyline);
    EXPECT_EQ(p.pen.color, colors::kRed);
    // 9,5 -> row 90,5 -> 90 (halves to even)
    EXPECT_EQ(p.points, (std::vector<Point>{{1, 99}, {4, 96}, {5, 90}}));
    EXPECT_EQ(canvas.penPos(), (Point{5, 90}));
}

TEST_F(DrawSeriesLineTest, AnUnreadableFirstPointDoesNotDrawFromTheOldPenPosition) {
    canvas.MoveTo(-7, -7);
    DrawSeriesLine(canvas, Texts{"q", "2", "3"}, Texts{"1", "2", "3"}, colors::kRed, t);
    ASSERT_EQ(canvas.primitives().size(), 1u);
    EXPECT_EQ(canvas.primitives()[0].points, (std::vector<Point>{{2, 98}, {3, 97}}));
}

TEST_F(DrawSeriesLineTest, NothingReadableLeavesThePenWhereItWas) {
    canvas.MoveTo(-7, -7);
    DrawSeriesLine(canvas, Texts{"a", ""}, Texts{"1", "2"}, colors::kRed, t);
    DrawSeriesLine(canvas, Texts{}, Texts{}, colors::kRed, t);
    EXPECT_TRUE(canvas.primitives().empty());
    EXPECT_EQ(canvas.penPos(), (Point{-7, -7}));
}

struct ClipCase {
    const char* name;
    long double k;
    long double l;
    bool drawn;
    Point from;
    Point to;
};

void PrintTo(const ClipCase& c, std::ostream* os) {
    *os << c.name;
}

class DrawClippedLineTest : public ::testing::TestWithParam<ClipCase> {};

// Frame x [0, 10], y [0, 10] on columns 0..100 and rows 100..0; worked by hand.
TEST_P(DrawClippedLineTest, JoinsTheFirstTwoDistinctPointsOnTheFrame) {
    RecordingCanvas canvas;
    TAxisTransform t;
    ASSERT_TRUE(SetTransform(t, 0, 10, 0, 100, 0, 10, 100, 0));
    const ClipCase& c = GetParam();
    EXPECT_EQ(DrawClippedLine(canvas, t, colors::kGreen, c.k, c.l, 0, 10, 0, 10), c.drawn);
    const auto lines = canvas.OfKind(PrimitiveKind::Line);
    if (!c.drawn) {
        EXPECT_TRUE(lines.empty());
        return;
    }
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{c.from, c.to}));
    EXPECT_EQ(lines[0].pen.color, colors::kGreen);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DrawClippedLineTest,
    ::testing::Values(ClipCase{"left_to_right", 0.5L, 2, true, {0, 80}, {100, 30}},
                      ClipCase{"bottom_to_top", 2, -5, true, {25, 100}, {75, 0}},
                      ClipCase{"horizontal", 0, 5, true, {0, 50}, {100, 50}},
                      ClipCase{"left_to_top", 1, 5, true, {0, 50}, {50, 0}},
                      // through the corner (0, 0): left and bottom meet there; counted once
                      ClipCase{"from_a_corner", 2, 0, true, {0, 100}, {50, 0}},
                      ClipCase{"touches_one_corner", -1, 0, false, {}, {}},
                      ClipCase{"misses", 1, 20, false, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MoveToXY, MovesAndDrawsInWorldCoordinates) {
    RecordingCanvas canvas;
    TAxisTransform t;
    ASSERT_TRUE(SetTransform(t, 0, 10, 0, 100, 0, 10, 100, 0));
    MoveToXY(canvas, t, 1, 2);
    LineToXY(canvas, t, 3.5L, 4.25L);
    ASSERT_EQ(canvas.primitives().size(), 1u);
    // row 100 - 42.5 = 57.5 -> 58, halves to even
    EXPECT_EQ(canvas.primitives()[0].points, (std::vector<Point>{{10, 80}, {35, 58}}));
    EXPECT_EQ(canvas.penPos(), (Point{35, 58}));
}

TEST(AxisLabel, UsesTheCurrentSeparatorAndTheGeneralFormat) {
    ScopedTextSettings settings(Language::Swedish, ',');
    EXPECT_EQ(AxisLabel(2.5L, 6), "2,5");
    EXPECT_EQ(AxisLabel(1234567, 6), "1,23457E+6");  // more than 6 integer digits
    EXPECT_EQ(AxisLabel(0.000001L, 6), "1E-6");      // below 0.00001
    EXPECT_EQ(AxisLabel(0.3L, 15), "0,3");
}

}  // namespace
}  // namespace tabulon

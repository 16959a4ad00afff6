// The axis styles, point series and world-coordinate lines, checked on a recording canvas
// whose characters are 6 pixels wide and whose texts are 12 pixels high.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/language.h"
#include "graphs/recording_canvas.h"
#include "graphs/xy_graph.h"

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

// The labels drawn with one alignment, in drawing order.
Texts LabelsAligned(const RecordingCanvas& c, TextAlign align) {
    Texts out;
    for (const DrawnText& d : DrawnTexts(c)) {
        if (d.align == align) out.push_back(d.text);
    }
    return out;
}

constexpr TextAlign kRightTop{HAlign::Right, VAlign::Top};
constexpr TextAlign kCenterTop{HAlign::Center, VAlign::Top};

class DrawAxesTest : public ::testing::Test {
protected:
    // The axes of x [x0, x1] on columns 40..right and y [y0, y1] on rows bottom..0.
    void Draw(long double x0, long double x1, int right, long double y0, long double y1,
              int bottom = 200, bool grid = false) {
        ASSERT_TRUE(SetTransform(t, x0, x1, 40, right, y0, y1, bottom, 0));
        DrawAxes(canvas, right, t, 40, bottom, grid, kHalf, scale);
    }
    ScopedTextSettings settings{Language::English, '.'};
    RecordingCanvas canvas;  // 6 px a character, 12 px high
    TAxisTransform t;
    TAxisScale scale;
    static constexpr int kHalf = 6;  // HalfTextHeight: ticks 2 px, labels 3 px off the axis
};

// x [0, 7] on columns 40..740, y [0, 10] on rows 200..0.
TEST_F(DrawAxesTest, RangeZeroToSevenTicksEveryUnitWithoutDoubling) {
    canvas.SetTextAlign({HAlign::Left, VAlign::Baseline});
    Draw(0, 7, 740, 0, 10);
    EXPECT_EQ(canvas.textAlign(), (TextAlign{HAlign::Left, VAlign::Baseline}));  // kept

    const auto lines = Lines(canvas);
    ASSERT_EQ(lines.size(), 2u + 10u + 7u);
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
}

TEST_F(DrawAxesTest, RangeZeroToNineteenDrawsEverySecondTickButStoresTheUnitStep) {
    Draw(0, 19, 610, 0, 10);    // 30 px a unit
    EXPECT_EQ(scale.XStep, 1);  // 19 steps of 1 > 10: drawn every 2 (9.5 <= 10)
    EXPECT_EQ(LabelsAligned(canvas, kCenterTop),
              (Texts{"2", "4", "6", "8", "10", "12", "14", "16", "18"}));
    EXPECT_TRUE(HasLine(canvas, {100, 202}, {100, 200}));  // tick at 2
    EXPECT_FALSE(HasLine(canvas, {70, 202}, {70, 200}));   // none at 1
}

// Labels "1001" ... are 24 px wide; a label is drawn when its left edge clears the right
// edge of the last one drawn, and every tick is still drawn. Worked by hand from
// X = 40 + k * spacing.
TEST_F(DrawAxesTest, LeavesOutLabelsThatWouldOverlapButKeepsTheTicks) {
    const struct {
        int px;
        Texts labels;
    } cases[] = {
        {30, {"1001", "1002", "1003", "1004", "1005", "1006", "1007"}},
        {20, {"1001", "1003", "1005", "1007"}},  // every second
        {10, {"1001", "1004", "1007"}},          // every third
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.px << " px a unit");
        canvas.Clear();
        Draw(1000, 1007, 40 + 7 * c.px, 0, 10);
        EXPECT_EQ(LabelsAligned(canvas, kCenterTop), c.labels);
        for (int k = 1; k <= 7; ++k) {
            EXPECT_TRUE(HasLine(canvas, {40 + k * c.px, 202}, {40 + k * c.px, 200})) << k;
        }
    }
}

TEST_F(DrawAxesTest, TickValuesNearZeroAreLabelledZero) {
    // A fixed scale from -1.4e-17 is drawn as it stands, its ticks at 0 read "0".
    scale = {-1.4e-17L, 1, -1.4e-17L, 1, true};
    Draw(-1, 10, 590, -1, 10, 220);
    EXPECT_EQ(scale.YStart, -1.4e-17L);
    ASSERT_FALSE(DrawnTexts(canvas).empty());
    EXPECT_EQ(DrawnTexts(canvas).front().text, "0");  // first y label
    EXPECT_EQ(LabelsAligned(canvas, kCenterTop).front(), "0");
    for (const DrawnText& d : DrawnTexts(canvas)) EXPECT_EQ(d.text.find('E'), std::string::npos);
    // NiceTickStep(-0.3, 0.65): step 0.1 from -0.3; the fourth tick is -0.3 + 3 * 0.1.
    canvas.Clear();
    scale = {};
    Draw(0, 7, 740, -0.3L, 0.65L);
    EXPECT_EQ(scale.YStep, 0.1L);
    EXPECT_EQ(LabelsAligned(canvas, kRightTop),
              (Texts{"-0.2", "-0.1", "0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6"}));
}

TEST_F(DrawAxesTest, GridLinesAreDottedGreyAndThePenComesBackBlack) {
    Draw(0, 7, 740, 0, 10, 200, true);
    const Pen grey{colors::kGrey, 1, PenStyle::Dot};
    int grid_lines = 0;
    for (const Primitive& p : Lines(canvas)) {
        if (p.points == std::vector<Point>{{40, 180}, {740, 180}} ||
            p.points == std::vector<Point>{{140, 200}, {140, 0}}) {
            ++grid_lines;
            EXPECT_EQ(p.pen, grey);
        }
        if (p.points == std::vector<Point>{{140, 202}, {140, 200}}) {
            EXPECT_EQ(p.pen.style, PenStyle::Solid);
        }
    }
    EXPECT_EQ(grid_lines, 2);
    EXPECT_EQ(canvas.pen(), (Pen{colors::kBlack, 1, PenStyle::Solid}));
}

// Ranges too narrow for a step, and fixed scales without a usable step: no loop runs away.
TEST_F(DrawAxesTest, DegenerateRangesAndStepsDrawWhatTheyCan) {
    scale = {11, 12, 13, 14, false};
    Draw(0, 7, 740, 0, 1e-39L);
    EXPECT_EQ(canvas.primitives().size(), 2u);  // the axis lines only
    EXPECT_EQ(scale.YStep, 12);                 // untouched
    EXPECT_EQ(scale.XStep, 14);

    canvas.Clear();
    scale = {};
    Draw(0, 1e-39L, 740, 0, 10);
    EXPECT_EQ(DrawnTexts(canvas).size(), 10u);  // y labels 1 ... 10 only
    EXPECT_EQ(Lines(canvas).size(), 2u + 10u);

    canvas.Clear();
    scale = {0, 0, 0, -1, true};
    Draw(0, 7, 740, 0, 10);
    EXPECT_EQ(canvas.primitives().size(), 2u);

    canvas.Clear();
    scale = {0, 1e-3L, 0, 1e-12L, true};
    Draw(0, 7, 740, 0, 1e6L);
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
    // A range too narrow for a step: nothing at all.
    canvas.Clear();
    ASSERT_TRUE(SetTransform(t, 0, 1e-39L, 0, 700, 0, 1, 150, 0));
    DrawXAxisStrip(canvas, 700, t, false, 150);
    EXPECT_TRUE(canvas.primitives().empty());
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
    EXPECT_EQ(LabelsAligned(canvas, kCenterTop), (Texts{"2", "4", "6", "8", "10"}));
    const TextAlign right_bottom{HAlign::Right, VAlign::Bottom};
    EXPECT_EQ(LabelsAligned(canvas, right_bottom), (Texts{"20", "40", "60", "80", "100"}));
    const auto texts = DrawnTexts(canvas);
    ASSERT_EQ(texts.size(), 10u);
    EXPECT_EQ(texts[0], (DrawnText{"2", {150, 455}, kCenterTop}));
    EXPECT_EQ(texts[4], (DrawnText{"10", {550, 455}, kCenterTop}));
    // right/bottom at (X(XMin) - 5, Y + half the height of "1")
    EXPECT_EQ(texts[5], (DrawnText{"20", {45, 376}, right_bottom}));
    EXPECT_EQ(texts[9], (DrawnText{"100", {45, 56}, right_bottom}));
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
    // Steps that are not positive: only the frame.
    canvas.Clear();
    DrawFramedAxes(canvas, t, false, true, true, 0, 10, 0, 0, 100, -5);
    EXPECT_EQ(Lines(canvas).size(), 4u);
    EXPECT_TRUE(DrawnTexts(canvas).empty());
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

TEST_F(DrawPointSeriesTest, UnreadablePointsAreSkippedAndAShorterYListEndsTheSeries) {
    canvas.SetBrush({colors::kRed, BrushStyle::Solid});
    const auto markers = Markers({"abc", "", "25,5", "24,5", "30", "40", "60"},
                                 {"50", "50", "50", "50", "1e", "40"});
    // 25,5 -> column 26 and 24,5 -> 24 (halves to even); "1e" is not a number; 60 has no y.
    EXPECT_EQ(markers, (std::vector<Rect>{{23, 47, 29, 53}, {21, 47, 27, 53}, {37, 57, 43, 63}}));
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
    DrawSeriesLine(canvas, Texts{"a", ""}, Texts{"1", "2"}, colors::kRed, t);
    DrawSeriesLine(canvas, Texts{}, Texts{}, colors::kRed, t);
    EXPECT_TRUE(canvas.primitives().empty());  // nothing readable: the pen stays
    EXPECT_EQ(canvas.penPos(), (Point{-7, -7}));
    DrawSeriesLine(canvas, Texts{"q", "2", "3"}, Texts{"1", "2", "3"}, colors::kRed, t);
    ASSERT_EQ(canvas.primitives().size(), 1u);
    EXPECT_EQ(canvas.primitives()[0].points, (std::vector<Point>{{2, 98}, {3, 97}}));
}

// Frame x [0, 10], y [0, 10] on columns 0..100 and rows 100..0; worked by hand.
TEST(DrawClippedLine, JoinsTheFirstTwoDistinctPointsOnTheFrame) {
    TAxisTransform t;
    ASSERT_TRUE(SetTransform(t, 0, 10, 0, 100, 0, 10, 100, 0));
    const struct {
        const char* name;
        long double k, l;
        std::vector<Point> drawn;  // empty: nothing drawn
    } cases[] = {
        {"left to right", 0.5L, 2, {{0, 80}, {100, 30}}},
        {"bottom to top", 2, -5, {{25, 100}, {75, 0}}},
        {"horizontal", 0, 5, {{0, 50}, {100, 50}}},
        {"left to top", 1, 5, {{0, 50}, {50, 0}}},
        // through the corner (0, 0): left and bottom meet there; counted once
        {"from a corner", 2, 0, {{0, 100}, {50, 0}}},
        {"touches one corner", -1, 0, {}},
        {"misses", 1, 20, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingCanvas canvas;
        EXPECT_EQ(DrawClippedLine(canvas, t, colors::kGreen, c.k, c.l, 0, 10, 0, 10),
                  !c.drawn.empty());
        const auto lines = Lines(canvas);
        ASSERT_EQ(lines.size(), c.drawn.empty() ? 0u : 1u);
        if (lines.empty()) continue;
        EXPECT_EQ(lines[0].points, c.drawn);
        EXPECT_EQ(lines[0].pen.color, colors::kGreen);
    }
}

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

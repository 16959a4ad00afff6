// The overlay plot and the all-against-all grid: default axes, the table of each series'
// line, the slope comparison, correlations and what is drawn. Values worked by hand or in
// Python from the formulas of a least-squares line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/language.h"
#include "graphs/group_color.h"
#include "graphs/recording_canvas.h"
#include "numeric/number_text.h"
#include "regression/all_against_all.h"
#include "regression/overlay_plot.h"

namespace tabulon {
namespace {

OverlaySeries Series(std::string caption, std::vector<std::string> x, std::vector<std::string> y) {
    return OverlaySeries{std::move(caption), std::move(x), std::move(y)};
}

// y1 = 2x + 1 exactly; y2 scattered, with a gap at x = 8.
OverlayData TwoSeries() {
    const std::vector<std::string> x{"0", "2", "4", "6", "8", "10"};
    OverlayData d;
    d.XCaption = "Konc";
    d.series.push_back(Series("A", x, {"1", "5", "9", "13", "17", "21"}));
    d.series.push_back(Series("B", x, {"0", "1", "2", "3.2", "", "5"}));
    return d;
}

class OverlayPlotTest : public ::testing::Test {
protected:
    ScopedTextSettings text{Language::English, '.'};
};

TEST_F(OverlayPlotTest, DefaultAxesLieStrictlyOutsideTheData) {
    struct Case {
        Extended min, max, step, low, high;
    };
    // 0..10: step 1, q = 10; 0..50: q = 50 doubles to step 4; 0..0.5: step 0.1 gives q = 5,
    // halved to 0.05; one value 3 becomes 3..6, whose step 1 (q = 3) is halved to 0.25.
    const Case cases[] = {{0, 10, 1, -1, 11}, {0, 50, 4, -4, 52}, {0, 0.5L, 0.05L, -0.05L, 0.55L},
                          {3, 3, 0.25L, 2.75L, 6.25L}};
    for (const Case& c : cases) {
        OverlayData d;
        d.series.push_back(Series("y", {FormatShortest(c.min, '.'), FormatShortest(c.max, '.')},
                                  {"1", "2"}));
        const OverlayAxes a = OverlayDefaultAxes(d);
        EXPECT_NEAR(static_cast<double>(a.XStep), static_cast<double>(c.step), 1e-12) << c.max;
        EXPECT_NEAR(static_cast<double>(a.XMin), static_cast<double>(c.low), 1e-12) << c.max;
        EXPECT_NEAR(static_cast<double>(a.XMax), static_cast<double>(c.high), 1e-12) << c.max;
    }
    // Reversed and empty typed ranges are put right before drawing.
    const OverlayAxes typed = OverlayReadAxes({5, 1, 1, 2, 2, 0.5L});
    EXPECT_EQ(typed.XMin, 1);
    EXPECT_EQ(typed.XMax, 5);
    EXPECT_EQ(typed.YMax, 2.5L);
}

TEST_F(OverlayPlotTest, TableRowsAndTheSlopeDifference) {
    const OverlayData d = TwoSeries();
    EXPECT_EQ(OverlayTableHeader(d).front(), "x = Konc");
    const std::vector<std::string> a = OverlayTableRow(d, 0, true);
    EXPECT_EQ(a[0], "y1 =A");
    EXPECT_EQ(a[1], "X");
    EXPECT_EQ(a[2], "y=2x+1");
    EXPECT_EQ(a[3], "6");
    EXPECT_EQ(a[4], "1");
    EXPECT_EQ(a[5], "21");
    EXPECT_EQ(a[6], "k = 2 ± 0");
    // k = 0.505405, l = 0.0162162, se(k) = 0.0130553 times t(3) = 3.182.
    const std::vector<std::string> b = OverlayTableRow(d, 1, false);
    EXPECT_EQ(b[1], "");
    EXPECT_EQ(b[2], "y=0.505405x+0.0162162");
    EXPECT_EQ(b[3], "5");
    EXPECT_EQ(b[6], "k = 0.505405 ± 0.0415419");
    EXPECT_EQ(b[9].rfind("F(1,3) = ", 0), 0u);

    // L = 0 shows no sign, a negative L its own.
    OverlayData signs;
    signs.series.push_back(Series("p", {"1", "2", "3"}, {"2", "4", "6"}));
    signs.series.push_back(Series("q", {"1", "2", "3"}, {"1", "3", "5"}));
    EXPECT_EQ(OverlayTableRow(signs, 0, true)[2], "y=2x");
    EXPECT_EQ(OverlayTableRow(signs, 1, true)[2], "y=2x-1");

    // Pooled over 7 degrees of freedom: 1.49459 ± t(7)·0.0116113 (t = 2.3646).
    const std::string diff = SlopeDifferenceText(d);
    ASSERT_EQ(diff.rfind("95% Confidence inteval k(y1) - k(y2) = 1.49459 ± ", 0), 0u) << diff;
    EXPECT_NEAR(std::stod(diff.substr(diff.rfind(' ') + 1)), 2.3646 * 0.0116113, 3e-5);
    OverlayData one;
    one.series.push_back(d.series[0]);
    EXPECT_EQ(SlopeDifferenceText(one).rfind("The slopes", 0), 0u);
}

TEST_F(OverlayPlotTest, ShownSeriesInTheirColoursTheEmphasisedOneThick) {
    const OverlayData d = TwoSeries();
    OverlayView view;
    view.axes = OverlayDefaultAxes(d);
    view.emphasised = 2;
    RecordingCanvas canvas;
    RenderOverlayPlot(canvas, 400, 300, d, view);
    int markers[2] = {0, 0};
    bool thick_line = false;
    for (const Primitive& p : canvas.primitives()) {
        for (int k = 0; k < 2; ++k) {
            if (p.kind == PrimitiveKind::Ellipse && p.pen.color == GroupColor(k)) ++markers[k];
        }
        if (p.kind == PrimitiveKind::Line && p.pen.color == GroupColor(1) && p.pen.width == 3) {
            thick_line = true;
        }
    }
    EXPECT_EQ(markers[0], 6);
    EXPECT_EQ(markers[1], 5);  // the gap is passed over
    EXPECT_TRUE(thick_line);
    view.shown = {true, false};
    canvas.Clear();
    RenderOverlayPlot(canvas, 400, 300, d, view);
    for (const Primitive& p : canvas.primitives()) EXPECT_NE(p.pen.color, GroupColor(1));
}

TEST_F(OverlayPlotTest, AllAgainstAllCorrelationsAndCells) {
    AllAgainstAllData d;
    d.columns = {2, 3, 4};
    d.captions = {"a", "b", "c"};
    // b = 1e8 + 2a exactly (r = 1 despite the offset); c falls with a; one gap in c.
    d.values = {{1, 2, 3, 4}, {1e8 + 2, 1e8 + 4, 1e8 + 6, 1e8 + 8}, {4, 3, NAN, 1}};
    EXPECT_DOUBLE_EQ(static_cast<double>(*PairCorrelation(d, 0, 1)), 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(*PairCorrelation(d, 0, 2)), -1);
    EXPECT_EQ(PairCount(d, 0, 2), 3);
    d.values[2] = {5, 5, 5, 5};
    EXPECT_FALSE(PairCorrelation(d, 0, 2));
    EXPECT_EQ(AllAgainstAllLines(d)[1], "a\t1.000000\t1.000000\t-");

    // 300 × 300 in three cells a side: (250, 10) is row 0, column 2, x from c and y from a.
    const auto cell = AllAgainstAllCellAt(d, 300, 300, 250, 10);
    ASSERT_TRUE(cell);
    EXPECT_EQ(*cell, std::make_pair(0, 2));
    EXPECT_EQ(AllAgainstAllPair(0, 2, {}), std::make_pair(2, 0));
    EXPECT_EQ(AllAgainstAllPair(0, 2, {false, true}), std::make_pair(0, 2));
    EXPECT_FALSE(AllAgainstAllCellAt(d, 300, 300, 310, 10));

    RecordingCanvas canvas;
    RenderAllAgainstAll(canvas, 300, 300, d, {true, false}, TextMeasurer(canvas, 300, 300));
    const std::vector<std::string> texts = canvas.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "r=1.000000"), 2);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "r=-"), 4);
}

}  // namespace
}  // namespace tabulon

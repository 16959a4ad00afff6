// The three-dimensional plot: rescaling, the start view and its projection, restore, zoom
// limits, the grid plane toggles and what is drawn for them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "base/language.h"
#include "graphs/recording_canvas.h"
#include "graphs/three_dim_plot.h"

namespace tabulon {
namespace {

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

ThreeDimData Data(std::vector<std::array<Extended, 3>> rows) {
    return ThreeDimData{{"1: x", "2: y", "3: z"}, std::move(rows)};
}

TEST(ThreeDimPlotTest, RescalesEachAxisToPerCentOfItsRange) {
    const ThreeDimData data = Data({{5, 1, 7}, {10, 3, 7}, {7.5L, kNaN, 7}});
    ThreeDimScaled s = Rescale(data, false);
    ASSERT_TRUE(s.valid);
    EXPECT_EQ(s.percent[0][0], 0);
    EXPECT_EQ(s.percent[2][0], 50);
    EXPECT_EQ(s.percent[1][1], 100);
    EXPECT_TRUE(std::isnan(s.percent[2][1]));
    // z is 7 throughout: no range, so its points sit in the middle of the axis.
    EXPECT_EQ(s.percent[0][2], 50);
    // With the origin x runs 0 .. 10, so 5 is 50 % (worked by hand).
    s = Rescale(data, true);
    EXPECT_EQ(s.range[0].min, 0);
    EXPECT_EQ(s.percent[0][0], 50);
    EXPECT_NEAR(s.percent[0][2], 100, 1e-12);  // z now spans 0 .. 7
    EXPECT_FALSE(Rescale(Data({{1, kNaN, 2}}), false).valid);
}

TEST(ThreeDimPlotTest, StartViewStandsZUpAndSeesTheBoxFromItsXSide) {
    // worked by hand: turning by -90 deg in xy and in yz maps (x, y, z) to (y, z, x) about the
    // middle; the -5 deg in zx then gives x' = 50 + cos5 (y - 50) - sin5 (x - 50), y' = z,
    // z' = 50 + cos5 (x - 50) + sin5 (y - 50).
    const ThreeDimProjector p(800, 600, ThreeDimView{});
    const double c = std::cos(5 * std::numbers::pi / 180), s = std::sin(5 * std::numbers::pi / 180);
    for (const auto& [x, y, z] : std::vector<std::array<double, 3>>{
             {0, 0, 0}, {100, 0, 0}, {0, 100, 0}, {0, 0, 100}, {30, 70, 20}}) {
        const auto r = p.Rotate(x, y, z);
        EXPECT_NEAR(r[0], 50 + c * (y - 50) - s * (x - 50), 1e-9);
        EXPECT_NEAR(r[1], z, 1e-9);
        EXPECT_NEAR(r[2], 50 + c * (x - 50) + s * (y - 50), 1e-9);
    }
    // 800 x 600: the square is 360 pixels from (220, 480) up, so the eye looks at (50, 50)
    // and the middle of the box lands on the middle of the picture.
    EXPECT_EQ(p.side(), 360);
    EXPECT_EQ(p.Project(50, 50, 50), (Point{400, 300}));
    // The corner at the origin lies nearer than the middle (z' < 0), so it moves inwards by
    // f = 1 - z'/400.
    const auto r = p.Rotate(0, 0, 0);
    const double f = 1 - r[2] / 400;
    EXPECT_EQ(p.Project(0, 0, 0), (Point{static_cast<int>(std::lround(220 + 3.6 * ((r[0] - 50) / f + 50))),
                                         static_cast<int>(std::lround(480 - 3.6 * ((r[1] - 50) / f + 50)))}));
}

TEST(ThreeDimPlotTest, RestoreReturnsTheStartPictureAndZoomStopsAtItsLimits) {
    const ThreeDimData data = Data({{1, 2, 3}, {4, 6, 5}, {2, 9, 1}});
    const ThreeDimScaled scaled = Rescale(data, false);
    auto draw = [&](const ThreeDimView& v) {
        RecordingCanvas canvas;
        RenderThreeDimPlot(canvas, 800, 600, data, scaled, v, "c", TextMeasurer(canvas, 800, 600));
        return canvas.primitives();
    };
    ThreeDimView moved;
    moved.spin1 = 45;
    moved.spin2 = -30;
    moved.spin3 = 90;
    moved.zoom = 250;
    moved.shift_x = 40;
    moved.shift_y = -25;
    moved.drop_lines = false;
    EXPECT_NE(draw(moved), draw(ThreeDimView{}));
    ThreeDimView back = Restored(moved);
    EXPECT_FALSE(back.drop_lines);  // restore turns the figure back, not the options
    back.drop_lines = true;
    EXPECT_EQ(back, ThreeDimView{});
    EXPECT_EQ(draw(back), draw(ThreeDimView{}));

    struct ZoomCase {
        int asked;
        int kept;
        int side;  // round(kept / 100 * 360)
    };
    for (const ZoomCase& z : {ZoomCase{5, 10, 36}, ZoomCase{10, 10, 36}, ZoomCase{500, 500, 1800},
                              ZoomCase{510, 500, 1800}}) {
        ThreeDimView v;
        v.zoom = z.asked;
        EXPECT_EQ(Clamped(v).zoom, z.kept);
        EXPECT_EQ(ThreeDimProjector(800, 600, v).side(), z.side);
    }
}

TEST(ThreeDimPlotTest, GridPlaneTogglesAndTheLinesTheyDraw) {
    // A row with a value that is not a number is not drawn; the two others are, each with
    // its drop line.
    const ThreeDimData data = Data({{1, 2, 3}, {4, kNaN, 5}, {2, 9, 1}});
    const ThreeDimScaled scaled = Rescale(data, false);
    struct Case {
        const char* step;
        void (*toggle)(ThreeDimView&);
        bool xy;
        bool all;
        std::size_t box_lines;  // both off: the three axes; xy: 12 + the z axis; all: 12 + 24
    };
    const Case cases[] = {
        {"xy off", ToggleGridXY, false, false, 3},
        {"all on brings xy", ToggleGridAll, true, true, 36},
        {"xy turns all off", ToggleGridXY, false, false, 3},
        {"xy on alone", ToggleGridXY, true, false, 13},
        {"all on", ToggleGridAll, true, true, 36},
        {"all off keeps xy", ToggleGridAll, true, false, 13},
    };
    ThreeDimView view;
    for (const Case& c : cases) {
        c.toggle(view);
        EXPECT_EQ(view.grid_xy, c.xy) << c.step;
        EXPECT_EQ(view.grid_all, c.all) << c.step;
        RecordingCanvas canvas;
        RenderThreeDimPlot(canvas, 800, 600, data, scaled, view, "c",
                           TextMeasurer(canvas, 800, 600));
        std::size_t box = 0, drops = 0, points = 0;
        for (const Primitive& p : canvas.primitives()) {
            if (p.kind == PrimitiveKind::Line) ++(p.pen.color == colors::kBlue ? drops : box);
            if (p.kind == PrimitiveKind::Rectangle && p.brush.color == colors::kRed) ++points;
        }
        EXPECT_EQ(box, c.box_lines) << c.step;
        EXPECT_EQ(drops, 2u) << c.step;
        EXPECT_EQ(points, 2u) << c.step;
    }
}

}  // namespace
}  // namespace tabulon

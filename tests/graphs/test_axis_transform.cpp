// World-to-pixel transform: degenerate ranges, pixel rounding, the inverse, bad limits.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graphs/axis_transform.h"

namespace tabulon {
namespace {

TEST(SetTransform, MapsTheRangesOntoThePixelsAndBack) {
    TAxisTransform t;
    ASSERT_TRUE(SetTransform(t, -2, 8, 40, 540, 0, 10, 300, 100));
    EXPECT_EQ(t.XScale, 50);    // worked by hand: 500 px / 10
    EXPECT_EQ(t.XOffset, 140);  // 40 - 50 * -2
    EXPECT_EQ(t.YScale, -20);   // -200 px / 10
    EXPECT_EQ(t.YOffset, 300);
    EXPECT_EQ(XToPixel(t, 0), 140);
    EXPECT_EQ(YToPixel(t, 2.5L), 250);
    EXPECT_EQ(PixelToX(540, t), 8);
    EXPECT_EQ(PixelToY(310, t), -0.5L);  // beyond the range is fine
    // An empty range is widened by half a unit each side: [4.5, 5.5] onto [10, 110] and
    // [2.5, 3.5] onto [200, 0].
    ASSERT_TRUE(SetTransform(t, 5, 5, 10, 110, 3, 3, 200, 0));
    EXPECT_EQ(XToPixel(t, 4.5L), 10);
    EXPECT_EQ(XToPixel(t, 5), 60);
    EXPECT_EQ(YToPixel(t, 3.5L), 0);
}

// Half a pixel goes to the even neighbour, in both directions from zero, whatever the
// rounding mode.
TEST(XToPixel, RoundsHalvesToEvenAndHoldsFarOffValuesToTheLimit) {
    TAxisTransform t;
    ASSERT_TRUE(SetTransform(t, 0, 10, 0, 5, 0, 10, 5, 0));  // 0.5 px per unit
    // worked by hand: column x / 2, row 5 - y / 2
    const struct {
        long double world;
        int column, row;
    } cases[] = {
        {1, 0, 4},     // 0.5 -> 0, 4.5 -> 4
        {3, 2, 4},     // 1.5 -> 2, 3.5 -> 4
        {5, 2, 2},     // 2.5 -> 2, 2.5 -> 2
        {-1, 0, 6},    // -0.5 -> 0, 5.5 -> 6
        {-3, -2, 6},   // -1.5 -> -2, 6.5 -> 6
        {3.2L, 2, 3},  // 1.6 -> 2, 3.4 -> 3
        {4.6L, 2, 3},  // 2.3 -> 2, 2.7 -> 3
        {1e30L, kPixelLimit, -kPixelLimit},
        {std::nanl(""), -kPixelLimit, -kPixelLimit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(double(c.world));
        EXPECT_EQ(XToPixel(t, c.world), c.column);
        EXPECT_EQ(YToPixel(t, c.world), c.row);
    }
    EXPECT_EQ(XToPixel(t, -1e30L), -kPixelLimit);
    EXPECT_EQ(RoundHalfEven(2.5000001L), 3);
    EXPECT_EQ(RoundHalfEven(-0.49L), 0);
}

TEST(SetXTransform, SetsOnlyItsOwnHalfAndRefusesEqualOrUnreadableLimits) {
    TAxisTransform t{2, -3, 7, 11};
    EXPECT_FALSE(SetXTransform(t, 4, 4, 0, 100));
    EXPECT_FALSE(SetYTransform(t, 1, 1, 100, 0));
    EXPECT_FALSE(SetXTransform(t, 0, std::numeric_limits<long double>::infinity(), 0, 100));
    EXPECT_FALSE(SetTransform(t, std::nanl(""), 1, 0, 100, 0, 1, 100, 0));
    EXPECT_EQ(t.XScale, 2);
    EXPECT_EQ(t.YScale, -3);
    EXPECT_EQ(t.XOffset, 7);
    EXPECT_EQ(t.YOffset, 11);
    ASSERT_TRUE(SetXTransform(t, 0, 10, 20, 120));
    EXPECT_EQ(t.XScale, 10);
    EXPECT_EQ(t.XOffset, 20);
    EXPECT_EQ(t.YScale, -3);
    ASSERT_TRUE(SetYTransform(t, 0, 4, 100, 20));
    EXPECT_EQ(t.YScale, -20);
    EXPECT_EQ(t.YOffset, 100);
    EXPECT_EQ(t.XScale, 10);
}

}  // namespace
}  // namespace tabulon

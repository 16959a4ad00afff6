// Point to point: interpolation both ways, equal x averaged, no bands.
#include <gtest/gtest.h>

#include "base/language.h"
#include "regression/point_to_point.h"

namespace tabulon {
namespace {

TEST(PointToPointTest, InterpolatesBothWays) {
    ScopedTextSettings text(Language::English, '.');
    // Knots (0, 0), (1, 2) from the mean of 1 and 3, (3, 3); worked by hand.
    const FitOutcome fit =
        Fit(MakeRegressionData({"3", "1", "0", "1"}, {"3", "1", "0", "3"}, "x", "y", '.'),
            {FitType::PointToPoint, 0}, 0.95L);
    ASSERT_TRUE(fit.model) << fit.refusal;
    const FittedModel& m = *fit.model;
    const struct {
        Extended x, y;
    } values[] = {{0.5L, 1}, {2, 2.5L}, {4, 3.5L}, {-1, -2}};  // the end segments continue
    for (const auto& v : values) EXPECT_DOUBLE_EQ(double(m.ValueAt(v.x)), double(v.y));
    const XFromYResult x = m.XFromY(2.5L, 1);
    EXPECT_TRUE(x.ok);
    EXPECT_DOUBLE_EQ(double(x.x), 2);
    EXPECT_FALSE(x.half_width);
    EXPECT_EQ(m.XFromY(7, 1).message, "y lies outside the curve");
    EXPECT_FALSE(m.BandsAt(1));
    EXPECT_FALSE(m.YFromX(1).has_interval);
    EXPECT_EQ(m.Vertices().size(), 3u);
}

}  // namespace
}  // namespace tabulon

// Tick placement: round steps for a range, and the first and last tick next to a value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graphs/axis_ticks.h"

namespace tabulon {
namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kMax = std::numeric_limits<long double>::max();

// Exact equality: the step is the correctly rounded power of ten and the start a whole
// multiple of it, so 0.3 must come out as the literal 0.3L, not 0.30000000000000000002.
TEST(NiceTickStep, ChoosesTheRoundStepAndStart) {
    const struct {
        long double a, b, start, step;
    } cases[] = {
        {0, 1, 0, 0.1L},  // worked by hand: 1 -> 10, /100 = 0.1, 10 steps
        {0, 7, 0, 1},     // 0.1 gives 70 > 20 steps -> 1
        {0, 2, 0, 0.1L},  // 20 steps is not above 20
        {0, 19, 0, 1},
        // start = trunc(a / step) * step, toward zero
        {-7, 3, -7, 1},
        {-2.5L, 5, -2, 1},  // toward zero: outside the range
        {9, 2.5L, 9, 1},    // derived from a, even when a > b
        {0.05L, 0.95L, 0, 0.1L},
        {1234.5L, 1236, 1234.5L, 0.1L},
        {-3e-20L, 5e-20L, -3e-20L, 1e-20L},
        // a quotient within rounding of a whole number is that number: the first tick stays
        {-1000, -20, -1000, 100},  // not -900
        {0.3L, 1.2L, 0.3L, 0.1L},  // not 0.2
        {0.3, 1.2, 0.3L, 0.1L},    // the same from binary doubles
        {-0.7, 0.2, -0.7L, 0.1L},
        {0.1, 2.1, 0.1L, 0.1L},  // 20 steps within rounding of 20
        // ranges beyond 1e37 still get a step that gives at most 20 ticks
        {1e37L, 3e38L, 0, 1e38L},
        {0, 5e300L, 0, 1e300L},
        {0, 2e-38L, 0, 1e-39L}  // just wide enough
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << double(c.a) << ", " << double(c.b));
        long double start = -99;
        long double step = -99;
        ASSERT_TRUE(NiceTickStep(start, step, c.a, c.b));
        EXPECT_EQ(step, c.step);
        EXPECT_EQ(start, c.start);
    }
}

TEST(NiceTickStep, NarrowOrUnreadableRangesFailAndLeaveTheOutputsAlone) {
    const long double cases[][2] = {{5, 5},
                                    {0, 1e-39L},  // narrower than 1e-38
                                    {std::nanl(""), 1},
                                    {0, kInf},
                                    {-kMax, kMax}};  // the range overflows
    for (const auto& c : cases) {
        long double start = 42;
        long double step = 43;
        EXPECT_FALSE(NiceTickStep(start, step, c[0], c[1])) << double(c[0]) << ", " << double(c[1]);
        EXPECT_EQ(start, 42);
        EXPECT_EQ(step, 43);
    }
}

TEST(NiceTickStep, AlwaysGivesMoreThanTwoAndAtMostTwentySteps) {
    // A sweep of range widths over many decades, the property the axis drawing relies on.
    for (int decade = -30; decade <= 30; ++decade) {
        for (long double mantissa : {1.0L, 1.5L, 1.99L, 2.0L, 2.01L, 3.7L, 5.0L, 9.99L}) {
            const long double width = mantissa * std::pow(10.0L, decade);
            long double start = 0;
            long double step = 0;
            const long double a = -0.37L * width;
            ASSERT_TRUE(NiceTickStep(start, step, a, a + width));
            EXPECT_GT(width / step, 1.9999L) << double(width);
            EXPECT_LE(width / step, 20.0001L) << double(width);
        }
    }
}

// Worked by hand from "the first multiple strictly above x (last strictly below); a multiple
// less than 0.001 step on the wrong side of x still counts".
TEST(TickNeighbours, AreTheNextMultiplesAboveAndBelow) {
    const struct {
        long double x, step, above, below;
    } cases[] = {
        {0, 1, 1, -1},  // on a multiple: the next one either way
        {0.5L, 1, 1, 0},       {-0.5L, 1, 0, -1},
        {-3, 1, -2, -4},       {1.0005L, 1, 1, 1},  // within the slack of 1 on both sides
        {0.9995L, 1, 1, 1},    {-1.0005L, 1, -1, -1},
        {-0.9995L, 1, -1, -1}, {1.002L, 1, 2, 1},  // beyond the slack
        {0.998L, 1, 1, 0},     {2.5L, 0.5L, 3, 2},
        {2.5L, -0.5L, 3, 2},                             // the sign of step does not matter
        {5, 2, 6, 4},          {0.3L, 0.1L, 0.4L, 0.2L}  // 0.3 is a multiple of 0.1
    };
    const auto near = [](long double got, long double want) {
        return std::fabs(got - want) <= 1e-18L * std::max(1.0L, std::fabs(want));
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << double(c.x) << " by " << double(c.step));
        EXPECT_TRUE(near(FirstTickAbove(c.x, c.step), c.above));
        EXPECT_TRUE(near(LastTickBelow(c.x, c.step), c.below));
    }
    // A zero or unreadable step gives NaN, so no tick loop runs.
    EXPECT_TRUE(std::isnan(FirstTickAbove(1, 0)));
    EXPECT_TRUE(std::isnan(LastTickBelow(1, 0)));
    EXPECT_TRUE(std::isnan(FirstTickAbove(kInf, 1)));
    EXPECT_TRUE(std::isnan(LastTickBelow(1, std::nanl(""))));
}

}  // namespace
}  // namespace tabulon

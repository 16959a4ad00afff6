// Tick placement: round steps for a range, and the first and last tick next to a value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graphs/axis_ticks.h"

namespace tabulon {
namespace {

struct StepCase {
    long double a;
    long double b;
    long double start;
    long double step;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << "[" << static_cast<double>(c.a) << ", " << static_cast<double>(c.b) << "]";
}

class NiceTickStepTest : public ::testing::TestWithParam<StepCase> {};

// Exact equality: the step is the correctly rounded power of ten and the start a whole
// multiple of it, so 0.3 must come out as the literal 0.3L, not 0.30000000000000000002.
TEST_P(NiceTickStepTest, ChoosesTheRoundStepAndStart) {
    const StepCase& c = GetParam();
    long double start = -99;
    long double step = -99;
    ASSERT_TRUE(NiceTickStep(start, step, c.a, c.b));
    EXPECT_EQ(step, c.step);
    EXPECT_EQ(start, c.start);
}

INSTANTIATE_TEST_SUITE_P(Defined, NiceTickStepTest,
                         ::testing::Values(StepCase{0, 1, 0,
                                                    0.1L},        // 1 -> 10, /100 = 0.1, 10 steps
                                           StepCase{0, 7, 0, 1},  // 0.1 gives 70 > 20 steps -> 1
                                           StepCase{0, 2, 0, 0.1L},  // 20 steps is not above 20
                                           StepCase{0, 10, 0, 1},    // 100 / 100 = 1
                                           StepCase{0, 19, 0, 1}));

// Worked by hand: start = trunc(a / step) * step, toward zero.
INSTANTIATE_TEST_SUITE_P(
    Start, NiceTickStepTest,
    ::testing::Values(StepCase{-7, 3, -7, 1}, StepCase{2.5L, 9, 2, 1},
                      StepCase{-2.5L, 5, -2, 1},  // toward zero: outside the range
                      StepCase{9, 2.5L, 9, 1},    // derived from a, even when a > b
                      StepCase{0.05L, 0.95L, 0, 0.1L}, StepCase{1234.5L, 1236, 1234.5L, 0.1L},
                      StepCase{-3e-20L, 5e-20L, -3e-20L, 1e-20L}));

// A quotient within rounding of a whole number is that number: the first tick is not lost.
INSTANTIATE_TEST_SUITE_P(
    ExactPowers, NiceTickStepTest,
    ::testing::Values(StepCase{-1000, -20, -1000, 100},  // not -900
                      StepCase{0.3L, 1.2L, 0.3L, 0.1L},  // not 0.2
                      StepCase{0.3, 1.2, 0.3L, 0.1L},    // the same from binary doubles
                      StepCase{-0.7, 0.2, -0.7L, 0.1L},
                      StepCase{0.1, 2.1, 0.1L, 0.1L},  // 20 steps within rounding of 20
                      StepCase{1e-6L, 7e-6L, 1e-6L, 1e-6L}));

// Ranges beyond 1e37 still get a step that gives at most 20 ticks.
INSTANTIATE_TEST_SUITE_P(Huge, NiceTickStepTest,
                         ::testing::Values(StepCase{1e37L, 3e38L, 0, 1e38L},
                                           StepCase{0, 5e300L, 0, 1e300L}));

TEST(NiceTickStep, NarrowOrUnreadableRangesFailAndLeaveTheOutputsAlone) {
    long double start = 42;
    long double step = 43;
    EXPECT_FALSE(NiceTickStep(start, step, 5, 5));
    EXPECT_FALSE(NiceTickStep(start, step, 0, 1e-39L));  // narrower than 1e-38
    EXPECT_FALSE(NiceTickStep(start, step, std::nanl(""), 1));
    EXPECT_FALSE(NiceTickStep(start, step, 0, std::numeric_limits<long double>::infinity()));
    EXPECT_FALSE(NiceTickStep(start, step, -std::numeric_limits<long double>::max(),
                              std::numeric_limits<long double>::max()));  // range overflows
    EXPECT_EQ(start, 42);
    EXPECT_EQ(step, 43);
    EXPECT_TRUE(NiceTickStep(start, step, 0, 2e-38L));  // just wide enough
    EXPECT_EQ(step, 1e-39L);
}

TEST(NiceTickStep, AlwaysGivesMoreThanTwoAndAtMostTwentySteps) {
    // A sweep of range widths over many decades, the property the axis drawing relies on.
    for (int decade = -30; decade <= 30; ++decade) {
        for (long double mantissa : {1.0L, 1.5L, 1.99L, 2.0L, 2.01L, 3.7L, 5.0L, 9.99L}) {
            const long double width = mantissa * std::pow(10.0L, decade);
            long double start = 0;
            long double step = 0;
            const long double a = -0.37L * width;
            const long double b = a + width;
            ASSERT_TRUE(NiceTickStep(start, step, a, b));
            const long double steps = (b - a) / step;
            EXPECT_GT(steps, 1.9999L) << static_cast<double>(width);
            EXPECT_LE(steps, 20.0001L) << static_cast<double>(width);
        }
    }
}

struct TickCase {
    long double x;
    long double step;
    long double expected;
};

void PrintTo(const TickCase& c, std::ostream* os) {
    *os << static_cast<double>(c.x) << " by " << static_cast<double>(c.step);
}

void ExpectTick(long double got, long double want) {
    EXPECT_LE(std::fabs(got - want), 1e-18L * std::max(1.0L, std::fabs(want)))
        << static_cast<double>(got) << " vs " << static_cast<double>(want);
}

class FirstTickAboveTest : public ::testing::TestWithParam<TickCase> {};

TEST_P(FirstTickAboveTest, IsTheNextMultipleAbove) {
    ExpectTick(FirstTickAbove(GetParam().x, GetParam().step), GetParam().expected);
}

// Worked by hand from "the first multiple strictly above x; a multiple less than 0.001 step
// below x counts as above".
INSTANTIATE_TEST_SUITE_P(
    Cases, FirstTickAboveTest,
    ::testing::Values(TickCase{0, 1, 1},  // on a multiple: the next one
                      TickCase{0.5L, 1, 1}, TickCase{-0.5L, 1, 0}, TickCase{-3, 1, -2},
                      TickCase{1.0005L, 1, 1},  // just past 1: 1 still counts
                      TickCase{1.002L, 1, 2},   // beyond the slack
                      TickCase{0.9995L, 1, 1}, TickCase{-1.0005L, 1, -1},
                      TickCase{-0.9995L, 1, -1},  // the same slack on the negative side
                      TickCase{2.5L, 0.5L, 3},
                      TickCase{0.3L, 0.1L, 0.4L},  // 0.3 is a multiple of 0.1
                      TickCase{2.5L, -0.5L, 3}));  // the sign of step does not matter

class LastTickBelowTest : public ::testing::TestWithParam<TickCase> {};

TEST_P(LastTickBelowTest, IsThePreviousMultipleBelow) {
    ExpectTick(LastTickBelow(GetParam().x, GetParam().step), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LastTickBelowTest,
    ::testing::Values(TickCase{0, 1, -1},  // on a multiple: the previous one
                      TickCase{0.5L, 1, 0}, TickCase{-0.5L, 1, -1}, TickCase{5, 2, 4},
                      TickCase{0.9995L, 1, 1},  // just short of 1: 1 still counts
                      TickCase{-1.0005L, 1, -1}, TickCase{1.0005L, 1, 1}, TickCase{-0.9995L, 1, -1},
                      TickCase{0.998L, 1, 0},  // beyond the slack
                      TickCase{0.3L, 0.1L, 0.2L}));

TEST(TickNeighbours, AZeroOrUnreadableStepGivesNaNSoNoTickLoopRuns) {
    EXPECT_TRUE(std::isnan(FirstTickAbove(1, 0)));
    EXPECT_TRUE(std::isnan(LastTickBelow(1, 0)));
    EXPECT_TRUE(std::isnan(FirstTickAbove(std::numeric_limits<long double>::infinity(), 1)));
    EXPECT_TRUE(std::isnan(LastTickBelow(1, std::nanl(""))));
}

}  // namespace
}  // namespace tabulon

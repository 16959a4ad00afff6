// The level arrows of the test windows, with their clamping and rounding.
#include <gtest/gtest.h>

#include <cmath>

#include "base/language.h"
#include "graphs/level_steps.h"

namespace tabulon {
namespace {

using LA = LevelArrow;

TEST(LevelSteps, MoveClampAndRoundByEachWindowsRules) {
    constexpr auto X = StepConfidenceLevel;    // the x-Data window, 80 to 99.99
    constexpr auto T = StepSignificanceLevel;  // the t-test window, 0.01 to 20
    constexpr auto K = StepConstantTestLevel;  // the test against a constant
    // worked by hand from each window's rules
    const struct {
        Extended (*step)(Extended, LevelArrow);
        long double level;
        LA arrow;
        long double expected;
    } cases[] = {
        {X, 95, LA::LargeUp, 96},
        {X, 95, LA::LargeDown, 94},
        {X, 97.5L, LA::LargeUp, 98},      // 98.5 to even
        {X, 96.5L, LA::LargeUp, 98},      // 97.5 to even
        {X, 99.5L, LA::LargeUp, 99.99L},  // 100.5 -> 100 -> top
        {X, 99.99L, LA::LargeDown, 99},   // 98.99 -> 99
        {X, 80.5L, LA::LargeDown, 80},
        {X, 95, LA::SmallUp, 95.1L},
        {X, 95, LA::SmallDown, 94.9L},
        {X, 99.9L, LA::SmallUp, 99.99L},    // 100.0 reaches the top
        {X, 99.99L, LA::SmallDown, 99.9L},  // 99.89 to one decimal
        {X, 80.05L, LA::SmallDown, 80},
        {T, 5, LA::LargeUp, 6},
        {T, 19.5L, LA::LargeUp, 20},
        {T, 0.01L, LA::LargeUp, 1},  // 1.01 is below 2
        {T, 1, LA::LargeUp, 2},      // 2 is not below 2
        {T, 5, LA::LargeDown, 4},
        {T, 0.5L, LA::LargeDown, 0.01L},
        {T, 5, LA::SmallUp, 5.1L},
        {T, 0.01L, LA::SmallUp, 0.1L},  // 0.11 is below 0.2
        {T, 19.95L, LA::SmallUp, 20},
        {T, 5, LA::SmallDown, 4.9L},
        {T, 0.05L, LA::SmallDown, 0.01L},
        {K, 19.5L, LA::LargeUp, 20},
        {K, 0.01L, LA::LargeUp, 1},     // 1.01 rounded to one decimal
        {K, 0.01L, LA::SmallUp, 0.1L},  // 0.11 rounded
        {K, 4.93L, LA::SmallUp, 5},     // 5.03 rounded
        {K, 0.5L, LA::LargeDown, 0.01L},
        {K, 0.1L, LA::SmallDown, 0.01L},   // about 0: at or below 1e-5
        {K, 4.93L, LA::SmallDown, 4.83L},  // not rounded going down
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.step == X   ? "x-Data "
                                              : c.step == T ? "t "
                                                            : "k ")
                                          << double(c.level) << " arrow " << int(c.arrow));
        // Levels that are sums of tenths are not exact in binary; they agree to rounding.
        const long double got = c.step(c.level, c.arrow);
        EXPECT_LE(std::fabs(got - c.expected), 1e-15L * c.expected) << double(got);
    }
    // Unreadable levels come back as the start level.
    EXPECT_EQ(X(std::nanl(""), LA::LargeUp), 95);
    EXPECT_EQ(T(std::nanl(""), LA::SmallDown), 5);
    EXPECT_EQ(K(INFINITY, LA::SmallUp), 5);
}

TEST(LevelRules, ButtonsAndStartLevelsOfTheThreeWindows) {
    const LevelRules x_data = ConfidenceLevelRules();
    ASSERT_EQ(x_data.fixed_levels.size(), 3u);
    EXPECT_EQ(x_data.fixed_levels[2].caption, "99.9%");
    EXPECT_EQ(x_data.fixed_levels[2].value, 99.9L);
    EXPECT_EQ(x_data.initial, 95);
    EXPECT_EQ(x_data.step(95, LA::LargeUp), 96);
    const LevelRules t_test = SignificanceLevelRules();
    ASSERT_EQ(t_test.fixed_levels.size(), 5u);
    EXPECT_EQ(t_test.fixed_levels[3].caption, "0.1%");
    EXPECT_EQ(t_test.initial, 5);
    const LevelRules k_test = ConstantTestLevelRules();
    ASSERT_EQ(k_test.fixed_levels.size(), 5u);
    EXPECT_EQ(k_test.fixed_levels[3].caption, "0,1%");  // that window's own button text
    EXPECT_EQ(k_test.fixed_levels[4].value, 0.01L);
    // The read-only field: two decimals and a percent sign, in the current separator.
    ScopedTextSettings settings(Language::Swedish, ',');
    EXPECT_EQ(LevelText(99.99L), "99,99%");
    EXPECT_EQ(LevelText(0.1L), "0,10%");
}

}  // namespace
}  // namespace tabulon

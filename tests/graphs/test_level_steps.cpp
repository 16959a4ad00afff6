// The level arrows of the test windows, with their clamping and rounding.
#include <gtest/gtest.h>

#include <cmath>

#include "graphs/level_steps.h"
#include "base/language.h"

namespace tabulon {
namespace {

struct StepCase {
    long double level;
    LevelArrow arrow;
    long double expected;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    static const char* kNames[] = {"LargeUp", "LargeDown", "SmallUp", "SmallDown"};
    *os << static_cast<double>(c.level) << " " << kNames[static_cast<int>(c.arrow)];
}

// Levels that are sums of tenths are not exact in binary; they agree to rounding.
void ExpectLevel(long double actual, long double expected) {
    EXPECT_LE(std::fabs(actual - expected), 1e-15L * std::fabs(expected))
        << static_cast<double>(actual) << " vs " << static_cast<double>(expected);
}

using LA = LevelArrow;

class ConfidenceStepTest : public ::testing::TestWithParam<StepCase> {};
TEST_P(ConfidenceStepTest, MovesAndClamps) {
    ExpectLevel(StepConfidenceLevel(GetParam().level, GetParam().arrow), GetParam().expected);
}
// worked by hand from the x-Data window's rules
INSTANTIATE_TEST_SUITE_P(
    XData, ConfidenceStepTest,
    ::testing::Values(StepCase{95, LA::LargeUp, 96}, StepCase{95, LA::LargeDown, 94},
                      StepCase{97.5L, LA::LargeUp, 98},      // 98.5 to even
                      StepCase{96.5L, LA::LargeUp, 98},      // 97.5 to even
                      StepCase{99.5L, LA::LargeUp, 99.99L},  // 100.5 -> 100 -> top
                      StepCase{99.99L, LA::LargeDown, 99},   // 98.99 -> 99
                      StepCase{81, LA::LargeDown, 80}, StepCase{80.5L, LA::LargeDown, 80},
                      StepCase{95, LA::SmallUp, 95.1L}, StepCase{95, LA::SmallDown, 94.9L},
                      StepCase{99.95L, LA::SmallUp, 99.99L},   // from 99.95 up: 99.99
                      StepCase{99.9L, LA::SmallUp, 99.99L},    // 100.0 reaches the top
                      StepCase{99.99L, LA::SmallDown, 99.9L},  // 99.89 to one decimal
                      StepCase{80, LA::SmallDown, 80}, StepCase{80.05L, LA::SmallDown, 80}));

class SignificanceStepTest : public ::testing::TestWithParam<StepCase> {};
TEST_P(SignificanceStepTest, MovesAndClamps) {
    ExpectLevel(StepSignificanceLevel(GetParam().level, GetParam().arrow), GetParam().expected);
}
// worked by hand from the t-test window's rules
INSTANTIATE_TEST_SUITE_P(
    TTest, SignificanceStepTest,
    ::testing::Values(StepCase{5, LA::LargeUp, 6}, StepCase{19.5L, LA::LargeUp, 20},
                      StepCase{0.01L, LA::LargeUp, 1},  // 1.01 is below 2
                      StepCase{0.5L, LA::LargeUp, 1}, StepCase{2, LA::LargeUp, 3},
                      StepCase{5, LA::LargeDown, 4}, StepCase{0.5L, LA::LargeDown, 0.01L},
                      StepCase{1, LA::LargeDown, 0.01L}, StepCase{5, LA::SmallUp, 5.1L},
                      StepCase{0.01L, LA::SmallUp, 0.1L},  // 0.11 is below 0.2
                      StepCase{19.95L, LA::SmallUp, 20}, StepCase{5, LA::SmallDown, 4.9L},
                      StepCase{0.05L, LA::SmallDown, 0.01L}));

class ConstantTestStepTest : public ::testing::TestWithParam<StepCase> {};
TEST_P(ConstantTestStepTest, MovesAndClamps) {
    ExpectLevel(StepConstantTestLevel(GetParam().level, GetParam().arrow), GetParam().expected);
}
// worked by hand from the test-against-a-constant window's rules
INSTANTIATE_TEST_SUITE_P(
    KTest, ConstantTestStepTest,
    ::testing::Values(StepCase{5, LA::LargeUp, 6}, StepCase{19.5L, LA::LargeUp, 20},
                      StepCase{0.01L, LA::LargeUp, 1},     // 1.01 rounded to one decimal
                      StepCase{0.01L, LA::SmallUp, 0.1L},  // 0.11 rounded
                      StepCase{4.93L, LA::SmallUp, 5},     // 5.03 rounded
                      StepCase{0.5L, LA::LargeDown, 0.01L}, StepCase{0.05L, LA::SmallDown, 0.01L},
                      StepCase{0.1L, LA::SmallDown, 0.01L},     // about 0: at or below 1e-5
                      StepCase{4.93L, LA::SmallDown, 4.83L}));  // not rounded going down

TEST(LevelSteps, UnreadableLevelsComeBackAsTheStartLevel) {
    EXPECT_EQ(StepConfidenceLevel(std::nanl(""), LA::LargeUp), 95);
    EXPECT_EQ(StepSignificanceLevel(std::nanl(""), LA::SmallDown), 5);
    EXPECT_EQ(StepConstantTestLevel(INFINITY, LA::SmallUp), 5);
}

TEST(LevelRules, ButtonsAndStartLevelsOfTheThreeWindows) {
    const LevelRules x_data = ConfidenceLevelRules();
    ASSERT_EQ(x_data.fixed_levels.size(), 3u);
    EXPECT_EQ(x_data.fixed_levels[2].caption, "99.9%");
    EXPECT_EQ(x_data.fixed_levels[2].value, 99.9L);
    EXPECT_EQ(x_data.initial, 95);
    ExpectLevel(x_data.step(95, LA::SmallUp), 95.1L);

    const LevelRules t_test = SignificanceLevelRules();
    ASSERT_EQ(t_test.fixed_levels.size(), 5u);
    EXPECT_EQ(t_test.fixed_levels[3].caption, "0.1%");
    EXPECT_EQ(t_test.initial, 5);

    const LevelRules k_test = ConstantTestLevelRules();
    ASSERT_EQ(k_test.fixed_levels.size(), 5u);
    EXPECT_EQ(k_test.fixed_levels[3].caption, "0,1%");  // that window's own button text
    EXPECT_EQ(k_test.fixed_levels[4].value, 0.01L);
}

TEST(LevelText, TwoDecimalsAndAPercentSign) {
    {
        ScopedTextSettings settings(Language::English, '.');
        EXPECT_EQ(LevelText(95), "95.00%");
        EXPECT_EQ(LevelText(99.99L), "99.99%");
    }
    ScopedTextSettings settings(Language::Swedish, ',');
    EXPECT_EQ(LevelText(0.1L), "0,10%");
}

}  // namespace
}  // namespace tabulon

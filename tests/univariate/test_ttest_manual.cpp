// The entry window's pooled t-test: level clamping, both sides, texts and the lowest level.
#include <gtest/gtest.h>

#include <cmath>

#include "numeric/distributions.h"
#include "base/language.h"
#include "univariate/ttest_manual.h"

namespace tabulon {
namespace {

struct ClampCase {
    Extended typed;
    Extended level;
    const char* field;
};
class ManualLevelClamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ManualLevelClamp, HoldsTheLevelBetweenAHundredthAndTwenty) {
    const ClampedLevel c = ClampManualLevel(GetParam().typed, ',');
    EXPECT_EQ(c.level, GetParam().level);
    EXPECT_EQ(c.field_text, GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(Levels, ManualLevelClamp,
                         ::testing::Values(ClampCase{25, 20, "20"}, ClampCase{20, 20, ""},
                                           ClampCase{20.5L, 20, "20"}, ClampCase{5, 5, ""},
                                           ClampCase{0, 0.01L, "0,01"},
                                           ClampCase{-3, 0.01L, "0,01"},
                                           ClampCase{0.001L, 0.001L, ""}));

// m1 = 10, s1 = 2, n1 = 12 against m2 = 11.5, s2 = 1.5, n2 = 10.
const ManualTInputs kInputs{10, 2, 12, 11.5L, 1.5L, 10};

TEST(ManualTTest, PooledStatisticAndBothSidesAgreeWithR) {
    const auto r = ComputeManualTTest(kInputs, 5);
    ASSERT_TRUE(r);
    EXPECT_NEAR(double(r->pooled_sd), 1.792345, 1e-6);  // R: sqrt((11*4 + 9*2.25)/20)
    EXPECT_NEAR(double(r->u), 1.95456, 1e-5);           // R: 1.5/(sp*sqrt(1/12 + 1/10))
    EXPECT_EQ(r->df, 20);
    EXPECT_NEAR(double(r->two.critical), 2.085, 1e-9);  // R: qt(0.975, 20) = 2.085963, grid
    EXPECT_FALSE(r->two.significant);
    EXPECT_NEAR(double(r->one.critical), 1.724, 1e-9);  // R: qt(0.95, 20) = 1.724718, grid
    EXPECT_TRUE(r->one.significant);
}

TEST(ManualTTest, TextsInBothLanguages) {
    const auto r = ComputeManualTTest(kInputs, 5);
    ASSERT_TRUE(r);
    {
        ScopedTextSettings text(Language::Swedish, ',');
        EXPECT_EQ(ManualTTestLine(*r, TestSides::Two), "u=1,95456 < 2,085 = t(2,5%, 20)");
        EXPECT_EQ(ManualTTestLine(*r, TestSides::One), "u=1,95456 > 1,724 = t(5%, 20)");
        EXPECT_EQ(ManualVerdict(TestSides::Two, false),
                  "Dubbelsidigt test: Ingen signifikant skillnad");
        EXPECT_EQ(ManualVerdict(TestSides::One, true), "Enkelsidigt test: Signifikant skillnad!");
    }
    ScopedTextSettings text(Language::English, '.');
    EXPECT_EQ(ManualVerdict(TestSides::Two, true), "Double sided test: Significant difference!");
    EXPECT_EQ(ManualVerdict(TestSides::One, false),
              "Single sided test: No significant difference!");
}

TEST(ManualTTest, UnusableInputsGiveNothing) {
    EXPECT_FALSE(ComputeManualTTest({1, 0, 5, 2, 0, 5}, 5));   // no spread at all
    EXPECT_FALSE(ComputeManualTTest({1, 1, 0, 2, 1, 5}, 5));   // a count of 0
    EXPECT_FALSE(ComputeManualTTest({1, 1, 1, 2, 1, 1}, 5));   // df = 0
    EXPECT_FALSE(ComputeManualTTest({1, -1, 5, 2, 1, 5}, 5));  // negative s
    EXPECT_TRUE(ComputeManualTTest({1, 0, 5, 2, 1, 5}, 5));    // one s zero is fine
}

struct LowestCase {
    const char* name;
    Extended u;
    int df;
    TestSides sides;
    Extended r_level;  // R: the exact level where the test turns significant
};
class ManualLowestLevel : public ::testing::TestWithParam<LowestCase> {};

TEST_P(ManualLowestLevel, IsTheSmallestHundredthWhereTheTestIsSignificant) {
    const LowestCase& c = GetParam();
    const Extended level = FindLowestManualTLevel(c.u, c.df, c.sides);
    const Extended divisor = c.sides == TestSides::Two ? 200 : 100;
    EXPECT_NEAR(double(std::remainder(level * 100, 1)), 0, 1e-9);  // on the 0.01 grid
    EXPECT_LT(TQuantile(c.df, level / divisor), c.u);              // significant there
    EXPECT_GE(TQuantile(c.df, (level - 0.01L) / divisor), c.u);    // not one step below
    EXPECT_NEAR(double(level), double(c.r_level), 0.02);
}

INSTANTIATE_TEST_SUITE_P(R, ManualLowestLevel,
                         ::testing::Values(
                             // R: pt(-1.5, 20, lower.tail = FALSE)... 100*pt(-1.5, 20) = 7.461789
                             LowestCase{"OneSidedU15Df20", 1.5L, 20, TestSides::One, 7.461789L},
                             // R: 200*pt(-1.95456, 20) = 6.475896
                             LowestCase{"TwoSided", 1.95456L, 20, TestSides::Two, 6.475896L},
                             // R: 100*pt(-1.95456, 20) = 3.237948
                             LowestCase{"OneSided", 1.95456L, 20, TestSides::One, 3.237948L}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ManualLowestLevelEnds, NotSignificantAtTwentyGivesTwentyPointZeroOne) {
    // R: 200*pt(-0.5, 20) = 62.3 %: not significant at 20 %.
    EXPECT_EQ(FindLowestManualTLevel(0.5L, 20, TestSides::Two), 20.01L);
    // Significant at every level: the search stops at its lowest step.
    EXPECT_NEAR(double(FindLowestManualTLevel(50, 20, TestSides::Two)), 0.01, 1e-12);
}

TEST(SteppedLevelStop, FindsWhatStepppingDownWouldFind) {
    for (int boundary : {0, 1, 2, 57, 398, 399, 400}) {
        int stepped = 399;
        while (!(stepped <= 1 || stepped <= boundary)) --stepped;
        EXPECT_EQ(SteppedLevelStop(400, [&](int k) { return k <= boundary; }), stepped)
            << "boundary " << boundary;
    }
}

}  // namespace
}  // namespace tabulon

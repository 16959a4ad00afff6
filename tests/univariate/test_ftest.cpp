// The entry window's F-test: larger over smaller s, both sides, texts and the lowest level.
#include <gtest/gtest.h>

#include <cmath>

#include "numeric/distributions.h"
#include "base/language.h"
#include "univariate/ftest.h"

namespace tabulon {
namespace {

TEST(FTest, LargerOverSmallerWithItsDegreesOfFreedom) {
    // s1 = 3, n1 = 8 against s2 = 1.5, n2 = 13: F = 4 with (7, 12).
    const auto r = ComputeFTest({3, 1.5L, 8, 13}, 5);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->F, 4);
    EXPECT_EQ(r->df_num, 7);
    EXPECT_EQ(r->df_den, 12);
    // R: qf(0.975, 7, 12) = 3.606515 and qf(0.95, 7, 12) = 2.913358, on the 0.0005 grid
    EXPECT_LE(r->two.critical, 3.606515L);
    EXPECT_GT(r->two.critical, 3.606515L - 0.0011L);
    EXPECT_LE(r->one.critical, 2.913358L);
    EXPECT_GT(r->one.critical, 2.913358L - 0.0011L);
    EXPECT_TRUE(r->two.significant);
    EXPECT_TRUE(r->one.significant);

    // The other way round: s2 the larger, so the second sample gives the numerator.
    const auto swapped = ComputeFTest({1.5L, 3, 13, 8}, 5);
    ASSERT_TRUE(swapped);
    EXPECT_EQ(swapped->F, 4);
    EXPECT_EQ(swapped->df_num, 7);
    EXPECT_EQ(swapped->df_den, 12);
}

TEST(FTest, EqualSGiveOneAndTakeTheSecondAsNumerator) {
    const auto r = ComputeFTest({2, 2, 5, 11}, 5);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->F, 1);
    EXPECT_EQ(r->df_num, 10);  // s1 <= s2: the second sample's n - 1
    EXPECT_EQ(r->df_den, 4);
    EXPECT_FALSE(r->two.significant);
}

TEST(FTest, Texts) {
    const auto r = ComputeFTest({3, 1.5L, 8, 13}, 10);
    ASSERT_TRUE(r);
    ScopedTextSettings text(Language::English, '.');
    const std::string two = FTestLine(*r, TestSides::Two);
    const std::string one = FTestLine(*r, TestSides::One);
    EXPECT_EQ(two.substr(0, 6), "F=4 > ");
    EXPECT_EQ(two.substr(two.size() - 14), " = F(5%, 7,12)");
    EXPECT_EQ(one.substr(one.size() - 15), " = F(10%, 7,12)");
    // R: qf(0.95, 7, 12) = 2.913358, one grid step of 0.0005 at most below
    EXPECT_EQ(two.substr(6, 5), "2.913");
}

TEST(FTest, UnusableInputsGiveNothing) {
    EXPECT_FALSE(ComputeFTest({0, 1, 5, 5}, 5));
    EXPECT_FALSE(ComputeFTest({1, 1, 1, 5}, 5));
    EXPECT_FALSE(ComputeFTest({1, -2, 5, 5}, 5));
}

struct FLowestCase {
    const char* name;
    TestSides sides;
    Extended r_level;
};
class FLowestLevel : public ::testing::TestWithParam<FLowestCase> {};

TEST_P(FLowestLevel, IsTheSmallestTwentiethWhereTheTestIsSignificant) {
    const FLowestCase& c = GetParam();
    const Extended level = FindLowestFLevel(4, 7, 12, c.sides);
    const Extended divisor = c.sides == TestSides::Two ? 200 : 100;
    EXPECT_NEAR(double(std::remainder(level * 20, 1)), 0, 1e-9);  // on the 0.05 grid
    EXPECT_LT(FQuantile(7, 12, 1 - level / divisor), 4);
    EXPECT_GT(FQuantile(7, 12, 1 - (level - 0.05L) / divisor), 4);
    EXPECT_NEAR(double(level), double(c.r_level), 0.06);
}

INSTANTIATE_TEST_SUITE_P(R, FLowestLevel,
                         ::testing::Values(FLowestCase{"TwoSided", TestSides::Two,
                                                       3.473555L},  // R: 2*pf(4, 7, 12, lower = F)
                                           FLowestCase{"OneSided", TestSides::One,
                                                       1.736778L}),  // R: pf(4, 7, 12, lower = F)
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FLowestLevelEnds, NotSignificantAtTwentyGivesTwentyPointZeroFive) {
    // R: qf(0.9, 7, 12) = 2.28278 > 1.5: F = 1.5 is not significant two-sided at 20 %.
    EXPECT_EQ(FindLowestFLevel(1.5L, 7, 12, TestSides::Two), 20.05L);
}

TEST(FTestFromColumns, TakesSAndNOfEachColumn) {
    TTestSamples s;
    s.first.statistics.StdDev = 1.25L;
    s.first.statistics.Count = 7;
    s.second.statistics.StdDev = 0.5L;
    s.second.statistics.Count = 4;
    const ManualFInputs in = FTestInputsFromSamples(s);
    EXPECT_EQ(in.s1, 1.25L);
    EXPECT_EQ(in.n1, 7);
    EXPECT_EQ(in.s2, 0.5L);
    EXPECT_EQ(in.n2, 4);
}

}  // namespace
}  // namespace tabulon

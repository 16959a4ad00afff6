// The half-integer gamma and beta functions and the signed-rank probabilities.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "distribution_expectations.h"
#include "numeric/signed_rank.h"
#include "numeric/special_functions.h"

namespace tabulon {
namespace {

using testing_support::RelativelyNear;

TEST(GammaHalf, GivesTheFactorialsAndHalfIntegerValues) {
    EXPECT_TRUE(RelativelyNear(GammaHalf(0.5L), std::sqrt(std::numbers::pi_v<Extended>), 1e-18L));
    EXPECT_EQ(GammaHalf(1), 1);
    EXPECT_EQ(GammaHalf(5), 24);                                               // 4!
    EXPECT_TRUE(RelativelyNear(GammaHalf(4.5L), 11.63172839656745L, 1e-15L));  // R: gamma(4.5)
    // R: lgamma(1000.5)
    EXPECT_TRUE(RelativelyNear(std::log(GammaHalf(1000.5L)), 5908.6741758486778L, 1e-15L));
    EXPECT_EQ(GammaHalf(1.05L), 1);  // within 0.1 of a multiple of 0.5 counts as it
}

TEST(GammaHalf, AnswersArgumentsThatUsedToRecurseForEver) {
    EXPECT_EQ(GammaHalf(0), 0);
    EXPECT_EQ(GammaHalf(-1.5L), 0);
    EXPECT_EQ(GammaHalf(2.3L), 0);  // 2.3 → 1.3 → 0.3 → −0.7 → … never reaches 1/2 or 1
    EXPECT_EQ(GammaHalf(0.75L), 0);
    EXPECT_TRUE(std::isinf(GammaHalf(2000)));  // 1999! is beyond the extended range
    EXPECT_TRUE(std::isinf(GammaHalf(1e30L)));
}

TEST(BetaHalf, IsTheGammaQuotient) {
    EXPECT_TRUE(RelativelyNear(BetaHalf(0.5L, 0.5L), std::numbers::pi_v<Extended>, 1e-18L));
    EXPECT_TRUE(RelativelyNear(BetaHalf(2, 3), 1.0L / 12, 1e-18L));  // 1!·2!/4!
    // Γ(2000) overflows; from logarithms: R: beta(2000, .5)
    EXPECT_TRUE(RelativelyNear(BetaHalf(2000, 0.5L), 0.039635750133005652L, 1e-14L));
    EXPECT_EQ(BetaHalf(2.3L, 1), 0);
}

TEST(SignedRankProbability, IsTheExactTailProbability) {
    const struct {
        int n;
        Extended t, expected;
    } cases[] = {
        // worked by hand: the sums of the 8 subsets of {1, 2, 3} are 0 1 2 3 3 4 5 6
        {3, 0, 0.125L},
        {3, 1, 0.25L},
        {3, 3, 0.625L},
        {3, 5, 0.25L},                      // 5 > 3 folds to 6 − 5 = 1
        {10, 8, 0.0244140625L},             // R: psignrank(8, 10)
        {10, 8.5L, 0.0244140625L},          // W is whole: as T = 8
        {20, 160, 0.019994735717773438L},   // R: psignrank(50, 20)
        {45, 300, 0.0066498681640325694L},  // R: psignrank(300, 45)
        {45, 0, 1.0L / 35184372088832},     // by hand: 2^-45
        {45, 517, 0.5L},                    // R: psignrank(517, 45)
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(RelativelyNear(SignedRankProbability(c.n, c.t), c.expected, 1e-15L))
            << c.n << " " << double(c.t);
    }
}

TEST(SignedRankProbability, FoldsAboutTheCentre) {
    for (int n : {3, 4, 12, 45}) {
        const int total = n * (n + 1) / 2;
        for (int t = 0; t <= total; ++t) {
            EXPECT_EQ(SignedRankProbability(n, t), SignedRankProbability(n, total - t))
                << n << ' ' << t;
        }
    }
}

TEST(SignedRankProbability, IsMinusOneOutsideThreeToFortyFive) {
    EXPECT_EQ(SignedRankProbability(2, 1), -1);
    EXPECT_EQ(SignedRankProbability(46, 10), -1);
    EXPECT_EQ(SignedRankProbability(10, -1), 0);
}

}  // namespace
}  // namespace tabulon

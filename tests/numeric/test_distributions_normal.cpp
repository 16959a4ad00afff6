// The normal distribution: table, cumulative function, both quantile searches, the bell.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "distribution_expectations.h"
#include "numeric/normal_distribution.h"

namespace tabulon {
namespace {

using testing_support::OnGridNear;
using testing_support::RelativelyNear;

TEST(PhiTable, StoresTheRoundedValues) {
    const struct {
        int k;
        Extended expected;
    } cases[] = {
        {0, 0.5L},
        {1, 0.53982784L},     // R: round(pnorm(0.1), 8)
        {30, 0.99865010L},    // R: round(pnorm(3), 8)
        {46, 0.99999789L},    // R: round(pnorm(4.6), 8)
        {47, 0.9999986992L},  // R: round(pnorm(4.7), 10)
        {60, 0.9999999990L},  // R: round(pnorm(6), 10)
        {61, 1},
        {-10, 1 - 0.84134475L},  // symmetry: R: round(pnorm(1), 8)
        {-61, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(PhiTable(c.k), c.expected) << c.k;
}

// The table value at the grid point below z plus the exact area up to z: the
// 100,000-interval trapezoid of that area is within 1e-14 of it.
TEST(NormalCdf, IsTheTableValuePlusTheAreaToZ) {
    // R: z0 <- trunc(z*10)/10; if (z < 0) z0 <- z0 - 0.1; k <- round(10*z0)
    //    round(pnorm(k/10), 8 or 10) (1 - that for k < 0) + pnorm(z) - pnorm(z0)
    const Extended cases[][2] = {{1.96L, 0.97500210466778159L},
                                 {-1.96L, 0.024997893200041251L},
                                 {0.05L, 0.51993880583837249L},
                                 {-0.05L, 0.48006119143865655L},
                                 {2.5L, 0.99379033000000017L},
                                 {-4.5L, 3.395218422282329e-06L},
                                 {4.5L, 0.9999965999999999L},
                                 {5.95L, 0.99999999867679523L},
                                 {-5.95L, 1.3541247707722424e-09L},
                                 {0.123456L, 0.54912699542528276L},
                                 {-3.3333L, 0.00042911247967601429L},
                                 {0, 0.5L},
                                 {7, 1},
                                 {-7, 0},
                                 {6, 0.999999999L}};
    for (const auto& c : cases)
        EXPECT_NEAR(double(NormalCdf(c[0])), double(c[1]), 1e-13) << double(c[0]);
}

TEST(NormalCdf, IsSymmetricWithinTheTableRounding) {
    for (Extended z : {0.37L, 1.5L, 2.25L, 4.5L, 5.5L}) {
        EXPECT_NEAR(static_cast<double>(NormalCdf(-z) + NormalCdf(z)), 1.0, 1e-8)
            << static_cast<double>(z);
    }
}

TEST(NormalCdf, StepsAtTheTableJointsOnlyByTheTableRounding) {
    // The rounded table makes the joints uneven by up to 1e-8; a wrong grid point (z0
    // above z for negative z) would show as a step of up to 0.04 there.
    Extended previous = 0;
    for (int i = -6100; i <= 6100; ++i) {
        const Extended z = i / Extended(1000);
        const Extended p = NormalCdf(z);
        EXPECT_GE(p, previous - 1e-8L) << static_cast<double>(z);
        EXPECT_LE(p, previous + 0.0004L) << static_cast<double>(z);  // φ(0)·0.001 is 0.000399
        previous = p;
    }
}

// The fine grid's own value is what the calculator shows: 1.95996 for R's qnorm(.975).
TEST(NormalQuantile, LiesOnTheFineGridNextToTheExactQuantile) {
    const Extended cases[][2] = {
        {0.975L, 1.9599639845400536L},  // R: qnorm(.975)
        {0.025L, -1.9599639845400536L},
        {0.3L, -0.52440051270804067L},  // R: qnorm(0.3)
        {0.5L, 0},
        // Past the step cap of the search (about 5.00001): R: qnorm(1e-9, lower.tail = FALSE)
        {1 - 1e-9L, 5.9978070150076865L},
        // 1 − p rounds to 1 here; the tail itself must be used.
        {1e-30L, -11.464024688443617L},   // R: qnorm(1e-30)
        {1e-300L, -37.047096299361201L},  // R: qnorm(1e-300)
    };
    for (const auto& c : cases)
        EXPECT_TRUE(OnGridNear(NormalQuantile(c[0]), c[1], 1e-5L)) << double(c[0]);
    EXPECT_NEAR(double(NormalQuantile(0.975L)), 1.95996, 1e-12);
}

TEST(NormalQuantile, GivesItsFixedValuesOutsideTheOpenInterval) {
    EXPECT_EQ(NormalQuantile(0), -1e100L);
    EXPECT_EQ(NormalQuantile(-0.5L), -1e100L);
    EXPECT_EQ(NormalQuantile(1), 1e100L);
    EXPECT_TRUE(std::isnan(NormalQuantile(std::numeric_limits<Extended>::quiet_NaN())));
}

TEST(NormalQuantileFast, InterpolatesInsideTheCoarseGrid) {
    // R: qnorm(.975), qnorm(0.3), qnorm(3e-5)
    EXPECT_NEAR(static_cast<double>(NormalQuantileFast(0.975L)), 1.9599639845400536, 1e-3);
    EXPECT_NEAR(static_cast<double>(NormalQuantileFast(0.3L)), -0.52440051270804067, 1e-3);
    EXPECT_NEAR(static_cast<double>(NormalQuantileFast(3e-5L)), -4.0128108111182534, 1e-3);
    EXPECT_NEAR(static_cast<double>(NormalQuantileFast(0.5L)), 0.0, 1e-3);  // the centre
    EXPECT_EQ(NormalQuantileFast(0), 0);  // outside the open interval
    EXPECT_EQ(NormalQuantileFast(1), 0);
}

TEST(NormalQuantileFast, IsExactInTheTailsWhereTheSecantStepFailed) {
    // From ±4 one secant step over 0.001 lands 0.1 and more off.
    EXPECT_TRUE(RelativelyNear(NormalQuantileFast(1e-6L), -4.7534243088228987L, 1e-15L));
    EXPECT_TRUE(RelativelyNear(NormalQuantileFast(1 - 1e-6L), 4.7534243088228987L, 1e-12L));
    EXPECT_TRUE(RelativelyNear(NormalQuantileFast(1e-300L), -37.047096299361201L, 1e-15L));
    // R: qnorm(1e-6), qnorm(1e-300)
}

// The walked coarse search the fast quantile once ran for every p: steps of 0.01 from −4,
// adding exp(−z²/2) until the sum reaches √(2π)·q/0.01, then one secant step over 0.001.
Extended WalkedQuantile(Extended p) {
    const Extended sqrt_2pi = std::sqrt(2 * std::numbers::pi_v<Extended>);
    const Extended d = Extended(0.01);
    const Extended q = p <= Extended(0.5) ? p : 1 - p;
    const Extended target = sqrt_2pi * q / d;
    Extended sum = sqrt_2pi * Extended(3e-5) / d;
    Extended z = -4;
    for (int i = 1; i <= 401; ++i) {
        z = (i - 400) / Extended(100);
        sum += std::exp(-z * z / 2);
        if (target <= sum || z > 0) break;
    }
    const Extended z0 = p < Extended(0.5) ? z : -z;
    const Extended p0 = NormalCdf(z0);
    const Extended p1 = NormalCdf(z0 + Extended(0.001));
    return z0 + Extended(0.001) * (p - p0) / (p1 - p0);
}

TEST(NormalQuantileFast, LandsOnTheStepTheWalkedSearchStopsAt) {
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> uniform(3e-5, 0.99997);
    std::vector<Extended> ps{3e-5, 0.5L, 0.99997, 0.025L, 0.975L};  // the grid's ends as doubles
    for (int i = 0; i < 20000; ++i) ps.push_back(uniform(random));
    for (const Extended p : ps) {
        EXPECT_EQ(NormalQuantileFast(p), WalkedQuantile(p)) << static_cast<double>(p);
    }
}

TEST(NormalShape, IsTheBellWithPeakOne) {
    EXPECT_EQ(NormalShape(1, 0, 0), 1);
    EXPECT_TRUE(RelativelyNear(NormalShape(2, 1, 3), std::exp(-0.5L), 1e-18L));  // by hand
    EXPECT_GT(NormalShape(1, 0, 8.3L), 0);                                       // exponent 34.445
    EXPECT_EQ(NormalShape(1, 0, 8.4L), 0);  // exponent 35.28 is cut off
    EXPECT_EQ(NormalShape(0, 2, 2), 1);     // no spread: the limit, not 0/0
    EXPECT_EQ(NormalShape(0, 2, 3), 0);
}

TEST(NormalUpperQuantile, InvertsTheExactTail) {
    for (Extended q : {0.4L, 0.025L, 1e-5L, 1e-20L, 1e-200L, 1e-2000L}) {
        const Extended z = NormalUpperQuantile(q);
        EXPECT_TRUE(RelativelyNear(NormalUpperTail(z), q, 1e-14L)) << static_cast<double>(q);
    }
    EXPECT_EQ(NormalUpperQuantile(0.5L), 0);
    EXPECT_TRUE(std::isinf(NormalUpperQuantile(0)));
}

}  // namespace
}  // namespace tabulon

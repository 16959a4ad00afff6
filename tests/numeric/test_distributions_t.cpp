// Student's t: the critical values on their grid, the cumulative function, the curve.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "distribution_expectations.h"
#include "numeric/grid_search.h"
#include "numeric/normal_distribution.h"
#include "numeric/t_distribution.h"

namespace tabulon {
namespace {

using testing_support::OnGridNear;
using testing_support::RelativelyNear;

// The grid search's own value is what the windows print.
TEST(TQuantile, IsTheGridValueTheWindowsShow) {
    const struct {
        int df;
        Extended p, shown;
    } cases[] = {
        {4, 0.025L, 2.776L},   // R: qt(.975, 4) 2.77645
        {1, 0.025L, 12.706L},  // R: qt(.975, 1) 12.7062
        {30, 0.005L, 2.749L},  // R: qt(.995, 30) 2.74999
        {5, 0.5L, 0},          // the centre
    };
    for (const auto& c : cases)
        EXPECT_NEAR(double(TQuantile(c.df, c.p)), double(c.shown), 1e-12) << c.df;
}

// A tiny p would take the plain grid search minutes (3e12 steps for df = 1).
TEST(TQuantile, LiesOnTheGridNextToTheExactQuantile) {
    const struct {
        int df;
        Extended p, exact;
    } cases[] = {
        {1, 1e-10L, 3183098861.8379064L},   // R: qt(1e-10, 1, lower = F)
        {1, 0.0005L, 636.61924876871956L},  // R: qt(.0005, 1, lower = F)
        {5, 1e-12L, 393.95695957760387L},   // R: qt(1e-12, 5, lower = F)
        // Just above 2000 the normal quantile is used where it is close enough...
        {2001, 1e-6L, 4.7674731028808042L},  // R: qt(1e-6, 2001, lower = F)
    };
    for (const auto& c : cases)
        EXPECT_TRUE(OnGridNear(TQuantile(c.df, c.p), c.exact, 0.001L)) << c.df;
}

TEST(TQuantile, AboveTwoThousandDegreesUsesTheNormalQuantile) {
    // ... and kept where it is within two grid steps: R: qt(.975, 3000) is 1.960755,
    // qnorm(.975) 1.959964.
    const Extended t = TQuantile(3000, 0.025L);
    EXPECT_NEAR(static_cast<double>(t), 1.9599639845400536, 1e-3);
    EXPECT_NEAR(static_cast<double>(t), 1.960755055322458, 2e-3);
}

TEST(TQuantile, AboveTwoThousandDegreesDecidesAsTheFullRootSearchWould) {
    // The rule in full: the normal quantile where it lies within two steps (or 1e-4) of the
    // exact root, else the exact root on the grid. Grubbs' levels for n up to a million, the
    // tails where the normal quantile is too far off, and the centre.
    for (int df : {2001, 2500, 10000, 99998, 999998}) {
        for (Extended p : {0.5L, 0.25L, 0.025L, 1e-4L, 2.5e-8L, 5e-9L, 1e-10L, 1e-14L, 1e-30L}) {
            const Extended exact = StudentTUpperQuantile(df, p);
            const Extended normal = NormalQuantileFast(1 - p);
            const Extended expected =
                grid::IsSound(normal, exact, 0.001L) ? normal : grid::OnGrid(exact, 0.001L);
            EXPECT_EQ(TQuantile(df, p), expected) << df << " " << static_cast<double>(p);
        }
    }
}

TEST(TQuantile, RefusesWhatIsOutsideItsDomain) {
    EXPECT_EQ(TQuantile(5, 0.6L), 0);  // p above 0.5 is refused
    EXPECT_EQ(TQuantile(5, -0.1L), 0);
    EXPECT_EQ(TQuantile(0, 0.025L), 0);  // no degrees of freedom (used to recurse for ever)
    EXPECT_TRUE(std::isnan(TQuantile(5, std::numeric_limits<Extended>::quiet_NaN())));
    // Zero probability is the stand-in for infinity: the plain grid search never ends there.
    EXPECT_EQ(TQuantile(5, 0), 1e100L);
    EXPECT_EQ(TQuantile(1, 1e-300L), 1e100L);  // R: qt(1e-300, 1, lower = F) is 3.2e299
}

TEST(TCdf, IsWithinOneEMinusEightOfTheExactProbability) {
    const struct {
        int df;
        Extended t, expected;
    } cases[] = {
        {5, 2.015L, 0.9499969138365969L},      // R: pt(2.015, 5)
        {10, -1.812L, 0.050037631032923587L},  // R: pt(-1.812, 10)
        {30, 2.042L, 0.97498566467190106L},    // R: pt(2.042, 30)
        {7, -50, 1.6756262977750177e-10L},     // R: pt(-50, 7)
        // The 10,000-interval trapezoid with h = 1 overshoots 1, which became 0.
        {1, 10000, 0.99996816901148766L},     // R: pt(10000, 1)
        {2, -3000, 5.5555546296298007e-08L},  // R: pt(-3000, 2)
        // Just above 2000 the normal curve is 8e-5 off at t = 1.5.
        {2001, 1.5L, 0.93311392123444459L},  // R: pt(1.5, 2001)
        {3, 0, 0.5L},
        {3, INFINITY, 1},
        {3, -INFINITY, 0},
        {0, 1.5L, 0.5L},  // no degrees of freedom: the limit one half
        {-2, -1.5L, 0.5L},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(double(TCdf(c.df, c.t)), double(c.expected), 1e-8)
            << c.df << " " << double(c.t);
    }
}

TEST(TCdf, AndTQuantileMeetAtTheCriticalValue) {
    // TQuantile rounds down to its grid, so TCdf there is at most a grid step's worth of
    // density short of 1 − p.
    for (int df : {1, 2, 4, 9, 30, 200}) {
        for (Extended p : {0.1L, 0.025L, 0.005L}) {
            const Extended t = TQuantile(df, p);
            EXPECT_LE(TCdf(df, t), 1 - p + 1e-8L) << df << ' ' << static_cast<double>(p);
            EXPECT_GE(TCdf(df, t + 0.002L), 1 - p - 1e-8L) << df << ' ' << static_cast<double>(p);
        }
    }
}

TEST(TShape, IsTheCurveWithPeakOne) {
    EXPECT_EQ(TShape(5, 0), 1);
    EXPECT_TRUE(RelativelyNear(TShape(4, 2), std::pow(2.0L, -2.5L), 1e-17L));  // by hand
    EXPECT_EQ(TShape(0, 1), 0);
    EXPECT_EQ(TShape(2001, 0), 0);
}

TEST(StudentTUpperQuantile, InvertsTheExactTail) {
    for (int df : {1, 3, 30, 2500}) {
        for (Extended p : {0.4L, 0.01L, 1e-8L, 1e-40L}) {
            const Extended t = StudentTUpperQuantile(df, p);
            EXPECT_TRUE(RelativelyNear(StudentTUpperTail(df, t), p, 1e-13L))
                << df << ' ' << static_cast<double>(p);
        }
    }
}

}  // namespace
}  // namespace tabulon

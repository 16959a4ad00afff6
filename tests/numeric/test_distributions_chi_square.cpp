// The χ² distribution: the critical values on their grids and the density.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "distribution_expectations.h"
#include "numeric/chi_square_distribution.h"

namespace tabulon {
namespace {

using testing_support::OnGridNear;
using testing_support::RelativelyNear;

TEST(ChiSquareQuantile, KeepsTheGridValuesTheWindowsShow) {
    // R: qchisq(.975, 4) 11.14329 on the 0.001 grid; qchisq(.025, 4) 0.4844186 on 0.0001
    EXPECT_NEAR(static_cast<double>(ChiSquareQuantile(4, 0.975L)), 11.143, 1e-12);
    EXPECT_NEAR(static_cast<double>(ChiSquareQuantile(4, 0.025L)), 0.4844, 1e-12);
}

struct QuantileCase {
    const char* name;
    int df;
    Extended p;
    Extended exact;
    Extended step;
};

class ChiSquareQuantileTest : public ::testing::TestWithParam<QuantileCase> {};

TEST_P(ChiSquareQuantileTest, LiesOnItsGridNextToTheExactQuantile) {
    const QuantileCase& c = GetParam();
    EXPECT_TRUE(OnGridNear(ChiSquareQuantile(c.df, c.p), c.exact, c.step));
}

INSTANTIATE_TEST_SUITE_P(
    Points, ChiSquareQuantileTest,
    ::testing::Values(
        QuantileCase{"Ten95", 10, 0.95L, 18.307038053275146L, 0.01L},  // R: qchisq(.95, 10)
        QuantileCase{"FiveHundred05", 500, 0.05L, 449.14675637272921L,
                     0.1L},                                              // R: qchisq(.05, 500)
        QuantileCase{"TwoMedian", 2, 0.5L, 1.3862943611198906L, 1e-4L},  // R: qchisq(.5, 2)
        // df = 1: the curve is infinite at 0 and the sum starts one step in: +4.7 %.
        QuantileCase{"OneLower", 1, 0.025L, 0.00098206911717525617L, 1e-6L},  // R: qchisq(.025, 1)
        QuantileCase{"OneTiny", 1, 0.0005L, 3.9269913310291969e-07L, 1e-7L},  // R: qchisq(.0005, 1)
        QuantileCase{"OneMedian", 1, 0.5L, 0.45493642311957283L, 1e-5L},      // R: qchisq(.5, 1)
        // ... and above P = 0.99816 it never ended.
        QuantileCase{"OneBeyondEnd", 1, 0.99817L, 9.7126895480821123L,
                     1e-5L},                                              // R: qchisq(.99817, 1)
        QuantileCase{"OneUpper", 1, 0.999L, 10.827566170662729L, 1e-5L},  // R: qchisq(.999, 1)
        // df = 2 and 3 never ended near P = 1.
        QuantileCase{"TwoUpper", 2, 0.99999L, 23.025850929949559L, 1e-4L},  // R: qchisq(.99999, 2)
        QuantileCase{"TwoLast", 2, 0.9999999L, 32.236191302969353L,
                     1e-4L},  // R: qchisq(.9999999, 2)
        QuantileCase{"ThreeUpper", 3, 0.9999L, 21.107513466160444L,
                     0.001L}),  // R: qchisq(.9999, 3)
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChiSquareQuantile, GivesItsFixedValuesAtTheEdges) {
    EXPECT_EQ(ChiSquareQuantile(4, 0), 0);
    EXPECT_EQ(ChiSquareQuantile(4, -1), 0);
    EXPECT_EQ(ChiSquareQuantile(4, 0.99999995L), 1e30L);
    EXPECT_EQ(ChiSquareQuantile(0, 0.5L), 0);  // used to recurse for ever in Γ(0)
    EXPECT_EQ(ChiSquareQuantile(-3, 0.5L), 0);
    EXPECT_TRUE(std::isnan(ChiSquareQuantile(4, std::numeric_limits<Extended>::quiet_NaN())));
}

TEST(ChiSquareQuantile, ManyDegreesOfFreedomStayNearTheMean) {
    // The grid search would need a step per unit; the exact quantile is used instead.
    // Wilson–Hilferty puts the median of χ²(ν) at ν(1 − 2/(9ν))³ ≈ ν − 2/3.
    const Extended x = ChiSquareQuantile(1000000, 0.5L);
    EXPECT_NEAR(static_cast<double>(x), 1000000 - 2.0 / 3, 1.0);
}

struct DensityCase {
    const char* name;
    int df;
    Extended x;
    Extended expected;
};

class ChiSquareDensityTest : public ::testing::TestWithParam<DensityCase> {};

TEST_P(ChiSquareDensityTest, MatchesTheDensity) {
    const DensityCase& c = GetParam();
    EXPECT_TRUE(RelativelyNear(ChiSquareDensity(c.df, c.x), c.expected, 1e-13L));
}

INSTANTIATE_TEST_SUITE_P(
    Points, ChiSquareDensityTest,
    ::testing::Values(
        DensityCase{"One", 1, 1, 0.24197072451914337L},              // R: dchisq(1, 1)
        DensityCase{"Two", 2, 3, 0.11156508007421491L},              // R: dchisq(3, 2)
        DensityCase{"Five", 5, 2.5L, 0.15060199389015103L},          // R: dchisq(2.5, 5)
        DensityCase{"Many", 1999, 999.5L, 1.8204096216937051e-86L},  // R: dchisq(999.5, 1999)
        // beyond 2000 from logarithms rather than a thousand factors
        DensityCase{"More", 2001, 999.5L, 9.1020481084685272e-87L}),  // R: dchisq(999.5, 2001)
    [](const auto& info) { return std::string(info.param.name); });

TEST(ChiSquareDensity, IsZeroOutsideItsRange) {
    EXPECT_EQ(ChiSquareDensity(4, 0), 0);
    EXPECT_EQ(ChiSquareDensity(4, 1e-21L), 0);
    EXPECT_EQ(ChiSquareDensity(4, 1000), 0);
    EXPECT_EQ(ChiSquareDensity(0, 1), 0);
}

TEST(ChiSquareExactQuantile, InvertsBothTails) {
    for (int df : {1, 2, 7, 150, 40000}) {
        for (Extended p : {1e-30L, 0.01L, 0.5L, 0.99L, 1 - 1e-12L}) {
            const Extended x = ChiSquareExactQuantile(df, p);
            if (p <= 0.5L) {
                EXPECT_TRUE(RelativelyNear(ChiSquareLowerTail(df, x), p, 1e-12L)) << df;
            } else {
                EXPECT_TRUE(RelativelyNear(ChiSquareUpperTail(df, x), 1 - p, 1e-12L)) << df;
            }
        }
    }
}

}  // namespace
}  // namespace tabulon

// The F distribution: the critical values on their grids and the density.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "distribution_expectations.h"
#include "numeric/f_distribution.h"

namespace tabulon {
namespace {

using testing_support::OnGridNear;
using testing_support::RelativelyNear;

TEST(FQuantile, KeepsTheGridValuesTheWindowsShow) {
    // R: qf(.95, 3, 10) 3.708265 on the 0.0005 grid
    EXPECT_NEAR(static_cast<double>(FQuantile(3, 10, 0.95L)), 3.708, 1e-12);
    // R: qf(.95, 1, 10) 4.964603 = 2.228139²; t on the 0.0003 grid: 2.2281²
    EXPECT_NEAR(static_cast<double>(FQuantile(1, 10, 0.95L)), 2.2281 * 2.2281, 1e-12);
    // R: qf(.95, 5, 1) 230.1619; the grid value is 1e-4 relative off and is kept
    EXPECT_TRUE(RelativelyNear(FQuantile(5, 1, 0.95L), 230.16187811010633L, 1e-4L));
}

// df1 = 1 is searched over t with F = t², on t's 0.0003 grid; the rest on the F grids.
TEST(FQuantile, LiesOnItsGridNextToTheExactQuantile) {
    const struct {
        int df1, df2;
        Extended p, exact, step;
    } cases[] = {
        {2, 20, 0.5L, 0.71773462536293131L, 0.00005L},  // R: qf(.5, 2, 20)
        // The left-out first half-term biases df1 = 1 and 2 by up to 2 %.
        {2, 5, 0.05L, 0.051823112072844069L, 0.00005L},    // R: qf(.05, 2, 5)
        {2, 20, 0.01L, 0.010055388008427535L, 0.00005L},   // R: qf(.01, 2, 20)
        {1, 5, 0.01L, 0.00017350118021619565L, 0.0003L},   // R: qf(.01, 1, 5)
        {1, 30, 0.01L, 0.00015972786003182193L, 0.0003L},  // R: qf(.01, 1, 30)
        // The step caps: (2, 2, .99) stopped at 50, df2 = 1 at 5000, (1, 1) at 90000.
        {2, 2, 0.99L, 98.999999999999915L, 0.00005L},  // R: qf(.99, 2, 2)
        {3, 1, 0.99L, 5403.3520137385322L, 0.005L},    // R: qf(.99, 3, 1)
        {1, 1, 0.999L, 405284.06790284824L, 0.0003L},  // R: qf(.999, 1, 1)
        {1, 1, 0.975L, 647.78901147784404L, 0.0003L},  // R: qf(.975, 1, 1)
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.df1 << ", " << c.df2 << ", " << double(c.p));
        const Extended f = FQuantile(c.df1, c.df2, c.p);
        if (c.df1 == 1) {
            EXPECT_TRUE(OnGridNear(std::sqrt(f), std::sqrt(c.exact), c.step));
        } else {
            EXPECT_TRUE(OnGridNear(f, c.exact, c.step));
        }
    }
}

TEST(FQuantile, GivesItsFixedValuesAtTheEdges) {
    EXPECT_EQ(FQuantile(3, 5, 0), 0);
    EXPECT_EQ(FQuantile(3, 5, 1), 1e30L);
    EXPECT_EQ(FQuantile(0, 5, 0.5L), 0);  // used to recurse for ever in Γ(0)
    EXPECT_EQ(FQuantile(3, 0, 0.5L), 0);
    EXPECT_TRUE(std::isnan(FQuantile(3, 5, std::numeric_limits<Extended>::quiet_NaN())));
}

TEST(FDensity, MatchesTheDensityAndIsZeroOutsideItsRange) {
    const struct {
        int df1, df2;
        Extended x, expected;
    } cases[] = {
        {3, 10, 1.2L, 0.33016639995893721L},  // R: df(1.2, 3, 10)
        {2, 7, 0.5L, 0.5483227164089497L},    // R: df(0.5, 2, 7)
        {1, 10, 1.2L, 0.37132778725340632L},  // the density of |T|: R: 2 * dt(1.2, 10)
        // the powers overflow; from logarithms: R: df(1, 5000, 5000)
        {5000, 5000, 1, 14.104034369349806L},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(RelativelyNear(FDensity(c.df1, c.df2, c.x), c.expected, 1e-12L))
            << c.df1 << ", " << c.df2;
    }
    EXPECT_EQ(FDensity(3, 3, 0), 0);
    EXPECT_EQ(FDensity(3, 3, 1000), 0);
    EXPECT_EQ(FDensity(0, 3, 1), 0);
    EXPECT_EQ(FDensity(3, 0, 1), 0);
}

TEST(FExactQuantile, InvertsBothTails) {
    for (int df1 : {1, 2, 9}) {
        for (int df2 : {1, 4, 300}) {
            for (Extended p : {1e-20L, 0.05L, 0.5L, 0.95L, 1 - 1e-10L}) {
                const Extended x = FExactQuantile(df1, df2, p);
                if (p <= 0.5L) {
                    EXPECT_TRUE(RelativelyNear(FLowerTail(df1, df2, x), p, 1e-11L));
                } else {
                    EXPECT_TRUE(RelativelyNear(FUpperTail(df1, df2, x), 1 - p, 1e-11L));
                }
            }
        }
    }
}

}  // namespace
}  // namespace tabulon

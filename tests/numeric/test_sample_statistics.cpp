// Sample statistics kernel: small hand-worked samples, NIST accuracy, median order.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "numeric/number_text.h"
#include "numeric/sample_statistics.h"
#include "base/language.h"

namespace tabulon {
namespace {

using Texts = std::vector<std::string>;

// Log relative error: the number of correct significant digits of `value`.
double Lre(Extended value, Extended certified) {
    const Extended error = std::fabs(value - certified);
    if (error == 0) return 19.0;
    return static_cast<double>(-std::log10(error / std::fabs(certified)));
}

struct StatisticsCase {
    const char* name;
    Texts values;
    char separator;
    Extended mean;
    Extended variance;
    Extended median;
    Extended sum_of_squares;
    int count;
};

class ComputeSampleStatisticsTest : public ::testing::TestWithParam<StatisticsCase> {};

TEST_P(ComputeSampleStatisticsTest, GivesEveryField) {
    const StatisticsCase& c = GetParam();
    SampleStatistics s;
    ASSERT_TRUE(ComputeSampleStatistics(c.values, c.separator, s));
    EXPECT_GE(Lre(s.Mean, c.mean), 17.5);
    EXPECT_GE(Lre(s.Variance, c.variance), 17.5);
    EXPECT_GE(Lre(s.StdDev, std::sqrt(c.variance)), 17.5);
    EXPECT_EQ(s.Median, c.median);
    EXPECT_GE(Lre(s.SumOfSquares, c.sum_of_squares), 17.5);
    EXPECT_EQ(s.Count, c.count);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, ComputeSampleStatisticsTest,
    ::testing::Values(
        // worked by hand: mean 10/4, variance 5/3, median (2+3)/2, 1+4+9+16
        StatisticsCase{"OneToFour", {"1", "2", "3", "4"}, '.', 2.5L, 5.0L / 3, 2.5L, 30, 4},
        // R: x <- c(2.5,-1,4,4,0.5,7); mean(x); var(x); median(x); sum(x^2)
        // (var = 121/15, worked by hand from the deviations)
        StatisticsCase{"DecimalComma",
                       {"2,5", "-1", " 4 ", "4", "0,5", "7"},
                       ',',
                       17.0L / 6,
                       121.0L / 15,
                       3.25L,
                       88.5L,
                       6},
        // worked by hand: the deviations are -1, 0, 1 whatever the offset
        StatisticsCase{"LargeOffset",
                       {"123456789012.5", "123456789013.5", "123456789011.5"},
                       '.',
                       123456789012.5L,
                       1,
                       123456789012.5L,
                       3 * 123456789012.5L * 123456789012.5L + 2,
                       3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComputeSampleStatistics, RefusesFewerThanTwoValuesAndNonNumbers) {
    SampleStatistics s;
    EXPECT_FALSE(ComputeSampleStatistics(Texts{}, '.', s));
    EXPECT_FALSE(ComputeSampleStatistics(Texts{"5"}, '.', s));
    EXPECT_FALSE(ComputeSampleStatistics(Texts{"1", "abc", "3"}, '.', s));
    EXPECT_FALSE(ComputeSampleStatistics(Texts{"1.5", "2"}, ',', s));  // wrong separator
    EXPECT_FALSE(ComputeSampleStatistics(Texts{"", "2"}, '.', s));
    // The squares no longer fit the extended range.
    EXPECT_FALSE(ComputeSampleStatistics(Texts{"1e3000", "2e3000"}, '.', s));
    EXPECT_FALSE(ComputeSampleStatistics(std::vector<Extended>{1, NAN}, s));
}

TEST(ComputeSampleStatistics, IdenticalValuesHaveExactlyNoSpread) {
    // Written differently, the same number: the deviations must still be exactly zero.
    for (const Texts& values :
         {Texts{"0.1", "0.1", "0.1", "0.1"}, Texts{"1e7", "10000000", "10000000.000", "1E+7"},
          Texts{"-3,3", "-3,30", "-0,33e1"}}) {
        SampleStatistics s;
        ASSERT_TRUE(ComputeSampleStatistics(
            values, values[0].find(',') == std::string::npos ? '.' : ',', s));
        EXPECT_EQ(s.Variance, 0) << values[0];
        EXPECT_EQ(s.StdDev, 0) << values[0];
        EXPECT_EQ(s.Median, s.Mean) << values[0];
    }
}

TEST(ComputeSampleStatistics, TinyValuesKeepTheirSpread) {
    // A variance of 1e-22 is real data, not rounding noise.
    SampleStatistics s;
    ASSERT_TRUE(ComputeSampleStatistics(Texts{"1e-11", "2e-11", "3e-11"}, '.', s));
    EXPECT_GE(Lre(s.StdDev, 1e-11L), 17.5);  // worked by hand: deviations -1, 0, 1 e-11
    EXPECT_GE(Lre(s.Variance, 1e-22L), 17.5);
}

TEST(ComputeSampleStatistics, ConvertedValuesGiveTheSameResults) {
    SampleStatistics from_texts;
    SampleStatistics from_values;
    ASSERT_TRUE(ComputeSampleStatistics(Texts{"4", "1", "3", "2", "8"}, '.', from_texts));
    ASSERT_TRUE(ComputeSampleStatistics(std::vector<Extended>{4, 1, 3, 2, 8}, from_values));
    EXPECT_EQ(from_texts.Mean, from_values.Mean);
    EXPECT_EQ(from_texts.Variance, from_values.Variance);
    EXPECT_EQ(from_texts.Median, 3);  // worked by hand: 1 2 3 4 8
    EXPECT_EQ(from_values.Median, 3);
    EXPECT_EQ(from_texts.SumOfSquares, 94);  // worked by hand: 16+1+9+4+64
}

// Values near 1e6 that differ in the first decimal (the shape of NIST NumAcc3): a one-pass sum of
// squares loses every digit of the spread; both kernels must keep 13 digits.
TEST(ComputeSampleStatistics, LargeOffsetKeepsTheSpread) {
    Texts values{"1000000.2"};
    for (int i = 0; i < 500; ++i) {
        values.push_back("1000000.1");
        values.push_back("1000000.3");
    }
    SampleStatistics s;
    ASSERT_TRUE(ComputeSampleStatistics(values, '.', s));
    EXPECT_GE(Lre(s.Mean, 1000000.2L), 13.0);
    EXPECT_GE(Lre(s.StdDev, 0.1L), 13.0);  // each of 1000 deviations is 0.1, over n − 1 = 1000
    Extended mean = 0, variance = 0;
    int count = 0;
    ASSERT_TRUE(ColumnMeanVariance(values, '.', mean, count, variance));
    EXPECT_EQ(count, 1001);
    EXPECT_GE(Lre(std::sqrt(variance), 0.1L), 13.0);
}

// The order the original bubble sort leaves: the oracle the fast sort must reproduce.
std::vector<Extended> BubbleSorted(std::vector<Extended> a) {
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < a.size(); ++i) {
            if (a[i + 1] < a[i]) {
                std::swap(a[i], a[i + 1]);
                swapped = true;
            }
        }
    }
    return a;
}

TEST(ComputeMedian, PicksWhatTheBubbleSortWouldPickEvenAmongSignedZeros) {
    // +0 and -0 are equal, so only a stable sort keeps the one the bubble sort keeps.
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> pick(0, 5);
    const Extended pool[] = {0.0L, -0.0L, 1.0L, -1.0L, 0.0L, -0.0L};
    for (int trial = 0; trial < 200; ++trial) {
        std::vector<Extended> values(1 + trial % 17);
        for (Extended& v : values) v = pool[pick(random)];
        const std::vector<Extended> sorted = BubbleSorted(values);
        const std::size_t n = sorted.size();
        const Extended expected =
            n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
        Extended median = 99;
        ASSERT_TRUE(ComputeMedian(values, median));
        EXPECT_EQ(median, expected) << trial;
        EXPECT_EQ(std::signbit(median), std::signbit(expected)) << trial;
    }
}

TEST(ComputeMedian, LeavesTheListInItsOrder) {
    const Texts values{"3", "1", "2"};
    Extended median = 0;
    ASSERT_TRUE(ComputeMedian(values, '.', median));
    EXPECT_EQ(median, 2);  // worked by hand
    EXPECT_EQ(values, (Texts{"3", "1", "2"}));
    ASSERT_TRUE(ComputeMedian(Texts{"10", "-4", "7", "1"}, '.', median));
    EXPECT_EQ(median, 4);  // worked by hand: (1 + 7) / 2
}

TEST(ComputeMedian, EmptyIsFalseAndANonNumberRaises) {
    ScopedTextSettings english(Language::English, '.');
    Extended median = 42;
    EXPECT_FALSE(ComputeMedian(Texts{}, '.', median));
    EXPECT_EQ(median, 42);
    EXPECT_THROW(ComputeMedian(Texts{"1", "x"}, '.', median), ConversionError);
}

TEST(SampleRange, FindsTheExtremesOrLeavesTheOutputsAlone) {
    ScopedTextSettings english(Language::English, ',');
    Extended lo = 7;
    Extended hi = 8;
    EXPECT_FALSE(SampleRange(Texts{}, ',', lo, hi));
    EXPECT_EQ(lo, 7);
    EXPECT_EQ(hi, 8);
    ASSERT_TRUE(SampleRange(Texts{"2,5"}, ',', lo, hi));
    EXPECT_EQ(lo, 2.5L);
    EXPECT_EQ(hi, 2.5L);
    ASSERT_TRUE(SampleRange(Texts{"3", "-1,5", "9", "2"}, ',', lo, hi));
    EXPECT_EQ(lo, -1.5L);
    EXPECT_EQ(hi, 9);
    EXPECT_THROW(SampleRange(Texts{"3", "abc"}, ',', lo, hi), ConversionError);
}

TEST(ColumnMeanVariance, SkipsEmptyCellsAndRefusesTooFewOrNonNumbers) {
    Extended mean = 0;
    Extended variance = 0;
    int count = 0;
    ASSERT_TRUE(ColumnMeanVariance(Texts{"", "1", "", "2", "6", ""}, '.', mean, count, variance));
    EXPECT_EQ(mean, 3);  // worked by hand: deviations -2, -1, 3
    EXPECT_EQ(count, 3);
    EXPECT_EQ(variance, 7);  // worked by hand: (4 + 1 + 9) / 2
    EXPECT_FALSE(ColumnMeanVariance(Texts{"", "1", ""}, '.', mean, count, variance));
    EXPECT_FALSE(ColumnMeanVariance(Texts{"1", "two", "3"}, '.', mean, count, variance));
    EXPECT_FALSE(ColumnMeanVariance(Texts{"1", " ", "3"}, '.', mean, count, variance));
}

TEST(ArraySummary, GivesEveryValueInDoublePrecision) {
    ArrayStatistics a;
    ASSERT_TRUE(ArraySummary(std::vector<double>{4, 1, 3, 2}, a));
    EXPECT_EQ(a.Count, 4);
    EXPECT_EQ(a.Sum, 10);
    EXPECT_EQ(a.SumOfSquares, 30);
    EXPECT_DOUBLE_EQ(a.StdDev, 1.2909944487358056);  // R: sd(1:4)
    EXPECT_EQ(a.Mean, 2.5);
    EXPECT_EQ(a.Min, 1);
    EXPECT_EQ(a.Max, 4);
    EXPECT_EQ(a.Median, 2.5);
}

TEST(ArraySummary, LargeOffsetKeepsTheSpread) {
    // R: sd(c(1e8+1, 1e8+2, 1e8+3)) is 1; the raw sums of squares would leave nothing.
    ArrayStatistics a;
    ASSERT_TRUE(ArraySummary(std::vector<double>{1e8 + 1, 1e8 + 2, 1e8 + 3}, a));
    EXPECT_EQ(a.StdDev, 1.0);
    EXPECT_EQ(a.Mean, 1e8 + 2);
    ASSERT_TRUE(ArraySummary(std::vector<double>{0.7, 0.7, 0.7}, a));
    EXPECT_EQ(a.StdDev, 0.0);
}

TEST(ArraySummary, FewerThanThreeIsFalseButTheMedianIsStillThere) {
    ArrayStatistics a;
    EXPECT_FALSE(ArraySummary(std::vector<double>{5, 1}, a));
    EXPECT_EQ(a.Median, 3);  // worked by hand
    EXPECT_EQ(a.Count, 2);
    EXPECT_EQ(a.StdDev, std::sqrt(8.0));  // worked by hand: deviations -2, 2
    EXPECT_FALSE(ArraySummary(std::vector<double>{}, a));
    EXPECT_EQ(a.Count, 0);
    EXPECT_FALSE(
        ArraySummary(std::vector<double>{1, std::numeric_limits<double>::quiet_NaN(), 3}, a));
    EXPECT_EQ(a.Count, 3);
}

struct DifferenceCase {
    const char* a;
    const char* b;
    char separator;
    Extended expected;  // worked by hand, the nearest extended
};

class DecimalDifferenceTest : public ::testing::TestWithParam<DifferenceCase> {};

// Converted first, 1000.3 - 999.9 and 500.7 - 500.3 differ in their last bits; from the
// digits both are the nearest extended to 0.4.
TEST_P(DecimalDifferenceTest, IsTheTypedDifferenceRoundedOnce) {
    const DifferenceCase& c = GetParam();
    EXPECT_EQ(DecimalDifference(c.a, c.b, c.separator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DecimalDifferenceTest,
    ::testing::Values(DifferenceCase{"1000.3", "999.9", '.', 0.4L},
                      DifferenceCase{"500.7", "500.3", '.', 0.4L},
                      DifferenceCase{"500,3", "500,7", ',', -0.4L},
                      DifferenceCase{" 1.25 ", "0.85", '.', 0.4L},
                      DifferenceCase{"4.34e2", "433.9", '.', 0.1L},
                      // 40 digits cannot be held exactly: the converted values' difference
                      DifferenceCase{"1.000000000000000000000000000000000000001", "1", '.', 0}));

std::vector<Extended> Deviations(const Texts& texts, char separator) {
    std::vector<Extended> values;
    for (const std::string& text : texts) values.push_back(StrToNumber(text, separator));
    return DeviationsFromMean(texts, values, separator);
}

TEST(DeviationsFromMean, ValuesTypedEquallyFarFromTheMeanAreExactlyAsFar) {
    // Mean 584.6; 584.3 and 584.9 both 0.3 away (by hand). Converted, 584.9 lies farther.
    const std::vector<Extended> d =
        Deviations(Texts{"584.3", "584.8", "584.6", "584.4", "584.9"}, '.');
    ASSERT_EQ(d.size(), 5u);
    EXPECT_EQ(d[0], -d[4]);
    EXPECT_EQ(d[1], -d[3]);
    EXPECT_EQ(d[2], 0);
    EXPECT_NEAR(double(d[4]), 0.3, 1e-15);
    // Mean 1/3 is no decimal: -1/3, -1/3, 2/3 (by hand), the first two exactly equal.
    const std::vector<Extended> third = Deviations(Texts{"0,1", "1e-1", "1,1"}, ',');
    EXPECT_EQ(third[0], third[1]);
    EXPECT_NEAR(double(third[2]), 2.0 / 3, 1e-15);
    // Too many digits for the exact path: the converted values around their mean.
    const std::vector<Extended> wide = Deviations(Texts{"1e300", "-1e300", "0.5"}, '.');
    EXPECT_NEAR(double(wide[2]), 1.0 / 3, 1e-15);  // 0.5 - 0.5/3, by hand
    EXPECT_TRUE(Deviations(Texts{}, '.').empty());
}

}  // namespace
}  // namespace tabulon

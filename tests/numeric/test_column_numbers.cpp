// A column's texts read once: the exact decimals handed on from ParseNumber, and the
// kernel's whole-number path (counted, not sorted) against the general decimal path and a
// stable sort of the values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "base/language.h"
#include "numeric/exact_decimal.h"
#include "numeric/number_text.h"
#include "numeric/sample_statistics.h"

namespace tabulon {
namespace {

using Texts = std::vector<std::string>;

bool Same(Extended a, Extended b) {
    return a == b && std::signbit(a) == std::signbit(b);
}

// Every text's own exact decimal: the form the kernel falls back on.
ExactColumn DecimalForm(const Texts& texts, char separator) {
    ExactColumn exact;
    for (const std::string& text : texts)
        exact.decimals.push_back(ReadExactDecimal(text, separator));
    return exact;
}

void ExpectSameStatistics(const SampleStatistics& a, const SampleStatistics& b,
                          const std::string& what) {
    EXPECT_TRUE(Same(a.Mean, b.Mean)) << what;
    EXPECT_TRUE(Same(a.Variance, b.Variance)) << what;
    EXPECT_TRUE(Same(a.StdDev, b.StdDev)) << what;
    EXPECT_TRUE(Same(a.Median, b.Median)) << what;
    EXPECT_TRUE(Same(a.SumOfSquares, b.SumOfSquares)) << what;
    EXPECT_EQ(a.Count, b.Count) << what;
}

std::string Fixed(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

struct ColumnCase {
    const char* name;
    bool whole;  // the texts fit the whole-number form
    Texts (*make)(std::mt19937_64&);
};

const ColumnCase kColumns[] = {
    // A balance: four decimals around 100 g; the count fits a direct tally.
    {"Balance", true,
     [](std::mt19937_64& r) {
         std::normal_distribution<double> g(100, 2.5);
         Texts t;
         for (int i = 0; i < 20000; ++i) t.push_back(Fixed(g(r), 4));
         return t;
     }},
    // Decimals that change along the column (1, 1.5, 1.25, ...): the multiples rescale.
    {"GrowingDecimals", true,
     [](std::mt19937_64& r) {
         std::uniform_real_distribution<double> u(-50, 50);
         Texts t;
         for (int i = 0; i < 5000; ++i) t.push_back(Fixed(u(r), i % 7));
         return t;
     }},
    // Six decimals over a wide range: too wide to count, sorted by their digits instead.
    {"WideRange", true,
     [](std::mt19937_64& r) {
         std::uniform_real_distribution<double> u(-1e6, 1e6);
         Texts t;
         for (int i = 0; i < 5000; ++i) t.push_back(Fixed(u(r), 6));
         return t;
     }},
    // Many ties, signed zeros and exponents written out.
    {"TiesAndZeros", true,
     [](std::mt19937_64& r) {
         const Texts pool{"0", "-0", "0.000", "-0e5", "2.5", "25e-1", "-1", "+3", ".5", "7."};
         std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
         Texts t;
         for (int i = 0; i < 3001; ++i) t.push_back(pool[pick(r)]);
         return t;
     }},
    // A 40-digit text half way down: every text takes its own decimal from there on.
    {"LongTextMidway", false,
     [](std::mt19937_64& r) {
         std::normal_distribution<double> g(10, 1);
         Texts t;
         for (int i = 0; i < 2000; ++i) t.push_back(Fixed(g(r), 3));
         t[1000] = "10.000000000000000000000000000000000000001";
         return t;
     }},
    // Whole numbers near 1e15, then millionths: each half fits, together they do not.
    {"MultiplesOutgrown", false,
     [](std::mt19937_64& r) {
         std::uniform_int_distribution<std::int64_t> big(1'000'000'000'000'000,
                                                         2'000'000'000'000'000);
         Texts t;
         for (int i = 0; i < 1000; ++i) t.push_back(std::to_string(big(r)));
         for (int i = 0; i < 1000; ++i) t.push_back(Fixed(static_cast<double>(i % 97) / 1e6, 6));
         return t;
     }},
    // Powers of ten beyond the exact ones.
    {"BigExponents", false,
     [](std::mt19937_64& r) {
         std::uniform_int_distribution<int> e(-40, 40);
         Texts t;
         for (int i = 0; i < 2000; ++i) t.push_back("1.5e" + std::to_string(e(r)));
         return t;
     }},
};

class ColumnNumbersTest : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(ColumnNumbersTest, GiveWhatTheTextsGiveTheGeneralWay) {
    std::mt19937_64 random(20240601);
    const Texts texts = GetParam().make(random);
    const ColumnNumbers numbers = ReadColumnNumbers(texts, '.');
    ASSERT_EQ(numbers.values.size(), texts.size());
    EXPECT_EQ(numbers.exact.whole.size() == texts.size(), GetParam().whole);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_TRUE(Same(numbers.values[i], StrToNumber(texts[i], '.'))) << texts[i];
    }

    SampleStatistics fast;
    SampleStatistics general;
    ValueTally tally;
    ValueTally general_tally;
    ASSERT_TRUE(ComputeSampleStatistics(numbers.values, numbers.exact, fast, &tally));
    ASSERT_TRUE(
        ComputeSampleStatistics(numbers.values, DecimalForm(texts, '.'), general, &general_tally));
    ExpectSameStatistics(fast, general, "whole against general");
    SampleStatistics from_texts;
    ASSERT_TRUE(ComputeSampleStatistics(texts, '.', from_texts));
    ExpectSameStatistics(fast, from_texts, "against the texts");

    // The tally expands to exactly what a stable sort leaves, signed zeros included.
    std::vector<Extended> sorted(numbers.values);
    std::stable_sort(sorted.begin(), sorted.end());
    const std::vector<Extended> expanded = SortedValues(numbers.values, tally);
    ASSERT_EQ(expanded.size(), sorted.size());
    for (std::size_t i = 0; i < sorted.size(); ++i) ASSERT_TRUE(Same(expanded[i], sorted[i])) << i;
    EXPECT_EQ(tally.counts, general_tally.counts);
    ASSERT_EQ(tally.values.size(), general_tally.values.size());
    for (std::size_t k = 0; k < tally.values.size(); ++k) {
        EXPECT_TRUE(Same(tally.values[k], general_tally.values[k])) << k;
    }
    const auto n = static_cast<std::size_t>(fast.Count);
    const Extended median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    EXPECT_TRUE(Same(fast.Median, median));

    // The rest of the sample without one value, as from the other texts.
    for (std::size_t skip : {std::size_t{0}, std::size_t{1}, n / 2, n - 1}) {
        Texts rest = texts;
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(skip));
        SampleStatistics without;
        SampleStatistics expected;
        ASSERT_TRUE(ComputeSampleStatisticsWithout(numbers.values, numbers.exact, skip, without));
        ASSERT_TRUE(ComputeSampleStatistics(rest, '.', expected));
        ExpectSameStatistics(without, expected, "without " + std::to_string(skip));
    }
}

INSTANTIATE_TEST_SUITE_P(Columns, ColumnNumbersTest, ::testing::ValuesIn(kColumns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ColumnNumbers, HandOnTheDecimalsTheTextsHold) {
    // The digits ParseNumber hands back make the decimal that reading the text makes.
    for (const char* text : {"100.1230", "-0.000", "0", "+12e3", "1.5E-26", "9999999999999999999",
                             "0000000000000000000000001.5", " 7.25 ", "-.5", "120e-2"}) {
        std::optional<ShortDecimal> digits;
        ASSERT_TRUE(ParseNumber(text, '.', digits).has_value()) << text;
        ASSERT_TRUE(digits.has_value()) << text;
        const ExactDecimal handed = ToExactDecimal(*digits);
        const ExactDecimal read = ReadExactDecimal(text, '.');
        EXPECT_TRUE(handed.exact && read.exact) << text;
        EXPECT_TRUE(handed.mantissa == read.mantissa) << text;
        EXPECT_EQ(handed.exponent, read.exponent) << text;
        EXPECT_EQ(handed.digits, read.digits) << text;
    }
    // 100.1230 and 5 as whole multiples of 10^-3 (by hand): 100123 and 5000.
    const ColumnNumbers numbers = ReadColumnNumbers(Texts{"100.1230", "5"}, '.');
    EXPECT_EQ(numbers.exact.whole, (std::vector<std::int64_t>{100123, 5000}));
    EXPECT_EQ(numbers.exact.exponent, -3);
}

TEST(ColumnNumbers, NameTheFirstTextThatIsNotANumber) {
    ScopedTextSettings english(Language::English, '.');
    try {
        ReadColumnNumbers(Texts{"1", "2,5", "x"}, '.');
        FAIL() << "no error raised";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.text(), "2,5");
    }
    SampleStatistics s;
    const ColumnNumbers one = ReadColumnNumbers(Texts{"4"}, '.');
    EXPECT_FALSE(ComputeSampleStatistics(one.values, one.exact, s));
    EXPECT_FALSE(ComputeSampleStatisticsWithout(one.values, one.exact, 0, s));
}

}  // namespace
}  // namespace tabulon

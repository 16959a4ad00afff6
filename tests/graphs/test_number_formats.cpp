// The graph formatters: significant digits, short tick labels and trimmed fixed texts.
#include <gtest/gtest.h>

#include <limits>

#include "base/language.h"
#include "graphs/number_formats.h"

namespace tabulon {
namespace {

// 3 digits unless said otherwise; the first rows are the worked examples of the graph
// engine's definition, the rest worked by hand from the same rules.
TEST(FormatSignificant, WritesTheAskedDigits) {
    const struct {
        int digits;
        long double value;
        const char* expected;
    } cases[] = {
        {3, 123.456L, "123"},
        {3, 1.5L, "1.50"},
        {3, 0.0000123456L, "0.0000123"},
        {3, 12345.6L, "12346"},  // the integer part is never cut
        {3, -0.5L, "-0.500"},
        {3, 1234567, "1.23E+6"},
        {3, 0, "0.00"},
        {10, 1234567, "1.234567000E+6"},  // ten digits, as the evaluator once used them
        {3, 1e6L, "1.00E+6"},             // the fixed range is open
        {3, 1e-6L, "1.00E-6"},
        {3, 999999.4L, "999999"},   // still fixed, not cut
        {3, 1.5e-12L, "1.50E-12"},  // no leading exponent zeros
        {3, 4.5e100L, "4.50E+100"},
        {2, 0.125L, "0.13"},  // exact tie, away from zero
        {1, 2.5e7L, "3E+7"},  // and in scientific form
        {0, 7.25L, "7"},
        // a rounding carry adds a digit in front, and the text keeps the asked digits
        {3, 9996000, "1.00E+7"},  // not 10.00E+6
        {3, -9.9999e-8L, "-1.00E-7"},
        {3, 9.996L, "10.0"},     // not 10.00
        {3, 0.09996L, "0.100"},  // not 0.1000
        {3, 99.96L, "100"},
        {4, 999999.9L, "1000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatSignificant(c.digits, c.value, '.'), c.expected)
            << c.digits << " digits of " << double(c.value);
    }
}

// The definition's examples, then worked by hand.
TEST(FormatTickShort, WritesTheLabelOrNothing) {
    const struct {
        long double value;
        const char* expected;
    } cases[] = {
        {1, "1.00"},  // exactly 1
        {0.05L, "0.050"},
        {250000, "250000.00"},
        {-0.4L, "-0.40"},
        {5, "5"},     // whole-number range
        {1.5L, "2"},  // rounded, ties away from zero
        {99999.5L, "100000"},
        {100000, "100000.00"},  // the range is open at 100000
        {1e-9L, "0"},           // below 1e-8: whole numbers
        {-1e-9L, "0"},          // and never "-0"
        // 0.1 * 10 is 1, not above 1, so one decimal more
        {0.1L, "0.100"},
        {0.1, "0.100"},  // typed or binary
        {0.002L, "0.0020"},
        {0.001L, ""},  // too small to label
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTickShort(c.value, '.'), c.expected) << double(c.value);
}

TEST(FormatFixedTrim, KeepsSixDecimalsWithoutTrailingZeros) {
    const struct {
        long double value;
        const char* expected;
    } cases[] = {
        {2.5L, "2.5"},  // the definition's examples
        {-2.5L, "-2.5"},
        {1.23456789L, "1.234568"},  // six decimals, rounded
        {1234567.5L, "1234567.5"},
        {100, "100"},        // zeros before the point stay
        {-0.0000001L, "0"},  // rounds to zero: never "-0"
        {-0.0L, "0"},
        {0.0000004L, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFixedTrim(c.value, '.'), c.expected) << double(c.value);
}

TEST(NumberFormats, UseTheGivenOrCurrentSeparatorAndNameNonFiniteValues) {
    EXPECT_EQ(FormatSignificant(3, 1234567, ','), "1,23E+6");
    EXPECT_EQ(FormatTickShort(0.5L, ','), "0,50");
    EXPECT_EQ(FormatFixedTrim(20, ','), "20");
    {
        ScopedTextSettings sv(Language::Swedish, ',');
        EXPECT_EQ(FormatSignificant(4, 0.000123456L), "0,0001235");
        EXPECT_EQ(FormatTickShort(-0.4L), "-0,40");
        EXPECT_EQ(FormatFixedTrim(0.125L), "0,125");
    }
    ScopedTextSettings en(Language::English, '.');
    EXPECT_EQ(FormatSignificant(4, 0.000123456L), "0.0001235");
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(FormatSignificant(3, inf, '.'), "INF");
    EXPECT_EQ(FormatTickShort(-inf, '.'), "-INF");
    EXPECT_EQ(FormatFixedTrim(std::numeric_limits<long double>::quiet_NaN(), '.'), "NAN");
}

}  // namespace
}  // namespace tabulon

// The graph formatters: significant digits, short tick labels and trimmed fixed texts.
#include <gtest/gtest.h>

#include "graphs/number_formats.h"
#include "base/language.h"

namespace tabulon {
namespace {

struct SignificantCase {
    int digits;
    long double value;
    const char* expected;
};

void PrintTo(const SignificantCase& c, std::ostream* os) {
    *os << c.digits << " digits of " << static_cast<double>(c.value);
}

class FormatSignificantTest : public ::testing::TestWithParam<SignificantCase> {};

TEST_P(FormatSignificantTest, WritesTheExpectedText) {
    const SignificantCase& c = GetParam();
    EXPECT_EQ(FormatSignificant(c.digits, c.value, '.'), c.expected);
}

// The worked examples of the graph engine's definition, 3 digits unless said otherwise.
INSTANTIATE_TEST_SUITE_P(
    Defined, FormatSignificantTest,
    ::testing::Values(
        SignificantCase{3, 123.456L, "123"}, SignificantCase{3, 1.5L, "1.50"},
        SignificantCase{3, 0.0000123456L, "0.0000123"},
        SignificantCase{3, 12345.6L, "12346"},  // the integer part is never cut
        SignificantCase{3, -0.5L, "-0.500"}, SignificantCase{3, 1234567, "1.23E+6"},
        SignificantCase{3, 0, "0.00"}, SignificantCase{4, 0.000123456L, "0.0001235"},
        SignificantCase{3, 2.5e-7L, "2.50E-7"},
        // ten digits, as the evaluator once used them
        SignificantCase{10, 2.5L, "2.500000000"}, SignificantCase{10, 123456.7L, "123456.7000"},
        SignificantCase{10, 0.5L, "0.5000000000"}, SignificantCase{10, 1234567, "1.234567000E+6"},
        SignificantCase{10, 0.0000001L, "1.000000000E-7"}, SignificantCase{10, 0, "0.000000000"}));

// Worked by hand from the same rules.
INSTANTIATE_TEST_SUITE_P(
    Edges, FormatSignificantTest,
    ::testing::Values(SignificantCase{3, 1e6L, "1.00E+6"},  // the fixed range is open
                      SignificantCase{3, 1e-6L, "1.00E-6"},
                      SignificantCase{3, 999999.4L, "999999"},  // still fixed, not cut
                      SignificantCase{3, -1234567, "-1.23E+6"},
                      SignificantCase{3, 1.5e-12L, "1.50E-12"},  // no leading exponent zeros
                      SignificantCase{3, 4.5e100L, "4.50E+100"},
                      SignificantCase{2, 0.125L, "0.13"},  // exact tie, away from zero
                      SignificantCase{1, 2.5e7L, "3E+7"},  // and in scientific form
                      SignificantCase{1, 7.25L, "7"}, SignificantCase{0, 7.25L, "7"}));

// A rounding carry adds a digit in front, and the text keeps the asked number of digits.
INSTANTIATE_TEST_SUITE_P(Carry, FormatSignificantTest,
                         ::testing::Values(SignificantCase{3, 9996000, "1.00E+7"},  // not 10.00E+6
                                           SignificantCase{3, -9.9999e-8L, "-1.00E-7"},
                                           SignificantCase{3, 9.996L, "10.0"},  // not 10.00
                                           SignificantCase{3, -9.996L, "-10.0"},
                                           SignificantCase{3, 0.09996L, "0.100"},  // not 0.1000
                                           SignificantCase{3, 99.96L, "100"},
                                           SignificantCase{4, 999999.9L, "1000000"}));

TEST(FormatSignificant, UsesTheGivenOrCurrentSeparator) {
    EXPECT_EQ(FormatSignificant(3, 1.5L, ','), "1,50");
    EXPECT_EQ(FormatSignificant(3, 1234567, ','), "1,23E+6");
    ScopedTextSettings sv(Language::Swedish, ',');
    EXPECT_EQ(FormatSignificant(4, 0.000123456L), "0,0001235");
    ScopedTextSettings en(Language::English, '.');
    EXPECT_EQ(FormatSignificant(4, 0.000123456L), "0.0001235");
}

struct TextCase {
    long double value;
    const char* expected;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << static_cast<double>(c.value);
}

class FormatTickShortTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(FormatTickShortTest, WritesTheExpectedLabel) {
    EXPECT_EQ(FormatTickShort(GetParam().value, '.'), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatTickShortTest,
    ::testing::Values(TextCase{1, "1.00"},            // defined: exactly 1
                      TextCase{0.5L, "0.50"},         // defined
                      TextCase{0.05L, "0.050"},       // defined
                      TextCase{250000, "250000.00"},  // defined
                      TextCase{0.0005L, ""},          // defined: too small to label
                      TextCase{-0.4L, "-0.40"},       // defined
                      TextCase{5, "5"},               // whole-number range
                      TextCase{1.5L, "2"},            // rounded, ties away from zero
                      TextCase{99999.5L, "100000"},
                      TextCase{100000, "100000.00"},  // the range is open at 100000
                      TextCase{1e-9L, "0"},           // below 1e-8: whole numbers
                      TextCase{-1e-9L, "0"},          // and never "-0"
                      // worked by hand: 0.1 * 10 is 1, not above 1, so one decimal more
                      TextCase{0.1L, "0.100"}, TextCase{0.1, "0.100"},  // typed or binary
                      TextCase{0.002L, "0.0020"}, TextCase{0.001L, ""}, TextCase{-1, "-1.00"}));

TEST(FormatTickShort, UsesTheGivenOrCurrentSeparator) {
    EXPECT_EQ(FormatTickShort(0.5L, ','), "0,50");
    ScopedTextSettings sv(Language::Swedish, ',');
    EXPECT_EQ(FormatTickShort(-0.4L), "-0,40");
}

class FormatFixedTrimTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(FormatFixedTrimTest, WritesTheExpectedText) {
    EXPECT_EQ(FormatFixedTrim(GetParam().value, '.'), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatFixedTrimTest,
    ::testing::Values(TextCase{2.5L, "2.5"},  // defined
                      TextCase{3, "3"},       // defined
                      TextCase{0, "0"}, TextCase{-2.5L, "-2.5"},
                      TextCase{1.23456789L, "1.234568"},  // six decimals, rounded
                      TextCase{1234567.5L, "1234567.5"},
                      TextCase{100, "100"},        // zeros before the point stay
                      TextCase{-0.0000001L, "0"},  // rounds to zero: never "-0"
                      TextCase{-0.0L, "0"}, TextCase{0.0000004L, "0"}));

TEST(FormatFixedTrim, UsesTheGivenOrCurrentSeparator) {
    EXPECT_EQ(FormatFixedTrim(2.5L, ','), "2,5");
    EXPECT_EQ(FormatFixedTrim(20, ','), "20");
    ScopedTextSettings sv(Language::Swedish, ',');
    EXPECT_EQ(FormatFixedTrim(0.125L), "0,125");
}

TEST(NumberFormats, NonFiniteValuesAreNamedNotPrintedAsDigits) {
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(FormatSignificant(3, inf, '.'), "INF");
    EXPECT_EQ(FormatTickShort(-inf, '.'), "-INF");
    EXPECT_EQ(FormatFixedTrim(std::numeric_limits<long double>::quiet_NaN(), '.'), "NAN");
}

}  // namespace
}  // namespace tabulon

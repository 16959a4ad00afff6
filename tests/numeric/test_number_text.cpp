// Number texts: parsing with either separator and the general and fixed renderings.
#include "numeric/number_text.h"

#include <gtest/gtest.h>

#include "base/language.h"

namespace tabulon {
namespace {

TEST(ParseNumber, AcceptsWholeNumberTextsWithTheGivenSeparator) {
    EXPECT_EQ(ParseNumber("2,5", ','), 2.5L);
    EXPECT_EQ(ParseNumber("  -2.5  ", '.'), -2.5L);
    EXPECT_EQ(ParseNumber("+1e3", '.'), 1000.0L);
    EXPECT_EQ(ParseNumber(".5", '.'), 0.5L);
    EXPECT_EQ(ParseNumber("5.", '.'), 5.0L);
    EXPECT_EQ(ParseNumber("1E-2", ','), 0.01L);
}

TEST(ParseNumber, RefusesAnythingThatIsNotWhollyANumber) {
    for (const char* bad : {"", "  ", "abc", "2.5", "1,000,0", "1e", "e5", "--1", "1 2",
                            "inf", "nan", "0x10", "1e99999", ",", "1e-"}) {
        EXPECT_FALSE(ParseNumber(bad, ',').has_value()) << bad;
    }
    EXPECT_FALSE(ParseNumber("2,5", '.').has_value());
    EXPECT_EQ(ParseNumber("1e-99999", '.'), 0.0L);  // underflow is zero, not an error
}

TEST(StrToNumber, RaisesAConversionErrorInTheCurrentLanguage) {
    ScopedTextSettings sv(Language::Swedish, ',');
    try {
        StrToNumber("abc", ',');
        FAIL() << "no error raised";
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' är inte ett giltigt tal");
    }
    ScopedTextSettings en(Language::English, '.');
    EXPECT_THROW(StrToNumber("1..2", '.'), ConversionError);
    try {
        StrToNumber("x", '.');
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid number");
    }
}

TEST(ParseInteger, TakesOnlyWholeNumbersThatFit) {
    EXPECT_EQ(ParseInteger(" 12 "), 12);
    EXPECT_EQ(ParseInteger("-3"), -3);
    EXPECT_FALSE(ParseInteger("1.5").has_value());
    EXPECT_FALSE(ParseInteger("99999999999").has_value());
    EXPECT_FALSE(ParseInteger("").has_value());
}

struct GeneralCase {
    long double value;
    int precision;
    const char* expected;
};

class FormatGeneralTest : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(FormatGeneralTest, RendersAsTheGeneralFormat) {
    const GeneralCase& c = GetParam();
    EXPECT_EQ(FormatGeneral(c.value, c.precision, 0, '.'), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatGeneralTest,
    ::testing::Values(GeneralCase{0, 15, "0"}, GeneralCase{1.5L, 15, "1.5"},
                      GeneralCase{1000, 15, "1000"}, GeneralCase{-2.25L, 15, "-2.25"},
                      GeneralCase{0.1L, 15, "0.1"},  // not 0.100000000000000006
                      GeneralCase{1.0L / 3, 15, "0.333333333333333"},
                      GeneralCase{0.00001L, 15, "0.00001"},
                      GeneralCase{0.0000099L, 15, "9.9E-6"},
                      GeneralCase{123456, 3, "1.23E+5"},  // integer digits exceed P
                      GeneralCase{123456, 15, "123456"}, GeneralCase{1e15L, 15, "1E+15"},
                      GeneralCase{999999999999999.0L, 15, "999999999999999"},
                      GeneralCase{2.5L, 1, "3"},    // exact tie: away from zero
                      GeneralCase{-2.5L, 1, "-3"},  // and for negatives
                      GeneralCase{9.96L, 2, "10"},  // carry into a new digit
                      GeneralCase{0.012345L, 3, "0.0123"}));

TEST(FormatGeneral, UsesTheGivenSeparatorAndExponentDigits) {
    EXPECT_EQ(FormatGeneral(1.5L, 15, 0, ','), "1,5");
    EXPECT_EQ(FormatGeneral(1.5e-7L, 15, 2, ','), "1,5E-07");
    EXPECT_EQ(FormatShortest(1e3L, ','), "1000");
}

struct FixedCase {
    long double value;
    int decimals;
    const char* expected;
};

class FormatFixedTest : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixedTest, RendersWithExactlyTheDecimals) {
    const FixedCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.decimals, '.'), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatFixedTest,
    ::testing::Values(FixedCase{3, 2, "3.00"}, FixedCase{-2.346L, 2, "-2.35"},
                      FixedCase{2.5L, 0, "3"}, FixedCase{0.125L, 2, "0.13"},
                      FixedCase{0.006L, 2, "0.01"}, FixedCase{0.375L, 2, "0.38"},
                      FixedCase{0.004L, 2, "0.00"}, FixedCase{-0.001L, 2, "0.00"},
                      FixedCase{0.0004L, 2, "0.00"}, FixedCase{9.996L, 2, "10.00"},
                      FixedCase{99.5L, 0, "100"}, FixedCase{0, 3, "0.000"},
                      FixedCase{1e20L, 1, "100000000000000000000.0"},
                      FixedCase{123.456L, 0, "123"}, FixedCase{-0.5L, 0, "-1"}));

}  // namespace
}  // namespace tabulon

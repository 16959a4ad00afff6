// Number texts: parsing with either separator and the general and fixed renderings.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "base/language.h"
#include "numeric/number_text.h"

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
    for (const char* bad : {"", "  ", "abc", "2.5", "1,000,0", "1e", "e5", "--1", "1 2", "inf",
                            "nan", "0x10", "1e99999", ",", "1e-"}) {
        EXPECT_FALSE(ParseNumber(bad, ',').has_value()) << bad;
    }
    EXPECT_FALSE(ParseNumber("2,5", '.').has_value());
    EXPECT_EQ(ParseNumber("1e-99999", '.'), 0.0L);  // underflow is zero, not an error
}

// Texts as balances, calculators and spreadsheets write them, with the digit counts and
// exponents on both sides of the short route's limits (19 digits, 10^±27).
std::string RandomNumberText(std::mt19937_64& random) {
    std::uniform_int_distribution<int> pick(0, 99);
    std::string text;
    if (pick(random) < 30) text += pick(random) < 80 ? "-" : "+";
    const int integer_digits = pick(random) % 23;
    const int fraction_digits = pick(random) < 20 ? 0 : pick(random) % 23;
    if (pick(random) < 10) text += "000";
    for (int i = 0; i < integer_digits; ++i) text += static_cast<char>('0' + pick(random) % 10);
    if (fraction_digits > 0 || integer_digits == 0) {
        text += '.';
        for (int i = 0; i < std::max(fraction_digits, 1); ++i) {
            text += static_cast<char>('0' + (pick(random) < 15 ? 0 : pick(random) % 10));
        }
    }
    if (pick(random) < 30) {
        text += pick(random) < 50 ? 'e' : 'E';
        if (pick(random) < 50) text += pick(random) < 70 ? '-' : '+';
        text += std::to_string(pick(random) % 40);
    }
    return text;
}

TEST(ParseNumber, RoundsEveryTextAsTheLibraryConversionDoes) {
    std::mt19937_64 random(20240601);
    int short_texts = 0;
    for (int trial = 0; trial < 200000; ++trial) {
        const std::string text = RandomNumberText(random);
        long double expected = 0;  // from_chars: correctly rounded, whatever the locale
        const auto [end, ec] =
            std::from_chars(text.data() + (text[0] == '+'), text.data() + text.size(), expected);
        ASSERT_EQ(ec, std::errc()) << text;
        ASSERT_EQ(end, text.data() + text.size()) << text;
        std::optional<ShortDecimal> digits;
        std::string comma = text;
        std::replace(comma.begin(), comma.end(), '.', ',');
        for (const auto& [written, separator] : {std::pair{text, '.'}, std::pair{comma, ','}}) {
            const std::optional<Extended> value = ParseNumber(written, separator, digits);
            ASSERT_TRUE(value.has_value()) << written;
            ASSERT_EQ(*value, expected) << written;
            ASSERT_EQ(std::signbit(*value), std::signbit(expected)) << written;
        }
        if (digits) {
            ++short_texts;
            // The digits hand on the very value: mantissa * 10^exponent, rounded once.
            Extended power = 1;  // exact up to 10^27
            for (int k = 0; k < std::abs(digits->exponent); ++k) power *= 10;
            const Extended scaled = digits->exponent >= 0 ? Extended(digits->mantissa) * power
                                                          : Extended(digits->mantissa) / power;
            ASSERT_EQ(digits->negative ? -scaled : scaled, expected) << text;
        }
    }
    EXPECT_GT(short_texts, 100000);  // the short route was taken, not only the general one
}

// The digits every rendering rests on, as first made: the library's correctly rounded
// 45-digit expansion, then rounded half away from zero at n digits.
DecimalDigits LibraryDigits(Extended value, int n) {
    char buffer[128];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                 std::chars_format::scientific, 44);
    const std::string s(buffer, r.ptr);
    const std::size_t e = s.find('e');
    std::string digits;
    for (char c : s.substr(0, e)) {
        if (c != '.') digits += c;
    }
    DecimalDigits out;
    out.exponent = std::stoi(s.substr(e + 1));
    out.negative = value < 0;
    out.digits = digits.substr(0, static_cast<std::size_t>(n));
    if (digits[static_cast<std::size_t>(n)] >= '5') {
        std::size_t k = out.digits.size();
        while (k > 0 && out.digits[k - 1] == '9') out.digits[--k] = '0';
        if (k > 0) {
            ++out.digits[k - 1];
        } else {
            out.digits = "1" + out.digits.substr(0, out.digits.size() - 1);
            ++out.exponent;
        }
    }
    return out;
}

TEST(RoundToSignificant, GivesTheDigitsOfTheLibrarysExpansion) {
    std::vector<Extended> values;
    std::mt19937_64 random(20240601);
    std::uniform_int_distribution<int> power(-200, 80);
    for (int i = 0; i < 30000; ++i) {
        // Every bit of the 64-bit significand random, any power of two from 2^-200 to 2^80.
        const auto mantissa = random() | (std::uint64_t{1} << 63);
        values.push_back(std::ldexp(static_cast<Extended>(mantissa), power(random) - 63));
    }
    // Short decimals, a last bit above or below them: their expansions run on in zeros or in
    // nines (plotting positions, four-decimal readings).
    for (int i = 0; i < 3000; ++i) {
        values.push_back((i + 0.5L) / 1000000);
        values.push_back(100 + i / 10000.0L);
        values.push_back(std::nextafter((i + 1) / 1000.0L, Extended(0)));
    }
    // Exact ties at a few digits, their neighbours, and runs of nines that carry.
    for (Extended tie : {0.125L, 1.25L, 2.5L, 0.0625L, 1.5L, 99.5L, 0.000030517578125L}) {
        values.insert(values.end(),
                      {tie, std::nextafter(tie, Extended(0)), std::nextafter(tie, Extended(1e9))});
    }
    for (Extended edge : {1.0L, 10.0L, 1e18L, 1e-5L, 0.1L, 0.5L, 9.5L}) {
        for (Extended x = edge, k = 0; k < 4; ++k) {
            x = std::nextafter(x, Extended(0));
            values.insert(values.end(), {x, std::nextafter(edge, Extended(1e30))});
        }
    }
    for (Extended v : values) {
        for (int n : {1, 2, 3, 5, 6, 15, 17, 18}) {
            const DecimalDigits fast = RoundToSignificant(-v, n);
            const DecimalDigits expected = LibraryDigits(-v, n);
            ASSERT_EQ(fast.digits, expected.digits) << static_cast<double>(v) << " n " << n;
            ASSERT_EQ(fast.exponent, expected.exponent) << static_cast<double>(v) << " n " << n;
            ASSERT_TRUE(fast.negative);
        }
    }
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

// Worked by hand from the general format: at most P significant digits, scientific when
// the integer digits exceed P or below 1e-5, exact ties away from zero.
TEST(FormatGeneral, RendersAsTheGeneralFormat) {
    const struct {
        long double value;
        int precision;
        const char* expected;
    } cases[] = {
        {0, 15, "0"},
        {1000, 15, "1000"},
        {-2.25L, 15, "-2.25"},
        {0.1L, 15, "0.1"},  // not 0.100000000000000006
        {1.0L / 3, 15, "0.333333333333333"},
        {0.00001L, 15, "0.00001"},
        {0.0000099L, 15, "9.9E-6"},
        {123456, 3, "1.23E+5"},  // integer digits exceed P
        {1e15L, 15, "1E+15"},
        {999999999999999.0L, 15, "999999999999999"},
        {2.5L, 1, "3"},    // exact tie: away from zero
        {-2.5L, 1, "-3"},  // and for negatives
        {9.96L, 2, "10"},  // carry into a new digit
        {0.012345L, 3, "0.0123"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatGeneral(c.value, c.precision, 0, '.'), c.expected) << double(c.value);
    }
}

TEST(FormatGeneral, UsesTheGivenSeparatorAndExponentDigits) {
    EXPECT_EQ(FormatGeneral(1.5L, 15, 0, ','), "1,5");
    EXPECT_EQ(FormatGeneral(1.5e-7L, 15, 2, ','), "1,5E-07");
    EXPECT_EQ(FormatShortest(1e3L, ','), "1000");
}

// Worked by hand: exactly the decimals, ties away from zero, never "-0.00".
TEST(FormatFixed, RendersWithExactlyTheDecimals) {
    const struct {
        long double value;
        int decimals;
        const char* expected;
    } cases[] = {{3, 2, "3.00"},
                 {-2.346L, 2, "-2.35"},
                 {2.5L, 0, "3"},
                 {0.125L, 2, "0.13"},
                 {0.375L, 2, "0.38"},
                 {0.004L, 2, "0.00"},
                 {-0.001L, 2, "0.00"},
                 {9.996L, 2, "10.00"},
                 {99.5L, 0, "100"},
                 {0, 3, "0.000"},
                 {1e20L, 1, "100000000000000000000.0"},
                 {-0.5L, 0, "-1"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals, '.'), c.expected) << double(c.value);
    }
}

}  // namespace
}  // namespace tabulon

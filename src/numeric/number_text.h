// Number texts: parsing cell and box texts with the current decimal separator, and the
// general, shortest and fixed-point renderings used in cells and result texts.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "numeric/extended.h"

namespace tabulon {

// Raised where a number is needed and the text is not one; the command dispatcher shows
// what() (already in the current language) and the command ends.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(std::string_view text);
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// The whole text must be a number: optional blanks, optional sign, digits with at most one
// `decimal_separator`, optional exponent (e or E, optional sign, digits), optional blanks.
// No thousands separators, no inf or nan, nothing outside the extended range.
std::optional<Extended> ParseNumber(std::string_view text, char decimal_separator);

// The digits of a number text with at most 19 significant ones and a power of ten within
// ±27: its value is exactly ±`mantissa` · 10^`exponent` (mantissa as written, without
// leading zeros), and ParseNumber rounds that once. The statistics take exact decimal
// differences from these instead of reading the text again.
struct ShortDecimal {
    std::uint64_t mantissa = 0;
    int exponent = 0;
    bool negative = false;
};
// ParseNumber that also hands back the digits when the text has a ShortDecimal form
// (`digits` is reset otherwise).
std::optional<Extended> ParseNumber(std::string_view text, char decimal_separator,
                                    std::optional<ShortDecimal>& digits);

// As ParseNumber, but a text that is not a number raises ConversionError.
Extended StrToNumber(std::string_view text, char decimal_separator);

// A whole number that fits in an int (blanks around it allowed), else nullopt.
std::optional<int> ParseInteger(std::string_view text);
// As ParseInteger, but raises ConversionError.
int StrToInteger(std::string_view text);

// The most digits the two formats below write: a precision beyond 18 and decimals beyond 60
// are taken as these, so a setting read from a file cannot ask for an endless text.
inline constexpr int kMaxGeneralPrecision = 18;
inline constexpr int kMaxFixedDecimals = 60;

// General format: rounded to `precision` significant digits (ties away from zero); plain
// notation without trailing zeros while |v| >= 0.00001 and the integer digits number at most
// `precision`, otherwise mantissa, "E", sign, exponent of at least `exponent_digits` digits.
std::string FormatGeneral(Extended value, int precision, int exponent_digits,
                          char decimal_separator);

// The shortest general text: the general format with 15 significant digits.
std::string FormatShortest(Extended value, char decimal_separator);

// Fixed point with exactly `decimals` decimals (ties away from zero), no exponent, no
// thousands separators. A value that rounds to zero is written without a minus sign.
std::string FormatFixed(Extended value, int decimals, char decimal_separator);

// The decimal digits of |value| rounded to `significant` digits, ties away from zero:
// value ~ 0.d1d2d3... * 10^(exponent+1), i.e. `exponent` is the power of ten of the first
// digit. A rounding carry moves into the exponent (9.99 to 2 digits is "10" -> "1", +1).
struct DecimalDigits {
    std::string digits;  // exactly `significant` digits, the first non-zero unless value is 0
    int exponent = 0;
    bool negative = false;
};
DecimalDigits RoundToSignificant(Extended value, int significant);

}  // namespace tabulon

// Number texts as exact decimals: the differences of typed values taken with one rounding,
// so that values sharing their leading digits keep every digit of their spread.
#pragma once

#include <optional>
#include <string_view>

#include "numeric/extended.h"
#include "numeric/number_text.h"

namespace tabulon {

__extension__ typedef __int128 Int128;

// A number text as the exact decimal mantissa * 10^exponent, when its significant digits
// fit in 36 decimal digits and its exponent is of a sane size (`exact`). The mantissa has
// no trailing zeros; zero is mantissa 0, exponent 0.
struct ExactDecimal {
    Int128 mantissa = 0;
    int exponent = 0;
    int digits = 0;  // decimal digits of |mantissa|
    bool exact = false;
};

inline constexpr int kMaxExactDigits = 36;
inline constexpr int kMaxAlignedDigits = 37;  // 10^37 and a difference of two fit in 127 bits

// Reads a text that ParseNumber has already accepted with `decimal_separator`.
ExactDecimal ReadExactDecimal(std::string_view text, char decimal_separator);
// The same from the digits ParseNumber handed back, without reading the text again.
ExactDecimal ToExactDecimal(const ShortDecimal& digits);

// 10^n for 0 <= n <= 38.
Int128 PowerOfTen128(int n);

// m * 10^e with one rounding of m and one of the scaling (exact powers up to 10^27).
Extended ScaleByPowerOfTen(Int128 m, int e);

// a - b with a single rounding when both are exact decimals close enough to align.
std::optional<Extended> ExactDifference(const ExactDecimal& a, const ExactDecimal& b);

}  // namespace tabulon

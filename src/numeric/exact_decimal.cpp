// Exact decimals of number texts and their differences with a single rounding.
#include "numeric/exact_decimal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace tabulon {
namespace {

constexpr auto kPowersOfTen128 = [] {
    std::array<Int128, 39> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 10;
    return p;
}();

// The powers of ten that are exact in the 64-bit mantissa.
constexpr int kMaxExactPower = 27;
constexpr auto kPowersOfTen = [] {
    std::array<Extended, kMaxExactPower + 1> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 10;
    return p;
}();

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The same rounding as the 128-bit conversion, which is a library call, by the machine's
// own 64-bit load when the value fits (both are then exact).
Extended ToExtended(Int128 m) {
    const auto low = static_cast<std::int64_t>(m);
    return low == m ? static_cast<Extended>(low) : static_cast<Extended>(m);
}

int DigitCount(std::uint64_t m) {
    int digits = 1;
    while (m >= 10) {
        m /= 10;
        ++digits;
    }
    return digits;
}

}  // namespace

ExactDecimal ReadExactDecimal(std::string_view text, char decimal_separator) {
    ExactDecimal out;
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    Int128 mantissa = 0;
    int digits = 0;
    long exponent = 0;
    bool lost = false;
    auto take = [&](char c, bool fraction) {
        if (digits == 0 && c == '0') {
            if (fraction) --exponent;
            return;
        }
        if (digits < kMaxExactDigits) {
            mantissa = mantissa * 10 + (c - '0');
            ++digits;
            if (fraction) --exponent;
        } else {
            if (c != '0') lost = true;
            if (!fraction) ++exponent;
        }
    };
    while (i < text.size() && IsDigit(text[i])) take(text[i++], false);
    if (i < text.size() && text[i] == decimal_separator) {
        ++i;
        while (i < text.size() && IsDigit(text[i])) take(text[i++], true);
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool exponent_negative = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            exponent_negative = text[i++] == '-';
        }
        long written = 0;
        while (i < text.size() && IsDigit(text[i])) {
            if (written < 1000000) written = written * 10 + (text[i] - '0');
            ++i;
        }
        exponent += exponent_negative ? -written : written;
    }
    if (lost || exponent < -100000 || exponent > 100000) return out;
    if (mantissa == 0) {
        out.exact = true;
        return out;
    }
    while (mantissa % 10 == 0) {
        mantissa /= 10;
        ++exponent;
        --digits;
    }
    out.exact = true;
    out.mantissa = negative ? -mantissa : mantissa;
    out.exponent = static_cast<int>(exponent);
    out.digits = digits;
    return out;
}

ExactDecimal ToExactDecimal(const ShortDecimal& digits) {
    ExactDecimal out;
    out.exact = true;
    if (digits.mantissa == 0) return out;
    std::uint64_t m = digits.mantissa;
    int exponent = digits.exponent;
    while (m % 10 == 0) {
        m /= 10;
        ++exponent;
    }
    out.mantissa = digits.negative ? -Int128(m) : Int128(m);
    out.exponent = exponent;
    out.digits = DigitCount(m);
    return out;
}

Int128 PowerOfTen128(int n) {
    return kPowersOfTen128[static_cast<std::size_t>(n)];
}

Extended ScaleByPowerOfTen(Int128 m, int e) {
    const Extended value = ToExtended(m);
    if (e >= 0 && e <= kMaxExactPower) return value * kPowersOfTen[static_cast<std::size_t>(e)];
    if (e < 0 && e >= -kMaxExactPower) return value / kPowersOfTen[static_cast<std::size_t>(-e)];
    return value * std::pow(Extended(10), static_cast<Extended>(e));
}

std::optional<Extended> ExactDifference(const ExactDecimal& a, const ExactDecimal& b) {
    if (!a.exact || !b.exact) return std::nullopt;
    if (b.mantissa == 0) return ScaleByPowerOfTen(a.mantissa, a.exponent);
    if (a.mantissa == 0) return ScaleByPowerOfTen(-b.mantissa, b.exponent);
    const int e = std::min(a.exponent, b.exponent);
    const int shift_a = a.exponent - e;
    const int shift_b = b.exponent - e;
    if (a.digits + shift_a > kMaxAlignedDigits || b.digits + shift_b > kMaxAlignedDigits) {
        return std::nullopt;
    }
    const Int128 difference =
        a.mantissa * PowerOfTen128(shift_a) - b.mantissa * PowerOfTen128(shift_b);
    return ScaleByPowerOfTen(difference, e);
}

}  // namespace tabulon

// The graph engine's number formatters, built on the decimal renderings of number_text.
#include "graphs/number_formats.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "numeric/number_text.h"
#include "base/language.h"

namespace tabulon {
namespace {

std::string NonFinite(Extended value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// The texts are built with "." and only then given the caller's separator, so that the
// position rules below never depend on the locale.
std::string WithSeparator(std::string text, char decimal_separator) {
    std::replace(text.begin(), text.end(), '.', decimal_separator);
    return text;
}

int SignificantDigitCount(std::string_view fixed_text) {
    const std::size_t first = fixed_text.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    return static_cast<int>(std::count_if(fixed_text.begin() + static_cast<long>(first),
                                          fixed_text.end(),
                                          [](char c) { return c >= '0' && c <= '9'; }));
}

// 1e-6 < |v| < 1e6: the decimals are chosen from where the first significant digit falls in
// the ten-decimal text, positions counted from 1.
std::string SignificantFixed(int digits, Extended value) {
    std::string s = FormatFixed(value, 10, '.');
    const int length = static_cast<int>(s.size());
    const int p = static_cast<int>(s.find('.')) + 1;
    const std::size_t first = s.find_first_not_of("0.-");
    const int i = first == std::string::npos ? length : static_cast<int>(first) + 1;
    if (i >= length - digits) return s;  // ten decimals already hold no more than asked
    int decimals = 0;
    if (i > p) {
        decimals = i - p + digits - 1;
    } else if (digits + i + 1 > p) {
        decimals = i - p + digits;
    }  // else the integer part alone has enough digits and is never cut
    std::string rounded = FormatFixed(value, decimals, '.');
    // A carry (9.996 to 3 digits is 10.00) adds a digit in front: drop one at the end.
    if (decimals > 0 && SignificantDigitCount(rounded) > digits) {
        rounded = FormatFixed(value, decimals - 1, '.');
    }
    return rounded;
}

std::string SignificantScientific(int digits, Extended value) {
    // Rounding to the digits directly renormalises a carry: 9.996E+6 to 3 digits is
    // 1.00E+7, never 10.00E+6.
    const DecimalDigits d = RoundToSignificant(value, digits);
    std::string out = d.negative ? "-" : "";
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += '.';
        out += d.digits.substr(1);
    }
    if (d.exponent != 0) {
        out += 'E';
        out += d.exponent < 0 ? '-' : '+';
        out += std::to_string(std::abs(d.exponent));
    }
    return out;
}

}  // namespace

std::string FormatSignificant(int digits, Extended value, char decimal_separator) {
    if (!std::isfinite(value)) return NonFinite(value);
    digits = std::clamp(digits, 1, 18);
    const Extended magnitude = std::fabs(value);
    const std::string text = (magnitude > 1e-6L && magnitude < 1e6L)
                                 ? SignificantFixed(digits, value)
                                 : SignificantScientific(digits, value);
    return WithSeparator(text, decimal_separator);
}

std::string FormatSignificant(int digits, Extended value) {
    return FormatSignificant(digits, value, DecimalSeparator());
}

std::string FormatTickShort(Extended value, char decimal_separator) {
    if (!std::isfinite(value)) return NonFinite(value);
    const Extended magnitude = std::fabs(value);
    if ((magnitude > 1 && magnitude < 100000) || magnitude < 1e-8L) {
        return FormatFixed(value, 0, decimal_separator);
    }
    // The number of decimals is the k at which |v| * 10^(k-1) first exceeds 1 (k >= 2). It is
    // found from the decimal digits rather than by multiplying by ten, so that 0.1 is the
    // exact power of ten it was typed as and does not depend on binary rounding.
    const DecimalDigits d = RoundToSignificant(magnitude, 15);
    const bool power_of_ten =
        d.digits.find_first_not_of('0', 1) == std::string::npos && d.digits[0] == '1';
    const int k = std::max(2, (power_of_ten ? 2 : 1) - d.exponent);
    if (k >= 5) return "";
    return FormatFixed(value, k, decimal_separator);
}

std::string FormatTickShort(Extended value) {
    return FormatTickShort(value, DecimalSeparator());
}

std::string FormatFixedTrim(Extended value, char decimal_separator) {
    if (!std::isfinite(value)) return NonFinite(value);
    std::string text = FormatFixed(value, 6, decimal_separator);
    const std::size_t separator = text.find(decimal_separator);
    if (separator != std::string::npos) {
        while (text.size() > separator + 1 && text.back() == '0') text.pop_back();
        if (text.size() == separator + 1) text.pop_back();
    }
    // A negative value that rounds to zero is zero on the page.
    if (text == "-0") text = "0";
    return text;
}

std::string FormatFixedTrim(Extended value) {
    return FormatFixedTrim(value, DecimalSeparator());
}

}  // namespace tabulon

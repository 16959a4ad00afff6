// The graph engine's number formatters: significant digits, short tick labels, trimmed fixed.
#pragma once

#include <string>

#include "numeric/extended.h"

namespace tabulon {

// The program-wide formatter of result numbers to `digits` significant digits (1 to 18).
// Values with 1e-6 < |v| < 1e6 are written in fixed notation: `digits` significant digits,
// except that the integer part is never cut (12345.6 with 3 digits is 12346) and that small
// values need at most 10 decimals (0.5 with 10 digits is 0.5000000000). Other values, 0
// included, are written as a mantissa with digits - 1 decimals, "E", the sign and the
// exponent without leading zeros; an exponent of zero is left out (0 with 3 digits is 0.00).
// A rounding carry moves into the exponent: 9996000 with 3 digits is 1.00E+7.
std::string FormatSignificant(int digits, Extended value, char decimal_separator);
// As above with the current decimal separator.
std::string FormatSignificant(int digits, Extended value);

// Short axis labels: whole numbers for 1 < |v| < 100000 and for |v| < 1e-8; otherwise two
// decimals, or as many as reach the first significant digit (0.05 is 0.050), and the empty
// text for values too small to label that way (0.0005). Exactly 1 is 1.00.
std::string FormatTickShort(Extended value, char decimal_separator);
std::string FormatTickShort(Extended value);

// Six decimals with the trailing zeros (and a trailing separator) removed: 2.5, 3. A value
// that rounds to zero is "0", never "-0".
std::string FormatFixedTrim(Extended value, char decimal_separator);
std::string FormatFixedTrim(Extended value);

}  // namespace tabulon

// Number texts: parsing and the general, shortest and fixed-point renderings.
#include "numeric/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

#include "base/language.h"

namespace tabulon {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Enough digits that the correctly rounded expansion cannot turn a value just below a
// decimal tie into the tie itself: the gap between an 80-bit value and a 15-digit tie is
// never below 1e-36 relative.
constexpr int kExpansionDigits = 44;

// The short form of a number text: up to 19 significant digits (they fit in 64 bits) and a
// power of ten whose value is exact in the 64-bit mantissa (5^27 < 2^64).
constexpr int kMaxShortDigits = 19;
constexpr int kMaxExactPower = 27;
constexpr auto kPowersOfTen = [] {
    std::array<Extended, kMaxExactPower + 1> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 10;
    return p;
}();

}  // namespace

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' " +
                         ChooseText("is not a valid number", "är inte ett giltigt tal")),
      m_text(text) {
    // Before a language is chosen ChooseText is empty; still say something useful.
    if (CurrentLanguage() == Language::None) {
        static_cast<std::runtime_error&>(*this) =
            std::runtime_error("'" + std::string(text) + "' is not a valid number");
    }
}

namespace {

// Adds the digits from `p` on to `mantissa`; returns where they end.
const char* TakeDigits(const char* p, const char* end, std::uint64_t& mantissa) {
    for (; p != end; ++p) {
        const unsigned d = static_cast<unsigned>(static_cast<unsigned char>(*p)) - '0';
        if (d > 9) break;
        mantissa = mantissa * 10 + d;
    }
    return p;
}

// The general route for a trimmed text: rewritten in C form and converted by from_chars,
// correctly rounded.
std::optional<Extended> ConvertWritten(std::string_view t, char decimal_separator) {
    if (t.empty()) return std::nullopt;
    std::string canonical;
    canonical.reserve(t.size());
    std::size_t i = 0;
    if (t[i] == '+' || t[i] == '-') {
        if (t[i] == '-') canonical.push_back('-');
        ++i;
    }
    int mantissa_digits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        canonical.push_back(t[i++]);
        ++mantissa_digits;
    }
    if (i < t.size() && t[i] == decimal_separator) {
        canonical.push_back('.');
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            canonical.push_back(t[i++]);
            ++mantissa_digits;
        }
    }
    if (mantissa_digits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        canonical.push_back('e');
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) canonical.push_back(t[i++]);
        int exponent_digits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            canonical.push_back(t[i++]);
            ++exponent_digits;
        }
        if (exponent_digits == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;

    Extended value = 0;
    const char* first = canonical.data();
    const char* last = first + canonical.size();
    auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || end != last) {
        // from_chars reports underflow as out of range too: a tiny value is a number, zero.
        if (ec == std::errc::result_out_of_range && end == last &&
            canonical.find("e-") != std::string::npos) {
            return Extended(0);
        }
        return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<Extended> ParseNumber(std::string_view text, char decimal_separator) {
    std::optional<ShortDecimal> digits;
    return ParseNumber(text, decimal_separator, digits);
}

std::optional<Extended> ParseNumber(std::string_view text, char decimal_separator,
                                    std::optional<ShortDecimal>& digits) {
    digits.reset();
    const std::string_view t = Trim(text);
    if (t.empty()) return std::nullopt;
    const char* p = t.data();
    const char* const end = p + t.size();
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    // Every digit goes into the mantissa: leading zeros add nothing to it, and beyond 19
    // significant digits it is not used.
    std::uint64_t mantissa = 0;
    const char* const integer = p;
    p = TakeDigits(p, end, mantissa);
    const char* const integer_end = p;
    const char* fraction = p;
    if (p != end && *p == decimal_separator) {
        fraction = ++p;
        p = TakeDigits(p, end, mantissa);
    }
    const char* const fraction_end = p;
    const long written_digits = (integer_end - integer) + (fraction_end - fraction);
    if (written_digits == 0) return std::nullopt;
    long power = -(fraction_end - fraction);
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool exponent_negative = false;
        if (p != end && (*p == '+' || *p == '-')) exponent_negative = *p++ == '-';
        const char* const exponent = p;
        long written = 0;
        for (; p != end && IsDigit(*p); ++p) {
            if (written < 100000) written = written * 10 + (*p - '0');
        }
        if (p == exponent) return std::nullopt;
        power += exponent_negative ? -written : written;
    }
    if (p != end) return std::nullopt;
    bool short_form = written_digits <= kMaxShortDigits;
    if (!short_form) {
        long leading_zeros = 0;
        const char* q = integer;
        while (q != integer_end && *q == '0') ++q;
        leading_zeros += q - integer;
        if (q == integer_end) {
            q = fraction;
            while (q != fraction_end && *q == '0') ++q;
            leading_zeros += q - fraction;
        }
        short_form = written_digits - leading_zeros <= kMaxShortDigits;
    }
    if (!short_form || power < -kMaxExactPower || power > kMaxExactPower) {
        return ConvertWritten(t, decimal_separator);
    }
    // Both the digits and the power of ten are exact in extended precision, so one
    // multiplication or division rounds the decimal value once, correctly, as from_chars
    // does, for a fraction of its cost.
    const auto m = static_cast<Extended>(mantissa);
    const Extended magnitude = power >= 0 ? m * kPowersOfTen[static_cast<std::size_t>(power)]
                                          : m / kPowersOfTen[static_cast<std::size_t>(-power)];
    digits = ShortDecimal{mantissa, static_cast<int>(power), negative};
    return negative ? -magnitude : magnitude;
}

Extended StrToNumber(std::string_view text, char decimal_separator) {
    if (auto value = ParseNumber(text, decimal_separator)) return *value;
    throw ConversionError(text);
}

std::optional<int> ParseInteger(std::string_view text) {
    std::string_view t = Trim(text);
    if (!t.empty() && t.front() == '+') t.remove_prefix(1);
    if (t.empty()) return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return value;
}

int StrToInteger(std::string_view text) {
    if (auto value = ParseInteger(text)) return *value;
    throw ConversionError(text);
}

namespace {

// The first kExpansionDigits + 1 decimal digits of |value| (correctly rounded there) and
// the power of ten of the first one.
struct Expansion {
    std::string digits;
    int exponent = 0;
};

Expansion Expand(Extended magnitude) {
    char buffer[128];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                std::chars_format::scientific, kExpansionDigits);
    std::string_view s(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e_pos = s.find('e');
    Expansion out;
    for (char c : s.substr(0, e_pos)) {
        if (IsDigit(c)) out.digits.push_back(c);
    }
    std::string_view exp_text = s.substr(e_pos + 1);
    if (!exp_text.empty() && exp_text.front() == '+') exp_text.remove_prefix(1);
    std::from_chars(exp_text.data(), exp_text.data() + exp_text.size(), out.exponent);
    return out;
}

// Rounds the expansion to n >= 1 digits, half away from zero; a carry adds to the exponent.
DecimalDigits RoundExpansion(const Expansion& x, std::size_t n) {
    DecimalDigits out;
    out.digits = x.digits.substr(0, std::min(n, x.digits.size()));
    out.digits.append(n - out.digits.size(), '0');
    out.exponent = x.exponent;
    if (n < x.digits.size() && x.digits[n] >= '5') {
        std::size_t k = n;
        while (k > 0 && out.digits[k - 1] == '9') out.digits[--k] = '0';
        if (k > 0) {
            ++out.digits[k - 1];
        } else {
            out.digits.insert(out.digits.begin(), '1');
            out.digits.pop_back();
            ++out.exponent;
        }
    }
    return out;
}

// The leading digits of a value from its 64-bit mantissa m and power of two k (the value is
// m * 2^k), by integer arithmetic: a whole part, then the fraction times ten, digit by digit,
// in up to four 64-bit words. Exact, and a few hundred times cheaper than the library's
// expansion through its multi-precision printf.
constexpr int kMaxFractionBits = 190;  // the fraction times ten still fits in 256 bits

class ExactDigitReader {
public:
    // False when the value is out of reach: beyond 2^128 or below 2^-126 or so.
    bool start(Extended magnitude) {
        // The 80-bit layout: the 64-bit significand with its leading bit, then the biased
        // exponent (and the sign, 0 here).
        std::uint64_t m = 0;
        std::uint16_t biased = 0;
        std::memcpy(&m, &magnitude, sizeof m);
        std::memcpy(&biased, reinterpret_cast<const char*>(&magnitude) + sizeof m, sizeof biased);
        const int k = static_cast<int>(biased & 0x7fff) - 16383 - 63;
        if (k > 0 || -k > kMaxFractionBits || m == 0) return false;
        m_bits = -k;
        m_whole = m_bits >= 64 ? 0 : m >> m_bits;
        m_fraction = {m_bits >= 64 ? m : m & ((std::uint64_t{1} << m_bits) - 1), 0, 0, 0};
        return true;
    }
    std::uint64_t whole() const { return m_whole; }
    // The next digit of the fraction.
    unsigned next() {
        __extension__ typedef unsigned __int128 Wide;
        Wide carry = 0;
        const int words = std::min(4, (m_bits + 4) / 64 + 1);
        for (int i = 0; i < words; ++i) {
            carry += static_cast<Wide>(m_fraction[i]) * 10;
            m_fraction[i] = static_cast<std::uint64_t>(carry);
            carry >>= 64;
        }
        // The digit is what now stands at and above bit m_bits: four bits at most.
        const int word = m_bits / 64;
        const int bit = m_bits % 64;
        std::uint64_t digit = m_fraction[word] >> bit;
        if (bit > 60 && word + 1 < 4) digit |= m_fraction[word + 1] << (64 - bit);
        digit &= 15;
        m_fraction[word] &= bit == 0 ? 0 : (std::uint64_t{1} << bit) - 1;
        if (bit > 60 && word + 1 < 4) m_fraction[word + 1] = 0;
        return static_cast<unsigned>(digit);
    }

private:
    int m_bits = 0;  // the binary places of the fraction
    std::uint64_t m_whole = 0;
    std::array<std::uint64_t, 4> m_fraction{};
};

// The first n + 1 digits of |value| as Expand gives them. Expand rounds at its 45th digit,
// which reaches back into digit n + 1 only through a run of nines from digit n + 2 on, so
// the exact digits are read until a digit other than 9 ends the run, or up to the 46th
// digit, which then decides as Expand's rounding does (to nearest, a tie to even; the 45th
// digit is a 9, odd). False where the value is out of reach.
bool ExpandLeading(Extended magnitude, std::size_t n, Expansion& out) {
    ExactDigitReader reader;
    if (!reader.start(magnitude)) return false;
    constexpr auto kRounded = static_cast<std::size_t>(kExpansionDigits) + 1;  // 45 digits
    char digits[kRounded + 24];
    std::size_t count = 0;
    if (reader.whole() != 0) {
        const auto r = std::to_chars(digits, digits + 24, reader.whole());
        count = static_cast<std::size_t>(r.ptr - digits);
        out.exponent = static_cast<int>(count) - 1;
    } else {
        int exponent = -1;
        unsigned d = 0;
        while ((d = reader.next()) == 0) --exponent;  // ends: the fraction is not zero
        digits[count++] = static_cast<char>('0' + d);
        out.exponent = exponent;
    }
    auto digit = [&](std::size_t i) {
        while (count <= i) digits[count++] = static_cast<char>('0' + reader.next());
        return digits[i];
    };
    std::size_t i = n + 1;
    while (i < kRounded && digit(i) == '9') ++i;
    if (i == kRounded && digit(kRounded) >= '5') {
        // Nines from digit n + 2 to the 45th, rounded up: the carry reaches digit n + 1.
        std::size_t k = n + 1;
        while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
        if (k > 0) {
            ++digits[k - 1];
        } else {
            digits[0] = '1';
            ++out.exponent;
        }
    }
    digit(n);
    out.digits.assign(digits, n + 1);
    return true;
}

}  // namespace

DecimalDigits RoundToSignificant(Extended value, int significant) {
    const auto n = static_cast<std::size_t>(std::max(significant, 1));
    const Extended magnitude = std::fabs(value);
    if (magnitude == 0 || !std::isfinite(magnitude)) {
        DecimalDigits zero;
        zero.digits.assign(n, '0');
        return zero;
    }
    Expansion leading;
    DecimalDigits out = n <= 18 && ExpandLeading(magnitude, n, leading)
                            ? RoundExpansion(leading, n)
                            : RoundExpansion(Expand(magnitude), n);
    out.negative = value < 0;
    return out;
}

std::string FormatGeneral(Extended value, int precision, int exponent_digits,
                          char decimal_separator) {
    if (!std::isfinite(value)) return value != value ? "NAN" : (value < 0 ? "-INF" : "INF");
    precision = std::clamp(precision, 1, kMaxGeneralPrecision);
    if (value == 0) return "0";
    DecimalDigits d = RoundToSignificant(value, precision);
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = d.negative ? "-" : "";
    const int e = d.exponent;
    if (e >= -5 && e + 1 <= precision) {
        if (e < 0) {
            out += '0';
            out += decimal_separator;
            out.append(static_cast<std::size_t>(-e - 1), '0');
            out += digits;
        } else {
            const auto int_digits = static_cast<std::size_t>(e + 1);
            if (digits.size() <= int_digits) {
                out += digits;
                out.append(int_digits - digits.size(), '0');
            } else {
                out += digits.substr(0, int_digits);
                out += decimal_separator;
                out += digits.substr(int_digits);
            }
        }
        return out;
    }
    out += digits[0];
    if (digits.size() > 1) {
        out += decimal_separator;
        out += digits.substr(1);
    }
    out += 'E';
    out += e < 0 ? '-' : '+';
    std::string exp = std::to_string(e < 0 ? -e : e);
    if (static_cast<int>(exp.size()) < exponent_digits) {
        exp.insert(0, static_cast<std::size_t>(exponent_digits) - exp.size(), '0');
    }
    out += exp;
    return out;
}

std::string FormatShortest(Extended value, char decimal_separator) {
    return FormatGeneral(value, 15, 0, decimal_separator);
}

std::string FormatFixed(Extended value, int decimals, char decimal_separator) {
    if (!std::isfinite(value)) return value != value ? "NAN" : (value < 0 ? "-INF" : "INF");
    decimals = std::clamp(decimals, 0, kMaxFixedDecimals);
    const Extended magnitude = std::fabs(value);
    std::string digits;  // every digit from the integer part down to the last decimal
    if (magnitude != 0) {
        const Expansion x = Expand(magnitude);
        const int significant = x.exponent + 1 + decimals;
        if (significant > kExpansionDigits) {
            // Beyond 2^64 an 80-bit value is a whole number: nothing is left to round.
            std::string buffer(static_cast<std::size_t>(5000 + decimals), '\0');
            auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                   std::chars_format::fixed, decimals);
            for (const char* p = buffer.data(); p != r.ptr; ++p) {
                if (IsDigit(*p)) digits.push_back(*p);
            }
        } else if (significant == 0) {
            // Half a unit of the last place or more rounds up to one unit.
            if (x.digits[0] >= '5') digits = "1";
        } else if (significant > 0) {
            DecimalDigits d = RoundExpansion(x, static_cast<std::size_t>(significant));
            digits = d.digits;
            if (d.exponent > x.exponent) digits.push_back('0');  // the carry made one more
        }
    }
    const bool all_zero = digits.find_first_not_of('0') == std::string::npos;
    if (all_zero) digits.clear();
    const auto frac = static_cast<std::size_t>(decimals);
    if (digits.size() < frac + 1) digits.insert(0, frac + 1 - digits.size(), '0');
    std::string out = (!all_zero && value < 0) ? "-" : "";
    out += digits.substr(0, digits.size() - frac);
    if (decimals > 0) {
        out += decimal_separator;
        out += digits.substr(digits.size() - frac);
    }
    return out;
}

}  // namespace tabulon

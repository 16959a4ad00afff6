// The sample statistics kernel: stable mean and variance, the median, the data range.
#include "numeric/sample_statistics.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "numeric/number_text.h"

namespace tabulon {
namespace {

__extension__ typedef __int128 Int128;

// Neumaier's compensated sum: the running error of each addition is kept and added back,
// so a million terms lose no more than a few units in the last place.
class CompensatedSum {
public:
    void add(Extended x) {
        const Extended t = m_sum + x;
        if (std::fabs(m_sum) >= std::fabs(x)) {
            m_compensation += (m_sum - t) + x;
        } else {
            m_compensation += (x - t) + m_sum;
        }
        m_sum = t;
    }
    Extended value() const { return m_sum + m_compensation; }

private:
    Extended m_sum = 0;
    Extended m_compensation = 0;
};

// A number text as the exact decimal mantissa * 10^exponent, when its significant digits
// fit in 36 decimal digits and its exponent is of a sane size.
struct ExactDecimal {
    bool exact = false;
    Int128 mantissa = 0;
    int exponent = 0;
    int digits = 0;  // decimal digits of |mantissa|
};

constexpr int kMaxExactDigits = 36;
constexpr int kMaxAlignedDigits = 37;  // 10^37 and a difference of two fit in 127 bits

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a text that ParseNumber has already accepted with `decimal_separator`.
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

Int128 PowerOfTen128(int n) {
    Int128 p = 1;
    for (int k = 0; k < n; ++k) p *= 10;
    return p;
}

// m * 10^e with one rounding of m and one of the scaling (exact powers up to 10^27).
Extended ScaleByPowerOfTen(Int128 m, int e) {
    const auto value = static_cast<Extended>(m);
    if (e >= 0 && e <= 27) return value * static_cast<Extended>(PowerOfTen128(e));
    if (e < 0 && e >= -27) return value / static_cast<Extended>(PowerOfTen128(-e));
    return value * std::pow(Extended(10), static_cast<Extended>(e));
}

// a - b with a single rounding when both are exact decimals close enough to align.
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

// Mean and n - 1 variance from the deviations d[i] = x[i] - reference. The corrected
// two-pass formula: the second sum removes what rounding left in the first mean.
struct MeanVariance {
    Extended mean = 0;
    Extended variance = 0;
};

MeanVariance StableMeanVariance(Extended reference, const std::vector<Extended>& deviations) {
    const auto n = static_cast<Extended>(deviations.size());
    CompensatedSum sum;
    for (Extended d : deviations) sum.add(d);
    const Extended shift = sum.value() / n;
    CompensatedSum centred;
    CompensatedSum squares;
    for (Extended d : deviations) {
        const Extended e = d - shift;
        centred.add(e);
        squares.add(e * e);
    }
    const Extended c = centred.value();
    MeanVariance out;
    out.mean = reference + (shift + c / n);
    out.variance = std::max(Extended(0), (squares.value() - c * c / n) / (n - 1));
    return out;
}

// Values converted from texts, and their deviations from the first one.
struct ConvertedValues {
    std::vector<Extended> values;
    std::vector<Extended> deviations;
};

// Converts the texts that `take` accepts; nullopt when one of them is not a number.
template <typename Take>
std::optional<ConvertedValues> Convert(std::span<const std::string> texts, char separator,
                                       Take take) {
    ConvertedValues out;
    out.values.reserve(texts.size());
    out.deviations.reserve(texts.size());
    ExactDecimal reference;
    for (const std::string& text : texts) {
        if (!take(text)) continue;
        const std::optional<Extended> x = ParseNumber(text, separator);
        if (!x) return std::nullopt;
        const ExactDecimal decimal = ReadExactDecimal(text, separator);
        if (out.values.empty()) reference = decimal;
        const std::optional<Extended> d = ExactDifference(decimal, reference);
        out.deviations.push_back(d ? *d : *x - (out.values.empty() ? *x : out.values.front()));
        out.values.push_back(*x);
    }
    return out;
}

// Ascending, equal values in their original order: the order a bubble sort that swaps only
// strictly smaller neighbours produces, in O(n log n).
std::vector<Extended> SortedCopy(std::span<const Extended> values) {
    std::vector<Extended> sorted(values.begin(), values.end());
    std::stable_sort(sorted.begin(), sorted.end());
    return sorted;
}

Extended MedianOfSorted(const std::vector<Extended>& a) {
    const std::size_t n = a.size();
    if (n % 2 == 1) return a[n / 2];
    return (a[n / 2 - 1] + a[n / 2]) / 2;
}

bool AllFinite(std::initializer_list<Extended> values) {
    return std::all_of(values.begin(), values.end(), [](Extended v) { return std::isfinite(v); });
}

bool FillStatistics(std::span<const Extended> values, const std::vector<Extended>& deviations,
                    SampleStatistics& statistics) {
    const std::size_t n = values.size();
    if (n < 2 || n > static_cast<std::size_t>(INT32_MAX)) return false;
    CompensatedSum squares;
    for (Extended x : values) squares.add(x * x);
    const MeanVariance mv = StableMeanVariance(values.front(), deviations);
    statistics.Mean = mv.mean;
    statistics.Variance = mv.variance;
    statistics.StdDev = std::sqrt(mv.variance);
    statistics.SumOfSquares = squares.value();
    statistics.Count = static_cast<std::int32_t>(n);
    statistics.Median = MedianOfSorted(SortedCopy(values));
    return AllFinite(
        {statistics.Mean, statistics.Variance, statistics.SumOfSquares, statistics.Median});
}

std::vector<Extended> ConvertAll(std::span<const std::string> texts, char separator) {
    std::vector<Extended> values;
    values.reserve(texts.size());
    for (const std::string& text : texts) values.push_back(StrToNumber(text, separator));
    return values;
}

}  // namespace

bool ComputeSampleStatistics(std::span<const std::string> values, char decimal_separator,
                             SampleStatistics& statistics) {
    if (values.size() < 2) return false;
    const std::optional<ConvertedValues> converted =
        Convert(values, decimal_separator, [](const std::string&) { return true; });
    if (!converted) return false;
    return FillStatistics(converted->values, converted->deviations, statistics);
}

bool ComputeSampleStatistics(std::span<const Extended> values, SampleStatistics& statistics) {
    if (values.size() < 2) return false;
    if (!std::all_of(values.begin(), values.end(), [](Extended v) { return std::isfinite(v); })) {
        return false;
    }
    std::vector<Extended> deviations;
    deviations.reserve(values.size());
    for (Extended x : values) deviations.push_back(x - values.front());
    return FillStatistics(values, deviations, statistics);
}

bool ComputeMedian(std::span<const Extended> values, Extended& median) {
    if (values.empty()) return false;
    median = MedianOfSorted(SortedCopy(values));
    return true;
}

bool ComputeMedian(std::span<const std::string> values, char decimal_separator, Extended& median) {
    return ComputeMedian(ConvertAll(values, decimal_separator), median);
}

bool SampleRange(std::span<const std::string> values, char decimal_separator, Extended& min,
                 Extended& max) {
    if (values.empty()) return false;
    const std::vector<Extended> x = ConvertAll(values, decimal_separator);
    Extended lo = x.front();
    Extended hi = x.front();
    for (std::size_t i = 1; i < x.size(); ++i) {
        if (x[i] > hi) hi = x[i];
        if (x[i] < lo) lo = x[i];
    }
    min = lo;
    max = hi;
    return true;
}

bool ColumnMeanVariance(std::span<const std::string> cells, char decimal_separator, Extended& mean,
                        int& count, Extended& variance) {
    const std::optional<ConvertedValues> converted =
        Convert(cells, decimal_separator, [](const std::string& text) { return !text.empty(); });
    if (!converted) return false;
    const std::size_t n = converted->values.size();
    if (n < 2 || n > static_cast<std::size_t>(INT_MAX)) return false;
    const MeanVariance mv = StableMeanVariance(converted->values.front(), converted->deviations);
    if (!AllFinite({mv.mean, mv.variance})) return false;
    mean = mv.mean;
    variance = mv.variance;
    count = static_cast<int>(n);
    return true;
}

bool ArraySummary(std::span<const double> values, ArrayStatistics& summary) {
    summary = ArrayStatistics{};
    if (values.size() > static_cast<std::size_t>(INT_MAX)) return false;
    summary.Count = static_cast<int>(values.size());
    if (values.empty()) return false;
    if (!std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); })) {
        return false;
    }
    std::vector<Extended> x(values.begin(), values.end());
    std::vector<Extended> deviations;
    deviations.reserve(x.size());
    CompensatedSum sum;
    CompensatedSum squares;
    Extended lo = x.front();
    Extended hi = x.front();
    for (Extended v : x) {
        deviations.push_back(v - x.front());
        sum.add(v);
        squares.add(v * v);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    summary.Sum = static_cast<double>(sum.value());
    summary.SumOfSquares = static_cast<double>(squares.value());
    summary.Min = static_cast<double>(lo);
    summary.Max = static_cast<double>(hi);
    summary.Median = static_cast<double>(MedianOfSorted(SortedCopy(x)));
    if (x.size() >= 2) {
        const MeanVariance mv = StableMeanVariance(x.front(), deviations);
        summary.Mean = static_cast<double>(mv.mean);
        summary.StdDev = static_cast<double>(std::sqrt(mv.variance));
    } else {
        summary.Mean = values.front();
    }
    return values.size() >= 3;
}

Extended DecimalDifference(std::string_view a, std::string_view b, char decimal_separator) {
    const std::optional<Extended> d = ExactDifference(ReadExactDecimal(a, decimal_separator),
                                                      ReadExactDecimal(b, decimal_separator));
    return d ? *d : StrToNumber(a, decimal_separator) - StrToNumber(b, decimal_separator);
}

std::vector<Extended> DeviationsFromMean(std::span<const std::string> texts,
                                         std::span<const Extended> values, char decimal_separator) {
    std::vector<Extended> deviations(values.size());
    if (values.empty()) return deviations;
    std::vector<ExactDecimal> decimals;
    decimals.reserve(values.size());
    bool exact = texts.size() == values.size();
    int e = INT_MAX;  // the smallest exponent: every value is a whole multiple of 10^e
    for (std::size_t i = 0; exact && i < texts.size(); ++i) {
        decimals.push_back(ReadExactDecimal(texts[i], decimal_separator));
        exact = decimals.back().exact;
        if (decimals.back().mantissa != 0) e = std::min(e, decimals.back().exponent);
    }
    // The values as whole numbers of 10^e, their sum, and n·x[i] - Σx, all while they fit.
    const auto n = static_cast<Int128>(values.size());
    std::vector<Int128> whole(values.size());
    Int128 sum = 0;
    for (std::size_t i = 0; exact && i < values.size(); ++i) {
        const ExactDecimal& d = decimals[i];
        if (d.mantissa == 0) continue;
        const int shift = d.exponent - e;
        if (d.digits + shift > kMaxAlignedDigits) {
            exact = false;
            break;
        }
        whole[i] = d.mantissa * PowerOfTen128(shift);
        exact = !__builtin_add_overflow(sum, whole[i], &sum);
    }
    for (std::size_t i = 0; exact && i < values.size(); ++i) {
        Int128 k = 0;
        exact = !__builtin_mul_overflow(whole[i], n, &k) && !__builtin_sub_overflow(k, sum, &k);
        if (exact) deviations[i] = ScaleByPowerOfTen(k, e == INT_MAX ? 0 : e) / Extended(n);
    }
    if (exact) return deviations;
    CompensatedSum total;
    for (Extended v : values) total.add(v);
    const Extended mean = total.value() / Extended(n);
    for (std::size_t i = 0; i < values.size(); ++i) deviations[i] = values[i] - mean;
    return deviations;
}

}  // namespace tabulon

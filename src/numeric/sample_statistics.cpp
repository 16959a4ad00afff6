// The sample statistics kernel: stable mean and variance, the median, the data range.
#include "numeric/sample_statistics.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "base/large_fill.h"
#include "numeric/exact_decimal.h"
#include "numeric/number_text.h"

namespace tabulon {
namespace {

// Neumaier's compensated sum: the running error of each addition is kept and added back,
// so a million terms lose no more than a few units in the last place.
class CompensatedSum {
public:
    // Written with selects rather than a branch, so that the sums can stay in registers.
    void add(Extended x) {
        const Extended t = m_sum + x;
        const bool sum_larger = std::fabs(m_sum) >= std::fabs(x);
        const Extended larger = sum_larger ? m_sum : x;
        const Extended smaller = sum_larger ? x : m_sum;
        m_compensation += (larger - t) + smaller;
        m_sum = t;
    }
    Extended value() const { return m_sum + m_compensation; }

private:
    Extended m_sum = 0;
    Extended m_compensation = 0;
};

// Mean and n - 1 variance from the deviations d[i] = x[i] - reference. The corrected
// two-pass formula: the second sum removes what rounding left in the first mean.
struct MeanVariance {
    Extended mean = 0;
    Extended variance = 0;
};

// `visit(f)` calls f with every deviation, in the same order each time.
template <typename Visit>
MeanVariance StableMeanVarianceOf(Extended reference, std::size_t count, const Visit& visit) {
    const auto n = static_cast<Extended>(count);
    CompensatedSum sum;
    visit([&sum](Extended d) { sum.add(d); });
    const Extended shift = sum.value() / n;
    CompensatedSum centred;
    CompensatedSum squares;
    visit([&](Extended d) {
        const Extended e = d - shift;
        centred.add(e);
        squares.add(e * e);
    });
    const Extended c = centred.value();
    MeanVariance out;
    out.mean = reference + (shift + c / n);
    out.variance = std::max(Extended(0), (squares.value() - c * c / n) / (n - 1));
    return out;
}

MeanVariance StableMeanVariance(Extended reference, const std::vector<Extended>& deviations) {
    return StableMeanVarianceOf(reference, deviations.size(), [&deviations](const auto& f) {
        for (Extended d : deviations) f(d);
    });
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
        std::optional<ShortDecimal> digits;
        const std::optional<Extended> x = ParseNumber(text, separator, digits);
        if (!x) return std::nullopt;
        const ExactDecimal decimal =
            digits ? ToExactDecimal(*digits) : ReadExactDecimal(text, separator);
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

// --- A column read once: whole multiples of one power of ten, counted instead of sorted.

constexpr std::int64_t kWholeLimit = std::int64_t{1} << 62;
constexpr int kMaxWholePower = 27;  // 10^27 is exact in the 64-bit mantissa

constexpr auto kPowersOfTen64 = [] {
    std::array<std::int64_t, 19> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 10;
    return p;
}();

constexpr auto kExtendedPowersOfTen = [] {
    std::array<Extended, kMaxWholePower + 1> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k) p[k] = p[k - 1] * 10;
    return p;
}();

// w * 10^e rounded once: w and the power are both exact, so this is ScaleByPowerOfTen
// without its checks, and the correctly rounded value that ParseNumber gives the text.
Extended ScaleWhole(std::int64_t w, int e) {
    const auto x = static_cast<Extended>(w);
    return e >= 0 ? x * kExtendedPowersOfTen[static_cast<std::size_t>(e)]
                  : x / kExtendedPowersOfTen[static_cast<std::size_t>(-e)];
}

// m * 10^shift still below the limit of the whole multiples.
// (Divided once here: a division for every value read would cost more than its parse.)
constexpr auto kLargestBeforeShift = [] {
    std::array<std::uint64_t, kPowersOfTen64.size()> largest{};
    for (std::size_t k = 0; k < largest.size(); ++k) {
        largest[k] = static_cast<std::uint64_t>((kWholeLimit - 1) / kPowersOfTen64[k]);
    }
    return largest;
}();

bool FitsShifted(std::uint64_t m, int shift) {
    return shift < static_cast<int>(kLargestBeforeShift.size()) &&
           m <= kLargestBeforeShift[static_cast<std::size_t>(shift)];
}

bool IsWholeForm(std::span<const Extended> values, const ExactColumn& exact) {
    return exact.whole.size() == values.size();
}

// The multiples but `skip` counted by their distance from the smallest, when their range is
// not much wider than their count; `counts` is left empty otherwise.
struct WholeCounts {
    std::int64_t lo = 0;
    std::uint64_t range = 0;
    std::vector<std::uint32_t> counts;
};

WholeCounts CountWhole(const ExactColumn& exact, std::size_t skip, std::size_t n) {
    const std::vector<std::int64_t>& w = exact.whole;
    std::int64_t lo = kWholeLimit;
    std::int64_t hi = -kWholeLimit;
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (i == skip) continue;
        lo = std::min(lo, w[i]);
        hi = std::max(hi, w[i]);
    }
    WholeCounts counted;
    counted.lo = lo;
    counted.range = static_cast<std::uint64_t>(hi - lo);
    if (counted.range > 2 * static_cast<std::uint64_t>(n) + 65536) return counted;
    const auto size = static_cast<std::size_t>(counted.range) + 1;
    counted.counts.reserve(size);
    AdviseLargeFill(counted.counts.data(), size * sizeof(std::uint32_t));
    counted.counts.resize(size);
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (i != skip) ++counted.counts[static_cast<std::size_t>(w[i] - lo)];
    }
    return counted;
}

// Mean and variance from the deviations of every value but `skip` from values[reference],
// as Convert takes them from the texts. Whole multiples give each deviation with one
// subtraction and one rounding, so they are made afresh in each pass rather than stored.
MeanVariance MeanVarianceOfColumn(std::span<const Extended> values, const ExactColumn& exact,
                                  std::size_t skip, std::size_t reference, std::size_t n) {
    if (IsWholeForm(values, exact)) {
        const std::int64_t* const w = exact.whole.data();
        const std::int64_t r = w[reference];
        const int e = exact.exponent;
        return StableMeanVarianceOf(values[reference], n, [&](const auto& f) {
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (i != skip) f(ScaleWhole(w[i] - r, e));
            }
        });
    }
    std::vector<Extended> d;
    d.reserve(n);
    if (exact.decimals.size() == values.size()) {
        const ExactDecimal& r = exact.decimals[reference];
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i == skip) continue;
            const std::optional<Extended> x = ExactDifference(exact.decimals[i], r);
            d.push_back(x ? *x : values[i] - values[reference]);
        }
    } else {
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i != skip) d.push_back(values[i] - values[reference]);
        }
    }
    return StableMeanVariance(values[reference], d);
}

class TallyBuilder {
public:
    void add(Extended value, std::size_t count) {
        if (!m_tally.values.empty() && m_tally.values.back() == value) {
            m_tally.counts.back() += static_cast<int>(count);
        } else {
            m_tally.values.push_back(value);
            m_tally.counts.push_back(static_cast<int>(count));
        }
    }
    ValueTally take() { return std::move(m_tally); }

private:
    ValueTally m_tally;
};

// Least significant digit first, 11 bits at a time, only as many passes as `largest` needs.
void RadixSort(std::vector<std::uint64_t>& keys, std::uint64_t largest) {
    constexpr int kBits = 11;
    constexpr std::size_t kBuckets = std::size_t{1} << kBits;
    std::vector<std::uint64_t> buffer(keys.size());
    for (int shift = 0; shift < 64 && (largest >> shift) != 0; shift += kBits) {
        std::array<std::size_t, kBuckets> start{};
        for (std::uint64_t k : keys) ++start[(k >> shift) & (kBuckets - 1)];
        std::size_t sum = 0;
        for (std::size_t& s : start) sum += std::exchange(s, sum);
        for (std::uint64_t k : keys) buffer[start[(k >> shift) & (kBuckets - 1)]++] = k;
        keys.swap(buffer);
    }
}

// Whole multiples in a range not much wider than their count are counted in one pass;
// others are sorted by their distance from the smallest. Distinct multiples that round to
// the same extended value share one entry.
ValueTally TallyWhole(const ExactColumn& exact, std::size_t skip, std::size_t n,
                      const WholeCounts& counted) {
    const std::vector<std::int64_t>& w = exact.whole;
    const std::int64_t lo = counted.lo;
    TallyBuilder tally;
    if (!counted.counts.empty()) {
        for (std::size_t k = 0; k < counted.counts.size(); ++k) {
            if (counted.counts[k] != 0) {
                tally.add(ScaleWhole(lo + static_cast<std::int64_t>(k), exact.exponent),
                          counted.counts[k]);
            }
        }
        return tally.take();
    }
    std::vector<std::uint64_t> keys;
    keys.reserve(n);
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (i != skip) keys.push_back(static_cast<std::uint64_t>(w[i] - lo));
    }
    RadixSort(keys, counted.range);
    for (std::size_t i = 0; i < keys.size();) {
        std::size_t j = i + 1;
        while (j < keys.size() && keys[j] == keys[i]) ++j;
        tally.add(ScaleWhole(lo + static_cast<std::int64_t>(keys[i]), exact.exponent), j - i);
        i = j;
    }
    return tally.take();
}

// The zero at position `index` among the zeros of `values` (without `skip`) in their
// order: 0 and -0 are equal, and a stable sort keeps them as they came.
Extended ZeroAt(std::span<const Extended> values, std::size_t skip, std::size_t index) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i == skip || values[i] != 0) continue;
        if (index-- == 0) return values[i];
    }
    return 0;
}

ValueTally Tally(std::span<const Extended> values, const ExactColumn& exact, std::size_t skip,
                 std::size_t n, const WholeCounts& counted) {
    ValueTally tally;
    if (IsWholeForm(values, exact)) {
        tally = TallyWhole(exact, skip, n, counted);
    } else {
        std::vector<Extended> sorted;
        sorted.reserve(n);
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i != skip) sorted.push_back(values[i]);
        }
        std::stable_sort(sorted.begin(), sorted.end());
        TallyBuilder builder;
        for (std::size_t i = 0; i < sorted.size();) {
            std::size_t j = i + 1;
            while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
            builder.add(sorted[i], j - i);
            i = j;
        }
        tally = builder.take();
    }
    for (Extended& v : tally.values) {
        if (v == 0) v = ZeroAt(values, skip, 0);
    }
    return tally;
}

// MedianOfSorted of the values the tally counts.
Extended TallyMedian(std::span<const Extended> values, std::size_t skip, const ValueTally& tally,
                     std::size_t n) {
    auto at = [&](std::size_t position) {
        std::size_t start = 0;
        for (std::size_t k = 0; k < tally.values.size(); ++k) {
            const auto count = static_cast<std::size_t>(tally.counts[k]);
            if (position < start + count) {
                const Extended v = tally.values[k];
                return v == 0 ? ZeroAt(values, skip, position - start) : v;
            }
            start += count;
        }
        return Extended(0);
    };
    if (n % 2 == 1) return at(n / 2);
    return (at(n / 2 - 1) + at(n / 2)) / 2;
}

// values[i] - x̄ from the exact decimals (empty: not all of them exact): n·x[i] - Σx in
// whole multiples of the smallest power of ten while they fit, else the converted values
// around their compensated mean.
std::vector<Extended> DecimalDeviationsFromMean(std::span<const Extended> values,
                                                const std::vector<ExactDecimal>& decimals) {
    std::vector<Extended> deviations(values.size());
    if (values.empty()) return deviations;
    bool exact = decimals.size() == values.size();
    int e = INT_MAX;  // the smallest exponent: every value is a whole multiple of 10^e
    for (std::size_t i = 0; exact && i < decimals.size(); ++i) {
        if (decimals[i].mantissa != 0) e = std::min(e, decimals[i].exponent);
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

bool ColumnStatistics(std::span<const Extended> values, const ExactColumn& exact, std::size_t skip,
                      SampleStatistics& statistics, ValueTally* tally_out) {
    const std::size_t n = values.size() - (skip < values.size() ? 1 : 0);
    if (n < 2 || n > static_cast<std::size_t>(INT32_MAX)) return false;
    const std::size_t reference = skip == 0 ? 1 : 0;
    CompensatedSum squares;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i != skip) squares.add(values[i] * values[i]);
    }
    WholeCounts counted;
    if (IsWholeForm(values, exact)) counted = CountWhole(exact, skip, n);
    const MeanVariance mv = MeanVarianceOfColumn(values, exact, skip, reference, n);
    statistics.Mean = mv.mean;
    statistics.Variance = mv.variance;
    statistics.StdDev = std::sqrt(mv.variance);
    statistics.SumOfSquares = squares.value();
    statistics.Count = static_cast<std::int32_t>(n);
    ValueTally tally = Tally(values, exact, skip, n, counted);
    statistics.Median = TallyMedian(values, skip, tally, n);
    if (tally_out) *tally_out = std::move(tally);
    return AllFinite(
        {statistics.Mean, statistics.Variance, statistics.SumOfSquares, statistics.Median});
}

}  // namespace

bool ComputeSampleStatistics(std::span<const std::string> values, char decimal_separator,
                             SampleStatistics& statistics) {
    if (values.size() < 2) return false;
    ColumnNumbersReader reader(decimal_separator, values.size());
    for (const std::string& text : values) {
        if (!reader.add(text)) return false;
    }
    const ColumnNumbers column = reader.take();
    return ColumnStatistics(column.values, column.exact, SIZE_MAX, statistics, nullptr);
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

ColumnNumbersReader::ColumnNumbersReader(char decimal_separator, std::size_t expected_count)
    : m_separator(decimal_separator) {
    m_numbers.values.reserve(expected_count);
    m_numbers.exact.whole.reserve(expected_count);
    AdviseLargeFill(m_numbers.values.data(), expected_count * sizeof(Extended));
    AdviseLargeFill(m_numbers.exact.whole.data(), expected_count * sizeof(std::int64_t));
}

bool ColumnNumbersReader::add(std::string_view text) {
    std::optional<ShortDecimal> digits;
    const std::optional<Extended> x = ParseNumber(text, m_separator, digits);
    if (!x) return false;
    m_numbers.values.push_back(*x);
    ExactColumn& exact = m_numbers.exact;
    if (m_whole_form) {
        if (digits && addWhole(*digits)) return true;
        // Not a whole multiple that fits: every value keeps its own decimal from now on.
        toDecimals();
    }
    exact.decimals.push_back(digits ? ToExactDecimal(*digits)
                                    : ReadExactDecimal(text, m_separator));
    return true;
}

// The multiples made into the decimals their texts hold.
void ColumnNumbersReader::toDecimals() {
    ExactColumn& exact = m_numbers.exact;
    m_whole_form = false;
    exact.decimals.reserve(std::max(exact.whole.capacity(), m_numbers.values.capacity()));
    const int e = m_exponent == INT_MAX ? 0 : m_exponent;
    for (std::int64_t w : exact.whole) {
        const auto magnitude = static_cast<std::uint64_t>(w < 0 ? -w : w);
        exact.decimals.push_back(ToExactDecimal(ShortDecimal{magnitude, e, w < 0}));
    }
    exact.whole = {};
}

// A smaller power of ten met later scales the earlier multiples up, which can happen at
// most 18 times before they no longer fit.
bool ColumnNumbersReader::addWhole(const ShortDecimal& digits) {
    std::vector<std::int64_t>& whole = m_numbers.exact.whole;
    if (digits.mantissa == 0) {
        whole.push_back(0);
        return true;
    }
    std::uint64_t m = digits.mantissa;
    int e = digits.exponent;
    while (m % 10 == 0) {
        m /= 10;
        ++e;
    }
    if (e > kMaxWholePower || m >= static_cast<std::uint64_t>(kWholeLimit)) return false;
    if (e < m_exponent) {
        if (m_exponent != INT_MAX) {
            const int shift = m_exponent - e;
            if (!FitsShifted(static_cast<std::uint64_t>(m_largest), shift)) return false;
            const std::int64_t p = kPowersOfTen64[static_cast<std::size_t>(shift)];
            for (std::int64_t& w : whole) w *= p;
            m_largest *= p;
        }
        m_exponent = e;
    }
    const int shift = e - m_exponent;
    if (!FitsShifted(m, shift)) return false;
    const auto w = static_cast<std::int64_t>(m) * kPowersOfTen64[static_cast<std::size_t>(shift)];
    m_largest = std::max(m_largest, w);
    whole.push_back(digits.negative ? -w : w);
    return true;
}

ColumnNumbers ColumnNumbersReader::take() {
    m_numbers.exact.exponent = m_whole_form && m_exponent != INT_MAX ? m_exponent : 0;
    return std::move(m_numbers);
}

ColumnNumbers ReadColumnNumbers(std::span<const std::string> texts, char decimal_separator) {
    ColumnNumbersReader reader(decimal_separator, texts.size());
    for (const std::string& text : texts) {
        if (!reader.add(text)) throw ConversionError(text);
    }
    return reader.take();
}

bool ComputeSampleStatistics(std::span<const Extended> values, const ExactColumn& exact,
                             SampleStatistics& statistics, ValueTally* tally) {
    return ColumnStatistics(values, exact, SIZE_MAX, statistics, tally);
}

bool ComputeSampleStatisticsWithout(std::span<const Extended> values, const ExactColumn& exact,
                                    std::size_t skip, SampleStatistics& statistics) {
    if (skip >= values.size()) return false;
    return ColumnStatistics(values, exact, skip, statistics, nullptr);
}

std::vector<Extended> SortedValues(std::span<const Extended> values, const ValueTally& tally) {
    std::vector<Extended> sorted;
    sorted.reserve(values.size());
    AdviseLargeFill(sorted.data(), values.size() * sizeof(Extended));
    for (std::size_t k = 0; k < tally.values.size(); ++k) {
        const auto count = static_cast<std::size_t>(tally.counts[k]);
        if (tally.values[k] != 0) {
            sorted.insert(sorted.end(), count, tally.values[k]);
            continue;
        }
        for (Extended v : values) {
            if (v == 0) sorted.push_back(v);
        }
    }
    return sorted;
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
    std::vector<ExactDecimal> decimals;
    decimals.reserve(values.size());
    bool exact = texts.size() == values.size();
    for (std::size_t i = 0; exact && i < texts.size(); ++i) {
        decimals.push_back(ReadExactDecimal(texts[i], decimal_separator));
        exact = decimals.back().exact;
    }
    return DecimalDeviationsFromMean(values, exact ? decimals : std::vector<ExactDecimal>{});
}

std::vector<Extended> DeviationsFromMean(std::span<const Extended> values,
                                         const ExactColumn& exact) {
    if (!IsWholeForm(values, exact)) {
        const bool all_exact = exact.decimals.size() == values.size() &&
                               std::all_of(exact.decimals.begin(), exact.decimals.end(),
                                           [](const ExactDecimal& d) { return d.exact; });
        return DecimalDeviationsFromMean(values,
                                         all_exact ? exact.decimals : std::vector<ExactDecimal>{});
    }
    // The multiples share the smallest power of ten already, and neither their sum nor
    // n·x[i] - Σx can leave 128 bits (|x[i]| < 2^62, n < 2^31).
    std::vector<Extended> deviations(values.size());
    const auto n = static_cast<Int128>(values.size());
    Int128 sum = 0;
    for (std::int64_t w : exact.whole) sum += w;
    for (std::size_t i = 0; i < values.size(); ++i) {
        deviations[i] = ScaleByPowerOfTen(exact.whole[i] * n - sum, exact.exponent) / Extended(n);
    }
    return deviations;
}

}  // namespace tabulon

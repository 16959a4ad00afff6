// The sample statistics kernel: mean, variance, median and their kin of one sample.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "numeric/exact_decimal.h"
#include "numeric/extended.h"

namespace tabulon {

// The statistics of one sample, all in extended precision.
struct SampleStatistics {
    Extended Mean = 0;
    Extended Variance = 0;  // denominator n - 1
    Extended Median = 0;
    Extended StdDev = 0;        // square root of Variance
    Extended SumOfSquares = 0;  // raw sum of x^2, not centred
    std::int32_t Count = 0;
};

// All fields from the value texts (each one number written with `decimal_separator`).
// False when there are fewer than two values, a text is not a number, or a result does not
// fit the extended range; the record is then not to be used.
//
// Mean and variance are computed from the deviations from the first value, taken exactly
// from the decimal texts where they fit, and summed with compensation: values that share
// their leading digits and differ only in the last ones keep every digit of their spread.
// Identical values give a variance and standard deviation of exactly 0.
bool ComputeSampleStatistics(std::span<const std::string> values, char decimal_separator,
                             SampleStatistics& statistics);
// The same for values already converted.
bool ComputeSampleStatistics(std::span<const Extended> values, SampleStatistics& statistics);

// The exact decimal values of a column's texts, in the form the kernel takes its
// differences from. Typed measurements are whole multiples of one power of ten: then
// value[i] = whole[i] * 10^exponent exactly, |whole[i]| < 2^62, and every text's own power
// of ten (trailing zeros dropped) lies within ±27, so that each difference is one integer
// subtraction and one rounding, the same as from the two texts. Otherwise `whole` is empty
// and `decimals` holds every text's exact decimal.
struct ExactColumn {
    std::vector<std::int64_t> whole;
    int exponent = 0;  // the smallest power of ten of a non-zero value; 0 when there is none
    std::vector<ExactDecimal> decimals;
};

// The texts of one column read once: the converted values and their exact decimals.
struct ColumnNumbers {
    std::vector<Extended> values;
    ExactColumn exact;
};
// A text that is not a number raises ConversionError naming it.
ColumnNumbers ReadColumnNumbers(std::span<const std::string> texts, char decimal_separator);

// The same text by text, for texts kept in other forms than std::string.
class ColumnNumbersReader {
public:
    ColumnNumbersReader(char decimal_separator, std::size_t expected_count);
    // False, with nothing added, when the text is not a number.
    bool add(std::string_view text);
    ColumnNumbers take();

private:
    bool addWhole(const ShortDecimal& digits);
    void toDecimals();

    char m_separator;
    ColumnNumbers m_numbers;
    bool m_whole_form = true;
    int m_exponent = INT_MAX;  // the smallest power of ten of a non-zero value so far
    std::int64_t m_largest = 0;
};

// The distinct values ascending and how often each occurs; of equal values (0 and -0) the
// first in the column's order stands for them.
struct ValueTally {
    std::vector<Extended> values;
    std::vector<int> counts;
};

// ComputeSampleStatistics of the texts that `values` and `exact` were read from (the same
// results), and their tally when `tally` is given. Whole multiples are counted rather than
// sorted; the median is taken from the tally.
bool ComputeSampleStatistics(std::span<const Extended> values, const ExactColumn& exact,
                             SampleStatistics& statistics, ValueTally* tally = nullptr);
// The same for the column without its value at `skip`: the rest of a sample, as
// ComputeSampleStatistics gives it from the other texts.
bool ComputeSampleStatisticsWithout(std::span<const Extended> values, const ExactColumn& exact,
                                    std::size_t skip, SampleStatistics& statistics);
// DeviationsFromMean of the texts that `values` and `exact` were read from.
std::vector<Extended> DeviationsFromMean(std::span<const Extended> values,
                                         const ExactColumn& exact);
// The values ascending, equal values in their original order (a stable sort), from their
// tally.
std::vector<Extended> SortedValues(std::span<const Extended> values, const ValueTally& tally);

// a - b for two texts that are numbers (as ParseNumber reads them; the caller has checked),
// from their exact decimal values with a single rounding, so that differences that are equal
// as typed are equal: 1000.3 - 999.9 and 500.7 - 500.3 both give the extended 0.4. Texts
// with more digits than can be held exactly fall back on the difference of the converted
// values.
Extended DecimalDifference(std::string_view a, std::string_view b, char decimal_separator);

// values[i] - x̄, where `values` are the converted `texts`, from the exact decimal values:
// n·x[i] - Σx is exact and rounded once before the division by n, so values typed at equal
// distances from the mean (0.1 and 0.3 around 0.2) get deviations of exactly equal size.
// Where the texts have more digits than can be held exactly, or are not as many as the
// values, the converted values around their mean.
std::vector<Extended> DeviationsFromMean(std::span<const std::string> texts,
                                         std::span<const Extended> values, char decimal_separator);

// The median: the middle value (odd count) or the mean of the two middle values of the
// values sorted ascending, equal values keeping their order. The input is not reordered.
// False, with `median` untouched, when there are no values; a text that is not a number
// raises ConversionError.
bool ComputeMedian(std::span<const std::string> values, char decimal_separator, Extended& median);
bool ComputeMedian(std::span<const Extended> values, Extended& median);

// The smallest and largest value. False, with both outputs untouched, when there are no
// values; a text that is not a number raises ConversionError.
bool SampleRange(std::span<const std::string> values, char decimal_separator, Extended& min,
                 Extended& max);

// Mean, count and n - 1 variance of the non-empty texts among `cells` (a grid column's
// cells in row order, as the caller reads them). False when fewer than two cells hold
// values, a non-empty cell is not a number, or a result does not fit the extended range.
bool ColumnMeanVariance(std::span<const std::string> cells, char decimal_separator, Extended& mean,
                        int& count, Extended& variance);

// The summary of a caller-owned array of doubles used by the rank-test graphs.
struct ArrayStatistics {
    int Count = 0;
    double Sum = 0;
    double SumOfSquares = 0;
    double StdDev = 0;  // n - 1 denominator; 0 for fewer than two values
    double Mean = 0;
    double Min = 0;
    double Max = 0;
    double Median = 0;
};

// Computed in extended precision and handed back as doubles. False when the array holds
// fewer than 3 values (everything that exists is still computed: the median of one or two
// values, their mean, ...), or when a value is not finite (then only Count is set).
bool ArraySummary(std::span<const double> values, ArrayStatistics& summary);

}  // namespace tabulon

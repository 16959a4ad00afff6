// Building the current sample of a one-column procedure from its cell texts.
#include "univariate/descriptive_sample.h"

#include <algorithm>

#include "numeric/number_text.h"
#include "numeric/sample_statistics.h"

namespace tabulon {

std::optional<DescriptiveSample> MakeDescriptiveSample(std::vector<std::string> texts,
                                                       std::vector<std::string> row_numbers,
                                                       char decimal_separator) {
    DescriptiveSample sample;
    sample.decimal_separator = decimal_separator;
    ColumnNumbers numbers = ReadColumnNumbers(texts, decimal_separator);
    if (texts.size() < 2) return std::nullopt;
    ValueTally tally;
    if (!ComputeSampleStatistics(numbers.values, numbers.exact, sample.statistics, &tally)) {
        return std::nullopt;
    }
    sample.values = std::move(numbers.values);
    sample.exact = std::move(numbers.exact);
    sample.min = tally.values.front();
    sample.max = tally.values.back();
    sample.max_count = *std::max_element(tally.counts.begin(), tally.counts.end());
    sample.distinct = std::move(tally.values);
    sample.counts = std::move(tally.counts);
    row_numbers.resize(texts.size());
    sample.texts = std::move(texts);
    sample.row_numbers = std::move(row_numbers);
    return sample;
}

}  // namespace tabulon

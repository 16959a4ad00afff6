// Building the current sample of a one-column procedure from its cell texts.
#include "univariate/descriptive_sample.h"

#include <algorithm>

#include "numeric/number_text.h"

namespace tabulon {

std::optional<DescriptiveSample> MakeDescriptiveSample(std::vector<std::string> texts,
                                                       std::vector<std::string> row_numbers,
                                                       char decimal_separator) {
    DescriptiveSample sample;
    sample.decimal_separator = decimal_separator;
    sample.values.reserve(texts.size());
    for (const std::string& text : texts) {
        sample.values.push_back(StrToNumber(text, decimal_separator));
    }
    if (texts.size() < 2) return std::nullopt;
    if (!ComputeSampleStatistics(texts, decimal_separator, sample.statistics)) return std::nullopt;

    std::vector<Extended> sorted = sample.values;
    std::sort(sorted.begin(), sorted.end());
    sample.min = sorted.front();
    sample.max = sorted.back();
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i + 1;
        while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
        sample.distinct.push_back(sorted[i]);
        sample.counts.push_back(static_cast<int>(j - i));
        sample.max_count = std::max(sample.max_count, static_cast<int>(j - i));
        i = j;
    }
    row_numbers.resize(texts.size());
    sample.texts = std::move(texts);
    sample.row_numbers = std::move(row_numbers);
    return sample;
}

}  // namespace tabulon

// Building the current sample of a one-column procedure from its cell texts.
#include "univariate/descriptive_sample.h"

#include <algorithm>
#include <charconv>

#include "base/large_fill.h"
#include "numeric/number_text.h"
#include "numeric/sample_statistics.h"
#include "worksheet/parallel_load.h"

namespace tabulon {
namespace {

// The statistics and the tally of the values read; nullopt as MakeDescriptiveSample says.
std::optional<DescriptiveSample> Complete(DescriptiveSample sample, ColumnNumbers numbers) {
    if (numbers.values.size() < 2) return std::nullopt;
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
    return sample;
}

// Fewer values than this are copied on the reading thread.
constexpr std::size_t kValuesWorthAThread = 100000;

int RowNumber(const std::string& text) {
    int row = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), row);
    return ec == std::errc() && end == text.data() + text.size() && row >= 0 ? row : -1;
}

}  // namespace

std::optional<DescriptiveSample> MakeDescriptiveSample(std::vector<std::string> texts,
                                                       std::vector<std::string> row_numbers,
                                                       char decimal_separator) {
    DescriptiveSample sample;
    sample.decimal_separator = decimal_separator;
    ColumnNumbers numbers = ReadColumnNumbers(texts, decimal_separator);
    sample.texts.reserve(texts.size());
    sample.row_numbers.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        sample.texts.emplace_back(texts[i]);
        sample.row_numbers.push_back(i < row_numbers.size() ? RowNumber(row_numbers[i]) : -1);
    }
    return Complete(std::move(sample), std::move(numbers));
}

std::optional<DescriptiveSample> MakeDescriptiveSample(const Worksheet& sheet, int column,
                                                       char decimal_separator) {
    DescriptiveSample sample;
    sample.decimal_separator = decimal_separator;
    if (column < 0 || column >= sheet.columnCount()) return std::nullopt;
    const std::vector<CellText>& cells = sheet.columnCells(column);
    const auto end = std::min(cells.size(), static_cast<std::size_t>(sheet.rowCount()));
    const auto first = std::min(static_cast<std::size_t>(Worksheet::kFixedRows), end);
    std::size_t count = 0;
    for (std::size_t r = first; r < end; ++r) count += cells[r].view().empty() ? 0 : 1;
    sample.texts.reserve(count);
    sample.row_numbers.reserve(count);
    AdviseLargeFill(sample.texts.data(), count * sizeof(CellText));
    AdviseLargeFill(sample.row_numbers.data(), count * sizeof(int));
    ColumnNumbersReader reader(decimal_separator, count);
    // The numbers are read on one core while the texts and rows are copied on another.
    RunInThreads(count >= kValuesWorthAThread ? 2 : 1, [&](unsigned job) {
        if (job == 0) {
            for (std::size_t r = first; r < end; ++r) {
                const std::string_view text = cells[r].view();
                if (!text.empty() && !reader.add(text)) throw ConversionError(text);
            }
        }
        if (job == 1 || count < kValuesWorthAThread) {
            for (std::size_t r = first; r < end; ++r) {
                if (cells[r].view().empty()) continue;
                sample.texts.push_back(cells[r]);
                sample.row_numbers.push_back(static_cast<int>(r) - 1);
            }
        }
    });
    return Complete(std::move(sample), reader.take());
}

}  // namespace tabulon

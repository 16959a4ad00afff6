// Building the current sample of a one-column procedure from its cell texts.
#include "univariate/descriptive_sample.h"

#include <algorithm>
#include <charconv>
#include <thread>

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

// Fewer rows than this are not worth a thread.
constexpr std::size_t kRowsPerThread = 200000;

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
    // A million texts are read on every core, each taking a run of rows; the readers are
    // joined in order afterwards, which gives what one reader would have given.
    const unsigned parts = static_cast<unsigned>(
        std::clamp<std::size_t>((end - first) / kRowsPerThread, 1,
                                std::max(1u, std::thread::hardware_concurrency())));
    std::vector<std::size_t> bounds(parts + 1);
    for (unsigned k = 0; k <= parts; ++k) bounds[k] = first + (end - first) * k / parts;
    std::vector<std::size_t> offsets(parts + 1, 0);
    RunInThreads(parts, [&](unsigned k) {
        std::size_t count = 0;
        for (std::size_t r = bounds[k]; r < bounds[k + 1]; ++r) {
            count += cells[r].view().empty() ? 0 : 1;
        }
        offsets[k + 1] = count;
    });
    for (unsigned k = 0; k < parts; ++k) offsets[k + 1] += offsets[k];
    const std::size_t count = offsets[parts];
    sample.texts.reserve(count);
    sample.row_numbers.reserve(count);
    AdviseLargeFill(sample.texts.data(), count * sizeof(CellText));
    AdviseLargeFill(sample.row_numbers.data(), count * sizeof(int));
    sample.texts.resize(count);
    sample.row_numbers.resize(count);
    std::vector<ColumnNumbersReader> readers;
    for (unsigned k = 0; k < parts; ++k) {
        readers.emplace_back(decimal_separator, k == 0 ? count : offsets[k + 1] - offsets[k]);
    }
    RunInThreads(parts, [&](unsigned k) {
        std::size_t i = offsets[k];
        for (std::size_t r = bounds[k]; r < bounds[k + 1]; ++r) {
            const std::string_view text = cells[r].view();
            if (text.empty()) continue;
            if (!readers[k].add(text)) throw ConversionError(text);
            sample.texts[i] = cells[r];
            sample.row_numbers[i++] = static_cast<int>(r) - 1;
        }
    });
    for (unsigned k = 1; k < parts; ++k) readers[0].append(std::move(readers[k]));
    return Complete(std::move(sample), readers[0].take());
}

}  // namespace tabulon

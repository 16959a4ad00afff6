// The current sample of the one-column procedures: cell texts, their rows, the values
// converted once, the kernel's statistics and the distinct values the graphs draw.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "numeric/extended.h"
#include "numeric/sample_statistics.h"

namespace tabulon {

struct DescriptiveSample {
    std::vector<std::string> texts;        // SampleValues: the cell texts, top to bottom
    std::vector<std::string> row_numbers;  // SampleRowNumbers: the visible row of each text
    std::vector<Extended> values;          // the texts converted, in the same order
    ExactColumn exact;                     // their exact decimals, for the kernel
    SampleStatistics statistics;           // CurrentStatistics
    Extended min = 0;
    Extended max = 0;
    // The distinct values ascending and how often each occurs; the graph draws one bar per
    // distinct value, so it is kept here rather than recounted on every repaint.
    std::vector<Extended> distinct;
    std::vector<int> counts;
    int max_count = 0;
    char decimal_separator = '.';  // the texts' separator, for rereading them

    int Count() const { return statistics.Count; }
};

// Converts the texts (with `decimal_separator`) and computes the statistics. A text that is
// not a number raises ConversionError naming it. nullopt when there are fewer than two
// values or the statistics do not fit the extended range. `row_numbers` must be as long as
// `texts` (missing entries are read as empty).
std::optional<DescriptiveSample> MakeDescriptiveSample(std::vector<std::string> texts,
                                                       std::vector<std::string> row_numbers,
                                                       char decimal_separator);

}  // namespace tabulon

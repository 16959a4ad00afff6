// The current sample of the one-column procedures: cell texts, their rows, the values
// converted once, the kernel's statistics and the distinct values the graphs draw.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "numeric/extended.h"
#include "numeric/sample_statistics.h"
#include "worksheet/cell_text.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// A million-value sample is held lean: the texts as worksheet cells (inline up to 15
// bytes), the rows as numbers, made into texts only for the values a report names.
struct DescriptiveSample {
    std::vector<CellText> texts;   // SampleValues: the cell texts, top to bottom
    std::vector<int> row_numbers;  // SampleRowNumbers: the visible row of each text; -1 unknown
    std::vector<Extended> values;  // the texts converted, in the same order
    ExactColumn exact;             // their exact decimals, for the kernel
    SampleStatistics statistics;   // CurrentStatistics
    Extended min = 0;
    Extended max = 0;
    // The distinct values ascending and how often each occurs; the graph draws one bar per
    // distinct value, so it is kept here rather than recounted on every repaint.
    std::vector<Extended> distinct;
    std::vector<int> counts;
    int max_count = 0;
    char decimal_separator = '.';  // the texts' separator, for rereading them

    int Count() const { return statistics.Count; }
    std::string Text(std::size_t i) const { return std::string(texts[i].view()); }
    // The row as the window names it; empty when not known.
    std::string RowText(std::size_t i) const {
        return row_numbers[i] < 0 ? std::string() : std::to_string(row_numbers[i]);
    }
};

// Converts the texts (with `decimal_separator`) and computes the statistics. A text that is
// not a number raises ConversionError naming it. nullopt when there are fewer than two
// values or the statistics do not fit the extended range. `row_numbers` must be as long as
// `texts` (missing entries, and entries that are not row numbers, are read as empty).
std::optional<DescriptiveSample> MakeDescriptiveSample(std::vector<std::string> texts,
                                                       std::vector<std::string> row_numbers,
                                                       char decimal_separator);
// The same for the non-empty cells of a worksheet column, read straight from the sheet.
std::optional<DescriptiveSample> MakeDescriptiveSample(const Worksheet& sheet, int column,
                                                       char decimal_separator);

}  // namespace tabulon

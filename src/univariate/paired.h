// Paired observations: the rows where both chosen columns hold a value, and the paired
// t-test on their differences.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// The pairs, in row order. A row where either cell is empty is skipped; a cell that is not a
// number raises ConversionError.
struct PairedData {
    std::string first_name;  // the columns' titles
    std::string second_name;
    std::vector<Extended> first;
    std::vector<Extended> second;
    // first - second of each pair from the typed decimals, so that differences typed equal
    // are equal: the signed-rank test ranks them as ties, and no spread appears where none is.
    std::vector<Extended> difference;
    std::vector<int> row_numbers;  // visible row numbers of the pairs
};
PairedData ReadPairs(const Worksheet& sheet, int first_column, int second_column,
                     char decimal_separator);

struct PairedTTestResult {
    int m = 0;               // number of pairs
    Extended mean_diff = 0;  // d̄, d = first − second
    Extended sd = 0;         // s_d
    Extended u = 0;          // |√m·d̄/s_d|
    int df = 0;              // m − 1
    Extended level = 5;
    Extended tc = 0;           // TQuantile(m − 1, L/200)
    bool significant = false;  // tc < u
};

// The test, or why it cannot be computed: fewer than two pairs, or every difference equal
// (s_d = 0, nothing to divide by).
struct PairedTTestOutcome {
    std::optional<PairedTTestResult> result;
    std::string refusal;
};
PairedTTestOutcome ComputePairedTTest(const PairedData& pairs, Extended level);
// Only the level-dependent part, for the level controls.
void SetPairedLevel(PairedTTestResult& result, Extended level);

std::string PairedCaption();
// "u=…", "n=…", "t=…", the verdict; the copy text adds the caption, the columns and level.
std::vector<std::string> PairedWindowLines(const PairedTTestResult& result);
std::vector<std::string> PairedResultLines(const PairedData& pairs,
                                           const PairedTTestResult& result);

}  // namespace tabulon

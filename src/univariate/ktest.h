// The test against a constant: a one-sample t-test of a column's mean against a typed value,
// its texts and the graph of the true mean's distribution.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "numeric/extended.h"
#include "numeric/sample_statistics.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// The chosen column: its title, values and statistics.
struct KTestSample {
    std::string name;
    std::vector<Extended> values;
    SampleStatistics statistics;
};

// The sample, or why it cannot be tested (fewer than two values, or all values equal, so
// that there is no spread to divide by). A cell that is not a number raises ConversionError.
std::optional<KTestSample> ReadKTestSample(const Worksheet& sheet, int column,
                                           char decimal_separator, std::string& refusal);

struct KTestResult {
    Extended constant = 0;
    Extended level = 5;
    Extended u = 0;            // √n·|x̄ − C|/s
    int df = 0;                // n − 1
    Extended tc = 0;           // TQuantile(n − 1, L/200)
    bool significant = false;  // tc < u
};
KTestResult ComputeKTest(const KTestSample& sample, Extended constant, Extended level);

// "Vikt: Test på avvikelse från konstant": the caption starts with the column's title.
std::string KTestCaption(const std::string& column_title);

// The window's lines: the question, the u line, the verdict.
std::vector<std::string> KTestLines(const KTestSample& sample, const KTestResult& result);
// What Kopiera > Text copies: the caption, the window's lines and the level.
std::vector<std::string> KTestResultLines(const KTestSample& sample, const KTestResult& result);

// The distribution of the true mean with the constant marked.
void RenderKTestGraph(Canvas& canvas, int width, int height, const KTestSample& sample,
                      const KTestResult& result);

}  // namespace tabulon

// The Wilcoxon signed-rank test on paired columns: ranks of the absolute differences,
// rank sums, the exact one-sided probability, texts and the graph of both columns and
// their differences.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "numeric/extended.h"
#include "univariate/paired.h"

namespace tabulon {

struct SignedRankRecord {
    double abs_diff = 0;
    double rank = 0;
    bool positive = false;  // d > 0
};

struct SignedRankResult {
    int changed = 0;                        // pairs with d ≠ 0: n of the test
    int unchanged = 0;                      // pairs with d = 0, left out
    std::vector<SignedRankRecord> records;  // sorted by |d|, ranked
    double r_plus = 0;
    double r_minus = 0;
    double T = 0;              // the smaller rank sum
    Extended p = 0;            // percent: 100·SignedRankProbability(n, T)
    bool significant = false;  // p ≤ 10
};

// The test, or its refusal: fewer than 3 changed pairs, or more than 45.
struct SignedRankOutcome {
    std::optional<SignedRankResult> result;
    std::string refusal;
};
SignedRankOutcome ComputeSignedRankTest(const PairedData& pairs);

// The verdict (what the program keeps as its last result text).
std::string SignedRankVerdict(const SignedRankResult& result);
// The window's lines; `file_base` is the worksheet file's base name.
std::vector<std::string> SignedRankLines(const PairedData& pairs, const SignedRankResult& result,
                                         const std::string& file_base);
std::string SignedRankCaption();

// Three panels: the first column, the second, and the differences, each with its summary.
void RenderSignedRankGraph(Canvas& canvas, int width, int height, const PairedData& pairs);

}  // namespace tabulon

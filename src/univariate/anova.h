// One-way analysis of variance over chosen columns: choosing and reading the groups, the
// between- and within-groups mean squares with their F-test, the pairwise comparisons with
// the Bonferroni correction, the texts and the graph of the groups' sampling distributions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "graphs/dialogs.h"
#include "numeric/extended.h"
#include "numeric/sample_statistics.h"
#include "worksheet/worksheet.h"

namespace tabulon {

inline constexpr int kMaxAnovaGroups = 100;
inline constexpr std::size_t kMaxAnovaNameLength = 50;  // characters, not bytes

// One chosen column.
struct AnovaGroup {
    std::string name;             // the column's label, "3: Vikt", cut to 50 characters
    // Count, mean, variance and s, from the kernel's deviations about the mean (the median
    // and the raw sum of squares are not computed).
    SampleStatistics statistics;
    // The mean less the reference value shared by all groups (the first value of the first
    // group), found without ever rounding at the size of the values themselves: groups near
    // 10^12 that differ in their last digits keep those digits apart.
    Extended offset = 0;
};

// The command's question: at least three data columns in the sheet, then the multi-select
// column choice "ANOVA välj kolumner". The choice must name two to 100 columns; nullopt after
// a cancel or after the refusal's message.
std::optional<std::vector<int>> ChooseAnovaColumns(const Worksheet& sheet, Dialogs& dialogs);

// The groups of the chosen columns (the non-empty cells from the first data row down), or the
// message (current language) why they cannot be compared: a column with fewer than two
// values, or no variation within any column. A cell that is not a number raises
// ConversionError.
struct AnovaGroupsRead {
    std::optional<std::vector<AnovaGroup>> groups;
    std::string refusal;
};
AnovaGroupsRead ReadAnovaGroups(const Worksheet& sheet, const std::vector<int>& columns,
                                char decimal_separator);

// The F-test at significance level `level` (percent).
struct AnovaResult {
    Extended level = 5;
    int k = 0;           // groups
    int N = 0;           // values in all groups
    int df_between = 0;  // k - 1
    int df_within = 0;   // N - k
    Extended grand_mean = 0;
    Extended ss_between = 0;   // Σ nᵢ (x̄ᵢ - x̄)²
    Extended ss_within = 0;    // Σ (nᵢ - 1) sᵢ²
    Extended ms_between = 0;   // MSB
    Extended ms_within = 0;    // MSW
    Extended F = 0;            // MSB / MSW
    Extended Fc = 0;           // FQuantile(k - 1, N - k, 1 - L/100)
    bool significant = false;  // Fc < F
};
AnovaResult ComputeAnova(const std::vector<AnovaGroup>& groups, Extended level);

// Every pair i < j in group order, each tested at the level L/m split over its two sides.
struct BonferroniPair {
    int first = 0;  // group indices
    int second = 0;
    Extended difference = 0;  // x̄ᵢ - x̄ⱼ
    Extended limit = 0;  // the least difference that is significant: tc·√(MSW(1/nᵢ + 1/nⱼ))
    Extended u = 0;      // |x̄ᵢ - x̄ⱼ| / √(MSW(1/nᵢ + 1/nⱼ))
    bool significant = false;  // tc < u
};
struct BonferroniResult {
    int m = 0;                // k(k - 1)/2 comparisons
    Extended pair_level = 0;  // L' = (L/2)/m percent, each side of each comparison
    Extended tc = 0;          // TQuantile(N - k, L'/100)
    std::vector<BonferroniPair> pairs;
};
BonferroniResult CompareBonferroni(const std::vector<AnovaGroup>& groups,
                                   const AnovaResult& result);

// The window's caption.
std::string AnovaCaption();

// The table: headings, then one row per group (name, mean and s with six decimals, n).
std::vector<std::string> AnovaTableHeadings();
std::vector<std::vector<std::string>> AnovaTableRows(const std::vector<AnovaGroup>& groups);
// MSB and MSW with six significant digits.
std::string MeanSquareText(Extended value);
// "F = 27 > F(0,05 ; 2 ; 6) = 5,143" and the verdict below it.
std::string AnovaFLine(const AnovaResult& result);
std::string AnovaVerdict(const AnovaResult& result);
// What Kopiera > Text copies, one entry a line.
std::vector<std::string> AnovaResultLines(const std::vector<AnovaGroup>& groups,
                                          const AnovaResult& result);

// The comparison window: its caption, headings and rows (names, verdict, u and t with four
// decimals), and what its Kopiera puts on the clipboard (the caption, then the cells with
// tabs between them).
std::string BonferroniCaption(Extended level);
std::vector<std::string> BonferroniHeadings();
std::vector<std::vector<std::string>> BonferroniRows(const std::vector<AnovaGroup>& groups,
                                                     const BonferroniResult& comparison);
std::vector<std::string> BonferroniCopyLines(const std::vector<AnovaGroup>& groups,
                                             const AnovaResult& result,
                                             const BonferroniResult& comparison);

// Each group's sampling distribution, a normal curve with σ = √(sᵢ²/nᵢ) around x̄ᵢ in the
// group's colour, a line at each mean marked with the column number, and a value axis.
void RenderAnovaGraph(Canvas& canvas, int width, int height, const std::vector<AnovaGroup>& groups);

}  // namespace tabulon

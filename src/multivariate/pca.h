// Principal component analysis of chosen columns: every component of the autoscaled data, the
// table of eigenvalues and loadings, the score and loading pairs of the plots, and the listing
// of the rows that the first components leave unexplained (the outlier F test).
//
// The components come from the p × p cross-products of the autoscaled columns (their
// eigenvectors, signed as NIPALS finds them), the scores from one pass over the rows: the
// components NIPALS deflation converges to, without deflating the n rows p times.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/level_steps.h"
#include "multivariate/model_data.h"
#include "numeric/extended.h"

namespace tabulon {

struct PcaResult {
    int n = 0;
    int p = 0;
    std::vector<int> rows;           // the grid row of each valid row
    std::vector<Extended> MeanRow;   // p column means
    std::vector<Extended> StdRow;    // p standard deviations (n − 1)
    std::vector<Extended> Scale;     // the divisor used: StdRow above 1e-30, else 1
    std::vector<Extended> lambda;    // λ_k = t_kᵀt_k, descending
    std::vector<Extended> loadings;  // p values per component, component k at [k * p], unit
    std::vector<Extended> scores;    // n values per component, component k at [k * n]
    // RowResidualSS: (p + 1) columns of n: column k at [k * n] holds, for each row, the sum of
    // squares of its autoscaled values left after k components (column 0: before any).
    std::vector<Extended> RowResidualSS;

    Extended Loading(int j, int k) const { return loadings[static_cast<std::size_t>(k) * p + j]; }
    Extended Score(int i, int k) const { return scores[static_cast<std::size_t>(k) * n + i]; }
    Extended Residual(int i, int k) const {
        return RowResidualSS[static_cast<std::size_t>(k) * n + i];
    }
};

struct PcaFit {
    std::optional<PcaResult> result;
    std::string refusal;  // current language
};
// FitPCA on data read without a response. Refused with "För få datapunkter.." below two valid
// rows, and when the eigen solver does not converge.
PcaFit FitPCA(const ModelData& data);

// ShowPcaTable: p + 1 rows of p + 3 cells. Row 0: "PC", "Egenvärde" / "Eigen value", "Förkl
// var i %" / "Expl var in %", then `captions` (one per column). Row k: k, λ_k (6 significant
// digits), 100·λ_k/Σλ (3 digits; empty when |Σλ| ≤ 1e-19), then per variable its loading
// (4 digits) or, with `shares`, 100·p_jk²/Σ_j p_jk² (4 digits) and "%".
using TextTable = std::vector<std::vector<std::string>>;
TextTable ShowPcaTable(const PcaResult& pca, const std::vector<std::string>& captions, bool shares);

// Kopiera > Text of the PCA window: "File name = ", "PCA", the counts, then the table with
// cells separated by a tab, one row per line.
std::vector<std::string> PcaCopyLines(const std::string& file_name, const PcaResult& pca,
                                      const TextTable& table);

// The points of a two-dimensional score or loading plot, as cell texts (8 significant digits)
// for the regression window, with what it shows as each point's number.
struct PlotPairs {
    std::string x_name;
    std::string y_name;
    std::vector<std::string> x;
    std::vector<std::string> y;
    std::vector<std::string> numbers;
};
// "Score 1", "Score 2", ... and "Faktor 1" / "Factor 1", ...: the two lists' entries.
std::vector<std::string> ScoreEntries(int components);
std::vector<std::string> LoadingEntries(int components);
// The component an entry names (0-based), from its number after the last blank; -1 if none.
int EntryComponent(const std::string& entry);
// Score pairs: each valid row's scores on components a and b (0-based), numbered by row.
// `scores` holds n values per component, component k at [k * n].
PlotPairs ScorePairs(const std::vector<Extended>& scores, const std::vector<int>& rows, int a,
                     int b);
// Loading pairs: each x-variable's loadings on a and b, named by its display name; PCR and PLS
// add the response as one more point with its loadings q (`response` empty for PCA).
PlotPairs LoadingPairs(const std::vector<Extended>& loadings, int p,
                       const std::vector<std::string>& names, int a, int b,
                       const std::vector<Extended>& response = {},
                       const std::string& response_name = {});

// The outlier listing after k principal components.
struct OutlierListing {
    int n = 0;
    int p = 0;
    int components = 0;      // k: at most the count asked for, leaving residual variation
    int df1 = 0;             // p − k
    int df2 = 0;             // (p − k)(n − k − 1)
    Extended level = 0.05L;  // a fraction
    Extended FCrit = 0;
    std::vector<int> rows;      // grid rows
    std::vector<Extended> F;    // Σ_j x_ij² left / S · (n − k − 1), S the sum over the rows
    std::vector<bool> outlier;  // F_i > FCrit
};
struct OutlierListingResult {
    std::optional<OutlierListing> listing;
    std::string refusal;
};
// The count asked for is limited to 1 .. p and to at most n, then stepped down while the
// residual variation after it is zero: at most 1e-14 of the variation before any component,
// since rounding leaves that much of what the components explain. Refused when no variation
// is left even before the first component (every column constant).
OutlierListingResult ListOutliers(const PcaResult& pca, int asked, Extended level = 0.05L);
// A new level (a fraction): FCrit recomputed and every row classified again.
void ClassifyOutliers(OutlierListing& listing, Extended level);

// The texts of the outlier window: the three count lines, the grid (header and one row per
// valid row: row number, F in 3 significant digits, "Outlier" or "Tillhör mängden" /
// "Belongs to the set"), and the critical value "F(5%,2,18) = 3.555".
std::vector<std::string> OutlierCountLines(const OutlierListing& listing);
TextTable OutlierGrid(const OutlierListing& listing);
std::string OutlierCriticalText(const OutlierListing& listing);

// The outlier window's level control, in percent: buttons 10 % ... 0.01 %, arrows ±1 and
// ±0.1 that stop at 20 % and 0.1 %; starts at 5 %. A button sets its level as it is, so 0.01 %
// stays reachable below the arrows' floor.
Extended StepOutlierLevel(Extended percent, LevelArrow arrow);
LevelRules OutlierLevelRules();

}  // namespace tabulon

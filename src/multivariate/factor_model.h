// PCR and PLS: factors extracted from the autoscaled cross-products (the p × p kernel), the
// factor-count question, and the model with the chosen number of factors.
//
// Both work on XᵀX, Xᵀz and zᵀz of the autoscaled data instead of deflating the n rows, so a
// fit costs O(p²) per factor after one pass over the data, and a leave-one-out fit, which
// only needs the kernel of n − 1 rows (WithoutRow), costs no pass at all. The factors are
// those of NIPALS deflation: PLS weights, loadings and response loadings are identical to
// rounding; PCR takes the exact eigenvectors of XᵀX, which NIPALS approaches to its tolerance.
#pragma once

#include <string>
#include <vector>

#include "multivariate/model_data.h"
#include "multivariate/model_fit.h"
#include "numeric/matrix.h"

namespace tabulon {

// How the extraction ended.
enum class FactorStop {
    AllExtracted,  // every factor asked for, or p
    Exhausted,     // the response is explained: its residual RMS fell below 1e-10, or to rounding
    NoDirection,   // PLS: the weight vector is zero, the response is uncorrelated with what is
                   // left of the x-variables (or lies where they do not vary)
};

// The factors in plain arrays: p values per factor, factor k at [k * p].
struct FactorSet {
    int p = 0;
    int extracted = 0;
    std::vector<Extended> W;   // PLS: the unit weight vectors w_k; empty for PCR
    std::vector<Extended> P;   // x-loadings Xᵀt_k / t_kᵀt_k (PCR: the unit eigenvectors)
    std::vector<Extended> R;   // directions in the undeflated data: t_k = X·r_k
    std::vector<Extended> q;   // the response loading of each factor
    std::vector<Extended> tt;  // t_kᵀt_k (PCR: the eigenvalue)
    // ResidualRms: entry k = √(zᵀz / n) of the scaled response left after k factors, k = 0..p;
    // entries after the stop stay 0.
    std::vector<Extended> ResidualRms;
    FactorStop stop = FactorStop::AllExtracted;
};

// The principal components of autoscaled data from its XᵀX (p × p): the eigenvalues
// λ_k = t_kᵀt_k in descending order and unit loadings, each signed as NIPALS finds it
// (positive on the variable with the largest sum of squares left, the first on a tie). The
// scores are ProjectRows of the loadings. PCR uses them; so can PCA.
struct PrincipalComponents {
    bool converged = false;
    std::vector<Extended> lambda;    // p
    std::vector<Extended> loadings;  // p per component, component k at [k * p]
};
PrincipalComponents ComputePrincipalComponents(const std::vector<Extended>& XtX, int p);

// PLS1 by the kernel algorithm. At most `max_factors` factors (0: p); the loop stops after a
// factor whose residual RMS is below 1e-10, and before a factor whose weight vector is zero
// relative to the data (no division by a vanishing tᵀt).
FactorSet KernelPls(const AutoscaledKernel& kernel, int max_factors);
// PCR: the principal components in order; q = 0 for an eigenvalue that is zero to rounding.
// The same 1e-10 stop. `converged` false when the eigen solver is not.
FactorSet KernelPcr(const AutoscaledKernel& kernel, int max_factors, bool* converged = nullptr);

// b of the autoscaled model with the first k factors: Σ r_j·q_j, i.e. W_k (P_kᵀW_k)⁻¹ q_k.
std::vector<Extended> ScaledCoefficients(const FactorSet& set, int k);

// FitPCR / FitPLS up to the question of how many factors to use.
struct FactorFit {
    ModelMethod method = ModelMethod::PLS;
    AutoscaledKernel kernel;
    FactorSet factors;
    std::string note;  // why extraction stopped early when the user should know, else empty
};
struct FactorFitResult {
    std::optional<FactorFit> fit;
    std::string refusal;
};
// Refused with "För få datapunkter.." below two valid rows.
FactorFitResult ExtractFactors(ModelMethod method, const ModelData& data);

// ChooseFactorCount: the contents of the factor-count dialog.
struct FactorChoice {
    std::string caption;       // "PLS: Välj antal faktorer" / "PLS: Choose number of factors"
    std::string label;         // "Välj antal faktorer" / "Choose number of factors"
    std::string count_header;  // "Ant faktorer" / "Number of factors"
    std::string left_header;   // "% kvar att förklara" / "% left to explain"
    // k = 0 .. p: k, and 100·ResidualRms(k)/ResidualRms(0) (2 significant digits) when
    // ResidualRms(0) > 0, else empty.
    std::vector<std::pair<std::string, std::string>> rows;
    std::string initial = "1";  // what the edit field starts with
};
FactorChoice ChooseFactorCount(const FactorFit& fit);

// The count typed into the dialog; a text that is not an integer raises ConversionError.
int ParseFactorCount(const std::string& text);
// The count a model uses: limited to 1 .. p and to at most n, then to the factors extracted
// (0 when none could be).
int LimitFactorCount(const FactorFit& fit, int requested);
// The caption with the count as entered: "PLS: Partial Least Squares: 3 faktorer".
std::string FactorCaption(ModelMethod method, const std::string& count_as_entered);

// The model with `factors` factors (already limited): scaled coefficients, data units,
// predictions and sums; the note of the extraction travels along.
ModelFit FinishFactorFit(const ModelData& data, const FactorFit& fit, int factors);

// Extract, limit and finish in one: `requested` 0 uses every factor extracted (the window
// asks in between instead).
ModelFitResult FitPCR(const ModelData& data, int requested);
ModelFitResult FitPLS(const ModelData& data, int requested);

// The workspace matrices of the window's score and loading plots, p × p (1 × p, n × p) with
// the columns of factors not extracted left 0.
tMatrix WeightMat(const FactorFit& fit);
tMatrix LoadMat(const FactorFit& fit);
tMatrix YLoadRow(const FactorFit& fit);
// The scores of the valid rows: t_k = X·r_k of the autoscaled data.
tMatrix ScoreMat(const ModelData& data, const FactorFit& fit);

// NipalsComponent: one principal component of X (n × p) by NIPALS, started from the column
// with the largest sum of squares, stopped when λ = tᵀt changes by less than 1/100000 of
// itself or after the 1001st iteration (which counts as success). Fails when tᵀt < 1e-30.
struct NipalsResult {
    bool ok = false;
    tMatrix t;  // n × 1 scores
    tMatrix p;  // p × 1 unit loading
    Extended lambda = 0;
};
NipalsResult NipalsComponent(const tMatrix& X);

}  // namespace tabulon

// Leave-one-out cross-validation of the calibration models: PRESS, the cross-validated RMS of
// every PCR or PLS factor count, and the count Optimera chooses from them.
//
// Every left-out fit starts from the cross-products of all rows downdated by the one row
// (WithoutRow), so no fit goes back to the n rows, and extracts only the factors it uses:
// later PCR and PLS factors never change earlier ones, so this gives the same model as
// extracting all of them. The rows are shared between the cores; each row's prediction is
// computed on its own and the sums are added in row order, so the split changes nothing.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "multivariate/model_data.h"
#include "multivariate/model_fit.h"

namespace tabulon {

// What a long run reports and obeys. `progress` is called from worker threads, so it must be
// safe to call from any thread; it gets the rows done of this pass, the pass's row count and
// the factor count the pass goes up to (0 for MLR).
struct CvControl {
    const std::atomic<bool>* cancel = nullptr;  // when set, the run stops before its next row
    std::function<void(int rows_done, int rows, int factors)> progress;
    // Optimera: the smallest cross-validated RMS met so far, after each pass.
    std::function<void(Extended best)> best;
};

enum class CvStatus { Done, Refused, Cancelled };

// PRESS: every valid row predicted by the model fitted on the other n − 1 rows. In `fit`,
// predictions holds the cross-validated ẑ_i, residuals ẑ_i − z_i, SSRes their sum of squares
// (PRESS, from the residuals as computed, not as rounded for the worksheet), factors the count
// used; Coeffs stays empty, as no one model belongs to a cross-validation.
struct PressResult {
    CvStatus status = CvStatus::Done;
    std::string refusal;  // current language
    ModelFit fit;
};
// MLR: refused with "För få datapunkter.." when n − 1 ≤ p, and with the determinant message
// when XᵀX of some left-out subset is singular.
PressResult PressMLR(const ModelData& data, const CvControl& control = {});
// PCR and PLS with `factors` limited to 1 .. p; refused below three valid rows (a subset of
// one row has no spread to scale by).
PressResult PressPCR(const ModelData& data, int factors, const CvControl& control = {});
PressResult PressPLS(const ModelData& data, int factors, const CvControl& control = {});

// CvPCR, CvPLS for every count k = 1 .. max_factors in one pass: rms[k − 1] = √(PRESS_k / n),
// the squared residuals summed in extended precision. A left-out fit that stops extracting
// early (its response explained) predicts with the factors it has for the larger counts.
struct CvCriteria {
    CvStatus status = CvStatus::Done;
    std::string refusal;
    std::vector<Extended> rms;
};
CvCriteria CrossValidatedRms(ModelMethod method, const ModelData& data, int max_factors,
                             const CvControl& control = {});

// The largest count Optimera tries: p, and no more than n − 1.
int OptimiseLimit(const ModelData& data);

// The search over rms[0] (1 factor), rms[1], ...: the best so far is kept while the next count
// is no worse (ties continue), and the count before the first worse one is chosen; when none
// is worse, the last count. 0 for an empty list.
int ChooseFactorsByCriteria(const std::vector<Extended>& rms);

// Optimera: the cross-validated RMS for growing counts until one is worse than the best so far
// or OptimiseLimit is reached. The counts are cross-validated in passes of 4, 8, 16, ...
// factors, each pass giving every count up to its end, so a search that stops early costs
// little and one that runs to p costs at most twice a single pass.
struct Optimisation {
    CvStatus status = CvStatus::Done;
    std::string refusal;
    int factors = 0;            // the chosen count
    std::vector<Extended> rms;  // the criteria of the counts examined, 1 .. the deciding one
};
Optimisation OptimiseFactors(ModelMethod method, const ModelData& data,
                             const CvControl& control = {});

// The window captions (mode keys): "PRESS: Partial Least Squares", "OPT: Partial Least
// Squares", and the PRESS caption with the count: "PRESS: Partial Least Squares: 3 faktorer".
std::string PressCaption(ModelMethod method);
std::string OptimiseCaption(ModelMethod method);
std::string PressCaptionWithFactors(ModelMethod method, int factors);
// The progress window's caption: "PRESS:MLR", "PRESS:PCR", "PRESS:PLS", "OPT:PCR"; the
// Optimera of PLS has always shown "PRESS:PLS", and users know it by that.
std::string CvProgressCaption(ModelMethod method, bool optimise);

}  // namespace tabulon

// What every calibration model shares: its method and window caption, the autoscaled
// cross-products PCR and PLS fit on, the model in data units, its predictions and sums.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "multivariate/cross_products.h"
#include "multivariate/model_data.h"
#include "numeric/extended.h"

namespace tabulon {

enum class ModelMethod { MLR, PCR, PLS };

// "MLR", "PCR", "PLS": what the model file and CurrentModel call the method.
std::string MethodName(ModelMethod method);
// The modelling window's caption, its mode key: "MLR: Multipel Linear Regression",
// "PCR: Principal-component-regression", "PLS: Partial Least Squares".
std::string ModelCaption(ModelMethod method);

// LoadAutoscaled: the cross-products of the autoscaled data. Each column is centred by its mean
// and divided by its standard deviation (n − 1) when that exceeds `threshold` (1e-19 for the
// models, 1e-30 for PCA); a column at or below stays centred but unscaled. The response is
// treated the same way; without one (PCA) Xtz is empty and ztz 0.
struct AutoscaledKernel {
    int n = 0;
    int p = 0;
    std::vector<Extended> MeanRow;  // p + 1 (p without a response): x means, then the z mean
    std::vector<Extended> StdRow;   // the standard deviations, z last
    std::vector<Extended> Scale;    // the divisor used, StdRow or 1
    std::vector<Extended> XtX;      // p × p, row-major: XᵀX of the scaled x-variables
    std::vector<Extended> Xtz;      // p: Xᵀz
    Extended ztz = 0;               // zᵀz

    Extended At(int j, int k) const { return XtX[static_cast<std::size_t>(j) * p + k]; }
};
// `cp` of p x-variables and z (cp.m == p + 1), or of p variables alone.
inline constexpr Extended kScaleThreshold = 1e-19L;
AutoscaledKernel LoadAutoscaled(const CrossProducts& cp, bool has_response = true,
                                Extended threshold = kScaleThreshold);

// ConvertToDataUnits: (b0, b1, ..., bp) of z = b0 + Σ b_j·x_j from the coefficients b of the
// autoscaled model: b_j·s_z/s_j with the divisors used, and b0 = m_z − Σ b_j·m_j.
std::vector<Extended> ConvertToDataUnits(const AutoscaledKernel& kernel,
                                         const std::vector<Extended>& scaled);

// PredictRow: b0 + Σ b_j·x_j, summed in extended precision in the order j = 1 .. p.
Extended PredictRow(const std::vector<Extended>& coeffs, const Extended* x, std::size_t stride = 1);

// A fitted model of any method, as the modelling window shows it.
struct ModelFit {
    ModelMethod method = ModelMethod::MLR;
    int n = 0;
    int p = 0;
    int factors = 0;                     // PCR and PLS: the factors used; MLR: p
    std::vector<Extended> Coeffs;        // p + 1: b0, then b_j of x-variable j (data units)
    std::vector<Extended> ScaledCoeffs;  // PCR and PLS: the coefficients of the autoscaled model
    std::vector<Extended> predictions;   // ẑ of each valid row
    std::vector<Extended> residuals;     // ẑ − z (prediction minus observation)
    Extended ZMean = 0;                  // mean of z over the valid rows
    Extended SSTot = 0;                  // Σ(z − z̄)²
    Extended SSReg = 0;                  // Σ(ẑ − z̄)²
    Extended SSRes = 0;                  // Σ(z − ẑ)²
    std::string note;                    // what the user should know about the fit, or empty

    // √(SSRes / n); 0 without rows.
    Extended Rms() const;
};

// The predictions of every valid row with `fit.Coeffs`, the residuals and the sums.
void CompleteFit(const ModelData& data, ModelFit& fit);

// A fit, or why there is none (current language).
struct ModelFitResult {
    std::optional<ModelFit> fit;
    std::string refusal;
};

// "För få datapunkter.." / "Too few data points ..".
std::string TooFewPointsText();

}  // namespace tabulon

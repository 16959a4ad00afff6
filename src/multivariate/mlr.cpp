// MLR through the centred, scaled normal equations: about the means the intercept drops out
// and the scaling to unit diagonal makes the pivots scale-free, so the rank test means the
// same for data in grams and in tonnes.
#include "multivariate/mlr.h"

#include <cmath>

#include "base/language.h"

namespace tabulon {

std::string DeterminantZeroText() {
    return ChooseText("Cannot perform the operation. The determinant is zero",
                      "Operationen går ej att utföra. Determinanten är noll");
}

std::optional<CrossProducts> LoadDesignMatrix(const ModelData& data, std::string& refusal) {
    if (data.p >= data.n) {
        refusal = TooFewPointsText();
        return std::nullopt;
    }
    return ComputeCrossProducts(data);
}

std::optional<std::vector<Extended>> MlrCoefficients(const CrossProducts& C) {
    const int p = C.m - 1;
    std::vector<Extended> s(p);
    for (int j = 0; j < p; ++j) {
        if (!(C(j, j) > 0)) return std::nullopt;
        s[j] = std::sqrt(C(j, j));
    }
    // Cholesky of R = S⁻¹·C·S⁻¹, lower triangle in L (row-major).
    std::vector<Extended> L(static_cast<std::size_t>(p) * p, 0);
    auto l = [&](int i, int j) -> Extended& { return L[static_cast<std::size_t>(i) * p + j]; };
    for (int j = 0; j < p; ++j) {
        Extended pivot = C(j, j) / (s[j] * s[j]);
        for (int k = 0; k < j; ++k) pivot -= l(j, k) * l(j, k);
        if (!(pivot > kSingularPivot)) return std::nullopt;
        l(j, j) = std::sqrt(pivot);
        for (int i = j + 1; i < p; ++i) {
            Extended v = C(i, j) / (s[i] * s[j]);
            for (int k = 0; k < j; ++k) v -= l(i, k) * l(j, k);
            l(i, j) = v / l(j, j);
        }
    }
    // R·β = S⁻¹·c with c = Xᵀz about the means, then b = S⁻¹·β.
    std::vector<Extended> y(p);
    for (int i = 0; i < p; ++i) {
        Extended v = C(i, p) / s[i];
        for (int k = 0; k < i; ++k) v -= l(i, k) * y[k];
        y[i] = v / l(i, i);
    }
    for (int i = p - 1; i >= 0; --i) {
        Extended v = y[i];
        for (int k = i + 1; k < p; ++k) v -= l(k, i) * y[k];
        y[i] = v / l(i, i);
    }
    std::vector<Extended> coeffs(p + 1, 0);
    Extended b0 = C.mean[p];
    for (int j = 0; j < p; ++j) {
        coeffs[j + 1] = y[j] / s[j];
        b0 -= coeffs[j + 1] * C.mean[j];
    }
    coeffs[0] = b0;
    return coeffs;
}

ModelFitResult FitMLR(const ModelData& data) {
    std::string refusal;
    const auto cp = LoadDesignMatrix(data, refusal);
    if (!cp) return {std::nullopt, refusal};
    auto coeffs = MlrCoefficients(*cp);
    if (!coeffs) return {std::nullopt, DeterminantZeroText()};
    ModelFit fit;
    fit.method = ModelMethod::MLR;
    fit.factors = data.p;
    fit.Coeffs = std::move(*coeffs);
    CompleteFit(data, fit);
    return {std::move(fit), {}};
}

}  // namespace tabulon

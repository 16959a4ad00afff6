// Multiple linear regression of z on the x-variables with an intercept.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "multivariate/cross_products.h"
#include "multivariate/model_data.h"
#include "multivariate/model_fit.h"

namespace tabulon {

// Below this, a pivot of the scaled normal equations (1 − R² of an x-variable on those before
// it) counts as zero: XᵀX is singular to working precision.
inline constexpr Extended kSingularPivot = 1e-14L;

// LoadDesignMatrix: the normal equations about the means, the centred cross-products of the
// x-variables and z. Empty, with `refusal` set, when p ≥ n (too few data points).
std::optional<CrossProducts> LoadDesignMatrix(const ModelData& data, std::string& refusal);

// b0, b1 .. bp from the centred cross-products of p x-variables and z (cp.m == p + 1), by the
// scaled Cholesky factorisation below; nullopt when XᵀX is singular. The leave-one-out fits
// call it on downdated cross-products.
std::optional<std::vector<Extended>> MlrCoefficients(const CrossProducts& cp);

// FitMLR: b solves the centred normal equations, scaled to unit diagonal and factored by
// Cholesky; b0 = z̄ − Σ b_j·x̄_j. Refused with "För få datapunkter.." when p ≥ n (this wins),
// and with "Operationen går ej att utföra. Determinanten är noll" when XᵀX is singular: a
// constant x-variable, or one that the others determine (a pivot at or below kSingularPivot).
ModelFitResult FitMLR(const ModelData& data);

// "Operationen går ej att utföra. Determinanten är noll" / "Cannot perform the operation. The
// determinant is zero".
std::string DeterminantZeroText();

}  // namespace tabulon

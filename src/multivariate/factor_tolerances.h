// The limits below which PCR and PLS treat a quantity of the kernel as zero.
#pragma once

#include "numeric/extended.h"

namespace tabulon {

// The factor loop stops after a factor whose residual RMS of the scaled response is below this.
inline constexpr Extended kResidualStop = 1e-10L;
// The kernel knows the residual sum of squares only to rounding of zᵀz (about 1e-19 of it, a
// few times over): a remainder below this fraction of zᵀz is 0, the response exhausted.
inline constexpr Extended kExhaustedFraction = 1e-16L;
// Relative size below which a PLS weight Xᵀz (against ‖X‖·‖z‖) or a score (against ‖X‖·‖r‖)
// is rounding, far above extended rounding and far below any real correlation.
inline constexpr Extended kWeightTolerance = 1e-13L;
// An eigenvalue of XᵀX at or below this fraction of its trace is zero: PCR gives it q = 0.
inline constexpr Extended kEigenTolerance = 1e-14L;

}  // namespace tabulon

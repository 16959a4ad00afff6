// Least squares by Householder QR in extended precision, for the curve fits of the
// regression window. The design's columns are scaled to unit length first, so that the
// rank test and the solve do not depend on the units of x; the normal equations are never
// formed, which keeps the digits they would square away.
#pragma once

#include <vector>

#include "numeric/extended.h"

namespace tabulon {

class QrLeastSquares {
public:
    // `design`: n rows of p values each (row-major), `y`: n values. Rows may carry weights
    // already (multiplied by √w). Needs n ≥ p ≥ 1.
    QrLeastSquares(const std::vector<Extended>& design, const std::vector<Extended>& y, int p);

    // False when a column is (within rounding) a combination of the others: the system has
    // no unique solution.
    bool FullRank() const { return m_full_rank; }
    // The least-squares coefficients of the design's columns.
    const std::vector<Extended>& Coefficients() const { return m_coef; }
    // vᵀ(XᵀX)⁻¹v for a vector v over the design's columns: the variance of v·β per unit
    // residual variance.
    Extended QuadraticForm(const std::vector<Extended>& v) const;
    // (XᵀX)⁻¹ in full, p×p row-major.
    std::vector<Extended> Inverse() const;
    // The ratio of the largest to the smallest diagonal element of R on scaled columns, a
    // cheap estimate of the design's condition number.
    Extended ConditionEstimate() const;

private:
    // Solves Rᵀz = w (w in scaled columns) in place.
    void SolveRTransposed(std::vector<Extended>& w) const;

    int m_p = 0;
    std::vector<Extended> m_r;      // p×p upper triangle, row-major, on scaled columns
    std::vector<Extended> m_scale;  // the length each column was divided by
    std::vector<Extended> m_coef;
    bool m_full_rank = false;
};

}  // namespace tabulon

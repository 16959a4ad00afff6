// Householder QR: each column of the scaled design is reflected onto the diagonal in turn;
// the same reflections carry y, and back substitution gives the coefficients.
#include "regression/least_squares.h"

#include <algorithm>
#include <cmath>

namespace tabulon {

namespace {
// A diagonal element of R this small against the largest means a dependent column: with
// 64-bit mantissas that leaves fewer than 6 digits in any coefficient.
constexpr Extended kRankTolerance = 1e-13L;
}  // namespace

QrLeastSquares::QrLeastSquares(const std::vector<Extended>& design, const std::vector<Extended>& y,
                               int p)
    : m_p(p), m_r(static_cast<std::size_t>(p) * p, 0), m_scale(p, 1), m_coef(p, 0) {
    const std::size_t n = y.size();
    if (p < 1 || n < static_cast<std::size_t>(p) || design.size() != n * p) return;
    // Column-major copy, scaled to unit length.
    std::vector<std::vector<Extended>> a(p, std::vector<Extended>(n));
    for (int j = 0; j < p; ++j) {
        Extended len = 0;
        for (std::size_t i = 0; i < n; ++i) {
            a[j][i] = design[i * p + j];
            len = std::hypot(len, a[j][i]);
        }
        if (!(len > 0) || !std::isfinite(len)) return;
        m_scale[j] = len;
        for (Extended& v : a[j]) v /= len;
    }
    std::vector<Extended> b(y.begin(), y.end());
    for (int k = 0; k < p; ++k) {
        std::vector<Extended>& col = a[k];
        Extended norm = 0;
        for (std::size_t i = k; i < n; ++i) norm = std::hypot(norm, col[i]);
        const Extended alpha = col[k] > 0 ? -norm : norm;
        // v = col[k..] − alpha·e_k; H = I − 2vvᵀ/vᵀv.
        std::vector<Extended> v(col.begin() + k, col.end());
        v[0] -= alpha;
        Extended vv = 0;
        for (Extended e : v) vv += e * e;
        col[k] = alpha;
        for (std::size_t i = k + 1; i < n; ++i) col[i] = 0;
        if (vv > 0) {
            auto reflect = [&](std::vector<Extended>& c) {
                Extended dot = 0;
                for (std::size_t i = k; i < n; ++i) dot += v[i - k] * c[i];
                const Extended f = 2 * dot / vv;
                for (std::size_t i = k; i < n; ++i) c[i] -= f * v[i - k];
            };
            for (int j = k + 1; j < p; ++j) reflect(a[j]);
            reflect(b);
        }
        for (int j = k; j < p; ++j) m_r[k * p + j] = a[j][k];
    }
    Extended largest = 0;
    for (int k = 0; k < p; ++k) largest = std::max(largest, std::fabs(m_r[k * p + k]));
    m_full_rank = largest > 0 && std::isfinite(largest);
    for (int k = 0; k < p && m_full_rank; ++k) {
        if (!(std::fabs(m_r[k * p + k]) > kRankTolerance * largest)) m_full_rank = false;
    }
    if (!m_full_rank) return;
    std::vector<Extended> z(p);
    for (int k = p - 1; k >= 0; --k) {
        Extended s = b[k];
        for (int j = k + 1; j < p; ++j) s -= m_r[k * p + j] * z[j];
        z[k] = s / m_r[k * p + k];
    }
    for (int j = 0; j < p; ++j) m_coef[j] = z[j] / m_scale[j];
}

void QrLeastSquares::SolveRTransposed(std::vector<Extended>& w) const {
    for (int k = 0; k < m_p; ++k) {
        Extended s = w[k];
        for (int i = 0; i < k; ++i) s -= m_r[i * m_p + k] * w[i];
        w[k] = s / m_r[k * m_p + k];
    }
}

Extended QrLeastSquares::QuadraticForm(const std::vector<Extended>& v) const {
    if (!m_full_rank) return 0;
    // (XᵀX)⁻¹ = D⁻¹(RᵀR)⁻¹D⁻¹ with D the column scales, so vᵀ(XᵀX)⁻¹v = |R⁻ᵀD⁻¹v|².
    std::vector<Extended> w(m_p);
    for (int j = 0; j < m_p; ++j) w[j] = v[j] / m_scale[j];
    SolveRTransposed(w);
    Extended s = 0;
    for (Extended e : w) s += e * e;
    return s;
}

std::vector<Extended> QrLeastSquares::Inverse() const {
    const int p = m_p;
    std::vector<Extended> inv(static_cast<std::size_t>(p) * p, 0);
    if (!m_full_rank) return inv;
    // Columns of R⁻¹ by back substitution, then (RᵀR)⁻¹ = R⁻¹R⁻ᵀ, then the scales.
    std::vector<Extended> rinv(static_cast<std::size_t>(p) * p, 0);
    for (int c = 0; c < p; ++c) {
        for (int k = c; k >= 0; --k) {
            Extended s = k == c ? 1 : 0;
            for (int j = k + 1; j <= c; ++j) s -= m_r[k * p + j] * rinv[j * p + c];
            rinv[k * p + c] = s / m_r[k * p + k];
        }
    }
    for (int i = 0; i < p; ++i) {
        for (int j = 0; j < p; ++j) {
            Extended s = 0;
            for (int k = std::max(i, j); k < p; ++k) s += rinv[i * p + k] * rinv[j * p + k];
            inv[i * p + j] = s / (m_scale[i] * m_scale[j]);
        }
    }
    return inv;
}

Extended QrLeastSquares::ConditionEstimate() const {
    Extended lo = 0;
    Extended hi = 0;
    for (int k = 0; k < m_p; ++k) {
        const Extended d = std::fabs(m_r[k * m_p + k]);
        lo = k == 0 ? d : std::min(lo, d);
        hi = std::max(hi, d);
    }
    return lo > 0 ? hi / lo : INFINITY;
}

}  // namespace tabulon

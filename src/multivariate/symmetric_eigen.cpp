// Householder tridiagonalisation and implicit QL with shifts (the EISPACK tred2 / tql2 pair),
// in extended precision.
#include "multivariate/symmetric_eigen.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace tabulon {
namespace {

constexpr int kMaxSweeps = 60;

// Reduces v (n × n, row-major, symmetric) to tridiagonal form: d the diagonal, e the
// subdiagonal (e[0] unused); v becomes the orthogonal transformation.
void Tridiagonalise(std::vector<Extended>& v, int n, std::vector<Extended>& d,
                    std::vector<Extended>& e) {
    auto V = [&](int i, int j) -> Extended& { return v[static_cast<std::size_t>(i) * n + j]; };
    for (int j = 0; j < n; ++j) d[j] = V(n - 1, j);
    for (int i = n - 1; i > 0; --i) {
        Extended scale = 0;
        Extended h = 0;
        for (int k = 0; k < i; ++k) scale += std::fabs(d[k]);
        if (scale == 0) {
            e[i] = d[i - 1];
            for (int j = 0; j < i; ++j) {
                d[j] = V(i - 1, j);
                V(i, j) = 0;
                V(j, i) = 0;
            }
        } else {
            for (int k = 0; k < i; ++k) {
                d[k] /= scale;
                h += d[k] * d[k];
            }
            Extended f = d[i - 1];
            Extended g = std::sqrt(h);
            if (f > 0) g = -g;
            e[i] = scale * g;
            h -= f * g;
            d[i - 1] = f - g;
            for (int j = 0; j < i; ++j) e[j] = 0;
            for (int j = 0; j < i; ++j) {
                f = d[j];
                V(j, i) = f;
                g = e[j] + V(j, j) * f;
                for (int k = j + 1; k <= i - 1; ++k) {
                    g += V(k, j) * d[k];
                    e[k] += V(k, j) * f;
                }
                e[j] = g;
            }
            f = 0;
            for (int j = 0; j < i; ++j) {
                e[j] /= h;
                f += e[j] * d[j];
            }
            const Extended hh = f / (h + h);
            for (int j = 0; j < i; ++j) e[j] -= hh * d[j];
            for (int j = 0; j < i; ++j) {
                f = d[j];
                g = e[j];
                for (int k = j; k <= i - 1; ++k) V(k, j) -= f * e[k] + g * d[k];
                d[j] = V(i - 1, j);
                V(i, j) = 0;
            }
        }
        d[i] = h;
    }
    for (int i = 0; i < n - 1; ++i) {
        V(n - 1, i) = V(i, i);
        V(i, i) = 1;
        const Extended h = d[i + 1];
        if (h != 0) {
            for (int k = 0; k <= i; ++k) d[k] = V(k, i + 1) / h;
            for (int j = 0; j <= i; ++j) {
                Extended g = 0;
                for (int k = 0; k <= i; ++k) g += V(k, i + 1) * V(k, j);
                for (int k = 0; k <= i; ++k) V(k, j) -= g * d[k];
            }
        }
        for (int k = 0; k <= i; ++k) V(k, i + 1) = 0;
    }
    for (int j = 0; j < n; ++j) {
        d[j] = V(n - 1, j);
        V(n - 1, j) = 0;
    }
    V(n - 1, n - 1) = 1;
    e[0] = 0;
}

// The implicit QL iteration on the tridiagonal (d, e), accumulating into v.
bool DiagonaliseTridiagonal(std::vector<Extended>& v, int n, std::vector<Extended>& d,
                            std::vector<Extended>& e) {
    auto V = [&](int i, int j) -> Extended& { return v[static_cast<std::size_t>(i) * n + j]; };
    for (int i = 1; i < n; ++i) e[i - 1] = e[i];
    e[n - 1] = 0;
    Extended f = 0;
    Extended tst1 = 0;
    const Extended eps = std::numeric_limits<Extended>::epsilon();
    for (int l = 0; l < n; ++l) {
        tst1 = std::max(tst1, std::fabs(d[l]) + std::fabs(e[l]));
        int m = l;
        while (m < n - 1 && std::fabs(e[m]) > eps * tst1) ++m;
        if (m > l) {
            int sweeps = 0;
            do {
                if (++sweeps > kMaxSweeps) return false;
                Extended g = d[l];
                Extended p = (d[l + 1] - g) / (2 * e[l]);
                Extended r = std::hypot(p, Extended{1});
                if (p < 0) r = -r;
                d[l] = e[l] / (p + r);
                d[l + 1] = e[l] * (p + r);
                const Extended dl1 = d[l + 1];
                Extended h = g - d[l];
                for (int i = l + 2; i < n; ++i) d[i] -= h;
                f += h;
                p = d[m];
                Extended c = 1, c2 = 1, c3 = 1;
                const Extended el1 = e[l + 1];
                Extended s = 0, s2 = 0;
                for (int i = m - 1; i >= l; --i) {
                    c3 = c2;
                    c2 = c;
                    s2 = s;
                    g = c * e[i];
                    h = c * p;
                    r = std::hypot(p, e[i]);
                    e[i + 1] = s * r;
                    s = e[i] / r;
                    c = p / r;
                    p = c * d[i] - s * g;
                    d[i + 1] = h + s * (c * g + s * d[i]);
                    for (int k = 0; k < n; ++k) {
                        h = V(k, i + 1);
                        V(k, i + 1) = s * V(k, i) + c * h;
                        V(k, i) = c * V(k, i) - s * h;
                    }
                }
                p = -s * s2 * c3 * el1 * e[l] / dl1;
                e[l] = s * p;
                d[l] = c * p;
            } while (std::fabs(e[l]) > eps * tst1);
        }
        d[l] += f;
        e[l] = 0;
    }
    return true;
}

}  // namespace

SymmetricEigen ComputeSymmetricEigen(const std::vector<Extended>& a, int p) {
    SymmetricEigen out;
    if (p <= 0) {
        out.converged = true;
        return out;
    }
    std::vector<Extended> v(static_cast<std::size_t>(p) * p);
    for (int i = 0; i < p; ++i) {
        for (int j = 0; j <= i; ++j) {
            const Extended x = a[static_cast<std::size_t>(i) * p + j];
            v[static_cast<std::size_t>(i) * p + j] = x;
            v[static_cast<std::size_t>(j) * p + i] = x;
        }
    }
    std::vector<Extended> d(p), e(p);
    Tridiagonalise(v, p, d, e);
    out.converged = DiagonaliseTridiagonal(v, p, d, e);

    std::vector<int> order(p);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return d[x] > d[y]; });
    out.values.resize(p);
    out.vectors.resize(static_cast<std::size_t>(p) * p);
    for (int k = 0; k < p; ++k) {
        out.values[k] = d[order[k]];
        for (int i = 0; i < p; ++i) {
            out.vectors[static_cast<std::size_t>(k) * p + i] =
                v[static_cast<std::size_t>(i) * p + order[k]];
        }
    }
    return out;
}

}  // namespace tabulon

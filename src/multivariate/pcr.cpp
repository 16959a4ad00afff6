// PCR on the kernel (the eigenvectors of XᵀX of the autoscaled data), and the NIPALS step
// that defines the components it reproduces.
#include <algorithm>
#include <cmath>

#include "multivariate/factor_model.h"
#include "multivariate/factor_tolerances.h"
#include "multivariate/symmetric_eigen.h"

namespace tabulon {

PrincipalComponents ComputePrincipalComponents(const std::vector<Extended>& XtX, int p) {
    const SymmetricEigen eigen = ComputeSymmetricEigen(XtX, p);
    PrincipalComponents pc;
    pc.converged = eigen.converged;
    pc.lambda.resize(p);
    pc.loadings = eigen.vectors;
    std::vector<Extended> left(p);  // each variable's sum of squares left after deflation
    for (int j = 0; j < p; ++j) left[j] = XtX[static_cast<std::size_t>(j) * p + j];
    for (int a = 0; a < p; ++a) {
        Extended* v = pc.loadings.data() + static_cast<std::size_t>(a) * p;
        // NIPALS starts from the column with the most variation left and its power iteration
        // keeps the loading positive there.
        int start = 0;
        for (int j = 1; j < p; ++j) {
            if (left[j] > left[start]) start = j;
        }
        if (v[start] < 0) {
            for (int j = 0; j < p; ++j) v[j] = -v[j];
        }
        pc.lambda[a] = std::max<Extended>(eigen.values[a], 0);
        for (int j = 0; j < p; ++j) left[j] -= pc.lambda[a] * v[j] * v[j];
    }
    return pc;
}

FactorSet KernelPcr(const AutoscaledKernel& kernel, int max_factors, bool* converged) {
    const int p = kernel.p;
    const int n = kernel.n;
    FactorSet set;
    set.p = p;
    set.ResidualRms.assign(p + 1, 0);
    const Extended zz0 = kernel.ztz;
    Extended zz = zz0;
    set.ResidualRms[0] = n > 0 ? std::sqrt(zz / n) : 0;
    const int limit = max_factors <= 0 ? p : std::min(max_factors, p);

    const PrincipalComponents pc = ComputePrincipalComponents(kernel.XtX, p);
    if (converged) *converged = pc.converged;
    Extended trace = 0;
    for (int j = 0; j < p; ++j) trace += kernel.At(j, j);
    for (int a = 0; a < limit; ++a) {
        const Extended* v = pc.loadings.data() + static_cast<std::size_t>(a) * p;
        const Extended lambda = pc.lambda[a];
        Extended q = 0;
        if (lambda > kEigenTolerance * trace) {
            Extended vz = 0;
            for (int j = 0; j < p; ++j) vz += v[j] * kernel.Xtz[j];
            q = vz / lambda;
        }
        set.P.insert(set.P.end(), v, v + p);
        set.R.insert(set.R.end(), v, v + p);
        set.q.push_back(q);
        set.tt.push_back(lambda);
        zz = std::max<Extended>(zz - q * q * lambda, 0);
        if (zz <= kExhaustedFraction * zz0) zz = 0;
        set.extracted = a + 1;
        set.ResidualRms[a + 1] = n > 0 ? std::sqrt(zz / n) : 0;
        if (set.ResidualRms[a + 1] < kResidualStop) {
            set.stop = FactorStop::Exhausted;
            break;
        }
    }
    return set;
}

NipalsResult NipalsComponent(const tMatrix& X) {
    NipalsResult out;
    const int n = X.Rows();
    out.t = tMatrix(n, 1);
    out.p = tMatrix(X.Cols(), 1);
    const int start = X.MaxSumSquaresColumn();
    if (start == 0) return out;  // every column is zero: there is no component
    for (int i = 1; i <= n; ++i) out.t.Put(i, 1, X.Get(i, start));
    tMatrix Xt = X.Clone();
    Xt.Transpose();
    Extended lambda = 0;
    for (int iteration = 1;; ++iteration) {
        const Extended previous = lambda;
        const Extended s = out.t.SumOfSquares();
        if (std::fabs(s) < 1e-30L) return out;
        tMatrix p = Xt.Clone();
        p.Multiply(out.t);
        p.Scale(1 / s);
        p.Normalize();
        const Extended pp = p.SumOfSquares();
        if (!(pp > 0)) return out;
        tMatrix t = X.Clone();
        t.Multiply(p);
        t.Scale(1 / pp);
        lambda = t.SumOfSquares();
        out.t = std::move(t);
        out.p = std::move(p);
        if (std::fabs(lambda - previous) < std::fabs(lambda / 100000) || iteration > 1000) break;
    }
    out.ok = true;
    out.lambda = lambda;
    return out;
}

}  // namespace tabulon

// PLS1 on the kernel: each factor from XᵀX and the deflated Xᵀz, never from the n rows.
#include <algorithm>
#include <cmath>

#include "multivariate/factor_model.h"
#include "multivariate/factor_tolerances.h"

namespace tabulon {

FactorSet KernelPls(const AutoscaledKernel& kernel, int max_factors) {
    const int p = kernel.p;
    const int n = kernel.n;
    FactorSet set;
    set.p = p;
    set.ResidualRms.assign(p + 1, 0);
    const Extended zz0 = kernel.ztz;
    Extended zz = zz0;
    set.ResidualRms[0] = n > 0 ? std::sqrt(zz / n) : 0;
    const int limit = max_factors <= 0 ? p : std::min(max_factors, p);

    Extended trace = 0;
    for (int j = 0; j < p; ++j) trace += kernel.At(j, j);
    // ‖Xᵀz‖ ≤ ‖X‖·‖z‖: a weight this far below that bound is rounding, not correlation.
    const Extended no_weight = kWeightTolerance * std::sqrt(trace * zz0);

    std::vector<Extended> xy = kernel.Xtz;  // Xᵀz of the deflated data
    std::vector<Extended> w(p), r(p), sr(p);
    if (zz <= kExhaustedFraction * zz0) set.stop = FactorStop::Exhausted;
    for (int a = 0; a < limit && set.stop == FactorStop::AllExtracted; ++a) {
        Extended norm = 0;
        for (int j = 0; j < p; ++j) norm += xy[j] * xy[j];
        norm = std::sqrt(norm);
        if (!(norm > no_weight)) {
            set.stop = FactorStop::NoDirection;
            break;
        }
        for (int j = 0; j < p; ++j) w[j] = xy[j] / norm;
        // r = w − Σ (p_bᵀw)·r_b: the weight expressed on the undeflated X.
        r = w;
        for (int b = 0; b < a; ++b) {
            Extended pw = 0;
            for (int j = 0; j < p; ++j) pw += set.P[b * p + j] * w[j];
            for (int j = 0; j < p; ++j) r[j] -= pw * set.R[b * p + j];
        }
        Extended tt = 0;
        Extended rr = 0;
        for (int j = 0; j < p; ++j) {
            Extended v = 0;
            const Extended* row = kernel.XtX.data() + static_cast<std::size_t>(j) * p;
            for (int k = 0; k < p; ++k) v += row[k] * r[k];
            sr[j] = v;
            tt += r[j] * v;
            rr += r[j] * r[j];
        }
        // t = X·r vanishes: the weight points where the x-variables do not vary.
        if (!(tt > kWeightTolerance * kWeightTolerance * trace * rr)) {
            set.stop = FactorStop::NoDirection;
            break;
        }
        const Extended q = norm / tt;  // zᵀt / tᵀt, as zᵀt = wᵀXᵀz = ‖Xᵀz‖
        set.W.insert(set.W.end(), w.begin(), w.end());
        set.R.insert(set.R.end(), r.begin(), r.end());
        for (int j = 0; j < p; ++j) set.P.push_back(sr[j] / tt);
        set.q.push_back(q);
        set.tt.push_back(tt);
        for (int j = 0; j < p; ++j) xy[j] -= q * sr[j];
        zz = std::max<Extended>(zz - q * q * tt, 0);
        if (zz <= kExhaustedFraction * zz0) zz = 0;
        set.extracted = a + 1;
        set.ResidualRms[a + 1] = n > 0 ? std::sqrt(zz / n) : 0;
        if (set.ResidualRms[a + 1] < kResidualStop) set.stop = FactorStop::Exhausted;
    }
    return set;
}

}  // namespace tabulon

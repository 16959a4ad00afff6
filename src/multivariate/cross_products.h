// Means and centred cross-products of the valid rows: the one summary that MLR, PCR, PLS,
// their leave-one-out fits and the PCA work from, so that no fit goes back to the n rows.
#pragma once

#include <vector>

#include "multivariate/model_data.h"
#include "numeric/extended.h"

namespace tabulon {

struct CrossProducts {
    int n = 0;
    int m = 0;                   // variables: x_1 .. x_p, then z when there is one
    std::vector<Extended> mean;  // m column means
    // m x m, symmetric, row-major: C(j, k) = Σ_i (v_ij − mean_j)(v_ik − mean_k).
    std::vector<Extended> C;

    Extended operator()(int j, int k) const { return C[static_cast<std::size_t>(j) * m + k]; }
};

// The means and C of every variable of `data`. A column whose values are all equal gets that
// value as its mean exactly, so its deviations and cross-products are exactly 0. The rows are
// summed in fixed blocks whose sums are added in order, so the result does not depend on how
// many threads share the work.
CrossProducts ComputeCrossProducts(const ModelData& data);

// The same for rows given as m-value lists (tests, and leave-one-out checks).
CrossProducts ComputeCrossProducts(const std::vector<std::vector<Extended>>& rows);

// The cross-products of the same rows without one of them, `row` (its m values): with d the
// row's deviation from the means, C − n/(n−1)·d·dᵀ and means − d/(n−1). O(m²) instead of a
// pass over the n rows; it agrees with a fresh computation to rounding. Needs n ≥ 2.
CrossProducts WithoutRow(const CrossProducts& all, const std::vector<Extended>& row);

// Scores: for every valid row i and direction k, Σ_j (v_ij − mean_j)/scale_j · r_jk over the
// x-variables j < data.p, in extended precision, on the cores (each row on its own, so the
// split changes nothing). `directions` holds `count` directions of data.p values each, one
// after the other; the result n values per direction, one direction after the other.
std::vector<Extended> ProjectRows(const ModelData& data, const std::vector<Extended>& mean,
                                  const std::vector<Extended>& scale,
                                  const std::vector<Extended>& directions, int count);

// The m values of valid row i of `data`.
std::vector<Extended> DataRow(const ModelData& data, int i);

}  // namespace tabulon

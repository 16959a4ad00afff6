// Eigenvalues and eigenvectors of a symmetric matrix in extended precision: the principal
// components of PCR and PCA taken from the p × p cross-products instead of from the n rows.
#pragma once

#include <vector>

#include "numeric/extended.h"

namespace tabulon {

struct SymmetricEigen {
    bool converged = false;
    std::vector<Extended> values;   // descending
    std::vector<Extended> vectors;  // p × p column-major: vector k at [k * p], unit length
};

// `a` is p × p, row-major, symmetric (only its lower triangle is read). Householder
// reduction to tridiagonal form, then the implicit QL iteration, at most 60 sweeps per
// eigenvalue; `converged` is false when that bound is reached.
SymmetricEigen ComputeSymmetricEigen(const std::vector<Extended>& a, int p);

}  // namespace tabulon

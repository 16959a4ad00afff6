// The F distribution: critical values on their grid, the density of the graphs, and the
// exact tails the grid search is checked against.
#pragma once

#include "numeric/extended.h"

namespace tabulon {

// F with P(F ≤ F) = p (lower tail; df1 the numerator). For df1 = 1 the search runs over t
// with F = t² on a 0.0003 grid; for df1 ≥ 2 over F on a grid of 0.0005, 0.00005 or, for
// df2 = 1, 0.005. Where the grid search misses (df1 = 1 and 2, whose first half-term is
// left out) or stops at its step cap, the exact quantile rounded down to the same grid.
// 0 for p ≤ 0 or a df below 1, 1e30 for p ≥ 1.
Extended FQuantile(int df1, int df2, Extended p);

// The F density for df1 ≥ 2; for df1 = 1 the density of |T| with df2 degrees of freedom,
// the companion of the t² form FQuantile uses there. 0 unless df1, df2 ≥ 1 and
// 1e−20 < x < 1000.
Extended FDensity(int df1, int df2, Extended x);

// P(F ≤ x) and P(F > x), exact to extended precision.
Extended FLowerTail(Extended df1, Extended df2, Extended x);
Extended FUpperTail(Extended df1, Extended df2, Extended x);

// The exact x with P(F ≤ x) = p, 0 < p < 1.
Extended FExactQuantile(Extended df1, Extended df2, Extended p);

}  // namespace tabulon

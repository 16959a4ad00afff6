// The χ² distribution: critical values on their grid, the density of the graphs, and the
// exact tails the grid search is checked against.
#pragma once

#include "numeric/extended.h"

namespace tabulon {

// x with P(χ² ≤ x) = p (lower tail), found on a grid whose step depends on df and p (1e−6
// … 1 as the calculator shows them). 0 for p ≤ 0 or df < 1, 1e30 for p > 0.9999999. Where
// the grid search misses (df = 1, 2, 3, whose curves are singular or steep at 0) or would
// take longer than its step cap, the exact quantile rounded down to the same grid.
Extended ChiSquareQuantile(int df, Extended p);

// The χ² density; 0 unless df ≥ 1 and 1e−20 < x < 1000.
Extended ChiSquareDensity(int df, Extended x);

// P(χ² ≤ x) and P(χ² > x), exact to extended precision.
Extended ChiSquareLowerTail(Extended df, Extended x);
Extended ChiSquareUpperTail(Extended df, Extended x);

// The exact x with P(χ² ≤ x) = p, 0 < p < 1.
Extended ChiSquareExactQuantile(Extended df, Extended p);

}  // namespace tabulon

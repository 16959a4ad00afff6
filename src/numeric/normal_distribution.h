// The standard normal distribution: Φ from its ten-point-per-unit table, the fine and the
// fast quantile searches, the bell curve of the graphs, and the exact tail they are checked
// against.
#pragma once

#include "numeric/extended.h"

namespace tabulon {

// Φ(k/10): 0.5 for k = 0, the stored value (8 decimals up to k = 46, 10 from k = 47 on)
// for 1 ≤ k ≤ 60, 1 above 60, and 1 − PhiTable(−k) for negative k.
Extended PhiTable(int k);

// Φ(z), lower tail: the table value at the grid point z0 ≤ z (a multiple of 0.1) plus the
// area from z0 to z, which the table-plus-trapezoid definition integrates and this
// evaluates in closed form (the 100,000-interval trapezoid differs from it by less than
// 1e-14). 0 below −6, 1 above 6.
Extended NormalCdf(Extended z);

// z with Φ(z) = p on the grid of the fine search: table points 0.1 apart, then steps of
// 1e−5. −1e100 for p ≤ 0, +1e100 for p ≥ 1. Where the search cannot reach (beyond about
// ±5), the exact quantile rounded to the same grid.
Extended NormalQuantile(Extended p);

// z with Φ(z) = p by a coarse search on a 0.01 grid and one secant step over 0.001.
// 0 for p ≤ 0 or p ≥ 1. Outside [3e−5, 0.99997], where the coarse search has no grid, the
// exact quantile.
Extended NormalQuantileFast(Extended p);

// The bell of the graphs: exp(−(x − m)²/(2s²)), peak 1 at x = m; 0 once the exponent
// reaches 35. With s = 0 the limit: 1 at m, 0 elsewhere.
Extended NormalShape(Extended s, Extended m, Extended x);

// 1 − Φ(z), exact to extended precision in either tail.
Extended NormalUpperTail(Extended z);

// The z ≥ 0 with 1 − Φ(z) = q for 0 < q ≤ 0.5 (0 for q ≥ 0.5, +infinity for q ≤ 0).
Extended NormalUpperQuantile(Extended q);

}  // namespace tabulon

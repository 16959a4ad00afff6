// Student's t distribution: the cumulative function and the critical values on their grid,
// the curve of the graphs, and the exact tail the searches are checked against.
#pragma once

#include "numeric/extended.h"

namespace tabulon {

// P(T ≤ t) with df degrees of freedom: 0.5 plus or minus the 10,000-interval trapezoid
// area from 0 to |t| (the normal Φ for df > 2000), kept where it is within 1e−8 of the
// exact probability and replaced by the exact one elsewhere (a very large |t|, or a df just
// above 2000 and a t where the normal curve is not close enough). df < 1 gives 0.5, the
// limit of the distribution as df goes to 0.
Extended TCdf(int df, Extended t);

// The upper critical value: t ≥ 0 with P(T > t) = p, 0 ≤ p ≤ 0.5, on a 0.001 grid (df >
// 2000: the normal quantile). 0 when p < 0, p > 0.5 or df < 1. Where the grid search
// would miss or take longer than its step cap, the exact quantile rounded down to the
// grid. p = 0, and any quantile above 1e100, give 1e100.
Extended TQuantile(int df, Extended p);

// (1 + x²/df)^(−(df+1)/2), peak 1; 0 unless 1 ≤ df ≤ 2000.
Extended TShape(int df, Extended x);

// P(T > t), exact to extended precision (relative, in the upper tail).
Extended StudentTUpperTail(Extended df, Extended t);

// The exact t ≥ 0 with P(T > t) = p, 0 < p ≤ 0.5.
Extended StudentTUpperQuantile(Extended df, Extended p);

}  // namespace tabulon

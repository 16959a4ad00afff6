// Gamma and beta functions: the half-integer forms the distributions are written with, and
// the incomplete functions that give exact tail probabilities to check the grid searches.
#pragma once

#include "numeric/extended.h"

namespace tabulon {

// Γ(x) for x a positive multiple of 0.5, by Γ(x) = (x − 1)·Γ(x − 1) down to Γ(1/2) = √π or
// Γ(1) = 1; an argument within 0.1 of such a multiple counts as that multiple. Any other
// argument (x < 0.4, or a fraction that never reaches 1/2 or 1) gives 0, which Γ never is.
// A result beyond the extended range is +infinity; NaN gives NaN.
Extended GammaHalf(Extended x);

// B(a, b) = Γ(a)·(Γ(b)/Γ(a + b)) for positive multiples of 0.5; when one of the gamma
// values overflows, the same quantity from logarithms. 0 when a or b is not valid for
// GammaHalf.
Extended BetaHalf(Extended a, Extended b);

// ln Γ(x) for x > 0.
Extended LogGamma(Extended x);

// A probability and its complement, each accurate relative to its own size (the smaller
// one is computed directly, never as 1 minus a value near 1).
struct TailProbabilities {
    Extended lower = 0;
    Extended upper = 1;
};

// The regularised incomplete beta function I_x(a, b) (lower) and 1 − I_x(a, b) (upper), for
// a, b > 0 (NaN for both otherwise). `y` must be 1 − x, passed separately so that callers
// can form it without cancellation.
TailProbabilities IncompleteBeta(Extended a, Extended b, Extended x, Extended y);

// The regularised incomplete gamma functions P(a, x) (lower) and Q(a, x) (upper), a > 0
// (NaN for both otherwise).
TailProbabilities IncompleteGamma(Extended a, Extended x);

}  // namespace tabulon

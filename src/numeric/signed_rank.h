// The Wilcoxon signed-rank statistic: the lower-tail probability for n pairs.
#pragma once

#include "numeric/extended.h"

namespace tabulon {

// P(W ≤ T) for the signed-rank sum W of n pairs, from its exact distribution (every one of
// the 2^n sign patterns equally likely). A T above the centre n(n+1)/4 is first replaced
// by n(n+1)/2 − T, so the result is the probability of the tail T lies in. W takes whole
// values, so a fractional T (from tied ranks) counts down to the whole value below it.
// −1 for n outside 3 … 45; NaN for a NaN T.
Extended SignedRankProbability(int n, Extended t);

}  // namespace tabulon

// Tick placement for the graph axes: a round step for a range, and the next tick either side.
#pragma once

#include "numeric/extended.h"

namespace tabulon {

// A round tick step for the range between a and b: the power of ten that gives more than 2
// and at most 20 steps in the range, and start = a / step truncated toward zero, times step
// (so start may lie outside the range on the side of a). A quotient within rounding of a
// whole number counts as that number, so the range -1000 ... -20 starts at -1000.
// Returns false, leaving start and step untouched, when |a - b| < 1e-38 or either is not
// finite.
bool NiceTickStep(Extended& start, Extended& step, Extended a, Extended b);

// The first multiple of step strictly above x; a multiple lying less than 0.001 step below x
// counts as above, so that rounding in x never loses the tick it sits on.
// NaN when step is zero or x or step is not finite (a tick loop "while t <= max" then draws
// nothing); the sign of step is ignored.
Extended FirstTickAbove(Extended x, Extended step);

// The mirror: the last multiple of step strictly below x; a multiple lying less than 0.001
// step above x counts as below.
Extended LastTickBelow(Extended x, Extended step);

}  // namespace tabulon

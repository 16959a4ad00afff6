// The texts the graph windows put into the scale dialog.
#pragma once

#include "numeric/extended.h"
#include "graphs/scale_choice.h"

namespace tabulon {

// The current maximum, minimum and tick step, each in the general format with 5 significant
// digits and 2 exponent digits (current decimal separator), "automatic" cleared.
ScaleChoice ScaleChoiceFor(Extended maximum, Extended minimum, Extended step);

}  // namespace tabulon

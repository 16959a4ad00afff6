// The colour of series or group number i, shared by every window that draws several series.
#pragma once

#include "graphs/canvas.h"

namespace tabulon {

// 0 black, 1 red, 2 green, 3 blue, 4 maroon, 5 silver, 6 olive, 7 purple, 8 grey, 9 maroon
// (again), 10 teal, 11 lime, 12 fuchsia, 13 aqua, 14 navy. From 15 on each index has a fixed
// colour of its own, spread around the colour circle and dark enough to show on white, and
// never one of the fifteen above: the same series keeps its colour on every repaint and on
// paper. A negative index gets the colour of index 0.
Color GroupColor(int Index);

}  // namespace tabulon

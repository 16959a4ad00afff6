// The graph of the distribution tables: a curve over an x range with areas under it shaded
// and the computed points marked with dashed lines and their names.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "graphs/canvas.h"
#include "numeric/extended.h"

namespace tabulon {

struct DensityMark {
    Extended x = 0;
    std::string label;  // written above the line, e.g. "tα/2"
};

struct DensityPlot {
    std::function<Extended(Extended)> curve;  // a density, or any non-negative function
    Extended x_min = 0;
    Extended x_max = 1;
    // Stretches of x whose area under the curve is shaded (clipped to the x range).
    std::vector<std::pair<Extended, Extended>> shaded;
    std::vector<DensityMark> marks;
    std::string heading;
};

// One point of the curve per pixel column between L-shaped axes. A curve that runs off to
// infinity at an edge (χ² and F with few degrees of freedom at 0) is cut at the height the
// rest of the curve needs, so the shape stays readable. Nothing is drawn without a curve or
// on a canvas too small to hold the axes.
void RenderDensityGraph(Canvas& canvas, int width, int height, const DensityPlot& plot);

}  // namespace tabulon

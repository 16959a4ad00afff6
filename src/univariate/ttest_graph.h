// The normal-curve graph of the t-test and the test against a constant: bells around the
// means, the level's limits as dashed lines, the data as short marks over one value axis.
#pragma once

#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "numeric/extended.h"

namespace tabulon {

struct NormalCurve {
    Extended mean = 0;
    Extended sigma = 1;     // the bell's spread
    Extended height = 1;    // peak height (1 is the plot's full bell)
    Extended t = 0;         // the dashed limits lie at mean ± t·sigma
    Extended range_sd = 0;  // the x range covers mean ± t·range_sd
    std::vector<Extended> data;
    Color color;
};

// Vertical lines at each mean and at every `extra_lines` value, dashed limits labelled
// "L/2%" and "100 - L/2%", data marks from 0 to a quarter of the bell, the heading at the
// top left and a value axis along the bottom.
void RenderNormalCurves(Canvas& canvas, int width, int height,
                        const std::vector<NormalCurve>& curves, Extended level,
                        const std::string& heading, const std::vector<Extended>& extra_lines);

}  // namespace tabulon

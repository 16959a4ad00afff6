// The normal probability plot of one column: the sorted values against their normal scores,
// so that normally distributed data fall on a straight line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "graphs/text_measure.h"
#include "numeric/extended.h"

namespace tabulon {

struct NormalPlotData {
    std::vector<Extended> values;     // ascending
    std::vector<Extended> positions;  // (i + 0.5)/n
    std::vector<Extended> scores;     // NormalQuantileFast of each position
    Extended z_min = 0;               // NormalQuantileFast(0.5/n) - 0.1
    Extended z_max = 0;               // its mirror
};

// Sorts the values (stable, as exchanging neighbours does) and scores them. A text that is
// not a number raises ConversionError; nullopt when the kernel refuses the sample (fewer
// than two values).
std::optional<NormalPlotData> MakeNormalPlot(const std::vector<std::string>& texts,
                                             char decimal_separator);

// The plot for a canvas of width x height: a frame with the value axis below, the
// probability scale in percent on the left, dashed red lines at μ-σ, μ and μ+σ, and a red
// marker with a black outline of radius `radius` for each value. Markers that would land on
// the pixel of the one before are drawn once.
void RenderNormalPlot(Canvas& canvas, int width, int height, const NormalPlotData& plot, int radius,
                      const TextMeasurer& measure);

}  // namespace tabulon

// The x-Data window's graph: the values as red bars under the fitted normal curve, with the
// confidence limits for a single value marked.
#pragma once

#include "graphs/canvas.h"
#include "graphs/text_measure.h"
#include "univariate/descriptive.h"
#include "univariate/descriptive_sample.h"

namespace tabulon {

// Draws the graph for a canvas of width x height pixels; nothing when the variance is 0.
// x runs from min(smallest value, x̄ - s·t) to max(largest value, x̄ + s·t), y from 0 to 1.
// The bell exp(-(x-x̄)²/(2s²)) is one point per pixel column; green dashed lines at x̄ and
// x̄ ± s·t carry the two tail percentages; each distinct value is a red bar of height
// h·count/max count (h = 0.5 when values repeat, else 0.25). Bars falling on one pixel
// column are drawn once, at the tallest height: the picture is the same and a million
// values repaint at once.
void RenderXDataGraph(Canvas& canvas, int width, int height, const DescriptiveSample& sample,
                      const ConfidenceIntervals& intervals, const TextMeasurer& measure);

}  // namespace tabulon

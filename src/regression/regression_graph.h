// The regression window's graph: the points, the fitted curve, its bands, the axes, row
// numbers and the user's own texts, drawn for any canvas; and the view options the window
// holds (point size, what is shown, the axis ranges) with the commands that change them.
#pragma once

#include <string>
#include <vector>

#include "graphs/axis_transform.h"
#include "graphs/canvas.h"
#include "graphs/font_spec.h"
#include "graphs/text_measure.h"
#include "graphs/xy_graph.h"
#include "regression/fitted_model.h"
#include "regression/regression_data.h"

namespace tabulon {

// A text the user placed on the graph, anchored at a world point (its top left corner), so
// that it stays with the data when the window is resized or printed.
struct GraphText {
    std::string text;
    Extended x = 0;
    Extended y = 0;
    FontSpec font;
};

// What the window shows, as its menus set it. At creation: function, grid and bands on,
// proportional off, shrink level 1; the ranges are the data's (FitRangesToData).
struct RegressionViewOptions {
    int PointSize = 3;            // marker radius factor ("Punktstorlek"), kept between openings
    bool ShowFunction = true;     // "Funktionen"
    bool ShowGrid = true;         // "Stödlinjer"
    bool ShowBands = true;        // "Konfidensintervall"
    bool ShowLodLoq = false;      // "Visa LOD och LOQ"
    bool ShowRowNumbers = false;  // "Visa radnummer"
    bool Proportional = false;    // "Proportionerligt"
    int ShrinkLevel = 1;          // 1 to 14 ("Förminska" / "Förstora")
    Extended XMin = 0;
    Extended XMax = 1;
    Extended YMin = 0;
    Extended YMax = 1;
    std::vector<GraphText> texts;  // "Lägg till text"
    FontSpec axis_font{"", 10};    // "Font på axlar"
};

// Where the last drawing put things: the transform (for the mouse readings of the
// "Grafiskt" commands and for placing texts) and the plot frame in pixels.
struct RegressionGraphLayout {
    TAxisTransform transform;
    TAxisScale scale;
    int left = 0;    // the y axis
    int bottom = 0;  // the x axis
    int right = 0;
    bool valid = false;
};

// Draws the whole graph on a canvas of width x height. `model` may be null (no fit could be
// made: the points and axes only). Texts are measured through `measure` when given (the
// window passes one that falls back on its screen canvas), else on the canvas itself.
//
// Layout: text height th of "A"; bottom = H - 3·th; the y labels' width (6 significant
// digits, as DrawAxes writes them) plus the width of "--1" gives the left margin; shrinking
// moves the axes in by W·(level-1)/20 and up by H·level/20; the data span [left + 30, W - 60]
// by [bottom - 15, 15]. Points are red circles with a black outline of radius
// max(1, (W div 700)·PointSize); points that fall on the same pixel are drawn once. The
// bands are traced over the pixel columns in steps of W div 100, prediction in dark green,
// confidence in blue.
RegressionGraphLayout RenderRegressionGraph(Canvas& canvas, int width, int height,
                                            const RegressionData& data, const FittedModel* model,
                                            const RegressionViewOptions& options,
                                            const TextMeasurer* measure = nullptr);

// "Anpassa": the ranges back to the data's smallest and largest x and y (the marked points
// of the model when one is given); then "Proportionerligt" when it is on, for a paint box
// of box_width x box_height.
void FitRangesToData(RegressionViewOptions& options, const RegressionData& data,
                     const FittedModel* model, int box_width, int box_height);

// "Proportionerligt": one world unit the same number of pixels on both axes, around the
// centre of the ranges.
void MakeProportional(RegressionViewOptions& options, int box_width, int box_height);

// "Inkludera origo", "Inkludera y=0", "Inkludera x=0": widen the ranges to take in 0.
void IncludeZero(RegressionViewOptions& options, bool x_axis, bool y_axis);

// "zooma in" halves XMax and YMax, "zomma ut" doubles them; both switch proportional off.
void Zoom(RegressionViewOptions& options, bool in);

// "Förminska" (+1, at most 14) and "Förstora" (-1, at least 1).
void Shrink(RegressionViewOptions& options, bool smaller);

// "Egna värden": the two texts of the range dialog (maximum, minimum); taken only when both
// are numbers and maximum > minimum. Returns whether the range changed.
bool SetOwnRange(RegressionViewOptions& options, bool x_axis, const std::string& minimum_text,
                 const std::string& maximum_text, char decimal_separator);
// The dialog's prefill: FormatSignificant(2, value).
std::string OwnRangeText(Extended value);

// The level edit: FormatSignificant(4, 100·level) and "%" (0.95 shows as "95.00%").
std::string RegressionLevelText(Extended level);
// The arrow buttons: level + delta; a step of ±0.001 rounds to three decimals; 0.99999 or
// more becomes 0.9999, 0.8 or less becomes 0.8.
Extended StepLevel(Extended level, Extended delta);

}  // namespace tabulon

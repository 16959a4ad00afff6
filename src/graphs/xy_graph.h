// The drawing routines of the XY graphs: axes in three styles, point series, lines in world
// coordinates. They keep no state; the caller passes the canvas and the transform.
#pragma once

#include <span>
#include <string>

#include "graphs/axis_transform.h"
#include "graphs/canvas.h"
#include "numeric/extended.h"

namespace tabulon {

// The tick starts and steps of an L-shaped axis pair. With Fixed false DrawAxes chooses them
// and writes them back; with Fixed true it draws them as they stand.
struct TAxisScale {
    Extended YStart = 0;
    Extended YStep = 0;
    Extended XStart = 0;
    Extended XStep = 0;
    bool Fixed = false;
};

// No axis draws more ticks than this, whatever a fixed scale asks for.
inline constexpr int kMaxTicks = 10000;

// The L-shaped axes from (Left, 0) down to (Left, Bottom) and across to (Right, Bottom), with
// ticks, labels in the general format with 6 significant digits and, with `Grid`, dotted
// grey grid lines. Tick and label offsets are taken from `HalfTextHeight`. A tick value
// within a thousandth of a step of zero is labelled 0. X labels that would overlap the one
// before are left out (the tick stays). When no tick step can be found for an axis (a range
// below 1e-38), drawing stops there. A fixed scale whose step is not positive draws no ticks.
void DrawAxes(Canvas& canvas, int Right, const TAxisTransform& t, int Left, int Bottom, bool Grid,
              int HalfTextHeight, TAxisScale& Scale);

// One horizontal value axis across the canvas at row AxisY, from column 0 to Right, labelled
// in the general format with 5 significant digits; nothing at all when no step is found.
void DrawXAxisStrip(Canvas& canvas, int Right, const TAxisTransform& t, bool Grid, int AxisY);

// A closed frame around [XMin, XMax] x [YMin, YMax] with ticks every XStep and YStep strictly
// inside it, labels in the general format with 15 significant digits (y labels thinned to one
// per three half text heights) and optional dotted grid lines in the pen colour.
void DrawFramedAxes(Canvas& canvas, const TAxisTransform& t, bool Grid, bool LabelX, bool LabelY,
                    Extended XMin, Extended XMax, Extended XStep, Extended YMin, Extended YMax,
                    Extended YStep);

// Circle markers of radius `Radius` at the points read from the two parallel text lists
// (current decimal separator). A marker is drawn only when it lies wholly and strictly inside
// the pixel frame; a point whose texts are not numbers (or whose y text is missing) is skipped.
void DrawPointSeries(Canvas& canvas, std::span<const std::string> XTexts,
                     std::span<const std::string> YTexts, const TAxisTransform& t, int FrameLeft,
                     int FrameTop, int FrameRight, int FrameBottom, int Radius, Color Colour);

// One polyline through the readable points of a series, in list order; unreadable points
// are passed over, so the line runs from the last good point to the next good one. The pen
// ends at the last point drawn; with no readable point nothing is drawn and it stays put.
void DrawSeriesLine(Canvas& canvas, std::span<const std::string> XTexts,
                    std::span<const std::string> YTexts, Color Colour, const TAxisTransform& t);

// The straight line y = K*x + L between the first two distinct points where it meets the
// sides of the frame (x = XMin, x = XMax, y = YMin, y = YMax, tried in that order); nothing
// when it meets the frame in fewer than two points. Returns whether a line was drawn.
bool DrawClippedLine(Canvas& canvas, const TAxisTransform& t, Color Colour, Extended K, Extended L,
                     Extended XMin, Extended XMax, Extended YMin, Extended YMax);

// Pen moves in world coordinates.
void MoveToXY(Canvas& canvas, const TAxisTransform& t, Extended x, Extended y);
void LineToXY(Canvas& canvas, const TAxisTransform& t, Extended x, Extended y);

// The axis label of a tick value: the general format with `digits` significant digits and
// the current decimal separator.
std::string AxisLabel(Extended value, int digits);

}  // namespace tabulon

// The overlay plot: several y series in one framed plot, each with its own straight line and
// a table row of its fit, and the comparison of the first two slopes. Same x for every series
// (one x column) or each y against its own x (pairs of columns).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "numeric/extended.h"
#include "regression/straight_line.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// At most this many lists, the x list included.
inline constexpr int kMaxOverlayLists = 100;

struct OverlaySeries {
    std::string caption;  // the y column's caption (at most 50 characters)
    std::vector<std::string> XTexts;
    std::vector<std::string> YTexts;  // parallel to XTexts; an entry may be empty
};

struct OverlayData {
    std::string XCaption;  // at most 54 characters
    std::vector<OverlaySeries> series;
};

// The column 0 choice of the pairing dialog: x or y is the row number 1, 2, …
inline constexpr int kOverlayRowNumbers = -1;

// One x column against y columns: every y series shares the x texts.
OverlayData OverlayFromSheet(const Worksheet& sheet, int x_column, const std::vector<int>& y_columns);
// Pairs of columns (kOverlayRowNumbers for the row numbers): each y against its own x, over
// the rows where the x cell is filled.
OverlayData OverlayFromPairs(const Worksheet& sheet,
                             const std::vector<std::pair<int, int>>& pairs);

struct OverlayAxes {
    Extended XMin = 0, XMax = 1, XStep = 1;
    Extended YMin = 0, YMax = 1, YStep = 1;
};

// The tick step of a range: 10^trunc(log10(range) − 1), doubled while the range holds 20 or
// more steps, then halved while it holds at most 6 (when it first held fewer than 6).
Extended OverlayTickStep(Extended min, Extended max);
// Beräkna: the data ranges, each widened to the tick multiples strictly outside it; an x
// range of one value becomes [x, 2x], [0, 1] or [x, −x].
OverlayAxes OverlayDefaultAxes(const OverlayData& data);
// Before a redraw: an empty range is widened to one step, reversed limits are exchanged.
OverlayAxes OverlayReadAxes(OverlayAxes axes);

// The fit of one series (least squares; nullopt with fewer than two points or all x equal).
std::optional<TRegressionLine> OverlayLine(const OverlaySeries& series);

// The table: a header row ("x = " caption, "Graf", "Samband", "n", …) and one row per
// series: "y1 = " caption, "X" when shown, the relation, n, the smallest and largest y, the
// slope's 95 % interval, r², F and the critical F.
std::vector<std::string> OverlayTableHeader(const OverlayData& data);
std::vector<std::string> OverlayTableRow(const OverlayData& data, int series, bool shown);

// Skillnad i lutning: "95% Konfidensintervall: k(y1) - k(y2) = d ± h" for the first two
// series, or a message why it cannot be given.
std::string SlopeDifferenceText(const OverlayData& data);

struct OverlayView {
    OverlayAxes axes;
    bool point_to_point = false;  // LineType 1
    int emphasised = 0;           // the row drawn thick, 1-based; 0 none
    bool grid = true;
    std::vector<bool> shown;  // per series; missing entries are shown
};

// The framed axes, then each shown series: markers of radius 2 in its group colour and its
// straight line clipped to the frame (or the point-to-point line), thick when emphasised.
void RenderOverlayPlot(Canvas& canvas, int width, int height, const OverlayData& data,
                       const OverlayView& view);

// What Kopiera > Text copies: the table, tab-separated, a line per row.
std::vector<std::string> OverlayLines(const OverlayData& data, const std::vector<bool>& shown);

}  // namespace tabulon

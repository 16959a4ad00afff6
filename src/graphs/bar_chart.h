// Bar charts of chosen columns: grouped bars row by row, connected points, bars column by
// column, and column means with a one-standard-deviation error bar; the data read once when
// the chart opens, the options the window changes, and the one drawing routine.
#pragma once

#include <string>
#include <vector>

#include "graphs/axis_transform.h"
#include "graphs/canvas.h"
#include "graphs/text_measure.h"
#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon {

enum class BarChartType { ByRows = 1, Points = 2, ByColumns = 3, ColumnMeans = 4 };

// At most this many columns go into one chart.
inline constexpr int kMaxChartColumns = 100;

// One chosen column: its caption and its rows from row 1 on, NaN where a cell is empty or
// not a number (such cells are passed over in every chart type).
struct BarSeries {
    std::string caption;
    std::vector<Extended> values;
};

// The mean and the error half-length of a column with at least two values (type 4).
struct ColumnSummary {
    int n = 0;
    Extended mean = 0;
    Extended half = 0;  // one standard deviation
    bool has_bar = false;
};

struct BarChartData {
    std::vector<BarSeries> series;
    // The last row any column fills (a cell that is not a number counts).
    int RowsUsed = 0;
    // The value range the automatic scale spans: it always reaches down to zero for
    // positive data and is never empty.
    Extended ValueMin = 0;
    Extended ValueMax = 1;
    std::vector<ColumnSummary> summaries;
};

// From cell texts read with `decimal_separator`; `cells[j]` holds column j from row 1 on.
BarChartData MakeBarChartData(std::vector<std::string> captions,
                              const std::vector<std::vector<std::string>>& cells,
                              char decimal_separator);
// The chosen grid columns of a worksheet, captioned by their caption (or number).
BarChartData BarChartFromSheet(const Worksheet& sheet, const std::vector<int>& columns,
                               char decimal_separator);
// From values; NaN marks an empty cell. The entry point for charts of computed columns.
BarChartData MakeBarChartData(std::vector<std::string> captions,
                              std::vector<std::vector<Extended>> values);

// A text of the user's own on the chart, kept in chart units so that it stays by its bars
// when the chart is resized or printed.
struct ChartText {
    std::string text;
    Extended x = 0;
    Extended y = 0;
    FontSpec font;
    bool operator==(const ChartText&) const = default;
};

struct BarChartOptions {
    BarChartType type = BarChartType::ByRows;
    bool colour = true;   // solid colours; false: black hatch patterns
    bool grid = true;     // dotted lines across the chart at the ticks
    bool legend = true;   // series boxes and captions at the right
    bool three_d = true;  // bars with a top and a side face
    bool manual_scale = false;
    Extended scale_start = 0;
    Extended scale_step = 0;
    Extended scale_top = 0;
    FontSpec axis_font{"", 10};
    std::vector<ChartText> texts;
};

// The options a chart opens with: bars by rows with legend and 3-D, or the column means
// when there is more than one column.
BarChartOptions OpeningOptions(const BarChartData& data);

// Where the last drawing put things, for the mouse and for the scale dialog.
struct BarChartLayout {
    bool valid = false;
    TAxisTransform transform;
    int left = 0;    // the value axis
    int right = 0;   // the right edge of the bars
    int zero_y = 0;  // the zero line
    int depth = 0;   // of the 3-D faces
    Extended scale_start = 0;
    Extended scale_step = 0;
    Extended scale_top = 0;  // the value at the top of the chart
};

// The value scale the chart is drawn with: the stored one when it is the user's own, else
// the automatic one (the tick start and step over the data, and the value at the top of
// the chart, a tenth of the range above the largest value).
struct ChartScale {
    Extended start = 0;
    Extended step = 0;  // 0 when no step can be found
    Extended bottom = 0;  // the value at the bottom of the chart
    Extended top = 0;
    Extended last_tick = 0;  // ticks run from start up to here
};
ChartScale CurrentScale(const BarChartData& data, const BarChartOptions& options);

// Draws the whole chart on a canvas of width x height.
BarChartLayout RenderBarChart(Canvas& canvas, int width, int height, const BarChartData& data,
                              const BarChartOptions& options, const TextMeasurer& measure);

// The chart's numbers as text: a heading and, per column, its caption, count, mean and
// standard deviation (what Kopiera > Text copies and tabulon-cli bars prints).
std::vector<std::string> BarChartLines(const BarChartData& data, const std::string& caption);

// The texts of the scale dialog: maximum, minimum and step in the general format with 5
// significant digits.
std::string ScaleText(Extended value);

}  // namespace tabulon

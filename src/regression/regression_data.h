// The data set of the regression window: the points of two chosen columns with their row
// numbers and captions, the axis titles, and what the data alone answer (ranges, the
// "(x:y)" list, residual columns written back to the sheet).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// Choosing the row-caption column for x or y gives the row number of each point.
inline constexpr int kRowNumberColumn = 1;

// One point per worksheet row whose two chosen cells are both filled, in row order. The
// texts are kept as they stand ("Visa (x,y) - värdena" shows them so); the values are
// their numbers. A fit keeps a shared pointer to the set it was made from, so the window
// replaces the whole set (swap of x and y) rather than changing it.
struct RegressionData {
    std::vector<std::string> XTexts;
    std::vector<std::string> YTexts;
    std::vector<Extended> x;
    std::vector<Extended> y;
    std::vector<std::string> RowNumbers;  // the visible row number of each point
    std::vector<std::string> RowLabels;   // the row caption of each point (often empty)
    std::vector<int> rows;                // the grid row of each point (-1 when made from texts)
    std::string XTitle;
    std::string YTitle;

    std::size_t size() const { return x.size(); }
    // What "Visa radnummer" writes beside a point: its caption, or its row number.
    const std::string& PointName(std::size_t i) const {
        return RowLabels[i].empty() ? RowNumbers[i] : RowLabels[i];
    }
};

// The data set, or why no window opens: fewer than 2 points gives "För få datapunkter.." /
// "Too few data points..". A filled cell that is not a number raises ConversionError.
struct RegressionDataRead {
    std::shared_ptr<const RegressionData> data;
    std::string refusal;
};
RegressionDataRead ReadRegressionData(const Worksheet& sheet, int x_column, int y_column,
                                      char decimal_separator);

// A data set from parallel text lists (tests, benchmarks, pasted points); row numbers are
// 1, 2, ... Raises ConversionError on a text that is not a number.
std::shared_ptr<const RegressionData> MakeRegressionData(std::vector<std::string> x_texts,
                                                         std::vector<std::string> y_texts,
                                                         std::string x_title, std::string y_title,
                                                         char decimal_separator);

// "Byt plats på x och y": the same points with x and y (and their titles) exchanged.
std::shared_ptr<const RegressionData> SwapXY(const RegressionData& data);

// The axis title of a chosen column: its caption, or "Radnummer" / "Row number" for the
// row-caption column.
std::string RegressionAxisTitle(const Worksheet& sheet, int column);

// The smallest and largest x and y ("Anpassa").
struct DataRanges {
    Extended XMin = 0;
    Extended XMax = 0;
    Extended YMin = 0;
    Extended YMax = 0;
};
DataRanges RegressionDataRanges(const RegressionData& data);

// "Visa (x,y) - värdena": "(x:y)" and one "(x:y)" line per point, the texts as they stand.
std::vector<std::string> XYValueLines(const RegressionData& data);

// Residuals > "Lägg till i datafältet" / "Lägg till kvadraterna i datafältet": a column
// captioned "Residual" in the first completely empty column (a new one when there is none),
// each value beside the row its point came from, in the shortest general format with the
// current decimal separator. False, the sheet untouched and `refusal` set, when the points
// were not read from rows of this sheet or the counts disagree. Returns the column written.
int WriteResidualColumn(Worksheet& sheet, const RegressionData& data,
                        const std::vector<Extended>& residuals, bool squares, std::string& refusal);

}  // namespace tabulon

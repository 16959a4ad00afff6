// Simulera mätdata: series of normally distributed values, or an x column with series of y
// values scattered normally around a straight line, written into new columns.
#pragma once

#include <string>
#include <vector>

#include "base/random.h"
#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon {

enum class SimulationMode { Normal, Regression };

struct SimulationParameters {
    int count = 11;       // values per series, 1 to kMaxSimulatedValues
    Extended mean = 0;    // the true mean, or the intercept of the line
    Extended sd = 1;      // standard deviation of the scatter
    Extended slope = 1;   // Regression only
    Extended lowest = 0;  // Regression only: the x range
    Extended highest = 10;
    int series = 1;  // 1 to kMaxSimulatedSeries
};

inline constexpr int kMaxSimulatedValues = 99999;
inline constexpr int kMaxSimulatedSeries = 10;

// A standard normal deviate as the program has always drawn it: k uniform on 0 … 9999 and
// z = NormalQuantileFast(k / 10000), with z = 0 for k = 0.
Extended SimulatedDeviate(Xoshiro256& rng);

// "" when the parameters can be simulated, else the reason in the current language.
std::string SimulationRefusal(const SimulationParameters& p);

// Writes the series ("x1", "x2", … for Normal; "x1" and "y1", "y2", … for Regression) into the
// first completely empty columns, adding columns at the right when they run out, and grows the
// sheet to count + 2 rows when it has fewer data rows; column 0 of the written rows gets the
// row numbers. Values in the general format with 8 significant digits. Returns the columns
// written, in order. With one value the x of Regression is the lowest x.
std::vector<int> WriteSimulation(Worksheet& sheet, SimulationMode mode,
                                 const SimulationParameters& p, Xoshiro256& rng,
                                 char decimal_separator);

// The columns WriteSimulation will write among those the sheet already has (and column 0),
// for an undo record taken before it runs.
std::vector<int> SimulationColumnsAhead(const Worksheet& sheet, SimulationMode mode,
                                        const SimulationParameters& p);

}  // namespace tabulon

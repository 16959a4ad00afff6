// calc functions of the sample statistics kernel.
#include <string>

#include "calc_table.h"
#include "numeric/sample_statistics.h"

namespace tabulon::cli {

void AddStatisticsEntries(std::vector<CalcEntry>& table) {
    // The values go to the kernel as the texts they are, "." as the separator, so that a
    // text that is not a number is the kernel's failure, as in the windows.
    table.push_back({"ComputeSampleStatistics", -1, "V...", [](const CalcArgs& a) {
                         SampleStatistics s;
                         if (!ComputeSampleStatistics(a, '.', s)) return CalcFail();
                         return CalcOutcome{
                             true,
                             {"Mean " + CalcText(s.Mean), "Variance " + CalcText(s.Variance),
                              "Median " + CalcText(s.Median), "StdDev " + CalcText(s.StdDev),
                              "SumOfSquares " + CalcText(s.SumOfSquares),
                              "Count " + std::to_string(s.Count)}};
                     }});
}

}  // namespace tabulon::cli

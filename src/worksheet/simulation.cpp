// Simulated measurements.
#include "worksheet/simulation.h"

#include <array>

#include "base/language.h"
#include "numeric/normal_distribution.h"
#include "numeric/number_text.h"
#include "worksheet/column_arithmetic.h"
#include "worksheet/sheet_undo.h"

namespace tabulon {
namespace {

constexpr int kSteps = 10000;

// The 10,000 deviates a draw can give, computed once: a draw is then one table look-up.
const std::array<Extended, kSteps>& DeviateTable() {
    static const std::array<Extended, kSteps> table = [] {
        std::array<Extended, kSteps> t{};
        for (int k = 1; k < kSteps; ++k) t[k] = NormalQuantileFast(Extended(k) / kSteps);
        return t;
    }();
    return table;
}

int SeriesColumns(SimulationMode mode, const SimulationParameters& p) {
    return p.series + (mode == SimulationMode::Regression ? 1 : 0);
}

// Writes one column: caption, and the value of `value(i)` in rows 2 … count + 1.
template <typename Value>
int WriteSeries(Worksheet& sheet, const std::string& caption, int count, char separator,
                Value value) {
    const int target = ResultColumn(sheet);
    sheet.setCell(target, 1, caption);
    for (int i = 1; i <= count; ++i) {
        sheet.setCell(target, i + 1, FormatGeneral(value(i), 8, 2, separator));
    }
    return target;
}

}  // namespace

Extended SimulatedDeviate(Xoshiro256& rng) {
    return DeviateTable()[rng.Below(kSteps)];
}

std::string SimulationRefusal(const SimulationParameters& p) {
    if (p.count < 1 || p.count > kMaxSimulatedValues) {
        return ChooseText("The number of data points must lie between 1 and 99999",
                          "Antal mätvärden måste ligga mellan 1 och 99999");
    }
    if (p.series < 1 || p.series > kMaxSimulatedSeries) {
        return ChooseText("The number of series must lie between 1 and 10",
                          "Antal serier måste ligga mellan 1 och 10");
    }
    return {};
}

std::vector<int> SimulationColumnsAhead(const Worksheet& sheet, SimulationMode mode,
                                        const SimulationParameters& p) {
    std::vector<int> columns = ResultColumnsAhead(sheet, SeriesColumns(mode, p));
    columns.push_back(0);
    return columns;
}

std::vector<int> WriteSimulation(Worksheet& sheet, SimulationMode mode,
                                 const SimulationParameters& p, Xoshiro256& rng,
                                 char decimal_separator) {
    std::vector<int> written;
    if (!SimulationRefusal(p).empty()) return written;
    const int n = p.count;
    if (sheet.rowCount() - Worksheet::kFixedRows < n) sheet.resize(sheet.columnCount(), n + 2);
    for (int i = 1; i <= n; ++i) sheet.setCell(0, i + 1, std::to_string(i));
    const auto x = [&](int i) {
        // One value has no spacing: it sits at the lowest x.
        if (n == 1) return p.lowest;
        return p.lowest + (p.highest - p.lowest) * Extended(i - 1) / Extended(n - 1);
    };
    const char sep = decimal_separator;
    if (mode == SimulationMode::Regression) {
        written.push_back(WriteSeries(sheet, "x1", n, sep, x));
    }
    for (int k = 1; k <= p.series; ++k) {
        if (mode == SimulationMode::Normal) {
            written.push_back(WriteSeries(sheet, "x" + std::to_string(k), n, sep, [&](int) {
                return p.mean + p.sd * SimulatedDeviate(rng);
            }));
        } else {
            written.push_back(WriteSeries(sheet, "y" + std::to_string(k), n, sep, [&](int i) {
                return p.mean + p.slope * x(i) + p.sd * SimulatedDeviate(rng);
            }));
        }
    }
    return written;
}

}  // namespace tabulon

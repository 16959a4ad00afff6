// The entry window's t-test on typed summary values (mean, s, n of two samples): always the
// pooled test, two-sided and one-sided, its level clamping and its lowest-level search.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "numeric/extended.h"

namespace tabulon {

enum class TestSides { Two, One };

// The level the entry window calculates at: above 20 it becomes 20, at or below 0 it becomes
// 0.01. `field_text` holds what the level field then shows ("20", "0,01"), empty when the
// typed level stands.
struct ClampedLevel {
    Extended level = 5;
    std::string field_text;
};
ClampedLevel ClampManualLevel(Extended level, char decimal_separator);

// One side of a test at level L: the critical value and the verdict.
struct SideResult {
    Extended level = 0;     // the level the text names: L/2 two-sided, L one-sided
    Extended critical = 0;  // tc or Fc
    bool significant = false;
};

struct ManualTInputs {
    Extended mean1 = 0;
    Extended s1 = 0;
    int n1 = 0;
    Extended mean2 = 0;
    Extended s2 = 0;
    int n2 = 0;
};

struct ManualTTestResult {
    Extended pooled_sd = 0;
    Extended u = 0;
    int df = 0;
    SideResult two;  // TQuantile(df, L/200)
    SideResult one;  // TQuantile(df, L/100)
};

// nullopt when the inputs allow no test: a count below 1, fewer than three values in all, a
// negative s, or both s zero (no spread to divide by).
std::optional<ManualTTestResult> ComputeManualTTest(const ManualTInputs& inputs, Extended level);

// "u=2.1 > 2.024394 = t(2.5%, 38)" (general format, 7 significant digits).
std::string ManualTTestLine(const ManualTTestResult& result, TestSides sides);
// "Dubbelsidigt test: Signifikant skillnad!" and its kin, shared with the F-test mode.
std::string ManualVerdict(TestSides sides, bool significant);

// The lowest level on a 0.01 grid from 20 down at which the test is significant; 20.01 when
// it is not significant at 20 %.
Extended FindLowestManualTLevel(Extended u, int df, TestSides sides);

// Where a search that steps a level down from grid point `top` stops: the first grid point k
// below top (checked top - 1, top - 2, ...) for which `stops(k)` holds, or 1. `stops` must
// hold for every k below one where it holds (the critical value rises as the level falls).
int SteppedLevelStop(int top, const std::function<bool(int)>& stops);

}  // namespace tabulon

// The F-test of the entry window: two standard deviations and counts, two-sided and
// one-sided, its lowest-level search, and the same test filled from two worksheet columns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "numeric/extended.h"
#include "univariate/ttest.h"
#include "univariate/ttest_manual.h"

namespace tabulon {

struct ManualFInputs {
    Extended s1 = 0;
    Extended s2 = 0;
    int n1 = 0;
    int n2 = 0;
};

struct FTestResult {
    Extended F = 1;  // (larger s)² / (smaller s)²
    int df_num = 0;  // n - 1 of the sample with the larger s
    int df_den = 0;  // n - 1 of the other
    SideResult two;  // FQuantile(df_num, df_den, 1 - L/200)
    SideResult one;  // FQuantile(df_num, df_den, 1 - L/100)
};

// nullopt when the inputs allow no test: a count below 2, an s that is not positive.
std::optional<FTestResult> ComputeFTest(const ManualFInputs& inputs, Extended level);

// "F=4 < 4.025994 = F(2.5%, 9,9)" (general format, 7 significant digits).
std::string FTestLine(const FTestResult& result, TestSides sides);

// The lowest level on a 0.05 grid from 20 down at which the test is significant; 20.05 when
// it is not significant at 20 %.
Extended FindLowestFLevel(Extended F, int df_num, int df_den, TestSides sides);

// The entry window's fields when it is opened from two columns: s and n of each.
ManualFInputs FTestInputsFromSamples(const TTestSamples& samples);

// What tabulon-cli prints for the F-test from columns: the inputs and both sides' lines and
// verdicts.
std::vector<std::string> FTestResultLines(const TTestSamples& samples, const FTestResult& result);

}  // namespace tabulon

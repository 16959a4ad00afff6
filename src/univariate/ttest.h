// The two-column t-test: reading two samples, the F pre-test that picks the pooled or the
// unequal-variance test, the lowest significant level, the result texts and the graph.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "numeric/extended.h"
#include "numeric/sample_statistics.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// One chosen column: its title, the non-empty cell texts in row order and their statistics.
struct TTestSample {
    std::string name;
    std::vector<std::string> texts;
    std::vector<Extended> values;
    SampleStatistics statistics;
    Extended min = 0;
    Extended max = 0;
};

struct TTestSamples {
    TTestSample first;
    TTestSample second;
};

// Both samples, or the message (current language) why they cannot be compared: a column with
// fewer than two values, or one whose values are all equal (no variance to divide by). A
// cell that is not a number raises ConversionError.
struct TTestSamplesRead {
    std::optional<TTestSamples> samples;
    std::string refusal;
};
TTestSamplesRead ReadTTestSamples(const Worksheet& sheet, int first_column, int second_column,
                                  char decimal_separator);

// One sample read the same way (shared with the F-test from columns).
std::optional<TTestSample> ReadTTestSample(const Worksheet& sheet, int column,
                                           char decimal_separator, std::string& refusal);

// Everything the t-test window shows, for significance level `level` (percent).
struct TTestResult {
    Extended level = 5;
    // The two-sided F pre-test on the variances.
    Extended F = 1;                 // larger variance / smaller variance
    int df_num = 0;                 // n - 1 of the sample with the larger variance
    int df_den = 0;                 // n - 1 of the other
    Extended Fc = 0;                // FQuantile(df_num, df_den, 1 - L/200)
    bool variances_differ = false;  // Fc < F
    // The t-test it chose.
    bool equal_variances = true;  // pooled when the F-test finds no difference
    Extended pooled_sd = 0;       // only for the pooled test
    Extended u = 0;
    int df = 0;
    Extended tc = 0;           // TQuantile(df, L/200)
    bool significant = false;  // tc < u
};
TTestResult ComputeTTest(const TTestSamples& samples, Extended level);

// The lowest level (percent, on a 0.1 grid of 200·p with p stepped by 0.0005) at which the
// difference is significant, searched down from p = 0.2.
Extended LowestSignificantLevel(Extended u, int df);

// The lines the window shows, and the text Kopiera > Text copies (its lines, without ends).
std::vector<std::string> TTestWindowLines(const TTestSamples& samples, const TTestResult& result);
std::vector<std::string> TTestResultLines(const std::string& caption, const TTestSamples& samples,
                                          const TTestResult& result);
// "name : n=10": the sample line both texts start from.
std::string TTestSampleLine(const TTestSample& sample);

// The window's caption.
std::string TTestCaption();

enum class TTestGraphMode { TrueMean, Variable };

// Both samples' normal curves with their means, the level's limits and the data marks.
void RenderTTestGraph(Canvas& canvas, int width, int height, const TTestSamples& samples,
                      Extended level, TTestGraphMode mode);

}  // namespace tabulon

// The x-Data window's computation: confidence intervals at a level, and the texts of the
// window, of Kopiera > Text (also what tabulon-cli stats prints) and of Skriv ut > Text.
#pragma once

#include <string>
#include <vector>

#include "numeric/extended.h"
#include "numeric/sample_statistics.h"
#include "univariate/descriptive_sample.h"
#include "univariate/outlier_tests.h"

namespace tabulon {

// The confidence level of the x-Data window when it opens, and its limits.
inline constexpr Extended kInitialConfidenceLevel = 95;
// The σ interval needs χ² quantiles, whose grid search is only run up to this many values.
inline constexpr int kMaxSigmaIntervalCount = 445;

// Intervals at confidence `level` percent, with α = 1 - level/100 and t = t(n-1, α/2):
// a new value x̄ ± s·t, the true mean x̄ ± s·t/√n, and the true standard deviation
// [√((n-1)s²/χ²(n-1, 1-α/2)); √((n-1)s²/χ²(n-1, α/2))] for n ≤ 445.
struct ConfidenceIntervals {
    Extended level = kInitialConfidenceLevel;
    Extended t = 0;
    Extended value_half = 0;  // s·t
    Extended mean_half = 0;   // s·t/√n
    bool sigma_computed = false;
    Extended sigma_low = 0;
    Extended sigma_high = 0;
};
ConfidenceIntervals ComputeConfidenceIntervals(const SampleStatistics& statistics, Extended level);

// Every number of the window as it writes it (current language and separator).
struct XDataTexts {
    std::string mean;    // 5 significant digits
    std::string median;  // 6 significant digits
    std::string std_dev;
    std::string variance;
    std::string variation;  // 100·s/|x̄|; a plain refusal when the mean is 0
    std::string count;
    std::string value_interval;  // "12±4.3892"
    std::string mean_interval;
    std::string sigma_interval;  // "[0.94732;4.5435]" or "Går ej. n>445"
    std::string level;           // the level as the headings write it: "95", "99.9"
};
XDataTexts FormatXData(const SampleStatistics& statistics, const ConfidenceIntervals& intervals);

// What the window shows and copies.
struct XDataReport {
    std::string caption;  // the window caption: the column's caption or number
    XDataTexts texts;
    OutlierTest test = OutlierTest::Grubb;
    std::string upper;  // the outlier texts
    std::string lower;
};
XDataReport MakeXDataReport(const std::string& caption, const SampleStatistics& statistics,
                            const ConfidenceIntervals& intervals, const OutlierOutcome& outliers);

// The lines of the window's text pane, labels as the window writes them.
std::vector<std::string> XDataWindowLines(const XDataReport& report);
// Kopiera > Text: the caption line ends with CR, every later line with CR and a space, an
// empty line is a lone CR; at most 64000 bytes.
std::string XDataClipboardText(const XDataReport& report);
// Skriv ut > Text: the same lines with the printer's labels.
std::vector<std::string> XDataPrintLines(const XDataReport& report);

// The clipboard text with each CR made a line feed, ending with one: tabulon-cli's output.
std::string ClipboardTextAsLines(const std::string& clipboard_text);

}  // namespace tabulon

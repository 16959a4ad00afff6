// Confidence intervals and the texts of the x-Data window.
#include "univariate/descriptive.h"

#include <cmath>

#include "graphs/number_formats.h"
#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "base/language.h"

namespace tabulon {
namespace {

constexpr std::size_t kClipboardLimit = 64000;

std::string G(Extended value, int digits) {
    return FormatGeneral(value, digits, 2, DecimalSeparator());
}

// Cuts a UTF-8 text to at most `limit` bytes without splitting a character.
std::string CutUtf8(std::string text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

// The χ² quantile on its grid; where the grid rounds it down to 0 (one degree of freedom at
// a high level: qchisq(0.00005, 1) is 3.9e-9, below the grid's first step), the exact one,
// so that σ's upper end stays finite.
Extended SigmaQuantile(int df, Extended p) {
    const Extended q = ChiSquareQuantile(df, p);
    return q > 0 ? q : ChiSquareExactQuantile(df, p);
}

}  // namespace

ConfidenceIntervals ComputeConfidenceIntervals(const SampleStatistics& statistics, Extended level) {
    ConfidenceIntervals ci;
    ci.level = level;
    const int n = statistics.Count;
    if (n < 2) return ci;
    const Extended alpha = 1 - level / 100;
    const Extended s = statistics.StdDev;
    ci.t = TQuantile(n - 1, alpha / 2);
    ci.value_half = s * ci.t;
    ci.mean_half = ci.value_half / std::sqrt(Extended(n));
    if (n <= kMaxSigmaIntervalCount) {
        const Extended ss = (n - 1) * statistics.Variance;
        const Extended upper_q = SigmaQuantile(n - 1, 1 - alpha / 2);
        const Extended lower_q = SigmaQuantile(n - 1, alpha / 2);
        if (upper_q > 0 && lower_q > 0) {
            ci.sigma_low = std::sqrt(ss / upper_q);
            ci.sigma_high = std::sqrt(ss / lower_q);
            ci.sigma_computed = std::isfinite(ci.sigma_low) && std::isfinite(ci.sigma_high);
        }
    }
    return ci;
}

XDataTexts FormatXData(const SampleStatistics& statistics, const ConfidenceIntervals& intervals) {
    XDataTexts t;
    const Extended mean = statistics.Mean;
    t.mean = G(mean, 5);
    t.median = G(statistics.Median, 6);
    t.std_dev = G(statistics.StdDev, 5);
    t.variance = G(statistics.Variance, 5);
    if (mean != 0) {
        t.variation = G(100 * statistics.StdDev / std::fabs(mean), 5);
    } else {
        // 100·s/|x̄| has no value; say so rather than show infinity.
        t.variation = ChooseText("Impossible. Mean=0", "Går ej. Medelvärde=0");
    }
    t.count = std::to_string(statistics.Count);
    t.value_interval = t.mean + "±" + G(intervals.value_half, 5);
    t.mean_interval = t.mean + "±" + G(intervals.mean_half, 5);
    if (intervals.sigma_computed) {
        t.sigma_interval = "[" + G(intervals.sigma_low, 5) + ";" + G(intervals.sigma_high, 5) + "]";
    } else if (statistics.Count > kMaxSigmaIntervalCount) {
        t.sigma_interval = ChooseText("Impossible. n>445", "Går ej. n>445");
    } else {
        t.sigma_interval = ChooseText("Impossible", "Går ej");
    }
    // Trimmed rather than cut to two significant digits, which would turn 99.9 into 100.
    t.level = FormatFixedTrim(intervals.level);
    return t;
}

XDataReport MakeXDataReport(const std::string& caption, const SampleStatistics& statistics,
                            const ConfidenceIntervals& intervals, const OutlierOutcome& outliers) {
    XDataReport r;
    r.caption = caption;
    r.texts = FormatXData(statistics, intervals);
    r.test = outliers.test;
    r.upper = outliers.upper;
    r.lower = outliers.lower;
    return r;
}

std::vector<std::string> XDataWindowLines(const XDataReport& report) {
    const XDataTexts& t = report.texts;
    return {
        ChooseText("          Mean =", "Medelvärde =") + " " + t.mean,
        "Median = " + t.median,
        ChooseText("Standard deviation =", "Standardavvikelse =") + " " + t.std_dev,
        ChooseText("Variance =", "Varians =") + " " + t.variance,
        ChooseText("Coefficient of varation (%) =", "Variationskoefficient (%) =") + " " +
            t.variation,
        "n = " + t.count,
        "",
        ChooseText("Confidence interval", "Konfidensintervall"),
        ChooseText("Variable =", "Variabeln =") + " " + t.value_interval,
        "μ = " + t.mean_interval,
        "σ = " + t.sigma_interval,
        "",
        OutlierHeading(report.test),
        report.upper,
        report.lower,
    };
}

std::string XDataClipboardText(const XDataReport& report) {
    const XDataTexts& t = report.texts;
    const std::vector<std::string> lines{
        "Data:",
        ChooseText("Mean = ", "Medelvärde = ") + t.mean,
        "Median = " + t.median,
        ChooseText("Standard deviation = ", "Standardavvikelse = ") + t.std_dev,
        ChooseText("Variance = ", "Varians = ") + t.variance,
        ChooseText("Coefficient of variation (%) = ", "Variationskoefficient (%) = ") + t.variation,
        ChooseText("Number of data points = ", "Antal mätvärden = ") + t.count,
        "",
        ChooseText("Confidence interval (", "Konfidensintervall (") + t.level + "%):",
        ChooseText("Variable = ", "Variabeln = ") + t.value_interval,
        ChooseText("True mean = ", "Väntevärdet = ") + t.mean_interval,
        ChooseText("Standard deviation = ", "Standardavvikelsen = ") + t.sigma_interval,
        "",
        "Outliers:",
        report.upper,
        report.lower,
    };
    std::string text = report.caption + "\r";
    for (const std::string& line : lines) text += line.empty() ? "\r" : line + "\r ";
    return CutUtf8(std::move(text), kClipboardLimit);
}

std::vector<std::string> XDataPrintLines(const XDataReport& report) {
    const XDataTexts& t = report.texts;
    return {
        report.caption,
        "Data:",
        ChooseText(" Mean value = ", " Medelvärde = ") + t.mean,
        " Median = " + t.median,
        ChooseText(" Standard deviation = ", " Standardavvikelse = ") + t.std_dev,
        ChooseText(" Variance", " Varians = ") + t.variance,
        ChooseText(" Coefficient of variation (%) = ", " Variationskoefficient (%) = ") +
            t.variation,
        ChooseText(" Number of data points = ", " Antal mätvärden = ") + t.count,
        "",
        ChooseText("Confidence interval (", "Konfidensintervall (") + t.level + "%):",
        ChooseText(" Variable (%) = ", " Variabeln (%) = ") + t.value_interval,
        ChooseText(" True mean = ", " Väntevärdet = ") + t.mean_interval,
        ChooseText(" Standard deviation = ", " Standardavvikelsen = ") + t.sigma_interval,
        "",
        "Outliers:",
        " " + report.upper,
        " " + report.lower,
    };
}

std::string ClipboardTextAsLines(const std::string& clipboard_text) {
    std::string out = clipboard_text;
    for (char& c : out) {
        if (c == '\r') c = '\n';
    }
    if (out.empty() || out.back() != '\n') out += '\n';
    return out;
}

}  // namespace tabulon

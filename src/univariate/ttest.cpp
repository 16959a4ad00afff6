// The two-column t-test with its F pre-test, texts and graph.
#include "univariate/ttest.h"

#include <algorithm>
#include <cmath>

#include "graphs/number_formats.h"
#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "base/language.h"
#include "univariate/ttest_graph.h"
#include "worksheet/column_reading.h"
#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

std::string Fixed3(Extended v) {
    return FormatFixed(v, 3, DecimalSeparator());
}
std::string General5(Extended v) {
    return FormatGeneral(v, 5, 2, DecimalSeparator());
}

// The text before the last ":" of a line ("Vikt : n=10" gives "Vikt ").
std::string BeforeLast(const std::string& text, char mark) {
    const auto at = text.rfind(mark);
    return at == std::string::npos ? text : text.substr(0, at);
}

}  // namespace

std::optional<TTestSample> ReadTTestSample(const Worksheet& sheet, int column,
                                           char decimal_separator, std::string& refusal) {
    TTestSample sample;
    sample.name = column > 0 ? ColumnTitle(sheet, column) : std::string();
    sample.texts = ReadColumn(sheet, column).values;
    sample.values.reserve(sample.texts.size());
    for (const std::string& text : sample.texts) {
        sample.values.push_back(StrToNumber(text, decimal_separator));
    }
    if (sample.values.size() < 2 || !ComputeSampleStatistics(sample.values, sample.statistics)) {
        refusal = ChooseText("There must be at least two values in column ",
                             "Det måste finnas minst två värden i kolumnen ") +
                  sample.name;
        return std::nullopt;
    }
    if (sample.statistics.Variance == 0) {
        refusal = ChooseText("All values are equal in column ", "Alla värden är lika i kolumnen ") +
                  sample.name;
        return std::nullopt;
    }
    const auto [lo, hi] = std::minmax_element(sample.values.begin(), sample.values.end());
    sample.min = *lo;
    sample.max = *hi;
    return sample;
}

TTestSamplesRead ReadTTestSamples(const Worksheet& sheet, int first_column, int second_column,
                                  char decimal_separator) {
    TTestSamplesRead read;
    auto first = ReadTTestSample(sheet, first_column, decimal_separator, read.refusal);
    if (!first) return read;
    auto second = ReadTTestSample(sheet, second_column, decimal_separator, read.refusal);
    if (!second) return read;
    read.samples = TTestSamples{std::move(*first), std::move(*second)};
    return read;
}

TTestResult ComputeTTest(const TTestSamples& samples, Extended level) {
    const SampleStatistics& a = samples.first.statistics;
    const SampleStatistics& b = samples.second.statistics;
    TTestResult r;
    r.level = level;

    const bool first_larger = a.Variance > b.Variance;
    r.F = first_larger ? a.Variance / b.Variance : b.Variance / a.Variance;
    r.df_num = (first_larger ? a.Count : b.Count) - 1;
    r.df_den = (first_larger ? b.Count : a.Count) - 1;
    r.Fc = FQuantile(r.df_num, r.df_den, 1 - level / 200);
    r.variances_differ = r.Fc < r.F;
    r.equal_variances = !r.variances_differ;

    const Extended n1 = a.Count;
    const Extended n2 = b.Count;
    const Extended diff = std::fabs(a.Mean - b.Mean);
    if (r.equal_variances) {
        r.pooled_sd = std::sqrt(((n1 - 1) * a.Variance + (n2 - 1) * b.Variance) / (n1 + n2 - 2));
        r.u = diff / (r.pooled_sd * std::sqrt(1 / n1 + 1 / n2));
        r.df = a.Count + b.Count - 2;
    } else {
        const Extended va = a.Variance / n1;
        const Extended vb = b.Variance / n2;
        r.u = diff / std::sqrt(va + vb);
        // Welch's approximation in its n + 1, -2 form, truncated toward zero; at least
        // min(n1, n2) - 1 >= 1 for samples of two or more.
        const Extended welch =
            (va + vb) * (va + vb) / (va * va / (n1 + 1) + vb * vb / (n2 + 1)) - 2;
        r.df = static_cast<int>(std::trunc(welch));
    }
    r.tc = TQuantile(r.df, level / 200);
    r.significant = !(r.tc >= r.u);
    return r;
}

Extended LowestSignificantLevel(Extended u, int df) {
    // p = 0.2005 - 0.0005 k, counted in whole steps so that no rounding creeps in.
    int k = 401;
    do {
        --k;
    } while (!(k <= 1 || u < TQuantile(df, k * 0.0005L)));
    return 200 * (k + 1) * 0.0005L;
}

std::string TTestCaption() {
    return "t-test";
}

std::string TTestSampleLine(const TTestSample& sample) {
    return sample.name + " : n=" + std::to_string(sample.statistics.Count);
}

namespace {

std::string MeanText(const TTestSample& s) {
    return ChooseText("mean=", "medel=") + Fixed3(s.statistics.Mean);
}
std::string SdText(const TTestSample& s) {
    return "s=" + Fixed3(s.statistics.StdDev);
}

std::string FLine(const TTestResult& r) {
    return "F=Smax²/Smin²=" + General5(r.F) + (r.Fc < r.F ? "> F(" : "< F(") +
           General5(r.level / 200) + " ; " + std::to_string(r.df_num) + " ; " +
           std::to_string(r.df_den) + ") = " + General5(r.Fc);
}

std::string VarianceVerdict(const TTestResult& r) {
    return r.variances_differ
               ? ChooseText(
                     "The variances are different! t-test for unequal variances has been used",
                     "Varianserna skiljer sig åt! t-test för skilda s har använts")
               : ChooseText("Variances regarded as equal. t-test for equal s has been used",
                            "Varianserna kan inte skiljas åt. t-test för lika s har använts");
}

std::string ULine(const TTestResult& r) {
    return "u = " + Fixed3(r.u) + (r.tc >= r.u ? " < " : " > ") + Fixed3(r.tc) + " = t(" +
           std::to_string(r.df) + ").";
}

std::string Verdict(const TTestResult& r) {
    return r.significant ? ChooseText("Significant difference!", "Signifikant skillnad!")
                         : ChooseText("No significant difference!", "Ingen signifikant skillnad!");
}

}  // namespace

std::vector<std::string> TTestWindowLines(const TTestSamples& samples, const TTestResult& result) {
    return {TTestSampleLine(samples.first),
            TTestSampleLine(samples.second),
            ChooseText("Result:", "Resultat:"),
            samples.first.name + ": " + MeanText(samples.first) + "  " + SdText(samples.first),
            samples.second.name + ": " + MeanText(samples.second) + "  " + SdText(samples.second),
            FLine(result),
            VarianceVerdict(result),
            ULine(result),
            Verdict(result)};
}

std::vector<std::string> TTestResultLines(const std::string& caption, const TTestSamples& samples,
                                          const TTestResult& result) {
    const std::string first = BeforeLast(TTestSampleLine(samples.first), ':');
    const std::string second = BeforeLast(TTestSampleLine(samples.second), ':');
    std::vector<std::string> lines;
    lines.push_back(caption + ": " + first + ChooseText("versus ", "mot ") + second +
                    ChooseText(" at level ", " på nivån ") + FormatSignificant(2, result.level) +
                    "%");
    lines.push_back("");
    lines.push_back("Data:");
    for (const TTestSample* s : {&samples.first, &samples.second}) {
        lines.push_back(TTestSampleLine(*s) + ": " + MeanText(*s) + "  " + SdText(*s));
    }
    lines.push_back("");
    lines.push_back(ChooseText("Result: ", "Resultat: "));
    lines.push_back(ULine(result));
    lines.push_back(Verdict(result));
    lines.push_back(BeforeLast(Verdict(result), '!') +
                    ChooseText(" between values for ", " mellan väntevärdena för ") + first +
                    ChooseText("and ", "och ") + second);
    return lines;
}

void RenderTTestGraph(Canvas& canvas, int width, int height, const TTestSamples& samples,
                      Extended level, TTestGraphMode mode) {
    const bool true_mean = mode == TTestGraphMode::TrueMean;
    const SampleStatistics& a = samples.first.statistics;
    const SampleStatistics& b = samples.second.statistics;
    std::vector<NormalCurve> curves;
    for (const TTestSample* s : {&samples.first, &samples.second}) {
        const SampleStatistics& st = s->statistics;
        NormalCurve c;
        c.mean = st.Mean;
        c.sigma = true_mean ? st.StdDev / std::sqrt(Extended(st.Count)) : st.StdDev;
        c.t = TQuantile(st.Count - 1, level / 200);
        c.range_sd = st.StdDev;
        c.data = s->values;
        curves.push_back(std::move(c));
    }
    curves[0].color = Color{255, 0, 0};
    curves[1].color = Color{0, 0, 255};
    if (true_mean) {
        // The narrower curve keeps its peak; the wider one is scaled by the ratio of the
        // standard deviations so that both enclose comparable areas.
        const Extended ratio =
            std::sqrt(std::min(a.Variance, b.Variance) / std::max(a.Variance, b.Variance));
        (a.Variance > b.Variance ? curves[0] : curves[1]).height = ratio;
    }
    const std::string heading =
        true_mean ? ChooseText("True mean", "Väntevärdet") : ChooseText("Variable", "Variabeln");
    RenderNormalCurves(canvas, width, height, curves, level, heading, {});
}

}  // namespace tabulon

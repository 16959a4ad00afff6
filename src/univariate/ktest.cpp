// The test of a column's mean against a constant.
#include "univariate/ktest.h"

#include <cmath>

#include "graphs/level_steps.h"
#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "base/language.h"
#include "univariate/ttest.h"
#include "univariate/ttest_graph.h"
#include "worksheet/column_reading.h"
#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

std::string General5(Extended v) {
    return FormatGeneral(v, 5, 3, DecimalSeparator());
}

}  // namespace

std::optional<KTestSample> ReadKTestSample(const Worksheet& sheet, int column,
                                           char decimal_separator, std::string& refusal) {
    // The same reading and the same refusals as a sample of the two-sample t-test.
    auto read = ReadTTestSample(sheet, column, decimal_separator, refusal);
    if (!read) return std::nullopt;
    return KTestSample{std::move(read->name), std::move(read->values), read->statistics};
}

KTestResult ComputeKTest(const KTestSample& sample, Extended constant, Extended level) {
    const SampleStatistics& s = sample.statistics;
    KTestResult r;
    r.constant = constant;
    r.level = level;
    r.u = std::sqrt(Extended(s.Count)) * std::fabs(s.Mean - constant) / s.StdDev;
    r.df = s.Count - 1;
    r.tc = TQuantile(r.df, level / 200);
    r.significant = !(r.tc >= r.u);
    return r;
}

std::string KTestCaption(const std::string& column_title) {
    return column_title +
           ChooseText(": Test of deviation from a constant", ": Test på avvikelse från konstant");
}

std::vector<std::string> KTestLines(const KTestSample& sample, const KTestResult& r) {
    return {ChooseText("Test that the true mean (m=", "Test att väntevärdet (m=") +
                General5(sample.statistics.Mean) +
                ChooseText(") differ from ", ") är skilt från ") + General5(r.constant) + ":",
            "u = " + General5(r.u) + (r.tc >= r.u ? " <" : " >") + " t(" + std::to_string(r.df) +
                ")" + " = " + General5(r.tc),
            r.significant
                ? ChooseText("The difference is significant!", "Skillnaden är signifikant!")
                : ChooseText("There is no significant difference",
                             "Det finns ingen signifikant skillnad.")};
}

std::vector<std::string> KTestResultLines(const KTestSample& sample, const KTestResult& r) {
    std::vector<std::string> lines{KTestCaption(sample.name)};
    for (std::string& line : KTestLines(sample, r)) lines.push_back(std::move(line));
    lines.push_back(ChooseText("Level: ", "Nivå: ") + LevelText(r.level));
    return lines;
}

void RenderKTestGraph(Canvas& canvas, int width, int height, const KTestSample& sample,
                      const KTestResult& result) {
    const SampleStatistics& s = sample.statistics;
    NormalCurve c;
    c.mean = s.Mean;
    c.sigma = s.StdDev / std::sqrt(Extended(s.Count));
    c.t = result.tc;
    c.range_sd = c.sigma;
    c.data = sample.values;
    c.color = Color{255, 0, 0};
    RenderNormalCurves(canvas, width, height, {c}, result.level,
                       ChooseText("Distrubution of true mean", "Väntevärdets fördelning"),
                       {result.constant});
}

}  // namespace tabulon

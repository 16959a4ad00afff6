// The entry window's F-test on two standard deviations and counts.
#include "univariate/ftest.h"

#include <cmath>

#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "base/language.h"

namespace tabulon {
namespace {

std::string General7(Extended v) {
    return FormatGeneral(v, 7, 2, DecimalSeparator());
}

SideResult FSide(const FTestResult& r, Extended level, TestSides sides) {
    SideResult side;
    side.level = sides == TestSides::Two ? level / 2 : level;
    side.critical = FQuantile(r.df_num, r.df_den, 1 - side.level / 100);
    side.significant = side.critical < r.F;
    return side;
}

}  // namespace

std::optional<FTestResult> ComputeFTest(const ManualFInputs& in, Extended level) {
    if (in.n1 < 2 || in.n2 < 2 || !(in.s1 > 0) || !(in.s2 > 0)) return std::nullopt;
    if (!std::isfinite(in.s1) || !std::isfinite(in.s2)) return std::nullopt;
    FTestResult r;
    const bool second_larger = in.s1 <= in.s2;
    const Extended larger = second_larger ? in.s2 : in.s1;
    const Extended smaller = second_larger ? in.s1 : in.s2;
    r.F = (larger * larger) / (smaller * smaller);
    if (!std::isfinite(r.F)) return std::nullopt;
    r.df_num = (second_larger ? in.n2 : in.n1) - 1;
    r.df_den = (second_larger ? in.n1 : in.n2) - 1;
    r.two = FSide(r, level, TestSides::Two);
    r.one = FSide(r, level, TestSides::One);
    return r;
}

std::string FTestLine(const FTestResult& r, TestSides sides) {
    const SideResult& side = sides == TestSides::Two ? r.two : r.one;
    return "F=" + General7(r.F) + (side.critical < r.F ? " > " : " < ") + General7(side.critical) +
           " = F(" + General7(side.level) + "%, " + std::to_string(r.df_num) + "," +
           std::to_string(r.df_den) + ")";
}

Extended FindLowestFLevel(Extended F, int df_num, int df_den, TestSides sides) {
    const Extended divisor = sides == TestSides::Two ? 200 : 100;
    // Grid point k is the level 0.05 k.
    auto critical = [&](int k) { return FQuantile(df_num, df_den, 1 - k * 0.05L / divisor); };
    if (!(critical(400) < F)) return 20.05L;
    int k = SteppedLevelStop(400, [&](int g) { return critical(g) > F; });
    if (critical(k) > F) ++k;
    return k * 0.05L;
}

ManualFInputs FTestInputsFromSamples(const TTestSamples& samples) {
    return {samples.first.statistics.StdDev, samples.second.statistics.StdDev,
            samples.first.statistics.Count, samples.second.statistics.Count};
}

std::vector<std::string> FTestResultLines(const TTestSamples& samples, const FTestResult& r) {
    const char sep = DecimalSeparator();
    std::vector<std::string> lines;
    lines.push_back("F-test: " + samples.first.name + ChooseText(" versus ", " mot ") +
                    samples.second.name);
    lines.push_back("s1=" + FormatShortest(samples.first.statistics.StdDev, sep) +
                    "  n1=" + std::to_string(samples.first.statistics.Count));
    lines.push_back("s2=" + FormatShortest(samples.second.statistics.StdDev, sep) +
                    "  n2=" + std::to_string(samples.second.statistics.Count));
    lines.push_back(FTestLine(r, TestSides::Two));
    lines.push_back(ManualVerdict(TestSides::Two, r.two.significant));
    lines.push_back(FTestLine(r, TestSides::One));
    lines.push_back(ManualVerdict(TestSides::One, r.one.significant));
    return lines;
}

}  // namespace tabulon

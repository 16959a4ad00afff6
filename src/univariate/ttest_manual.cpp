// The entry window's pooled t-test on typed means, standard deviations and counts.
#include "univariate/ttest_manual.h"

#include <cmath>
#include <functional>

#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "base/language.h"

namespace tabulon {

ClampedLevel ClampManualLevel(Extended level, char decimal_separator) {
    if (level > 20) return {20, "20"};
    if (!(level > 0)) return {0.01L, FormatFixed(0.01L, 2, decimal_separator)};
    return {level, ""};
}

namespace {

SideResult TSide(Extended u, int df, Extended level, TestSides sides) {
    SideResult side;
    side.level = sides == TestSides::Two ? level / 2 : level;
    side.critical = TQuantile(df, side.level / 100);
    side.significant = side.critical < u;
    return side;
}

std::string General7(Extended v) {
    return FormatGeneral(v, 7, 2, DecimalSeparator());
}

}  // namespace

std::optional<ManualTTestResult> ComputeManualTTest(const ManualTInputs& in, Extended level) {
    if (in.n1 < 1 || in.n2 < 1 || in.n1 + in.n2 < 3 || in.s1 < 0 || in.s2 < 0) return std::nullopt;
    if (!std::isfinite(in.mean1) || !std::isfinite(in.mean2)) return std::nullopt;
    const Extended n1 = in.n1;
    const Extended n2 = in.n2;
    ManualTTestResult r;
    r.pooled_sd = std::sqrt(((n1 - 1) * in.s1 * in.s1 + (n2 - 1) * in.s2 * in.s2) / (n1 + n2 - 2));
    if (!(r.pooled_sd > 0) || !std::isfinite(r.pooled_sd)) return std::nullopt;
    r.u = std::fabs(in.mean1 - in.mean2) / (r.pooled_sd * std::sqrt(1 / n1 + 1 / n2));
    if (!std::isfinite(r.u)) return std::nullopt;
    r.df = in.n1 + in.n2 - 2;
    r.two = TSide(r.u, r.df, level, TestSides::Two);
    r.one = TSide(r.u, r.df, level, TestSides::One);
    return r;
}

std::string ManualTTestLine(const ManualTTestResult& r, TestSides sides) {
    const SideResult& side = sides == TestSides::Two ? r.two : r.one;
    return "u=" + General7(r.u) + (side.critical < r.u ? " > " : " < ") + General7(side.critical) +
           " = t(" + General7(side.level) + "%, " + std::to_string(r.df) + ")";
}

std::string ManualVerdict(TestSides sides, bool significant) {
    if (sides == TestSides::Two) {
        return significant ? ChooseText("Double sided test: Significant difference!",
                                        "Dubbelsidigt test: Signifikant skillnad!")
                           : ChooseText("Double sided test: No significant difference",
                                        "Dubbelsidigt test: Ingen signifikant skillnad");
    }
    return significant ? ChooseText("Single sided test: Significant difference!",
                                    "Enkelsidigt test: Signifikant skillnad!")
                       : ChooseText("Single sided test: No significant difference!",
                                    "Enkelsidigt test: Ingen signifikant skillnad");
}

int SteppedLevelStop(int top, const std::function<bool(int)>& stops) {
    // The stepping checks top - 1, top - 2, ... and stops at the first k where stops(k) holds
    // or at 1. Because stops(k) only turns from false to true as k falls, that k is the
    // largest one below top where it holds, found by halving.
    int lo = 1;
    int hi = top;  // stops(hi) is false or hi is the top, which the stepping never checks
    if (!stops(lo)) return 1;
    while (hi - lo > 1) {  // stops(lo) holds; nothing at or above hi does
        const int mid = lo + (hi - lo) / 2;
        (stops(mid) ? lo : hi) = mid;
    }
    return lo;
}

Extended FindLowestManualTLevel(Extended u, int df, TestSides sides) {
    const Extended divisor = sides == TestSides::Two ? 200 : 100;
    auto critical = [&](int hundredths) { return TQuantile(df, hundredths / 100.0L / divisor); };
    if (!(critical(2000) < u)) return 20.01L;
    int k = SteppedLevelStop(2000, [&](int h) { return critical(h) > u; });
    if (!(critical(k) < u)) ++k;
    return k / 100.0L;
}

}  // namespace tabulon

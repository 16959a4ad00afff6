// The straight line's reports: significance, LOD, LOQ, k and l, standard addition, the
// parameter list with t tests, homoscedasticity, the errors of the first and second kind and
// the outliers. Each report states the formula it uses.
#include <algorithm>
#include <cmath>
#include <numeric>

#include "base/language.h"
#include "numeric/f_distribution.h"
#include "numeric/number_text.h"
#include "numeric/t_distribution.h"
#include "regression/regression_texts.h"
#include "regression/straight_line.h"

namespace tabulon {
namespace {

std::string Error0() {
    return "Error! (<=0)";
}
std::string OnlyTwo() {
    return ChooseText("Only two data points", "Bara två datapunkter");
}
std::string TooFew() {
    return ChooseText("Too few data points", "För få datapunkter");
}

}  // namespace

std::vector<std::string> StraightLineModel::SignificanceLines() const {
    const TRegressionLine& r = m_line;
    if (DegreesOfFreedom() < 1) return {OnlyTwo()};
    if (!(r.Sxx > 1e-10L) || !(r.S2 / r.Sxx > 1e-10L)) return {};
    const std::string p = RiskText(level());
    const Extended half = TFactor() * std::sqrt(r.S2 / r.Sxx);
    const int df = DegreesOfFreedom();
    const Extended f_crit = FQuantile(1, df, level());
    const bool slope_clear = r.K - half > 0 || r.K + half < 0;
    const bool f_clear = r.F > f_crit;
    std::vector<std::string> lines;
    lines.push_back(ChooseText("At " + p + " level, the following is valid",
                               "På " + p + "-nivån gäller följande:"));
    if (slope_clear && f_clear) {
        lines.push_back(ChooseText("With " + p +
                                       " probability to make an erronuous statement - there is a "
                                       "significant relationship between the variables",
                                   "Med " + p +
                                       " sannolikhet att göra ett felaktigt uttalande så finns "
                                       "det ett signifikant samband mellan variablerna."));
    } else {
        lines.push_back(ChooseText("There is no significant relationship between the variables.",
                                   "Det finns inget signifikant samband mellan variablerna."));
    }
    lines.emplace_back();
    lines.push_back(
        ChooseText("Test of regression at " + p + ":", "Test av regression vid " + p + ":"));
    lines.push_back("k = " + FormatG4(r.K) + " ± " + FormatG4(half));
    lines.emplace_back();
    lines.push_back(ChooseText("F-test at " + p + ":", "F-test vid " + p + ":"));
    lines.push_back("F = " + FormatG4(r.F) + (f_clear ? "> F(1," : "< F(1,") + std::to_string(df) +
                    ") = " + FormatG4(f_crit));
    return lines;
}

ReportText StraightLineModel::LodReport() const {
    ReportText rep{ChooseText("Detection limit at 3*s", "Detektionsgräns vid 3*s"), {}};
    const DetectionLimits d = *Limits();
    if (!(d.lod_x > 0)) {
        rep.lines.push_back(Error0());
        return rep;
    }
    rep.lines.push_back("LOD(x)=" + FormatF5(d.lod_x));
    rep.lines.push_back("sy =" + FormatF5(d.sy));
    rep.lines.push_back(ChooseText("Critical level for y=", "Kritisk nivå för y=") +
                        FormatF5(d.lod_y) +
                        ChooseText("  i.g. y-value that gives LOD", "  dvs y-värde som ger LOD"));
    rep.lines.push_back(ChooseText("Risk of Error of the first kind (at x=0) = ",
                                   "Risk för fel av första ordningen (vid x=0) = ") +
                        FormatF5(100 * d.alpha) + "%");
    rep.lines.push_back(
        ChooseText("I.e. risk of exceeding LOD at x=0", "Dvs risk att överskrida LOD vid x=0"));
    return rep;
}

ReportText StraightLineModel::LoqReport() const {
    ReportText rep{ChooseText("Limit of quantification at 10*s", "Kvantifieringsgräns vid 10*s"),
                   {}};
    const DetectionLimits d = *Limits();
    if (!(d.loq_x > 0)) {
        rep.lines.push_back(Error0());
        return rep;
    }
    rep.lines.push_back("LOQ(x)=" + FormatF5(d.loq_x));
    rep.lines.push_back("(sy =" + FormatF5(d.sy) + ")");
    return rep;
}

ReportText StraightLineModel::ConfidenceKLReport() const {
    ReportText rep{ChooseText("Confidence level for k and l", "Konfidensintervall för k och l"),
                   {}};
    rep.lines.push_back(ChooseText("Line y=kx+l", "Linjen y=kx+l"));
    rep.lines.push_back(FormatFixed(100 * level(), 4, DecimalSeparator()) +
                        ChooseText("% confidence level", "% konfidensnivå"));
    rep.lines.emplace_back();
    rep.lines.push_back("k=" + FormatF5(m_line.K) + "±" + FormatF5(SlopeHalfWidth()));
    rep.lines.push_back("l=" + FormatF5(m_line.L) + "±" + FormatF5(InterceptHalfWidth()));
    return rep;
}

ReportText StraightLineModel::StandardAdditionReport() const {
    const TRegressionLine& r = m_line;
    ReportText rep{ChooseText("Standard addition", "Standardaddition"), {}};
    const Extended x0 = r.K != 0 ? -r.L / r.K : 1;
    if (!(x0 <= 0)) {
        rep.lines.push_back("Error! (Konc<0)");
        return rep;
    }
    const Extended sy = DegreesOfFreedom() >= 1 ? std::sqrt(r.SSRes / (r.N - 2)) : 0;
    const Extended sx0 =
        sy / std::fabs(r.K) * std::sqrt(1 / r.N + r.YMean * r.YMean / (r.K * r.K * r.Sxx));
    const DecimalDigits lv = RoundToSignificant(100 * level(), 3);
    Extended rounded = 0;
    for (char c : lv.digits) rounded = rounded * 10 + (c - '0');
    rounded *= std::pow(10.0L, lv.exponent - 2);
    rep.lines.push_back(FormatFixed(rounded, 3, DecimalSeparator()) +
                        ChooseText("% confidence level", "% konfidensnivå"));
    rep.lines.emplace_back();
    rep.lines.push_back("x=" + FormatF5(std::fabs(x0)) + "±" + FormatF5(TFactor() * sx0));
    return rep;
}

ReportText StraightLineModel::ParametersReport() const {
    const TRegressionLine& r = m_line;
    const int df = DegreesOfFreedom();
    auto num = [](Extended v) { return FormatReportNumber(v); };
    ReportText rep{ChooseText("Regression parameters", "Regressionsparametrar"), {}};
    auto& l = rep.lines;
    l.push_back(Name());
    l.push_back("k=" + num(r.K));
    l.push_back("l=" + num(r.L));
    l.push_back("Sum x=" + num(r.SumX));
    l.push_back("Sum y=" + num(r.SumY));
    l.push_back("Sum x2=" + num(r.SumX2));
    l.push_back("Sum y2=" + num(r.SumY2));
    l.push_back("Sum xy=" + num(r.SumXY));
    l.push_back("r2=" + num(r.RSquared) + "   (Sxy²/(Sxx·Syy))");
    l.push_back("xmed=" + num(r.XMean));
    l.push_back("ymed=" + num(r.YMean));
    l.push_back("Sxx=" + num(r.Sxx) + "   (Σ(x-xmed)²)");
    l.push_back("Sxy=" + num(r.Sxy) + "   (Σ(x-xmed)(y-ymed))");
    l.push_back("Syy=" + num(r.Syy) + "   (Σ(y-ymed)²)");
    l.push_back("SSr=" + num(r.SSRes) + "   (Σ(y-ŷ)²)");
    l.push_back("SScor=" + num(r.SSCor) + "   (Σ(y-ymed)²)");
    l.push_back("SSfac=" + num(r.SSFac) + "   (Σ(ŷ-ymed)²)");
    l.push_back("n=" + num(r.N));
    l.push_back("F=" + num(r.F) + "   (SSfac/(SSr/(n-2)))");
    l.push_back("sfak=" + num(std::sqrt(r.SSFac)) + "   (√(SSfac/1))");
    l.push_back("sB=" + num(r.S) + "   (√(SSr/(n-2)))");
    l.push_back("RMS=" + num(std::sqrt(r.SSRes / r.N)) + "   (√(SSr/n))");
    l.emplace_back();
    if (df < 1) {
        l.push_back(OnlyTwo());
        return rep;
    }
    // t tests of the coefficients, the highest power first: t = |coefficient|/its standard
    // error against the two-sided t factor of the level.
    const std::string p = RiskText(level());
    l.push_back(ChooseText("t tests at " + p + ", t=|coefficient|/s(coefficient):",
                           "t-test vid " + p + ", t=|koefficient|/s(koefficient):"));
    auto test = [&](const std::string& name, Extended value, Extended se) {
        if (!(se > 0)) return;
        const Extended t = std::fabs(value) / se;
        const bool significant = t > TFactor();
        l.push_back(name + ": s(" + name + ")=" + FormatG4(se) + "  t=" + FormatG4(t) +
                    (significant ? " > " : " < ") + "t(" + std::to_string(df) +
                    ")=" + FormatG4(TFactor()));
        l.push_back(significant ? ChooseText("  " + name + " differs significantly from 0",
                                             "  " + name + " skiljer sig signifikant från 0")
                                : ChooseText("  " + name + " does not differ significantly from 0",
                                             "  " + name + " skiljer sig ej signifikant från 0"));
    };
    test("k", r.K, SlopeSE());
    test("l", r.L, InterceptSE());
    return rep;
}

namespace {

// The residual variance of one half of the points and its degrees of freedom: about its own
// least-squares line, or about its mean when all its x are equal (replicates).
struct HalfVariance {
    Extended s2 = 0;
    int df = 0;
};

HalfVariance VarianceOfHalf(const std::vector<Extended>& x, const std::vector<Extended>& y) {
    TRegressionLine line;
    const int n = static_cast<int>(x.size());
    if (n >= 3 && ComputeRegressionLine(x, y, LineMode::LeastSquares, 0, line)) {
        return {line.SSRes / (n - 2), n - 2};
    }
    const Extended mean = std::accumulate(y.begin(), y.end(), Extended(0)) / n;
    Extended ss = 0;
    for (Extended v : y) ss += (v - mean) * (v - mean);
    return {ss / (n - 1), n - 1};
}

}  // namespace

ReportText StraightLineModel::HomoscedasticityReport() const {
    ReportText rep{ChooseText("Homoscedasticity", "Homoskedasticitet"), {}};
    const RegressionData& d = data();
    const std::size_t half = d.size() / 2;
    if (half < 3) {
        rep.lines.push_back(TooFew() + ChooseText(" (at least 6)", " (minst 6)"));
        return rep;
    }
    std::vector<std::size_t> order(d.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return d.x[a] < d.x[b]; });
    std::vector<Extended> lx, ly, hx, hy;
    for (std::size_t i = 0; i < half; ++i) {
        lx.push_back(d.x[order[i]]);
        ly.push_back(d.y[order[i]]);
        hx.push_back(d.x[order[d.size() - half + i]]);
        hy.push_back(d.y[order[d.size() - half + i]]);
    }
    const HalfVariance low = VarianceOfHalf(lx, ly);
    const HalfVariance high = VarianceOfHalf(hx, hy);
    const std::string p = RiskText(level());
    auto& l = rep.lines;
    l.push_back(ChooseText("Goldfeld-Quandt test at " + p + " level:",
                           "Goldfeld-Quandts test vid " + p + "-nivån:"));
    l.push_back(ChooseText(
        "the residual variances about separate lines through the " + std::to_string(half) +
            " lowest and the " + std::to_string(half) + " highest x",
        "residualvarianserna kring separata linjer genom de " + std::to_string(half) +
            " lägsta och de " + std::to_string(half) + " högsta x"));
    l.push_back(ChooseText("Low x: ", "Låga x: ") + "s²=" + FormatG4(low.s2) +
                "  (f=" + std::to_string(low.df) + ")");
    l.push_back(ChooseText("High x: ", "Höga x: ") + "s²=" + FormatG4(high.s2) +
                "  (f=" + std::to_string(high.df) + ")");
    if (!(low.s2 > 0) || !(high.s2 > 0)) {
        l.push_back(ChooseText("Cannot compute: a half has no spread",
                               "Kan ej räkna: spridningen i en halva är noll"));
        return rep;
    }
    const bool high_larger = high.s2 >= low.s2;
    const HalfVariance& num = high_larger ? high : low;
    const HalfVariance& den = high_larger ? low : high;
    const Extended F = num.s2 / den.s2;
    const Extended f_crit = FQuantile(num.df, den.df, 1 - (1 - level()) / 2);
    const bool differ = F > f_crit;
    l.push_back(ChooseText("F = s²(larger)/s²(smaller) = ", "F = s²(större)/s²(mindre) = ") +
                FormatG4(F) + (differ ? " > " : " < ") + "F(" + std::to_string(num.df) + "," +
                std::to_string(den.df) + ") = " + FormatG4(f_crit));
    l.push_back(differ ? ChooseText("The variances differ: the data are heteroscedastic "
                                    "(a weighted regression may be needed)",
                                    "Varianserna skiljer sig: data är heteroskedastiska "
                                    "(viktad regression kan behövas)")
                       : ChooseText("No significant difference in variance: the data are "
                                    "homoscedastic",
                                    "Ingen signifikant skillnad i varians: data är "
                                    "homoskedastiska"));
    return rep;
}

ReportText StraightLineModel::FirstKindReport() const {
    ReportText rep{ChooseText("Error of the first kind", "Fel av första ordningen"), {}};
    const DetectionLimits d = *Limits();
    if (!(d.lod_x > 0)) {
        rep.lines.push_back(Error0());
        return rep;
    }
    const TRegressionLine& r = m_line;
    const Extended s0 = std::sqrt((1 / r.N + 1 + r.XMean * r.XMean / r.Sxx) * r.S2);
    auto& l = rep.lines;
    l.push_back(ChooseText("Critical level for y=", "Kritisk nivå för y=") + FormatF5(d.lod_y) +
                "   (l+3·sy)");
    l.push_back("s0=" + FormatF5(s0) + "   (sy·√(1+1/n+xmed²/Sxx))");
    l.push_back(ChooseText("Risk of Error of the first kind (at x=0) = ",
                           "Risk för fel av första ordningen (vid x=0) = ") +
                FormatF5(100 * d.alpha) + "%");
    l.push_back(ChooseText("α = P(t(" + std::to_string(DegreesOfFreedom()) + ") > (ycrit-l)/s0)",
                           "α = P(t(" + std::to_string(DegreesOfFreedom()) + ") > (ykrit-l)/s0)"));
    l.push_back(ChooseText("I.e. risk that a blank (x=0) gives y above the critical level",
                           "Dvs risk att ett blankprov (x=0) ger y över den kritiska nivån"));
    return rep;
}

ReportText StraightLineModel::SecondKindReport() const {
    ReportText rep{ChooseText("Error of the second kind", "Fel av andra ordningen"), {}};
    const DetectionLimits d = *Limits();
    if (!(d.lod_x > 0)) {
        rep.lines.push_back(Error0());
        return rep;
    }
    const TRegressionLine& r = m_line;
    const int df = DegreesOfFreedom();
    auto sp = [&](Extended x) { return std::sqrt(LineVariance(x) + r.S2); };
    // β(x): a sample at x reads below the critical level.
    auto beta = [&](Extended x) { return TCdf(df, (d.lod_y - ValueAt(x)) / sp(x)); };
    auto& l = rep.lines;
    l.push_back(ChooseText("Critical level for y=", "Kritisk nivå för y=") + FormatF5(d.lod_y) +
                "   (l+3·sy)");
    l.push_back(ChooseText("Risk of Error of the second kind at x=LOD(x)=",
                           "Risk för fel av andra ordningen vid x=LOD(x)=") +
                FormatF5(d.lod_x) + ": " + FormatF5(100 * beta(d.lod_x)) + "%");
    l.push_back(ChooseText("β(x) = P(t(" + std::to_string(df) + ") < (ycrit-ŷ(x))/s(x)), ",
                           "β(x) = P(t(" + std::to_string(df) + ") < (ykrit-ŷ(x))/s(x)), ") +
                "s(x)=sy·√(1+1/n+(x-xmed)²/Sxx)");
    // The x where β equals α (Currie's detection limit): ŷ(x) − t(df, α)·s(x) = critical
    // level, found by doubling then halving an interval above LOD(x); both loops bounded.
    const Extended t_alpha = TQuantile(df, d.alpha);
    auto excess = [&](Extended x) { return ValueAt(x) - t_alpha * sp(x) - d.lod_y; };
    Extended lo = d.lod_x;
    Extended step = d.lod_x;
    Extended hi = lo + step;
    int k = 0;
    for (; k < 200 && !(excess(hi) > 0); ++k) {
        lo = hi;
        step *= 2;
        hi = lo + step;
    }
    if (k == 200) {
        l.push_back(ChooseText("No x where β equals α: the slope is not significant",
                               "Inget x där β är lika med α: lutningen är inte signifikant"));
        return rep;
    }
    for (int i = 0; i < 200 && hi - lo > 1e-15L * std::fabs(hi); ++i) {
        const Extended mid = (lo + hi) / 2;
        (excess(mid) > 0 ? hi : lo) = mid;
    }
    l.push_back(ChooseText("Equal risks β = α = ", "Lika risker β = α = ") +
                FormatF5(100 * d.alpha) + "% " + ChooseText("at x=", "vid x=") + FormatF5(hi));
    l.push_back(ChooseText("I.e. a sample at that x reads below the critical level with risk α",
                           "Dvs ett prov med det x-värdet ger y under den kritiska nivån med "
                           "risken α"));
    return rep;
}

ReportText StraightLineModel::OutlierReport() const {
    const std::string p = RiskText(level());
    ReportText rep{"Outliers",
                   {ChooseText("Outliers at " + p + " level", "Outliers på " + p + " nivån")}};
    const RegressionData& d = data();
    const int df = DegreesOfFreedom() - 1;  // the residual degrees of freedom without the point
    if (df < 1) {
        rep.lines.push_back(TooFew());
        return rep;
    }
    const Extended crit = TQuantile(df, (1 - level()) / 2);
    rep.lines.push_back(ChooseText("Studentized residual without the point: ",
                                   "Studentiserad residual utan punkten: ") +
                        "t=e/(s(i)·√(1-h)), t(" + std::to_string(df) + ")=" + FormatG4(crit));
    const std::vector<Extended> e = Residuals();
    const Extended ss = m_line.SSRes;
    bool any = false;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const Extended h = Leverage(d.x[i]);
        if (!(h < 1)) continue;  // the line passes through the point whatever its y
        const Extended rest = (ss - e[i] * e[i] / (1 - h)) / df;
        const Extended t = rest > 0 ? e[i] / std::sqrt(rest * (1 - h))
                                    : (e[i] == 0 ? 0 : std::copysign(INFINITY, e[i]));
        if (!(std::fabs(t) > crit)) continue;
        any = true;
        rep.lines.push_back(ChooseText("Point no: ", "Punkt nr: ") + d.PointName(i) +
                            "  x=" + d.XTexts[i] + "  y=" + d.YTexts[i] + "  t=" + FormatG4(t));
    }
    if (!any) rep.lines.push_back(ChooseText("No outliers..", "Inga outliers.."));
    return rep;
}

}  // namespace tabulon

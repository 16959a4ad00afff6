// The linearisable functions: the transformed least-squares line, its untransformed sums,
// the exponent search and the fitted model.
#include "regression/function_fit.h"

#include <algorithm>
#include <cmath>

#include "base/language.h"
#include "regression/regression_texts.h"

namespace tabulon {
namespace {

constexpr Extended kLogFloor = 1e-30L;

// The transformed value of one coordinate, or nullopt when it cannot be formed.
std::optional<Extended> LogOf(Extended v) {
    if (!(v > kLogFloor)) return std::nullopt;
    return std::log(v);
}

std::optional<Extended> PowerOf(Extended x, Extended n) {
    // x^n for n > 0 is 0 at x = 0: a blank at zero concentration takes part.
    if (x == 0 && n > 0) return Extended(0);
    if (!(x > kLogFloor)) return std::nullopt;
    return std::exp(n * std::log(x));
}

Extended Evaluate(const TFunctionFit& f, Extended x) {
    switch (f.Type) {
        case FunctionKind::Power:
            if (x == 0 && f.B > 0) return 0;
            return x > 0 ? f.A * std::pow(x, f.B) : NAN;
        case FunctionKind::Exponential:
            return f.A * std::exp(f.B * x);
        case FunctionKind::Logarithmic:
            return x > 0 ? f.A * std::log(x) + f.B : NAN;
        case FunctionKind::PowerOffset: {
            const auto u = PowerOf(x, f.Exponent);
            return u ? f.A * *u + f.B : NAN;
        }
    }
    return NAN;
}

// The point in the coordinates the fit is a line in, or nullopt when the fit leaves it out
// (x or y outside the logarithm's domain).
std::optional<std::pair<Extended, Extended>> Transformed(FunctionKind type, Extended exponent,
                                                         Extended x, Extended y) {
    std::optional<Extended> tu = x;
    std::optional<Extended> tv = y;
    switch (type) {
        case FunctionKind::Power:
            tu = LogOf(x);
            tv = LogOf(y);
            break;
        case FunctionKind::Exponential:
            tv = LogOf(y);
            break;
        case FunctionKind::Logarithmic:
            tu = LogOf(x);
            break;
        case FunctionKind::PowerOffset:
            tu = PowerOf(x, exponent);
            break;
    }
    if (!tu || !tv) return std::nullopt;
    return std::make_pair(*tu, *tv);
}

// The search's bounds and steps in thousandths of the exponent, so that no step drifts.
constexpr int kLowestMilli = 20;
constexpr int kHighestMilli = 3980;
constexpr int kSearchFitLimit = 450;

}  // namespace

std::string ComputeFunctionFit(const RegressionData& data, FunctionKind type, Extended exponent,
                               TFunctionFit& fit) {
    std::vector<Extended> u, v, y;
    std::vector<Extended> x;
    for (std::size_t i = 0; i < data.size(); ++i) {
        const auto t = Transformed(type, exponent, data.x[i], data.y[i]);
        if (!t) continue;
        const auto [tu, tv] = *t;
        u.push_back(tu);
        v.push_back(tv);
        x.push_back(data.x[i]);
        y.push_back(data.y[i]);
    }
    const std::size_t n = u.size();
    if (n < 2) return ChooseText("Too few valid data points", "För få giltiga datapunkter");
    // The line of the transformed points, by deviations about their means.
    Extended um = 0, vm = 0;
    for (std::size_t i = 0; i < n; ++i) {
        um += u[i];
        vm += v[i];
    }
    um /= n;
    vm /= n;
    Extended suu = 0, suv = 0;
    for (std::size_t i = 0; i < n; ++i) {
        suu += (u[i] - um) * (u[i] - um);
        suv += (u[i] - um) * (v[i] - vm);
    }
    if (!(suu > 0)) return ChooseText("Curve adaption cannot be made", "Kurvanpassningen kan ej utföras");
    const Extended slope = suv / suu;
    const Extended intercept = vm - slope * um;
    TFunctionFit f;
    f.Type = type;
    f.Exponent = exponent;
    if (type == FunctionKind::Power || type == FunctionKind::Exponential) {
        f.A = std::exp(intercept);
        f.B = slope;
    } else {
        f.A = slope;
        f.B = intercept;
    }
    f.N = static_cast<Extended>(n);
    for (Extended yi : y) f.YMean += yi;
    f.YMean /= f.N;
    for (std::size_t i = 0; i < n; ++i) {
        const Extended fit_y = Evaluate(f, x[i]);
        f.SSCor += (y[i] - f.YMean) * (y[i] - f.YMean);
        if (std::isfinite(fit_y)) {
            f.SSFac += (fit_y - f.YMean) * (fit_y - f.YMean);
            f.SSRes += (y[i] - fit_y) * (y[i] - fit_y);
        }
    }
    // 1 − SSRes/SSCor: for the line in x^n the same as SSFac/SSCor; for the fits made on ln y
    // SSFac/SSCor can pass 1 while the curve misses the points.
    f.RSquared = f.SSCor > 0 ? std::clamp<Extended>(1 - f.SSRes / f.SSCor, 0, 1) : 0;
    fit = f;
    return {};
}

std::optional<Extended> SearchExponent(const RegressionData& data,
                                       const std::function<bool()>& cancelled,
                                       const std::function<void(int)>& progress) {
    int fits = 0;
    auto r2 = [&](int milli) -> std::optional<Extended> {
        ++fits;
        if (progress && fits % 10 == 0) progress(std::min(99, fits * 100 / kSearchFitLimit));
        TFunctionFit f;
        if (!ComputeFunctionFit(data, FunctionKind::PowerOffset, milli / 1000.0L, f).empty()) {
            return std::nullopt;
        }
        return f.RSquared;
    };
    auto stop = [&] { return cancelled && cancelled(); };
    int best = 1000;
    const auto first = r2(best);
    if (!first) return std::nullopt;
    Extended best_r2 = *first;
    for (const int size : {10, 1}) {
        // The direction: up when one step up does not lower r², else down.
        if (stop()) return std::nullopt;
        const int up_at = best + size;
        const auto up = r2(up_at);
        int step = up && *up >= best_r2 ? size : -size;
        while (fits < kSearchFitLimit) {
            if (stop()) return std::nullopt;
            const int next = best + step;
            if (next <= kLowestMilli || next >= kHighestMilli) break;
            const auto r = next == up_at ? up : r2(next);
            if (!r || !(*r > best_r2)) break;
            best = next;
            best_r2 = *r;
        }
    }
    if (progress) progress(100);
    return best / 1000.0L;
}

FunctionModel::FunctionModel(std::shared_ptr<const RegressionData> data, FitSpec spec,
                             const TFunctionFit& fit)
    : FittedModel(std::move(data), spec), m_fit(fit) {
    if (m_fit.N > 2) m_s = std::sqrt(m_fit.SSRes / (m_fit.N - 2));
}

std::vector<Extended> FunctionModel::Residuals() const {
    const RegressionData& d = data();
    std::vector<Extended> e(d.size());
    for (std::size_t i = 0; i < d.size(); ++i) {
        const bool used = Transformed(m_fit.Type, m_fit.Exponent, d.x[i], d.y[i]).has_value();
        e[i] = used ? d.y[i] - ValueAt(d.x[i]) : NAN;
    }
    return e;
}

int FunctionModel::DegreesOfFreedom() const {
    return static_cast<int>(m_fit.N) - 2;
}

std::string FunctionModel::Name() const {
    switch (m_fit.Type) {
        case FunctionKind::Power:
            return "y=ax^b";
        case FunctionKind::Exponential:
            return "y=ae^(bx)";
        case FunctionKind::Logarithmic:
            return "y=alnx+b";
        case FunctionKind::PowerOffset:
            return "y=ax^n+b";
    }
    return {};
}

Extended FunctionModel::ValueAt(Extended x) const {
    return Evaluate(m_fit, x);
}

XFromYResult FunctionModel::XFromY(Extended y, int) const {
    XFromYResult out;
    const TFunctionFit& f = m_fit;
    Extended x = NAN;
    switch (f.Type) {
        case FunctionKind::Power:
            if (f.A != 0 && f.B != 0 && y / f.A > 0) x = std::pow(y / f.A, 1 / f.B);
            break;
        case FunctionKind::Exponential:
            if (f.A != 0 && f.B != 0 && y / f.A > 0) x = std::log(y / f.A) / f.B;
            break;
        case FunctionKind::Logarithmic:
            if (f.A != 0) x = std::exp((y - f.B) / f.A);
            break;
        case FunctionKind::PowerOffset:
            if (f.A != 0 && (y - f.B) / f.A >= 0) x = std::pow((y - f.B) / f.A, 1 / f.Exponent);
            break;
    }
    if (!std::isfinite(x)) {
        out.message = ChooseText("Impossible.", "Går ej.");
        return out;
    }
    out.ok = true;
    out.x = x;
    return out;
}

std::string FunctionModel::EquationText() const {
    std::string text = "a=" + FormatG4(m_fit.A) + "  b=" + FormatG4(m_fit.B);
    if (m_fit.Type == FunctionKind::PowerOffset) text += "  n=" + FormatG4(m_fit.Exponent);
    return text;
}

std::string FunctionModel::StatusLine() const {
    Extended ss = 0;
    for (Extended e : Residuals()) {
        if (std::isfinite(e)) ss += e * e;
    }
    return "r²=" + FormatG4(m_fit.RSquared) + "    n = " +
           std::to_string(static_cast<long long>(m_fit.N)) + "    Sy=" + FormatG4(m_s) +
           "   RMS=" + FormatG4(std::sqrt(ss / m_fit.N));
}

bool FunctionModel::Supports(RegressionItem item) const {
    switch (item) {
        case RegressionItem::Function:
        case RegressionItem::YFromX:
        case RegressionItem::XFromY:
        case RegressionItem::Residuals:
        case RegressionItem::Parameters:
        case RegressionItem::Rms:
            return true;
        default:
            return false;
    }
}

std::optional<ReportText> FunctionModel::Report(RegressionItem item) const {
    auto num = [](Extended v) { return FormatReportNumber(v); };
    switch (item) {
        case RegressionItem::Residuals:
            return ResidualListReport(*this);
        case RegressionItem::Rms:
            return RmsReport(*this);
        case RegressionItem::Parameters: {
            ReportText rep{ChooseText("Regression parameters", "Regressionsparametrar"), {}};
            rep.lines = {Name(), "a=" + num(m_fit.A), "b=" + num(m_fit.B)};
            if (m_fit.Type == FunctionKind::PowerOffset) rep.lines.push_back("n=" + num(m_fit.Exponent));
            rep.lines.push_back("r2=" + num(m_fit.RSquared));
            rep.lines.push_back("ymed=" + num(m_fit.YMean));
            rep.lines.push_back("SSr=" + num(m_fit.SSRes));
            rep.lines.push_back("SScor=" + num(m_fit.SSCor));
            rep.lines.push_back("SSfac=" + num(m_fit.SSFac));
            rep.lines.push_back(ChooseText("valid points n=", "giltiga punkter n=") + num(m_fit.N));
            rep.lines.push_back("sB=" + num(m_s));
            return rep;
        }
        default:
            return std::nullopt;
    }
}

std::vector<std::pair<std::string, Extended>> FunctionModel::Values() const {
    std::vector<std::pair<std::string, Extended>> v = {
        {"n", m_fit.N},          {"a", m_fit.A},         {"b", m_fit.B},
        {"r2", m_fit.RSquared},  {"s", m_s},             {"y_mean", m_fit.YMean},
        {"ss_res", m_fit.SSRes}, {"ss_cor", m_fit.SSCor}, {"ss_fac", m_fit.SSFac}};
    if (m_fit.Type == FunctionKind::PowerOffset) v.push_back({"exponent", m_fit.Exponent});
    return v;
}

FitOutcome FitNamedFunction(std::shared_ptr<const RegressionData> data, const FitSpec& spec) {
    FitSpec fitted = spec;
    if (spec.function == FunctionKind::PowerOffset && !spec.exponent) {
        fitted.exponent = SearchExponent(*data, {}, {});
        if (!fitted.exponent) {
            TFunctionFit f;
            std::string refusal = ComputeFunctionFit(*data, FunctionKind::PowerOffset, 1, f);
            return {nullptr, refusal.empty() ? ChooseText("Curve adaption cannot be made",
                                                          "Kurvanpassningen kan ej utföras")
                                             : refusal};
        }
    }
    TFunctionFit f;
    std::string refusal = ComputeFunctionFit(*data, spec.function, fitted.exponent.value_or(1), f);
    if (!refusal.empty()) return {nullptr, std::move(refusal)};
    return {std::make_unique<FunctionModel>(std::move(data), fitted, f), {}};
}

}  // namespace tabulon

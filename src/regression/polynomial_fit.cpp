// The polynomial and own-function fits: the scaled design, its QR solve, the coefficients in
// powers of x, the bands, x(y), the detection limits and the curvature test.
#include "regression/polynomial_fit.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "base/language.h"
#include "graphs/number_formats.h"
#include "numeric/number_text.h"
#include "numeric/t_distribution.h"
#include "regression/regression_texts.h"

namespace tabulon {
namespace {

std::string TooFewPoints() {
    return ChooseText("Too few data points", "För få datapunkter");
}

std::string G5(Extended v) {
    if (!std::isfinite(v)) return FormatG4(v);
    return FormatGeneral(v, 5, 2, DecimalSeparator());
}

Extended Binomial(int n, int k) {
    Extended c = 1;
    for (int i = 1; i <= k; ++i) c = c * (n - k + i) / i;
    return c;
}

// Σ of terms with a running compensation, so that the large alternating terms of the
// change from t to x lose no more than the last digit.
struct CompensatedSum {
    Extended sum = 0;
    Extended carry = 0;
    void Add(Extended v) {
        const Extended y = v - carry;
        const Extended t = sum + y;
        carry = (t - sum) - y;
        sum = t;
    }
};

// The bisection and scan of Root: enough to pin a root to the last digit of an 80-bit
// number over any range, and a bound on the work.
constexpr int kRootScanSteps = 400;
constexpr int kRootBisections = 200;

}  // namespace

const std::array<const char*, kOwnTermCount>& OwnTermNames() {
    static const std::array<const char*, kOwnTermCount> names = {
        "1",      "x",      "x²",     "x^3",    "x^4",    "1/x",   "1/x²",     "1/x^3",
        "1/x^4", "sin(x)", "cos(x)", "tan(x)", "exp(x)", "ln(x)", "1/(1+x)", "1/(1+x²)"};
    return names;
}

Extended OwnTermValue(int term, Extended x) {
    const Extended nan = NAN;
    switch (term) {
        case 0: return 1;
        case 1: return x;
        case 2: return x * x;
        case 3: return x * x * x;
        case 4: return x * x * x * x;
        case 5: return x != 0 ? 1 / x : nan;
        case 6: return x != 0 ? 1 / (x * x) : nan;
        case 7: return x != 0 ? 1 / (x * x * x) : nan;
        case 8: return x != 0 ? 1 / (x * x * x * x) : nan;
        case 9: return std::sin(x);
        case 10: return std::cos(x);
        case 11: return std::cos(x) != 0 ? std::tan(x) : nan;
        case 12: return std::exp(x);
        case 13: return x > 0 ? std::log(x) : nan;
        case 14: return x != -1 ? 1 / (1 + x) : nan;
        case 15: return 1 / (1 + x * x);
        default: return nan;
    }
}

CurveModel::CurveModel(std::shared_ptr<const RegressionData> data, FitSpec spec)
    : FittedModel(std::move(data), spec),
      m_basis(spec.type == FitType::OwnFunction ? Basis::OwnTerms : Basis::Polynomial) {}

Extended CurveModel::WeightExponent() const {
    switch (spec().weight) {
        case PolynomialWeight::InverseX:
        case PolynomialWeight::InverseY:
            return 0.5L;
        case PolynomialWeight::InverseX2:
        case PolynomialWeight::InverseY2:
            return 1;
        case PolynomialWeight::None:
            break;
    }
    return 0;
}

bool CurveModel::WeightOnY() const {
    return spec().weight == PolynomialWeight::InverseY ||
           spec().weight == PolynomialWeight::InverseY2;
}

std::vector<Extended> CurveModel::Row(Extended x) const {
    std::vector<Extended> row;
    if (m_basis == Basis::OwnTerms) {
        for (int term : m_terms) row.push_back(OwnTermValue(term, x));
        return row;
    }
    const Extended t = (x - m_centre) / m_half_range;
    Extended power = 1;
    for (int j = 0; j <= m_fit.Degree; ++j) {
        if (j >= m_first_power) row.push_back(power);
        power *= t;
    }
    return row;
}

Extended CurveModel::ValueAt(Extended x) const {
    const std::vector<Extended> row = Row(x);
    Extended y = 0;
    for (std::size_t j = 0; j < row.size() && j < m_b.size(); ++j) y += m_b[j] * row[j];
    return y;
}

Extended CurveModel::WeightAt(Extended x) const {
    const Extended e = WeightExponent();
    if (e == 0) return 1;
    const Extended base = (WeightOnY() ? ValueAt(x) : x) + spec().weight_offset;
    if (!(base > 0)) return INFINITY;
    return std::pow(base, -2 * e) / m_raw_weight_mean;
}

std::string CurveModel::Compute() {
    const RegressionData& d = data();
    const std::size_t n = d.size();
    if (n == 0) return TooFewPoints();
    const auto [lo, hi] = std::minmax_element(d.x.begin(), d.x.end());
    m_xmin = *lo;
    m_xmax = *hi;
    int p = 0;
    if (m_basis == Basis::Polynomial) {
        const int degree = std::min(spec().degree, 10);
        if (degree < 1) return ChooseText("Impossible.", "Går ej.");
        m_fit.Degree = degree;
        m_first_power = spec().through_origin ? 1 : 0;
        p = degree + 1 - m_first_power;
        if (n <= static_cast<std::size_t>(degree)) return TooFewPoints();
        // N > d is not enough: a polynomial of degree d needs d + 1 distinct x (d non-zero
        // ones through the origin), or its system has no unique solution.
        std::set<Extended> distinct;
        for (Extended x : d.x) {
            if (!(m_first_power == 1 && x == 0)) distinct.insert(x);
        }
        if (distinct.size() < static_cast<std::size_t>(p)) return TooFewPoints();
        if (m_first_power == 0) {
            m_centre = (m_xmin + m_xmax) / 2;
            m_half_range = (m_xmax - m_xmin) / 2;
        } else {
            m_half_range = std::max(std::fabs(m_xmin), std::fabs(m_xmax));
        }
        if (!(m_half_range > 0)) m_half_range = 1;
    } else {
        for (int j = 0; j < kOwnTermCount; ++j) {
            if (spec().terms & (1u << j)) m_terms.push_back(j);
        }
        p = static_cast<int>(m_terms.size());
        if (p == 0) return ChooseText("Impossible. Determinant=0", "Går ej. Determinanten=0");
        if (n < static_cast<std::size_t>(p)) return TooFewPoints();
        for (std::size_t i = 0; i < n; ++i) {
            for (int term : m_terms) {
                if (!std::isfinite(OwnTermValue(term, d.x[i]))) {
                    return ChooseText("The term ", "Termen ") + OwnTermNames()[term] +
                           ChooseText(" cannot be computed at x=", " kan ej beräknas för x=") +
                           d.XTexts[i];
                }
            }
        }
    }

    // Raw weights 1/(v + c)^(2e), normalised to mean 1 so that S2 stays in y units.
    std::vector<Extended> w(n, 1);
    const Extended e = WeightExponent();
    if (e > 0) {
        Extended sum = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const Extended base = (WeightOnY() ? d.y[i] : d.x[i]) + spec().weight_offset;
            if (!(base > 0)) {
                return WeightOnY() ? ChooseText("Neg or zero y-value(s)", "Neg. eller noll y-värde(n)")
                                   : ChooseText("Neg or zero x-value(s)", "Neg. eller noll x-värde(n)");
            }
            w[i] = std::pow(base, -2 * e);
            sum += w[i];
        }
        m_raw_weight_mean = sum / static_cast<Extended>(n);
        for (Extended& v : w) v /= m_raw_weight_mean;
    }

    std::vector<Extended> design;
    design.reserve(n * p);
    std::vector<Extended> yw(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Extended root = std::sqrt(w[i]);
        for (Extended v : Row(d.x[i])) design.push_back(v * root);
        yw[i] = d.y[i] * root;
    }
    m_qr.emplace(design, yw, p);
    if (!m_qr->FullRank()) {
        return m_basis == Basis::Polynomial
                   ? TooFewPoints()
                   : ChooseText("Impossible. Determinant=0", "Går ej. Determinanten=0");
    }
    m_b = m_qr->Coefficients();

    // The sums, weighted (all weights 1 when unweighted).
    const bool constant = m_basis == Basis::Polynomial ? m_first_power == 0 : (spec().terms & 1u);
    const Extended N = static_cast<Extended>(n);
    Extended ymean = 0;
    Extended xmean = 0;
    for (std::size_t i = 0; i < n; ++i) {
        ymean += w[i] * d.y[i];
        xmean += d.x[i];
    }
    ymean /= N;
    xmean /= N;
    const Extended ref = constant ? ymean : 0;
    Extended ss_cor = 0, ss_fac = 0, ss_res = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Extended fit = ValueAt(d.x[i]);
        ss_cor += w[i] * (d.y[i] - ref) * (d.y[i] - ref);
        ss_fac += w[i] * (fit - ref) * (fit - ref);
        ss_res += w[i] * (d.y[i] - fit) * (d.y[i] - fit);
    }
    const int df = static_cast<int>(n) - p;
    const int df_reg = constant ? p - 1 : p;
    m_fit.N = N;
    m_fit.XMean = xmean;
    m_fit.YMean = ymean;
    m_fit.SSCor = ss_cor;
    m_fit.SSFac = ss_fac;
    m_fit.SSRes = ss_res;
    // 1 − SSRes/SSCor rather than SSFac/SSCor: the same for a least-squares fit with a
    // constant, but never above 1 by rounding, and meaningful without a constant.
    m_fit.RSquared = ss_cor > 0 ? std::clamp<Extended>(1 - ss_res / ss_cor, 0, 1) : 0;
    m_fit.S2 = df > 0 ? ss_res / df : 0;
    m_s = std::sqrt(m_fit.S2);
    m_fit.F = df_reg > 0 && m_fit.S2 > 0 ? ss_fac / df_reg / m_fit.S2
                                         : (ss_fac > 0 && df_reg > 0 ? INFINITY : 0);

    // The coefficients in powers of x: with t = (x − c)/h, b_j·t^j = b_j/h^j·Σ C(j,k)x^k(−c)^(j−k),
    // so a = T·b; their covariance is T·Cov(b)·Tᵀ.
    const std::vector<Extended> cov = m_qr->Inverse();
    if (m_basis == Basis::Polynomial) {
        const int dg = m_fit.Degree;
        std::vector<std::vector<Extended>> T(dg + 1, std::vector<Extended>(p, 0));
        for (int j = 0; j < p; ++j) {
            const int power = j + m_first_power;
            for (int k = 0; k <= power; ++k) {
                T[k][j] = Binomial(power, k) * std::pow(-m_centre, power - k) /
                          std::pow(m_half_range, power);
            }
        }
        m_coef.assign(dg + 1, 0);
        m_cdiag.assign(dg + 1, 0);
        for (int k = 0; k <= dg; ++k) {
            CompensatedSum a;
            for (int j = 0; j < p; ++j) a.Add(T[k][j] * m_b[j]);
            m_coef[k] = a.sum;
            if (k < m_first_power) continue;
            CompensatedSum c;
            for (int i = 0; i < p; ++i) {
                for (int j = 0; j < p; ++j) c.Add(T[k][i] * cov[i * p + j] * T[k][j]);
            }
            m_cdiag[k] = c.sum;
        }
        for (int k = 0; k <= dg; ++k) m_fit.Coefficients[k] = m_coef[k];
    } else {
        m_coef = m_b;
        m_cdiag.resize(p);
        for (int j = 0; j < p; ++j) m_cdiag[j] = cov[j * p + j];
    }
    m_fit.CDiag = m_cdiag;
    if (spec().curvature && m_basis == Basis::Polynomial && m_fit.Degree == 2 &&
        m_first_power == 0) {
        ComputeCurvature();
    }
    return {};
}

CurvatureTest CurvatureVerdict(Extended t, int df) {
    CurvatureTest out;
    out.t = t;
    out.df = df;
    if (df < 1) {
        out.alpha = NAN;
        out.verdict = ChooseText("   Curvature not tested: no degrees of freedom",
                                 "   Kurvaturen ej testad: inga frihetsgrader");
        return out;
    }
    // The level in whole thousandths, so that 0.1 − 99·0.001 + 0.001 is 0.1 again and the
    // last comparison cannot fail by rounding.
    int milli = 100;
    Extended tcrit = TQuantile(df, milli / 2000.0L);
    while (std::fabs(t) >= tcrit && milli > 1) {
        --milli;
        tcrit = TQuantile(df, milli / 2000.0L);
    }
    if (!(std::fabs(t) >= tcrit)) ++milli;
    out.alpha = milli / 1000.0L;
    out.significant = milli <= 100;
    out.verdict = out.significant
                      ? ChooseText("   significant curvature at ", "   signifikant kurvatur på ") +
                            FormatGeneral(milli / 10.0L, 4, 2, DecimalSeparator()) +
                            ChooseText("% level", "% nivån")
                      : ChooseText("   No significant curvature under 10% level",
                                   "   Ingen signifikant kurvatur under 10% nivån");
    return out;
}

void CurveModel::ComputeCurvature() {
    const Extended a2 = m_coef[2];
    const int df = DegreesOfFreedom();
    Extended t = 0;
    const Extended var = m_fit.S2 * m_cdiag[2];
    // Noise-free data leave only rounding in S2 and a2, and their ratio means nothing: then
    // the verdict is whether the square term bends the curve visibly over the data.
    if (m_fit.S2 <= 1e-26L * m_fit.SSCor / m_fit.N || !(var > 0)) {
        Extended ylo = data().y.front(), yhi = ylo;
        for (Extended y : data().y) {
            ylo = std::min(ylo, y);
            yhi = std::max(yhi, y);
        }
        const Extended bend = std::fabs(a2) * m_half_range * m_half_range;
        const Extended span = std::max(yhi - ylo, std::fabs(m_fit.YMean));
        t = bend > 1e-12L * span ? (a2 > 0 ? INFINITY : -INFINITY) : 0;
    } else {
        t = a2 / std::sqrt(var);
    }
    m_curvature = CurvatureVerdict(t, df);
}

int CurveModel::DegreesOfFreedom() const {
    return static_cast<int>(data().size()) - static_cast<int>(m_b.size());
}

std::vector<std::string> CurveModel::CoefficientLabels() const {
    std::vector<std::string> labels;
    for (std::size_t j = 0; j < m_coef.size(); ++j) {
        labels.push_back("a" + std::to_string(m_basis == Basis::Polynomial ? j : j + 1));
    }
    return labels;
}

std::string CurveModel::Name() const {
    if (m_basis == Basis::OwnTerms) {
        std::string text = "y=f(x)=";
        for (std::size_t j = 0; j < m_terms.size(); ++j) {
            if (j) text += " + ";
            text += "a" + std::to_string(j + 1) + "·" + OwnTermNames()[m_terms[j]];
        }
        return text;
    }
    std::string text = ChooseText("Polynomial of degree ", "Polynom av graden ") +
                       std::to_string(spec().degree);
    if (spec().through_origin) text += ChooseText(", through the origin", ", genom origo");
    return text;
}

Extended CurveModel::CurveVariance(Extended x) const {
    if (!m_qr) return 0;
    return m_fit.S2 * m_qr->QuadraticForm(Row(x));
}

Extended CurveModel::PointVariance(Extended x) const {
    const Extended w = WeightAt(x);
    return std::isfinite(w) ? m_fit.S2 / w : 0;
}

std::optional<BandHalfWidths> CurveModel::BandsAt(Extended x) const {
    const Extended curve = CurveVariance(x);
    if (!std::isfinite(curve)) return std::nullopt;
    return BandHalfWidths{TFactor() * std::sqrt(curve),
                          TFactor() * std::sqrt(curve + PointVariance(x))};
}

std::optional<Extended> CurveModel::Root(Extended y, Extended from, Extended to) const {
    if (!(to > from)) return std::nullopt;
    auto f = [&](Extended x) { return ValueAt(x) - y; };
    Extended a = from;
    Extended fa = f(a);
    for (int step = 1; step <= kRootScanSteps; ++step) {
        const Extended b = from + (to - from) * step / kRootScanSteps;
        const Extended fb = f(b);
        if (fa == 0 && std::isfinite(fa)) return a;
        if (std::isfinite(fa) && std::isfinite(fb) && (fa < 0) != (fb < 0)) {
            Extended lo = a, hi = b, flo = fa;
            for (int i = 0; i < kRootBisections && hi - lo > 0; ++i) {
                const Extended mid = lo + (hi - lo) / 2;
                if (mid <= lo || mid >= hi) break;
                const Extended fm = f(mid);
                if (fm == 0) return mid;
                if ((fm < 0) == (flo < 0)) {
                    lo = mid;
                    flo = fm;
                } else {
                    hi = mid;
                }
            }
            return lo + (hi - lo) / 2;
        }
        a = b;
        fa = fb;
    }
    if (fa == 0) return a;
    return std::nullopt;
}

XFromYResult CurveModel::XFromY(Extended y, int replicates) const {
    XFromYResult out;
    const auto x = Root(y, m_xmin, m_xmax);
    if (!x) {
        out.message = ChooseText("No x within the data's range gives y=",
                                 "Inget x inom datas område ger y=") +
                      FormatG4(y);
        return out;
    }
    out.ok = true;
    out.x = *x;
    const Extended h = (m_xmax - m_xmin) * 1e-6L;
    const Extended slope = (ValueAt(*x + h) - ValueAt(*x - h)) / (2 * h);
    if (slope != 0 && std::isfinite(slope) && DegreesOfFreedom() >= 1) {
        const Extended m = replicates < 1 ? 1 : replicates;
        out.half_width =
            TFactor() / std::fabs(slope) * std::sqrt(PointVariance(*x) / m + CurveVariance(*x));
    }
    return out;
}

std::optional<DetectionLimits> CurveModel::Limits() const {
    if (m_basis != Basis::Polynomial) return std::nullopt;
    // s of a blank: where the weighting leaves no spread at x = 0 (1/x, 1/x²), that of the
    // lowest standard instead, or every LOD would be 0.
    Extended x_ref = 0;
    if (!(PointVariance(0) > 0) && WeightExponent() > 0) {
        x_ref = m_xmax;
        for (Extended x : data().x) {
            if (x > 0) x_ref = std::min(x_ref, x);
        }
    }
    DetectionLimits l;
    l.sy = std::sqrt(PointVariance(x_ref));
    const Extended y0 = ValueAt(0);
    const Extended from = std::min<Extended>(0, m_xmin);
    l.lod_y = y0 + 3 * l.sy;
    l.loq_y = y0 + 10 * l.sy;
    l.lod_x = Root(l.lod_y, from, m_xmax).value_or(0);
    l.loq_x = Root(l.loq_y, from, m_xmax).value_or(0);
    return l;
}

ReportText CurveModel::LimitReport(bool lod) const {
    ReportText rep{lod ? ChooseText("Detection limit at 3*s", "Detektionsgräns vid 3*s")
                       : ChooseText("Limit of quantification at 10*s",
                                    "Kvantifieringsgräns vid 10*s"),
                   {}};
    const DetectionLimits l = *Limits();
    const Extended x = lod ? l.lod_x : l.loq_x;
    if (!(x > 0)) {
        rep.lines.push_back("Error! (<=0)");
        return rep;
    }
    const std::string name = lod ? "LOD" : "LOQ";
    rep.lines.push_back(name + "(x)=" + G5(x));
    rep.lines.push_back(name + "(y)=" + G5(lod ? l.lod_y : l.loq_y));
    rep.lines.push_back("sy =" + G5(l.sy));
    return rep;
}

std::string CurveModel::EquationText() const {
    const bool df = DegreesOfFreedom() >= 1;
    const std::vector<std::string> labels = CoefficientLabels();
    std::string text;
    for (std::size_t k = 0; k < m_coef.size(); ++k) {
        if (m_basis == Basis::Polynomial && static_cast<int>(k) < m_first_power) continue;
        const Extended h = df ? TFactor() * std::sqrt(m_fit.S2 * m_cdiag[k]) : 0;
        if (!text.empty()) text += "  ";
        text += labels[k] + "=" + FormatG4(m_coef[k]) + "±" + FormatG4(h);
    }
    return text;
}

std::string CurveModel::StatusLine() const {
    Extended ss = 0;
    for (Extended e : Residuals()) ss += e * e;
    const Extended n = static_cast<Extended>(data().size());
    std::string text = "r²=" + FormatG4(m_fit.RSquared) + "    n = " +
                       std::to_string(data().size()) + "    Sy=" + FormatG4(m_s) +
                       "   RMS=" + FormatG4(std::sqrt(ss / n));
    static const char* const weights[] = {"", "1/x", "1/x²", "1/y", "1/y²"};
    if (spec().weight != PolynomialWeight::None) {
        text += ChooseText("  curve weighted by ", "  kurvan viktad med ") +
                weights[static_cast<int>(spec().weight)];
    }
    if (m_curvature) text += m_curvature->verdict;
    return text;
}

bool CurveModel::Supports(RegressionItem item) const {
    switch (item) {
        case RegressionItem::Function:
        case RegressionItem::Bands:
        case RegressionItem::YFromX:
        case RegressionItem::XFromY:
        case RegressionItem::Residuals:
        case RegressionItem::Parameters:
        case RegressionItem::Rms:
            return true;
        case RegressionItem::Lod:
        case RegressionItem::Loq:
        case RegressionItem::LodLoqMarks:
            return m_basis == Basis::Polynomial;
        default:
            return false;
    }
}

std::optional<ReportText> CurveModel::Report(RegressionItem item) const {
    if (!Supports(item)) return std::nullopt;
    switch (item) {
        case RegressionItem::Residuals:
            return ResidualListReport(*this);
        case RegressionItem::Rms:
            return RmsReport(*this);
        case RegressionItem::Parameters:
            return ParametersReport();
        case RegressionItem::Lod:
            return LimitReport(true);
        case RegressionItem::Loq:
            return LimitReport(false);
        default:
            return std::nullopt;
    }
}

ReportText CurveModel::ParametersReport() const {
    auto num = [](Extended v) { return FormatReportNumber(v); };
    ReportText rep{ChooseText("Regression parameters", "Regressionsparametrar"), {}};
    auto& l = rep.lines;
    l.push_back(Name());
    const std::vector<std::string> labels = CoefficientLabels();
    for (std::size_t k = 0; k < m_coef.size(); ++k) {
        if (m_basis == Basis::Polynomial && static_cast<int>(k) < m_first_power) continue;
        l.push_back(labels[k] + "=" + num(m_coef[k]) + "   s=" +
                    num(std::sqrt(m_fit.S2 * m_cdiag[k])));
    }
    l.push_back("r2=" + num(m_fit.RSquared));
    l.push_back("xmed=" + num(m_fit.XMean));
    l.push_back("ymed=" + num(m_fit.YMean));
    l.push_back("SSr=" + num(m_fit.SSRes));
    l.push_back("SScor=" + num(m_fit.SSCor));
    l.push_back("SSfac=" + num(m_fit.SSFac));
    l.push_back("n=" + std::to_string(data().size()));
    l.push_back("F=" + num(m_fit.F));
    l.push_back("sB=" + num(m_s));
    const int df = DegreesOfFreedom();
    if (df < 1) return rep;
    // The t test of the last coefficient: whether the highest power (or last term) earns
    // its place.
    const std::size_t k = m_coef.size() - 1;
    const Extended s = std::sqrt(m_fit.S2 * m_cdiag[k]);
    const Extended t = s > 0 ? std::fabs(m_coef[k]) / s : INFINITY;
    l.emplace_back();
    l.push_back(labels[k] + ": s=" + FormatG4(s) + "  t=" + FormatG4(t) +
                (t > TFactor() ? " > " : " < ") + "t(" + std::to_string(df) +
                ")=" + FormatG4(TFactor()));
    return rep;
}

std::vector<std::pair<std::string, Extended>> CurveModel::Values() const {
    std::vector<std::pair<std::string, Extended>> v = {
        {"n", m_fit.N},
        {"r2", m_fit.RSquared},
        {"s", m_s},
        {"s2", m_fit.S2},
        {"f", m_fit.F},
        {"df", static_cast<Extended>(DegreesOfFreedom())},
        {"t_factor", TFactor()},
        {"level", 100 * level()},
        {"x_mean", m_fit.XMean},
        {"y_mean", m_fit.YMean},
        {"ss_res", m_fit.SSRes},
        {"ss_cor", m_fit.SSCor},
        {"ss_fac", m_fit.SSFac}};
    if (m_basis == Basis::Polynomial) v.push_back({"degree", static_cast<Extended>(m_fit.Degree)});
    return v;
}

namespace {
FitOutcome FitCurve(std::shared_ptr<const RegressionData> data, const FitSpec& spec) {
    auto model = std::make_unique<CurveModel>(std::move(data), spec);
    std::string refusal = model->Compute();
    if (!refusal.empty()) return {nullptr, std::move(refusal)};
    return {std::move(model), {}};
}
}  // namespace

FitOutcome FitPolynomial(std::shared_ptr<const RegressionData> data, const FitSpec& spec) {
    return FitCurve(std::move(data), spec);
}

FitOutcome FitOwnFunction(std::shared_ptr<const RegressionData> data, const FitSpec& spec) {
    return FitCurve(std::move(data), spec);
}

}  // namespace tabulon

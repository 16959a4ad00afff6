// The weighted lines: grouping replicates, the normalised weighted fit, its bands and texts.
#include "regression/weighted_line.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

#include "base/language.h"
#include "regression/regression_texts.h"

namespace tabulon {
namespace {

std::string CannotFit() {
    return ChooseText("Curve adaption cannot be made", "Kurvanpassningen kan ej utföras");
}

}  // namespace

WeightedLineModel::WeightedLineModel(std::shared_ptr<const RegressionData> data, FitSpec spec,
                                     std::vector<WeightedPoint> points)
    : FittedModel(std::move(data), spec), m_points(std::move(points)) {
    m_m = static_cast<Extended>(m_points.size());
    for (const WeightedPoint& p : m_points) m_weight_sum += p.n / p.v;
    auto w = [&](const WeightedPoint& p) { return p.n / p.v * m_m / m_weight_sum; };
    for (const WeightedPoint& p : m_points) {
        m_xw += w(p) * p.x;
        m_yw += w(p) * p.y;
        m_marked_x.push_back(p.x);
        m_marked_y.push_back(p.y);
    }
    m_xw /= m_m;
    m_yw /= m_m;
    for (const WeightedPoint& p : m_points) {
        const Extended dx = p.x - m_xw;
        const Extended dy = p.y - m_yw;
        m_Sxx += w(p) * dx * dx;
        m_Sxy += w(p) * dx * dy;
        m_Syy += w(p) * dy * dy;
    }
    m_K = m_Sxy / m_Sxx;
    m_L = m_yw - m_K * m_xw;
    for (const WeightedPoint& p : m_points) {
        const Extended e = p.y - ValueAt(p.x);
        m_SSRes += w(p) * e * e;
    }
    m_r2 = m_Syy > 0 ? m_Sxy * m_Sxy / (m_Sxx * m_Syy) : 0;
    if (m_m - 2 > 0.5L) m_sw = std::sqrt(m_SSRes / (m_m - 2));
}

int WeightedLineModel::DegreesOfFreedom() const {
    return static_cast<int>(m_points.size()) - 2;
}

std::string WeightedLineModel::WeightNote() const {
    return ChooseText("  curve weighted by ", "  kurvan viktad med ") +
           (spec().type == FitType::WeightedInverseX ? std::string("1/x") : std::string("n/s²"));
}

std::string WeightedLineModel::Name() const {
    return spec().type == FitType::WeightedInverseX
               ? ChooseText("Line y=kx+l, weighted 1/x", "Linjen y=kx+l, viktad 1/x")
               : ChooseText("Line y=kx+l, weighted with multiple y values",
                            "Linjen y=kx+l, viktad med multipla y-värden");
}

std::span<const Extended> WeightedLineModel::MarkedX() const {
    if (spec().type == FitType::WeightedMultipleY) return m_marked_x;
    return data().x;
}

std::span<const Extended> WeightedLineModel::MarkedY() const {
    if (spec().type == FitType::WeightedMultipleY) return m_marked_y;
    return data().y;
}

Extended WeightedLineModel::RelativeVariance(Extended x) const {
    if (spec().type == FitType::WeightedInverseX) return std::max<Extended>(x, 0);
    // Between the levels the spread is interpolated; beyond them the end level's is kept.
    if (x <= m_points.front().x) return m_points.front().v;
    if (x >= m_points.back().x) return m_points.back().v;
    auto it = std::lower_bound(m_points.begin(), m_points.end(), x,
                               [](const WeightedPoint& p, Extended v) { return p.x < v; });
    const WeightedPoint& b = *it;
    const WeightedPoint& a = *(it - 1);
    return a.v + (b.v - a.v) * (x - a.x) / (b.x - a.x);
}

Extended WeightedLineModel::LineVariance(Extended x) const {
    return m_sw * m_sw * (1 / m_m + (x - m_xw) * (x - m_xw) / m_Sxx);
}

Extended WeightedLineModel::PointVariance(Extended x) const {
    return m_sw * m_sw * RelativeVariance(x) * m_weight_sum / m_m;
}

std::optional<BandHalfWidths> WeightedLineModel::BandsAt(Extended x) const {
    const Extended line = LineVariance(x);
    return BandHalfWidths{TFactor() * std::sqrt(line),
                          TFactor() * std::sqrt(line + PointVariance(x))};
}

XFromYResult WeightedLineModel::XFromY(Extended y, int replicates) const {
    XFromYResult out;
    if (m_K == 0) {
        out.message = ChooseText("Impossible. The slope is 0", "Går ej. Lutningen är 0");
        return out;
    }
    out.ok = true;
    out.x = (y - m_L) / m_K;
    const Extended m = replicates < 1 ? 1 : replicates;
    out.half_width =
        TFactor() / std::fabs(m_K) * std::sqrt(PointVariance(out.x) / m + LineVariance(out.x));
    return out;
}

std::string WeightedLineModel::EquationText() const {
    const bool df = DegreesOfFreedom() >= 1;
    const Extended h0 = df ? TFactor() * m_sw * std::sqrt(1 / m_m + m_xw * m_xw / m_Sxx) : 0;
    const Extended h1 = df ? TFactor() * m_sw / std::sqrt(m_Sxx) : 0;
    return "a0=" + FormatG4(m_L) + "±" + FormatG4(h0) + "  a1=" + FormatG4(m_K) + "±" +
           FormatG4(h1);
}

std::string WeightedLineModel::StatusLine() const {
    Extended ss = 0;
    for (Extended e : Residuals()) ss += e * e;
    return "r²=" + FormatG4(m_r2) + "    n = " + std::to_string(data().size()) +
           "    Sy=" + FormatG4(m_sw) +
           "   RMS=" + FormatG4(std::sqrt(ss / static_cast<Extended>(data().size()))) +
           WeightNote();
}

bool WeightedLineModel::Supports(RegressionItem item) const {
    switch (item) {
        case RegressionItem::Function:
        case RegressionItem::Bands:
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

std::optional<ReportText> WeightedLineModel::Report(RegressionItem item) const {
    switch (item) {
        case RegressionItem::Residuals:
            return ResidualListReport(*this);
        case RegressionItem::Rms:
            return RmsReport(*this);
        case RegressionItem::Parameters:
            return ParametersReport();
        default:
            return std::nullopt;
    }
}

ReportText WeightedLineModel::ParametersReport() const {
    auto num = [](Extended v) { return FormatReportNumber(v); };
    ReportText rep{ChooseText("Regression parameters", "Regressionsparametrar"), {}};
    auto& l = rep.lines;
    l.push_back(Name());
    l.push_back(ChooseText("weights w=W·m/ΣW, W=", "vikter w=W·m/ΣW, W=") +
                (spec().type == FitType::WeightedInverseX ? std::string("1/x") : "n/s²"));
    l.push_back("k=" + num(m_K));
    l.push_back("l=" + num(m_L));
    l.push_back("r2=" + num(m_r2) + "   (Sxy²/(Sxx·Syy))");
    l.push_back("xmed=" + num(m_xw) + "   (Σw·x/m)");
    l.push_back("ymed=" + num(m_yw) + "   (Σw·y/m)");
    l.push_back("Sxx=" + num(m_Sxx) + "   (Σw(x-xmed)²)");
    l.push_back("Sxy=" + num(m_Sxy) + "   (Σw(x-xmed)(y-ymed))");
    l.push_back("Syy=" + num(m_Syy) + "   (Σw(y-ymed)²)");
    l.push_back("SSr=" + num(m_SSRes) + "   (Σw(y-ŷ)²)");
    l.push_back("n=" + std::to_string(data().size()));
    l.push_back("m=" + num(m_m));
    l.push_back("sB=" + num(m_sw) + "   (√(SSr/(m-2)))");
    const int df = DegreesOfFreedom();
    if (df < 1) {
        l.push_back(ChooseText("Only two data points", "Bara två datapunkter"));
        return rep;
    }
    const Extended sk = m_sw / std::sqrt(m_Sxx);
    const Extended tk = std::fabs(m_K) / sk;
    l.emplace_back();
    l.push_back("k: s(k)=" + FormatG4(sk) + "  t=" + FormatG4(tk) +
                (tk > TFactor() ? " > " : " < ") + "t(" + std::to_string(df) +
                ")=" + FormatG4(TFactor()));
    return rep;
}

std::vector<std::pair<std::string, Extended>> WeightedLineModel::Values() const {
    const bool df = DegreesOfFreedom() >= 1;
    return {{"n", static_cast<Extended>(data().size())},
            {"points", m_m},
            {"slope", m_K},
            {"intercept", m_L},
            {"slope_half_width", df ? TFactor() * m_sw / std::sqrt(m_Sxx) : 0},
            {"intercept_half_width",
             df ? TFactor() * m_sw * std::sqrt(1 / m_m + m_xw * m_xw / m_Sxx) : 0},
            {"r2", m_r2},
            {"s", m_sw},
            {"t_factor", TFactor()},
            {"df", static_cast<Extended>(DegreesOfFreedom())},
            {"level", 100 * level()},
            {"sxx", m_Sxx},
            {"sxy", m_Sxy},
            {"syy", m_Syy},
            {"x_mean", m_xw},
            {"y_mean", m_yw},
            {"ss_res", m_SSRes}};
}

FitOutcome FitWeightedMultipleY(std::shared_ptr<const RegressionData> data, const FitSpec& spec) {
    const RegressionData& d = *data;
    // The points of each distinct x, in order of x; the first row of each x names it.
    std::map<Extended, std::vector<std::size_t>> groups;
    for (std::size_t i = 0; i < d.size(); ++i) groups[d.x[i]].push_back(i);
    std::vector<WeightedLineModel::WeightedPoint> points;
    for (const auto& [x, rows] : groups) {
        const std::string& x_text = d.XTexts[rows.front()];
        if (rows.size() < 2) {
            return {nullptr,
                    ChooseText("At least one x-value has no multiple y-values, e.g. for x=",
                               "Minst ett x-värde saknar multipla y-värden, t.ex för x=") +
                        x_text};
        }
        Extended mean = 0;
        for (std::size_t i : rows) mean += d.y[i];
        mean /= static_cast<Extended>(rows.size());
        Extended ss = 0;
        for (std::size_t i : rows) ss += (d.y[i] - mean) * (d.y[i] - mean);
        const Extended variance = ss / static_cast<Extended>(rows.size() - 1);
        if (!(variance > 0)) {
            return {nullptr, ChooseText("Cannot compute: the spread in y for x=",
                                        "Kan ej räkna: Spridningen i y-led för x=") +
                                 x_text + ChooseText(" is zero!", " är noll!")};
        }
        points.push_back({x, mean, static_cast<Extended>(rows.size()), variance});
    }
    if (points.size() < 2) return {nullptr, CannotFit()};
    return {std::make_unique<WeightedLineModel>(std::move(data), spec, std::move(points)), {}};
}

FitOutcome FitWeightedInverseX(std::shared_ptr<const RegressionData> data, const FitSpec& spec) {
    const RegressionData& d = *data;
    std::vector<WeightedLineModel::WeightedPoint> points;
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (!(d.x[i] > 0)) {
            return {nullptr,
                    ChooseText("Negative or zero x-values", "Negativa eller noll x-värden")};
        }
        points.push_back({d.x[i], d.y[i], 1, d.x[i]});
    }
    const auto [lo, hi] = std::minmax_element(d.x.begin(), d.x.end());
    if (*lo == *hi) return {nullptr, CannotFit()};
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& a, const auto& b) { return a.x < b.x; });
    return {std::make_unique<WeightedLineModel>(std::move(data), spec, std::move(points)), {}};
}

}  // namespace tabulon

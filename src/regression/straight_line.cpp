// The straight line: its fit about the means, its variance in each mode, and what the
// window asks of it (bands, x(y), LOD and LOQ, equation and status texts).
#include "regression/straight_line.h"

#include <cmath>
#include <limits>

#include "base/language.h"
#include "numeric/number_text.h"
#include "numeric/t_distribution.h"
#include "regression/regression_texts.h"

namespace tabulon {
namespace {

// The mean with one correction pass: the plain sum's rounding error comes back in the sum
// of the deviations.
Extended Mean(std::span<const Extended> v) {
    Extended sum = 0;
    for (Extended a : v) sum += a;
    const Extended n = static_cast<Extended>(v.size());
    Extended mean = sum / n;
    Extended correction = 0;
    for (Extended a : v) correction += a - mean;
    return mean + correction / n;
}

}  // namespace

Extended FittedAtMeanOffset(const TRegressionLine& line, LineMode mode) {
    if (mode == LineMode::LeastSquares || mode == LineMode::FixedSlope) return 0;
    return line.L + line.K * line.XMean - line.YMean;
}

bool ComputeRegressionLine(std::span<const Extended> x, std::span<const Extended> y, LineMode mode,
                           Extended fixed, TRegressionLine& line) {
    const std::size_t n = std::min(x.size(), y.size());
    if (n == 0) return false;
    x = x.first(n);
    y = y.first(n);
    TRegressionLine r;
    r.N = static_cast<Extended>(n);
    r.XMean = Mean(x);
    r.YMean = Mean(y);
    Extended x_dev_y_fixed = 0;  // Σx·(y − fixed), the fixed intercept's numerator
    for (std::size_t i = 0; i < n; ++i) {
        const Extended dx = x[i] - r.XMean;
        const Extended dy = y[i] - r.YMean;
        r.Sxx += dx * dx;
        r.Syy += dy * dy;
        r.Sxy += dx * dy;
        r.SumX += x[i];
        r.SumY += y[i];
        r.SumX2 += x[i] * x[i];
        r.SumY2 += y[i] * y[i];
        r.SumXY += x[i] * y[i];
        x_dev_y_fixed += x[i] * (y[i] - fixed);
    }
    if (!(r.Sxx > 0)) return false;  // all x equal: failure code 3

    switch (mode) {
        case LineMode::LeastSquares:
            r.K = r.Sxy / r.Sxx;
            r.L = r.YMean - r.K * r.XMean;
            break;
        case LineMode::Origin:
            r.L = 0;
            r.K = r.SumXY / r.SumX2;
            break;
        case LineMode::FixedSlope:
            r.K = fixed;
            r.L = r.YMean - r.K * r.XMean;
            break;
        case LineMode::FixedIntercept:
            r.L = fixed;
            r.K = x_dev_y_fixed / r.SumX2;
            break;
    }
    r.RSquared = r.Syy > 0 ? r.Sxy * r.Sxy / r.Sxx / r.Syy : 0;

    // ŷ − ȳ = K·(x − x̄) + c: from the deviations, so that a far-off x costs no digits.
    const Extended c = FittedAtMeanOffset(r, mode);
    for (std::size_t i = 0; i < n; ++i) {
        const Extended dy = y[i] - r.YMean;
        const Extended fitted = r.K * (x[i] - r.XMean) + c;
        r.SSCor += dy * dy;
        r.SSFac += fitted * fitted;
        r.SSRes += (fitted - dy) * (fitted - dy);
    }
    if (r.SSRes > 0)
        r.F = r.SSFac / r.SSRes * (r.N - 2);
    else
        r.F = r.SSFac > 0 ? std::numeric_limits<Extended>::infinity() : 0;

    if (r.N - 2 > 1e-30L) {
        r.S = std::sqrt(r.SSRes / (r.N - 2));
        // The least-squares line's residual variance: from its own residuals when that is the
        // line drawn, else Syy − Sxy²/Sxx (both (Sxx·Syy − Sxy²)/Sxx to rounding).
        const Extended ss = mode == LineMode::LeastSquares
                                ? r.SSRes
                                : std::max<Extended>(0, r.Syy - r.Sxy * r.Sxy / r.Sxx);
        r.S2 = ss / (r.N - 2);
    }
    line = r;
    return true;
}

StraightLineModel::StraightLineModel(std::shared_ptr<const RegressionData> data, FitSpec spec,
                                     const TRegressionLine& line)
    : FittedModel(std::move(data), spec), m_line(line) {
    switch (spec.type) {
        case FitType::Origin:
            m_mode = LineMode::Origin;
            break;
        case FitType::FixedSlope:
            m_mode = LineMode::FixedSlope;
            break;
        case FitType::FixedIntercept:
            m_mode = LineMode::FixedIntercept;
            break;
        default:
            m_mode = LineMode::LeastSquares;
    }
}

int StraightLineModel::DegreesOfFreedom() const {
    return static_cast<int>(std::lround(static_cast<double>(m_line.N - 2)));
}

std::string StraightLineModel::Name() const {
    switch (m_mode) {
        case LineMode::Origin:
            return ChooseText("Line y=kx through the origin", "Linjen y=kx genom origo");
        case LineMode::FixedSlope:
            return ChooseText("Line y=kx+l, fixed slope k=", "Linjen y=kx+l, fixerad lutning k=") +
                   FormatG4(m_line.K);
        case LineMode::FixedIntercept:
            return ChooseText("Line y=kx+l, fixed intercept l=",
                              "Linjen y=kx+l, fixerad skärning l=") +
                   FormatG4(m_line.L);
        case LineMode::LeastSquares:
            break;
    }
    return ChooseText("Line y=kx+l", "Linjen y=kx+l");
}

std::vector<Extended> StraightLineModel::Residuals() const {
    const RegressionData& d = data();
    const Extended c = FittedAtMeanOffset(m_line, m_mode);
    std::vector<Extended> e(d.size());
    for (std::size_t i = 0; i < d.size(); ++i) {
        e[i] = (d.y[i] - m_line.YMean) - (m_line.K * (d.x[i] - m_line.XMean) + c);
    }
    return e;
}

Extended StraightLineModel::LineVariance(Extended x) const {
    const TRegressionLine& r = m_line;
    const Extended s2 = r.S * r.S;
    switch (m_mode) {
        case LineMode::LeastSquares:
            return r.S2 * (1 / r.N + (x - r.XMean) * (x - r.XMean) / r.Sxx);
        case LineMode::Origin:
        case LineMode::FixedIntercept:
            return s2 * x * x / r.SumX2;
        case LineMode::FixedSlope:
            return s2 / r.N;
    }
    return 0;
}

Extended StraightLineModel::Leverage(Extended x) const {
    const TRegressionLine& r = m_line;
    switch (m_mode) {
        case LineMode::LeastSquares:
            return 1 / r.N + (x - r.XMean) * (x - r.XMean) / r.Sxx;
        case LineMode::Origin:
        case LineMode::FixedIntercept:
            return x * x / r.SumX2;
        case LineMode::FixedSlope:
            return 1 / r.N;
    }
    return 0;
}

std::optional<BandHalfWidths> StraightLineModel::BandsAt(Extended x) const {
    const Extended var = LineVariance(x);
    const Extended point_var = m_mode == LineMode::LeastSquares ? m_line.S2 : m_line.S * m_line.S;
    const Extended t = TFactor();
    return BandHalfWidths{t * std::sqrt(var), t * std::sqrt(var + point_var)};
}

XFromYResult StraightLineModel::XFromY(Extended y, int replicates) const {
    XFromYResult out;
    const TRegressionLine& r = m_line;
    if (r.K == 0 || !std::isfinite(r.K)) {
        out.message = ChooseText("Impossible. The slope is 0", "Går ej. Lutningen är 0");
        return out;
    }
    out.ok = true;
    out.x = (y - r.L) / r.K;
    if (m_mode == LineMode::Origin) return out;  // y/K, without an interval
    const Extended m = replicates < 1 ? 1 : replicates;
    Extended half = 0;
    if (m_mode == LineMode::LeastSquares) {
        half = TFactor() * r.S / std::fabs(r.K) *
               std::sqrt(1 / m + 1 / r.N + (y - r.YMean) * (y - r.YMean) / (r.K * r.K * r.Sxx));
    } else {
        // The fitted value's variance at the x found, carried back through the slope.
        half = TFactor() / std::fabs(r.K) * std::sqrt(r.S * r.S / m + LineVariance(out.x));
    }
    out.half_width = half;
    return out;
}

Extended FirstKindRisk(Extended L, Extended s0, Extended critical_y, int df) {
    // In millionths, so that the steps land exactly on the grid.
    long p = 500000;
    const long steps[] = {10000, 100, 1};
    const long floors[] = {20000, 200, 1};
    for (int k = 0; k < 3; ++k) {
        while (p > floors[k]) {
            p -= steps[k];
            if (L + TQuantile(df, static_cast<Extended>(p) / 1e6L) * s0 > critical_y) break;
        }
        p += steps[k];
    }
    return static_cast<Extended>(p) / 1e6L;
}

std::optional<DetectionLimits> StraightLineModel::Limits() const {
    if (m_mode != LineMode::LeastSquares) return std::nullopt;
    if (!m_limits) {
        const TRegressionLine& r = m_line;
        DetectionLimits d;
        d.sy = r.S;
        d.lod_x = r.K != 0 ? 3 * r.S / r.K : 0;
        d.lod_y = 3 * r.S + r.L;
        d.loq_x = r.K != 0 ? 10 * r.S / r.K : 0;
        d.loq_y = 10 * r.S + r.L;
        if (d.lod_x > 0) {
            const Extended s0 = std::sqrt((1 / r.N + 1 + r.XMean * r.XMean / r.Sxx) * r.S2);
            d.alpha = FirstKindRisk(r.L, s0, d.lod_y, DegreesOfFreedom());
        }
        m_limits = d;
    }
    return m_limits;
}

Extended StraightLineModel::InterceptSE() const {
    const TRegressionLine& r = m_line;
    if (DegreesOfFreedom() < 1) return 0;
    switch (m_mode) {
        case LineMode::LeastSquares:
            return std::sqrt((1 / r.N + r.XMean * r.XMean / r.Sxx) * r.S2);
        case LineMode::FixedSlope:
            return r.S / std::sqrt(r.N);
        case LineMode::Origin:
        case LineMode::FixedIntercept:
            return 0;
    }
    return 0;
}

Extended StraightLineModel::SlopeSE() const {
    const TRegressionLine& r = m_line;
    if (DegreesOfFreedom() < 1) return 0;
    switch (m_mode) {
        case LineMode::LeastSquares:
            return std::sqrt(r.SSRes / (r.N - 2)) / std::sqrt(r.Sxx);
        case LineMode::Origin:
        case LineMode::FixedIntercept:
            return r.S / std::sqrt(r.SumX2);
        case LineMode::FixedSlope:
            return 0;
    }
    return 0;
}

Extended StraightLineModel::InterceptHalfWidth() const {
    return TFactor() * InterceptSE();
}
Extended StraightLineModel::SlopeHalfWidth() const {
    return TFactor() * SlopeSE();
}

std::string StraightLineModel::EquationText() const {
    const std::string fixed = ChooseText(" (fixed)", " (fixerad)");
    const bool l_fixed = m_mode == LineMode::Origin || m_mode == LineMode::FixedIntercept;
    const bool k_fixed = m_mode == LineMode::FixedSlope;
    const std::string a0 =
        "a0=" + FormatG4(m_line.L) + (l_fixed ? fixed : "±" + FormatG4(InterceptHalfWidth()));
    const std::string a1 =
        "a1=" + FormatG4(m_line.K) + (k_fixed ? fixed : "±" + FormatG4(SlopeHalfWidth()));
    return a0 + "  " + a1;
}

std::string StraightLineModel::StatusLine() const {
    const TRegressionLine& r = m_line;
    return "r²=" + FormatG4(r.RSquared) + "    n = " + std::to_string(data().size()) +
           "    Sy=" + FormatG4(r.S) + "   RMS=" + FormatG4(std::sqrt(r.SSRes / r.N));
}

bool StraightLineModel::Supports(RegressionItem item) const {
    const bool ls = m_mode == LineMode::LeastSquares;
    switch (item) {
        case RegressionItem::Function:
        case RegressionItem::Bands:
        case RegressionItem::YFromX:
        case RegressionItem::XFromY:
        case RegressionItem::Residuals:
        case RegressionItem::Parameters:
        case RegressionItem::Homoscedasticity:
        case RegressionItem::Rms:
        case RegressionItem::Outliers:
            return true;
        case RegressionItem::LodLoqMarks:
        case RegressionItem::Lod:
        case RegressionItem::Loq:
        case RegressionItem::StandardAddition:
        case RegressionItem::ConfidenceKL:
        case RegressionItem::FirstKindError:
        case RegressionItem::SecondKindError:
        case RegressionItem::Significance:
            return ls;
        case RegressionItem::ControlChartBase:
            return false;
    }
    return false;
}

std::optional<ReportText> StraightLineModel::Report(RegressionItem item) const {
    if (!Supports(item)) return std::nullopt;
    switch (item) {
        case RegressionItem::Significance:
            return ReportText{ChooseText("Significance", "Signifikanser"), SignificanceLines()};
        case RegressionItem::Lod:
            return LodReport();
        case RegressionItem::Loq:
            return LoqReport();
        case RegressionItem::ConfidenceKL:
            return ConfidenceKLReport();
        case RegressionItem::StandardAddition:
            return StandardAdditionReport();
        case RegressionItem::Residuals:
            return ResidualListReport(*this);
        case RegressionItem::Parameters:
            return ParametersReport();
        case RegressionItem::Homoscedasticity:
            return HomoscedasticityReport();
        case RegressionItem::Rms:
            return RmsReport(*this);
        case RegressionItem::FirstKindError:
            return FirstKindReport();
        case RegressionItem::SecondKindError:
            return SecondKindReport();
        case RegressionItem::Outliers:
            return OutlierReport();
        default:
            return std::nullopt;
    }
}

std::vector<std::pair<std::string, Extended>> StraightLineModel::Values() const {
    const TRegressionLine& r = m_line;
    return {{"n", r.N},
            {"slope", r.K},
            {"intercept", r.L},
            {"slope_half_width", SlopeHalfWidth()},
            {"intercept_half_width", InterceptHalfWidth()},
            {"r2", r.RSquared},
            {"s", r.S},
            {"s2", r.S2},
            {"rms", std::sqrt(r.SSRes / r.N)},
            {"t_factor", TFactor()},
            {"df", static_cast<Extended>(DegreesOfFreedom())},
            {"level", 100 * level()},
            {"sxx", r.Sxx},
            {"syy", r.Syy},
            {"sxy", r.Sxy},
            {"x_mean", r.XMean},
            {"y_mean", r.YMean},
            {"ss_res", r.SSRes},
            {"ss_cor", r.SSCor},
            {"ss_fac", r.SSFac},
            {"F", r.F},
            {"sum_x", r.SumX},
            {"sum_y", r.SumY},
            {"sum_x2", r.SumX2},
            {"sum_y2", r.SumY2},
            {"sum_xy", r.SumXY}};
}

}  // namespace tabulon

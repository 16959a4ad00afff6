// The one fitted model a regression window holds: whatever the fit (the straight line in its
// modes, the weighted lines, point to point, and the polynomial and function fits to come),
// drawing, bands, x(y), residuals, reports and tabulon-cli ask this interface, never the
// fit type.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "numeric/extended.h"
#include "regression/regression_data.h"

namespace tabulon {

// The window's FitType codes. Only Fit() and the window's menu check marks look at them.
enum class FitType : int {
    LeastSquares = 1,
    Origin = 2,
    FixedSlope = 3,
    FixedIntercept = 4,
    Polynomial = 5,
    NamedFunction = 6,
    PointToPoint = 10,
    ControlChart = 11,
    WeightedMultipleY = 12,
    WeightedInverseX = 13,
    WeightedPolynomial = 15,
    OwnFunction = 100,
};

// The four functions of Funktioner, by their type codes.
enum class FunctionKind : int { Power = 6, Exponential = 7, Logarithmic = 8, PowerOffset = 9 };

// The weighted polynomial's weights: "None", "1/x", "1/x²", "1/y", "1/y²".
enum class PolynomialWeight { None, InverseX, InverseX2, InverseY, InverseY2 };

// The sixteen terms of the own function y = f(x), in the order of their check boxes; bit j
// of FitSpec::terms ticks term j.
inline constexpr int kOwnTermCount = 16;

// What to fit.
struct FitSpec {
    FitSpec(FitType fit_type = FitType::LeastSquares, Extended fixed = 0)
        : type(fit_type), fixed_value(fixed) {}

    FitType type = FitType::LeastSquares;
    Extended fixed_value = 0;  // the slope (FixedSlope) or the intercept (FixedIntercept)
    // Polynomial and WeightedPolynomial.
    int degree = 2;
    PolynomialWeight weight = PolynomialWeight::None;
    Extended weight_offset = 0;  // c in the weight 1/(v + c)^(2e)
    bool through_origin = false;
    bool curvature = false;  // Polynomial of degree 2 with the curvature test
    // NamedFunction.
    FunctionKind function = FunctionKind::Power;
    std::optional<Extended> exponent;  // PowerOffset: the n to fit with; none searches it
    // OwnFunction.
    unsigned terms = 0;
};

// The curvature test of a degree-2 polynomial: t = a2/s(a2) with its degrees of freedom,
// the smallest level (fraction, 0.001 steps from 0.1) at which it is significant, and
// the verdict shown in the status line.
struct CurvatureTest {
    Extended t = 0;
    int df = 0;
    Extended alpha = 0;
    bool significant = false;
    std::string verdict;
};

// The menu items and reports whose presence depends on the fit.
enum class RegressionItem {
    Function,          // Grafik > Funktionen: there is a curve to draw
    Bands,             // Grafik > Konfidensintervall
    LodLoqMarks,       // Grafik > Visa LOD och LOQ
    YFromX,            // Beräkna > y(x)
    XFromY,            // Beräkna > x(y)
    Lod,               // Beräkna > LOD - Detektionsgräns (a report)
    Loq,               // Beräkna > LOQ - Kvantifieringsgräns (a report)
    StandardAddition,  // Beräkna > Standardaddition
    ConfidenceKL,      // Beräkna > Konfidensintervall - k och l (a report)
    Residuals,         // Beräkna > Residualer > Visa numeriskt (a report) and the others
    Parameters,        // Beräkna > Regressionsparametrar (a report)
    Homoscedasticity,  // Beräkna > Homoskedasticitet (a report)
    FirstKindError,    // Beräkna > Fel av första ordningen (a report)
    SecondKindError,   // Beräkna > Fel av andra ordningen (a report)
    Rms,               // Beräkna > RMS (a report)
    Significance,      // Signifikanser > Regression (a report, into the memo)
    Outliers,          // Signifikanser > Outliers (a report)
    ControlChartBase,  // Kontrollkort > Basdata (a report)
};

// Half-widths of the two bands at one x, in y units: the fitted curve's confidence band
// and the band for one new measurement (prediction band). The control chart uses them for
// its warning (2s) and action (3s) limits.
struct BandHalfWidths {
    Extended confidence = 0;
    Extended prediction = 0;
};

// y(x): the fitted value with the line's and a single point's half-widths (none for a fit
// without bands, such as point to point).
struct YFromXResult {
    Extended y = 0;
    bool has_interval = true;
    Extended line_half_width = 0;
    Extended point_half_width = 0;
};

// x(y) for the mean of `replicates` measurements of y. `ok` false with `message` when the
// fit cannot answer (higher degree, a zero slope); an answer without interval has no
// half-width (through the origin, point to point).
struct XFromYResult {
    bool ok = false;
    Extended x = 0;
    std::optional<Extended> half_width;
    std::string message;
};

// A report: the caption of its list window and its lines, in the current language.
struct ReportText {
    std::string caption;
    std::vector<std::string> lines;
};

// The detection and quantification limits of a fit (LOD at 3·s, LOQ at 10·s) and the risk
// α (fraction) that a blank exceeds the critical level lod_y. `lod_x` or `loq_x` not above 0
// is reported as "Error! (<=0)".
struct DetectionLimits {
    Extended lod_x = 0;
    Extended lod_y = 0;
    Extended loq_x = 0;
    Extended loq_y = 0;
    Extended sy = 0;
    Extended alpha = 0;
};

// How the curve is traced: a straight line (two points suffice), a smooth curve (sampled
// per pixel column from ValueAt) or a polyline through Vertices().
enum class CurveShape { Straight, Smooth, Polyline };

class FittedModel {
public:
    virtual ~FittedModel() = default;

    const RegressionData& data() const { return *m_data; }
    const FitSpec& spec() const { return m_spec; }

    // The confidence level (fraction, 0.95) and the two-sided Student t factor for it,
    // t(df, (1 - level)/2) on the quantile grid of the numeric core. A level of 0 is
    // taken as 0.95. Changing the level changes nothing else of the fit.
    Extended level() const { return m_level; }
    Extended TFactor() const { return m_t_factor; }
    void SetLevel(Extended level);
    // The residual degrees of freedom the t factor is taken with (0: no t factor).
    virtual int DegreesOfFreedom() const = 0;

    // The fit's name as the reports head it ("Linjen y=kx+l").
    virtual std::string Name() const = 0;
    // The fitted value at x.
    virtual Extended ValueAt(Extended x) const = 0;
    virtual CurveShape Shape() const { return CurveShape::Smooth; }
    // The corners of a Polyline curve, in drawing order.
    virtual std::vector<std::pair<Extended, Extended>> Vertices() const { return {}; }
    // The points the graph marks: the data, or (weighted with multiple y) the y means.
    virtual std::span<const Extended> MarkedX() const { return m_data->x; }
    virtual std::span<const Extended> MarkedY() const { return m_data->y; }

    // Both half-widths at x; nullopt when the fit has no bands.
    virtual std::optional<BandHalfWidths> BandsAt(Extended x) const = 0;
    // y(x), with both intervals when the fit has bands.
    virtual YFromXResult YFromX(Extended x) const;
    // x from a measured y, the mean of `replicates` (at least 1) measurements.
    virtual XFromYResult XFromY(Extended y, int replicates) const = 0;

    // LOD and LOQ; nullopt when the fit has none.
    virtual std::optional<DetectionLimits> Limits() const { return std::nullopt; }

    // The equation label above the plot ("a0=0.05±0.6303  a1=1.99±0.19").
    virtual std::string EquationText() const = 0;
    // The status line ("r²=0.9975    n = 5    Sy=0.1886   RMS=0.1463").
    virtual std::string StatusLine() const = 0;

    // Whether a menu item applies to this fit.
    virtual bool Supports(RegressionItem item) const = 0;
    // The report for a report item; nullopt when the item is no report or not supported.
    virtual std::optional<ReportText> Report(RegressionItem item) const = 0;

    // y - ŷ for every data point, in data order.
    virtual std::vector<Extended> Residuals() const;
    // The residual standard deviation the status line shows as Sy.
    virtual Extended ResidualSD() const = 0;
    // Every number the fit computed, by name (the JSON keys of tabulon-cli).
    virtual std::vector<std::pair<std::string, Extended>> Values() const = 0;
    // The coefficients of a curve fit in the order its equation names them (a0, a1, … of a
    // polynomial, a and b of a function); empty for the straight lines.
    virtual std::vector<Extended> Coefficients() const { return {}; }
    // The curvature test, when the fit was asked for it.
    virtual std::optional<CurvatureTest> Curvature() const { return std::nullopt; }

protected:
    FittedModel(std::shared_ptr<const RegressionData> data, FitSpec spec)
        : m_data(std::move(data)), m_spec(spec) {}

    std::shared_ptr<const RegressionData> m_data;
    FitSpec m_spec;
    Extended m_level = 0.95L;
    Extended m_t_factor = 0;
};

// A fit, or the message (current language) why it cannot be made, in which case the window
// keeps the model it had.
struct FitOutcome {
    std::unique_ptr<FittedModel> model;
    std::string refusal;
};
FitOutcome Fit(std::shared_ptr<const RegressionData> data, const FitSpec& spec, Extended level);

}  // namespace tabulon

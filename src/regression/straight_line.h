// The straight line y = K·x + L in its four modes (least squares, through the origin, fixed
// slope, fixed intercept): the line record, its fit, and the fitted model that draws,
// predicts and reports from it.
#pragma once

#include <optional>
#include <span>

#include "regression/fitted_model.h"

namespace tabulon {

enum class LineMode { LeastSquares = 1, Origin = 2, FixedSlope = 3, FixedIntercept = 4 };

// The line record. Sxx, Syy and Sxy are sums of products of deviations about the means
// (equal to Σx² − (Σx)²/n and its kin, without losing digits to large offsets); the raw
// sums are kept for the parameter report.
struct TRegressionLine {
    Extended K = 0;         // slope
    Extended L = 0;         // intercept
    Extended RSquared = 0;  // Sxy²/(Sxx·Syy); 0 when all y are equal
    Extended XMean = 0;
    Extended YMean = 0;
    Extended Sxx = 0;
    Extended Syy = 0;
    Extended Sxy = 0;
    Extended SSRes = 0;  // Σ(K·x + L − y)²
    Extended SSCor = 0;  // Σ(y − YMean)²
    Extended SSFac = 0;  // Σ(K·x + L − YMean)²
    Extended N = 0;
    Extended F = 1;   // SSFac/SSRes·(N − 2); +inf for a perfect non-flat fit, 0 for none
    Extended S2 = 0;  // residual variance of the least-squares line; 0 when N = 2
    Extended S = 0;   // residual standard deviation of the line drawn; 0 when N = 2
    Extended SumX = 0;
    Extended SumY = 0;
    Extended SumX2 = 0;
    Extended SumY2 = 0;
    Extended SumXY = 0;
};

// Fits the line in `mode` (`fixed` is the slope or intercept of the fixed modes). False,
// with `line` untouched, when there are no points or all x are equal (the window's failure
// code 3).
bool ComputeRegressionLine(std::span<const Extended> x, std::span<const Extended> y, LineMode mode,
                           Extended fixed, TRegressionLine& line);

// ŷ(x̄) − ȳ: 0 for the lines through the means (least squares, fixed slope). Fitted values
// and residuals are taken as K·(x − x̄) + this, so that a far-off x costs no digits.
Extended FittedAtMeanOffset(const TRegressionLine& line, LineMode mode);

// The straight line as a fitted model. Bands, x(y) and the coefficient intervals come from
// each mode's own variance of the fitted value: least squares S2·(1/N + (x − x̄)²/Sxx),
// through the origin and fixed intercept S²·x²/Σx², fixed slope S²/N; a new point adds S².
class StraightLineModel : public FittedModel {
public:
    StraightLineModel(std::shared_ptr<const RegressionData> data, FitSpec spec,
                      const TRegressionLine& line);

    const TRegressionLine& line() const { return m_line; }
    LineMode mode() const { return m_mode; }

    int DegreesOfFreedom() const override;
    std::string Name() const override;
    Extended ValueAt(Extended x) const override { return m_line.K * x + m_line.L; }
    CurveShape Shape() const override { return CurveShape::Straight; }
    std::optional<BandHalfWidths> BandsAt(Extended x) const override;
    XFromYResult XFromY(Extended y, int replicates) const override;
    std::optional<DetectionLimits> Limits() const override;
    std::string EquationText() const override;
    std::string StatusLine() const override;
    bool Supports(RegressionItem item) const override;
    std::optional<ReportText> Report(RegressionItem item) const override;
    std::vector<Extended> Residuals() const override;
    Extended ResidualSD() const override { return m_line.S; }
    std::vector<std::pair<std::string, Extended>> Values() const override;

    // The half-widths of the equation text, TFactor times the standard errors of L and K;
    // 0 for a fixed coefficient or without residual degrees of freedom.
    Extended InterceptHalfWidth() const;
    Extended SlopeHalfWidth() const;
    // The standard errors of L and K (0 for a fixed coefficient or without degrees of
    // freedom).
    Extended InterceptSE() const;
    Extended SlopeSE() const;
    // The variance of the fitted value at x (without the new point's own S²).
    Extended LineVariance(Extended x) const;
    // The leverage of a point at x: LineVariance(x)/S².
    Extended Leverage(Extended x) const;

private:
    std::vector<std::string> SignificanceLines() const;
    ReportText LodReport() const;
    ReportText LoqReport() const;
    ReportText ConfidenceKLReport() const;
    ReportText StandardAdditionReport() const;
    ReportText ParametersReport() const;
    ReportText HomoscedasticityReport() const;
    ReportText FirstKindReport() const;
    ReportText SecondKindReport() const;
    ReportText OutlierReport() const;

    TRegressionLine m_line;
    LineMode m_mode;
    mutable std::optional<DetectionLimits> m_limits;  // the α search runs when first asked
};

// The risk α (fraction) that a blank (x = 0) exceeds `critical_y`: p is searched down from
// 0.5 in steps of 0.01, then 0.0001, then 0.000001, each search stopping at the first p with
// L + t(df, p)·s0 above critical_y and stepping back once; so α is the smallest p on the
// finest grid reached whose quantile stays at or below critical_y, s0 being the standard deviation
// of a new measurement at x = 0. Bounded: at most 650 quantiles.
Extended FirstKindRisk(Extended L, Extended s0, Extended critical_y, int df);

}  // namespace tabulon

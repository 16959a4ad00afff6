// The curves that are linear in their coefficients: the polynomial of degree 1 to 10 (plain,
// weighted, through the origin, with the curvature test) and the own function y = f(x), a
// combination of chosen terms. Both are fitted by QR on a well-scaled design: the polynomial
// in powers of t = (x − centre)/half-range, the own function on its terms' columns scaled to
// unit length; the coefficients in powers of x follow from t exactly.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "regression/fitted_model.h"
#include "regression/least_squares.h"

namespace tabulon {

// The record of a polynomial fit, in powers of x. `CDiag` is the diagonal of (XᵀWX)⁻¹ over
// the coefficients fitted (the constant's entry is 0 through the origin).
struct TPolynomialFit {
    std::array<Extended, 11> Coefficients{};
    int Degree = 0;
    Extended N = 0;
    Extended XMean = 0;
    Extended YMean = 0;
    Extended SSFac = 0;
    Extended SSCor = 0;
    Extended SSRes = 0;
    Extended RSquared = 0;
    Extended F = 0;
    Extended S2 = 0;
    std::vector<Extended> CDiag;
};

// The texts of the own function's terms, in check-box order ("1", "x", "x²", … "1/(1+x²)").
const std::array<const char*, kOwnTermCount>& OwnTermNames();
// Term j of the own function at x; NaN where it is not defined (1/x at 0, ln of x ≤ 0).
Extended OwnTermValue(int term, Extended x);

class CurveModel : public FittedModel {
public:
    enum class Basis { Polynomial, OwnTerms };

    // Use FitPolynomial / FitOwnFunction.
    CurveModel(std::shared_ptr<const RegressionData> data, FitSpec spec);

    const TPolynomialFit& record() const { return m_fit; }

    int DegreesOfFreedom() const override;
    std::string Name() const override;
    Extended ValueAt(Extended x) const override;
    std::optional<BandHalfWidths> BandsAt(Extended x) const override;
    // The x in the data's range where the curve meets y, the first from the left; its
    // half-width from the curve's slope there.
    XFromYResult XFromY(Extended y, int replicates) const override;
    std::optional<DetectionLimits> Limits() const override;
    std::string EquationText() const override;
    std::string StatusLine() const override;
    bool Supports(RegressionItem item) const override;
    std::optional<ReportText> Report(RegressionItem item) const override;
    Extended ResidualSD() const override { return m_s; }
    std::vector<std::pair<std::string, Extended>> Values() const override;
    std::vector<Extended> Coefficients() const override { return m_coef; }
    std::optional<CurvatureTest> Curvature() const override { return m_curvature; }

    // The variance of the fitted curve at x (S2·vᵀ(XᵀWX)⁻¹v) and of one new measurement there.
    Extended CurveVariance(Extended x) const;
    Extended PointVariance(Extended x) const;

    // The whole fit; an empty text on success, else the refusal.
    std::string Compute();

private:
    std::vector<Extended> Row(Extended x) const;
    // The weighting variable at x (x itself, or the fitted y) and the normalised weight there.
    Extended WeightAt(Extended x) const;
    Extended WeightExponent() const;
    bool WeightOnY() const;
    std::vector<std::string> CoefficientLabels() const;
    std::optional<Extended> Root(Extended y, Extended from, Extended to) const;
    ReportText ParametersReport() const;
    ReportText LimitReport(bool lod) const;
    void ComputeCurvature();

    Basis m_basis;
    std::vector<int> m_terms;  // own terms ticked, in order
    int m_first_power = 0;     // 1 through the origin
    Extended m_centre = 0;
    Extended m_half_range = 1;
    std::optional<QrLeastSquares> m_qr;
    std::vector<Extended> m_b;     // coefficients of the scaled design's columns
    std::vector<Extended> m_coef;  // a0 … ad in powers of x, or the own terms' coefficients
    std::vector<Extended> m_cdiag;
    Extended m_raw_weight_mean = 1;  // mean of the raw weights 1/(v + c)^(2e)
    TPolynomialFit m_fit;
    Extended m_s = 0;
    Extended m_xmin = 0;
    Extended m_xmax = 0;
    std::optional<CurvatureTest> m_curvature;
};

// Polynomial (5) and WeightedPolynomial (15): "Too few data points" when N ≤ degree or
// there are not more distinct x than the coefficients need, "Neg or zero x-value(s)" /
// "… y-value(s)" for a weight without a positive base.
FitOutcome FitPolynomial(std::shared_ptr<const RegressionData> data, const FitSpec& spec);
// OwnFunction (100): "Impossible. Determinant=0" for dependent terms or none ticked.
FitOutcome FitOwnFunction(std::shared_ptr<const RegressionData> data, const FitSpec& spec);

// The curvature test's level search and verdict for t with df degrees of freedom.
CurvatureTest CurvatureVerdict(Extended t, int df);

}  // namespace tabulon

// The weighted straight lines of the hidden Linjärt menu: with multiple y values per x
// (weights from the spread at each x) and with weights 1/x.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "regression/fitted_model.h"

namespace tabulon {

// A line fitted to weighted points (x_i, y_i) by least squares, the textbook way: with the
// weights normalised to w_i = W_i·m/ΣW (m points, Σw = m), x̄w = Σw·x/m, ȳw = Σw·y/m,
// Sxxw = Σw(x − x̄w)², Sxyw = Σw(x − x̄w)(y − ȳw), K = Sxyw/Sxxw, L = ȳw − K·x̄w and
// sw² = Σw(y − ŷ)²/(m − 2), the variance of a point of unit weight. A point's raw weight
// is W_i = n_i/v_i: v_i the relative variance of one measurement there, n_i how many
// measurements its y is the mean of. The fitted line's variance at x is
// sw²·(1/m + (x − x̄w)²/Sxxw); one new measurement adds sw²·v(x)·ΣW/m, with v(x)
// interpolated between the points (multiple y) or x itself (1/x).
class WeightedLineModel : public FittedModel {
public:
    struct WeightedPoint {
        Extended x = 0;
        Extended y = 0;  // the mean of the point's measurements
        Extended n = 1;  // how many measurements
        Extended v = 1;  // relative variance of one measurement
    };

    // `points` sorted by x; at least two distinct x.
    WeightedLineModel(std::shared_ptr<const RegressionData> data, FitSpec spec,
                      std::vector<WeightedPoint> points);

    Extended slope() const { return m_K; }
    Extended intercept() const { return m_L; }

    int DegreesOfFreedom() const override;
    std::string Name() const override;
    Extended ValueAt(Extended x) const override { return m_K * x + m_L; }
    CurveShape Shape() const override { return CurveShape::Straight; }
    std::span<const Extended> MarkedX() const override;
    std::span<const Extended> MarkedY() const override;
    std::optional<BandHalfWidths> BandsAt(Extended x) const override;
    XFromYResult XFromY(Extended y, int replicates) const override;
    std::string EquationText() const override;
    std::string StatusLine() const override;
    bool Supports(RegressionItem item) const override;
    std::optional<ReportText> Report(RegressionItem item) const override;
    Extended ResidualSD() const override { return m_sw; }
    std::vector<std::pair<std::string, Extended>> Values() const override;

    Extended LineVariance(Extended x) const;
    // The variance of one new measurement at x (without the line's own variance).
    Extended PointVariance(Extended x) const;

private:
    Extended RelativeVariance(Extended x) const;
    std::string WeightNote() const;
    ReportText ParametersReport() const;

    std::vector<WeightedPoint> m_points;
    std::vector<Extended> m_marked_x;
    std::vector<Extended> m_marked_y;
    Extended m_m = 0;           // number of weighted points
    Extended m_weight_sum = 0;  // ΣW, the raw weights
    Extended m_xw = 0;
    Extended m_yw = 0;
    Extended m_Sxx = 0;
    Extended m_Sxy = 0;
    Extended m_Syy = 0;
    Extended m_SSRes = 0;
    Extended m_K = 0;
    Extended m_L = 0;
    Extended m_sw = 0;
    Extended m_r2 = 0;
};

// "Viktad regression - Multipla y-värden": the y values at each distinct x are averaged
// and weighted by n/s². Refused when some x has a single y ("Minst ett x-värde saknar
// multipla y-värden, t.ex för x=…") or no spread ("Kan ej räkna: Spridningen i y-led för
// x=… är noll!"), or when fewer than two distinct x remain.
FitOutcome FitWeightedMultipleY(std::shared_ptr<const RegressionData> data, const FitSpec& spec);

// "Viktad regression 1/x": every point weighted by 1/x. Refused for x ≤ 0 ("Negativa eller
// noll x-värden").
FitOutcome FitWeightedInverseX(std::shared_ptr<const RegressionData> data, const FitSpec& spec);

}  // namespace tabulon

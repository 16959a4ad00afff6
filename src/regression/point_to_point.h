// "Punkt till punkt": the calibration curve drawn straight from point to point, read by
// linear interpolation both ways, without bands.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "regression/fitted_model.h"

namespace tabulon {

class PointToPointModel : public FittedModel {
public:
    // `knots` sorted by x with distinct x (the y of equal x averaged); at least two.
    PointToPointModel(std::shared_ptr<const RegressionData> data, FitSpec spec,
                      std::vector<std::pair<Extended, Extended>> knots);

    int DegreesOfFreedom() const override { return 0; }
    std::string Name() const override;
    // Between two knots the straight line between them; beyond the ends the end segment
    // continued.
    Extended ValueAt(Extended x) const override;
    CurveShape Shape() const override { return CurveShape::Polyline; }
    std::vector<std::pair<Extended, Extended>> Vertices() const override { return m_knots; }
    std::optional<BandHalfWidths> BandsAt(Extended) const override { return std::nullopt; }
    // The x of the first segment, in order of x, whose y range holds y; no interval.
    XFromYResult XFromY(Extended y, int replicates) const override;
    std::string EquationText() const override;
    std::string StatusLine() const override;
    bool Supports(RegressionItem item) const override;
    std::optional<ReportText> Report(RegressionItem item) const override;
    Extended ResidualSD() const override { return 0; }
    std::vector<std::pair<std::string, Extended>> Values() const override;

private:
    std::vector<std::pair<Extended, Extended>> m_knots;
};

// Refused ("Kurvanpassningen kan ej utföras") when fewer than two distinct x.
FitOutcome FitPointToPoint(std::shared_ptr<const RegressionData> data, const FitSpec& spec);

}  // namespace tabulon

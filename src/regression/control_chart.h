// Kontrollkort > Basdata: a Shewhart chart of control measurements in order of x (time or
// sequence): the centre line at the mean, warning limits at ±2s and action limits at ±3s,
// with the moving-range estimate of s and a test for drift.
#pragma once

#include <memory>

#include "regression/fitted_model.h"

namespace tabulon {

class ControlChartModel : public FittedModel {
public:
    ControlChartModel(std::shared_ptr<const RegressionData> data, FitSpec spec);

    Extended mean() const { return m_mean; }
    Extended sd() const { return m_s; }

    int DegreesOfFreedom() const override { return static_cast<int>(data().size()) - 1; }
    std::string Name() const override;
    Extended ValueAt(Extended) const override { return m_mean; }
    CurveShape Shape() const override { return CurveShape::Straight; }
    // The warning limits (2s) as the inner band, the action limits (3s) as the outer.
    std::optional<BandHalfWidths> BandsAt(Extended) const override {
        return BandHalfWidths{2 * m_s, 3 * m_s};
    }
    XFromYResult XFromY(Extended y, int replicates) const override;
    std::string EquationText() const override;
    std::string StatusLine() const override;
    bool Supports(RegressionItem item) const override;
    std::optional<ReportText> Report(RegressionItem item) const override;
    Extended ResidualSD() const override { return m_s; }
    std::vector<std::pair<std::string, Extended>> Values() const override;

private:
    ReportText BaseDataReport() const;

    Extended m_mean = 0;
    Extended m_s = 0;
    Extended m_moving_range = 0;  // mean |y_i − y_(i−1)|
};

// Refused with "x-värderna är inte i stigande ordning. Sortera först" when some x is below
// the one before it.
FitOutcome FitControlChart(std::shared_ptr<const RegressionData> data, const FitSpec& spec);

}  // namespace tabulon

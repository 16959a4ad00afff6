// The functions of Funktioner that a logarithm or a power turns into a straight line:
// y = a·x^b, y = a·e^(bx), y = a·ln x + b and y = a·x^n + b (its exponent n searched for the
// best r²). Each is fitted as the least-squares line of the transformed points; its sums and
// r² are taken on the untransformed y.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "regression/fitted_model.h"

namespace tabulon {

struct TFunctionFit {
    FunctionKind Type = FunctionKind::Power;
    Extended A = 0;
    Extended B = 0;
    Extended Exponent = 1;  // n of y = a·x^n + b
    Extended N = 0;         // valid points
    Extended YMean = 0;
    Extended SSCor = 0;
    Extended SSFac = 0;
    Extended SSRes = 0;
    Extended RSquared = 0;
};

// The fit of `type` (with `exponent` for PowerOffset) to the points of `data`; a point whose
// transformed x or y cannot be formed (the logarithm of a value not above 1e-30) takes no
// part. The refusal text, empty on success: "Too few valid data points" below two valid
// points, "Curve adaption cannot be made" when their transformed x are all equal.
std::string ComputeFunctionFit(const RegressionData& data, FunctionKind type, Extended exponent,
                               TFunctionFit& fit);

// The exponent of y = a·x^n + b with the best r²: from n = 1 in steps of ±0.01 while r² grows
// (n kept within 0.02 … 3.98), then in steps of ±0.001 from the best n so far, the direction
// chosen afresh. At most some 400 fits; `cancelled` is polled before each and `progress`
// (may be empty) told the share done in percent. nullopt when cancelled or when n = 1 cannot
// be fitted.
std::optional<Extended> SearchExponent(const RegressionData& data,
                                       const std::function<bool()>& cancelled,
                                       const std::function<void(int)>& progress);

class FunctionModel : public FittedModel {
public:
    FunctionModel(std::shared_ptr<const RegressionData> data, FitSpec spec, const TFunctionFit& fit);

    const TFunctionFit& record() const { return m_fit; }

    int DegreesOfFreedom() const override;
    std::string Name() const override;
    // NaN where the function is not defined (ln x for x ≤ 0).
    Extended ValueAt(Extended x) const override;
    // No bands: the transformed fit's intervals do not carry over to y.
    std::optional<BandHalfWidths> BandsAt(Extended) const override { return std::nullopt; }
    // The inverse function, without an interval.
    XFromYResult XFromY(Extended y, int replicates) const override;
    std::string EquationText() const override;
    std::string StatusLine() const override;
    // NaN for the points the fit left out, so that they count in no sum of residuals.
    std::vector<Extended> Residuals() const override;
    bool Supports(RegressionItem item) const override;
    std::optional<ReportText> Report(RegressionItem item) const override;
    Extended ResidualSD() const override { return m_s; }
    std::vector<std::pair<std::string, Extended>> Values() const override;
    // a and b of the fitted form.
    std::vector<Extended> Coefficients() const override { return {m_fit.A, m_fit.B}; }

private:
    TFunctionFit m_fit;
    Extended m_s = 0;
};

// NamedFunction (6): the function of spec.function; PowerOffset without spec.exponent runs
// SearchExponent first.
FitOutcome FitNamedFunction(std::shared_ptr<const RegressionData> data, const FitSpec& spec);

}  // namespace tabulon

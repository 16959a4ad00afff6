// Fit(): the one place that turns a fit type into a fitted model.
#include "base/language.h"
#include "regression/control_chart.h"
#include "regression/fitted_model.h"
#include "regression/function_fit.h"
#include "regression/point_to_point.h"
#include "regression/polynomial_fit.h"
#include "regression/straight_line.h"
#include "regression/weighted_line.h"

namespace tabulon {
namespace {

FitOutcome FitLine(std::shared_ptr<const RegressionData> data, const FitSpec& spec, LineMode mode) {
    TRegressionLine line;
    if (!ComputeRegressionLine(data->x, data->y, mode, spec.fixed_value, line)) {
        return {nullptr,
                ChooseText("Curve adaption cannot be made", "Kurvanpassningen kan ej utföras")};
    }
    return {std::make_unique<StraightLineModel>(std::move(data), spec, line), {}};
}

FitOutcome FitByType(std::shared_ptr<const RegressionData> data, const FitSpec& spec) {
    if (!data || data->size() < 2) {
        return {nullptr, ChooseText("Too few data points", "För få datapunkter")};
    }
    switch (spec.type) {
        case FitType::LeastSquares:
            return FitLine(std::move(data), spec, LineMode::LeastSquares);
        case FitType::Origin:
            return FitLine(std::move(data), spec, LineMode::Origin);
        case FitType::FixedSlope:
            return FitLine(std::move(data), spec, LineMode::FixedSlope);
        case FitType::FixedIntercept:
            return FitLine(std::move(data), spec, LineMode::FixedIntercept);
        case FitType::PointToPoint:
            return FitPointToPoint(std::move(data), spec);
        case FitType::ControlChart:
            return FitControlChart(std::move(data), spec);
        case FitType::WeightedMultipleY:
            return FitWeightedMultipleY(std::move(data), spec);
        case FitType::WeightedInverseX:
            return FitWeightedInverseX(std::move(data), spec);
        case FitType::Polynomial:
        case FitType::WeightedPolynomial:
            return FitPolynomial(std::move(data), spec);
        case FitType::NamedFunction:
            return FitNamedFunction(std::move(data), spec);
        case FitType::OwnFunction:
            return FitOwnFunction(std::move(data), spec);
        default:
            return {nullptr, ChooseText("Function missing ", "Funktionen saknas")};
    }
}

}  // namespace

FitOutcome Fit(std::shared_ptr<const RegressionData> data, const FitSpec& spec, Extended level) {
    FitOutcome out = FitByType(std::move(data), spec);
    if (out.model) out.model->SetLevel(level);
    return out;
}

}  // namespace tabulon

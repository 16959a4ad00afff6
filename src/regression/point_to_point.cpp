// The point-to-point curve: knots, interpolation both ways.
#include "regression/point_to_point.h"

#include <algorithm>
#include <map>

#include "base/language.h"
#include "regression/regression_texts.h"

namespace tabulon {

PointToPointModel::PointToPointModel(std::shared_ptr<const RegressionData> data, FitSpec spec,
                                     std::vector<std::pair<Extended, Extended>> knots)
    : FittedModel(std::move(data), spec), m_knots(std::move(knots)) {}

std::string PointToPointModel::Name() const {
    return ChooseText("Point to point", "Punkt till punkt");
}

Extended PointToPointModel::ValueAt(Extended x) const {
    auto it = std::lower_bound(m_knots.begin(), m_knots.end(), x,
                               [](const auto& k, Extended v) { return k.first < v; });
    if (it == m_knots.begin()) ++it;
    if (it == m_knots.end()) --it;
    const auto& [x1, y1] = *it;
    const auto& [x0, y0] = *(it - 1);
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

XFromYResult PointToPointModel::XFromY(Extended y, int) const {
    XFromYResult out;
    for (std::size_t i = 1; i < m_knots.size(); ++i) {
        const auto& [x0, y0] = m_knots[i - 1];
        const auto& [x1, y1] = m_knots[i];
        if (y < std::min(y0, y1) || y > std::max(y0, y1)) continue;
        out.ok = true;
        out.x = y1 == y0 ? x0 : x0 + (x1 - x0) * (y - y0) / (y1 - y0);
        return out;
    }
    out.message = ChooseText("y lies outside the curve", "y ligger utanför kurvan");
    return out;
}

std::string PointToPointModel::EquationText() const {
    return Name();
}

std::string PointToPointModel::StatusLine() const {
    return "    n = " + std::to_string(data().size());
}

bool PointToPointModel::Supports(RegressionItem item) const {
    return item == RegressionItem::Function || item == RegressionItem::YFromX ||
           item == RegressionItem::XFromY;
}

std::optional<ReportText> PointToPointModel::Report(RegressionItem) const {
    return std::nullopt;
}

std::vector<std::pair<std::string, Extended>> PointToPointModel::Values() const {
    return {{"n", static_cast<Extended>(data().size())},
            {"knots", static_cast<Extended>(m_knots.size())}};
}

FitOutcome FitPointToPoint(std::shared_ptr<const RegressionData> data, const FitSpec& spec) {
    std::map<Extended, std::pair<Extended, int>> sums;
    for (std::size_t i = 0; i < data->size(); ++i) {
        auto& [sum, count] = sums[data->x[i]];
        sum += data->y[i];
        ++count;
    }
    if (sums.size() < 2) {
        return {nullptr,
                ChooseText("Curve adaption cannot be made", "Kurvanpassningen kan ej utföras")};
    }
    std::vector<std::pair<Extended, Extended>> knots;
    knots.reserve(sums.size());
    for (const auto& [x, s] : sums) knots.emplace_back(x, s.first / s.second);
    return {std::make_unique<PointToPointModel>(std::move(data), spec, std::move(knots)), {}};
}

}  // namespace tabulon

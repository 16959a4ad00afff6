// What every fitted model shares: the level and its t factor, y(x) from the bands, residuals.
#include "regression/fitted_model.h"

#include <cmath>

#include "numeric/t_distribution.h"

namespace tabulon {

void FittedModel::SetLevel(Extended level) {
    if (!(level > 0) || !(level < 1)) level = 0.95L;
    m_level = level;
    const int df = DegreesOfFreedom();
    m_t_factor = df >= 1 ? TQuantile(df, (1 - level) / 2) : 0;
}

YFromXResult FittedModel::YFromX(Extended x) const {
    const auto bands = BandsAt(x);
    if (!bands) return YFromXResult{ValueAt(x), false, 0, 0};
    return YFromXResult{ValueAt(x), true, bands->confidence, bands->prediction};
}

std::vector<Extended> FittedModel::Residuals() const {
    const RegressionData& d = *m_data;
    std::vector<Extended> e(d.size());
    for (std::size_t i = 0; i < d.size(); ++i) e[i] = d.y[i] - ValueAt(d.x[i]);
    return e;
}

}  // namespace tabulon

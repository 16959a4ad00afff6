// The F distribution: grid quantile, density, exact tails.
#include "numeric/f_distribution.h"

#include <cmath>
#include <limits>

#include "numeric/grid_search.h"
#include "numeric/special_functions.h"

namespace tabulon {
namespace {

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();
constexpr long kStepCap = 1000000;

TailProbabilities FTails(Extended df1, Extended df2, Extended x) {
    if (!(x > 0)) return {0, 1};
    if (std::isinf(x)) return {1, 0};
    const Extended scaled = df1 * x;
    return IncompleteBeta(df1 / 2, df2 / 2, scaled / (scaled + df2), df2 / (scaled + df2));
}

// The search shared by both forms: a plain sum of `curve` at h, 2h, … until it passes the
// target, half the last term taken back, then back to the last grid point not past it.
// NaN past the step cap of a million steps or past `max_steps`.
template <typename Curve>
Extended GridSearch(Curve curve, Extended target, Extended h, long max_steps) {
    long j = 0;
    Extended sum = 0;
    do {
        ++j;
        sum += curve(j * h);
    } while (!(sum > target) && j <= kStepCap && j < max_steps);
    if (!(sum > target)) return kNaN;
    sum -= curve(j * h) / 2;
    if (sum > target) {
        do {
            --j;
            const Extended x = j * h;
            sum -= (curve(x) + curve(x - h)) / 2;
        } while (!(sum < target) && j > 0);
    }
    return j * h;
}

// df1 = 1: F = t², searched over t with the density of |T| for df2 degrees of freedom.
Extended GridSearchT(int df2, Extended p, Extended h, long max_steps) {
    const Extended nu = df2;
    const Extended c = std::pow(nu, nu / 2) / BetaHalf(nu / 2, Extended(0.5));
    if (!std::isfinite(c) || !(c > 0)) return kNaN;
    const auto curve = [df2](Extended x) {
        return 2 * grid::PowerOfHalfMultiple(x * x + df2, -(static_cast<long>(df2) + 1));
    };
    return GridSearch(curve, p / (c * h), h, max_steps);
}

Extended GridSearchF(int df1, int df2, Extended p, Extended h, long max_steps) {
    const Extended a = df1;
    const Extended b = df2;
    const Extended c = std::pow(a, a / 2) * std::pow(b, b / 2) / BetaHalf(a / 2, b / 2);
    if (!std::isfinite(c) || !(c > 0)) return kNaN;
    const auto curve = [df1, df2](Extended x) {
        return grid::PowerOfHalfMultiple(x, static_cast<long>(df1) - 2) *
               grid::PowerOfHalfMultiple(df1 * x + df2, -(static_cast<long>(df1) + df2));
    };
    return GridSearch(curve, p / (c * h), h, max_steps);
}

}  // namespace

Extended FLowerTail(Extended df1, Extended df2, Extended x) {
    return FTails(df1, df2, x).lower;
}

Extended FUpperTail(Extended df1, Extended df2, Extended x) {
    return FTails(df1, df2, x).upper;
}

Extended FExactQuantile(Extended df1, Extended df2, Extended p) {
    if (std::isnan(p) || std::isnan(df1) || std::isnan(df2)) return kNaN;
    if (p <= 0) return 0;
    if (p >= 1) return std::numeric_limits<Extended>::infinity();
    if (p <= Extended(0.5)) {
        return grid::SolvePositive([=](Extended x) { return FTails(df1, df2, x).lower >= p; });
    }
    const Extended q = 1 - p;
    return grid::SolvePositive([=](Extended x) { return FTails(df1, df2, x).upper <= q; });
}

Extended FQuantile(int df1, int df2, Extended p) {
    if (std::isnan(p)) return p;
    if (df1 < 1 || df2 < 1 || p <= 0) return 0;
    if (p >= 1) return 1e30L;
    const Extended exact = FExactQuantile(df1, df2, p);
    if (df1 == 1) {
        const Extended h = Extended(0.0003);
        const Extended t = std::sqrt(exact);
        const long limit = grid::StepLimit(t, h);
        const Extended found = limit > 0 ? GridSearchT(df2, p, h, limit) : kNaN;
        const Extended on_grid = grid::IsSound(found, t, h) ? found : grid::OnGrid(t, h);
        return on_grid * on_grid;
    }
    Extended h = df1 > 2 && df2 > 2 ? Extended(0.001) : Extended(0.0001);
    if (df2 == 1) h = Extended(0.01);
    h /= 2;
    const long limit = grid::StepLimit(exact, h);
    const Extended found = limit > 0 ? GridSearchF(df1, df2, p, h, limit) : kNaN;
    return grid::IsSound(found, exact, h) ? found : grid::OnGrid(exact, h);
}

Extended FDensity(int df1, int df2, Extended x) {
    if (std::isnan(x)) return x;
    if (df1 < 1 || df2 < 1 || !(x > Extended(1e-20) && x < 1000)) return 0;
    const Extended a = df1;
    const Extended b = df2;
    if (df1 == 1) {
        const Extended direct = 2 * std::pow(b, b / 2) * std::pow(x * x + b, -(b + 1) / 2) /
                                BetaHalf(b / 2, Extended(0.5));
        if (std::isfinite(direct)) return direct;
        return 2 * std::exp((b / 2) * std::log(b) - ((b + 1) / 2) * std::log(x * x + b) -
                            (LogGamma(b / 2) + LogGamma(Extended(0.5)) - LogGamma((b + 1) / 2)));
    }
    const Extended direct = std::pow(a, a / 2) * std::pow(b, b / 2) * std::pow(x, a / 2 - 1) /
                            (BetaHalf(b / 2, a / 2) * std::pow(a * x + b, (a + b) / 2));
    if (std::isfinite(direct)) return direct;
    // Many degrees of freedom overflow the powers; the same density from logarithms.
    return std::exp((a / 2) * std::log(a) + (b / 2) * std::log(b) + (a / 2 - 1) * std::log(x) -
                    (LogGamma(a / 2) + LogGamma(b / 2) - LogGamma((a + b) / 2)) -
                    ((a + b) / 2) * std::log(a * x + b));
}

}  // namespace tabulon

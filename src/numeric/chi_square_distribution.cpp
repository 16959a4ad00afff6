// The χ² distribution: grid quantile, density, exact tails.
#include "numeric/chi_square_distribution.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "numeric/grid_search.h"
#include "numeric/special_functions.h"

namespace tabulon {
namespace {

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

// The grid step: fine where the density is steep near 0, coarse for many degrees of
// freedom, and ten times finer in the lower tail.
Extended GridStep(int df, Extended p) {
    Extended h = 1;
    if (df == 1) {
        h = p <= Extended(0.001) ? Extended(1e-6) : Extended(1e-5);
    } else if (df == 2) {
        h = Extended(1e-4);
    } else if (df < 10) {
        h = Extended(0.001);
    } else if (df < 30) {
        h = Extended(0.01);
    } else if (df < 300) {
        h = Extended(0.1);
    }
    if (p < Extended(0.2)) h /= 10;
    return h;
}

// x^(df/2 − 1)·e^(−x/2): the density without its constant.
Extended ChiSquareCurve(int df, Extended x) {
    return grid::PowerOfHalfMultiple(x, static_cast<long>(df) - 2) * std::exp(-x / 2);
}

// The grid search: a plain sum of the curve from the first step on (the curve at 0 is
// left out), half the last term taken back, then back to the last grid point not past
// the target. NaN when it takes more than `max_steps` or its constant overflows.
Extended GridQuantile(int df, Extended p, Extended h, long max_steps) {
    const Extended half = static_cast<Extended>(df) / 2;
    const Extended c = std::pow(Extended(2), -half) / GammaHalf(half) * h;
    if (!std::isfinite(c) || !(c > 0)) return kNaN;
    const Extended target = p / c;
    long j = 0;
    Extended sum = 0;
    do {
        ++j;
        sum += ChiSquareCurve(df, j * h);
    } while (!(sum > target) && j < max_steps);
    if (!(sum > target)) return kNaN;
    sum -= ChiSquareCurve(df, j * h) / 2;
    if (sum > target) {
        do {
            --j;
            const Extended x = j * h;
            sum -= (ChiSquareCurve(df, x) + ChiSquareCurve(df, x - h)) / 2;
        } while (!(sum < target) && j > 0);
    }
    return j * h;
}

}  // namespace

Extended ChiSquareLowerTail(Extended df, Extended x) {
    return IncompleteGamma(df / 2, x / 2).lower;
}

Extended ChiSquareUpperTail(Extended df, Extended x) {
    return IncompleteGamma(df / 2, x / 2).upper;
}

Extended ChiSquareExactQuantile(Extended df, Extended p) {
    if (std::isnan(p) || std::isnan(df)) return kNaN;
    if (p <= 0) return 0;
    if (p >= 1) return std::numeric_limits<Extended>::infinity();
    // Search on whichever tail is the smaller, so that its digits are not lost to 1 − p.
    if (p <= Extended(0.5)) {
        return grid::SolvePositive(
            [df, p](Extended x) { return IncompleteGamma(df / 2, x / 2).lower >= p; }, df);
    }
    const Extended q = 1 - p;
    return grid::SolvePositive(
        [df, q](Extended x) { return IncompleteGamma(df / 2, x / 2).upper <= q; }, df);
}

Extended ChiSquareQuantile(int df, Extended p) {
    if (std::isnan(p)) return p;
    if (df < 1 || p <= 0) return 0;
    if (p > Extended(0.9999999)) return 1e30L;
    const Extended h = GridStep(df, p);
    const Extended exact = ChiSquareExactQuantile(df, p);
    const long limit = grid::StepLimit(exact, h);
    const Extended found = limit > 0 ? GridQuantile(df, p, h, limit) : kNaN;
    return grid::IsSound(found, exact, h) ? found : grid::OnGrid(exact, h);
}

Extended ChiSquareDensity(int df, Extended x) {
    if (std::isnan(x)) return x;
    if (df < 1 || !(x > Extended(1e-20) && x < 1000)) return 0;
    const Extended half = static_cast<Extended>(df) / 2;
    if (df > 2000) {
        // The product below would take df/2 factors; the same density from logarithms.
        return std::exp((half - 1) * std::log(x) - x / 2 - half * std::log(Extended(2)) -
                        LogGamma(half));
    }
    // density(df) = x/(df − 2) · density(df − 2), down to df = 1 or 2.
    const int base_df = df % 2 == 1 ? 1 : 2;
    Extended density = base_df == 1
                           ? std::exp(-x / 2) / std::sqrt(2 * std::numbers::pi_v<Extended> * x)
                           : std::exp(-x / 2) / 2;
    for (int k = base_df + 2; k <= df; k += 2) density *= x / (k - 2);
    return density;
}

}  // namespace tabulon

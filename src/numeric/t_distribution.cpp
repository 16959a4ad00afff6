// Student's t distribution: trapezoid cumulative function, grid quantile, curve, exact tail.
#include "numeric/t_distribution.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "numeric/grid_search.h"
#include "numeric/normal_distribution.h"
#include "numeric/special_functions.h"

namespace tabulon {
namespace {

constexpr Extended kQuantileStep = 0.001L;
constexpr Extended kInfiniteQuantile = 1e100L;

// The t density without its constant: (1 + x²/df)^(−(df+1)/2).
Extended TCurve(int df, Extended x) {
    return grid::PowerOfHalfMultiple(1 + x * x / df, -(static_cast<long>(df) + 1));
}

// Γ((df+1)/2)/(√(df·π)·Γ(df/2)): the constant of the t density.
Extended TConstant(int df) {
    const Extended d = df;
    return GammaHalf((d + 1) / 2) /
           (std::sqrt(d * std::numbers::pi_v<Extended>) * GammaHalf(d / 2));
}

// The trapezoid of the density from 0 to |t| with 10,000 intervals, added to or taken
// from 0.5; a value outside [0, 1] comes back as NaN, which no check accepts.
Extended TrapezoidCdf(int df, Extended t) {
    const Extended b = std::fabs(t);
    const Extended h = b / 10000;
    Extended sum = (TCurve(df, 0) + TCurve(df, b)) / 2;
    for (int i = 1; i < 10000; ++i) sum += TCurve(df, i * h);
    const Extended area = sum * h * TConstant(df);
    const Extended p = t >= 0 ? Extended(0.5) + area : Extended(0.5) - area;
    return p >= 0 && p <= 1 ? p : std::numeric_limits<Extended>::quiet_NaN();
}

// The grid search for the upper critical value: steps of 0.001 from 0 until the trapezoid
// sum passes the target, then back to the last grid point not past it. NaN when it takes
// more than `max_steps`.
Extended GridQuantile(int df, Extended p, long max_steps) {
    const Extended h = kQuantileStep;
    const Extended c = TConstant(df) * h;
    if (!std::isfinite(c) || !(c > 0)) return std::numeric_limits<Extended>::quiet_NaN();
    const Extended target = (Extended(0.5) - p) / c;
    long j = 0;
    Extended sum = TCurve(df, 0) / 2;
    do {
        ++j;
        sum += TCurve(df, j * h);
    } while (!(sum > target) && j < max_steps);
    if (!(sum > target)) return std::numeric_limits<Extended>::quiet_NaN();
    sum -= TCurve(df, j * h) / 2;
    if (sum > target) {
        do {
            --j;
            const Extended x = j * h;
            sum -= (TCurve(df, x) + TCurve(df, x - h)) / 2;
        } while (!(sum < target) && j > 0);
    }
    return j * h;
}

}  // namespace

Extended StudentTUpperTail(Extended df, Extended t) {
    if (std::isnan(t) || std::isnan(df)) return std::numeric_limits<Extended>::quiet_NaN();
    if (t < 0) return 1 - StudentTUpperTail(df, -t);
    const Extended t2 = t * t;
    Extended x = df / (df + t2);
    Extended y = t2 / (df + t2);
    if (std::isinf(t2)) {
        x = df / t / t;
        y = 1;
    }
    return IncompleteBeta(df / 2, Extended(0.5), x, y).lower / 2;
}

Extended StudentTUpperQuantile(Extended df, Extended p) {
    if (std::isnan(p)) return p;
    if (p >= Extended(0.5)) return 0;
    if (p <= 0) return std::numeric_limits<Extended>::infinity();
    return grid::SolvePositive([df, p](Extended t) { return StudentTUpperTail(df, t) <= p; });
}

Extended TCdf(int df, Extended t) {
    if (std::isnan(t)) return t;
    if (df < 1) return 0.5L;
    if (std::fabs(t) < Extended(1e-20)) return 0.5L;
    const Extended found = df > 2000 ? NormalCdf(t) : TrapezoidCdf(df, t);
    const Extended upper = StudentTUpperTail(df, std::fabs(t));
    const Extended exact = t >= 0 ? 1 - upper : upper;
    return grid::IsSoundProbability(found, exact) ? found : exact;
}

Extended TQuantile(int df, Extended p) {
    if (std::isnan(p)) return p;
    if (p < 0 || p > Extended(0.5) || df < 1) return 0;
    if (p == 0) return kInfiniteQuantile;
    if (df > 2000) {
        // The normal quantile nearly always lies within two grid steps of the exact one,
        // which is all the check below asks. Two exact tails either side of it bracket the
        // exact root inside that reach and spare the root search, a hundred tails and more;
        // Grubbs' test asks for hundreds of these quantiles.
        const Extended found = NormalQuantileFast(1 - p);
        const Extended reach = 2 * kQuantileStep * (1 - Extended(1e-6));
        auto past = [df, p](Extended t) { return StudentTUpperTail(df, t) <= p; };
        if (std::isfinite(found) && !past(found - reach) && past(found + reach)) return found;
    }
    const Extended exact = StudentTUpperQuantile(df, p);
    if (exact > kInfiniteQuantile) return kInfiniteQuantile;
    const Extended h = kQuantileStep;
    Extended found = std::numeric_limits<Extended>::quiet_NaN();
    if (df > 2000) {
        found = NormalQuantileFast(1 - p);
    } else if (const long limit = grid::StepLimit(exact, h); limit > 0) {
        found = GridQuantile(df, p, limit);
    }
    return grid::IsSound(found, exact, h) ? found : grid::OnGrid(exact, h);
}

Extended TShape(int df, Extended x) {
    if (df < 1 || df > 2000) return 0;
    return TCurve(df, x);
}

}  // namespace tabulon

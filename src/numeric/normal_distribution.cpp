// The standard normal distribution: table, cumulative function, quantile searches.
#include "numeric/normal_distribution.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "numeric/grid_search.h"

namespace tabulon {
namespace {

// Φ(k/10), k = 0 … 60, rounded to 8 decimals up to k = 46 and to 10 from k = 47 on.
constexpr Extended kPhi[61] = {
    0.50000000L,   0.53982784L,   0.57925971L,   0.61791142L,   0.65542174L,   0.69146246L,
    0.72574688L,   0.75803635L,   0.78814460L,   0.81593987L,   0.84134475L,   0.86433394L,
    0.88493033L,   0.90319952L,   0.91924334L,   0.93319280L,   0.94520071L,   0.95543454L,
    0.96406968L,   0.97128344L,   0.97724987L,   0.98213558L,   0.98609655L,   0.98927589L,
    0.99180246L,   0.99379033L,   0.99533881L,   0.99653303L,   0.99744487L,   0.99813419L,
    0.99865010L,   0.99903240L,   0.99931286L,   0.99951658L,   0.99966307L,   0.99976737L,
    0.99984089L,   0.99989220L,   0.99992765L,   0.99995190L,   0.99996833L,   0.99997934L,
    0.99998665L,   0.99999146L,   0.99999459L,   0.99999660L,   0.99999789L,   0.9999986992L,
    0.9999992067L, 0.9999995208L, 0.9999997133L, 0.9999998302L, 0.9999999004L, 0.9999999421L,
    0.9999999667L, 0.9999999810L, 0.9999999893L, 0.9999999940L, 0.9999999967L, 0.9999999982L,
    0.9999999990L,
};

const Extended kSqrt2 = std::sqrt(Extended(2));
const Extended kSqrt2Pi = std::sqrt(2 * std::numbers::pi_v<Extended>);

// exp(−z²/2): the searches carry the factor 1/√(2π) in their targets.
Extended Bell(Extended z) {
    return std::exp(-z * z / 2);
}

// Φ(b) − Φ(a) for a ≤ b, from whichever of erf and erfc has no cancellation there.
Extended NormalArea(Extended a, Extended b) {
    if (a >= 0) return (std::erfc(a / kSqrt2) - std::erfc(b / kSqrt2)) / 2;
    if (b <= 0) return (std::erfc(-b / kSqrt2) - std::erfc(-a / kSqrt2)) / 2;
    return (std::erf(b / kSqrt2) - std::erf(a / kSqrt2)) / 2;
}

constexpr Extended kFineStep = 1e-5L;
constexpr long kFineStepCap = 100001;

// The fine search for p ≥ 0.5: the last table point not above p (at most 4), then steps of
// 1e−5 until the trapezoid area passes the rest of p; the step cap stops it near 5.00001.
Extended FineSearch(Extended p) {
    int k = 0;
    do {
        ++k;
    } while (p >= PhiTable(k) && k <= 40);
    --k;
    const Extended h = kFineStep;
    const Extended z_table = k / Extended(10);
    const Extended target = (p - PhiTable(k)) * kSqrt2Pi / h;
    long j = 0;
    Extended sum = Bell(z_table) / 2;
    for (long steps = 0; steps < kFineStepCap; ++steps) {
        ++j;
        sum += Bell(z_table + j * h);
        if (sum > target) break;
    }
    sum -= Bell(z_table + j * h) / 2;
    while (sum > target && j > 0) {
        --j;
        const Extended z = z_table + j * h;
        sum -= (Bell(z - h) + Bell(z)) / 2;
    }
    return z_table + j * h;
}

// The coarse search of the fast quantile: steps of 0.01 from −4 over the lower tail,
// adding exp(−z²/2) at each step until the sum reaches √(2π)·q/0.01. The running sums are
// the same for every p, so they are added once, in the same order, and each search becomes
// a binary search for the first sum that reaches its target: the same step as the loop
// stops at. The Φ values of each step's secant are kept with them.
constexpr int kCoarseSteps = 401;

struct CoarseGrid {
    std::array<Extended, kCoarseSteps + 1> sum{};  // sum[i]: after the step to (i − 400)/100
    std::array<Extended, kCoarseSteps + 1> z{};
    // Φ at ±z[i] and 0.001 above, for the secant of a p below 0.5 (lower) or above.
    std::array<Extended, kCoarseSteps + 1> lower_p0{}, lower_p1{}, upper_p0{}, upper_p1{};
};

const CoarseGrid& TheCoarseGrid() {
    static const CoarseGrid grid = [] {
        CoarseGrid g;
        const Extended d = Extended(0.01);
        Extended sum = kSqrt2Pi * Extended(3e-5) / d;
        for (int i = 1; i <= kCoarseSteps; ++i) {
            const Extended z = (i - 400) / Extended(100);
            sum += Bell(z);
            const auto k = static_cast<std::size_t>(i);
            g.sum[k] = sum;
            g.z[k] = z;
            g.lower_p0[k] = NormalCdf(z);
            g.lower_p1[k] = NormalCdf(z + Extended(0.001));
            g.upper_p0[k] = NormalCdf(-z);
            g.upper_p1[k] = NormalCdf(-z + Extended(0.001));
        }
        return g;
    }();
    return grid;
}

}  // namespace

Extended PhiTable(int k) {
    if (k < 0) return 1 - PhiTable(k == std::numeric_limits<int>::min() ? 61 : -k);
    if (k <= 60) return kPhi[k];
    return 1;
}

Extended NormalCdf(Extended z) {
    if (std::isnan(z)) return z;
    if (z < -6) return 0;
    if (z > 6) return 1;
    Extended z0 = std::trunc(z * 10) / 10;
    if (z < 0) z0 -= Extended(0.1);
    const Extended area = z < z0 + Extended(1e-100) ? 0 : NormalArea(z0, z);
    return PhiTable(static_cast<int>(std::lround(10 * z0))) + area;
}

Extended NormalQuantile(Extended p) {
    if (std::isnan(p)) return p;
    if (p <= 0) return -1e100L;
    if (p >= 1) return 1e100L;
    // Below 0.5 the search runs on 1 − p and the sign turns; the exact check uses the
    // tail itself, which 1 − p would round away for a tiny p.
    const bool lower = p < Extended(0.5);
    const Extended found = FineSearch(lower ? 1 - p : p);
    const Extended exact = NormalUpperQuantile(lower ? p : 1 - p);
    const Extended z =
        grid::IsSound(found, exact, kFineStep) ? found : grid::OnGrid(exact, kFineStep);
    return lower ? -z : z;
}

Extended NormalQuantileFast(Extended p) {
    if (std::isnan(p)) return p;
    if (p <= 0 || p >= 1) return 0;
    // Outside the coarse grid a secant step from ±4 misses by up to 0.1 and more.
    if (p < Extended(3e-5)) return -NormalUpperQuantile(p);
    if (p > Extended(0.99997)) return NormalUpperQuantile(1 - p);
    const CoarseGrid& grid = TheCoarseGrid();
    const Extended d = Extended(0.01);
    const bool lower = p < Extended(0.5);
    const Extended q = p <= Extended(0.5) ? p : 1 - p;
    const Extended target = kSqrt2Pi * q / d;
    // The first step whose sum reaches the target; the search stops at 0.01 regardless.
    const auto first = grid.sum.begin() + 1;
    const auto last = grid.sum.begin() + kCoarseSteps;
    const auto k =
        static_cast<std::size_t>(std::lower_bound(first, last, target) - grid.sum.begin());
    const Extended z0 = lower ? grid.z[k] : -grid.z[k];
    const Extended p0 = lower ? grid.lower_p0[k] : grid.upper_p0[k];
    const Extended p1 = lower ? grid.lower_p1[k] : grid.upper_p1[k];
    return z0 + Extended(0.001) * (p - p0) / (p1 - p0);
}

Extended NormalShape(Extended s, Extended m, Extended x) {
    if (x == m) return 1;
    const Extended u = (x - m) * (x - m) / (2 * s * s);
    if (u >= 35) return 0;
    return std::exp(-u);
}

Extended NormalUpperTail(Extended z) {
    if (std::isnan(z)) return z;
    return std::erfc(z / kSqrt2) / 2;
}

Extended NormalUpperQuantile(Extended q) {
    if (std::isnan(q)) return q;
    if (q >= Extended(0.5)) return 0;
    if (q <= 0) return std::numeric_limits<Extended>::infinity();
    return grid::SolvePositive([q](Extended z) { return NormalUpperTail(z) <= q; });
}

}  // namespace tabulon

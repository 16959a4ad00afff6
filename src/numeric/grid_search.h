// What the distribution families share: the exact root search that checks each grid
// search, the rule that keeps a grid result, and the rounding of an exact value to the grid.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

#include "numeric/extended.h"

namespace tabulon::grid {

// No grid search runs longer than this many steps; beyond it the exact quantile, rounded
// to the grid, is the answer. Two million steps of exp/pow are a few tens of milliseconds.
inline constexpr long kMaxSteps = 2000000;

// The most steps a search may take and still end sound: past the exact quantile by the
// tolerance below and the few steps its backward correction takes. A search that has not
// stopped by then is abandoned rather than run to its cap. 0 when even that is beyond
// kMaxSteps: the search is then not run at all.
inline long StepLimit(Extended exact, Extended step) {
    const Extended tolerance = std::max(2 * step, Extended(1e-4) * std::fabs(exact));
    const Extended steps = std::ceil((std::fabs(exact) + tolerance) / step) + 4;
    return steps <= static_cast<Extended>(kMaxSteps) ? static_cast<long>(steps) : 0;
}

// A grid search result is kept when it lies within two grid steps, or 1e-4 relative, of the
// exact quantile: the displayed critical values come from the grid searches.
inline bool IsSound(Extended found, Extended exact, Extended step) {
    if (!std::isfinite(found)) return false;
    const Extended gap = std::fabs(found - exact);
    return gap <= 2 * step * (1 + Extended(1e-9)) || gap <= Extended(1e-4) * std::fabs(exact);
}

// A probability from a numerical integration is kept within 1e-8 of the exact one.
inline bool IsSoundProbability(Extended found, Extended exact) {
    return found >= 0 && found <= 1 && std::fabs(found - exact) <= Extended(1e-8);
}

// base^(twice_exponent / 2) for the half-integer exponents the densities have, by binary
// powering and one square root: the searches evaluate their curves up to millions of
// times, and the general power function is many times slower than this with no gain in
// accuracy (about n rounding errors relative for an exponent n, as for pow itself).
inline Extended PowerOfHalfMultiple(Extended base, long twice_exponent) {
    const bool negative = twice_exponent < 0;
    unsigned long n = static_cast<unsigned long>(negative ? -twice_exponent : twice_exponent);
    Extended result = (n & 1) ? std::sqrt(base) : Extended(1);
    n >>= 1;
    for (Extended square = base; n != 0; n >>= 1) {
        if (n & 1) result *= square;
        if (n > 1) square *= square;
    }
    return negative ? 1 / result : result;
}

// The exact quantile the way a grid search reports it: the grid point at or below it
// (towards 0 for a negative value). The slack keeps a value that is a grid point up to
// rounding on that point.
inline Extended OnGrid(Extended exact, Extended step) {
    if (!std::isfinite(exact)) return exact;
    const Extended steps = std::floor(std::fabs(exact) / step + Extended(1e-9));
    return std::copysign(steps * step, exact);
}

// The x > 0 where the monotone predicate `at_or_past` turns true: bracketed by factors of
// 16 outward from `start`, then bisected (geometrically while the bracket is wide) until
// the bracket is a few units in the last place. Every loop is bounded.
template <typename AtOrPast>
Extended SolvePositive(AtOrPast at_or_past, Extended start = 1) {
    Extended lo = start;
    Extended hi = start;
    if (at_or_past(start)) {
        lo = start / 16;
        for (int k = 0; k < 1300 && at_or_past(lo); ++k) {
            hi = lo;
            lo /= 16;
            if (lo == 0) return 0;
        }
    } else {
        hi = start * 16;
        for (int k = 0; k < 1300 && !at_or_past(hi); ++k) {
            lo = hi;
            hi *= 16;
            if (std::isinf(hi)) return hi;
        }
    }
    for (int i = 0; i < 400; ++i) {
        const Extended mid = hi > 2 * lo ? std::sqrt(lo) * std::sqrt(hi) : lo + (hi - lo) / 2;
        if (!(mid > lo && mid < hi)) break;
        if (at_or_past(mid)) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    return lo + (hi - lo) / 2;
}

}  // namespace tabulon::grid

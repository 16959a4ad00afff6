// Tick placement: round steps from exact powers of ten, and the ticks next to a value.
#include "graphs/axis_ticks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tabulon {
namespace {

// 10^k correctly rounded. Repeated multiplication by ten drifts above the power (1e2 built
// from 1e-38 is slightly more than 100) and then a range starting at a multiple of the step
// loses its first tick.
Extended Pow10(int k) {
    const std::string text = "1e" + std::to_string(k);
    Extended value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        return k > 0 ? std::numeric_limits<Extended>::infinity() : Extended(0);
    }
    return value;
}

// Powers of ten up to 10^27 are whole numbers that the 64-bit mantissa holds exactly; with
// them a multiple n * 10^-k is formed with a single rounding, as n / 10^k.
constexpr int kExactPowers = 27;

Extended MultipleOfPower(Extended n, int k) {
    if (k < 0 && -k <= kExactPowers) return n / Pow10(-k);
    return n * Pow10(k);
}

Extended QuotientByPower(Extended x, int k) {
    if (k < 0 && -k <= kExactPowers) return x * Pow10(-k);
    return x / Pow10(k);
}

// A quotient this close to a whole number is that number spoiled by rounding: values typed
// as 0.3 or computed from pixels differ from the decimal they stand for by far less.
constexpr Extended kRoundingTolerance = 1e-12L;

bool NearWhole(Extended q, Extended whole) {
    return std::fabs(q - whole) <= kRoundingTolerance * std::max(Extended(1), std::fabs(q));
}

Extended SnapToWhole(Extended q) {
    const Extended whole = std::round(q);
    return NearWhole(q, whole) ? whole : q;
}

// How close (in steps) a multiple must lie to count as being on the far side of x.
constexpr Extended kTickSlack = 0.001L;

}  // namespace

bool NiceTickStep(Extended& start, Extended& step, Extended a, Extended b) {
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    const Extended range = std::fabs(b - a);
    if (!std::isfinite(range) || range < 1e-38L) return false;

    // The smallest power of ten strictly above the range. log10 gives it to within one; the
    // two corrections settle the cases where the range is (nearly) a power itself.
    int e = static_cast<int>(std::floor(std::log10(range))) + 1;
    if (Pow10(e - 1) > range) --e;
    if (Pow10(e) <= range) ++e;

    int k = e - 2;
    if (SnapToWhole(QuotientByPower(range, k)) > 20) ++k;  // more than 2, at most 20 steps

    start = MultipleOfPower(std::trunc(SnapToWhole(QuotientByPower(a, k))), k);
    step = Pow10(k);
    return true;
}

Extended FirstTickAbove(Extended x, Extended step) {
    if (!std::isfinite(x) || !std::isfinite(step) || step == 0) {
        return std::numeric_limits<Extended>::quiet_NaN();
    }
    step = std::fabs(step);
    const Extended q = x / step;
    const Extended nearest = std::round(q);
    Extended n = std::ceil(q);
    if (std::fabs(q - nearest) < kTickSlack) {
        // x on a multiple: the next one; just past a multiple: that one still counts.
        n = NearWhole(q, nearest) ? nearest + 1 : nearest;
    }
    return n * step;
}

Extended LastTickBelow(Extended x, Extended step) {
    if (!std::isfinite(x) || !std::isfinite(step) || step == 0) {
        return std::numeric_limits<Extended>::quiet_NaN();
    }
    step = std::fabs(step);
    const Extended q = x / step;
    const Extended nearest = std::round(q);
    Extended n = std::floor(q);
    if (std::fabs(q - nearest) < kTickSlack) {
        n = NearWhole(q, nearest) ? nearest - 1 : nearest;
    }
    return n * step;
}

}  // namespace tabulon

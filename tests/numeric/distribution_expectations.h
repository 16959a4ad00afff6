// Comparisons the distribution tests share: relative closeness and grid quantiles.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/extended.h"

namespace tabulon::testing_support {

// |actual − expected| within `tolerance` relative to |expected|.
inline ::testing::AssertionResult RelativelyNear(Extended actual, Extended expected,
                                                 Extended tolerance) {
    const Extended gap = std::fabs(actual - expected);
    if (gap <= tolerance * std::fabs(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << static_cast<double>(actual) << " vs " << static_cast<double>(expected)
           << " (relative gap " << static_cast<double>(gap / std::fabs(expected)) << ")";
}

// A grid quantile: a whole number of `step`s, and within two steps of the exact value.
inline ::testing::AssertionResult OnGridNear(Extended actual, Extended exact, Extended step) {
    const Extended steps = actual / step;
    if (std::fabs(steps - std::round(steps)) > 1e-6L) {
        return ::testing::AssertionFailure()
               << static_cast<double>(actual) << " is not a multiple of "
               << static_cast<double>(step);
    }
    if (std::fabs(actual - exact) > 2 * step * (1 + 1e-9L)) {
        return ::testing::AssertionFailure()
               << static_cast<double>(actual) << " is more than two steps of "
               << static_cast<double>(step) << " from " << static_cast<double>(exact);
    }
    return ::testing::AssertionSuccess();
}

}  // namespace tabulon::testing_support

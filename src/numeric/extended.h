// The working precision of every computation: the x87 80-bit extended type.
#pragma once

#include <limits>

namespace tabulon {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Tabulon computes in 80-bit extended precision (x87 long double)");

}  // namespace tabulon

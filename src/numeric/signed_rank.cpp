// The exact distribution of the Wilcoxon signed-rank statistic for 3 to 45 pairs.
#include "numeric/signed_rank.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace tabulon {
namespace {

constexpr int kSmallestN = 3;
constexpr int kLargestN = 45;

// counts[w] = the number of subsets of the ranks 1 … n whose sum is w; 2^45 fits in 64 bits.
std::vector<std::uint64_t> SignedRankCounts(int n) {
    const int largest = n * (n + 1) / 2;
    std::vector<std::uint64_t> counts(static_cast<std::size_t>(largest) + 1, 0);
    counts[0] = 1;
    int reached = 0;
    for (int rank = 1; rank <= n; ++rank) {
        reached += rank;
        for (int w = reached; w >= rank; --w) counts[w] += counts[w - rank];
    }
    return counts;
}

}  // namespace

Extended SignedRankProbability(int n, Extended t) {
    if (n < kSmallestN || n > kLargestN) return -1;
    if (std::isnan(t)) return t;
    const Extended total = static_cast<Extended>(n) * (n + 1) / 2;
    if (t > total / 2) t = total - t;
    if (t < 0) return 0;
    // Tied ranks make T a half-integer or leave rounding dust; W itself is whole.
    const auto w_max = static_cast<long>(std::floor(t + Extended(1e-9)));
    const std::vector<std::uint64_t> counts = SignedRankCounts(n);
    std::uint64_t at_or_below = 0;
    for (long w = 0; w <= w_max && w < static_cast<long>(counts.size()); ++w) {
        at_or_below += counts[static_cast<std::size_t>(w)];
    }
    return static_cast<Extended>(at_or_below) / std::ldexp(Extended(1), n);
}

}  // namespace tabulon

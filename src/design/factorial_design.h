// Two- and three-level factorial designs: the model's design columns (variables, then pairs,
// then triples), the coded levels of a run, and the search for a fraction without confounded
// columns.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/random.h"

namespace tabulon {

// Endast huvudeffekter, two-variable and three-variable interactions.
enum class DesignModel { MainEffects = 0, TwoWay = 1, ThreeWay = 2 };

inline constexpr long long kMaxDesignColumns = 1000;
// The most cells (runs × design columns) a design may hold.
inline constexpr long long kMaxDesignCells = 5'000'000;

// The design columns' variable sets (0-based): each variable, then every pair and every triple
// in lexicographic order, as far as the model goes.
std::vector<std::vector<int>> DesignTerms(int variables, DesignModel model);
// T: k, + C(k, 2), + C(k, 3). Without overflow for any k ≥ 0.
long long DesignColumnCount(long long variables, DesignModel model);
// The model's terms with the constant: the least number of experiments, 1 + T.
inline long long MinimumRuns(long long variables, DesignModel model) {
    return 1 + DesignColumnCount(variables, model);
}

// The coded level (−1, 0, +1) of variable `j` (1-based) in run `r` as the full factorial numbers
// its runs: two levels, +1 while bit j−1 of r is 0; three levels, digit j−1 of r − 1 in base 3,
// minus 1.
int CodedLevel(std::uint64_t run, int j, int levels);

struct FactorialDesign {
    int variables = 0;
    int levels = 2;
    int runs = 0;
    DesignModel model = DesignModel::MainEffects;
    std::vector<std::vector<int>> terms;  // one per design column
    std::vector<signed char> cells;       // runs × columns, row by row
    long long confounded = 0;             // pairs of columns equal in every row
    int unbalanced = 0;  // columns that are constant (two levels) or miss a level (three)
    bool full = false;   // the full factorial (repeated when runs > L^k)
    long long passes = 0;

    int columns() const { return static_cast<int>(terms.size()); }
    int at(int run, int column) const { return cells[std::size_t(run) * terms.size() + column]; }
    // No confounded pair and every column balanced.
    bool accepted() const { return full || (confounded == 0 && unbalanced == 0); }
};

// "" when such a design can be searched for, else why not in the current language: fewer than
// two variables, levels other than 2 and 3, fewer than one run, more than kMaxDesignColumns
// design columns or more than kMaxDesignCells cells.
std::string DesignRefusal(long long variables, int levels, long long runs, DesignModel model);

// What the search reports to and hears from its caller.
struct DesignSearchControl {
    const std::atomic<bool>* cancel = nullptr;
    std::function<void(int percent)> report;
};

// The full factorial when runs ≥ L^k; otherwise up to 100 · L^k (and at most what a fixed
// budget of work allows) random fractions of distinct runs, stopping at the first with no
// confounded pair and every column balanced. Without one, the best met: fewest confounded
// pairs, then fewest unbalanced columns. The parameters must pass DesignRefusal. Returns a
// design with no runs when cancelled.
FactorialDesign GenerateDesign(int variables, int levels, int runs, DesignModel model,
                               Xoshiro256& rng, const DesignSearchControl& control = {});

// What the user is told of a design that was not accepted ("" for an accepted one), in the
// current language.
std::string DesignNotice(const FactorialDesign& design);

}  // namespace tabulon

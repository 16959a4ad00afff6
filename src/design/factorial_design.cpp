// Factorial designs and the search for a fraction.
#include "design/factorial_design.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/language.h"

namespace tabulon {
namespace {

// The work of the whole search is bounded: passes × runs × columns stays below this.
constexpr long long kSearchBudget = 200'000'000;
// Fractions of at most this many level combinations are drawn from a shuffled list of runs.
constexpr std::uint64_t kShuffledRuns = 1u << 20;

// L^k, or `cap` when it is larger.
std::uint64_t Combinations(int levels, int variables, std::uint64_t cap) {
    std::uint64_t m = 1;
    for (int j = 0; j < variables; ++j) {
        if (m > cap / static_cast<std::uint64_t>(levels)) return cap;
        m *= static_cast<std::uint64_t>(levels);
    }
    return std::min(m, cap);
}

long long Choose(long long n, int k) {
    if (n < k) return 0;
    if (k == 2) return n * (n - 1) / 2;
    return n * (n - 1) / 2 * (n - 2) / 3;  // n(n-1)/2 is whole, and so is its product / 3
}

// Fills the interaction columns of row `r` from its variables.
void FillInteractions(FactorialDesign& d, int r) {
    signed char* row = &d.cells[std::size_t(r) * d.terms.size()];
    for (std::size_t c = static_cast<std::size_t>(d.variables); c < d.terms.size(); ++c) {
        int product = 1;
        for (int v : d.terms[c]) product *= row[v];
        row[c] = static_cast<signed char>(product);
    }
}

// Counts the pairs of equal columns and the unbalanced columns.
void Judge(FactorialDesign& d) {
    const int n = d.runs, t = d.columns();
    std::unordered_map<std::string, long long> seen;
    seen.reserve(static_cast<std::size_t>(t) * 2);
    std::string column(static_cast<std::size_t>(n), '\0');
    d.confounded = 0;
    d.unbalanced = 0;
    for (int c = 0; c < t; ++c) {
        bool has[3] = {false, false, false};
        for (int r = 0; r < n; ++r) {
            const int level = d.at(r, c);
            column[r] = static_cast<char>(level);
            has[level + 1] = true;
        }
        d.confounded += seen[column]++;
        const int distinct = has[0] + has[1] + has[2];
        if (distinct < (d.levels == 2 ? 2 : 3)) ++d.unbalanced;
    }
}

bool Better(const FactorialDesign& a, const FactorialDesign& b) {
    if (a.confounded != b.confounded) return a.confounded < b.confounded;
    return a.unbalanced < b.unbalanced;
}

}  // namespace

std::vector<std::vector<int>> DesignTerms(int variables, DesignModel model) {
    std::vector<std::vector<int>> terms;
    for (int i = 0; i < variables; ++i) terms.push_back({i});
    if (model != DesignModel::MainEffects) {
        for (int i = 0; i < variables; ++i) {
            for (int j = i + 1; j < variables; ++j) terms.push_back({i, j});
        }
    }
    if (model == DesignModel::ThreeWay) {
        for (int i = 0; i < variables; ++i) {
            for (int j = i + 1; j < variables; ++j) {
                for (int l = j + 1; l < variables; ++l) terms.push_back({i, j, l});
            }
        }
    }
    return terms;
}

long long DesignColumnCount(long long variables, DesignModel model) {
    // Beyond this the count is far past every limit; it is held there rather than overflow.
    const long long k = std::clamp(variables, 0LL, 100000LL);
    long long t = k;
    if (model != DesignModel::MainEffects) t += Choose(k, 2);
    if (model == DesignModel::ThreeWay) t += Choose(k, 3);
    return t;
}

int CodedLevel(std::uint64_t run, int j, int levels) {
    if (levels == 2) return ((run >> (j - 1)) & 1) == 0 ? 1 : -1;
    // (r − 1) mod 3^j: for run 0 that is 3^j − 1, every digit 2.
    if (run == 0) return 1;
    std::uint64_t s = run - 1;
    for (int i = 1; i < j; ++i) s /= 3;
    return static_cast<int>(s % 3) - 1;
}

std::string DesignRefusal(long long variables, int levels, long long runs, DesignModel model) {
    if (variables < 2) {
        return ChooseText("A design needs at least two variables",
                          "En försöksplan behöver minst två variabler");
    }
    if (levels != 2 && levels != 3) {
        return ChooseText("The number of levels must be 2 or 3", "Antal nivåer måste vara 2 eller 3");
    }
    if (runs < 1) {
        return ChooseText("The number of experiments must be at least 1",
                          "Antal försök måste vara minst 1");
    }
    const long long t = DesignColumnCount(variables, model);
    if (t > kMaxDesignColumns) {
        return ChooseText("The model has " + std::to_string(t) +
                              " design columns; at most 1000 can be planned",
                          "Modellen har " + std::to_string(t) +
                              " kolumner; högst 1000 kan planeras");
    }
    if (runs > kMaxDesignCells / t) {
        return ChooseText("The design would hold " + std::to_string(runs * t) +
                              " values; at most 5000000 can be planned",
                          "Försöksplanen skulle rymma " + std::to_string(runs * t) +
                              " värden; högst 5000000 kan planeras");
    }
    return {};
}

FactorialDesign GenerateDesign(int variables, int levels, int runs, DesignModel model,
                               Xoshiro256& rng, const DesignSearchControl& control) {
    FactorialDesign d;
    d.variables = variables;
    d.levels = levels;
    d.runs = runs;
    d.model = model;
    d.terms = DesignTerms(variables, model);
    const std::size_t t = d.terms.size();
    d.cells.assign(std::size_t(runs) * t, 0);
    const std::uint64_t m = Combinations(levels, variables, ~std::uint64_t{0} / 128);

    if (static_cast<std::uint64_t>(runs) >= m) {
        d.full = true;
        d.passes = 1;
        for (int r = 0; r < runs; ++r) {
            for (int j = 1; j <= variables; ++j) {
                d.cells[std::size_t(r) * t + j - 1] =
                    static_cast<signed char>(CodedLevel(std::uint64_t(r) + 1, j, levels));
            }
            FillInteractions(d, r);
        }
        Judge(d);
        return d;
    }

    const long long work = std::max<long long>(1, static_cast<long long>(runs) * (long long)t);
    const std::uint64_t max_passes = std::min<std::uint64_t>(
        m * 100, static_cast<std::uint64_t>(std::max<long long>(1, kSearchBudget / work)));
    // Small sets of combinations are drawn by a partial shuffle of their run numbers, large
    // ones level by level with a check against repeats.
    std::vector<std::uint32_t> shuffled;
    if (m <= kShuffledRuns) {
        shuffled.resize(m);
        std::iota(shuffled.begin(), shuffled.end(), 0u);
    }
    std::unordered_set<std::string> drawn;
    std::string key(static_cast<std::size_t>(variables), '\0');

    FactorialDesign best;
    int reported = -1;
    for (std::uint64_t pass = 1; pass <= max_passes; ++pass) {
        if (control.cancel && control.cancel->load()) return FactorialDesign{};
        d.passes = static_cast<long long>(pass);
        if (!shuffled.empty()) {
            for (int r = 0; r < runs; ++r) {
                const std::uint32_t pick =
                    r + rng.Below(static_cast<std::uint32_t>(m) - static_cast<std::uint32_t>(r));
                std::swap(shuffled[r], shuffled[pick]);
                for (int j = 0; j < variables; ++j) {
                    d.cells[std::size_t(r) * t + j] =
                        static_cast<signed char>(CodedLevel(shuffled[r], j + 1, levels));
                }
                FillInteractions(d, r);
            }
        } else {
            drawn.clear();
            for (int r = 0; r < runs;) {
                for (int j = 0; j < variables; ++j) {
                    key[j] = static_cast<char>(rng.Below(static_cast<std::uint32_t>(levels)));
                }
                if (!drawn.insert(key).second) continue;
                for (int j = 0; j < variables; ++j) {
                    // A digit of the run in base L: two levels are +1 and -1, three -1, 0, +1.
                    const int digit = key[j];
                    d.cells[std::size_t(r) * t + j] =
                        static_cast<signed char>(levels == 2 ? 1 - 2 * digit : digit - 1);
                }
                FillInteractions(d, r);
                ++r;
            }
        }
        Judge(d);
        if (d.accepted()) return d;
        if (best.runs == 0 || Better(d, best)) best = d;
        if (control.report) {
            const int percent = static_cast<int>(pass * 100 / max_passes);
            if (percent != reported) control.report(reported = percent);
        }
    }
    best.passes = d.passes;
    return best;
}

std::string DesignNotice(const FactorialDesign& d) {
    if (d.accepted() || d.runs == 0) return {};
    if (d.confounded > 0) {
        const std::string n = std::to_string(d.confounded);
        return ChooseText(n + " confounded effects", n + " sammansmälta effekter");
    }
    const std::string n = std::to_string(d.unbalanced);
    return ChooseText("No balanced design was found: " + n + " columns lack a level",
                      "Ingen balanserad försöksplan hittades: " + n + " kolumner saknar en nivå");
}

}  // namespace tabulon

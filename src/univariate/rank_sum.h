// The Mann-Whitney u-test / Wilcoxon rank-sum test: ranking two columns together with
// mid-ranks, the rank sums and U, the simulated null distribution of the rank sum, the texts
// and the graph of the two groups.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "graphs/canvas.h"
#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon {

struct RankedRecord {
    double value = 0;
    double rank = 0;
    int group = 1;  // 1: the first column, 2: the second
};

// The records row by row (first the first column's cell, then the second's), unranked, and
// each group's values. A cell that is not a number raises ConversionError.
struct RankSumData {
    std::string first_name;
    std::string second_name;
    std::vector<RankedRecord> records;
    std::vector<double> first_values;
    std::vector<double> second_values;
};
RankSumData ReadRankSumData(const Worksheet& sheet, int first_column, int second_column,
                            char decimal_separator);

// Sorts ascending by value (equal values keep their order), ranks by position from 1 and
// gives every run of equal values the mean of its ranks.
void RankRecords(std::vector<RankedRecord>& records);

// Counts, rank sums and U of both groups, the smaller group first: when the first column
// has more values the groups exchange roles (names and values too).
struct RankSumStatistics {
    int n1 = 0;
    int n2 = 0;
    double R1 = 0;
    double R2 = 0;
    double U1 = 0;
    double U2 = 0;
    bool exchanged = false;
    std::string name1;
    std::string name2;
};
// From ranked records.
RankSumStatistics ComputeRankSumStatistics(const RankSumData& ranked);

// The largest n1·n2 the simulation takes: its count array has n1·n2 + 1 entries per thread.
inline constexpr long long kMaxRankSumProduct = 4'000'000;

// Why the two groups cannot be compared (a group without values, or too many values for the
// simulation's count array), or empty when they can.
std::string RankSumRefusal(const RankSumStatistics& statistics);

struct RankSumSimulationOptions {
    long long draws = 10'000'000;
    // Fixed for reproducible runs; otherwise taken from the clock.
    std::optional<std::uint64_t> seed;
    // 0: one per hardware thread.
    int threads = 0;
    // Called with the percentage done (1 … 100) as each hundredth of the draws is finished,
    // from whichever thread finished it.
    std::function<void(int percent)> progress;
    // Set by another thread to stop early; the simulation then returns nothing.
    const std::atomic<bool>* cancel = nullptr;
};

// The simulated distribution of the rank sum S of n1 untied ranks drawn without replacement
// from 1 … n1 + n2. The draws are split into a hundred blocks, each with its own generator
// seeded from the seed and the block's number, so a fixed seed gives the same counts however
// many threads share the blocks.
struct RankSumDistribution {
    int n1 = 0;
    int n2 = 0;
    long long draws = 0;
    std::uint64_t seed = 0;
    std::vector<std::uint32_t> counts;  // counts[s − n1(n1+1)/2] draws had S = s

    // P(S ≤ s) as the fraction of draws.
    Extended Below(long long s) const;
    // P(S ≥ s) as the fraction of draws.
    Extended Above(long long s) const;
};
// nullopt when cancelled, or for n1 or n2 below 1 or n1·n2 above kMaxRankSumProduct.
std::optional<RankSumDistribution> SimulateRankSumDistribution(
    int n1, int n2, const RankSumSimulationOptions& options);

// The one-sided probability of a rank sum as small as min(R1, R2): C(k) of the group whose
// rank sum is the smaller, with k = R rounded when R is whole (within 0.001), else the next
// whole number above.
Extended RankSumProbability(const RankSumStatistics& statistics,
                            const RankSumDistribution& distribution);

std::string RankSumCaption();
// The names, the statistics line with p, and the verdicts (or the no-difference line).
std::vector<std::string> RankSumLines(const RankSumStatistics& statistics, Extended p);

// One panel of values: a frame, every value as a vertical line from the panel's base over
// the x range [xmin, xmax], the value axis below and `label` above. Shared with the
// signed-rank graph.
void DrawValuePanel(Canvas& canvas, Rect box, Extended xmin, Extended xmax,
                    std::span<const double> values, Color color, const std::string& label);
// "Vikt: Median=… Medelv=… St avv=…" from the values' ArraySummary.
std::string ValueSummaryLabel(const std::string& name, std::span<const double> values);

// The two groups, smaller group on top, on a common x axis.
void RenderRankSumGraph(Canvas& canvas, int width, int height, const RankSumData& data,
                        const RankSumStatistics& statistics);

}  // namespace tabulon

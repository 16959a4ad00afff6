// The calculators of 1-Dim > Sannolikheter, Statistiktabeller and Konfidensintervall: from
// the texts typed into their fields to the result lines, the refusal message, every
// computed number by name and the graph of the tables.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numeric/extended.h"
#include "univariate/density_graph.h"

namespace tabulon {

struct CalculatorOutcome {
    std::vector<std::string> lines;  // what the window shows and Kopiera > Text copies
    std::string message;             // when not empty: the refusal, and nothing else holds
    // Every number computed, in the order shown, under the names tabulon-cli --json uses.
    std::vector<std::pair<std::string, Extended>> values;
    std::optional<DensityPlot> plot;  // the tables' graph
    // The text a field takes when the calculator replaced what was typed (the χ² table's α
    // above 0.5, a clamped confidence level); empty when the typed value stands.
    std::string field_text;

    bool ok() const { return message.empty(); }
    // The value of that name; NaN when there is none.
    Extended value(std::string_view name) const;
};

// The fields of the probability windows. `count` is read by the t window only; an empty
// `from` or `to` leaves that side of the interval open.
struct ProbabilityFields {
    std::string count;
    std::string mean;
    std::string sd;
    std::string from;
    std::string to;
};

// P(from < x < to) for x normal with the given mean and standard deviation.
CalculatorOutcome NormalProbability(const ProbabilityFields& fields);
// The same with F(x) = TCdf(n − 1, (x − mean)/sd).
CalculatorOutcome TProbability(const ProbabilityFields& fields);

// The normal table: Φ(z) ("Area"), and λα, λα/2 ("Lambda").
CalculatorOutcome NormalArea(std::string_view z);
CalculatorOutcome NormalLambda(std::string_view alpha);
// tα and tα/2 with `df` degrees of freedom.
CalculatorOutcome TTable(std::string_view df, std::string_view alpha);
// χ²α/2 and χ²1−α/2; an α above 0.5 is taken as 1 − α.
CalculatorOutcome ChiSquareTable(std::string_view df, std::string_view alpha);
// Fα(m, n), the upper α point.
CalculatorOutcome FTable(std::string_view df1, std::string_view df2, std::string_view alpha);

// mean ± z·sd at the confidence level (percent, held to 70 … 99.999).
CalculatorOutcome NormalConfidence(std::string_view mean, std::string_view sd,
                                   std::string_view level);
// The intervals of a value, of the true mean and of σ from a sample's mean, s and n at the
// confidence level (percent, held to 80 … 99.99).
CalculatorOutcome TConfidence(std::string_view mean, std::string_view sd, std::string_view n,
                              std::string_view level);

// The signed-rank table: the one-tailed probability of a rank sum for n changed values.
CalculatorOutcome SignedRankTable(std::string_view n, std::string_view rank_sum);
// The table's graph for n (3 … 45): the probability in percent against the rank sum, up to
// the centre n(n+1)/4, with `rank_sum` marked when given.
DensityPlot SignedRankPlot(int n, std::optional<Extended> rank_sum);

}  // namespace tabulon

// The probability, table and confidence-interval calculators on typed values.
#include "univariate/distribution_calculators.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/language.h"
#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "univariate/signed_rank_test.h"
#include "worksheet/text_helpers.h"

namespace tabulon {
namespace {

constexpr Extended kInvSqrt2Pi = 0.398942280401432677939946059934381868L;
constexpr Extended kPi = 3.141592653589793238462643383279502884L;

bool Blank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// A field's number, typed with either separator; nullopt when it is empty or no number.
std::optional<Extended> ReadNumber(std::string_view text) {
    if (Blank(text)) return std::nullopt;
    try {
        return StrToNumber(NormalizeDecimalSeparator(text), DecimalSeparator());
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

std::optional<int> ReadCount(std::string_view text) {
    if (Blank(text)) return std::nullopt;
    try {
        return StrToInteger(CheckInteger(text));
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

CalculatorOutcome Refusal(std::string_view english, std::string_view swedish) {
    CalculatorOutcome out;
    out.message = ChooseText(english, swedish);
    return out;
}
CalculatorOutcome ErrorInData() {
    return Refusal("Error in data", "Fel i indata");
}

std::string General(Extended v, int digits) {
    return FormatGeneral(v, digits, 2, DecimalSeparator());
}
std::string Fixed(Extended v, int decimals) {
    return FormatFixed(v, decimals, DecimalSeparator());
}

// α of the tables: strictly between 0 and 1.
std::optional<Extended> ReadAlpha(std::string_view text) {
    const auto alpha = ReadNumber(text);
    if (!alpha || !(*alpha > 0 && *alpha < 1)) return std::nullopt;
    return alpha;
}

Extended NormalDensity(Extended x) {
    return kInvSqrt2Pi * NormalShape(1, 0, x);
}

Extended TDensity(int df, Extended x) {
    if (df > 2000) return NormalDensity(x);
    const Extended scale =
        std::exp(LogGamma((df + 1) / 2.0L) - LogGamma(df / 2.0L)) / std::sqrt(df * kPi);
    return scale * TShape(df, x);
}

// FDensity gives |T| for one numerator degree of freedom; F = T² has f(√x)/(2√x).
Extended FTableDensity(int df1, int df2, Extended x) {
    if (df1 != 1) return FDensity(df1, df2, x);
    if (!(x > 0)) return 0;
    const Extended root = std::sqrt(x);
    return FDensity(1, df2, root) / (2 * root);
}

DensityPlot StandardNormalPlot(Extended reach, std::string heading) {
    DensityPlot plot;
    plot.curve = NormalDensity;
    plot.x_max = std::clamp<Extended>(reach, 4, 8);
    plot.x_min = -plot.x_max;
    plot.heading = std::move(heading);
    return plot;
}

CalculatorOutcome IntervalProbability(const ProbabilityFields& f, bool t_model) {
    int n = 0;
    if (t_model) {
        const auto count = ReadCount(f.count);
        // n − 1 degrees of freedom: one value has no t distribution.
        if (!count || *count < 2) {
            return Refusal("Error in number of data points", "Fel i antal mätpunkter");
        }
        n = *count;
    }
    const auto mean = ReadNumber(f.mean);
    if (!mean) return Refusal("Error in mean value", "Fel i medelvärde");
    const auto sd = ReadNumber(f.sd);
    if (!sd || !(*sd > 0)) return Refusal("Error in standard deviation", "Fel i standardavvikelse");
    if (Blank(f.from) && Blank(f.to)) {
        return Refusal("Limits of x must be entered", "Gränser för x måste fyllas i");
    }
    std::optional<Extended> from;
    std::optional<Extended> to;
    if (!Blank(f.from) && !(from = ReadNumber(f.from))) return ErrorInData();
    if (!Blank(f.to) && !(to = ReadNumber(f.to))) return ErrorInData();
    // Limits typed the wrong way round still mean the interval between them.
    if (from && to && *from > *to) std::swap(from, to);

    auto cdf = [&](Extended x) {
        const Extended z = (x - *mean) / *sd;
        return t_model ? TCdf(n - 1, z) : NormalCdf(z);
    };
    const Extended p = (to ? cdf(*to) : 1) - (from ? cdf(*from) : 0);

    CalculatorOutcome out;
    if (t_model) out.values.emplace_back("n", n);
    out.values.emplace_back("mean", *mean);
    out.values.emplace_back("sd", *sd);
    if (from) out.values.emplace_back("from", *from);
    if (to) out.values.emplace_back("to", *to);
    out.values.emplace_back("P", p);
    out.lines.push_back(ChooseText("Probability", "Sannolikhet") + " = " + General(p, 5));
    return out;
}

}  // namespace

Extended CalculatorOutcome::value(std::string_view name) const {
    for (const auto& [key, v] : values) {
        if (key == name) return v;
    }
    return std::numeric_limits<Extended>::quiet_NaN();
}

CalculatorOutcome NormalProbability(const ProbabilityFields& fields) {
    return IntervalProbability(fields, false);
}

CalculatorOutcome TProbability(const ProbabilityFields& fields) {
    return IntervalProbability(fields, true);
}

CalculatorOutcome NormalArea(std::string_view z_text) {
    const auto z = ReadNumber(z_text);
    if (!z) return ErrorInData();
    // The table shows ten decimals in the tails, where Φ from the eight-decimal table is
    // already wrong in the sixth significant digit (Φ(-4) would read 0.0000316737): the
    // table window gives the exact value.
    const Extended p = NormalUpperTail(-*z);
    const int decimals = p <= 0.0001L || p > 0.9999L ? 10 : 6;
    CalculatorOutcome out;
    out.values = {{"z", *z}, {"P", p}};
    out.lines.push_back("Φ(" + FormatShortest(*z, DecimalSeparator()) +
                        ") = " + Fixed(p, decimals));
    out.plot = StandardNormalPlot(std::fabs(*z) + 0.5L, "Area");
    out.plot->shaded.emplace_back(out.plot->x_min, *z);
    out.plot->marks.push_back({*z, "z"});
    return out;
}

CalculatorOutcome NormalLambda(std::string_view alpha_text) {
    const auto alpha = ReadAlpha(alpha_text);
    if (!alpha) return ErrorInData();
    const Extended lambda = NormalQuantile(1 - *alpha);
    const Extended half = NormalQuantile(1 - *alpha / 2);
    CalculatorOutcome out;
    out.values = {{"alpha", *alpha}, {"lambda_alpha", lambda}, {"lambda_alpha_half", half}};
    out.lines = {"λα = " + Fixed(lambda, 5), "λα/2 = " + Fixed(half, 5)};
    out.plot = StandardNormalPlot(half + 0.5L, "Lambda");
    out.plot->shaded = {{out.plot->x_min, -half}, {half, out.plot->x_max}};
    out.plot->marks = {{-half, "-λα/2"}, {lambda, "λα"}, {half, "λα/2"}};
    std::sort(out.plot->marks.begin(), out.plot->marks.end(),
              [](const DensityMark& a, const DensityMark& b) { return a.x < b.x; });
    return out;
}

CalculatorOutcome TTable(std::string_view df_text, std::string_view alpha_text) {
    const auto df = ReadCount(df_text);
    const auto alpha = ReadAlpha(alpha_text);
    if (!df || *df < 1 || !alpha) return ErrorInData();
    // TQuantile answers only the upper half; below the median the curve's symmetry gives
    // the point, which lies left of 0.
    const Extended t_alpha = *alpha <= 0.5L ? TQuantile(*df, *alpha) : -TQuantile(*df, 1 - *alpha);
    const Extended t_half = TQuantile(*df, *alpha / 2);
    CalculatorOutcome out;
    out.values = {{"df", *df}, {"alpha", *alpha}, {"t_alpha", t_alpha}, {"t_alpha_half", t_half}};
    out.lines = {"tα = " + Fixed(t_alpha, 5), "tα/2 = " + Fixed(t_half, 5)};
    DensityPlot plot;
    const int n = *df;
    plot.curve = [n](Extended x) { return TDensity(n, x); };
    plot.x_max = std::clamp<Extended>(t_half * 1.15L, 4, 30);
    plot.x_min = -plot.x_max;
    plot.shaded.emplace_back(t_alpha, plot.x_max);
    plot.marks = {{t_alpha, "tα"}, {t_half, "tα/2"}};
    if (t_half < t_alpha) std::swap(plot.marks[0], plot.marks[1]);
    plot.heading = "t(" + std::to_string(n) + ")";
    out.plot = std::move(plot);
    return out;
}

CalculatorOutcome ChiSquareTable(std::string_view df_text, std::string_view alpha_text) {
    const auto df = ReadCount(df_text);
    auto alpha = ReadAlpha(alpha_text);
    if (!df || *df < 1 || !alpha) return ErrorInData();
    CalculatorOutcome out;
    // α/2 and 1 − α/2 are the same pair for α and 1 − α; the table names the smaller α.
    if (*alpha > 0.5L) {
        *alpha = 1 - *alpha;
        out.field_text = Fixed(*alpha, 5);
    }
    const Extended low = ChiSquareQuantile(*df, *alpha / 2);
    const Extended high = ChiSquareQuantile(*df, 1 - *alpha / 2);
    out.values = {{"df", *df},
                  {"alpha", *alpha},
                  {"chi2_alpha_half", low},
                  {"chi2_one_minus_alpha_half", high}};
    out.lines = {"α = " + Fixed(*alpha, 5), "χ²α/2 = " + Fixed(low, 5),
                 "χ²1-α/2 = " + Fixed(high, 5)};
    DensityPlot plot;
    const int n = *df;
    plot.curve = [n](Extended x) { return ChiSquareDensity(n, x); };
    const Extended spread = std::sqrt(2.0L * n);
    plot.x_max = std::min(std::max(high * 1.2L, n + 4 * spread), n + 12 * spread + 20);
    plot.shaded = {{0, low}, {high, plot.x_max}};
    plot.marks = {{low, "α/2"}, {high, "1-α/2"}};
    plot.heading = "χ²(" + std::to_string(n) + ")";
    out.plot = std::move(plot);
    return out;
}

CalculatorOutcome FTable(std::string_view df1_text, std::string_view df2_text,
                         std::string_view alpha_text) {
    const auto m = ReadCount(df1_text);
    const auto n = ReadCount(df2_text);
    const auto alpha = ReadAlpha(alpha_text);
    if (!m || !n || *m < 1 || *n < 1 || !alpha) return ErrorInData();
    const Extended f = FQuantile(*m, *n, 1 - *alpha);
    CalculatorOutcome out;
    out.values = {{"df1", *m}, {"df2", *n}, {"alpha", *alpha}, {"F", f}};
    const std::string dfs = "(" + std::to_string(*m) + "," + std::to_string(*n) + ")";
    out.lines = {"Fα" + dfs + " = " + Fixed(f, 5)};
    DensityPlot plot;
    const int a = *m;
    const int b = *n;
    plot.curve = [a, b](Extended x) { return FTableDensity(a, b, x); };
    const Extended bulk = FExactQuantile(a, b, 0.95L);
    plot.x_max = std::min(std::max(f, bulk) * 1.3L, std::max<Extended>(bulk * 3, 10));
    plot.shaded.emplace_back(f, plot.x_max);
    plot.marks = {{f, "Fα"}};
    plot.heading = "F" + dfs;
    out.plot = std::move(plot);
    return out;
}

CalculatorOutcome NormalConfidence(std::string_view mean_text, std::string_view sd_text,
                                   std::string_view level_text) {
    const auto mean = ReadNumber(mean_text);
    const auto sd = ReadNumber(sd_text);
    auto level = ReadNumber(level_text);
    if (!mean || !level) return ErrorInData();
    if (!sd || *sd < 0) return Refusal("Error in standard deviation", "Fel i standardavvikelse");
    CalculatorOutcome out;
    // The lowest level offered is 70 %; a level below it is raised to it, never past it.
    if (*level >= 100 || *level < 70) {
        *level = *level >= 100 ? 99.999L : 70;
        out.field_text = General(*level, 8);
    }
    const Extended z = -NormalQuantileFast((100 - *level) / 200);
    out.values = {
        {"mean", *mean}, {"sd", *sd}, {"level", *level}, {"z", z}, {"half_width", z * *sd}};
    out.lines = {ChooseText("Confidence level (%) = ", "Konfidensnivå (%) = ") + General(*level, 8),
                 ChooseText("Confidence interval: ", "Konfidensintervall: ") + General(*mean, 8) +
                     "±" + General(z * *sd, 8)};
    return out;
}

CalculatorOutcome TConfidence(std::string_view mean_text, std::string_view sd_text,
                              std::string_view n_text, std::string_view level_text) {
    const auto mean = ReadNumber(mean_text);
    const auto sd = ReadNumber(sd_text);
    const auto n = ReadCount(n_text);
    auto level = ReadNumber(level_text);
    // n − 1 degrees of freedom for t and χ²: a single value gives no interval.
    if (!mean || !level || !n || *n < 2) return ErrorInData();
    if (!sd || *sd < 0) return Refusal("Error in standard deviation", "Fel i standardavvikelse");
    CalculatorOutcome out;
    if (*level >= 100 || *level < 80) {
        *level = *level >= 100 ? 99.99L : 80;
        out.field_text = General(*level, 8);
    }
    const Extended alpha = 1 - *level / 100;
    const int df = *n - 1;
    const Extended t = TQuantile(df, alpha / 2);
    const Extended value_half = t * *sd;
    const Extended mean_half = value_half / std::sqrt(Extended(*n));
    const Extended ss = df * *sd * *sd;
    const Extended sigma_low = std::sqrt(ss / ChiSquareQuantile(df, 1 - alpha / 2));
    const Extended sigma_high = std::sqrt(ss / ChiSquareQuantile(df, alpha / 2));
    out.values = {{"mean", *mean},
                  {"sd", *sd},
                  {"n", *n},
                  {"level", *level},
                  {"t", t},
                  {"value_half_width", value_half},
                  {"mean_half_width", mean_half},
                  {"sigma_low", sigma_low},
                  {"sigma_high", sigma_high}};
    const std::string m = General(*mean, 5);
    out.lines = {
        ChooseText("Confidence level (%) = ", "Konfidensnivå (%) = ") + General(*level, 8),
        ChooseText("Variable: ", "Variabeln: ") + m + "±" + General(value_half, 5),
        ChooseText("True mean: ", "Väntevärde: ") + m + "±" + General(mean_half, 5),
        "σ: " + General(sigma_low, 5) + ChooseText(" to ", " till ") + General(sigma_high, 5)};
    return out;
}

CalculatorOutcome SignedRankTable(std::string_view n_text, std::string_view rank_sum_text) {
    const auto n = ReadCount(n_text);
    const auto rank_sum = ReadNumber(rank_sum_text);
    if (!n || !rank_sum) return ErrorInData();
    const Extended p = 100 * SignedRankProbability(*n, *rank_sum);
    // A rank sum outside 0 … n(n+1)/2 cannot come from n ranks.
    const Extended total = Extended(*n) * (*n + 1) / 2;
    if (!(p >= 0) || *rank_sum < 0 || *rank_sum > total) return ErrorInData();
    SignedRankResult verdict;
    verdict.p = p;
    verdict.significant = !(p > 10);
    CalculatorOutcome out;
    out.values = {{"n", *n}, {"rank_sum", *rank_sum}, {"p_percent", p}};
    out.lines = {SignedRankVerdict(verdict), "n=" + std::to_string(*n)};
    out.plot = SignedRankPlot(*n, *rank_sum);
    return out;
}

DensityPlot SignedRankPlot(int n, std::optional<Extended> rank_sum) {
    DensityPlot plot;
    plot.curve = [n](Extended t) { return 100 * SignedRankProbability(n, t); };
    const Extended total = Extended(n) * (n + 1) / 2;
    plot.x_max = std::max<Extended>(std::round(total / 2), 1);
    plot.heading = ChooseText("Probability versus Rank Sum (less or equal to this value)",
                              "Sannolikhet mot rangsumma (mindre eller lika med detta värde)");
    if (rank_sum) {
        // The probability is that of the tail the sum lies in; the graph shows the lower one.
        const Extended t = *rank_sum > total / 2 ? total - *rank_sum : *rank_sum;
        plot.marks.push_back({t, "T"});
        plot.shaded.emplace_back(0, t);
    }
    return plot;
}

}  // namespace tabulon

// Grubbs', Gauss and Dixon's outlier tests and their texts.
#include "univariate/outlier_tests.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "base/language.h"

namespace tabulon {
namespace {

// Critical Q values for n = 3 ... 30 at 80, 90, 95, 96, 98 and 99 % confidence.
constexpr std::array<std::array<double, 6>, 28> kDixonTable{{
    {0.886, 0.941, 0.970, 0.976, 0.988, 0.994}, {0.679, 0.765, 0.829, 0.846, 0.889, 0.926},
    {0.557, 0.642, 0.710, 0.729, 0.780, 0.821}, {0.482, 0.560, 0.625, 0.644, 0.698, 0.740},
    {0.434, 0.507, 0.568, 0.586, 0.637, 0.680}, {0.399, 0.468, 0.526, 0.543, 0.590, 0.634},
    {0.370, 0.437, 0.493, 0.510, 0.555, 0.598}, {0.349, 0.412, 0.466, 0.483, 0.527, 0.568},
    {0.332, 0.392, 0.444, 0.460, 0.502, 0.542}, {0.318, 0.376, 0.426, 0.441, 0.482, 0.522},
    {0.305, 0.361, 0.410, 0.425, 0.465, 0.503}, {0.294, 0.349, 0.396, 0.411, 0.450, 0.488},
    {0.285, 0.338, 0.384, 0.399, 0.438, 0.475}, {0.277, 0.329, 0.374, 0.388, 0.426, 0.463},
    {0.269, 0.320, 0.365, 0.379, 0.416, 0.452}, {0.263, 0.313, 0.356, 0.370, 0.407, 0.442},
    {0.258, 0.306, 0.349, 0.363, 0.398, 0.433}, {0.252, 0.300, 0.342, 0.356, 0.391, 0.425},
    {0.247, 0.295, 0.337, 0.350, 0.384, 0.418}, {0.242, 0.290, 0.331, 0.344, 0.378, 0.411},
    {0.238, 0.285, 0.326, 0.338, 0.372, 0.404}, {0.234, 0.281, 0.321, 0.333, 0.367, 0.399},
    {0.230, 0.277, 0.317, 0.329, 0.362, 0.393}, {0.227, 0.273, 0.312, 0.324, 0.357, 0.388},
    {0.224, 0.269, 0.308, 0.320, 0.353, 0.384}, {0.220, 0.266, 0.305, 0.316, 0.349, 0.380},
    {0.218, 0.263, 0.301, 0.312, 0.345, 0.376}, {0.215, 0.260, 0.298, 0.309, 0.341, 0.372},
}};
constexpr std::array<double, 6> kDixonConfidences{80, 90, 95, 96, 98, 99};

constexpr int kGrubbsStart = 50;  // 0.05 in thousandths

std::string G(Extended value, int digits) {
    return FormatGeneral(value, digits, 2, DecimalSeparator());
}

std::string AtRow(const DescriptiveSample& sample, std::size_t index) {
    return ChooseText(" at row ", " på rad ") + sample.RowText(index);
}

// Solves the 4 x 4 system a x = b by elimination with partial pivoting; the normal
// equations of a cubic through six distinct points are never singular.
std::array<Extended, 4> Solve4(std::array<std::array<Extended, 4>, 4> a,
                               std::array<Extended, 4> b) {
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r) {
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        }
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (int r = col + 1; r < 4; ++r) {
            const Extended f = a[r][col] / a[col][col];
            for (int k = col; k < 4; ++k) a[r][k] -= f * a[col][k];
            b[r] -= f * b[col];
        }
    }
    std::array<Extended, 4> x{};
    for (int r = 3; r >= 0; --r) {
        Extended s = b[r];
        for (int k = r + 1; k < 4; ++k) s -= a[r][k] * x[k];
        x[r] = s / a[r][r];
    }
    return x;
}

void GrubbsTexts(const DescriptiveSample& sample, const GrubbsResult& g, OutlierOutcome& out) {
    const char sep = DecimalSeparator();
    const std::string level = G(Extended(g.two_sided_permille) / 10, 5);
    if (!g.significant) {
        out.upper = ChooseText("No outliers.", "Inga outliers.");
        out.lower = ChooseText("Highest tested level=", "Högsta testade nivå=") + level +
                    ChooseText("% with two-tailed test.", "% med dubbelsidig test.");
        if (g.b_searched && g.b_permille < 500) {
            out.lower += "    (p=" + FormatFixed(Extended(g.b_permille) / 1000, 3, sep) + ")";
        }
    } else {
        out.upper = sample.Text(g.suspect) + AtRow(sample, g.suspect) +
                    ChooseText(" can be discarded as outlier.", " kan förkastas som outlier.");
        out.lower = ChooseText("Lowest level=", "Lägsta nivå=") + level +
                    ChooseText("% with two-tailed test.", "% med dubbelsidig test.");
    }
    if (g.one_sided_significant) {
        out.lower += "   " + ChooseText("Lowest level=", "Lägsta nivå=") +
                     G(Extended(g.one_sided_permille) / 10, 5) +
                     ChooseText("% with one-tailed test.", "% med enkelsidig test.");
    }
}

void GaussTexts(const DescriptiveSample& sample, const GaussResult& g, OutlierOutcome& out) {
    if (!g.has_result) {
        out.upper = ChooseText("No outliers", "Inga outliers");
        out.lower.clear();
        return;
    }
    const std::string suspect = sample.Text(g.suspect) + AtRow(sample, g.suspect);
    const std::string level = G(g.level_percent, 3);
    const std::string limit = G(g.limit_percent, 3);
    const std::string u = "%. (u=" + G(g.u, 3) + ")";
    if (g.level_percent >= g.limit_percent) {
        out.upper = ChooseText("No outliers", "Inga outliers");
        out.lower = "(" + suspect + ChooseText(" can be discarded at ", " kan förkastas på ") +
                    level +
                    ChooseText("%-level. Limit for outlier=", "%-nivån. Nivågräns för outlier=") +
                    limit + u;
    } else {
        out.upper = suspect + ChooseText(" can be discarded at ", " kan förkastas på ") + level +
                    ChooseText("%-level", "%-nivån.");
        out.lower = ChooseText("This can be reasonable regarding that the limit for outliers is ",
                               "Detta kan vara rimligt eftersom nivågränsen för outlier är ") +
                    limit + u;
    }
}

void DixonTexts(const DescriptiveSample& sample, const DixonResult& d, OutlierOutcome& out) {
    switch (d.status) {
        case DixonResult::Status::TooFew:
            out.upper = ChooseText("Too few values", "För få mätvärden");
            return;
        case DixonResult::Status::TooMany:
            out.upper = ChooseText("Too many values (>30)", "För många mätvärden (>30)");
            return;
        case DixonResult::Status::AllEqual:
        case DixonResult::Status::Done:
            break;
    }
    out.upper = "Q=" + G(d.Q, 5);
    if (d.level <= 20) {
        // The row named is the row of the value reported, whichever end of the data it is.
        out.lower = "Outlier = " + G(sample.values[d.suspect], 5) + AtRow(sample, d.suspect) +
                    ChooseText(" at ", " på ") + G(d.level, 3) + "%-" +
                    ChooseText("Level (doubble sided test)", "Nivån (tvåsidigt test)");
    } else {
        out.lower = ChooseText("No Outlier", "Inga outliers");
    }
}

std::string NoTestText(const DescriptiveSample& sample) {
    if (sample.min == sample.max) {
        return ChooseText("No outlier test can be made because all values are equal.",
                          "Inget outliertest kan göras eftersom alla värden är lika.");
    }
    return ChooseText("No outlier test can be made because the standard deviation is 0.",
                      "Inget outliertest kan göras eftersom standardavvikelsen är 0.");
}

}  // namespace

std::string_view OutlierTestName(OutlierTest test) {
    switch (test) {
        case OutlierTest::Grubb:
            return "Grubb";
        case OutlierTest::Gauss:
            return "Gauss";
        case OutlierTest::Dixon:
            return "Dixon";
    }
    return "Grubb";
}

std::string OutlierHeading(OutlierTest test) {
    switch (test) {
        case OutlierTest::Grubb:
            return "Outliers: Grubb's test";
        case OutlierTest::Gauss:
            return "Outliers: Gauss test";
        case OutlierTest::Dixon:
            return "Dixon's Q-test";
    }
    return "Outliers:";
}

std::size_t FindSuspect(std::span<const Extended> values, Extended mean) {
    std::size_t best = 0;
    Extended distance = -1;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Extended d = std::fabs(values[i] - mean);
        if (d > distance) {
            distance = d;
            best = i;
        }
    }
    return best;
}

std::size_t FindSuspect(const DescriptiveSample& sample) {
    const std::vector<Extended>& x = sample.values;
    const Extended mean = sample.statistics.Mean;
    const std::size_t suspect = FindSuspect(x, mean);
    if (x.empty()) return suspect;
    // The farthest value is the lowest or the highest. Converted values are a last bit off,
    // so only when those two lie about equally far can they pick the wrong one; then the
    // typed decimals decide (a pass over the texts that clear cases are spared).
    const Extended lo = sample.min;  // the sample's extremes, as the tally found them
    const Extended hi = sample.max;
    const Extended gap = (hi - mean) - (mean - lo);
    if (std::fabs(gap) > 1e-15L * std::max(std::fabs(lo), std::fabs(hi))) return suspect;
    return FindSuspect(DeviationsFromMean(x, sample.exact), 0);
}

Extended GrubbsCritical(int n, Extended a, bool two_sided) {
    if (n < 3) return 0;
    const Extended tail = (two_sided ? a / 2 : a) / n;
    const Extended t = TQuantile(n - 2, tail);
    const Extended t2 = t * t;
    return Extended(n - 1) / std::sqrt(Extended(n)) * std::sqrt(t2 / (n - 2 + t2));
}

GrubbsResult RunGrubbs(const DescriptiveSample& sample) {
    GrubbsResult r;
    const SampleStatistics& statistics = sample.statistics;
    const int n = statistics.Count;
    r.suspect = FindSuspect(sample);
    r.G = std::fabs(sample.values[r.suspect] - statistics.Mean) / statistics.StdDev;
    auto critical = [n](int permille, bool two_sided) {
        return GrubbsCritical(n, Extended(permille) / 1000, two_sided);
    };

    int k = kGrubbsStart;
    Extended gc = critical(k, true);
    if (gc < r.G) {
        do {
            gc = critical(--k, true);
        } while (k > 10 && !(gc > r.G));
        if (gc > r.G) gc = critical(++k, true);
    } else {
        do {
            gc = critical(++k, true);
        } while (k <= 100 && !(gc < r.G));
        if (!(gc < r.G)) {
            // Not significant even at 10 %: how far up would it have to go?
            r.b_searched = true;
            int b = k;
            Extended gb;
            do {
                gb = critical(++b, true);
            } while (!(r.G > gb) && b <= 500);
            r.b_permille = b;
        }
    }
    r.two_sided_permille = k;
    r.significant = gc < r.G;

    int k1 = kGrubbsStart;
    Extended gc1 = critical(k1, false);
    if (gc1 < r.G) {
        do {
            gc1 = critical(--k1, false);
        } while (k1 > 10 && !(gc1 > r.G));
        if (gc1 > r.G) gc1 = critical(++k1, false);
    } else {
        while (k1 <= kGrubbsStart && gc1 >= r.G) gc1 = critical(++k1, false);
    }
    r.one_sided_permille = k1;
    r.one_sided_significant = gc1 < r.G;
    return r;
}

GaussResult RunGauss(const DescriptiveSample& sample) {
    GaussResult r;
    const int n = sample.Count();
    if (n < 3) return r;
    r.suspect = FindSuspect(sample);
    SampleStatistics rs;
    if (!ComputeSampleStatisticsWithout(sample.values, sample.exact, r.suspect, rs) ||
        rs.Variance < 1e-10L)
        return r;
    r.rest_count = n - 1;
    r.rest_mean = rs.Mean;
    r.rest_variance = rs.Variance;
    const Extended nr = r.rest_count;
    r.u = std::fabs(sample.values[r.suspect] - rs.Mean) / std::sqrt((nr + 1) * rs.Variance / nr);
    r.limit_percent = 25 / nr;
    // p = 0.0005 k; the level 200 p is k tenths of a percent.
    for (int k = 1; k <= 100; ++k) {
        if (TQuantile(r.rest_count - 1, Extended(k) * 0.0005L) <= r.u) {
            r.has_result = true;
            r.level_percent = Extended(k) / 10;
            return r;
        }
    }
    r.level_percent = 100;
    return r;
}

Extended DixonCriticalQ(int n, int column) {
    if (n < 3 || n > 30 || column < 0 || column > 5) return 0;
    return kDixonTable[static_cast<std::size_t>(n - 3)][static_cast<std::size_t>(column)];
}

Extended DixonConfidence(int n, Extended Q) {
    if (n < 3 || n > 30) return 0;
    const auto& row = kDixonTable[static_cast<std::size_t>(n - 3)];
    // Fitted in a centred and scaled variable: the same cubic, without the ill-conditioned
    // powers of numbers near 0.9.
    const Extended centre = (Extended(row.front()) + Extended(row.back())) / 2;
    const Extended half = (Extended(row.back()) - Extended(row.front())) / 2;
    std::array<std::array<Extended, 4>, 4> a{};
    std::array<Extended, 4> b{};
    for (std::size_t i = 0; i < row.size(); ++i) {
        const Extended v = (Extended(row[i]) - centre) / half;
        std::array<Extended, 7> power{};
        power[0] = 1;
        for (std::size_t p = 1; p < power.size(); ++p) power[p] = power[p - 1] * v;
        for (std::size_t r = 0; r < 4; ++r) {
            for (std::size_t c = 0; c < 4; ++c) a[r][c] += power[r + c];
            b[r] += power[r] * kDixonConfidences[i];
        }
    }
    const std::array<Extended, 4> coef = Solve4(a, b);
    const Extended v = (Q - centre) / half;
    const Extended c = coef[0] + v * (coef[1] + v * (coef[2] + v * coef[3]));
    if (!(c >= 80)) return 0;  // also a value that is not a number
    return std::min<Extended>(c, 99);
}

DixonResult RunDixon(const DescriptiveSample& sample) {
    DixonResult r;
    const std::vector<Extended>& values = sample.values;
    const std::size_t n = values.size();
    if (n < 3) {
        r.status = DixonResult::Status::TooFew;
        return r;
    }
    if (n > 30) {
        r.status = DixonResult::Status::TooMany;
        return r;
    }
    // Stable, as the neighbour-exchanging sort: equal values keep their order.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t i, std::size_t j) { return values[i] < values[j]; });
    auto gap = [&](std::size_t high, std::size_t low) {
        return DecimalDifference(sample.texts[order[high]].view(), sample.texts[order[low]].view(),
                                 sample.decimal_separator);
    };
    const Extended range = gap(n - 1, 0);
    if (!(range > 0)) {
        r.status = DixonResult::Status::AllEqual;
        return r;
    }
    const Extended top = gap(n - 1, n - 2);
    const Extended bottom = gap(1, 0);
    r.top = bottom <= top;
    r.Q = (r.top ? top : bottom) / range;
    r.suspect = r.top ? order[n - 1] : order[0];
    r.confidence = DixonConfidence(static_cast<int>(n), r.Q);
    r.level = 100 - r.confidence;
    return r;
}

OutlierOutcome RunOutlierTest(OutlierTest test, const DescriptiveSample& sample) {
    OutlierOutcome out;
    out.test = test;
    const int n = sample.Count();
    if (test == OutlierTest::Grubb && n < 3) return out;
    out.ran = true;
    if (test == OutlierTest::Dixon) {
        out.dixon = RunDixon(sample);
        if (out.dixon->status == DixonResult::Status::AllEqual) {
            out.all_equal = true;
            out.upper = NoTestText(sample);
            return out;
        }
        DixonTexts(sample, *out.dixon, out);
        return out;
    }
    if (n >= 3 && sample.statistics.StdDev == 0) {
        out.all_equal = true;
        out.upper = NoTestText(sample);
        return out;
    }
    if (test == OutlierTest::Grubb) {
        out.grubbs = RunGrubbs(sample);
        GrubbsTexts(sample, *out.grubbs, out);
    } else {
        out.gauss = RunGauss(sample);
        GaussTexts(sample, *out.gauss, out);
    }
    return out;
}

}  // namespace tabulon

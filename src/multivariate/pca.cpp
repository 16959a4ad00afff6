// PCA from the cross-products of the autoscaled columns, and the outlier F test on what the
// first components leave of each row.
#include "multivariate/pca.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "base/language.h"
#include "multivariate/cross_products.h"
#include "multivariate/factor_model.h"
#include "multivariate/factor_tolerances.h"
#include "numeric/f_distribution.h"
#include "numeric/number_text.h"
#include "worksheet/parallel_load.h"

namespace tabulon {
namespace {

// PCA scales a column when its standard deviation exceeds this.
constexpr Extended kPcaScaleThreshold = 1e-30L;
constexpr int kRowsPerThread = 20000;

std::string General(Extended v, int digits) {
    return FormatGeneral(v, digits, 1, DecimalSeparator());
}

}  // namespace

PcaFit FitPCA(const ModelData& data) {
    if (data.n < 2 || data.p < 1) return {std::nullopt, TooFewPointsText()};
    ModelData x = data;
    x.has_response = false;
    const AutoscaledKernel kernel =
        LoadAutoscaled(ComputeCrossProducts(x), false, kPcaScaleThreshold);
    const PrincipalComponents pc = ComputePrincipalComponents(kernel.XtX, kernel.p);
    if (!pc.converged) {
        return {std::nullopt, ChooseText("The principal components could not be computed",
                                         "Principalkomponenterna kunde inte beräknas")};
    }
    PcaResult r;
    r.n = data.n;
    r.p = data.p;
    r.rows = data.rows;
    r.MeanRow = kernel.MeanRow;
    r.StdRow = kernel.StdRow;
    r.Scale = kernel.Scale;
    r.lambda = pc.lambda;
    r.loadings = pc.loadings;
    r.scores = ProjectRows(x, kernel.MeanRow, kernel.Scale, pc.loadings, r.p);

    // With orthonormal loadings the sum of squares left after k components is the row's own
    // less its first k squared scores; each row on its own, so the split changes nothing.
    const int n = r.n;
    const int p = r.p;
    r.RowResidualSS.assign(static_cast<std::size_t>(n) * (p + 1), 0);
    const unsigned threads =
        static_cast<unsigned>(std::clamp<long>(static_cast<long>(n) * p / (kRowsPerThread * 10), 1,
                                               std::max(1u, std::thread::hardware_concurrency())));
    RunInThreads(threads, [&](unsigned t) {
        const int begin = static_cast<int>(static_cast<long>(n) * t / threads);
        const int end = static_cast<int>(static_cast<long>(n) * (t + 1) / threads);
        for (int i = begin; i < end; ++i) {
            Extended left = 0;
            for (int j = 0; j < p; ++j) {
                const Extended v = (data.X(i, j) - r.MeanRow[j]) / r.Scale[j];
                left += v * v;
            }
            r.RowResidualSS[i] = left;
            for (int k = 0; k < p; ++k) {
                const Extended s = r.Score(i, k);
                left = std::max<Extended>(left - s * s, 0);
                r.RowResidualSS[static_cast<std::size_t>(k + 1) * n + i] = left;
            }
        }
    });
    return {std::move(r), {}};
}

TextTable ShowPcaTable(const PcaResult& pca, const std::vector<std::string>& captions,
                       bool shares) {
    const int p = pca.p;
    TextTable table(p + 1, std::vector<std::string>(p + 3));
    table[0][0] = "PC";
    table[0][1] = ChooseText("Eigen value", "Egenvärde");
    table[0][2] = ChooseText("Expl var in %", "Förkl var i %");
    for (int j = 0; j < p && j < static_cast<int>(captions.size()); ++j) {
        table[0][j + 3] = captions[j];
    }
    Extended total = 0;
    for (Extended l : pca.lambda) total += l;
    for (int k = 0; k < p; ++k) {
        std::vector<std::string>& row = table[k + 1];
        row[0] = std::to_string(k + 1);
        row[1] = General(pca.lambda[k], 6);
        if (std::fabs(total) > 1e-19L) row[2] = General(100 * pca.lambda[k] / total, 3);
        Extended S = 0;
        for (int j = 0; j < p; ++j) S += pca.Loading(j, k) * pca.Loading(j, k);
        for (int j = 0; j < p; ++j) {
            const Extended l = pca.Loading(j, k);
            if (!shares) {
                row[j + 3] = General(l, 4);
            } else if (std::fabs(S) > 1e-19L) {
                row[j + 3] = General(100 * l * l / S, 4) + "%";
            }
        }
    }
    return table;
}

std::vector<std::string> PcaCopyLines(const std::string& file_name, const PcaResult& pca,
                                      const TextTable& table) {
    std::vector<std::string> lines{"File name = " + file_name, "PCA",
                                   "Antal variabler = " + std::to_string(pca.p),
                                   "Antal datapunkter = " + std::to_string(pca.n), ""};
    for (const auto& row : table) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) line += (c ? "\t" : "") + row[c];
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ScoreEntries(int components) {
    std::vector<std::string> entries;
    for (int k = 1; k <= components; ++k) entries.push_back("Score " + std::to_string(k));
    return entries;
}

std::vector<std::string> LoadingEntries(int components) {
    std::vector<std::string> entries;
    const std::string word = ChooseText("Factor ", "Faktor ");
    for (int k = 1; k <= components; ++k) entries.push_back(word + std::to_string(k));
    return entries;
}

int EntryComponent(const std::string& entry) {
    const auto blank = entry.rfind(' ');
    const auto k = ParseInteger(blank == std::string::npos ? entry : entry.substr(blank + 1));
    return k && *k >= 1 ? *k - 1 : -1;
}

PlotPairs ScorePairs(const std::vector<Extended>& scores, const std::vector<int>& rows, int a,
                     int b) {
    PlotPairs out;
    out.x_name = "Score " + std::to_string(a + 1);
    out.y_name = "Score " + std::to_string(b + 1);
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        out.x.push_back(General(scores[a * n + i], 8));
        out.y.push_back(General(scores[b * n + i], 8));
        out.numbers.push_back(std::to_string(rows[i] - 1));
    }
    return out;
}

PlotPairs LoadingPairs(const std::vector<Extended>& loadings, int p,
                       const std::vector<std::string>& names, int a, int b,
                       const std::vector<Extended>& response, const std::string& response_name) {
    PlotPairs out;
    const std::string word = ChooseText("Factor ", "Faktor ");
    out.x_name = word + std::to_string(a + 1);
    out.y_name = word + std::to_string(b + 1);
    for (int j = 0; j < p; ++j) {
        out.x.push_back(General(loadings[static_cast<std::size_t>(a) * p + j], 8));
        out.y.push_back(General(loadings[static_cast<std::size_t>(b) * p + j], 8));
        out.numbers.push_back(j < static_cast<int>(names.size()) ? names[j] : std::to_string(j));
    }
    if (!response.empty()) {
        out.x.push_back(General(response[a], 8));
        out.y.push_back(General(response[b], 8));
        out.numbers.push_back(response_name);
    }
    return out;
}

OutlierListingResult ListOutliers(const PcaResult& pca, int asked, Extended level) {
    const int n = pca.n;
    const int p = pca.p;
    auto left_after = [&](int k) {
        Extended S = 0;
        for (int i = 0; i < n; ++i) S += pca.Residual(i, k);
        return S;
    };
    const Extended total = left_after(0);
    if (!(total > 0)) {
        return {std::nullopt,
                ChooseText("The columns do not vary: there is nothing to analyse",
                           "Kolumnerna varierar inte: det finns inget att analysera")};
    }
    int k = std::min(std::clamp(asked, 1, p), n);
    while (k >= 1 && left_after(k) <= kEigenTolerance * total) --k;
    OutlierListing out;
    out.n = n;
    out.p = p;
    out.components = k;
    out.df1 = p - k;
    out.df2 = (p - k) * (n - k - 1);
    out.rows = pca.rows;
    const Extended S = left_after(k);
    for (int i = 0; i < n; ++i) out.F.push_back(pca.Residual(i, k) / S * (n - k - 1));
    ClassifyOutliers(out, level);
    return {std::move(out), {}};
}

void ClassifyOutliers(OutlierListing& listing, Extended level) {
    listing.level = level;
    listing.FCrit = FQuantile(listing.df1, listing.df2, 1 - level);
    listing.outlier.assign(listing.F.size(), false);
    for (std::size_t i = 0; i < listing.F.size(); ++i) {
        listing.outlier[i] = listing.F[i] > listing.FCrit;
    }
}

std::vector<std::string> OutlierCountLines(const OutlierListing& listing) {
    return {
        ChooseText("Number of variables: ", "Antal variabler: ") + std::to_string(listing.p),
        ChooseText("Number of data points: ", "Antal datapunkter: ") + std::to_string(listing.n),
        ChooseText("Number of principal components: ", "Antal principalkomponenter: ") +
            std::to_string(listing.components)};
}

TextTable OutlierGrid(const OutlierListing& listing) {
    TextTable grid;
    const std::string level = General(100 * listing.level, 2);
    grid.push_back(
        {ChooseText("Row", "Rad"), ChooseText("F-value", "F-värde"),
         ChooseText("Outlier at " + level + "%-level", "Outlier på " + level + "%-nivån")});
    for (std::size_t i = 0; i < listing.F.size(); ++i) {
        grid.push_back(
            {std::to_string(listing.rows[i] - 1), General(listing.F[i], 3),
             listing.outlier[i] ? "Outlier" : ChooseText("Belongs to the set", "Tillhör mängden")});
    }
    return grid;
}

std::string OutlierCriticalText(const OutlierListing& listing) {
    return "F(" + General(100 * listing.level, 2) + "%," + std::to_string(listing.df1) + "," +
           std::to_string(listing.df2) + ") = " + General(listing.FCrit, 4);
}

Extended StepOutlierLevel(Extended percent, LevelArrow arrow) {
    switch (arrow) {
        case LevelArrow::LargeUp:
            percent += 1;
            break;
        case LevelArrow::LargeDown:
            percent -= 1;
            break;
        case LevelArrow::SmallUp:
            percent += 0.1L;
            break;
        case LevelArrow::SmallDown:
            percent -= 0.1L;
            break;
    }
    return std::clamp<Extended>(percent, 0.1L, 20);
}

LevelRules OutlierLevelRules() {
    LevelRules rules;
    rules.fixed_levels = {{"10%", 10}, {"5%", 5}, {"1%", 1}, {"0.1%", 0.1L}, {"0.01%", 0.01L}};
    rules.step = StepOutlierLevel;
    rules.initial = 5;
    return rules;
}

}  // namespace tabulon

// PCA: a worked two-column case, the properties every analysis must have, the table, the
// outlier listing's step-down and F values, and the level control's limits.
#include <gtest/gtest.h>

#include <random>

#include "base/language.h"
#include "model_test_support.h"
#include "multivariate/pca.h"

namespace tabulon {
namespace {

using test::Near;

// PCA data: the chosen data columns of a sheet, no response.
ModelData PcaData(const Worksheet& sheet, const std::vector<int>& columns) {
    std::vector<int> grid;
    for (int c : columns) grid.push_back(c + 1);
    const ModelColumnsRead read = ModelColumnsOf(sheet, 0, grid);
    EXPECT_TRUE(read.columns) << read.refusal;
    return LoadModelData(sheet, *read.columns, '.');
}

PcaResult Fit(const ModelData& data) {
    PcaFit fit = FitPCA(data);
    EXPECT_TRUE(fit.result) << fit.refusal;
    return *fit.result;
}

// x1 = 1..6, x2 = 2 1 4 3 6 8, the last row's x2 empty in a copy. Worked by hand: Sxx = 17.5,
// Syy = 34, Sxy = 22, r = 22/√595; the eigenvalues of the autoscaled cross-products are
// (n − 1)(1 ± r) = 5 ± 110/√595 with loadings (1, 1)/√2 and (1, −1)/√2, the first explaining
// 100(1 + r)/2 = 95.0955 %.
TEST(PcaTest, WorkedTwoColumns) {
    ScopedTextSettings english(Language::English, '.');
    const Worksheet sheet = test::SheetOf(
        {"x1", "x2"}, {{"1", "2", "3", "4", "5", "6", "7"}, {"2", "1", "4", "3", "6", "8", ""}});
    const PcaResult pca = Fit(PcaData(sheet, {1, 2}));
    ASSERT_EQ(pca.n, 6);  // the row with an empty cell takes no part
    EXPECT_EQ(pca.rows.back(), 7);
    const Extended root = std::sqrt(595.0L);
    EXPECT_TRUE(Near(pca.lambda[0], 5 + 110 / root, 1e-17L));
    EXPECT_TRUE(Near(pca.lambda[1], 5 - 110 / root, 1e-16L));
    const Extended h = std::sqrt(0.5L);
    // The second component's sign is NIPALS's choice between two equal columns left.
    for (int j = 0; j < 2; ++j) {
        EXPECT_TRUE(Near(pca.Loading(j, 0), h, 1e-17L));
        EXPECT_TRUE(Near(std::fabs(pca.Loading(j, 1)), h, 1e-17L));
    }
    EXPECT_EQ(pca.Loading(0, 1), -pca.Loading(1, 1));
    const TextTable table = ShowPcaTable(pca, {"1:x1", "2:x2"}, false);
    EXPECT_EQ(table[0],
              (std::vector<std::string>{"PC", "Eigen value", "Expl var in %", "1:x1", "2:x2"}));
    EXPECT_EQ(table[1], (std::vector<std::string>{"1", "9.50956", "95.1", "0.7071", "0.7071"}));
    EXPECT_EQ(table[2][1], "0.49044");
    EXPECT_EQ(table[2][2], "4.9");
    EXPECT_EQ(ShowPcaTable(pca, {}, true)[2][4], "50%");

    // After one component each row keeps its second score squared: F_i = t_i2²/Σt2²·(n − 2).
    const OutlierListing listing = *ListOutliers(pca, 1).listing;
    EXPECT_EQ(listing.components, 1);
    EXPECT_EQ(listing.df1, 1);
    EXPECT_EQ(listing.df2, 4);
    Extended sum = 0;
    for (int i = 0; i < 6; ++i) sum += pca.Score(i, 1) * pca.Score(i, 1);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(Near(listing.F[i], pca.Score(i, 1) * pca.Score(i, 1) / sum * 4, 1e-15L));
    }
    EXPECT_EQ(OutlierCriticalText(listing).rfind("F(5%,1,4) = 7.7", 0), 0u);  // R: qf(.95,1,4)
    EXPECT_EQ(OutlierGrid(listing)[0][2], "Outlier at 5%-level");
}

// Properties of any analysis: Σλ = (n − 1)·p, orthonormal loadings, scores that rebuild the
// autoscaled data, tᵀt = λ, and the residual sums of each row.
TEST(PcaTest, Properties) {
    std::mt19937 gen(11);
    std::normal_distribution<double> normal;
    const int n = 40, p = 5;
    std::vector<std::vector<Extended>> x(p, std::vector<Extended>(n));
    for (int i = 0; i < n; ++i) {
        const double common = normal(gen);
        for (int j = 0; j < p; ++j) x[j][i] = 100 * j + common * (j + 1) + normal(gen);
    }
    ModelData data = MakeModelData(x, std::vector<Extended>(n, 0));
    data.has_response = false;
    const PcaResult pca = Fit(data);
    Extended total = 0;
    for (Extended l : pca.lambda) total += l;
    EXPECT_TRUE(Near(total, (n - 1) * p, 1e-16L));
    for (int a = 0; a < p; ++a) {
        EXPECT_GE(a == 0 ? pca.lambda[0] : pca.lambda[a - 1], pca.lambda[a]);
        for (int b = 0; b < p; ++b) {
            Extended pp = 0, tt = 0;
            for (int j = 0; j < p; ++j) pp += pca.Loading(j, a) * pca.Loading(j, b);
            for (int i = 0; i < n; ++i) tt += pca.Score(i, a) * pca.Score(i, b);
            EXPECT_NEAR(static_cast<double>(pp), a == b ? 1.0 : 0.0, 1e-17) << a << "," << b;
            EXPECT_NEAR(static_cast<double>(tt), a == b ? static_cast<double>(pca.lambda[a]) : 0,
                        1e-15 * n * p);
        }
    }
    for (int i = 0; i < n; ++i) {
        Extended ss = 0;
        for (int j = 0; j < p; ++j) {
            const Extended scaled = (x[j][i] - pca.MeanRow[j]) / pca.StdRow[j];
            Extended rebuilt = 0;
            for (int k = 0; k < p; ++k) rebuilt += pca.Score(i, k) * pca.Loading(j, k);
            EXPECT_NEAR(static_cast<double>(rebuilt), static_cast<double>(scaled), 1e-15);
            ss += scaled * scaled;
        }
        EXPECT_TRUE(Near(pca.Residual(i, 0), ss, 1e-17L));
        EXPECT_LT(pca.Residual(i, p), 1e-15L * ss);
    }
    // Asking for all p components steps down to p − 1, the last that leaves residuals, and the
    // F values then sum to n − k − 1.
    const OutlierListing listing = *ListOutliers(pca, 99).listing;
    EXPECT_EQ(listing.components, p - 1);
    Extended F = 0;
    for (Extended f : listing.F) F += f;
    EXPECT_TRUE(Near(F, n - (p - 1) - 1, 1e-15L));
}

TEST(PcaTest, CorrelatedAndConstantColumns) {
    ScopedTextSettings swedish(Language::Swedish, ',');
    // x2 = 3·x1 − 1: the first component carries all the variance, and the outlier listing
    // has to step down to no component at all.
    const Worksheet sheet = test::SheetOf(
        {"a", "b", "c"}, {{"1", "2", "4", "7"}, {"2", "5", "11", "20"}, {"3", "3", "3", "3"}});
    const PcaResult pca = Fit(PcaData(sheet, {1, 2}));
    EXPECT_TRUE(Near(pca.lambda[0], 3 * 2, 1e-17L));
    EXPECT_LT(pca.lambda[1], 1e-17L);
    EXPECT_EQ(ShowPcaTable(pca, {}, false)[1][2], "100");
    const OutlierListing listing = *ListOutliers(pca, 2).listing;
    EXPECT_EQ(listing.components, 0);
    EXPECT_EQ(OutlierCountLines(listing)[2], "Antal principalkomponenter: 0");
    // A constant column is centred, not scaled, and has nothing to analyse on its own.
    const PcaResult constant = Fit(PcaData(sheet, {3}));
    EXPECT_EQ(constant.lambda[0], 0);
    EXPECT_EQ(ListOutliers(constant, 1).refusal,
              "Kolumnerna varierar inte: det finns inget att analysera");
    EXPECT_EQ(FitPCA(PcaData(test::SheetOf({"a"}, {{"1"}}), {1})).refusal, "För få datapunkter..");
}

TEST(PcaTest, OutlierLevelArrowsStopAt20AndOneTenth) {
    struct Case {
        Extended from;
        LevelArrow arrow;
        Extended to;
    };
    for (const Case& c : std::vector<Case>{{5, LevelArrow::LargeUp, 6},
                                           {19.5L, LevelArrow::LargeUp, 20},
                                           {20, LevelArrow::SmallUp, 20},
                                           {1, LevelArrow::LargeDown, 0.1L},
                                           {0.15L, LevelArrow::SmallDown, 0.1L},
                                           {0.01L, LevelArrow::SmallUp, 0.11L}}) {
        EXPECT_TRUE(Near(StepOutlierLevel(c.from, c.arrow), c.to, 1e-15L))
            << static_cast<double>(c.from);
    }
    EXPECT_EQ(OutlierLevelRules().fixed_levels.back().value, 0.01L);
}

}  // namespace
}  // namespace tabulon

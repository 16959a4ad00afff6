// PCR and PLS on the kernel: against the algorithms' definitions run in R, all factors
// reproducing MLR, the properties of the factors, the factor count and the stops.
#include <gtest/gtest.h>

#include <random>

#include "base/language.h"
#include "model_test_support.h"
#include "multivariate/factor_model.h"
#include "multivariate/mlr.h"
#include "multivariate/symmetric_eigen.h"
#include "numeric/number_text.h"

namespace tabulon {
namespace {

using test::Near;

struct Reference {
    ModelMethod method;
    int factors;
    std::vector<Extended> coeffs;  // b0, b1, b2, b3
};

class FactorModelReference : public ::testing::TestWithParam<Reference> {};

// R, on SmallSheet (z on x1, x2, x3), with the data autoscaled by scale():
//   PLS: the NIPALS loop of FitPLS written out (w = Eᵀf/‖Eᵀf‖, t = Ew, p = Eᵀt/tᵀt,
//        q = fᵀt/tᵀt, deflate), b = W (PᵀW)⁻¹ q, then to data units;
//   PCR: pc <- prcomp(X, scale. = TRUE); lm(zs ~ pc$x[, 1:k] - 1), b = rotation · coef.
TEST_P(FactorModelReference, MatchesR) {
    const Reference& ref = GetParam();
    const ModelData data = test::DataOf(test::SmallSheet(), 4, {1, 2, 3});
    const ModelFitResult r =
        ref.method == ModelMethod::PLS ? FitPLS(data, ref.factors) : FitPCR(data, ref.factors);
    ASSERT_TRUE(r.fit);
    EXPECT_EQ(r.fit->factors, ref.factors);
    for (int j = 0; j < 4; ++j) EXPECT_TRUE(Near(r.fit->Coeffs[j], ref.coeffs[j], 1e-14L)) << j;
}

INSTANTIATE_TEST_SUITE_P(
    SmallSheet, FactorModelReference,
    ::testing::Values(
        Reference{ModelMethod::PLS,
                  1,
                  {3.04015109828466024L, 0.82480327659143771L, 0.61670050070587612L,
                   -0.58603455382759873L}},
        Reference{ModelMethod::PLS,
                  2,
                  {-0.34905392280624881L, 0.85665211873151281L, 0.92220455987657912L,
                   0.13951291802575444L}},
        Reference{ModelMethod::PCR,
                  1,
                  {4.27438137373930438L, 0.78513481326176504L, 0.49549676468541853L,
                   -0.80153186314017288L}},
        Reference{ModelMethod::PCR,
                  2,
                  {-0.35476999030320133L, 0.85847232202545032L, 0.92127641033201169L,
                   0.14059219595979244L}},
        // All three factors are MLR: R: coef(lm(z ~ x1 + x2 + x3)) = 43/90, 107/180, 19/18, -1/60
        Reference{ModelMethod::PLS, 3, {43.0L / 90, 107.0L / 180, 19.0L / 18, -1.0L / 60}},
        Reference{ModelMethod::PCR, 3, {43.0L / 90, 107.0L / 180, 19.0L / 18, -1.0L / 60}}));

// Random but fixed data: n = 40 rows of p = 6 x-variables and a noisy response.
ModelData RandomData(int n, int p, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> normal;
    std::vector<std::vector<Extended>> x(p, std::vector<Extended>(n));
    std::vector<Extended> z(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < p; ++j)
            x[j][i] = normal(gen) + (j > 0 ? 0.5 * static_cast<double>(x[j - 1][i]) : 0);
        z[i] = 3 * x[0][i] - 2 * x[p - 1][i] + normal(gen);
    }
    return MakeModelData(x, z);
}

TEST(FactorModel, AllFactorsReproduceMlrOnRandomData) {
    const ModelData data = RandomData(40, 6, 7);
    const ModelFit mlr = *FitMLR(data).fit;
    for (ModelMethod method : {ModelMethod::PLS, ModelMethod::PCR}) {
        SCOPED_TRACE(method == ModelMethod::PLS ? "PLS" : "PCR");
        const ModelFit fit = *(method == ModelMethod::PLS ? FitPLS(data, 6) : FitPCR(data, 6)).fit;
        for (int j = 0; j <= 6; ++j) EXPECT_TRUE(Near(fit.Coeffs[j], mlr.Coeffs[j], 1e-14L)) << j;
    }
}

TEST(FactorModel, ALeaveOneOutFitFromTheKernelEqualsARefit) {
    const ModelData data = RandomData(30, 5, 13);
    const CrossProducts all = ComputeCrossProducts(data);
    const int left_out = 7;
    std::vector<std::vector<Extended>> x(5);
    std::vector<Extended> z;
    for (int i = 0; i < data.n; ++i) {
        if (i == left_out) continue;
        for (int j = 0; j < 5; ++j) x[j].push_back(data.X(i, j));
        z.push_back(data.Z(i));
    }
    const ModelFit refit = *FitPLS(MakeModelData(x, z), 3).fit;
    const AutoscaledKernel kernel = LoadAutoscaled(WithoutRow(all, DataRow(data, left_out)));
    const std::vector<Extended> b =
        ConvertToDataUnits(kernel, ScaledCoefficients(KernelPls(kernel, 3), 3));
    for (int j = 0; j <= 5; ++j) EXPECT_TRUE(Near(b[j], refit.Coeffs[j], 1e-15L)) << j;
}

TEST(FactorModel, PlsWeightsAreOrthonormalScoresOrthogonalResidualsOrthogonalToFit) {
    const ModelData data = RandomData(40, 6, 11);
    const FactorFit fit = *ExtractFactors(ModelMethod::PLS, data).fit;
    const tMatrix W = WeightMat(fit);
    const tMatrix T = ScoreMat(data, fit);
    const int k = fit.factors.extracted;
    ASSERT_EQ(k, 6);
    for (int a = 1; a <= k; ++a) {
        for (int b = 1; b <= k; ++b) {
            Extended ww = 0, tt = 0;
            for (int j = 1; j <= 6; ++j) ww += W.Get(j, a) * W.Get(j, b);
            for (int i = 1; i <= data.n; ++i) tt += T.Get(i, a) * T.Get(i, b);
            EXPECT_NEAR(static_cast<double>(ww), a == b ? 1.0 : 0.0, 1e-15);
            if (a != b) {
                EXPECT_LT(std::fabs(tt), 1e-15L * data.n);
            }
        }
    }
    const ModelFit model = FinishFactorFit(data, fit, 2);
    Extended e_fit = 0, fit_ss = 0;
    for (int i = 0; i < data.n; ++i) {
        e_fit += model.residuals[i] * (model.predictions[i] - model.ZMean);
        fit_ss += (model.predictions[i] - model.ZMean) * (model.predictions[i] - model.ZMean);
    }
    EXPECT_LT(std::fabs(e_fit), 1e-15L * fit_ss);
}

TEST(FactorModel, OneFactorPlsIsTheCovarianceDirection) {
    // Worked by hand: with one factor b = s·(sᵀs)/(sᵀSs), s = Xᵀz, S = XᵀX (autoscaled).
    const ModelData data = RandomData(30, 4, 3);
    const FactorFit fit = *ExtractFactors(ModelMethod::PLS, data).fit;
    const AutoscaledKernel& k = fit.kernel;
    Extended ss = 0, sSs = 0;
    for (int i = 0; i < 4; ++i) {
        ss += k.Xtz[i] * k.Xtz[i];
        for (int j = 0; j < 4; ++j) sSs += k.Xtz[i] * k.At(i, j) * k.Xtz[j];
    }
    const std::vector<Extended> b = ScaledCoefficients(fit.factors, 1);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Near(b[i], k.Xtz[i] * ss / sSs, 1e-16L));
}

TEST(FactorModel, PcrLoadingsAreTheNipalsComponents) {
    const ModelData data = RandomData(25, 4, 5);
    const FactorFit fit = *ExtractFactors(ModelMethod::PCR, data).fit;
    tMatrix X(data.n, 4);
    for (int i = 0; i < data.n; ++i) {
        for (int j = 0; j < 4; ++j) {
            X.Put(i + 1, j + 1, (data.X(i, j) - fit.kernel.MeanRow[j]) / fit.kernel.Scale[j]);
        }
    }
    const NipalsResult first = NipalsComponent(X);
    ASSERT_TRUE(first.ok);
    // NIPALS stops at a relative change of λ below 1e-5, so λ agrees to about that and the
    // loading, whose error enters λ squared, to about its square root.
    EXPECT_TRUE(Near(first.lambda, fit.factors.tt[0], 1e-5L));
    for (int j = 0; j < 4; ++j) {
        EXPECT_NEAR(static_cast<double>(first.p.Get(j + 1, 1)),
                    static_cast<double>(fit.factors.P[j]), 1e-2);
    }
    // The eigenvalues of autoscaled data sum to (n − 1)·p.
    Extended sum = 0;
    for (Extended v : fit.factors.tt) sum += v;
    EXPECT_TRUE(Near(sum, 24 * 4, 1e-17L));
}

TEST(FactorModel, SymmetricEigenOfAWorkedMatrix) {
    // [[2, 1], [1, 2]]: eigenvalues 3 and 1, vectors (1, 1)/√2 and (1, −1)/√2, by hand.
    const SymmetricEigen e = ComputeSymmetricEigen({2, 1, 1, 2}, 2);
    ASSERT_TRUE(e.converged);
    EXPECT_TRUE(Near(e.values[0], 3, 1e-18L));
    EXPECT_TRUE(Near(e.values[1], 1, 1e-18L));
    EXPECT_TRUE(Near(std::fabs(e.vectors[0]), std::sqrt(0.5L), 1e-18L));
    EXPECT_TRUE(Near(e.vectors[0] * e.vectors[1], 0.5L, 1e-18L));
    EXPECT_TRUE(Near(e.vectors[2] * e.vectors[3], -0.5L, 1e-18L));
}

TEST(FactorModel, FactorCountIsLimitedButTheCaptionKeepsWhatWasEntered) {
    ScopedTextSettings text{Language::Swedish, '.'};
    const FactorFit fit = *ExtractFactors(ModelMethod::PLS, RandomData(10, 4, 1)).fit;
    EXPECT_EQ(LimitFactorCount(fit, ParseFactorCount("0")), 1);
    EXPECT_EQ(LimitFactorCount(fit, ParseFactorCount(" 9")), 4);
    EXPECT_EQ(FactorCaption(ModelMethod::PLS, "9"), "PLS: Partial Least Squares: 9 faktorer");
    EXPECT_THROW(ParseFactorCount("2.5"), ConversionError);
    // Three rows span at most two dimensions about their means: at most two factors.
    const FactorFit few = *ExtractFactors(ModelMethod::PLS, RandomData(3, 4, 1)).fit;
    EXPECT_EQ(LimitFactorCount(few, 4), few.factors.extracted);
    EXPECT_LE(few.factors.extracted, 2);
}

TEST(FactorModel, AnExplainedResponseStopsTheExtraction) {
    ScopedTextSettings text{Language::English, '.'};
    // x2 = 2·x1 + 1 and z = 2·x1: the first PLS factor is x1 itself and explains z; the
    // second is never extracted and its entry stays 0.
    const ModelData data = MakeModelData({{1, 2, 3, 4, 6}, {3, 5, 7, 9, 13}}, {2, 4, 6, 8, 12});
    const FactorFit fit = *ExtractFactors(ModelMethod::PLS, data).fit;
    EXPECT_EQ(fit.factors.stop, FactorStop::Exhausted);
    EXPECT_EQ(fit.factors.extracted, 1);
    EXPECT_TRUE(fit.note.empty());
    const FactorChoice choice = ChooseFactorCount(fit);
    EXPECT_EQ(choice.caption, "PLS: Choose number of factors");
    using Row = std::pair<std::string, std::string>;
    // 100 in two significant digits is written "1E+02".
    EXPECT_EQ(choice.rows, (std::vector<Row>{{"0", "1E+02"}, {"1", "0"}, {"2", "0"}}));
    const ModelFit model = FinishFactorFit(data, fit, LimitFactorCount(fit, 2));
    EXPECT_EQ(model.factors, 1);
    EXPECT_LT(model.Rms(), 1e-15L);
}

TEST(FactorModel, PlsStopsAtAZeroWeightAndTooFewRowsAreRefused) {
    ScopedTextSettings text{Language::English, '.'};
    // Σ (x − x̄)(z − z̄) = 0, worked by hand: the response is uncorrelated with x.
    const ModelData data = MakeModelData({{1, 2, 3, 4, 5}}, {2, -1, -2, -1, 2});
    const ModelFitResult r = FitPLS(data, 0);
    ASSERT_TRUE(r.fit);
    EXPECT_EQ(r.fit->factors, 0);
    EXPECT_EQ(r.fit->note,
              "PLS: after 0 factors the response is uncorrelated with what is left of the "
              "x-variables; no further factors were extracted.");
    EXPECT_EQ(r.fit->Coeffs, (std::vector<Extended>{0, 0}));  // z̄ = 0, b = 0
    ScopedTextSettings swedish{Language::Swedish, '.'};
    EXPECT_EQ(FitPCR(MakeModelData({{1}}, {2}), 1).refusal, "För få datapunkter..");
}

}  // namespace
}  // namespace tabulon

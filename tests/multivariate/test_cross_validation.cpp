// Leave-one-out cross-validation: a worked PRESS, the downdated fits against refits from
// scratch, the refusals, Cancel, the criteria of every count and Optimera's choice.
#include <gtest/gtest.h>

#include <random>

#include "base/language.h"
#include "model_test_support.h"
#include "multivariate/cross_validation.h"
#include "multivariate/factor_model.h"
#include "multivariate/mlr.h"

namespace tabulon {
namespace {

using test::Near;

ModelData Data(const std::vector<std::vector<Extended>>& x, const std::vector<Extended>& z) {
    return MakeModelData(x, z);
}

// n rows of p correlated variables and a noisy response, fixed by the seed.
ModelData Noisy(int n, int p, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> normal;
    std::vector<std::vector<Extended>> x(p, std::vector<Extended>(n));
    std::vector<Extended> z(n);
    for (int i = 0; i < n; ++i) {
        const Extended common = normal(gen);
        z[i] = 3 + normal(gen) / 2;
        for (int j = 0; j < p; ++j) {
            x[j][i] = j + common + normal(gen) / (j + 1);
            z[i] += (j % 2 ? 1 : -2) * x[j][i] / (j + 1);
        }
    }
    return Data(x, z);
}

ModelData WithoutRowData(const ModelData& data, int left_out) {
    std::vector<std::vector<Extended>> x(data.p);
    std::vector<Extended> z;
    for (int i = 0; i < data.n; ++i) {
        if (i == left_out) continue;
        for (int j = 0; j < data.p; ++j) x[j].push_back(data.X(i, j));
        z.push_back(data.Z(i));
    }
    return Data(x, z);
}

// x = 1..4, z = 2, 4, 5, 9, each point predicted by the line through the other three, worked
// by hand (and by e_i/(1 − h_ii) of the full fit, h = 1/4 + (x − 2.5)²/5): residuals −1, −1/7,
// 11/7, −7/3, PRESS = 3940/441.
TEST(PressTest, WorkedLineAndPlane) {
    const PressResult line = PressMLR(Data({{1, 2, 3, 4}}, {2, 4, 5, 9}));
    ASSERT_EQ(line.status, CvStatus::Done);
    const std::vector<Extended> want{-1, -1.0L / 7, 11.0L / 7, -7.0L / 3};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Near(line.fit.residuals[i], want[i], 1e-16L)) << i;
    EXPECT_TRUE(Near(line.fit.SSRes, 3940.0L / 441, 1e-16L));
    EXPECT_TRUE(Near(line.fit.Rms(), std::sqrt(3940.0L / 441 / 4), 1e-16L));

    // z = 1 + 2·x1 − 3·x2 exactly: every row is predicted exactly, by MLR and by PLS and PCR
    // with both factors.
    const ModelData plane = Data({{1, 2, 3, 4, 5, 6}, {2, 1, 4, 3, 6, 8}}, {-3, 2, -5, 0, -7, -11});
    for (const PressResult& r : {PressMLR(plane), PressPLS(plane, 2), PressPCR(plane, 2)}) {
        ASSERT_EQ(r.status, CvStatus::Done);
        EXPECT_LT(r.fit.SSRes, 1e-28L) << MethodName(r.fit.method);
    }
}

// The downdated cross-products against a fit of the other rows from scratch, every method and
// a constant column (centred, not scaled) among the x-variables.
TEST(PressTest, EveryRowAsRefitFromScratch) {
    ModelData data = Noisy(14, 4, 3);
    for (int i = 0; i < data.n; ++i) data.values[static_cast<std::size_t>(3) * data.n + i] = 7;
    struct Case {
        ModelMethod method;
        int factors;
    };
    for (const Case c : {Case{ModelMethod::PLS, 1}, Case{ModelMethod::PLS, 3},
                         Case{ModelMethod::PCR, 2}, Case{ModelMethod::PCR, 9}}) {
        const PressResult r =
            c.method == ModelMethod::PLS ? PressPLS(data, c.factors) : PressPCR(data, c.factors);
        ASSERT_EQ(r.status, CvStatus::Done);
        EXPECT_EQ(r.fit.factors, std::min(c.factors, data.p));  // 9 is limited to p
        for (int i = 0; i < data.n; ++i) {
            const ModelData rest = WithoutRowData(data, i);
            const ModelFitResult refit =
                c.method == ModelMethod::PLS ? FitPLS(rest, c.factors) : FitPCR(rest, c.factors);
            ASSERT_TRUE(refit.fit);
            const std::vector<Extended> row = DataRow(data, i);
            EXPECT_TRUE(
                Near(r.fit.predictions[i], PredictRow(refit.fit->Coeffs, row.data()), 1e-13L))
                << MethodName(c.method) << " k=" << c.factors << " row " << i;
        }
    }
    data = Noisy(9, 3, 5);
    const PressResult mlr = PressMLR(data);
    ASSERT_EQ(mlr.status, CvStatus::Done);
    for (int i = 0; i < data.n; ++i) {
        const ModelFitResult refit = FitMLR(WithoutRowData(data, i));
        const std::vector<Extended> row = DataRow(data, i);
        EXPECT_TRUE(
            Near(mlr.fit.predictions[i], PredictRow(refit.fit->Coeffs, row.data()), 1e-14L));
    }
}

TEST(PressTest, Refusals) {
    ScopedTextSettings swedish(Language::Swedish, ',');
    // n = p + 1: every left-out subset has as many rows as x-variables.
    const PressResult few = PressMLR(Data({{1, 2, 3}, {4, 1, 5}}, {1, 2, 4}));
    EXPECT_EQ(few.status, CvStatus::Refused);
    EXPECT_EQ(few.refusal, "För få datapunkter..");
    const PressResult twins = PressMLR(Data({{1, 2, 3, 5}, {1, 2, 3, 5}}, {1, 2, 4, 3}));
    EXPECT_EQ(twins.refusal, "Operationen går ej att utföra. Determinanten är noll");
    EXPECT_EQ(PressPLS(Data({{1, 2}}, {1, 3}), 1).refusal, "För få datapunkter..");
    EXPECT_EQ(CrossValidatedRms(ModelMethod::PCR, Data({{1, 2}}, {1, 3}), 1).refusal,
              "För få datapunkter..");
}

TEST(PressTest, CancelStopsTheRun) {
    const ModelData data = Noisy(200, 5, 1);
    std::atomic<bool> cancel{true};
    EXPECT_EQ(PressPLS(data, 2, {&cancel, {}}).status, CvStatus::Cancelled);
    // Cancelled after the first rows were done, as the progress window's button does.
    cancel = false;
    std::atomic<int> reports{0};
    CvControl control{&cancel, [&](int done, int rows, int factors) {
                          EXPECT_EQ(rows, 200);
                          EXPECT_EQ(factors, 4);
                          EXPECT_LE(done, rows);
                          ++reports;
                          cancel = true;
                      }};
    EXPECT_EQ(OptimiseFactors(ModelMethod::PLS, data, control).status, CvStatus::Cancelled);
    EXPECT_GE(reports.load(), 1);
}

// Every count's criterion is the PRESS of that count, and Optimera keeps to its rule on them.
TEST(OptimiseTest, CriteriaAndChoice) {
    const ModelData data = Noisy(30, 9, 7);
    for (ModelMethod method : {ModelMethod::PLS, ModelMethod::PCR}) {
        const CvCriteria all = CrossValidatedRms(method, data, data.p);
        ASSERT_EQ(all.rms.size(), 9u);
        for (int k : {1, 4, 9}) {
            const PressResult press =
                method == ModelMethod::PLS ? PressPLS(data, k) : PressPCR(data, k);
            EXPECT_TRUE(Near(all.rms[k - 1] * all.rms[k - 1] * data.n, press.fit.SSRes, 1e-12L))
                << MethodName(method) << " k=" << k;
        }
        const Optimisation opt = OptimiseFactors(method, data);
        ASSERT_EQ(opt.status, CvStatus::Done);
        EXPECT_EQ(opt.factors, ChooseFactorsByCriteria(all.rms)) << MethodName(method);
        EXPECT_EQ(opt.rms.size(), std::min<std::size_t>(opt.factors + 1, 9));
    }
    // The search ends at n − 1 when there are fewer rows than x-variables.
    EXPECT_EQ(OptimiseLimit(Noisy(4, 6, 2)), 3);
    EXPECT_LE(OptimiseFactors(ModelMethod::PLS, Noisy(4, 6, 2)).factors, 3);
}

TEST(OptimiseTest, StoppingRule) {
    struct Case {
        std::vector<Extended> rms;
        int chosen;
    };
    for (const Case& c : std::vector<Case>{
             {{1.0L, 0.5L, 0.7L}, 2},        // falls, then rises: 2
             {{1.0L, 1.2L, 0.1L}, 1},        // rises at once: 1, whatever comes later
             {{1.0L, 0.5L, 0.5L, 0.6L}, 3},  // a tie continues the search
             {{3, 2, 1}, 3},                 // never rises: the last count tried
             {{}, 0},
         }) {
        EXPECT_EQ(ChooseFactorsByCriteria(c.rms), c.chosen) << c.rms.size();
    }
}

}  // namespace
}  // namespace tabulon

// The centred cross-products: the split-double kernel against a plain extended loop, the
// fallback for values beyond doubles, constant columns, and the leave-one-out downdate.
#include <gtest/gtest.h>

#include <random>

#include "model_test_support.h"
#include "multivariate/cross_products.h"

namespace tabulon {
namespace {

// The definition, in plain extended arithmetic.
CrossProducts Plain(const std::vector<std::vector<Extended>>& rows) {
    CrossProducts cp;
    cp.n = static_cast<int>(rows.size());
    cp.m = static_cast<int>(rows[0].size());
    cp.mean.assign(cp.m, 0);
    cp.C.assign(static_cast<std::size_t>(cp.m) * cp.m, 0);
    for (const auto& row : rows) {
        for (int j = 0; j < cp.m; ++j) cp.mean[j] += row[j] / cp.n;
    }
    for (const auto& row : rows) {
        for (int j = 0; j < cp.m; ++j) {
            for (int k = 0; k < cp.m; ++k) {
                cp.C[j * cp.m + k] += (row[j] - cp.mean[j]) * (row[k] - cp.mean[k]);
            }
        }
    }
    return cp;
}

std::vector<std::vector<Extended>> RandomRows(int n, int m, Extended scale, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-1, 1);
    std::vector<std::vector<Extended>> rows(n, std::vector<Extended>(m));
    for (auto& row : rows) {
        for (int j = 0; j < m; ++j) row[j] = scale * (1 + j + u(gen) / 3) + u(gen) / 7;
    }
    return rows;
}

void ExpectSame(const CrossProducts& got, const CrossProducts& want, Extended relative) {
    ASSERT_EQ(got.m, want.m);
    for (int j = 0; j < got.m; ++j) {
        EXPECT_TRUE(test::Near(got.mean[j], want.mean[j], relative)) << j;
        for (int k = 0; k < got.m; ++k) {
            const Extended bound = std::sqrt(want(j, j) * want(k, k));
            EXPECT_LE(std::fabs(got(j, k) - want(j, k)), relative * bound) << j << "," << k;
        }
    }
}

struct Size {
    int n;
    int m;
    Extended scale;  // 1e200 takes the plain loop: deviations beyond doubles' comfort
    // Few rows show each product's rounding: 1e-18 holds only in extended precision (a sum
    // of products of doubles misses by 1e-17). Many rows are summed in another order.
    Extended relative;
};

class CrossProductsKernel : public ::testing::TestWithParam<Size> {};

// Sizes that cover a block of four products and the ones left over, several 256-row blocks,
// several chunks, odd row counts and the fallback.
TEST_P(CrossProductsKernel, AgreesWithThePlainExtendedLoop) {
    const Size s = GetParam();
    const auto rows = RandomRows(s.n, s.m, s.scale, static_cast<unsigned>(s.n + s.m));
    ExpectSame(ComputeCrossProducts(rows), Plain(rows), s.relative);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CrossProductsKernel,
                         ::testing::Values(Size{1, 3, 1, 1e-18L}, Size{7, 1, 1, 1e-18L},
                                           Size{9, 6, 1, 1e-18L}, Size{257, 6, 1e3L, 1e-17L},
                                           Size{9000, 9, 1e-3L, 1e-17L},
                                           Size{300, 5, 1e200L, 1e-17L}));

TEST(CrossProducts, AConstantColumnHasExactlyZeroVariation) {
    std::vector<std::vector<Extended>> rows;
    for (int i = 0; i < 300; ++i) rows.push_back({0.1L, static_cast<Extended>(i % 7)});
    const CrossProducts cp = ComputeCrossProducts(rows);
    EXPECT_EQ(cp.mean[0], 0.1L);
    EXPECT_EQ(cp(0, 0), 0);
    EXPECT_EQ(cp(0, 1), 0);
}

TEST(CrossProducts, LeavingARowOutEqualsComputingWithoutIt) {
    auto rows = RandomRows(50, 4, 10, 9);
    const CrossProducts all = ComputeCrossProducts(rows);
    for (int i : {0, 17, 49}) {
        SCOPED_TRACE(i);
        auto rest = rows;
        rest.erase(rest.begin() + i);
        const CrossProducts down = WithoutRow(all, rows[i]);
        EXPECT_EQ(down.n, 49);
        ExpectSame(down, Plain(rest), 1e-16L);
    }
}

TEST(CrossProducts, ProjectedRowsAreTheScaledDeviationsTimesTheDirections) {
    // Small values take the split path, 1e200 the plain one; 9 rows show each rounding.
    for (Extended scale : {1.0L, 1e200L}) {
        SCOPED_TRACE(static_cast<double>(scale));
        const auto rows = RandomRows(9, 3, scale, 4);
        std::vector<std::vector<Extended>> x(3, std::vector<Extended>(9));
        for (int i = 0; i < 9; ++i) {
            for (int j = 0; j < 3; ++j) x[j][i] = rows[i][j];
        }
        const ModelData data = MakeModelData(x, std::vector<Extended>(9, 0));
        const std::vector<Extended> mean{1, 2, -3}, sd{2, 0.5L, 3};
        const std::vector<Extended> r{
            0.1L, -0.7L, 1 / 3.0L, 5, 0, 2, 1e-3L, 1,
            1,    -1,    0.25L,    7, 1, 2, 3};  // five directions: a group of four and one
        const std::vector<Extended> t = ProjectRows(data, mean, sd, r, 5);
        for (int k = 0; k < 5; ++k) {
            for (int i = 0; i < 9; ++i) {
                Extended want = 0;
                for (int j = 0; j < 3; ++j) want += (x[j][i] - mean[j]) / sd[j] * r[k * 3 + j];
                EXPECT_TRUE(test::Near(t[k * 9 + i], want, 1e-18L)) << k << "," << i;
            }
        }
    }
}

}  // namespace
}  // namespace tabulon

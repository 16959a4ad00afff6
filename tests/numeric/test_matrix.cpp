// tMatrix: index and size errors, strides and transposition, products and the elimination.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "numeric/matrix.h"

namespace tabulon {
namespace {

using Rows = std::vector<std::vector<long double>>;

void ExpectMatrix(const tMatrix& m, const Rows& expected, long double relative = 0) {
    ASSERT_EQ(m.Rows(), static_cast<std::int32_t>(expected.size()));
    ASSERT_EQ(m.Cols(), static_cast<std::int32_t>(expected[0].size()));
    for (std::int32_t i = 1; i <= m.Rows(); ++i) {
        for (std::int32_t j = 1; j <= m.Cols(); ++j) {
            const long double want = expected[i - 1][j - 1];
            const long double got = m.Get(i, j);
            if (relative == 0) {
                EXPECT_EQ(got, want) << "element (" << i << ", " << j << ")";
            } else {
                // Relative, or absolute for elements that should be (near) zero.
                EXPECT_LE(std::fabs(got - want), relative * std::max(1.0L, std::fabs(want)))
                    << "element (" << i << ", " << j << "): " << static_cast<double>(got) << " vs "
                    << static_cast<double>(want);
            }
        }
    }
}

// Runs `action`, which must raise E with exactly `message`.
template <typename E>
void ExpectError(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "nothing raised, expected: " << message;
    } catch (const E& e) {
        EXPECT_EQ(std::string(e.what()), message);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "wrong exception: " << e.what() << ", expected: " << message;
    }
}

TEST(tMatrixCreate, RefusesSizesBelowOneRowsFirstAndStartsAllZeros) {
    ExpectError<InvalidNumberOfRows>([] { tMatrix(0, 3); }, "Invalid number of rows");
    ExpectError<InvalidNumberOfRows>([] { tMatrix(0, 0); }, "Invalid number of rows");
    ExpectError<InvalidNumberOfCols>([] { tMatrix(3, -5); }, "Invalid number of columns");
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    ExpectError<FailedCreate>([] { tMatrix(kMax, kMax); }, "Failed to create matrix");
    ExpectMatrix(tMatrix(2, 3), {{0, 0, 0}, {0, 0, 0}});
}

TEST(tMatrixOutside, EveryAccessTestsItsIndices) {
    tMatrix m(2, 3);
    // Each index one past either end, for a 2 x 3 matrix.
    for (const auto& [i, j] : {std::pair{3, 1}, {1, 0}, {0, 1}, {1, 4}, {-1, -1}}) {
        SCOPED_TRACE(::testing::Message() << i << ", " << j);
        ExpectError<ReadOutsideMatrix>([&] { m.Get(i, j); }, "Attempt to read outside matrix");
        ExpectError<WriteOutsideMatrix>([&] { m.Put(i, j, 1); }, "Attempt to write outside matrix");
    }
    EXPECT_THROW(m.SwapRows(1, 3), ReadOutsideMatrix);
    EXPECT_THROW(m.ScaleRow(0, 2), ReadOutsideMatrix);
    EXPECT_THROW(m.AddRowMultiple(3, 1, 2), ReadOutsideMatrix);
    EXPECT_THROW(m.ColumnMean(4), ReadOutsideMatrix);
    EXPECT_THROW(m.ColumnStdDev(0), ReadOutsideMatrix);
}

TEST(tMatrixSetSize, EnlargingKeepsOldValuesAtTheirIndicesAndZerosTheRest) {
    tMatrix m = tMatrix::FromRows({{1, 2}, {3, 4}});
    ASSERT_TRUE(m.SetSize(3, 4));
    ExpectMatrix(m, {{1, 2, 0, 0}, {3, 4, 0, 0}, {0, 0, 0, 0}});
    ASSERT_TRUE(m.SetSize(1, 2));
    ExpectMatrix(m, {{1, 2}});
    ASSERT_TRUE(m.SetSize(2, 2));
    ExpectMatrix(m, {{1, 2}, {0, 0}});  // what was shrunk away does not come back
    m.SetRows(3);                       // keeps the columns
    ExpectMatrix(m, {{1, 2}, {0, 0}, {0, 0}});
}

TEST(tMatrixSetSize, BadSizesRaiseAndLeaveTheMatrixAlone) {
    tMatrix m = tMatrix::FromRows({{1, 2}, {3, 4}});
    EXPECT_THROW(m.SetSize(0, 2), InvalidNumberOfRows);
    EXPECT_THROW(m.SetSize(2, 0), InvalidNumberOfCols);
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_FALSE(m.SetSize(kMax, kMax));
    ExpectMatrix(m, {{1, 2}, {3, 4}});
    ExpectError<FailedResize>([&] { m.SetRows(kMax); }, "Failed to resize matrix");
    ExpectMatrix(m, {{1, 2}, {3, 4}});
}

TEST(tMatrixTranspose, SwapsShapeAndIndicesAndAPriorCloneStaysAsItWas) {
    tMatrix m = tMatrix::FromRows({{1, 2, 3}, {4, 5, 6}});
    tMatrix before = m.Clone();
    m.Transpose();
    ExpectMatrix(m, {{1, 4}, {2, 5}, {3, 6}});
    ExpectMatrix(m.Clone(), {{1, 4}, {2, 5}, {3, 6}});
    before.Put(1, 1, 9);
    ExpectMatrix(before, {{9, 2, 3}, {4, 5, 6}});
    EXPECT_EQ(m.Get(1, 1), 1);
    m.Transpose();
    ExpectMatrix(m, {{1, 2, 3}, {4, 5, 6}});
}

TEST(tMatrixTranspose, AResizeRepacksInTheTransposedShape) {
    tMatrix m = tMatrix::FromRows({{1, 2, 3}, {4, 5, 6}});
    m.Transpose();
    ASSERT_TRUE(m.SetSize(3, 3));
    ExpectMatrix(m, {{1, 4, 0}, {2, 5, 0}, {3, 6, 0}});
    m.Put(1, 3, 7);  // written through the packed strides now
    ExpectMatrix(m, {{1, 4, 7}, {2, 5, 0}, {3, 6, 0}});
}

TEST(tMatrixArithmetic, MultiplyFormsTheProductInPlace) {
    tMatrix b = tMatrix::FromRows({{1, 2, 3}, {4, 5, 6}});
    b.Multiply(tMatrix::FromRows({{1}, {0}, {-1}}));
    ExpectMatrix(b, {{-2}, {-2}});  // worked by hand: shape Rows x m.Cols
    // The calling pattern of the regressions: clone X, transpose the clone, multiply by X.
    tMatrix x = tMatrix::FromRows({{1, 1}, {1, 2}, {1, 3}});
    tMatrix xtx = x.Clone();
    xtx.Transpose();
    xtx.Multiply(x);
    ExpectMatrix(xtx, {{3, 6}, {6, 14}});  // worked by hand: n, sum x; sum x, sum x^2
    tMatrix square = tMatrix::FromRows({{1, 2}, {3, 4}});
    square.Multiply(square);                    // the argument may be the matrix itself
    ExpectMatrix(square, {{7, 10}, {15, 22}});  // worked by hand
}

TEST(tMatrixArithmetic, IncompatibleShapesRaiseMatrixDimensionError) {
    tMatrix a(2, 3);
    const tMatrix b(2, 3);
    ExpectError<MatrixDimensionError>([&] { a.Multiply(b); }, "Matrix dimension error");
    ExpectError<MatrixDimensionError>([&] { a.Subtract(tMatrix(3, 2)); }, "Matrix dimension error");
    EXPECT_EQ(a.Rows(), 2);  // a refused operation leaves the shape alone
    EXPECT_EQ(a.Cols(), 3);
}

TEST(tMatrixArithmetic, RowOperationsSubtractAndScale) {
    tMatrix m = tMatrix::FromRows({{1, 2}, {3, 4}, {5, 6}});
    m.SwapRows(1, 3);
    ExpectMatrix(m, {{5, 6}, {3, 4}, {1, 2}});
    m.AddRowMultiple(3, 1, -5);
    ExpectMatrix(m, {{0, -4}, {3, 4}, {1, 2}});
    m.ScaleRow(2, 0.5L);
    ExpectMatrix(m, {{0, -4}, {1.5L, 2}, {1, 2}});
    m.Subtract(tMatrix::FromRows({{1, 1}, {1, 1}, {1, 1}}));
    ExpectMatrix(m, {{-1, -5}, {0.5L, 1}, {0, 1}});
    m.Scale(-2);
    ExpectMatrix(m, {{2, 10}, {-1, -2}, {0, -2}});
}

TEST(tMatrixArithmetic, IdentityTakesTheColumnCountAndAssignCopiesElementsAndShape) {
    tMatrix m = tMatrix::FromRows({{7, 7, 7}, {7, 7, 7}});
    m.Identity();
    ExpectMatrix(m, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    tMatrix source = tMatrix::FromRows({{1, 2, 3}, {4, 5, 6}});
    source.Transpose();
    m.Assign(source);
    ExpectMatrix(m, {{1, 4}, {2, 5}, {3, 6}});
    source.Put(1, 1, 0);
    EXPECT_EQ(m.Get(1, 1), 1);
}

TEST(tMatrixInvert, AnExactZeroPivotExchangesRowsAndASingularMatrixStaysAsItWas) {
    tMatrix m = tMatrix::FromRows({{0, 1}, {1, 0}});
    m.Invert();
    ExpectMatrix(m, {{0, 1}, {1, 0}});  // its own inverse
    tMatrix singular = tMatrix::FromRows({{1, 2}, {2, 4}});
    ExpectError<MatrixDeterminantZero>([&] { singular.Invert(); }, "Matrix determinant zero");
    ExpectMatrix(singular, {{1, 2}, {2, 4}});
}

TEST(tMatrixInvert, ANonSquareMatrixIsRefusedWithEachOperationsOwnText) {
    tMatrix m(2, 3);
    ExpectError<NotSquareMatrix>([&] { m.Invert(); }, "Attempt to invert a non-square matrix");
    tMatrix b(2, 1);
    ExpectError<NotSquareMatrix>([&] { m.GaussEliminate(b); },
                                 "Attemt to Gauss eliminate a non-square matrix");
    tMatrix square(2, 2);
    tMatrix wrong_rows(3, 1);
    ExpectError<MatrixDimensionError>([&] { square.GaussEliminate(wrong_rows); },
                                      "Matrix dimension error");
}

TEST(tMatrixInvert, ATinyPivotIsNotAnError) {
    tMatrix m = tMatrix::FromRows({{1e-12L, 1}, {1, 1}});
    ASSERT_NO_THROW(m.Invert());
    // worked by hand: inverse = [[1, -1], [-1, 1e-12]] / (1e-12 - 1); the unpivoted
    // elimination loses about 12 of its 19 digits here, hence the loose tolerance.
    const long double d = 1e-12L - 1;
    ExpectMatrix(m, {{1 / d, -1 / d}, {-1 / d, 1e-12L / d}}, 1e-6L);
}

TEST(tMatrixInvert, TheFourByFourHilbertMatrix) {
    tMatrix h(4, 4);
    for (int i = 1; i <= 4; ++i) {
        for (int j = 1; j <= 4; ++j) h.Put(i, j, 1.0L / (i + j - 1));
    }
    h.Invert();
    // The closed-form integer inverse of the Hilbert matrix of order 4.
    ExpectMatrix(h,
                 {{16, -120, 240, -140},
                  {-120, 1200, -2700, 1680},
                  {240, -2700, 6480, -4200},
                  {-140, 1680, -4200, 2800}},
                 1e-13L);
}

TEST(tMatrixInvert, InvertingATransposedMatrixInvertsTheTranspose) {
    tMatrix a = tMatrix::FromRows({{4, 7, 2}, {3, 6, 1}, {2, 5, 3}});
    a.Transpose();
    a.Invert();
    // worked by hand: (A^T)^-1 is the cofactor matrix of A over det A = 9
    ExpectMatrix(a,
                 {{13.0L / 9, -7.0L / 9, 3.0L / 9},
                  {-11.0L / 9, 8.0L / 9, -6.0L / 9},
                  {-5.0L / 9, 2.0L / 9, 3.0L / 9}},
                 1e-17L);
}

TEST(tMatrixGaussEliminate, SolvesForEveryColumnOfTheRightHandSide) {
    const tMatrix a = tMatrix::FromRows({{2, 1}, {1, 3}});
    tMatrix b = tMatrix::FromRows({{3, 1}, {5, 0}});
    a.GaussEliminate(b);
    // worked by hand: A^-1 = [[3, -1], [-1, 2]] / 5
    ExpectMatrix(b, {{0.8L, 0.6L}, {1.4L, -0.2L}}, 1e-18L);
    ExpectMatrix(a, {{2, 1}, {1, 3}});  // the matrix itself is left alone
}

TEST(tMatrixGaussEliminate, PivotsOnlyOnExactZerosSoRowOperationsStayInOrder) {
    // With the first pivot 1 kept (a magnitude search would take the 2), B holds the row
    // operations done before the zero column is found: row 2 -= 2 * row 1.
    const tMatrix a = tMatrix::FromRows({{1, 2}, {2, 4}});
    tMatrix b(2, 2);
    b.Identity();
    EXPECT_THROW(a.GaussEliminate(b), MatrixDeterminantZero);
    ExpectMatrix(b, {{1, 0}, {-2, 1}});  // worked by hand
}

TEST(tMatrixDeterminant, MatchesTheValueWorkedByHand) {
    const struct {
        const char* name;
        Rows rows;
        long double expected;
    } cases[] = {
        {"not square", {{1, 2, 3}, {4, 5, 6}}, 0},  // defined as 0
        {"diagonal", {{2, 0}, {0, 3}}, 6},
        {"singular", {{1, 2}, {2, 4}}, 0},
        {"zero pivot exchanged", {{0, 1}, {1, 0}}, -1},
        {"zero column", {{0, 1}, {0, 2}}, 0},                         // no pivot at all
        {"three by three", {{2, -3, 1}, {2, 0, -1}, {1, 4, 5}}, 49},  // by cofactors
    };
    for (const auto& c : cases) {
        tMatrix m(static_cast<std::int32_t>(c.rows.size()),
                  static_cast<std::int32_t>(c.rows[0].size()));
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            for (std::size_t j = 0; j < c.rows[i].size(); ++j) {
                m.Put(std::int32_t(i + 1), std::int32_t(j + 1), c.rows[i][j]);
            }
        }
        EXPECT_NEAR(double(m.Determinant()), double(c.expected), 1e-15) << c.name;
    }
}

TEST(tMatrixColumns, MeanAndSampleStandardDeviation) {
    const tMatrix m = tMatrix::FromRows({{1, 10}, {2, 10}, {3, 10}, {4, 10}});
    EXPECT_EQ(m.ColumnMean(1), 2.5L);
    EXPECT_NEAR(static_cast<double>(m.ColumnStdDev(1)), 1.2909944487358056, 1e-15);  // R: sd(1:4)
    EXPECT_EQ(m.ColumnStdDev(2), 0);  // a constant column, never the root of a negative
    EXPECT_EQ(tMatrix::FromRows({{5, 7}}).ColumnStdDev(1), 0);  // one row
    // sum x^2 - (sum x)^2 / n would cancel 24 digits here and leave 80-bit rounding noise.
    const tMatrix large = tMatrix::FromRows({{1e12L + 1}, {1e12L + 2}, {1e12L + 3}});
    EXPECT_NEAR(double(large.ColumnStdDev(1)), 1.0, 1e-12);  // R: sd(1e12 + 1:3)
}

TEST(tMatrixVectors, NormalizeScalesRowsAndColumnsToUnitLength) {
    tMatrix column = tMatrix::FromRows({{3}, {4}});
    column.Normalize();
    ExpectMatrix(column, {{0.6L}, {0.8L}}, 1e-18L);  // worked by hand: 3/5, 4/5
    tMatrix row = tMatrix::FromRows({{0, 3, 4}});
    row.Normalize();
    ExpectMatrix(row, {{0, 0.6L, 0.8L}}, 1e-18L);
    tMatrix zeros(3, 1);
    zeros.Normalize();
    ExpectMatrix(zeros, {{0}, {0}, {0}});
    tMatrix square = tMatrix::FromRows({{3, 0}, {4, 0}});
    square.Normalize();
    ExpectMatrix(square, {{3, 0}, {4, 0}});  // not a vector: left alone
}

TEST(tMatrixVectors, SumOfSquaresAndTheLargestColumnLowestOnTies) {
    EXPECT_EQ(tMatrix::FromRows({{1, 2, 3}, {9, 9, 9}}).SumOfSquares(), 14);  // row 1
    EXPECT_EQ(tMatrix::FromRows({{1}, {2}, {3}}).SumOfSquares(), 14);         // column 1
    EXPECT_EQ(tMatrix::FromRows({{1, 2}, {2, 1}}).MaxSumSquaresColumn(), 1);  // 5 vs 5
    EXPECT_EQ(tMatrix::FromRows({{1, 3}, {2, 0}}).MaxSumSquaresColumn(), 2);  // 5 vs 9
    EXPECT_EQ(tMatrix(3, 2).MaxSumSquaresColumn(), 0);
}

TEST(tMatrixLiterals, RaggedRowsAreRefusedAndAMovedFromMatrixRefusesEveryAccess) {
    EXPECT_THROW(tMatrix::FromRows({{1, 2}, {3}}), MatrixDimensionError);
    EXPECT_THROW(tMatrix::FromRows({}), InvalidNumberOfRows);
    tMatrix a = tMatrix::FromRows({{1}});
    tMatrix b = std::move(a);
    EXPECT_THROW(a.Get(1, 1), ReadOutsideMatrix);  // NOLINT(bugprone-use-after-move)
    a = b;
    ExpectMatrix(a, {{1}});
}

}  // namespace
}  // namespace tabulon

// tMatrix: the dense, 1-based, extended-precision matrix of the regression and modelling code.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "numeric/extended.h"
#include "numeric/matrix_errors.h"

namespace tabulon {

// Elements live in one owned block addressed through a row and a column stride, so that
// Transpose only swaps the strides. Every access tests its indices and every operation works
// in place on the receiving matrix; misuse raises one of the classes of matrix_errors.h.
// A matrix always has at least one row and one column.
class tMatrix {
public:
    // A 1 x 1 zero matrix, so that result structs can hold matrices before they are filled.
    tMatrix();
    // A rows x cols zero matrix. InvalidNumberOfRows / InvalidNumberOfCols for sizes below 1,
    // FailedCreate when the block cannot be had.
    tMatrix(std::int32_t rows, std::int32_t cols);
    // Rows given as lists, for literals in callers and tests; ragged rows raise
    // MatrixDimensionError, an empty list InvalidNumberOfRows.
    static tMatrix FromRows(std::initializer_list<std::initializer_list<Extended>> rows);

    // Copies are packed row-major like Clone; moves take over the block.
    tMatrix(const tMatrix& other);
    tMatrix& operator=(const tMatrix& other);
    tMatrix(tMatrix&& other) noexcept;
    tMatrix& operator=(tMatrix&& other) noexcept;
    ~tMatrix() = default;

    std::int32_t Rows() const { return m_rows; }
    std::int32_t Cols() const { return m_cols; }

    // Read and write element (i, j), 1 <= i <= Rows, 1 <= j <= Cols; ReadOutsideMatrix /
    // WriteOutsideMatrix otherwise.
    Extended Get(std::int32_t i, std::int32_t j) const;
    void Put(std::int32_t i, std::int32_t j, Extended value);

    // Re-allocates packed row-major, keeping the elements whose indices still exist and
    // zeroing the new ones. Raises for sizes below 1; returns false, leaving the matrix as it
    // was, when the block cannot be allocated.
    bool SetSize(std::int32_t rows, std::int32_t cols);
    // SetSize(n, Cols()); FailedResize when that cannot allocate.
    void SetRows(std::int32_t n);

    tMatrix Clone() const;
    // This becomes an element-by-element copy of m (re-sized first when the shapes differ).
    void Assign(const tMatrix& m);

    // O(1): exchanges the strides and the dimensions; no element moves.
    void Transpose();

    void SwapRows(std::int32_t r1, std::int32_t r2);
    // Row dst := row dst + f * row src.
    void AddRowMultiple(std::int32_t src, std::int32_t dst, Extended f);
    void ScaleRow(std::int32_t r, Extended f);
    void Scale(Extended f);
    // This := this - m; MatrixDimensionError unless the shapes are equal.
    void Subtract(const tMatrix& m);
    // This := this * m; MatrixDimensionError unless Cols() == m.Rows().
    void Multiply(const tMatrix& m);
    // Makes this square (Cols() rows) and the identity.
    void Identity();

    // Replaces b by this^-1 * b by Gauss-Jordan elimination; this is left unchanged. Rows are
    // exchanged only when a diagonal element is exactly zero (no pivoting by magnitude), so
    // a nearly singular matrix is inverted without complaint: callers test |det| first.
    // NotSquareMatrix, MatrixDimensionError (b.Rows() != Rows()), MatrixDeterminantZero.
    void GaussEliminate(tMatrix& b) const;
    // This := this^-1; NotSquareMatrix or MatrixDeterminantZero, and then this is unchanged.
    void Invert();
    // 0 for a non-square matrix. Callers use only the absolute value.
    Extended Determinant() const;

    Extended ColumnMean(std::int32_t c) const;
    // Sample standard deviation (n - 1) of column c; 0 with a single row.
    Extended ColumnStdDev(std::int32_t c) const;
    // Scales a row vector (Cols() != 1: row 1) or column vector to unit length; leaves a
    // true matrix, or a vector of length below 1e-30, unchanged.
    void Normalize();
    // Sum of squares of row 1 when Cols() != 1, else of column 1.
    Extended SumOfSquares() const;
    // The column with the largest sum of squares (ties: the lowest); 0 when all are zero.
    std::int32_t MaxSumSquaresColumn() const;

private:
    std::int64_t Offset(std::int32_t i, std::int32_t j) const {
        return std::int64_t{i - 1} * m_row_stride + std::int64_t{j - 1} * m_col_stride;
    }
    bool InRange(std::int32_t i, std::int32_t j) const {
        return i >= 1 && i <= m_rows && j >= 1 && j <= m_cols;
    }

    std::int32_t m_row_stride = 0;
    std::int32_t m_col_stride = 0;
    std::int32_t m_rows = 0;
    std::int32_t m_cols = 0;
    std::unique_ptr<Extended[]> m_data;
};

}  // namespace tabulon

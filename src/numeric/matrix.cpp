// tMatrix: strided storage, element access with index tests, and the in-place operations.
#include "numeric/matrix.h"

#include <cmath>
#include <limits>
#include <new>
#include <utility>

namespace tabulon {

tMatrix::tMatrix() : tMatrix(1, 1) {}

tMatrix::tMatrix(std::int32_t rows, std::int32_t cols) {
    if (!SetSize(rows, cols)) throw FailedCreate();
}

tMatrix tMatrix::FromRows(std::initializer_list<std::initializer_list<Extended>> rows) {
    if (rows.size() == 0) throw InvalidNumberOfRows();
    if (rows.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
        rows.begin()->size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw FailedCreate();
    }
    tMatrix m(static_cast<std::int32_t>(rows.size()),
              static_cast<std::int32_t>(rows.begin()->size()));
    std::int32_t i = 0;
    for (const auto& row : rows) {
        ++i;
        if (row.size() != static_cast<std::size_t>(m.m_cols)) throw MatrixDimensionError();
        std::int32_t j = 0;
        for (Extended v : row) m.Put(i, ++j, v);
    }
    return m;
}

tMatrix::tMatrix(const tMatrix& other)
    : tMatrix(other.m_rows < 1 ? 1 : other.m_rows, other.m_cols < 1 ? 1 : other.m_cols) {
    // A moved-from source has no elements: the copy is then the 1 x 1 zero matrix.
    if (other.m_rows < 1 || other.m_cols < 1) return;
    for (std::int32_t i = 1; i <= m_rows; ++i) {
        for (std::int32_t j = 1; j <= m_cols; ++j) Put(i, j, other.Get(i, j));
    }
}

tMatrix& tMatrix::operator=(const tMatrix& other) {
    if (this != &other) {
        tMatrix copy(other);
        *this = std::move(copy);
    }
    return *this;
}

// A moved-from matrix has no rows and no block: every access to it fails its index test, so
// it can only be assigned to or destroyed.
tMatrix::tMatrix(tMatrix&& other) noexcept
    : m_row_stride(std::exchange(other.m_row_stride, 0)),
      m_col_stride(std::exchange(other.m_col_stride, 0)),
      m_rows(std::exchange(other.m_rows, 0)),
      m_cols(std::exchange(other.m_cols, 0)),
      m_data(std::move(other.m_data)) {}

tMatrix& tMatrix::operator=(tMatrix&& other) noexcept {
    if (this != &other) {
        m_row_stride = std::exchange(other.m_row_stride, 0);
        m_col_stride = std::exchange(other.m_col_stride, 0);
        m_rows = std::exchange(other.m_rows, 0);
        m_cols = std::exchange(other.m_cols, 0);
        m_data = std::move(other.m_data);
    }
    return *this;
}

Extended tMatrix::Get(std::int32_t i, std::int32_t j) const {
    if (!InRange(i, j)) throw ReadOutsideMatrix();
    return m_data[static_cast<std::size_t>(Offset(i, j))];
}

void tMatrix::Put(std::int32_t i, std::int32_t j, Extended value) {
    if (!InRange(i, j)) throw WriteOutsideMatrix();
    m_data[static_cast<std::size_t>(Offset(i, j))] = value;
}

bool tMatrix::SetSize(std::int32_t rows, std::int32_t cols) {
    if (rows < 1) throw InvalidNumberOfRows();
    if (cols < 1) throw InvalidNumberOfCols();
    const auto count = static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(cols);
    // A block larger than the address space is as unobtainable as one the heap refuses.
    if (count > std::numeric_limits<std::size_t>::max() / sizeof(Extended)) return false;
    std::unique_ptr<Extended[]> block(new (std::nothrow) Extended[count]);
    if (!block) return false;
    for (std::int32_t i = 1; i <= rows; ++i) {
        for (std::int32_t j = 1; j <= cols; ++j) {
            const auto at = static_cast<std::size_t>(std::int64_t{i - 1} * cols + (j - 1));
            block[at] = (i <= m_rows && j <= m_cols) ? Get(i, j) : Extended(0);
        }
    }
    m_data = std::move(block);
    m_row_stride = cols;
    m_col_stride = 1;
    m_rows = rows;
    m_cols = cols;
    return true;
}

void tMatrix::SetRows(std::int32_t n) {
    if (!SetSize(n, m_cols)) throw FailedResize();
}

tMatrix tMatrix::Clone() const {
    return tMatrix(*this);
}

void tMatrix::Assign(const tMatrix& m) {
    if (this == &m) return;
    if (m_rows != m.m_rows || m_cols != m.m_cols) {
        if (!SetSize(m.m_rows, m.m_cols)) throw FailedResize();
    }
    for (std::int32_t i = 1; i <= m_rows; ++i) {
        for (std::int32_t j = 1; j <= m_cols; ++j) Put(i, j, m.Get(i, j));
    }
}

void tMatrix::Transpose() {
    std::swap(m_row_stride, m_col_stride);
    std::swap(m_rows, m_cols);
}

void tMatrix::SwapRows(std::int32_t r1, std::int32_t r2) {
    for (std::int32_t j = 1; j <= m_cols; ++j) {
        const Extended a = Get(r1, j);
        const Extended b = Get(r2, j);
        Put(r1, j, b);
        Put(r2, j, a);
    }
}

void tMatrix::AddRowMultiple(std::int32_t src, std::int32_t dst, Extended f) {
    for (std::int32_t j = 1; j <= m_cols; ++j) Put(dst, j, Get(dst, j) + f * Get(src, j));
}

void tMatrix::ScaleRow(std::int32_t r, Extended f) {
    for (std::int32_t j = 1; j <= m_cols; ++j) Put(r, j, f * Get(r, j));
}

void tMatrix::Scale(Extended f) {
    for (std::int32_t i = 1; i <= m_rows; ++i) ScaleRow(i, f);
}

void tMatrix::Subtract(const tMatrix& m) {
    if (m_rows != m.m_rows || m_cols != m.m_cols) throw MatrixDimensionError();
    for (std::int32_t i = 1; i <= m_rows; ++i) {
        for (std::int32_t j = 1; j <= m_cols; ++j) Put(i, j, Get(i, j) - m.Get(i, j));
    }
}

void tMatrix::Multiply(const tMatrix& m) {
    if (m_cols != m.m_rows) throw MatrixDimensionError();
    // The product goes into a temporary first, so m may be this matrix itself.
    tMatrix product(m_rows, m.m_cols);
    for (std::int32_t i = 1; i <= m_rows; ++i) {
        for (std::int32_t j = 1; j <= m.m_cols; ++j) {
            Extended sum = 0;
            for (std::int32_t k = 1; k <= m_cols; ++k) sum += Get(i, k) * m.Get(k, j);
            product.Put(i, j, sum);
        }
    }
    *this = std::move(product);
}

void tMatrix::Identity() {
    if (m_cols != m_rows) SetRows(m_cols);
    for (std::int32_t i = 1; i <= m_rows; ++i) {
        for (std::int32_t j = 1; j <= m_cols; ++j) Put(i, j, i == j ? 1 : 0);
    }
}

void tMatrix::GaussEliminate(tMatrix& b) const {
    if (m_rows != m_cols) throw NotSquareMatrix("Attemt to Gauss eliminate a non-square matrix");
    if (b.m_rows != m_rows) throw MatrixDimensionError();
    tMatrix w = Clone();
    const std::int32_t n = m_rows;
    for (std::int32_t k = 1; k <= n; ++k) {
        if (w.Get(k, k) == 0) {
            // Only an exact zero moves a row: the elimination deliberately keeps the order of
            // the rows otherwise, as the fitted models were always computed this way.
            std::int32_t r = k;
            while (r <= n && w.Get(r, k) == 0) ++r;
            if (r > n) throw MatrixDeterminantZero();
            w.SwapRows(r, k);
            b.SwapRows(r, k);
        }
        const Extended inverse_pivot = 1 / w.Get(k, k);
        w.ScaleRow(k, inverse_pivot);
        b.ScaleRow(k, inverse_pivot);
        for (std::int32_t i = 1; i <= n; ++i) {
            if (i == k) continue;
            const Extended f = -w.Get(i, k);
            w.AddRowMultiple(k, i, f);
            b.AddRowMultiple(k, i, f);
        }
    }
}

void tMatrix::Invert() {
    if (m_rows != m_cols) throw NotSquareMatrix("Attempt to invert a non-square matrix");
    tMatrix inverse(m_rows, m_rows);
    inverse.Identity();
    GaussEliminate(inverse);
    *this = std::move(inverse);
}

Extended tMatrix::Determinant() const {
    if (m_rows != m_cols) return 0;
    tMatrix w = Clone();
    const std::int32_t n = m_rows;
    Extended sign = 1;
    for (std::int32_t k = 1; k <= n; ++k) {
        if (w.Get(k, k) == 0) {
            std::int32_t r = k + 1;
            while (r <= n && w.Get(r, k) == 0) ++r;
            if (r > n) return 0;
            w.SwapRows(r, k);
            // Keeping the sign right costs nothing and callers that only want |det| lose
            // nothing by it.
            sign = -sign;
        }
        for (std::int32_t i = k + 1; i <= n; ++i) {
            w.AddRowMultiple(k, i, -w.Get(i, k) / w.Get(k, k));
        }
    }
    Extended det = sign;
    for (std::int32_t k = 1; k <= n; ++k) det *= w.Get(k, k);
    return det;
}

Extended tMatrix::ColumnMean(std::int32_t c) const {
    if (m_rows < 1) return 0;
    Extended sum = 0;
    for (std::int32_t i = 1; i <= m_rows; ++i) sum += Get(i, c);
    return sum / m_rows;
}

Extended tMatrix::ColumnStdDev(std::int32_t c) const {
    const Extended mean = ColumnMean(c);  // tests c even for a single row
    if (m_rows < 2) return 0;
    // Deviations from the mean rather than sum x^2 - (sum x)^2 / n: the latter cancels to
    // noise (or below zero) on columns with a large mean and a small spread.
    Extended squares = 0;
    for (std::int32_t i = 1; i <= m_rows; ++i) {
        const Extended d = Get(i, c) - mean;
        squares += d * d;
    }
    return std::sqrt(squares / (m_rows - 1));
}

Extended tMatrix::SumOfSquares() const {
    Extended sum = 0;
    if (m_cols != 1) {
        for (std::int32_t j = 1; j <= m_cols; ++j) sum += Get(1, j) * Get(1, j);
    } else {
        for (std::int32_t i = 1; i <= m_rows; ++i) sum += Get(i, 1) * Get(i, 1);
    }
    return sum;
}

void tMatrix::Normalize() {
    if (m_rows > 1 && m_cols > 1) return;
    const Extended norm = std::sqrt(SumOfSquares());
    if (norm < 1e-30L) return;
    if (m_cols != 1) {
        for (std::int32_t j = 1; j <= m_cols; ++j) Put(1, j, Get(1, j) / norm);
    } else {
        for (std::int32_t i = 1; i <= m_rows; ++i) Put(i, 1, Get(i, 1) / norm);
    }
}

std::int32_t tMatrix::MaxSumSquaresColumn() const {
    Extended best = 0;
    std::int32_t best_column = 0;
    for (std::int32_t j = 1; j <= m_cols; ++j) {
        Extended sum = 0;
        for (std::int32_t i = 1; i <= m_rows; ++i) sum += Get(i, j) * Get(i, j);
        if (sum > best) {
            best = sum;
            best_column = j;
        }
    }
    return best_column;
}

}  // namespace tabulon

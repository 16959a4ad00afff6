// The exceptions by which tMatrix reports misuse: one class per kind, each carrying its text.
#pragma once

#include <stdexcept>
#include <string>

namespace tabulon {

// Each class derives straight from std::runtime_error so that a handler can pick out the
// exact kind, while the command dispatcher shows what() like any other error.
#define TABULON_MATRIX_ERROR(Name, default_text)                             \
    class Name : public std::runtime_error {                                 \
    public:                                                                  \
        Name() : std::runtime_error(default_text) {}                         \
        explicit Name(const std::string& text) : std::runtime_error(text) {} \
    }

TABULON_MATRIX_ERROR(ReadOutsideMatrix, "Attempt to read outside matrix");
TABULON_MATRIX_ERROR(WriteOutsideMatrix, "Attempt to write outside matrix");
TABULON_MATRIX_ERROR(InvalidNumberOfRows, "Invalid number of rows");
TABULON_MATRIX_ERROR(InvalidNumberOfCols, "Invalid number of columns");
TABULON_MATRIX_ERROR(FailedCreate, "Failed to create matrix");
TABULON_MATRIX_ERROR(FailedResize, "Failed to resize matrix");
// Gauss elimination and inversion word their refusal differently (see tMatrix).
TABULON_MATRIX_ERROR(NotSquareMatrix, "Attempt to invert a non-square matrix");
TABULON_MATRIX_ERROR(MatrixDimensionError, "Matrix dimension error");
TABULON_MATRIX_ERROR(MatrixDeterminantZero, "Matrix determinant zero");

#undef TABULON_MATRIX_ERROR

}  // namespace tabulon

// The formula evaluator of column arithmetic and curve texts: text in, one number out.
#pragma once

#include <string_view>

#include "numeric/extended.h"

namespace tabulon {

// Evaluates an arithmetic text: numbers with "." as the only decimal separator and an
// optional exponent (1.5E+3), the operators ^ * / + - and unary + -, parentheses, and the
// functions SIN COS TAN LN EXP ARCTAN ARCSIN ARCCOS LOG ABS in any letter case, each applied
// to a parenthesised argument (radians). Blanks are ignored.
//
// Precedence is the ordinary one: ^ first, from left to right (2^3^2 = 64); then unary minus
// (-2^2 = -4, (-2)^2 = 4, 2^-1 = 0.5); then * and / of equal rank from left to right
// (8/2*2 = 8); then + and - from left to right. Everything is computed in extended
// precision without rounding in between ((1/3)*3 = 1).
//
// Returns false, leaving `value` untouched, for any text that is not such a formula and for
// every domain failure: division by |b| < 1e-30, LN or LOG of a value <= 1e-30, ARCSIN or
// ARCCOS outside [-1, 1], a power of a negative base with a non-integral exponent, 0 raised
// to a power <= 0, and any result too large to hold. Never throws.
bool Evaluate(std::string_view text, Extended& value) noexcept;

// As Evaluate, with every x (or X) of the text standing for the value `x`: "x^2 + 2*x".
bool EvaluateAt(std::string_view text, Extended& value, Extended x) noexcept;

}  // namespace tabulon

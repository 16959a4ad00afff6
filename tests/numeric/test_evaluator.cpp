// Formula evaluation: precedence, functions, binding x, and every way a text can fail.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numeric/evaluator.h"

namespace tabulon {
namespace {

struct ValueCase {
    const char* text;
    long double expected;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

// Relative agreement to 1e-17: far tighter than the ten-digit rounding the evaluator once
// applied after every operation, so a rounded intermediate shows.
void ExpectValue(bool ok, long double got, long double want, const std::string& text) {
    ASSERT_TRUE(ok) << text;
    EXPECT_LE(std::fabs(got - want), 1e-17L * std::max(1.0L, std::fabs(want)))
        << text << ": " << static_cast<double>(got) << " vs " << static_cast<double>(want);
}

class EvaluateValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(EvaluateValue, GivesTheExpectedNumber) {
    const ValueCase& c = GetParam();
    long double v = -12345;
    const bool ok = Evaluate(c.text, v);
    ExpectValue(ok, v, c.expected, c.text);
}

constexpr long double kPi = 3.14159265358979323846264338327950288L;

INSTANTIATE_TEST_SUITE_P(
    Precedence, EvaluateValue,
    ::testing::Values(ValueCase{"1+2*3", 7},       // worked by hand
                      ValueCase{"(1+2)*3", 9},     // worked by hand
                      ValueCase{"10-4-3", 3},      // left to right
                      ValueCase{"8/2*2", 8},       // * and / of equal rank, left to right
                      ValueCase{"12/3/2", 2},      // (12/3)/2
                      ValueCase{"2*3^2", 18},      // ^ before *
                      ValueCase{"2^3^2", 64},      // (2^3)^2, left to right
                      ValueCase{"-2^2", -4},       // unary minus below ^
                      ValueCase{"(-2)^2", 4},      // the group is the base
                      ValueCase{"-2^-2", -0.25L},  // -(2^(-2))
                      ValueCase{"2^-1", 0.5L},     // a signed exponent
                      ValueCase{"2^-1^2", 0.25L},  // (2^-1)^2
                      ValueCase{"2*-3", -6},       // a signed factor
                      ValueCase{"1--2", 3},        // minus a negative
                      ValueCase{"--2", 2}, ValueCase{"+5", 5}, ValueCase{"-(2+3)", -5},
                      ValueCase{"0^2", 0},      // zero base, positive exponent
                      ValueCase{"(-2)^3", -8},  // negative base, whole exponent
                      ValueCase{"(-2)^-2", 0.25L}, ValueCase{"2^10", 1024},
                      ValueCase{"10^-2", 0.01L},
                      ValueCase{"(1/3)*3", 1},  // no rounding of 1/3 to ten digits
                      ValueCase{"1/3+1/3+1/3", 1}, ValueCase{" 1 +\t2 ", 3},  // blanks ignored
                      ValueCase{"(((((7)))))", 7},
                      ValueCase{"1e31*2", 2e31L}));  // large operands are fine while finite

INSTANTIATE_TEST_SUITE_P(Numbers, EvaluateValue,
                         ::testing::Values(ValueCase{"1.5E+3/3", 500},  // exponent with a sign
                                           ValueCase{"2e3*2", 4000},  // lower-case exponent letter
                                           ValueCase{"1e-3", 0.001L}, ValueCase{".5*2", 1},
                                           ValueCase{"5.", 5}, ValueCase{"0/5", 0},
                                           ValueCase{"2.5E-1+0.75", 1}));

INSTANTIATE_TEST_SUITE_P(
    Functions, EvaluateValue,
    ::testing::Values(ValueCase{"sin(0)", 0}, ValueCase{"LN(1)", 0}, ValueCase{"log(100)", 2},
                      ValueCase{"abs(-3)", 3}, ValueCase{"abs(-2)^2", 4},
                      ValueCase{"arcsin(1)", kPi / 2},  // exactly pi/2
                      ValueCase{"ARCSIN(-1)", -kPi / 2},
                      ValueCase{"arccos(-1)", kPi},                    // R: acos(-1)
                      ValueCase{"arccos(0.5)", kPi / 3},               // R: acos(0.5) = pi/3
                      ValueCase{"4*ArcTan(1)", kPi},                   // R: 4 * atan(1)
                      ValueCase{"tan(1)", 1.5574077246549022305L},     // R: tan(1)
                      ValueCase{"TAN(0.5)", 0.54630248984379051326L},  // R: tan(0.5)
                      ValueCase{"cos(0)", 1}, ValueCase{"exp(1)", 2.71828182845904523536L},  // e
                      ValueCase{"ln(exp(2))", 2}, ValueCase{"exp(ln(10))", 10},
                      ValueCase{"2^0.5", 1.41421356237309504880L},  // sqrt(2)
                      ValueCase{"sin(arcsin(0.25))", 0.25L}));

struct FailCase {
    const char* text;
    const char* why;
};

void PrintTo(const FailCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" " << c.why;
}

class EvaluateFailure : public ::testing::TestWithParam<FailCase> {};

TEST_P(EvaluateFailure, ReturnsFalseAndLeavesTheValueAlone) {
    long double v = -12345;
    EXPECT_FALSE(Evaluate(GetParam().text, v));
    EXPECT_EQ(v, -12345);
}

INSTANTIATE_TEST_SUITE_P(
    Domain, EvaluateFailure,
    ::testing::Values(
        FailCase{"5/0", "division by zero"}, FailCase{"5/1e-31", "division by |b| < 1e-30"},
        FailCase{"1/(1-1)", "zero divisor from a group"}, FailCase{"ln(0)", "logarithm of zero"},
        FailCase{"ln(1e-30)", "logarithm of a value <= 1e-30"},
        FailCase{"log(-1)", "logarithm of a negative value"},
        FailCase{"arcsin(1.0000001)", "arcsin above 1"}, FailCase{"arccos(-2)", "arccos below -1"},
        FailCase{"0^0", "no value"}, FailCase{"0^-1", "division by zero"},
        FailCase{"(-2)^0.5", "real root of a negative number"},
        FailCase{"(-8)^(1/3)", "non-integral exponent of a negative base"},
        FailCase{"exp(100000)", "overflow"}, FailCase{"10^5000", "overflow"},
        FailCase{"1e5000", "number out of range"}));

INSTANTIATE_TEST_SUITE_P(
    Syntax, EvaluateFailure,
    ::testing::Values(FailCase{"", "empty"}, FailCase{"   ", "only blanks"},
                      FailCase{"3,5", "comma is not a separator"},
                      FailCase{"(2", "no closing parenthesis"},
                      FailCase{"2)", "no opening parenthesis"}, FailCase{"()", "empty group"},
                      FailCase{"2(3)", "no implicit product"},
                      FailCase{"sin 0", "function without parentheses"},
                      FailCase{"tang(1)", "unknown function"}, FailCase{"e", "no constants"},
                      FailCase{"x+1", "x is unbound in Evaluate"},
                      FailCase{"2x", "no implicit product"}, FailCase{"1.2.3", "two points"},
                      FailCase{".", "a point alone"}, FailCase{"1e", "exponent without digits"},
                      FailCase{"2EXP(1)", "a name after a number"}, FailCase{"2^", "no exponent"},
                      FailCase{"*2", "no left operand"}, FailCase{"2**3", "doubled operator"},
                      FailCase{"1+", "no right operand"}, FailCase{"1;2", "stray character"},
                      FailCase{"1\xc3\x97" "2", "non-ASCII multiplication sign"}));

TEST(Evaluate, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    long double v = 0;
    EXPECT_FALSE(Evaluate(deep, v));
    const std::string fine = std::string(150, '(') + "1" + std::string(150, ')');
    EXPECT_TRUE(Evaluate(fine, v));
    EXPECT_EQ(v, 1);
    const std::string signs = std::string(100000, '-') + "1";  // an even count of minus signs
    EXPECT_TRUE(Evaluate(signs, v));
    EXPECT_EQ(v, 1);
}

struct AtCase {
    const char* text;
    long double x;
    long double expected;
};

void PrintTo(const AtCase& c, std::ostream* os) {
    *os << '"' << c.text << "\" at " << double(c.x);
}

class EvaluateAtValue : public ::testing::TestWithParam<AtCase> {};

TEST_P(EvaluateAtValue, BindsEveryX) {
    const AtCase& c = GetParam();
    long double v = -12345;
    const bool ok = EvaluateAt(c.text, v, c.x);
    ExpectValue(ok, v, c.expected, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EvaluateAtValue,
    ::testing::Values(AtCase{"x^2+2*x", 3, 15},  // every x, not only the first
                      AtCase{"X*x", 4, 16},      // either letter case
                      AtCase{"-x^2", 3, -9},     // -(x^2)
                      AtCase{"exp(x)", 0, 1},    // the X inside EXP is not the variable
                      AtCase{"sin(x)/x", 0.5L, 0.95885107720840600054L},  // R: sin(.5)/.5
                      AtCase{"x", 1.0L / 3, 1.0L / 3},  // bound exactly, not to 12 digits
                      AtCase{"2.5*x-1e-3", -2, -5.001L}));

TEST(EvaluateAt, FailsLikeEvaluate) {
    long double v = -12345;
    EXPECT_FALSE(EvaluateAt("1/x", v, 0));
    EXPECT_FALSE(EvaluateAt("ln(x)", v, -1));
    EXPECT_FALSE(EvaluateAt("x y", v, 1));  // y is nothing
    EXPECT_FALSE(EvaluateAt("x", v, std::nanl("")));
    EXPECT_EQ(v, -12345);
}

}  // namespace
}  // namespace tabulon

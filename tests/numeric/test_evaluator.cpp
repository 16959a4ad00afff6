// Formula evaluation: precedence, functions, binding x, and every way a text can fail.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "numeric/evaluator.h"

namespace tabulon {
namespace {

// Relative agreement to 1e-17: far tighter than the ten-digit rounding the evaluator once
// applied after every operation, so a rounded intermediate shows.
void ExpectValue(bool ok, long double got, long double want) {
    ASSERT_TRUE(ok);
    EXPECT_LE(std::fabs(got - want), 1e-17L * std::max(1.0L, std::fabs(want)))
        << static_cast<double>(got) << " vs " << static_cast<double>(want);
}

constexpr long double kPi = 3.14159265358979323846264338327950288L;

TEST(Evaluate, GivesTheExpectedNumber) {
    const struct {
        const char* text;
        long double expected;
    } cases[] = {
        // precedence, worked by hand
        {"1+2*3", 7},
        {"(1+2)*3", 9},
        {"10-4-3", 3},      // left to right
        {"8/2*2", 8},       // * and / of equal rank, left to right
        {"2*3^2", 18},      // ^ before *
        {"2^3^2", 64},      // (2^3)^2, left to right
        {"-2^2", -4},       // unary minus below ^
        {"(-2)^2", 4},      // the group is the base
        {"-2^-2", -0.25L},  // -(2^(-2))
        {"2^-1^2", 0.25L},  // (2^-1)^2
        {"2*-3", -6},       // a signed factor
        {"1--2", 3},        // minus a negative
        {"+5", 5},
        {"-(2+3)", -5},
        {"0^2", 0},         // zero base, positive exponent
        {"(-2)^3", -8},     // negative base, whole exponent
        {"(1/3)*3", 1},     // no rounding of 1/3 to ten digits
        {" 1 +\t2 ", 3},    // blanks ignored
        {"1e31*2", 2e31L},  // large operands are fine while finite
        // numbers
        {"1.5E+3/3", 500},  // exponent with a sign
        {"2e3*2", 4000},    // lower-case exponent letter
        {"1e-3", 0.001L},
        {".5*2", 1},
        {"5.", 5},
        // functions, in any letter case
        {"sin(0)", 0},
        {"LN(1)", 0},
        {"log(100)", 2},
        {"abs(-2)^2", 4},
        {"arcsin(1)", kPi / 2},              // exactly pi/2
        {"arccos(0.5)", kPi / 3},            // R: acos(0.5) = pi/3
        {"4*ArcTan(1)", kPi},                // R: 4 * atan(1)
        {"tan(1)", 1.5574077246549022305L},  // R: tan(1)
        {"cos(0)", 1},
        {"exp(1)", 2.71828182845904523536L},  // e
        {"2^0.5", 1.41421356237309504880L},   // sqrt(2)
        {"sin(arcsin(0.25))", 0.25L},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        long double v = -12345;
        const bool ok = Evaluate(c.text, v);
        ExpectValue(ok, v, c.expected);
    }
}

TEST(Evaluate, ReturnsFalseAndLeavesTheValueAlone) {
    // Domain errors, then syntax errors, each with why it fails.
    const char* const cases[][2] = {{"5/0", "division by zero"},
                                    {"5/1e-31", "division by |b| < 1e-30"},
                                    {"ln(1e-30)", "logarithm of a value <= 1e-30"},
                                    {"log(-1)", "logarithm of a negative value"},
                                    {"arcsin(1.0000001)", "arcsin above 1"},
                                    {"arccos(-2)", "arccos below -1"},
                                    {"0^0", "no value"},
                                    {"0^-1", "division by zero"},
                                    {"(-2)^0.5", "real root of a negative number"},
                                    {"(-8)^(1/3)", "non-integral exponent of a negative base"},
                                    {"exp(100000)", "overflow"},
                                    {"10^5000", "overflow"},
                                    {"1e5000", "number out of range"},
                                    {"", "empty"},
                                    {"3,5", "comma is not a separator"},
                                    {"(2", "no closing parenthesis"},
                                    {"2)", "no opening parenthesis"},
                                    {"()", "empty group"},
                                    {"2(3)", "no implicit product"},
                                    {"sin 0", "function without parentheses"},
                                    {"tang(1)", "unknown function"},
                                    {"e", "no constants"},
                                    {"x+1", "x is unbound in Evaluate"},
                                    {"2x", "no implicit product"},
                                    {"1.2.3", "two points"},
                                    {".", "a point alone"},
                                    {"1e", "exponent without digits"},
                                    {"2EXP(1)", "a name after a number"},
                                    {"2^", "no exponent"},
                                    {"*2", "no left operand"},
                                    {"2**3", "doubled operator"},
                                    {"1+", "no right operand"},
                                    {"1;2", "stray character"},
                                    {"1\303\2272", "non-ASCII multiplication sign"}};
    for (const auto& c : cases) {
        long double v = -12345;
        EXPECT_FALSE(Evaluate(c[0], v)) << '"' << c[0] << "\" " << c[1];
        EXPECT_EQ(v, -12345);
    }
}

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

TEST(EvaluateAt, BindsEveryX) {
    const struct {
        const char* text;
        long double x, expected;
    } cases[] = {
        {"x^2+2*x", 3, 15},                           // every x, not only the first
        {"X*x", 4, 16},                               // either letter case
        {"-x^2", 3, -9},                              // -(x^2)
        {"exp(x)", 0, 1},                             // the X inside EXP is not the variable
        {"sin(x)/x", 0.5L, 0.95885107720840600054L},  // R: sin(.5)/.5
        {"x", 1.0L / 3, 1.0L / 3},                    // bound exactly, not to 12 digits
        {"2.5*x-1e-3", -2, -5.001L},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        long double v = -12345;
        const bool ok = EvaluateAt(c.text, v, c.x);
        ExpectValue(ok, v, c.expected);
    }
}

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

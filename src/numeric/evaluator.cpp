// The formula evaluator: a recursive-descent reading of the text, computed in extended
// precision as it is read.
#include "numeric/evaluator.h"

#include <cctype>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "numeric/number_text.h"

namespace tabulon {
namespace {

using Value = std::optional<Extended>;

// Deeper nesting than any formula a person types or a fit writes; beyond it the text is
// refused rather than risking the stack.
constexpr int kMaxNesting = 200;

// The guards the formulas have always had: below these the value is treated as zero.
constexpr Extended kTiny = 1e-30L;

Value Checked(Extended v) {
    if (!std::isfinite(v)) return std::nullopt;
    return v;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

Value Power(Extended a, Extended b) {
    if (a > 0) return Checked(std::pow(a, b));
    if (a == 0) {
        if (b > 0) return Extended(0);
        return std::nullopt;  // 0^0 and 0^-n have no value
    }
    if (b != std::trunc(b)) return std::nullopt;  // a real root of a negative number
    return Checked(std::pow(a, b));
}

Value ApplyFunction(const std::string& name, Extended v) {
    if (name == "SIN") return Checked(std::sin(v));
    if (name == "COS") return Checked(std::cos(v));
    if (name == "TAN") return Checked(std::tan(v));
    if (name == "EXP") return Checked(std::exp(v));
    if (name == "LN") return v <= kTiny ? std::nullopt : Checked(std::log(v));
    if (name == "LOG") return v <= kTiny ? std::nullopt : Checked(std::log10(v));
    if (name == "ARCTAN") return Checked(std::atan(v));
    if (name == "ARCSIN") {
        if (v < -1 || v > 1) return std::nullopt;
        if (v == 1) return std::numbers::pi_v<Extended> / 2;
        if (v == -1) return -std::numbers::pi_v<Extended> / 2;
        return Checked(std::asin(v));
    }
    if (name == "ARCCOS") {
        if (v < -1 || v > 1) return std::nullopt;
        return Checked(std::acos(v));
    }
    if (name == "ABS") return std::fabs(v);
    return std::nullopt;
}

class Parser {
public:
    Parser(std::string text, const Extended* x) : m_text(std::move(text)), m_x(x) {}

    Value Parse() {
        Value v = Sum();
        if (!v || m_pos != m_text.size()) return std::nullopt;
        return v;
    }

private:
    char Peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    // term (+|- term)*
    Value Sum() {
        Value left = Product();
        while (left && (Peek() == '+' || Peek() == '-')) {
            const char op = m_text[m_pos++];
            const Value right = Product();
            if (!right) return std::nullopt;
            left = Checked(op == '+' ? *left + *right : *left - *right);
        }
        return left;
    }

    // signed (*|/ signed)*, of equal rank from left to right
    Value Product() {
        Value left = Signed();
        while (left && (Peek() == '*' || Peek() == '/')) {
            const char op = m_text[m_pos++];
            const Value right = Signed();
            if (!right) return std::nullopt;
            if (op == '*') {
                left = Checked(*left * *right);
            } else {
                if (std::fabs(*right) < kTiny) return std::nullopt;
                left = Checked(*left / *right);
            }
        }
        return left;
    }

    // Any run of signs in front of a power: -2^2 is -(2^2), and 2*-3 and 1--2 read as written.
    Value Signed() {
        bool negative = false;
        while (Peek() == '+' || Peek() == '-') negative ^= m_text[m_pos++] == '-';
        const Value v = PowerChain();
        if (!v) return std::nullopt;
        return negative ? -*v : *v;
    }

    // primary (^ signs primary)*, from left to right: 2^3^2 is (2^3)^2.
    Value PowerChain() {
        Value base = Primary();
        while (base && Peek() == '^') {
            ++m_pos;
            bool negative = false;
            while (Peek() == '+' || Peek() == '-') negative ^= m_text[m_pos++] == '-';
            const Value exponent = Primary();
            if (!exponent) return std::nullopt;
            base = Power(*base, negative ? -*exponent : *exponent);
        }
        return base;
    }

    Value Primary() {
        const char c = Peek();
        if (IsDigit(c) || c == '.') return Number();
        if (c == '(') return Group();
        if (IsLetter(c)) return Name();
        return std::nullopt;
    }

    // (sum)
    Value Group() {
        if (Peek() != '(' || m_depth >= kMaxNesting) return std::nullopt;
        ++m_pos;
        ++m_depth;
        const Value v = Sum();
        --m_depth;
        if (!v || Peek() != ')') return std::nullopt;
        ++m_pos;
        return v;
    }

    // Digits and "." (at most one, checked by the parse), then an exponent part only when
    // digits follow the E, so that 2E3 is a number and 2EXP(1) is not.
    Value Number() {
        const std::size_t begin = m_pos;
        while (IsDigit(Peek()) || Peek() == '.') ++m_pos;
        if (Peek() == 'e' || Peek() == 'E') {
            std::size_t p = m_pos + 1;
            if (p < m_text.size() && (m_text[p] == '+' || m_text[p] == '-')) ++p;
            if (p < m_text.size() && IsDigit(m_text[p])) {
                m_pos = p;
                while (IsDigit(Peek())) ++m_pos;
            }
        }
        const auto v = ParseNumber(std::string_view(m_text).substr(begin, m_pos - begin), '.');
        if (!v) return std::nullopt;
        return Checked(*v);
    }

    // x, or a function name followed by its parenthesised argument.
    Value Name() {
        std::string name;
        while (IsLetter(Peek())) {
            name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(Peek()))));
            ++m_pos;
        }
        if (name == "X") {
            if (m_x == nullptr) return std::nullopt;
            return Checked(*m_x);
        }
        const Value argument = Group();
        if (!argument) return std::nullopt;
        return ApplyFunction(name, *argument);
    }

    std::string m_text;
    const Extended* m_x;
    std::size_t m_pos = 0;
    int m_depth = 0;
};

bool Run(std::string_view text, Extended& value, const Extended* x) noexcept {
    try {
        std::string compact;
        compact.reserve(text.size());
        for (char c : text) {
            if (c != ' ' && c != '\t') compact.push_back(c);
        }
        const Value v = Parser(std::move(compact), x).Parse();
        if (!v) return false;
        value = *v;
        return true;
    } catch (...) {
        // Only an allocation can throw here; a formula that cannot be read is a failure.
        return false;
    }
}

}  // namespace

bool Evaluate(std::string_view text, Extended& value) noexcept {
    return Run(text, value, nullptr);
}

bool EvaluateAt(std::string_view text, Extended& value, Extended x) noexcept {
    return Run(text, value, &x);
}

}  // namespace tabulon

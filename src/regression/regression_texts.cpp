// The regression window's number formats, readings and copied text.
#include "regression/regression_texts.h"

#include <cmath>

#include "base/language.h"
#include "graphs/number_formats.h"
#include "numeric/number_text.h"

namespace tabulon {
namespace {

// The texts of values no window may show as numbers.
std::optional<std::string> NotFinite(Extended v) {
    if (std::isnan(v)) return std::string("-");
    if (std::isinf(v)) return std::string(v > 0 ? "∞" : "-∞");
    return std::nullopt;
}

std::string General(Extended v, int digits) {
    if (auto text = NotFinite(v)) return *text;
    return FormatGeneral(v, digits, 2, DecimalSeparator());
}

}  // namespace

std::string FormatF5(Extended value) {
    if (auto text = NotFinite(value)) return *text;
    const DecimalDigits d = RoundToSignificant(value, 5);
    // Rebuild the rounded value from its digits so the fixed format cannot round it again.
    Extended rounded = 0;
    for (char c : d.digits) rounded = rounded * 10 + (c - '0');
    rounded *= std::pow(10.0L, d.exponent - 4);
    if (d.negative) rounded = -rounded;
    return FormatFixed(rounded, 5, DecimalSeparator());
}

std::string FormatG4(Extended value) {
    return General(value, 4);
}
std::string FormatG6(Extended value) {
    return General(value, 6);
}
std::string FormatG3(Extended value) {
    return General(value, 3);
}

std::string FormatReportNumber(Extended value) {
    if (auto text = NotFinite(value)) return *text;
    return FormatShortest(value, DecimalSeparator());
}

std::string RiskText(Extended level) {
    return FormatG3(100 * (1 - level)) + "%";
}

std::string LevelLine(Extended level) {
    return ChooseText("Confidence inteval: ", "Konfidensintervall: ") +
           FormatSignificant(4, 100 * level) + "%";
}

std::vector<std::string> YFromXLines(Extended x, const YFromXResult& r) {
    if (!r.has_interval) return {"x=" + FormatF5(x), "y=" + FormatF5(r.y)};
    return {
        "x=" + FormatF5(x),
        ChooseText("y-line=", "y linje=") + FormatF5(r.y) + "±" + FormatF5(r.line_half_width),
        ChooseText("y-point=", "y punkt=") + FormatF5(r.y) + "±" + FormatF5(r.point_half_width)};
}

std::vector<std::string> XFromYLines(Extended y, int replicates, const XFromYResult& r) {
    std::vector<std::string> lines{
        "y=" + FormatF5(y), ChooseText("Number of y=", "Antal y=") + std::to_string(replicates)};
    if (!r.ok) {
        lines.push_back(r.message);
    } else {
        std::string x = ChooseText("x point=", "x punkt=") + FormatF5(r.x);
        if (r.half_width) x += "±" + FormatF5(*r.half_width);
        lines.push_back(x);
    }
    return lines;
}

ReportText ResidualListReport(const FittedModel& model) {
    const RegressionData& d = model.data();
    const std::vector<Extended> e = model.Residuals();
    ReportText report{ChooseText("Residuals", "Residualer"), {"x : residual"}};
    report.lines.reserve(d.size() + 1);
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (std::isfinite(e[i])) report.lines.push_back(d.XTexts[i] + " : " + General(e[i], 6));
    }
    return report;
}

ReportText RmsReport(const FittedModel& model) {
    // Over the points the fit used (a function fit leaves out those outside its domain).
    std::vector<Extended> e;
    for (Extended v : model.Residuals()) {
        if (std::isfinite(v)) e.push_back(v);
    }
    Extended ss = 0;
    for (Extended v : e) ss += v * v;
    const Extended n = static_cast<Extended>(e.size());
    const int df = model.DegreesOfFreedom();
    ReportText r{"RMS", {}};
    r.lines.push_back("RMS=" + FormatG4(std::sqrt(ss / n)) + "   (√(Σ(y-ŷ)²/n))");
    r.lines.push_back("n=" + std::to_string(e.size()));
    r.lines.push_back("Σ(y-ŷ)²=" + FormatReportNumber(ss));
    if (df >= 1) {
        r.lines.push_back("sy=" + FormatG4(std::sqrt(ss / df)) + "   (√(Σ(y-ŷ)²/(n-" +
                          std::to_string(e.size() - static_cast<std::size_t>(df)) + ")))");
    }
    return r;
}

std::vector<std::string> RegressionTextLines(const RegressionData& data, const FittedModel* model,
                                             Extended level,
                                             const std::vector<ReportText>& reports) {
    std::vector<std::string> lines;
    lines.push_back(data.YTitle + ChooseText(" versus ", " mot ") + data.XTitle);
    if (model) {
        lines.push_back(model->Name());
        lines.push_back(model->EquationText());
        lines.push_back(model->StatusLine());
    } else {
        lines.push_back(
            ChooseText("Curve adaption cannot be made", "Kurvanpassningen kan ej utföras"));
        lines.push_back("n = " + std::to_string(data.size()));
    }
    lines.push_back(LevelLine(level));
    for (const ReportText& r : reports) {
        lines.emplace_back();
        if (!r.caption.empty()) lines.push_back(r.caption);
        lines.insert(lines.end(), r.lines.begin(), r.lines.end());
    }
    return lines;
}

}  // namespace tabulon

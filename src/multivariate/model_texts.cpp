// The modelling window's texts and result columns.
#include "multivariate/model_texts.h"

#include <cmath>

#include "base/language.h"
#include "numeric/f_distribution.h"
#include "numeric/number_text.h"
#include "worksheet/column_queries.h"

namespace tabulon {
namespace {

constexpr std::size_t kClipboardLimit = 64000;

// No window shows NaN or infinity as a number.
std::string G(Extended value, int digits) {
    if (!std::isfinite(value)) return "-";
    return FormatGeneral(value, digits, 2, DecimalSeparator());
}

std::string ResidualCaption() {
    return ChooseText("Residuals", "Residualer");
}

bool MlrFit(const ModelFit& fit, ModelResultKind kind) {
    return fit.method == ModelMethod::MLR && kind == ModelResultKind::Fit;
}

// The first completely empty column from the second data column on, else a new one at the end.
int ResultColumn(Worksheet& sheet) {
    for (int c = Worksheet::kFixedColumns + 1; c < sheet.columnCount(); ++c) {
        if (ColumnIsCompletelyEmpty(sheet, c)) return c;
    }
    const int c = sheet.columnCount();
    sheet.resize(c + 1, sheet.rowCount());
    sheet.setCell(c, 0, std::to_string(c - 1));
    return c;
}

int WriteColumn(Worksheet& sheet, const std::string& caption, const std::vector<int>& rows,
                const std::vector<std::string>& texts) {
    const int c = ResultColumn(sheet);
    sheet.setCell(c, 1, caption);
    for (std::size_t i = 0; i < rows.size(); ++i) sheet.setCell(c, rows[i], texts[i]);
    return c;
}

}  // namespace

std::vector<std::string> EquationLines(const ModelColumns& columns, const ModelFit& fit) {
    std::vector<std::string> lines{columns.ZName + " =", G(fit.Coeffs[0], 6)};
    for (std::size_t j = 0; j < columns.XNames.size(); ++j) {
        const Extended b = fit.Coeffs[j + 1];
        lines.push_back((b > 0 ? "+" : "") + G(b, 6) + "*" + columns.XNames[j]);
    }
    return lines;
}

CoefficientLists ShowCoefficientLists(const ModelColumns& columns, const ModelFit& fit) {
    CoefficientLists lists;
    const std::vector<Extended>& b = fit.ScaledCoeffs;
    Extended B = 0;
    for (Extended v : b) B += v * v;
    for (std::size_t j = 0; j < b.size() && j < columns.XNames.size(); ++j) {
        if (std::fabs(B) > 1e-19L) {
            lists.shares.push_back(columns.XNames[j] + ": " + G(100 * b[j] * b[j] / B, 4) + "%");
        }
        lists.normalised.push_back(columns.XNames[j] + ": " + G(b[j], 4));
    }
    return lists;
}

std::vector<std::string> SlopeSampleTexts(const std::vector<std::string>& normalised) {
    std::vector<std::string> values;
    for (const std::string& entry : normalised) {
        const auto first = entry.find(':');
        const auto second = first == std::string::npos ? first : entry.find(':', first + 1);
        if (second != std::string::npos) values.push_back(entry.substr(second + 1));
    }
    return values;
}

Extended ModelF(const ModelFit& fit) {
    if (fit.p * fit.SSRes == 0) return 0;
    return fit.SSReg / fit.SSRes * (fit.n - fit.p - 1) / fit.p;
}

Extended ModelCopyF(const ModelFit& fit) {
    if (std::fabs(fit.p * fit.SSRes) <= 1e-19L) return 0;
    return fit.SSReg / fit.SSRes * (fit.n - fit.p - 1) / fit.p;
}

Extended ModelFCritical(const ModelFit& fit, Extended level) {
    return FQuantile(fit.p, fit.n - fit.p - 1, 1 - level / 100);
}

ModelStatistics DrawModelText(const ModelFit& fit, Extended level, ModelResultKind kind) {
    ModelStatistics s;
    if (kind == ModelResultKind::Fit)
        s.heading = ChooseText("Linear relationship:", "Linjärt samband:");
    s.lines.push_back(
        {ChooseText("Number of variables =", "Antal variabler ="), std::to_string(fit.p)});
    s.lines.push_back(
        {ChooseText("Number of data points=", "Antal datapunkter ="), std::to_string(fit.n)});
    if (kind != ModelResultKind::Pca) s.lines.push_back({"RMS =", fit.n >= 1 ? G(fit.Rms(), 5) : ""});
    if (!MlrFit(fit, kind)) return s;
    s.lines.push_back({"R² =", fit.SSTot != 0 ? G(fit.SSReg / fit.SSTot, 5) : ""});
    const Extended F = ModelF(fit);
    const Extended critical = ModelFCritical(fit, level);
    s.significant = critical < F;
    s.lines.push_back({"F =", G(F, 5)});
    s.lines.push_back(
        {std::string(s.significant ? "     >" : "     <") + "F(" + G(level, 1) + "%) =",
         G(critical, 5)});
    s.has_verdict = true;
    s.verdict =
        s.significant
            ? ChooseText("    significant relation!    ", "    sambandet är signifikant!    ")
            : ChooseText("no significant relation!", "sambandet är inte signifikant!");
    return s;
}

std::vector<std::string> ModelCopyLines(const ModelTextInput& input, const ModelFit& fit,
                                        bool print) {
    std::vector<std::string> lines{"File name = " + input.file_name, input.caption};
    if (print) {
        lines.push_back(ChooseText("   Number of variables = ", "   Antal variabler = ") +
                        std::to_string(fit.p));
        lines.push_back(ChooseText("   Number of data points = ", "   Antal datapunkter = ") +
                        std::to_string(fit.n));
    } else {
        // Swedish in both languages, as the window has always copied them.
        lines.push_back("Antal variabler = " + std::to_string(fit.p));
        lines.push_back("Antal datapunkter = " + std::to_string(fit.n));
    }
    lines.emplace_back();
    if (input.equation_visible && input.kind == ModelResultKind::Fit) {
        lines.push_back(ChooseText("Linear relation: ", "Linjärt samband:"));
        lines.insert(lines.end(), input.equation.begin(), input.equation.end());
        lines.emplace_back();
    }
    if (MlrFit(fit, input.kind)) {
        lines.push_back("F = " + G(ModelCopyF(fit), 3));
        lines.emplace_back();
    }
    if (fit.n > 0) lines.push_back("RMS = " + G(fit.Rms(), 5));
    return lines;
}

std::string ModelClipboardText(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r ";
        text += lines[i];
    }
    if (text.size() <= kClipboardLimit) return text;
    std::size_t end = kClipboardLimit;  // never split a UTF-8 character
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

ModelResultColumns WriteModelResults(const ModelData& data, const ModelFit& fit) {
    ModelResultColumns out;
    out.residual_caption = ResidualCaption();
    out.prediction_caption = "z-predict";
    out.rows = data.rows;
    out.grid_header = {ChooseText("No", "Nr"), "z", "z-predict", ResidualCaption()};
    std::size_t next = 0;
    for (int r = Worksheet::kFixedRows; r <= data.last_row; ++r) {
        std::array<std::string, 4> row{std::to_string(r - 1), "non", "non", "non"};
        if (next < data.rows.size() && data.rows[next] == r) {
            out.prediction_texts.push_back(G(fit.predictions[next], 6));
            out.residual_texts.push_back(G(fit.residuals[next], 6));
            row[1] = data.ZTexts[next];
            row[2] = out.prediction_texts.back();
            row[3] = out.residual_texts.back();
            ++next;
        }
        out.grid.push_back(std::move(row));
    }
    return out;
}

std::pair<int, int> AddModelResultColumns(Worksheet& sheet, const ModelResultColumns& columns) {
    const int residuals =
        WriteColumn(sheet, columns.residual_caption, columns.rows, columns.residual_texts);
    const int predictions =
        WriteColumn(sheet, columns.prediction_caption, columns.rows, columns.prediction_texts);
    return {residuals, predictions};
}

}  // namespace tabulon

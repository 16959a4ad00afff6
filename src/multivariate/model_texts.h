// The modelling window's texts: the equation and coefficient lists, the statistics beside
// them, Kopiera > Text (which tabulon-cli prints), the result grid and the result columns.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "multivariate/model_data.h"
#include "multivariate/model_fit.h"
#include "worksheet/worksheet.h"

namespace tabulon {

// ResultKind: what the window holds.
enum class ModelResultKind { Fit = 0, CrossValidation = 1, Pca = 2 };

// ListBox1, the equation: ZName followed by " =", b0, then per x-variable "+" (for b_j > 0),
// b_j, "*" and its entry; numbers in general format with 6 significant digits.
std::vector<std::string> EquationLines(const ModelColumns& columns, const ModelFit& fit);

// ShowCoefficientLists (PCR, PLS), from the autoscaled coefficients b with B = Σ b_j².
struct CoefficientLists {
    // "Variablerna i %": entry, ": ", 100·b_j²/B (4 digits), "%"; empty when |B| ≤ 1e-19.
    std::vector<std::string> shares;
    // "Riktningskoef i normerad modell": entry, ": ", b_j (4 digits).
    std::vector<std::string> normalised;
};
CoefficientLists ShowCoefficientLists(const ModelColumns& columns, const ModelFit& fit);

// "Riktningskoefficienternas statistik / fördelning": each normalised entry after its second
// ":" (the value text), what SampleValues receives.
std::vector<std::string> SlopeSampleTexts(const std::vector<std::string>& normalised);

// F = (SSReg/SSRes)·(n − p − 1)/p, 0 when p·SSRes is 0 (the window) or at most 1e-19 in size
// (the copied text).
Extended ModelF(const ModelFit& fit);
Extended ModelCopyF(const ModelFit& fit);
// F(p, n − p − 1) at 1 − level/100.
Extended ModelFCritical(const ModelFit& fit, Extended level);

// DrawModelText: the statistics drawn beside the lists.
struct ModelStatisticsLine {
    std::string label;  // right-aligned in its column
    std::string value;  // left-aligned beside it; may be empty
};
struct ModelStatistics {
    std::string heading;  // "Linjärt samband:" above the equation in fit mode, else empty
    std::vector<ModelStatisticsLine> lines;
    // MLR fit only: the centred verdict, green when significant, red when not.
    bool has_verdict = false;
    bool significant = false;
    std::string verdict;
};
// `level` is SigLevel, the significance level in percent.
ModelStatistics DrawModelText(const ModelFit& fit, Extended level, ModelResultKind kind);

// Kopiera > Text: "File name = ", the caption, the counts, the equation (when its list is
// visible), F (MLR fit) and RMS, one item per line. `print` gives the labels of the
// printout ("   Antal variabler = " / "   Number of variables = ").
struct ModelTextInput {
    std::string file_name;  // the worksheet's current file name
    std::string caption;    // the window caption
    ModelResultKind kind = ModelResultKind::Fit;
    bool equation_visible = true;
    std::vector<std::string> equation;  // EquationLines
};
std::vector<std::string> ModelCopyLines(const ModelTextInput& input, const ModelFit& fit,
                                        bool print = false);
// The clipboard text: the lines joined by a carriage return and a space, at most 64000
// characters.
std::string ModelClipboardText(const std::vector<std::string>& lines);

// WriteModelResults: what the fit writes, as texts in general format with 6 significant digits.
struct ModelResultColumns {
    std::string residual_caption;             // "Residualer" / "Residuals"
    std::string prediction_caption;           // "z-predict"
    std::vector<int> rows;                    // grid row of each valid row
    std::vector<std::string> residual_texts;  // ẑ − z of each valid row
    std::vector<std::string> prediction_texts;
    // StringGrid1: the header ("Nr", "z", "z-predict", "Residualer"), then one row per data
    // row of the run: its number, and z, ẑ, residual for a valid row or "non" three times.
    std::array<std::string, 4> grid_header;
    std::vector<std::array<std::string, 4>> grid;
};
ModelResultColumns WriteModelResults(const ModelData& data, const ModelFit& fit);

// Writes both columns into `sheet` (the window's copy of the worksheet): the residuals into
// the first completely empty column from the second data column on, or a new column at the
// end, then the predictions the same way; the other rows of the columns stay empty. Returns
// the grid columns written (residuals, predictions).
std::pair<int, int> AddModelResultColumns(Worksheet& sheet, const ModelResultColumns& columns);

}  // namespace tabulon

// PCR and PLS from extraction to the model with the chosen count: the factor-count question,
// coefficients, data units and the workspace matrices of the plots.
#include "multivariate/factor_model.h"

#include <algorithm>
#include <cmath>

#include "base/language.h"
#include "numeric/number_text.h"

namespace tabulon {
namespace {

std::string NoDirectionNote(ModelMethod method, int extracted) {
    const std::string k = std::to_string(extracted);
    return MethodName(method) + ": " +
           ChooseText("after " + k +
                          " factors the response is uncorrelated with what is left of the "
                          "x-variables; no further factors were extracted.",
                      "efter " + k +
                          " faktorer är responsen okorrelerad med det som återstår av "
                          "x-variablerna; fler faktorer togs inte fram.");
}

tMatrix FactorColumns(const std::vector<Extended>& values, int p, int count) {
    tMatrix m(std::max(p, 1), std::max(p, 1));
    for (int k = 0; k < count; ++k) {
        for (int j = 0; j < p; ++j)
            m.Put(j + 1, k + 1, values[static_cast<std::size_t>(k) * p + j]);
    }
    return m;
}

}  // namespace

std::vector<Extended> ScaledCoefficients(const FactorSet& set, int k) {
    std::vector<Extended> b(set.p, 0);
    for (int a = 0; a < std::min(k, set.extracted); ++a) {
        for (int j = 0; j < set.p; ++j)
            b[j] += set.R[static_cast<std::size_t>(a) * set.p + j] * set.q[a];
    }
    return b;
}

FactorFitResult ExtractFactors(ModelMethod method, const ModelData& data) {
    if (data.n < 2 || data.p < 1) return {std::nullopt, TooFewPointsText()};
    FactorFit fit;
    fit.method = method;
    fit.kernel = LoadAutoscaled(ComputeCrossProducts(data));
    if (method == ModelMethod::PCR) {
        bool converged = true;
        fit.factors = KernelPcr(fit.kernel, 0, &converged);
        if (!converged) {
            return {std::nullopt, ChooseText("The principal components could not be computed",
                                             "Principalkomponenterna kunde inte beräknas")};
        }
    } else {
        fit.factors = KernelPls(fit.kernel, 0);
        if (fit.factors.stop == FactorStop::NoDirection) {
            fit.note = NoDirectionNote(method, fit.factors.extracted);
        }
    }
    return {std::move(fit), {}};
}

FactorChoice ChooseFactorCount(const FactorFit& fit) {
    FactorChoice choice;
    choice.label = ChooseText("Choose number of factors", "Välj antal faktorer");
    choice.caption = MethodName(fit.method) + ": " + choice.label;
    choice.count_header = ChooseText("Number of factors", "Ant faktorer");
    choice.left_header = ChooseText("% left to explain", "% kvar att förklara");
    const std::vector<Extended>& rms = fit.factors.ResidualRms;
    for (int k = 0; k < static_cast<int>(rms.size()); ++k) {
        std::string left;
        if (rms[0] > 0) left = FormatGeneral(100 * rms[k] / rms[0], 2, 2, DecimalSeparator());
        choice.rows.emplace_back(std::to_string(k), left);
    }
    return choice;
}

int ParseFactorCount(const std::string& text) {
    return StrToInteger(text);
}

int LimitFactorCount(const FactorFit& fit, int requested) {
    int k = std::clamp(requested, 1, std::max(fit.kernel.p, 1));
    k = std::min(k, fit.kernel.n);
    return std::min(k, fit.factors.extracted);
}

std::string FactorCaption(ModelMethod method, const std::string& count_as_entered) {
    return ModelCaption(method) + ": " + count_as_entered + ChooseText(" factors", " faktorer");
}

ModelFit FinishFactorFit(const ModelData& data, const FactorFit& fit, int factors) {
    ModelFit out;
    out.method = fit.method;
    out.factors = factors;
    out.ScaledCoeffs = ScaledCoefficients(fit.factors, factors);
    out.Coeffs = ConvertToDataUnits(fit.kernel, out.ScaledCoeffs);
    out.note = fit.note;
    CompleteFit(data, out);
    return out;
}

namespace {

ModelFitResult FitFactors(ModelMethod method, const ModelData& data, int requested) {
    FactorFitResult extracted = ExtractFactors(method, data);
    if (!extracted.fit) return {std::nullopt, extracted.refusal};
    const FactorFit& fit = *extracted.fit;
    const int k = requested <= 0 ? fit.factors.extracted : LimitFactorCount(fit, requested);
    return {FinishFactorFit(data, fit, k), {}};
}

}  // namespace

ModelFitResult FitPCR(const ModelData& data, int requested) {
    return FitFactors(ModelMethod::PCR, data, requested);
}

ModelFitResult FitPLS(const ModelData& data, int requested) {
    return FitFactors(ModelMethod::PLS, data, requested);
}

tMatrix WeightMat(const FactorFit& fit) {
    const FactorSet& f = fit.factors;
    return FactorColumns(f.W, f.p, f.W.empty() ? 0 : f.extracted);
}

tMatrix LoadMat(const FactorFit& fit) {
    return FactorColumns(fit.factors.P, fit.factors.p, fit.factors.extracted);
}

tMatrix YLoadRow(const FactorFit& fit) {
    tMatrix row(1, std::max(fit.factors.p, 1));
    for (int k = 0; k < fit.factors.extracted; ++k) row.Put(1, k + 1, fit.factors.q[k]);
    return row;
}

tMatrix ScoreMat(const ModelData& data, const FactorFit& fit) {
    const FactorSet& f = fit.factors;
    tMatrix scores(std::max(data.n, 1), std::max(f.p, 1));
    const std::vector<Extended> t =
        ProjectRows(data, fit.kernel.MeanRow, fit.kernel.Scale, f.R, f.extracted);
    for (int k = 0; k < f.extracted; ++k) {
        for (int i = 0; i < data.n; ++i) {
            scores.Put(i + 1, k + 1, t[static_cast<std::size_t>(k) * data.n + i]);
        }
    }
    return scores;
}

}  // namespace tabulon

// Leave-one-out fits on downdated cross-products, shared between the cores in fixed chunks.
#include "multivariate/cross_validation.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "base/language.h"
#include "multivariate/cross_products.h"
#include "multivariate/factor_model.h"
#include "multivariate/mlr.h"
#include "worksheet/parallel_load.h"

namespace tabulon {
namespace {

// Rows per unit of work: small enough for an even split and a lively progress report.
constexpr int kChunkRows = 8;

std::string NoComponentsText() {
    return ChooseText("The principal components could not be computed",
                      "Principalkomponenterna kunde inte beräknas");
}

// Runs `fit_row(i, chunk)` for every valid row i, chunk by chunk on the cores. Stops early when
// the user cancels or `failed` is set by a row. Returns false when cancelled.
template <class RowFit>
bool ForEachRow(const ModelData& data, const CvControl& control, int factors,
                const std::atomic<bool>& failed, RowFit fit_row) {
    const int n = data.n;
    const int chunks = (n + kChunkRows - 1) / kChunkRows;
    const unsigned threads = static_cast<unsigned>(
        std::clamp<long>(std::max(1u, std::thread::hardware_concurrency()), 1, chunks));
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<bool> stopped{false};
    RunInThreads(threads, [&](unsigned) {
        for (int c = next++; c < chunks; c = next++) {
            const int end = std::min(n, (c + 1) * kChunkRows);
            for (int i = c * kChunkRows; i < end; ++i) {
                if ((control.cancel && control.cancel->load()) || failed.load()) {
                    stopped = true;
                    return;
                }
                fit_row(i, c);
            }
            const int rows = done += end - c * kChunkRows;
            if (control.progress) control.progress(rows, n, factors);
        }
    });
    return !(stopped && !failed.load());
}

PressResult Cancelled() {
    PressResult r;
    r.status = CvStatus::Cancelled;
    return r;
}

PressResult Refused(std::string text) {
    PressResult r;
    r.status = CvStatus::Refused;
    r.refusal = std::move(text);
    return r;
}

// The fit's fields from the cross-validated predictions.
PressResult Finish(const ModelData& data, ModelMethod method, int factors,
                   std::vector<Extended> predictions) {
    PressResult r;
    ModelFit& fit = r.fit;
    fit.method = method;
    fit.n = data.n;
    fit.p = data.p;
    fit.factors = factors;
    fit.predictions = std::move(predictions);
    fit.residuals.resize(data.n);
    Extended sum = 0;
    for (int i = 0; i < data.n; ++i) sum += data.Z(i);
    fit.ZMean = data.n > 0 ? sum / data.n : 0;
    for (int i = 0; i < data.n; ++i) {
        fit.residuals[i] = fit.predictions[i] - data.Z(i);
        const Extended z = data.Z(i) - fit.ZMean;
        const Extended zhat = fit.predictions[i] - fit.ZMean;
        fit.SSTot += z * z;
        fit.SSReg += zhat * zhat;
        fit.SSRes += fit.residuals[i] * fit.residuals[i];
    }
    return r;
}

// The factors of one left-out fit, up to `factors`; false when the eigen solver fails.
bool LeftOutFactors(ModelMethod method, const CrossProducts& all, const std::vector<Extended>& row,
                    int factors, AutoscaledKernel& kernel, FactorSet& set) {
    kernel = LoadAutoscaled(WithoutRow(all, row));
    if (method == ModelMethod::PLS) {
        set = KernelPls(kernel, factors);
        return true;
    }
    bool converged = true;
    set = KernelPcr(kernel, factors, &converged);
    return converged;
}

PressResult PressFactors(ModelMethod method, const ModelData& data, int factors,
                         const CvControl& control) {
    if (data.n < 3 || data.p < 1) return Refused(TooFewPointsText());
    const int k = std::clamp(factors, 1, data.p);
    const CrossProducts all = ComputeCrossProducts(data);
    std::vector<Extended> predictions(data.n, 0);
    std::atomic<bool> failed{false};
    const bool finished = ForEachRow(data, control, k, failed, [&](int i, int) {
        const std::vector<Extended> row = DataRow(data, i);
        AutoscaledKernel kernel;
        FactorSet set;
        if (!LeftOutFactors(method, all, row, k, kernel, set)) {
            failed = true;
            return;
        }
        const std::vector<Extended> coeffs = ConvertToDataUnits(kernel, ScaledCoefficients(set, k));
        predictions[i] = PredictRow(coeffs, row.data());
    });
    if (failed) return Refused(NoComponentsText());
    if (!finished) return Cancelled();
    return Finish(data, method, k, std::move(predictions));
}

}  // namespace

PressResult PressMLR(const ModelData& data, const CvControl& control) {
    if (data.n - 1 <= data.p) return Refused(TooFewPointsText());
    const CrossProducts all = ComputeCrossProducts(data);
    std::vector<Extended> predictions(data.n, 0);
    std::atomic<bool> failed{false};
    const bool finished = ForEachRow(data, control, 0, failed, [&](int i, int) {
        const std::vector<Extended> row = DataRow(data, i);
        const auto coeffs = MlrCoefficients(WithoutRow(all, row));
        if (!coeffs) {
            failed = true;
            return;
        }
        predictions[i] = PredictRow(*coeffs, row.data());
    });
    if (failed) return Refused(DeterminantZeroText());
    if (!finished) return Cancelled();
    return Finish(data, ModelMethod::MLR, data.p, std::move(predictions));
}

PressResult PressPCR(const ModelData& data, int factors, const CvControl& control) {
    return PressFactors(ModelMethod::PCR, data, factors, control);
}

PressResult PressPLS(const ModelData& data, int factors, const CvControl& control) {
    return PressFactors(ModelMethod::PLS, data, factors, control);
}

CvCriteria CrossValidatedRms(ModelMethod method, const ModelData& data, int max_factors,
                             const CvControl& control) {
    CvCriteria out;
    if (data.n < 3 || data.p < 1) {
        out.status = CvStatus::Refused;
        out.refusal = TooFewPointsText();
        return out;
    }
    const int K = std::clamp(max_factors, 1, data.p);
    const int p = data.p;
    const CrossProducts all = ComputeCrossProducts(data);
    const int chunks = (data.n + kChunkRows - 1) / kChunkRows;
    // Each chunk sums its own rows in order; the chunks are added in order at the end.
    std::vector<Extended> partial(static_cast<std::size_t>(chunks) * K, 0);
    std::atomic<bool> failed{false};
    const bool finished = ForEachRow(data, control, K, failed, [&](int i, int chunk) {
        const std::vector<Extended> row = DataRow(data, i);
        AutoscaledKernel kernel;
        FactorSet set;
        if (!LeftOutFactors(method, all, row, K, kernel, set)) {
            failed = true;
            return;
        }
        // ẑ with k factors = m_z + s_z·Σ_{a<k} q_a·(x̃ᵀr_a): each factor adds one term.
        std::vector<Extended> x(p);
        for (int j = 0; j < p; ++j) x[j] = (row[j] - kernel.MeanRow[j]) / kernel.Scale[j];
        Extended scaled = 0;
        Extended* sums = partial.data() + static_cast<std::size_t>(chunk) * K;
        for (int a = 0; a < K; ++a) {
            if (a < set.extracted) {
                Extended t = 0;
                const Extended* r = set.R.data() + static_cast<std::size_t>(a) * p;
                for (int j = 0; j < p; ++j) t += x[j] * r[j];
                scaled += set.q[a] * t;
            }
            const Extended e = kernel.MeanRow[p] + kernel.Scale[p] * scaled - row[p];
            sums[a] += e * e;
        }
    });
    if (failed) {
        out.status = CvStatus::Refused;
        out.refusal = NoComponentsText();
        return out;
    }
    if (!finished) {
        out.status = CvStatus::Cancelled;
        return out;
    }
    out.rms.assign(K, 0);
    for (int a = 0; a < K; ++a) {
        Extended press = 0;
        for (int c = 0; c < chunks; ++c) press += partial[static_cast<std::size_t>(c) * K + a];
        out.rms[a] = std::sqrt(press / data.n);
    }
    return out;
}

int OptimiseLimit(const ModelData& data) {
    return std::max(1, std::min(data.p, data.n - 1));
}

int ChooseFactorsByCriteria(const std::vector<Extended>& rms) {
    if (rms.empty()) return 0;
    Extended best = rms[0];
    for (std::size_t k = 1; k < rms.size(); ++k) {
        if (rms[k] > best) return static_cast<int>(k);  // k is the count before this one
        best = rms[k];
    }
    return static_cast<int>(rms.size());
}

Optimisation OptimiseFactors(ModelMethod method, const ModelData& data, const CvControl& control) {
    Optimisation out;
    const int limit = OptimiseLimit(data);
    for (int pass = std::min(4, limit);; pass = std::min(2 * pass, limit)) {
        CvCriteria criteria = CrossValidatedRms(method, data, pass, control);
        if (criteria.status != CvStatus::Done) {
            out.status = criteria.status;
            out.refusal = std::move(criteria.refusal);
            return out;
        }
        if (control.best && !criteria.rms.empty()) {
            control.best(*std::min_element(criteria.rms.begin(), criteria.rms.end()));
        }
        const int chosen = ChooseFactorsByCriteria(criteria.rms);
        if (chosen < pass || pass == limit) {
            out.factors = chosen;
            criteria.rms.resize(std::min(chosen + 1, pass));
            out.rms = std::move(criteria.rms);
            return out;
        }
    }
}

std::string PressCaption(ModelMethod method) {
    switch (method) {
        case ModelMethod::MLR:
            return "PRESS: Multipel Linear Regression";
        case ModelMethod::PCR:
            return "PRESS: Principal-component-regression";
        case ModelMethod::PLS:
            return "PRESS: Partial Least Squares";
    }
    return {};
}

std::string OptimiseCaption(ModelMethod method) {
    return method == ModelMethod::PCR ? "OPT: Principal-component-regression"
                                      : "OPT: Partial Least Squares";
}

std::string PressCaptionWithFactors(ModelMethod method, int factors) {
    return PressCaption(method) + ": " + std::to_string(factors) +
           ChooseText(" factors", " faktorer");
}

std::string CvProgressCaption(ModelMethod method, bool optimise) {
    return (optimise && method == ModelMethod::PCR ? "OPT:" : "PRESS:") + MethodName(method);
}

}  // namespace tabulon

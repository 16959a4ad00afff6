// Scaling, data units, predictions and the sums every model shows.
#include "multivariate/model_fit.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "base/language.h"
#include "worksheet/parallel_load.h"

namespace tabulon {
namespace {

constexpr int kPredictionRowsPerThread = 20000;

}  // namespace

std::string MethodName(ModelMethod method) {
    switch (method) {
        case ModelMethod::MLR:
            return "MLR";
        case ModelMethod::PCR:
            return "PCR";
        case ModelMethod::PLS:
            return "PLS";
    }
    return {};
}

std::string ModelCaption(ModelMethod method) {
    switch (method) {
        case ModelMethod::MLR:
            return "MLR: Multipel Linear Regression";
        case ModelMethod::PCR:
            return "PCR: Principal-component-regression";
        case ModelMethod::PLS:
            return "PLS: Partial Least Squares";
    }
    return {};
}

std::string TooFewPointsText() {
    return ChooseText("Too few data points ..", "För få datapunkter..");
}

AutoscaledKernel LoadAutoscaled(const CrossProducts& cp, bool has_response, Extended threshold) {
    AutoscaledKernel k;
    k.n = cp.n;
    k.p = has_response ? cp.m - 1 : cp.m;
    const int m = cp.m;
    k.MeanRow = cp.mean;
    k.StdRow.resize(m);
    k.Scale.resize(m);
    for (int j = 0; j < m; ++j) {
        k.StdRow[j] = cp.n < 2 ? 0 : std::sqrt(std::max<Extended>(cp(j, j), 0) / (cp.n - 1));
        k.Scale[j] = std::fabs(k.StdRow[j]) > threshold ? k.StdRow[j] : 1;
    }
    const int p = k.p;
    k.XtX.resize(static_cast<std::size_t>(p) * p);
    for (int j = 0; j < p; ++j) {
        for (int i = 0; i < p; ++i) {
            k.XtX[static_cast<std::size_t>(j) * p + i] = cp(j, i) / (k.Scale[j] * k.Scale[i]);
        }
    }
    if (!has_response) return k;
    k.Xtz.resize(p);
    for (int j = 0; j < p; ++j) k.Xtz[j] = cp(j, p) / (k.Scale[j] * k.Scale[p]);
    k.ztz = cp(p, p) / (k.Scale[p] * k.Scale[p]);
    return k;
}

std::vector<Extended> ConvertToDataUnits(const AutoscaledKernel& kernel,
                                         const std::vector<Extended>& scaled) {
    const int p = kernel.p;
    std::vector<Extended> coeffs(p + 1);
    // Every variable's mean enters b0, also that of a column left unscaled: the model must
    // give in data units exactly what it gives on the scaled data.
    Extended b0 = kernel.MeanRow[p];
    for (int j = 0; j < p; ++j) {
        coeffs[j + 1] = scaled[j] * kernel.Scale[p] / kernel.Scale[j];
        b0 -= coeffs[j + 1] * kernel.MeanRow[j];
    }
    coeffs[0] = b0;
    return coeffs;
}

Extended PredictRow(const std::vector<Extended>& coeffs, const Extended* x, std::size_t stride) {
    Extended z = coeffs[0];
    for (std::size_t j = 1; j < coeffs.size(); ++j) z += coeffs[j] * x[(j - 1) * stride];
    return z;
}

Extended ModelFit::Rms() const {
    return n >= 1 ? std::sqrt(SSRes / n) : 0;
}

void CompleteFit(const ModelData& data, ModelFit& fit) {
    const int n = data.n;
    fit.n = n;
    fit.p = data.p;
    fit.predictions.assign(n, 0);
    fit.residuals.assign(n, 0);
    // Each row on its own, so the split between threads changes nothing.
    const unsigned threads = static_cast<unsigned>(std::clamp<long>(
        static_cast<long>(n) * std::max(data.p, 1) / (kPredictionRowsPerThread * 10), 1,
        std::max(1u, std::thread::hardware_concurrency())));
    RunInThreads(threads, [&](unsigned t) {
        const int begin = static_cast<int>(static_cast<long>(n) * t / threads);
        const int end = static_cast<int>(static_cast<long>(n) * (t + 1) / threads);
        for (int i = begin; i < end; ++i) {
            fit.predictions[i] = PredictRow(fit.Coeffs, data.Column(0) + i, n);
            fit.residuals[i] = fit.predictions[i] - data.Z(i);
        }
    });
    Extended sum = 0;
    for (int i = 0; i < n; ++i) sum += data.Z(i);
    fit.ZMean = n > 0 ? sum / n : 0;
    fit.SSTot = fit.SSReg = fit.SSRes = 0;
    for (int i = 0; i < n; ++i) {
        const Extended z = data.Z(i);
        fit.SSTot += (z - fit.ZMean) * (z - fit.ZMean);
        fit.SSReg += (fit.predictions[i] - fit.ZMean) * (fit.predictions[i] - fit.ZMean);
        fit.SSRes += fit.residuals[i] * fit.residuals[i];
    }
}

}  // namespace tabulon

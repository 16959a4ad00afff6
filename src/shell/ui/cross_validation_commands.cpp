// n-Dim > PRESS and Optimera: leave-one-out cross-validation of MLR, PCR and PLS on a worker
// thread with its progress window, shown in the modelling window. A Cancel leaves everything
// as it was: no window, no columns, the current model unchanged.
#include <QString>
#include <atomic>
#include <mutex>

#include "base/language.h"
#include "graphs/ui/progress_run.h"
#include "multivariate/cross_validation.h"
#include "multivariate/model_texts.h"
#include "numeric/number_text.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "shell/ui/model_commands.h"

namespace tabulon::ui {
namespace {

// The progress window's lines: the row, and during Optimera the factor count and the best
// cross-validated RMS so far.
struct CvProgressText {
    bool optimise = false;
    ModelMethod method = ModelMethod::PLS;
    std::mutex lock;
    Extended best = 0;
    bool has_best = false;

    std::string Text(int row, int factors) {
        std::string text = ChooseText("Row: ", "Rad: ") + std::to_string(row);
        if (!optimise) return text;
        const std::string factor_word = method == ModelMethod::PCR
                                            ? ChooseText("Factors: ", "Faktor: ")
                                            : ChooseText("Factor: ", "Faktor: ");
        text += "\n" + factor_word + std::to_string(factors);
        const std::lock_guard<std::mutex> hold(lock);
        if (has_best) text += "\nErr=" + FormatGeneral(best, 4, 1, DecimalSeparator());
        return text;
    }
};

// Runs `work` with the control wired to the progress window; false when the user cancelled.
template <class Work>
bool RunCrossValidation(MainWindow& form, ModelMethod method, bool optimise, Work work) {
    CvProgressText said;
    said.optimise = optimise;
    said.method = method;
    ProgressRun run;
    run.parent = &form;
    run.title = QString::fromStdString(CvProgressCaption(method, optimise));
    run.caption = QString::fromStdString(said.Text(0, 0));
    return RunWithProgress(run, [&](ProgressSignals& job) {
        CvControl control;
        control.cancel = &job.cancel;
        control.progress = [&](int rows_done, int rows, int factors) {
            job.report(rows > 0 ? 100 * rows_done / rows : 0);
            job.describe(said.Text(rows_done, factors));
        };
        control.best = [&](Extended best) {
            const std::lock_guard<std::mutex> hold(said.lock);
            said.best = best;
            said.has_best = true;
        };
        work(control);
    });
}

// The factor count of a PCR or PLS PRESS run; nullopt when the question was closed or its
// answer is not a whole number (said so).
std::optional<int> AskFactorCount(MainWindow& form) {
    const std::string answer =
        form.dialogs().AskText(ChooseText("Choose number of factors", "Välj antal faktorer"));
    if (answer.empty()) return std::nullopt;
    try {
        return StrToInteger(answer);
    } catch (const ConversionError& e) {
        form.dialogs().ShowMessage(e.what());
        return std::nullopt;
    }
}

void Press(MainWindow& form, ModelMethod method) {
    std::optional<ChosenModelData> chosen = ChooseModelData(form);
    if (!chosen) return;
    int factors = 0;
    if (method != ModelMethod::MLR) {
        const std::optional<int> asked = AskFactorCount(form);
        if (!asked) return;
        factors = *asked;
    }
    PressResult result;
    const bool finished = RunCrossValidation(form, method, false, [&](const CvControl& control) {
        result = method == ModelMethod::MLR   ? PressMLR(chosen->data, control)
                 : method == ModelMethod::PCR ? PressPCR(chosen->data, factors, control)
                                              : PressPLS(chosen->data, factors, control);
    });
    if (!finished || result.status == CvStatus::Cancelled) return;
    if (result.status == CvStatus::Refused) {
        form.dialogs().ShowMessage(result.refusal);
        return;
    }
    ModelWindowSetup setup;
    setup.caption = method == ModelMethod::MLR
                        ? PressCaption(method)
                        : PressCaptionWithFactors(method, result.fit.factors);
    setup.kind = ModelResultKind::CrossValidation;
    setup.columns = std::move(chosen->columns);
    setup.data = std::move(chosen->data);
    setup.fit = std::move(result.fit);
    // A cross-validation is no model of its own: the current model stays.
    ShowModelWindow(form, std::move(setup), false);
}

void Optimise(MainWindow& form, ModelMethod method) {
    std::optional<ChosenModelData> chosen = ChooseModelData(form);
    if (!chosen) return;
    Optimisation result;
    const bool finished = RunCrossValidation(form, method, true, [&](const CvControl& control) {
        result = OptimiseFactors(method, chosen->data, control);
    });
    if (!finished || result.status == CvStatus::Cancelled) return;
    if (result.status == CvStatus::Refused) {
        form.dialogs().ShowMessage(result.refusal);
        return;
    }
    std::optional<FactorModel> model = FitFactorModel(
        form, method, *chosen, [&](const FactorFit&) { return std::optional<int>(result.factors); });
    if (!model) return;
    ModelWindowSetup setup;
    setup.caption = OptimiseCaption(method) + ": " + std::to_string(model->fit.factors) +
                    ChooseText(" factors", " faktorer");
    setup.columns = std::move(chosen->columns);
    setup.data = std::move(chosen->data);
    setup.fit = std::move(model->fit);
    setup.plots = std::move(model->plots);
    ShowModelWindow(form, std::move(setup), true);
}

}  // namespace

void RegisterCrossValidationCommands(MainWindow& form) {
    MainWindow* f = &form;
    form.RegisterCommand("ndim.press.mlr", [f] { Press(*f, ModelMethod::MLR); });
    form.RegisterCommand("ndim.press.pcr", [f] { Press(*f, ModelMethod::PCR); });
    form.RegisterCommand("ndim.press.pls", [f] { Press(*f, ModelMethod::PLS); });
    form.RegisterCommand("ndim.optimera.pcr", [f] { Optimise(*f, ModelMethod::PCR); });
    form.RegisterCommand("ndim.optimera.pls", [f] { Optimise(*f, ModelMethod::PLS); });
}

}  // namespace tabulon::ui

// n-Dim: the calibration models (MLR, PCR, PLS) fitted on chosen columns and shown in their
// window, and the current model saved, read, shown and applied to the worksheet.
#include <QDialog>

#include "base/language.h"
#include "multivariate/apply_model.h"
#include "multivariate/factor_model.h"
#include "multivariate/mlr.h"
#include "multivariate/model_data.h"
#include "multivariate/model_file.h"
#include "multivariate/model_texts.h"
#include "multivariate/ui/mlr_window.h"
#include "multivariate/ui/model_list_window.h"
#include "shell/ui/command_table.h"
#include "shell/ui/model_commands.h"
#include "shell/ui/main_window.h"
#include "worksheet/sheet_undo.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

void ShowModelTable(MainWindow& form, const ModelWindowTable& table) {
    ShowModal(new TListRegCoefficients(table, &form));
}

FileDialogSpec ModelFileDialog(const std::string& english, const std::string& swedish) {
    return {ChooseText(english, swedish), "Model (*.mdl)|*.mdl", 1, "mdl"};
}

// The factor count asked for and the model with it; nullopt when the user cancelled or no
// factor could be extracted (said why).
std::optional<FactorModel> FitWithFactors(MainWindow& form, ModelMethod method,
                                          const ChosenModelData& chosen, std::string& caption) {
    std::string entered;
    std::optional<FactorModel> model =
        FitFactorModel(form, method, chosen, [&](const FactorFit& fit) -> std::optional<int> {
            const FactorChoice choice = ChooseFactorCount(fit);
            const KXAnswer answer = form.dialogs().ChooseFactorCount(
                {choice.caption, choice.label, choice.count_header, choice.left_header,
                 choice.rows, choice.initial});
            // A cancelled question ends the run before anything is shown or kept.
            if (!answer.ok) return std::nullopt;
            entered = answer.answer;
            return ParseFactorCount(answer.answer);
        });
    if (model) caption = FactorCaption(method, entered);
    return model;
}

// StartModelWindow: the columns chosen, the model fitted, kept as the current model and shown.
void StartModelWindow(MainWindow& form, ModelMethod method) {
    std::optional<ChosenModelData> chosen = ChooseModelData(form);
    if (!chosen) return;
    std::string caption = ModelCaption(method);
    ModelWindowSetup setup;
    if (method == ModelMethod::MLR) {
        ModelFitResult result = FitMLR(chosen->data);
        if (!result.fit) {
            form.dialogs().ShowMessage(result.refusal);
            return;
        }
        setup.fit = std::move(*result.fit);
    } else {
        std::optional<FactorModel> model = FitWithFactors(form, method, *chosen, caption);
        if (!model) return;
        setup.fit = std::move(model->fit);
        setup.plots = std::move(model->plots);
    }
    setup.caption = caption;
    setup.columns = std::move(chosen->columns);
    setup.data = std::move(chosen->data);
    ShowModelWindow(form, std::move(setup), true);
}

void ppnamodell1Click(MainWindow& form) {
    const auto name = form.dialogs().OpenFileName(ModelFileDialog("Open model", "Öppna modell"));
    if (!name) return;
    ModelFileRead read = ReadModelFile(*name);
    if (!read.model) {
        form.dialogs().ShowMessage(read.error);
        return;
    }
    form.state().CurrentModel = std::move(*read.model);
    form.state().ModelPresent = true;
    ShowModelTable(form, ModelCoefficientTable(form.state().CurrentModel));
}

void Sparamodell1Click(MainWindow& form) {
    TModelRecord& model = form.state().CurrentModel;
    if (model.NoModel) {
        form.dialogs().ShowMessage(NoModelText());
        return;
    }
    const auto name = form.dialogs().SaveFileName(ModelFileDialog("Save model", "Spara modell"));
    if (!name) return;
    std::string error;
    if (!WriteModelFile(model, *name, error)) {
        form.dialogs().ShowMessage(error);
        return;
    }
    model.Saved = true;
}

void Visamodell1Click(MainWindow& form) {
    if (form.state().CurrentModel.NoModel) {
        form.dialogs().ShowMessage(NoModelText());
        return;
    }
    ShowModelTable(form, ModelCoefficientTable(form.state().CurrentModel));
}

void Anvndmodell1Click(MainWindow& form) {
    const TModelRecord& model = form.state().CurrentModel;
    if (model.NoModel) {
        form.dialogs().ShowMessage(NoModelText());
        return;
    }
    TNumberGrid* grid = form.NumberGrid1();
    const std::vector<int> map = MatchModelColumns(model, grid->sheet());
    ShowModelTable(form, ModelCorrelationTable(model, map, grid->sheet()));
    // A variable without a column is shown as such in the table, and nothing is written.
    if (!AllModelColumnsFound(map, grid->sheet())) return;
    // Tried on a copy first: a cell that is not a number leaves the worksheet untouched, and
    // the undo record needs the column before it is written.
    Worksheet probe = grid->sheet();
    const ModelApplication trial = ApplyModel(model, probe, DecimalSeparator());
    if (!trial.ok) {
        form.dialogs().ShowMessage(trial.refusal);
        return;
    }
    form.dialogs().ShowInfo(trial.message);
    grid->editSheet(ColumnsUndo::Before(grid->sheet(), {trial.column}),
                    [&model](Worksheet& s) { ApplyModel(model, s, DecimalSeparator()); });
    form.state().DataChanged = true;
}

}  // namespace

std::optional<ChosenModelData> ChooseModelData(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    const std::vector<std::string> entries = ModelColumnEntries(sheet);
    if (entries.size() < 3) return std::nullopt;
    const auto chosen = form.dialogs().ChooseModelColumns(entries);
    if (!chosen) return std::nullopt;
    ModelColumnsRead read = ReadModelColumns(sheet, chosen->first, chosen->second);
    if (!read.columns) {
        form.dialogs().ShowMessage(read.refusal);
        return std::nullopt;
    }
    ModelData data = LoadModelData(sheet, *read.columns, DecimalSeparator());
    return ChosenModelData{std::move(*read.columns), std::move(data)};
}

ModelColumnWriter ModelWriter(MainWindow& form) {
    MainWindow* f = &form;
    return [f](const ModelResultColumns& columns) {
        TNumberGrid* grid = f->NumberGrid1();
        // Where the columns will go is found on a copy, so the undo record can be taken first.
        Worksheet probe = grid->sheet();
        const auto [residuals, predictions] = AddModelResultColumns(probe, columns);
        grid->editSheet(ColumnsUndo::Before(grid->sheet(), {residuals, predictions}),
                        [&columns](Worksheet& s) { AddModelResultColumns(s, columns); });
        f->state().DataChanged = true;
    };
}

std::optional<FactorModel> FitFactorModel(
    MainWindow& form, ModelMethod method, const ChosenModelData& chosen,
    const std::function<std::optional<int>(const FactorFit&)>& choose) {
    FactorFitResult extracted = ExtractFactors(method, chosen.data);
    if (!extracted.fit) {
        form.dialogs().ShowMessage(extracted.refusal);
        return std::nullopt;
    }
    const std::optional<int> factors = choose(*extracted.fit);
    if (!factors) return std::nullopt;
    const int used = LimitFactorCount(*extracted.fit, *factors);
    if (used == 0) {
        form.dialogs().ShowMessage(extracted.fit->note.empty() ? TooFewPointsText()
                                                               : extracted.fit->note);
        return std::nullopt;
    }
    return FactorModel{FinishFactorFit(chosen.data, *extracted.fit, used),
                       ModelFactorPlots(chosen.data, chosen.columns, *extracted.fit, used)};
}

void ShowModelWindow(MainWindow& form, ModelWindowSetup setup, bool keep_as_current) {
    if (keep_as_current) {
        StoreCurrentModel(form.state().CurrentModel, setup.columns, setup.fit);
        form.state().ModelPresent = true;
    }
    setup.file_name = form.state().CurrentFileName;
    auto* window = new TMLR2(form.dialogs(), std::move(setup), ModelWriter(form), &form);
    ShowModal(window, true);
}

void RegisterModelCommands(MainWindow& form) {
    MainWindow* f = &form;
    form.RegisterCommand("ndim.skapa_modell.mlr", [f] { StartModelWindow(*f, ModelMethod::MLR); });
    form.RegisterCommand("ndim.skapa_modell.pcr", [f] { StartModelWindow(*f, ModelMethod::PCR); });
    form.RegisterCommand("ndim.skapa_modell.pls", [f] { StartModelWindow(*f, ModelMethod::PLS); });
    form.RegisterCommand("ndim.oppna_modell", [f] { ppnamodell1Click(*f); });
    form.RegisterCommand("ndim.spara_modell", [f] { Sparamodell1Click(*f); });
    form.RegisterCommand("ndim.visa_modell", [f] { Visamodell1Click(*f); });
    form.RegisterCommand("ndim.anvand_modell", [f] { Anvndmodell1Click(*f); });
}

}  // namespace tabulon::ui

// Försöksplanering: Skapa modell (the dialog, the search off the user-interface thread with
// progress and Cancel, the design written into the worksheet), Visa värden and Visa nivåer.
// Each change of the worksheet is one step of Ångra.
#include <QFontMetrics>
#include <chrono>

#include "base/language.h"
#include "design/design_sheet.h"
#include "design/factorial_design.h"
#include "graphs/ui/progress_run.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

constexpr int kFirstDesignColumn = Worksheet::kFixedColumns + 1;

TNumberGrid& Grid(MainWindow& form) {
    return *form.NumberGrid1();
}

std::uint64_t RunSeed(MainWindow& form) {
    if (form.state().RandomSeed) return *form.state().RandomSeed;
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

// The dialog's entries the first time: three variables A, B, C from -1 to 1.
DesignRequest Preset(MainWindow& form) {
    DesignRequest preset = form.state().DesignEntries;
    if (preset.names.empty()) {
        for (int v = 0; v < preset.variables; ++v) {
            preset.names.push_back(DefaultVariableName(v));
            preset.values.push_back({"-1", "0", "1"});
        }
    }
    return preset;
}

void Skapamodell2Click(MainWindow& form) {
    const auto request = form.dialogs().AskDesign(Preset(form));
    if (!request) return;
    form.state().DesignEntries = *request;
    const auto model = static_cast<DesignModel>(request->model);
    if (const std::string refusal =
            DesignRefusal(request->variables, request->levels, request->runs, model);
        !refusal.empty()) {
        form.dialogs().ShowMessage(refusal);
        return;
    }
    // One experiment is no design: nothing is written, and the user is told why.
    if (request->runs == 1) {
        form.dialogs().ShowInfo(ChooseText("A design needs at least two experiments",
                                           "En försöksplan behöver minst två försök"));
        return;
    }
    Xoshiro256 rng(RunSeed(form));
    FactorialDesign design;
    ProgressRun run;
    run.parent = &form;
    run.caption = QString::fromStdString(ChooseText("Searching for a design…", "Söker försöksplan…"));
    const bool finished = RunWithProgress(run, [&](ProgressSignals& job) {
        design = GenerateDesign(request->variables, request->levels, request->runs, model, rng,
                                DesignSearchControl{&job.cancel, job.report});
    });
    if (!finished || design.runs == 0) return;
    if (const std::string notice = DesignNotice(design); !notice.empty()) {
        form.dialogs().ShowInfo(notice);
    }
    auto kept = std::make_shared<FactorialDesign>(std::move(design));
    Grid(form).editSheet(WholeSheetUndo(Grid(form).sheet()), [&](Worksheet& s) {
        WriteDesign(s, *kept, request->names, request->values, DecimalSeparator());
    });
    form.state().DesignMatrix = std::move(kept);
    form.fitColumns(Worksheet::kFixedColumns);
    form.state().DataChanged = true;
}

// Visa värden and Visa nivåer rewrite the design columns of the last design.
template <typename Change>
void RewriteDesignColumns(MainWindow& form, Change change) {
    const std::shared_ptr<FactorialDesign> design = form.state().DesignMatrix;
    if (!design) {
        form.dialogs().ShowInfo(ChooseText("No design has been made", "Ingen försöksplan är gjord"));
        return;
    }
    std::vector<int> columns;
    for (int c = 0; c < design->columns(); ++c) columns.push_back(kFirstDesignColumn + c);
    Grid(form).editSheet(ColumnsUndo::Before(Grid(form).sheet(), columns),
                         [&](Worksheet& s) { change(s, *design); });
    form.state().DataChanged = true;
}

void Visavrden1Click(MainWindow& form) {
    const std::vector<LevelValues> values = form.state().DesignEntries.values;
    RewriteDesignColumns(form, [&](Worksheet& s, const FactorialDesign& d) {
        ShowDesignValues(s, d, values, DecimalSeparator());
    });
}

void Visaniver1Click(MainWindow& form) {
    RewriteDesignColumns(form, [](Worksheet& s, const FactorialDesign& d) {
        ShowDesignLevels(s, d);
    });
}

}  // namespace

void RegisterDesignCommands(MainWindow& form) {
    const std::pair<const char*, void (*)(MainWindow&)> commands[] = {
        {"forsoksplanering.skapa_modell", Skapamodell2Click},
        {"forsoksplanering.visa_varden", Visavrden1Click},
        {"forsoksplanering.visa_nivaer", Visaniver1Click},
    };
    for (const auto& [key, handler] : commands) {
        form.RegisterCommand(key, [&form, handler] { handler(form); });
    }
}

}  // namespace tabulon::ui

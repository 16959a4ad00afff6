// The 1-Dim commands Sannolikheter, Statistiktabeller and Konfidensintervall: each opens its
// calculator window; they read nothing from the worksheet.
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "univariate/ui/distribution_windows.h"

namespace tabulon::ui {
namespace {

template <typename Window>
void Open(MainWindow& form) {
    ShowModal(new Window(form.dialogs(), &form));
}

}  // namespace

void RegisterDistributionCommands(MainWindow& form) {
    MainWindow* f = &form;
    form.RegisterCommand("endim.sannolikheter.normal", [f] { Open<NormalProbabilityWindow>(*f); });
    form.RegisterCommand("endim.sannolikheter.t", [f] { Open<TProbabilityWindow>(*f); });
    form.RegisterCommand("endim.tabeller.normal", [f] { Open<NormalTableWindow>(*f); });
    form.RegisterCommand("endim.tabeller.t", [f] { Open<TTableWindow>(*f); });
    form.RegisterCommand("endim.tabeller.chi2", [f] { Open<ChiSquareTableWindow>(*f); });
    form.RegisterCommand("endim.tabeller.f", [f] { Open<FTableWindow>(*f); });
    form.RegisterCommand("endim.tabeller.wilcoxon", [f] { Open<SignedRankTableWindow>(*f); });
    form.RegisterCommand("endim.konfidensintervall.normal",
                         [f] { Open<NormalConfidenceWindow>(*f); });
    form.RegisterCommand("endim.konfidensintervall.t", [f] { Open<TConfidenceWindow>(*f); });
}

}  // namespace tabulon::ui

// The menu commands of the t-tests, the F-test, the test against a constant, the paired
// tests and the rank-sum test: choose the columns, compute, open the window.
#include "shell/ui/two_sample_commands.h"

#include <QDialog>
#include <QStatusBar>

#include "graphs/ui/progress_run.h"
#include "numeric/number_text.h"
#include "base/language.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"
#include "univariate/ftest.h"
#include "univariate/ui/ktest_window.h"
#include "univariate/ui/paired_window.h"
#include "univariate/ui/rank_sum_window.h"
#include "univariate/ui/signed_rank_window.h"
#include "univariate/ui/ttest_manual_window.h"
#include "univariate/ui/ttest_window.h"
#include "shell/column_choice.h"
#include "worksheet/text_helpers.h"
#include "worksheet/ui/number_grid.h"

namespace tabulon::ui {
namespace {

std::function<void(QDialog&)>& Presenter() {
    static std::function<void(QDialog&)> presenter;
    return presenter;
}

RankSumRunSettings& RunSettings() {
    static RankSumRunSettings settings;
    return settings;
}

template <typename Window>
Window* Owned(Window* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

std::string TwoColumnsMessage() {
    return ChooseText("There must be at least two columns", "Det måste finnas minst två kolumner");
}
// The paired and rank-sum procedures word it their own way.
std::string HasToBeTwoColumnsMessage() {
    return ChooseText("There has to be at least two columns",
                      "Det måste finnas minst två kolumner");
}

// Both columns' samples for the t-test and the F-test, or nothing after the refusal's message.
std::optional<TTestSamples> ChooseTTestSamples(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    const auto columns = ChooseTwoColumns(sheet, form.dialogs(), TwoColumnsMessage());
    if (!columns) return std::nullopt;
    TTestSamplesRead read =
        ReadTTestSamples(sheet, columns->first, columns->second, DecimalSeparator());
    if (!read.samples) {
        form.dialogs().ShowInfo(read.refusal);
        return std::nullopt;
    }
    return std::move(read.samples);
}

// The pairs of two chosen columns; an unreadable cell is "Fel i indata".
std::optional<PairedData> ChoosePairs(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    const auto columns = ChooseTwoColumns(sheet, form.dialogs(), HasToBeTwoColumnsMessage());
    if (!columns) return std::nullopt;
    try {
        return ReadPairs(sheet, columns->first, columns->second, DecimalSeparator());
    } catch (const ConversionError&) {
        form.dialogs().ShowInfo(ChooseText("Error in data", "Fel i indata"));
        return std::nullopt;
    }
}

void TTestFromColumns(MainWindow& form) {
    auto samples = ChooseTTestSamples(form);
    if (!samples) return;
    PresentTwoSampleWindow(*Owned(new TTeTest(form.dialogs(), std::move(*samples), &form)));
}

void ManualEntry(MainWindow& form, ManualMode mode) {
    PresentTwoSampleWindow(*Owned(new TTtestmanual(form.dialogs(), mode, &form)));
}

void FTestFromColumns(MainWindow& form) {
    const auto samples = ChooseTTestSamples(form);
    if (!samples) return;
    auto* window = Owned(new TTtestmanual(form.dialogs(), ManualMode::FTest, &form));
    window->Fill(FTestInputsFromSamples(*samples));
    PresentTwoSampleWindow(*window);
}

// The simulation on worker threads, followed by the main window's progress bar and a
// progress window with Cancel; nullopt when the user cancelled.
std::optional<RankSumDistribution> RunRankSumSimulation(MainWindow& form, int n1, int n2,
                                                        const RankSumRunSettings& settings) {
    std::optional<RankSumDistribution> result;
    const bool status_was_visible = form.statusBar()->isVisible();
    form.statusBar()->show();
    ProgressRun run;
    run.parent = &form;
    run.caption = WindowCaption("Simulating the rank sum…", "Simulerar rangsumman…");
    run.bar = form.ProgressBar1();
    run.on_started = settings.on_started;
    const bool finished = RunWithProgress(run, [&](ProgressSignals& job) {
        RankSumSimulationOptions options;
        options.draws = settings.draws;
        options.seed = settings.seed;
        options.cancel = &job.cancel;
        options.progress = job.report;
        result = SimulateRankSumDistribution(n1, n2, options);
    });
    if (!status_was_visible) form.statusBar()->hide();
    if (!finished) return std::nullopt;
    return result;
}

void TestAgainstConstant(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    const auto column = ChooseOneColumn(sheet, form.dialogs());
    if (!column) return;
    ColumnValues values = ReadColumn(sheet, *column);
    std::string refusal;
    auto sample = ReadKTestSample(sheet, *column, DecimalSeparator(), refusal);
    if (!sample) {
        form.dialogs().ShowInfo(refusal);
        return;
    }
    form.state().SampleValues = std::move(values.values);
    form.state().SampleRowNumbers = std::move(values.row_numbers);
    auto* window = Owned(new TKTest(form.dialogs(), std::move(*sample), &form));
    try {
        window->AskConstant();
    } catch (...) {
        delete window;
        throw;
    }
    PresentTwoSampleWindow(*window);
}

void PairedTTest(MainWindow& form) {
    auto pairs = ChoosePairs(form);
    if (!pairs) return;
    const PairedTTestOutcome out = ComputePairedTTest(*pairs, 5);
    if (!out.result) {
        form.dialogs().ShowInfo(out.refusal);
        return;
    }
    PresentTwoSampleWindow(
        *Owned(new TParadedata(form.dialogs(), std::move(*pairs), *out.result, &form)));
}

void SignedRankTest(MainWindow& form) {
    auto pairs = ChoosePairs(form);
    if (!pairs) return;
    SignedRankOutcome out = ComputeSignedRankTest(*pairs);
    if (!out.result) {
        form.dialogs().ShowInfo(out.refusal);
        return;
    }
    PresentTwoSampleWindow(
        *Owned(new SignedRankWindow(form.dialogs(), std::move(*pairs), std::move(*out.result),
                          FileBaseName(form.state().CurrentFileName), &form)));
}

void RankSumTest(MainWindow& form) {
    const Worksheet& sheet = form.NumberGrid1()->sheet();
    const auto columns = ChooseTwoColumns(sheet, form.dialogs(), HasToBeTwoColumnsMessage());
    if (!columns) return;
    RankSumData data = ReadRankSumData(sheet, columns->first, columns->second, DecimalSeparator());
    RankRecords(data.records);
    const RankSumStatistics statistics = ComputeRankSumStatistics(data);
    if (const std::string refusal = RankSumRefusal(statistics); !refusal.empty()) {
        form.dialogs().ShowInfo(refusal);
        return;
    }
    auto distribution = RunRankSumSimulation(form, statistics.n1, statistics.n2, RunSettings());
    if (!distribution) return;
    PresentTwoSampleWindow(*Owned(
        new TMannW(form.dialogs(), std::move(data), statistics, std::move(*distribution), &form)));
}

}  // namespace

void SetTwoSampleWindowPresenter(std::function<void(QDialog&)> presenter) {
    Presenter() = std::move(presenter);
}

void PresentTwoSampleWindow(QDialog& window) {
    if (Presenter()) {
        Presenter()(window);
    } else {
        window.exec();
    }
}

void SetRankSumRunSettings(RankSumRunSettings settings) {
    RunSettings() = std::move(settings);
}
const RankSumRunSettings& CurrentRankSumRunSettings() {
    return RunSettings();
}

void RegisterTwoSampleCommands(MainWindow& form) {
    MainWindow* f = &form;
    form.RegisterCommand("endim.ttest.kolumnvarden", [f] { TTestFromColumns(*f); });
    form.RegisterCommand("endim.ttest.egna_varden", [f] { ManualEntry(*f, ManualMode::TTest); });
    form.RegisterCommand("endim.ftest.kolumnvarden", [f] { FTestFromColumns(*f); });
    form.RegisterCommand("endim.ftest.egna_varden", [f] { ManualEntry(*f, ManualMode::FTest); });
    form.RegisterCommand("endim.test_mot_konstant", [f] { TestAgainstConstant(*f); });
    form.RegisterCommand("endim.parade.ttest", [f] { PairedTTest(*f); });
    form.RegisterCommand("endim.parade.wilcoxon", [f] { SignedRankTest(*f); });
    form.RegisterCommand("endim.mann_whitney", [f] { RankSumTest(*f); });
    form.RegisterCommand("endim.wilcoxon_rank_sum", [f] { RankSumTest(*f); });
}

}  // namespace tabulon::ui

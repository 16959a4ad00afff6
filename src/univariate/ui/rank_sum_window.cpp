// The rank-sum window and the simulation run behind it.
#include "univariate/ui/rank_sum_window.h"

#include <QEventLoop>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <thread>

#include "shell/language.h"
#include "shell/ui/main_window.h"
#include "univariate/ui/two_sample_commands.h"

namespace tabulon::ui {

TMannW::TMannW(Dialogs& dialogs, RankSumData data, RankSumStatistics statistics,
               RankSumDistribution distribution, QWidget* parent)
    : TResultWindow(dialogs, parent),
      m_data(std::move(data)),
      m_statistics(std::move(statistics)),
      m_distribution(std::move(distribution)) {
    setObjectName("TMannW");
    setWindowTitle(QString::fromStdString(RankSumCaption()));
    m_p = RankSumProbability(m_statistics, m_distribution);
    ExitButton = addExitButton();
}

std::string TMannW::ResultText() {
    std::string text;
    for (const std::string& line : RankSumLines(m_statistics, m_p)) text += line + '\r';
    return text;
}

void TMannW::RenderGraph(Canvas& canvas, int width, int height) {
    RenderRankSumGraph(canvas, width, height, m_data, m_statistics);
}

std::optional<RankSumDistribution> RunRankSumSimulation(TForm1& form, int n1, int n2,
                                                        const RankSumRunSettings& settings) {
    std::atomic<bool> cancel{false};
    std::atomic<int> percent{0};
    std::atomic<bool> done{false};
    std::optional<RankSumDistribution> result;

    RankSumSimulationOptions options;
    options.draws = settings.draws;
    options.seed = settings.seed;
    options.cancel = &cancel;
    options.progress = [&percent](int p) {
        int seen = percent.load();
        while (p > seen && !percent.compare_exchange_weak(seen, p)) {
        }
    };

    QProgressBar* bar = form.ProgressBar1();
    const bool status_was_visible = form.statusBar()->isVisible();
    form.statusBar()->show();
    bar->setValue(0);
    bar->show();

    QProgressDialog progress(WindowCaption("Simulating the rank sum…", "Simulerar rangsumman…"),
                             WindowCaption("Cancel", "Avbryt"), 0, 100, &form);
    progress.setObjectName("RankSumProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    QObject::connect(&progress, &QProgressDialog::canceled, [&cancel] { cancel = true; });

    std::thread worker([&] {
        result = SimulateRankSumDistribution(n1, n2, options);
        done = true;
    });

    QEventLoop loop;
    QTimer timer;
    timer.setInterval(25);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (progress.wasCanceled()) cancel = true;
        const int p = percent.load();
        bar->setValue(p);
        if (progress.value() != p) progress.setValue(p);
        if (done.load()) loop.quit();
    });
    progress.show();
    if (settings.on_started) {
        QTimer::singleShot(0, &progress, [&] { settings.on_started(progress); });
    }
    timer.start();
    loop.exec();
    timer.stop();
    worker.join();

    bar->hide();
    if (!status_was_visible) form.statusBar()->hide();
    // A Cancel counts even when the last draws finished before it was seen.
    if (cancel.load()) return std::nullopt;
    return result;
}

}  // namespace tabulon::ui

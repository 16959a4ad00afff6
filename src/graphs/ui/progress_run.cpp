// Long work on a worker thread with a progress window and Cancel.
#include "graphs/ui/progress_run.h"

#include <QEventLoop>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTimer>
#include <mutex>
#include <thread>

#include "base/language.h"

namespace tabulon::ui {

bool RunWithProgress(const ProgressRun& run, const std::function<void(ProgressSignals&)>& work) {
    std::atomic<bool> cancel{false};
    std::atomic<int> percent{0};
    std::atomic<bool> done{false};
    std::mutex text_lock;
    std::string text;
    bool text_new = false;
    ProgressSignals job{cancel,
                        [&percent](int p) {
                            int seen = percent.load();
                            while (p > seen && !percent.compare_exchange_weak(seen, p)) {
                            }
                        },
                        [&](std::string said) {
                            const std::lock_guard<std::mutex> hold(text_lock);
                            text = std::move(said);
                            text_new = true;
                        }};

    if (run.bar) {
        run.bar->setValue(0);
        run.bar->show();
    }
    QProgressDialog progress(run.caption,
                             QString::fromStdString(ChooseText("Cancel", "Avbryt")), 0, 100,
                             run.parent);
    progress.setObjectName("ProgressWindow");
    if (!run.title.isEmpty()) progress.setWindowTitle(run.title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    QObject::connect(&progress, &QProgressDialog::canceled, [&cancel] { cancel = true; });

    std::thread worker([&] {
        work(job);
        done = true;
    });

    QEventLoop loop;
    QTimer timer;
    timer.setInterval(25);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (progress.wasCanceled()) cancel = true;
        const int p = percent.load();
        if (run.bar) run.bar->setValue(p);
        if (progress.value() != p) progress.setValue(p);
        {
            const std::lock_guard<std::mutex> hold(text_lock);
            if (text_new) progress.setLabelText(QString::fromStdString(text));
            text_new = false;
        }
        if (done.load()) loop.quit();
    });
    progress.show();
    if (run.on_started) QTimer::singleShot(0, &progress, [&] { run.on_started(progress); });
    timer.start();
    loop.exec();
    timer.stop();
    worker.join();
    if (run.bar) run.bar->hide();
    return !cancel.load();
}

}  // namespace tabulon::ui

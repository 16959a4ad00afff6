// The one path for long work off the user-interface thread: a progress window with Cancel
// (and, when given, a progress bar of the main window) follows a worker thread while the
// event loop keeps every window alive.
#pragma once

#include <QString>
#include <atomic>
#include <functional>

class QProgressBar;
class QProgressDialog;
class QWidget;

namespace tabulon::ui {

// What the work sees: a Cancel flag to poll and a report of its progress in percent.
struct ProgressSignals {
    const std::atomic<bool>& cancel;
    std::function<void(int)> report;
};

struct ProgressRun {
    QWidget* parent = nullptr;
    QString caption;
    QProgressBar* bar = nullptr;  // shown while the work runs, hidden after
    // Called once the progress window shows (tests press its Cancel from here).
    std::function<void(QProgressDialog&)> on_started;
};

// Runs `work` on a worker thread and returns when it has finished. False when the user
// cancelled: the caller then throws away whatever the work produced, so a Cancel changes
// nothing, even when the last step finished before the Cancel was seen.
bool RunWithProgress(const ProgressRun& run, const std::function<void(ProgressSignals&)>& work);

}  // namespace tabulon::ui

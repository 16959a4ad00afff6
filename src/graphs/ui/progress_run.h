// The one path for long work off the user-interface thread: a progress window with Cancel
// (and, when given, a progress bar of the main window) follows a worker thread while the
// event loop keeps every window alive.
#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <string>

class QProgressBar;
class QProgressDialog;
class QWidget;

namespace tabulon::ui {

// What the work sees: a Cancel flag to poll, a report of its progress in percent and a
// report of what it is doing (the window's text, from any thread; the newest one shows).
struct ProgressSignals {
    const std::atomic<bool>& cancel;
    std::function<void(int)> report;
    std::function<void(std::string)> describe;
};

struct ProgressRun {
    QWidget* parent = nullptr;
    QString caption;
    QString title;                // the window's caption; the program's name when empty
    QProgressBar* bar = nullptr;  // shown while the work runs, hidden after
    // Called once the progress window shows (tests press its Cancel from here).
    std::function<void(QProgressDialog&)> on_started;
};

// Runs `work` on a worker thread and returns when it has finished. False when the user
// cancelled: the caller then throws away whatever the work produced, so a Cancel changes
// nothing, even when the last step finished before the Cancel was seen.
bool RunWithProgress(const ProgressRun& run, const std::function<void(ProgressSignals&)>& work);

}  // namespace tabulon::ui

// The file named on the command line.
#include "shell/ui/start_up.h"

#include <QTimer>
#include <filesystem>

#include "shell/ui/main_window.h"

namespace tabulon::ui {

void OpenStartFile(MainWindow& window, const std::string& file) {
    // The caption names the whole path, as after Öppna, whatever the desktop passed.
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(file, ec);
    if (ec) path = file;
    window.openFile(path.lexically_normal().string());
}

void OpenStartFileWhenShown(MainWindow& window, const StartOptions& options) {
    if (options.file.empty()) return;
    QTimer::singleShot(0, &window, [&window, file = options.file] { OpenStartFile(window, file); });
}

}  // namespace tabulon::ui

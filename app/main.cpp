// tabulon: the desktop program.
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <clocale>
#include <fstream>
#include <iostream>
#include <sstream>

#include "base/language.h"
#include "shell/app_state.h"
#include "shell/scripted_dialogs.h"
#include "shell/start_options.h"
#include "shell/ui/main_window.h"
#include "shell/ui/qt_dialogs.h"
#include "shell/ui/screenshot_run.h"
#include "shell/ui/start_up.h"

namespace {

// --screenshot SCRIPT: plays the script offscreen with scripted answers and stops; the
// pictures go beside the script.
int RunScreenshots(const std::filesystem::path& start, const std::filesystem::path& config,
                   const std::string& script_file) {
    std::ifstream in(script_file, std::ios::binary);
    if (!in) {
        std::cerr << "tabulon: cannot read " << script_file << '\n';
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    tabulon::ScriptedDialogs dialogs;
    tabulon::ui::MainWindow window(dialogs, start, config);
    window.resize(1000, 620);
    window.show();
    QApplication::processEvents();
    const std::filesystem::path folder = std::filesystem::path(script_file).parent_path();
    const std::string error = tabulon::ui::PlayScreenshotScript(
        window, dialogs, tabulon::ParseScreenshotScript(text.str()), folder);
    window.state().DataChanged = false;  // a picture run never asks to save
    if (!error.empty()) {
        std::cerr << script_file << ": " << error << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version answer in a terminal without a display: before QApplication.
    const tabulon::StartOptions options =
        tabulon::ParseStartOptions(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
        case tabulon::StartOptions::Action::Help:
            std::cout << tabulon::StartHelpText();
            return 0;
        case tabulon::StartOptions::Action::Version:
            std::cout << tabulon::kProgramVersion << '\n';
            return 0;
        case tabulon::StartOptions::Action::Usage:
            std::cerr << "tabulon: " << options.error << "\n\n" << tabulon::StartHelpText();
            return 2;
        default:
            break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Tabulon");
    QApplication::setWindowIcon(QIcon::fromTheme("tabulon"));
    // Number texts are parsed and written by the program itself; the C library must not
    // apply the locale's separator behind its back.
    std::setlocale(LC_NUMERIC, "C");
    const QString point = QLocale::system().decimalPoint();
    tabulon::CurrentTextSettings().decimal_separator = point == "," ? ',' : '.';

    const std::filesystem::path start = QDir::currentPath().toStdString();
    const std::filesystem::path config =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    if (options.action == tabulon::StartOptions::Action::Screenshot) {
        return RunScreenshots(start, config, options.screenshot_script);
    }
    tabulon::ui::QtDialogs dialogs;
    tabulon::ui::MainWindow window(dialogs, start, config);
    dialogs.setParentWindow(&window);
    window.showMaximized();
    tabulon::ui::OpenStartFileWhenShown(window, options);
    return app.exec();
}

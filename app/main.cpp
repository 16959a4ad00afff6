// tabulon: the desktop program.
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <clocale>

#include "base/language.h"
#include "shell/ui/main_window.h"
#include "shell/ui/qt_dialogs.h"
#include "worksheet/ui/number_grid.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tabulon");
    // Number texts are parsed and written by the program itself; the C library must not
    // apply the locale's separator behind its back.
    std::setlocale(LC_NUMERIC, "C");
    const QString point = QLocale::system().decimalPoint();
    tabulon::CurrentTextSettings().decimal_separator = point == "," ? ',' : '.';

    const std::filesystem::path start = QDir::currentPath().toStdString();
    const std::filesystem::path config =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    tabulon::ui::QtDialogs dialogs;
    tabulon::ui::MainWindow window(dialogs, start, config);
    dialogs.setParentWindow(&window);
    // --screenshot FILE: render the main window with a few sample values offscreen, for the
    // README, and stop.
    const QStringList args = QApplication::arguments();
    if (const auto at = args.indexOf("--screenshot"); at >= 0 && at + 1 < args.size()) {
        window.resize(1000, 620);
        window.show();
        const char* samples[][3] = {{"10,2", "20,4", "3,14"}, {"11,5", "19,8", "2,71"},
                                    {"9,9", "21,0", "1,41"},  {"10,7", "20,1", "1,73"}};
        auto* grid = window.NumberGrid1();
        grid->setCellText(2, 1, "Vikt");
        grid->setCellText(3, 1, "Längd");
        grid->setCellText(4, 1, "Halt");
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 3; ++c) {
                std::string text = samples[r][c];
                if (tabulon::DecimalSeparator() == '.') text[text.find(',')] = '.';
                grid->setCellText(2 + c, 2 + r, text);
            }
        }
        QApplication::processEvents();
        return window.grab().save(args[at + 1]) ? 0 : 1;
    }
    window.showMaximized();
    return app.exec();
}

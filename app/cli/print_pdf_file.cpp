// Table PDF files from tabulon-cli: the printer's drawing on Qt's offscreen platform.
#include <QGuiApplication>
#include <memory>

#include "graphs/ui/table_printer.h"
#include "print_command.h"

namespace tabulon::cli {

bool WriteTablePdf(const PrintGrid& grid, const std::string& out, std::string& error) {
    // Fonts need a GUI application; no display is ever needed.
    static std::unique_ptr<QGuiApplication> app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tabulon-cli";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
    return ui::PrintGridToPdf(grid, QString::fromStdString(out), &error);
}

}  // namespace tabulon::cli

// Graph files from tabulon-cli: the windows' RenderGraph on Qt's offscreen platform.
#include <QGuiApplication>
#include <QString>
#include <memory>

#include "graphs/ui/graph_output.h"
#include "procedure_args.h"

namespace tabulon::cli {

bool WriteGraphFile(const std::function<void(Canvas&, int, int)>& render, const std::string& out,
                    int width, int height, std::string& error) {
    // Fonts and pictures need a GUI application; no display is ever needed.
    static std::unique_ptr<QGuiApplication> app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tabulon-cli";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
    return ui::SaveGraph(render, QSize(width, height), 96, QString::fromStdString(out), &error);
}

}  // namespace tabulon::cli

// The user guide window: the Markdown guide shown with its pictures, links to the other
// language's guide followed inside the window.
#include "shell/ui/guide_window.h"

#include <QCoreApplication>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "graphs/dialogs.h"
#include "shell/ui/command_table.h"
#include "shell/ui/main_window.h"

namespace tabulon::ui {

std::optional<std::filesystem::path> FindGuide(const std::filesystem::path& program_folder,
                                               Language language) {
    const char* name = language == Language::English ? "GUIDE.md" : "GUIDE.sv.md";
    // Installed: bin/tabulon beside share/tabulon. The build copies the guide to
    // <build>/share/tabulon, beside <build>/app and <build>/tests, so it is found the same way.
    const std::filesystem::path guide = program_folder / ".." / "share" / "tabulon" / name;
    std::error_code ec;
    if (std::filesystem::is_regular_file(guide, ec)) return guide.lexically_normal();
    return std::nullopt;
}

TGuideWindow::TGuideWindow(const std::filesystem::path& guide, QWidget* parent)
    : QDialog(parent), m_browser(new QTextBrowser(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(
        QString::fromStdString(ChooseText("Tabulon user guide", "Tabulon användarhandbok")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl::fromLocalFile(QString::fromStdString(guide.string())),
                         QTextDocument::MarkdownResource);
    resize(900, 700);
}

void RegisterHelpCommands(MainWindow& form) {
    form.RegisterCommand("hjalp.handbok", [&form] {
        const auto guide =
            FindGuide(QCoreApplication::applicationDirPath().toStdString(), CurrentLanguage());
        if (!guide) {
            form.dialogs().ShowMessage(ChooseText("The user guide is not installed.",
                                                  "Användarhandboken är inte installerad."));
            return;
        }
        // Not modal: the guide is read while the worksheet is worked on.
        (new TGuideWindow(*guide, &form))->show();
    });
}

}  // namespace tabulon::ui

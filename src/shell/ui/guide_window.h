// Hjälp > Användarhandbok: the user guide (docs/GUIDE.md, GUIDE.sv.md and their pictures)
// in a window of its own beside the worksheet.
#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>

#include "base/language.h"

class QTextBrowser;

namespace tabulon::ui {

// The guide in `language` (English, otherwise Swedish) for a program in `program_folder`:
// installed under ../share/tabulon, or in the source tree's docs/ for a build inside it.
std::optional<std::filesystem::path> FindGuide(const std::filesystem::path& program_folder,
                                               Language language);

class TGuideWindow : public QDialog {
    Q_OBJECT
public:
    TGuideWindow(const std::filesystem::path& guide, QWidget* parent);
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

}  // namespace tabulon::ui

// The paired t-test window.
#include "univariate/ui/paired_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "graphs/ui/level_control.h"

namespace tabulon::ui {

TParadedata::TParadedata(Dialogs& dialogs, PairedData pairs, PairedTTestResult result,
                         QWidget* parent)
    : TResultWindow(dialogs, parent), m_pairs(std::move(pairs)), m_result(result) {
    setObjectName("TParadedata");
    setWindowTitle(QString::fromStdString(PairedCaption()));
    ExitButton = addExitButton();
    enableLevelControl(SignificanceLevelRules())->setFieldLabel(WindowCaption("Level", "Nivå"));
    Recompute();
}

void TParadedata::Recompute() {
    SetPairedLevel(m_result, levelControl()->level());
}

std::string TParadedata::ResultText() {
    std::string text;
    for (const std::string& line : PairedResultLines(m_pairs, m_result)) text += line + '\r';
    return text;
}

std::string TParadedata::DisplayText() {
    std::string text;
    for (const std::string& line : PairedWindowLines(m_result)) text += line + '\n';
    return text;
}

}  // namespace tabulon::ui

// The regression reports' list window.
#include "regression/ui/report_list_window.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tabulon::ui {

ReportListWindow::ReportListWindow(Dialogs& dialogs, ReportText report, QWidget* parent)
    : TResultWindow(dialogs, parent), m_report(std::move(report)) {
    setObjectName("ListaList");
    setWindowTitle(QString::fromStdString(m_report.caption));
    OkButton = makeExitButton();
    OkButton->setText("OK");
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(OkButton);
    bottomLayout()->addLayout(row);
    // The report's longest line decides the width, within reason.
    int widest = 0;
    const QFontMetrics metrics(Memo1->font());
    for (const std::string& line : m_report.lines) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
    }
    resize(std::clamp(widest + 60, 360, 900),
           std::clamp(static_cast<int>(m_report.lines.size()) * metrics.lineSpacing() + 140, 200,
                      640));
    Refresh();
}

std::string ReportListWindow::ResultText() {
    std::string text = m_report.caption;
    for (const std::string& line : m_report.lines) text += '\r' + line;
    return text + '\r';
}

std::string ReportListWindow::DisplayText() {
    std::string text;
    for (const std::string& line : m_report.lines) text += line + '\n';
    return text;
}

std::vector<std::string> ReportListWindow::PrintLines() {
    std::vector<std::string> lines{m_report.caption, ""};
    lines.insert(lines.end(), m_report.lines.begin(), m_report.lines.end());
    return lines;
}

}  // namespace tabulon::ui

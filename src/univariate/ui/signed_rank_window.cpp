// The Wilcoxon signed-rank window.
#include "univariate/ui/signed_rank_window.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace tabulon::ui {

SignedRankWindow::SignedRankWindow(Dialogs& dialogs, PairedData pairs, SignedRankResult result, std::string file_base,
               QWidget* parent)
    : TResultWindow(dialogs, parent),
      m_pairs(std::move(pairs)),
      m_result(std::move(result)),
      m_file_base(std::move(file_base)) {
    setObjectName("SignedRankWindow");
    setWindowTitle(QString::fromStdString(SignedRankCaption()));
    ExitButton = addExitButton();
}

std::string SignedRankWindow::ResultText() {
    std::string text;
    for (const std::string& line : SignedRankLines(m_pairs, m_result, m_file_base)) {
        text += line + '\r';
    }
    return text;
}

void SignedRankWindow::RenderGraph(Canvas& canvas, int width, int height) {
    RenderSignedRankGraph(canvas, width, height, m_pairs);
}

}  // namespace tabulon::ui

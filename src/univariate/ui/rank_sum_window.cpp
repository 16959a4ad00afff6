// The rank-sum window.
#include "univariate/ui/rank_sum_window.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "base/language.h"

namespace tabulon::ui {

TMannW::TMannW(Dialogs& dialogs, RankSumData data, RankSumStatistics statistics,
               RankSumDistribution distribution, QWidget* parent)
    : TResultWindow(dialogs, parent),
      m_data(std::move(data)),
      m_statistics(std::move(statistics)),
      m_distribution(std::move(distribution)) {
    setObjectName("TMannW");
    setWindowTitle(QString::fromStdString(RankSumCaption()));
    m_p = RankSumProbability(m_statistics, m_distribution);
    ExitButton = addExitButton();
}

std::string TMannW::ResultText() {
    std::string text;
    for (const std::string& line : RankSumLines(m_statistics, m_p)) text += line + '\r';
    return text;
}

void TMannW::RenderGraph(Canvas& canvas, int width, int height) {
    RenderRankSumGraph(canvas, width, height, m_data, m_statistics);
}

}  // namespace tabulon::ui

// TMannW: the Mann-Whitney u-test / Wilcoxon rank-sum window.
#pragma once

#include "graphs/ui/result_window.h"
#include "univariate/rank_sum.h"

class QPushButton;

namespace tabulon::ui {

class TMannW : public TResultWindow {
    Q_OBJECT
public:
    TMannW(Dialogs& dialogs, RankSumData data, RankSumStatistics statistics,
           RankSumDistribution distribution, QWidget* parent = nullptr);

    std::string ResultText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;

    const RankSumStatistics& statistics() const { return m_statistics; }
    Extended probability() const { return m_p; }

    QPushButton* ExitButton = nullptr;

private:
    RankSumData m_data;
    RankSumStatistics m_statistics;
    RankSumDistribution m_distribution;  // kept for as long as the window shows its result
    Extended m_p = 0;
};

}  // namespace tabulon::ui

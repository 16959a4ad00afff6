// TMannW: the Mann-Whitney u-test / Wilcoxon rank-sum window, and the run of its simulation
// off the user-interface thread with the main window's progress bar and a Cancel.
#pragma once

#include <optional>

#include "graphs/ui/result_window.h"
#include "univariate/rank_sum.h"

class QPushButton;

namespace tabulon::ui {

class TForm1;
struct RankSumRunSettings;

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

// Runs the simulation on worker threads while the event loop keeps the window alive: the
// main window's progress bar and a progress window with Cancel follow it. nullopt when the
// user cancelled (nothing is changed then).
std::optional<RankSumDistribution> RunRankSumSimulation(TForm1& form, int n1, int n2,
                                                        const RankSumRunSettings& settings);

}  // namespace tabulon::ui

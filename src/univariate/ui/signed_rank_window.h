// SignedRankWindow: the Wilcoxon signed-rank window: counts, rank sum, the differences' names, the
// verdict, and the graph of both columns and their differences.
#pragma once

#include "graphs/ui/result_window.h"
#include "univariate/signed_rank_test.h"

class QPushButton;

namespace tabulon::ui {

class SignedRankWindow : public TResultWindow {
    Q_OBJECT
public:
    SignedRankWindow(Dialogs& dialogs, PairedData pairs, SignedRankResult result, std::string file_base,
           QWidget* parent = nullptr);

    std::string ResultText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;

    const SignedRankResult& result() const { return m_result; }

    QPushButton* ExitButton = nullptr;

private:
    PairedData m_pairs;
    SignedRankResult m_result;
    std::string m_file_base;
};

}  // namespace tabulon::ui

// TParadedata: the paired t-test window (texts and level control, no graph).
#pragma once

#include "graphs/ui/result_window.h"
#include "univariate/paired.h"

class QPushButton;

namespace tabulon::ui {

class TParadedata : public TResultWindow {
    Q_OBJECT
public:
    TParadedata(Dialogs& dialogs, PairedData pairs, PairedTTestResult result,
                QWidget* parent = nullptr);

    std::string ResultText() override;
    std::string DisplayText() override;
    bool HasGraph() const override { return false; }
    void RenderGraph(Canvas&, int, int) override {}
    void Recompute() override;

    const PairedTTestResult& result() const { return m_result; }

    QPushButton* ExitButton = nullptr;

private:
    PairedData m_pairs;
    PairedTTestResult m_result;
};

}  // namespace tabulon::ui

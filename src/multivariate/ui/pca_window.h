// The PCA window: the modelling window in its PCA mode, captioned "PCA". It shows the counts
// and the table of eigenvalues, explained variance and loadings (or the loadings' shares), and
// opens the score and loading plots and the outlier listing.
#pragma once

#include <string>
#include <vector>

#include "graphs/ui/result_window.h"
#include "multivariate/model_data.h"
#include "multivariate/pca.h"
#include "multivariate/ui/factor_plots.h"

class QAction;
class QMenu;
class QTableWidget;

namespace tabulon::ui {

struct PcaWindowSetup {
    std::string file_name;  // the worksheet's file name, for the copied text
    ModelColumns columns;
    PcaResult pca;
    int sheet_rows = 0;  // data rows of the worksheet, for the bars of every score
};

class PcaWindow : public TResultWindow {
    Q_OBJECT
public:
    PcaWindow(Dialogs& dialogs, PcaWindowSetup setup, QWidget* parent = nullptr);
    ~PcaWindow() override;

    std::string ResultText() override;
    std::string DisplayText() override;
    std::vector<std::string> PrintLines() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;
    bool HasGraph() const override { return false; }

    const PcaResult& pca() const { return m_setup.pca; }
    bool showsShares() const { return m_shares; }

    // The menu commands.
    void Ekvationen1Click();
    void Variablernai1Click();
    void Outliers1Click();

    QMenu* Visa1 = nullptr;
    FactorPlotMenus Plots;  // Scores1 and Loadings1 with their two items each
    QAction* Ekvationen1 = nullptr;
    QAction* Variablernai1 = nullptr;
    QAction* Outliers1 = nullptr;
    QMenu* Spara1 = nullptr;
    QAction* Lggtilldatafltet1 = nullptr;
    QTableWidget* StringGrid1 = nullptr;

private:
    void ShowPcaTable(bool shares);

    PcaWindowSetup m_setup;
    FactorPlotSource m_plots;
    TextTable m_table;
    bool m_shares = false;
};

}  // namespace tabulon::ui

// TMLR2: the calibration model's window. Its caption is its mode ("MLR:", "PCR:", "PLS:");
// it shows the statistics, the equation (or the coefficient lists of PCR and PLS), the table
// of z, ẑ and residuals, and two small plots: ẑ against z and the residuals per row.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graphs/ui/result_window.h"
#include "multivariate/model_data.h"
#include "multivariate/model_fit.h"
#include "multivariate/model_texts.h"
#include "multivariate/ui/factor_plots.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QTableWidget;

namespace tabulon::ui {

// What the window is opened on: the fit is done before it opens, so a refused fit opens none.
struct ModelWindowSetup {
    std::string caption;    // the mode key, with ": 3 faktorer" for PCR and PLS
    std::string file_name;  // the worksheet's file name, for the copied text
    ModelColumns columns;
    ModelData data;
    ModelFit fit;
    // A cross-validation shows its residuals and RMS but no equation, and is no model.
    ModelResultKind kind = ModelResultKind::Fit;
    // PCR and PLS fits: what the score and loading plots draw.
    std::optional<FactorPlotSource> plots;
};

// "Lägg till datafältet": writes the residual and prediction columns into the worksheet.
using ModelColumnWriter = std::function<void(const ModelResultColumns& columns)>;

class TMLR2 : public TResultWindow {
    Q_OBJECT
public:
    TMLR2(Dialogs& dialogs, ModelWindowSetup setup, ModelColumnWriter writer,
          QWidget* parent = nullptr);
    ~TMLR2() override;

    std::string ResultText() override;
    std::string DisplayText() override;
    std::vector<std::string> PrintLines() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;

    const ModelFit& fit() const { return m_setup.fit; }
    const ModelResultColumns& results() const { return m_results; }
    const CoefficientLists& coefficientLists() const { return m_lists; }
    Extended SigLevel() const { return m_level; }
    bool isMlr() const;
    ModelResultKind kind() const { return m_setup.kind; }

    // The level buttons (MLR only): 10, 5, 1, 0.1 or 0.01 %.
    void setSigLevel(Extended percent);
    // Visa enabling, as the menu does when it opens.
    void Visa1Popup();

    // The menu commands.
    void Residualer1Click();
    void Prediktionen1Click();
    void Ekvationen1Click();
    void Variablernai1Click();
    void Normeraderiktningskoeficienter1Click();
    void Riktningskoefficienternasstatistik1Click();
    void Riktningskoefficienternasfrdelning1Click();
    void Lggtilldatafltet1Click();

    QMenu* Visa1 = nullptr;
    QAction* Residualer1 = nullptr;
    QAction* Prediktionen1 = nullptr;
    QAction* Ekvationen1 = nullptr;
    QAction* Variablernai1 = nullptr;
    QAction* Normeraderiktningskoeficienter1 = nullptr;
    QAction* Riktningskoefficienternasstatistik1 = nullptr;
    QAction* Riktningskoefficienternasfrdelning1 = nullptr;
    // Scores1 (N2dimensionellt1, alla1) and Loadings1 (N2Dimensionellt2, Alla2).
    FactorPlotMenus Plots;
    QMenu* Spara1 = nullptr;
    QAction* Lggtilldatafltet1 = nullptr;
    QLabel* EquationLabel = nullptr;
    QListWidget* ListBox1 = nullptr;  // the equation, or the list Visa puts in its place
    QTableWidget* StringGrid1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Verdict = nullptr;  // "sambandet är signifikant!" in green, or not in red
    std::array<QPushButton*, 5> LevelButtons{};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Shown { Equation, Shares, Normalised };
    void showList(Shown list);
    void updateVerdict();
    ModelTextInput textInput() const;

    ModelWindowSetup m_setup;
    ModelColumnWriter m_writer;
    ModelResultColumns m_results;
    CoefficientLists m_lists;
    std::vector<std::string> m_equation;
    Extended m_level = 5;
    Shown m_shown = Shown::Equation;
};

}  // namespace tabulon::ui

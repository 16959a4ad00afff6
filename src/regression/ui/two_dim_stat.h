// TTwoDimStat, the regression window ("XY-Grafik"): two columns plotted against each other,
// the fitted model with its bands, and every reading and report the model offers. The window
// asks the model what applies; it never looks at the fit type beyond its check marks.
#pragma once

#include <QPoint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphs/ui/result_window.h"
#include "regression/fitted_model.h"
#include "regression/regression_data.h"
#include "regression/regression_graph.h"

class QAction;
class QLabel;
class QProgressDialog;
class QMenu;
class QPushButton;

namespace tabulon::ui {

// Writes the residuals (or their squares) of the points into the worksheet the points came
// from; returns the refusal, empty when the column was written.
using ResidualWriter = std::function<std::string(
    const RegressionData& data, const std::vector<Extended>& residuals, bool squares)>;

// What a press on the plot does.
enum class PlotMouseMode { None, ReadY, ReadX, AddText, MoveText, TextFont };

class TTwoDimStat : public TResultWindow {
    Q_OBJECT
public:
    // The least-squares line at 95 %, the ranges on the data. `writer` may be empty (no sheet
    // to write to: the residual commands that write are then disabled).
    TTwoDimStat(Dialogs& dialogs, std::shared_ptr<const RegressionData> data, ResidualWriter writer,
                QWidget* parent = nullptr);
    ~TTwoDimStat() override;

    std::string ResultText() override;
    std::string DisplayText() override;
    std::vector<std::string> PrintLines() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;
    void Recompute() override;

    const RegressionData& data() const { return *m_data; }
    const FittedModel* model() const { return m_model.get(); }
    const FitSpec& spec() const { return m_spec; }
    const RegressionViewOptions& view() const { return m_view; }
    // The confidence level as a fraction (0.95).
    Extended level() const;
    // Where the last on-screen drawing put the axes.
    const RegressionGraphLayout& layout() const { return m_layout; }
    PlotMouseMode mouseMode() const { return m_mouse_mode; }
    QString equationText() const;
    QString statusText() const;
    QString readingText() const;
    bool memoShown() const;

    // The marker size, kept from one opening to the next.
    static int CurrentPointSize();

    // Grafik menu.
    QMenu* Grafik3 = nullptr;
    QAction* Funktionen1 = nullptr;
    QAction* Stodlinjer1 = nullptr;
    QAction* Konfidensintervall1 = nullptr;
    QAction* VisaLODochLOQ1 = nullptr;
    QAction* Visaradnummer1 = nullptr;
    QAction* Punktstorlek1 = nullptr;
    QAction* Bytplats1 = nullptr;
    QAction* Laggtilltext1 = nullptr;
    QAction* Flyttatext1 = nullptr;
    QAction* Andrafont1 = nullptr;
    QAction* Tabortalltext1 = nullptr;
    QAction* Forstora1 = nullptr;
    QAction* Forminska1 = nullptr;
    QAction* Zoomain1 = nullptr;
    QAction* Zoomaut1 = nullptr;
    QAction* Fontpaaxlar1 = nullptr;
    // Axlar menu.
    QMenu* Axlar1 = nullptr;
    QAction* Anpassa1 = nullptr;
    QAction* Inkluderaorigo1 = nullptr;
    QAction* Inkluderay01 = nullptr;
    QAction* Inkluderax01 = nullptr;
    QAction* Egnavarden1 = nullptr;
    QAction* Proportionerligt1 = nullptr;
    // Beräkna menu.
    QMenu* Berakna1 = nullptr;
    QAction* YGrafiskt1 = nullptr;
    QAction* YManuellt1 = nullptr;
    QAction* XGrafiskt1 = nullptr;
    QAction* XManuellt1 = nullptr;
    QAction* LOD1 = nullptr;
    QAction* LOQ1 = nullptr;
    QAction* Standardaddition1 = nullptr;
    QAction* Konfidensintervallkl1 = nullptr;
    QAction* Visagrafiskt1 = nullptr;
    QAction* Visanumeriskt1 = nullptr;
    QAction* Laggtilldatafaltet1 = nullptr;
    QAction* Laggtillkvadraterna1 = nullptr;
    QAction* Regressionsparametrar1 = nullptr;
    QAction* Homoskedasticitet1 = nullptr;
    QAction* Felforsta1 = nullptr;
    QAction* Felandra1 = nullptr;
    QAction* RMS1 = nullptr;
    QAction* Visaxyvardena1 = nullptr;
    QMenu* Kurvatur1 = nullptr;
    QAction* Kurvaturpolynom1 = nullptr;  // "y=a0+a1x+a2x^2"
    QAction* Kurvaturalfa1 = nullptr;     // "y=a1*x^alfa+a0"
    // Polynom menu.
    QMenu* Polynom1 = nullptr;
    QAction* Forstagraden1 = nullptr;
    QAction* Polynomgrad1 = nullptr;  // "2:a-10:de graden"
    QAction* Viktadregression1 = nullptr;
    QAction* Tvingagenomorigo1 = nullptr;
    // Linjärt menu.
    QMenu* Linjart1 = nullptr;
    QAction* Minstakvadratmetoden1 = nullptr;
    QAction* Fixeralutningen1 = nullptr;
    QAction* Fixeraskarningen1 = nullptr;
    QAction* Viktadmultipla1 = nullptr;
    QAction* Viktad1x1 = nullptr;
    // Funktioner menu.
    QMenu* Funktioner1 = nullptr;
    QAction* Yfx1 = nullptr;     // "y=f(x)"
    QAction* Yaxb1 = nullptr;    // "y=ax^b"
    QAction* Yaebx1 = nullptr;   // "y=ae^(bx)"
    QAction* Yalnxb1 = nullptr;  // "y=alnx+b"
    QAction* Yaxnb1 = nullptr;   // "y=ax^n+b"
    QAction* Punkttillpunkt1 = nullptr;
    // Signifikanser and Kontrollkort menus.
    QMenu* Signifikanser1 = nullptr;
    QAction* Regression1 = nullptr;
    QAction* Outliers1 = nullptr;
    QMenu* Kontrollkort1 = nullptr;
    QAction* Basdata1 = nullptr;

    QPushButton* MemoOkButton = nullptr;
    QPushButton* ExitButton = nullptr;

    // The menu commands.
    void PunktstorlekClick();
    void BytplatsClick();
    void TabortalltextClick();
    void AnpassaClick();
    void EgnavardenClick();
    void ProportionerligtClick();
    void FontpaaxlarClick();
    void ShowReport(RegressionItem item);
    void SignificanceClick();
    void ReadingClick(bool y_from_x);
    void ResidualGraphClick();
    void AddResidualsClick(bool squares);
    void VisaxyvardenaClick();
    void FitClick(FitType type);
    void FixedValueClick(FitType type);
    void OriginClick();
    void SetMouseMode(PlotMouseMode mode);
    // Polynom > "2:a-10:de graden" and "Viktad regression": the options window, then the fit.
    void PolynomialOptionsClick(bool weighted);
    void FunctionClick(FunctionKind kind);
    // y=ax^n+b: the exponent search with a progress window and Cancel, then the fit.
    void PowerLawClick();
    void OwnFunctionClick();
    void CurvatureClick();

    // Called when the exponent search's progress window shows (tests press Cancel here).
    std::function<void(QProgressDialog&)> onSearchStarted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    // Fits `spec` to the data; a refusal is shown and the window keeps what it had.
    bool Refit(const FitSpec& spec);
    // After the fit, the ranges, the level or an option changed: menus, labels, graph.
    void Redraw();
    void UpdateMenus();
    void ShowMemo(std::vector<std::string> lines);
    void HideMemo();
    void RememberReport(ReportText report);
    // Runs a command; a text that is not a number ends it with its message.
    void Run(const std::function<void()>& command);
    QSize BoxSize() const;
    // The own text under a pixel, or -1.
    int TextAt(QPoint pixel) const;
    void PlotPressed(QPoint pixel, Qt::MouseButton button);
    void PlotMoved(QPoint pixel);
    void PlotReleased();

    std::shared_ptr<const RegressionData> m_data;
    ResidualWriter m_writer;
    FitSpec m_spec;
    std::unique_ptr<FittedModel> m_model;
    std::string m_fit_refusal;  // why the opening fit could not be made
    RegressionViewOptions m_view;
    RegressionGraphLayout m_layout;
    std::vector<std::pair<QAction*, RegressionItem>> m_item_actions;
    std::vector<ReportText> m_reports;  // shown since the last change, for Kopiera > Text
    std::vector<std::string> m_memo;
    bool m_memo_is_significance = false;
    PlotMouseMode m_mouse_mode = PlotMouseMode::None;
    int m_dragged_text = -1;
    QPoint m_drag_offset;
    QLabel* EquationLabel = nullptr;
    QLabel* StatusLabel = nullptr;
    QLabel* ReadingLabel = nullptr;
};

}  // namespace tabulon::ui

// The calculator windows of 1-Dim > Sannolikheter, Statistiktabeller and Konfidensintervall
// and the signed-rank table: typed values in, result lines in the text pane, and for the
// tables the density graph with the computed points and the formula picture.
#pragma once

#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "graphs/ui/result_window.h"
#include "univariate/distribution_calculators.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tabulon::ui {

// What the calculators share: the input group "Ange önskat värde", Beräkna (or Enter in a
// field), Rensa, Exit, and the shared result-window menu for the lines and the graph.
class DistributionCalculatorWindow : public TResultWindow {
    Q_OBJECT
public:
    std::string ResultText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;
    bool HasGraph() const override { return m_with_graph; }

    virtual void BerakanClick() = 0;  // "Beräkna"
    void RensaClick();                // "Rensa": empties the fields and the results

    // The field with this object name ("MeanEdit", "AlphaEdit", …), or null.
    QLineEdit* field(const QString& name) const;
    const CalculatorOutcome& outcome() const { return m_outcome; }
    // The formula picture, or null in a window without one.
    QLabel* picture() const { return m_picture; }

    QGroupBox* InputGroup = nullptr;
    QPushButton* Berakna = nullptr;
    QPushButton* Rensa = nullptr;
    QPushButton* ExitButton = nullptr;

protected:
    DistributionCalculatorWindow(Dialogs& dialogs, const QString& caption, bool with_graph,
                                 QWidget* parent);

    // A labelled field in the input group; Enter in it runs `on_enter` (Beräkna by default).
    // A number typed with the other decimal separator is turned to the current one when the
    // field is left.
    QLineEdit* addField(const QString& name, const QString& label, const QString& text = {},
                        std::function<void()> on_enter = {});
    // The formula picture from the program's resources, decoded by Qt's image reader.
    void addPicture(const QString& resource);
    std::string text(const QString& name) const;

    // Shows an outcome: the refusal in a message box (the earlier results stay), or the
    // lines, the graph and a corrected field text in `corrected`.
    void Show(const CalculatorOutcome& outcome, QLineEdit* corrected = nullptr);
    // The graph of an outcome without its marks: the curve a table shows before the first
    // calculation.
    void ShowCurve(const CalculatorOutcome& outcome);

private:
    bool m_with_graph;
    QGridLayout* m_fields = nullptr;
    std::map<QString, QLineEdit*> m_by_name;
    std::map<QString, QString> m_defaults;
    QLabel* m_picture = nullptr;
    CalculatorOutcome m_outcome;
    std::optional<DensityPlot> m_plot;
};

// Sannolikheter > Normalfördelningen (TNormForm): P(a < x < b) for x ~ N(μ, σ).
class NormalProbabilityWindow : public DistributionCalculatorWindow {
    Q_OBJECT
public:
    explicit NormalProbabilityWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void BerakanClick() override;
};

// Sannolikheter > t-fördelningen (TTeForm): the same with the t distribution of n − 1 df.
class TProbabilityWindow : public DistributionCalculatorWindow {
    Q_OBJECT
public:
    explicit TProbabilityWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void BerakanClick() override;
};

// Statistiktabeller > Normalfördelningen (TNormalDistr): Φ(z) on the Area side, λα and
// λα/2 on the Lambda side.
class NormalTableWindow : public DistributionCalculatorWindow {
    Q_OBJECT
public:
    explicit NormalTableWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void BerakanClick() override;  // the side whose field was filled last
    void AreaClick();
    void LambdaClick();
    QPushButton* AreaButton = nullptr;
    QPushButton* LambdaButton = nullptr;

private:
    bool m_lambda_last = false;
};

// Statistiktabeller > t-fördelningen (TT_Function): tα and tα/2.
class TTableWindow : public DistributionCalculatorWindow {
    Q_OBJECT
public:
    explicit TTableWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void BerakanClick() override;
};

// Statistiktabeller > X2-fördelningen (TX2_function): χ²α/2 and χ²1−α/2.
class ChiSquareTableWindow : public DistributionCalculatorWindow {
    Q_OBJECT
public:
    explicit ChiSquareTableWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void BerakanClick() override;
};

// Statistiktabeller > F-fördelningen (TF_function): Fα(m, n).
class FTableWindow : public DistributionCalculatorWindow {
    Q_OBJECT
public:
    explicit FTableWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void BerakanClick() override;
};

// Statistiktabeller > Wilcoxon teckentest (TForm10): the probability of a rank sum.
class SignedRankTableWindow : public DistributionCalculatorWindow {
    Q_OBJECT
public:
    explicit SignedRankTableWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void BerakanClick() override;
};

// Konfidensintervall > Normalfördelningen (TConfNormDistr): μ ± z·σ.
class NormalConfidenceWindow : public DistributionCalculatorWindow {
    Q_OBJECT
public:
    explicit NormalConfidenceWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void BerakanClick() override;
};

// Konfidensintervall > t-fördelningen (TCalcConfInt): intervals of a value, μ and σ.
class TConfidenceWindow : public DistributionCalculatorWindow {
    Q_OBJECT
public:
    explicit TConfidenceWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void BerakanClick() override;
};

}  // namespace tabulon::ui

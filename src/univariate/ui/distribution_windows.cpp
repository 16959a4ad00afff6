// The probability, table and confidence-interval calculator windows.
#include "univariate/ui/distribution_windows.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/language.h"
#include "graphs/dialogs.h"
#include "numeric/number_text.h"
#include "worksheet/text_helpers.h"

// Outside every namespace, as Qt's macro asks: the pictures live in a static library whose
// resource object nothing else refers to.
static void LoadFormulaPictures() {
    Q_INIT_RESOURCE(formula_pictures);
}

namespace tabulon::ui {
namespace {

// The wait cursor while a table searches its grid (χ² and F take a moment for large df).
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QString DegreesOfFreedomLabel() {
    return WindowCaption("n=degrees of freedom", "n=frihetsgrader");
}

}  // namespace

DistributionCalculatorWindow::DistributionCalculatorWindow(Dialogs& dialogs, const QString& caption,
                                                           bool with_graph, QWidget* parent)
    : TResultWindow(dialogs, parent), m_with_graph(with_graph) {
    setWindowTitle(caption);
    InputGroup = new QGroupBox(WindowCaption("Specify input value", "Ange önskat värde"), this);
    InputGroup->setObjectName("InputGroup");
    m_fields = new QGridLayout(InputGroup);
    auto* row = new QHBoxLayout;
    row->addWidget(InputGroup);
    row->addStretch(1);
    topLayout()->addLayout(row);

    auto* buttons = new QHBoxLayout;
    Berakna = new QPushButton(WindowCaption("Calculate", "Beräkna"), this);
    Berakna->setObjectName("Berakna");
    Rensa = new QPushButton(WindowCaption("Clear", "Rensa"), this);
    Rensa->setObjectName("Rensa");
    ExitButton = makeExitButton();
    buttons->addWidget(Berakna);
    buttons->addWidget(Rensa);
    buttons->addStretch(1);
    buttons->addWidget(ExitButton);
    for (QPushButton* b : {Berakna, Rensa, ExitButton}) b->setAutoDefault(false);
    bottomLayout()->addLayout(buttons);
    connect(Berakna, &QPushButton::clicked, this, [this] { BerakanClick(); });
    connect(Rensa, &QPushButton::clicked, this, [this] { RensaClick(); });
    resize(with_graph ? 900 : 560, with_graph ? 560 : 380);
}

QLineEdit* DistributionCalculatorWindow::addField(const QString& name, const QString& label,
                                                  const QString& text,
                                                  std::function<void()> on_enter) {
    auto* edit = new QLineEdit(text, InputGroup);
    edit->setObjectName(name);
    const int row = m_fields->rowCount();
    m_fields->addWidget(new QLabel(label, InputGroup), row, 0);
    m_fields->addWidget(edit, row, 1);
    m_by_name[name] = edit;
    m_defaults[name] = text;
    if (!on_enter) on_enter = [this] { BerakanClick(); };
    connect(edit, &QLineEdit::returnPressed, this, std::move(on_enter));
    connect(edit, &QLineEdit::editingFinished, this, [edit] {
        // A typed point or comma becomes the separator in use; what is no number stays as
        // typed for Beräkna to report.
        const std::string typed = edit->text().toStdString();
        if (typed.empty()) return;
        try {
            edit->setText(QString::fromStdString(NormalizeDecimalSeparator(typed)));
        } catch (const ConversionError&) {
        }
    });
    return edit;
}

void DistributionCalculatorWindow::addPicture(const QString& resource) {
    LoadFormulaPictures();
    QImageReader reader(resource);
    const QImage image = reader.read();
    m_picture = new QLabel(this);
    m_picture->setObjectName("FormulaPicture");
    m_picture->setPixmap(QPixmap::fromImage(image));
    m_picture->setAlignment(Qt::AlignCenter);
    topLayout()->addWidget(m_picture);
}

QLineEdit* DistributionCalculatorWindow::field(const QString& name) const {
    const auto it = m_by_name.find(name);
    return it == m_by_name.end() ? nullptr : it->second;
}

std::string DistributionCalculatorWindow::text(const QString& name) const {
    const QLineEdit* edit = field(name);
    return edit ? edit->text().toStdString() : std::string();
}

std::string DistributionCalculatorWindow::ResultText() {
    std::string out;
    for (const std::string& line : m_outcome.lines) out += line + '\r';
    return out;
}

void DistributionCalculatorWindow::RenderGraph(Canvas& canvas, int width, int height) {
    if (m_plot) RenderDensityGraph(canvas, width, height, *m_plot);
}

void DistributionCalculatorWindow::Show(const CalculatorOutcome& outcome, QLineEdit* corrected) {
    if (!outcome.ok()) {
        dialogs().ShowInfo(outcome.message);
        return;
    }
    m_outcome = outcome;
    if (outcome.plot) m_plot = outcome.plot;
    if (corrected && !outcome.field_text.empty()) {
        corrected->setText(QString::fromStdString(outcome.field_text));
    }
    Refresh();
}

void DistributionCalculatorWindow::ShowCurve(const CalculatorOutcome& outcome) {
    m_plot = outcome.plot;
    if (m_plot) {
        m_plot->marks.clear();
        m_plot->shaded.clear();
    }
    Refresh();
}

void DistributionCalculatorWindow::RensaClick() {
    for (const auto& [name, edit] : m_by_name) edit->setText(m_defaults[name]);
    m_outcome = {};
    Refresh();
}

// --- Sannolikheter -------------------------------------------------------------------------

NormalProbabilityWindow::NormalProbabilityWindow(Dialogs& dialogs, QWidget* parent)
    : DistributionCalculatorWindow(
          dialogs, WindowCaption("Normal distribution", "Normalfördelningen"), false, parent) {
    setObjectName("NormalProbabilityWindow");
    addField("MeanEdit", WindowCaption("True mean (μ)", "Väntevärde (μ)"));
    addField("SdEdit", WindowCaption("Standard deviation (σ)", "Standardavvikelse (σ)"));
    addField("FromEdit", WindowCaption("Interval: from", "Intervall: från"));
    addField("ToEdit", WindowCaption("to", "till"));
}

void NormalProbabilityWindow::BerakanClick() {
    Show(NormalProbability(
        {"", text("MeanEdit"), text("SdEdit"), text("FromEdit"), text("ToEdit")}));
}

TProbabilityWindow::TProbabilityWindow(Dialogs& dialogs, QWidget* parent)
    : DistributionCalculatorWindow(dialogs, WindowCaption("t-distribution", "t-fördelningen"),
                                   false, parent) {
    setObjectName("TProbabilityWindow");
    addField("CountEdit", WindowCaption("No of datapoints (n)", "Antal mätpunkter (n)"));
    addField("MeanEdit", WindowCaption("Mean (m)", "Medelvärde (m)"));
    addField("SdEdit", WindowCaption("Standard deviation (s)", "Standardavvikelse (s)"));
    addField("FromEdit", WindowCaption("Interval: from", "Intervall: från"));
    addField("ToEdit", WindowCaption("to", "till"));
}

void TProbabilityWindow::BerakanClick() {
    Show(TProbability(
        {text("CountEdit"), text("MeanEdit"), text("SdEdit"), text("FromEdit"), text("ToEdit")}));
}

// --- Statistiktabeller ---------------------------------------------------------------------

NormalTableWindow::NormalTableWindow(Dialogs& dialogs, QWidget* parent)
    : DistributionCalculatorWindow(
          dialogs, WindowCaption("Normal distribution", "Normalfördelningen"), true, parent) {
    setObjectName("NormalTableWindow");
    addField("ZEdit", "Area: z", {}, [this] { AreaClick(); });
    addField("AlphaEdit", QString::fromUtf8("Lambda: α"), {}, [this] { LambdaClick(); });
    AreaButton = new QPushButton("Area", InputGroup);
    AreaButton->setObjectName("AreaButton");
    LambdaButton = new QPushButton("Lambda", InputGroup);
    LambdaButton->setObjectName("LambdaButton");
    auto* grid = static_cast<QGridLayout*>(InputGroup->layout());
    grid->addWidget(AreaButton, 0, 2);
    grid->addWidget(LambdaButton, 1, 2);
    for (QPushButton* b : {AreaButton, LambdaButton}) b->setAutoDefault(false);
    connect(AreaButton, &QPushButton::clicked, this, [this] { AreaClick(); });
    connect(LambdaButton, &QPushButton::clicked, this, [this] { LambdaClick(); });
    ShowCurve(NormalArea("0"));
}

void NormalTableWindow::AreaClick() {
    m_lambda_last = false;
    Show(NormalArea(text("ZEdit")));
}

void NormalTableWindow::LambdaClick() {
    m_lambda_last = true;
    Show(NormalLambda(text("AlphaEdit")));
}

void NormalTableWindow::BerakanClick() {
    // Beräkna answers the side that holds a value, the one used last when both do.
    const bool z = !field("ZEdit")->text().trimmed().isEmpty();
    const bool alpha = !field("AlphaEdit")->text().trimmed().isEmpty();
    if (alpha && (!z || m_lambda_last)) {
        LambdaClick();
    } else {
        AreaClick();
    }
}

TTableWindow::TTableWindow(Dialogs& dialogs, QWidget* parent)
    : DistributionCalculatorWindow(dialogs, WindowCaption("t-function", "t-funktionen"), true,
                                   parent) {
    setObjectName("TTableWindow");
    addField("DfEdit", DegreesOfFreedomLabel(), "10");
    addField("AlphaEdit", QString::fromUtf8("α"));
    addPicture(":/formulas/t_distribution.png");
    ShowCurve(TTable("10", "0.05"));
}

void TTableWindow::BerakanClick() {
    BusyCursor busy;
    Show(TTable(text("DfEdit"), text("AlphaEdit")));
}

ChiSquareTableWindow::ChiSquareTableWindow(Dialogs& dialogs, QWidget* parent)
    : DistributionCalculatorWindow(dialogs, WindowCaption("X2-function", "X2-funktion"), true,
                                   parent) {
    setObjectName("ChiSquareTableWindow");
    addField("DfEdit", DegreesOfFreedomLabel(), "10");
    addField("AlphaEdit", QString::fromUtf8("α"));
    addPicture(":/formulas/chi_square_distribution.png");
    ShowCurve(ChiSquareTable("10", "0.05"));
}

void ChiSquareTableWindow::BerakanClick() {
    BusyCursor busy;
    Show(ChiSquareTable(text("DfEdit"), text("AlphaEdit")), field("AlphaEdit"));
}

FTableWindow::FTableWindow(Dialogs& dialogs, QWidget* parent)
    : DistributionCalculatorWindow(dialogs, WindowCaption("F-function", "F-funktionen"), true,
                                   parent) {
    setObjectName("FTableWindow");
    addField("Df1Edit",
             WindowCaption("Degrees of freedom: m (numerator)", "Antal frihetsgrader: m (täljare)"),
             "10");
    addField("Df2Edit", WindowCaption("n (denominator)", "n (nämnare)"), "10");
    addField("AlphaEdit", QString::fromUtf8("α"));
    addPicture(":/formulas/f_distribution.png");
    ShowCurve(FTable("10", "10", "0.05"));
}

void FTableWindow::BerakanClick() {
    BusyCursor busy;
    Show(FTable(text("Df1Edit"), text("Df2Edit"), text("AlphaEdit")));
}

SignedRankTableWindow::SignedRankTableWindow(Dialogs& dialogs, QWidget* parent)
    : DistributionCalculatorWindow(
          dialogs, WindowCaption("Wilcoxon signed rank test", "Wilcoxon teckentest"), true,
          parent) {
    setObjectName("SignedRankTableWindow");
    addField("CountEdit", WindowCaption("Number of changed values", "Antal förändrade värden"),
             "20");
    addField("RankSumEdit", WindowCaption("Rank sum", "Rangsumma"));
    CalculatorOutcome opening;
    opening.plot = SignedRankPlot(20, std::nullopt);
    ShowCurve(opening);
}

void SignedRankTableWindow::BerakanClick() {
    Show(SignedRankTable(text("CountEdit"), text("RankSumEdit")));
}

// --- Konfidensintervall --------------------------------------------------------------------

NormalConfidenceWindow::NormalConfidenceWindow(Dialogs& dialogs, QWidget* parent)
    : DistributionCalculatorWindow(
          dialogs, WindowCaption("Confidence interval", "Konfidensintervall"), false, parent) {
    setObjectName("NormalConfidenceWindow");
    addField("MeanEdit", WindowCaption("True mean (μ)", "Väntevärde (μ)"));
    addField("SdEdit", WindowCaption("Standard deviation (σ)", "Standardavvikelse (σ)"));
    addField("LevelEdit", WindowCaption("Confidence level (%)", "Konfidensnivå (%)"), "95");
}

void NormalConfidenceWindow::BerakanClick() {
    Show(NormalConfidence(text("MeanEdit"), text("SdEdit"), text("LevelEdit")), field("LevelEdit"));
}

TConfidenceWindow::TConfidenceWindow(Dialogs& dialogs, QWidget* parent)
    : DistributionCalculatorWindow(
          dialogs, WindowCaption("Confidence interval", "Konfidensintervall"), false, parent) {
    setObjectName("TConfidenceWindow");
    addField("MeanEdit", WindowCaption("Mean (m)", "Medelvärde (m)"));
    addField("SdEdit", WindowCaption("Standard deviation (s)", "Standardavvikelse (s)"));
    addField("CountEdit", WindowCaption("Number of data points (n)", "Antal mätvärden (n)"));
    addField("LevelEdit", WindowCaption("Confidence level (%)", "Konfidensnivå (%)"), "95");
}

void TConfidenceWindow::BerakanClick() {
    Show(TConfidence(text("MeanEdit"), text("SdEdit"), text("CountEdit"), text("LevelEdit")),
         field("LevelEdit"));
}

}  // namespace tabulon::ui

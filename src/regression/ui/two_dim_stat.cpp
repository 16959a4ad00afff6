// The regression window.
#include "regression/ui/two_dim_stat.h"

#include <QAction>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "base/language.h"
#include "graphs/axis_transform.h"
#include "graphs/dialogs.h"
#include "graphs/level_steps.h"
#include "graphs/ui/fonts.h"
#include "graphs/ui/level_control.h"
#include "graphs/ui/paint_box.h"
#include "graphs/ui/progress_run.h"
#include "numeric/number_text.h"
#include "regression/function_fit.h"
#include "regression/polynomial_fit.h"
#include "regression/regression_texts.h"
#include "regression/ui/reading_dialog.h"
#include "regression/ui/report_list_window.h"
#include "regression/ui/residual_window.h"

namespace tabulon::ui {
namespace {

constexpr int kMaxPointSize = 50;

int& PointSizeStore() {
    static int point_size = 3;
    return point_size;
}

Extended ArrowDelta(LevelArrow arrow) {
    switch (arrow) {
        case LevelArrow::LargeUp:
            return 0.01L;
        case LevelArrow::LargeDown:
            return -0.01L;
        case LevelArrow::SmallUp:
            return 0.001L;
        case LevelArrow::SmallDown:
            return -0.001L;
    }
    return 0;
}

// The control shows and keeps the level in percent, as every level control does; the window
// steps it as a fraction.
LevelRules RegressionLevelRules() {
    return {{{"95%", 95}, {"99%", 99}, {"99.9%", 99.9L}},
            [](Extended percent, LevelArrow arrow) {
                return 100 * StepLevel(percent / 100, ArrowDelta(arrow));
            },
            95};
}

std::string Joined(const std::vector<std::string>& lines, char end) {
    std::string text;
    for (const std::string& line : lines) text += line + end;
    return text;
}

QAction* AddItem(QMenu* menu, const char* name, std::string_view english,
                 std::string_view swedish) {
    QAction* action = menu->addAction(WindowCaption(english, swedish));
    action->setObjectName(name);
    return action;
}

QAction* AddToggle(QMenu* menu, const char* name, std::string_view english,
                   std::string_view swedish) {
    QAction* action = AddItem(menu, name, english, swedish);
    action->setCheckable(true);
    return action;
}

QMenu* AddMenu(QMenuBar* bar, const char* name, std::string_view english,
               std::string_view swedish) {
    QMenu* menu = bar->addMenu(WindowCaption(english, swedish));
    menu->setObjectName(name);
    return menu;
}

QMenu* AddSubmenu(QMenu* parent, const char* name, std::string_view english,
                  std::string_view swedish) {
    QMenu* menu = parent->addMenu(WindowCaption(english, swedish));
    menu->setObjectName(name);
    return menu;
}

}  // namespace

TTwoDimStat::TTwoDimStat(Dialogs& dialogs, std::shared_ptr<const RegressionData> data,
                         ResidualWriter writer, QWidget* parent)
    : TResultWindow(dialogs, parent), m_data(std::move(data)), m_writer(std::move(writer)) {
    setObjectName("TwoDimStat");
    setWindowTitle("XY-Grafik");
    m_view.PointSize = PointSizeStore();
    BuildMenus();

    auto* labels = new QHBoxLayout;
    EquationLabel = new QLabel(this);
    EquationLabel->setObjectName("EquationLabel");
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    QFont bigger = EquationLabel->font();
    bigger.setBold(true);
    EquationLabel->setFont(bigger);
    EquationLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    StatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A polynomial's equation and its status line can be wider than the window: they wrap
    // between the coefficients instead of being cut off.
    EquationLabel->setWordWrap(true);
    StatusLabel->setWordWrap(true);
    labels->addWidget(EquationLabel, 3);
    labels->addSpacing(24);
    labels->addWidget(StatusLabel, 2);
    topLayout()->addLayout(labels);
    enableLevelControl(RegressionLevelRules());

    auto* bottom = new QHBoxLayout;
    ReadingLabel = new QLabel(this);
    ReadingLabel->setObjectName("ReadingLabel");
    bottom->addWidget(ReadingLabel, 1);
    MemoOkButton = new QPushButton("OK", this);
    MemoOkButton->setObjectName("MemoOkButton");
    connect(MemoOkButton, &QPushButton::clicked, this, [this] { HideMemo(); });
    bottom->addWidget(MemoOkButton);
    ExitButton = makeExitButton();
    bottom->addWidget(ExitButton);
    bottomLayout()->addLayout(bottom);
    Memo1->hide();
    Memo1->setMaximumWidth(360);  // the report beside the plot, not instead of it
    MemoOkButton->hide();

    PaintBox1->installEventFilter(this);
    PaintBox1->setMouseTracking(true);
    resize(1000, 700);

    // At every opening: the least-squares line, the ranges on the data. When no line can be
    // drawn (all x equal) the points are still shown.
    FitOutcome fit = Fit(m_data, m_spec, level());
    m_model = std::move(fit.model);
    m_fit_refusal = fit.refusal;
    const QSize box = BoxSize();
    FitRangesToData(m_view, *m_data, m_model.get(), box.width(), box.height());
    Redraw();
}

TTwoDimStat::~TTwoDimStat() = default;

int TTwoDimStat::CurrentPointSize() {
    return PointSizeStore();
}

void TTwoDimStat::BuildMenus() {
    QMenuBar* bar = MainMenu1;
    auto on = [this](QAction* action, std::function<void()> command) {
        connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    };
    auto item = [this](QAction* action, RegressionItem what) {
        m_item_actions.emplace_back(action, what);
    };
    auto redraw_after = [this](std::function<void()> change) {
        return [this, change] {
            change();
            Redraw();
        };
    };

    Grafik3 = AddMenu(bar, "Grafik3", "Graphics", "Grafik");
    Funktionen1 = AddToggle(Grafik3, "Funktionen1", "The function", "Funktionen");
    Stodlinjer1 = AddToggle(Grafik3, "Stodlinjer1", "Grid lines", "Stödlinjer");
    Konfidensintervall1 =
        AddToggle(Grafik3, "Konfidensintervall1", "Confidence interval", "Konfidensintervall");
    VisaLODochLOQ1 = AddToggle(Grafik3, "VisaLODochLOQ1", "Show LOD and LOQ", "Visa LOD och LOQ");
    Visaradnummer1 = AddToggle(Grafik3, "Visaradnummer1", "Show row numbers", "Visa radnummer");
    Punktstorlek1 = AddItem(Grafik3, "Punktstorlek1", "Point size", "Punktstorlek");
    Bytplats1 = AddItem(Grafik3, "Bytplats1", "Swap x and y", "Byt plats på x och y");
    Grafik3->addSeparator();
    Laggtilltext1 = AddToggle(Grafik3, "Laggtilltext1", "Add text", "Lägg till text");
    Flyttatext1 = AddToggle(Grafik3, "Flyttatext1", "Move text", "Flytta text");
    Andrafont1 =
        AddToggle(Grafik3, "Andrafont1", "Change font of the text", "Ändra font på texten");
    Tabortalltext1 = AddItem(Grafik3, "Tabortalltext1", "Remove all text", "Ta bort all text");
    Grafik3->addSeparator();
    Forstora1 = AddItem(Grafik3, "Forstora1", "Enlarge", "Förstora");
    Forminska1 = AddItem(Grafik3, "Forminska1", "Shrink", "Förminska");
    Zoomain1 = AddItem(Grafik3, "Zoomain1", "Zoom in", "zooma in");
    Zoomaut1 = AddItem(Grafik3, "Zoomaut1", "Zoom out", "zomma ut");
    Fontpaaxlar1 = AddItem(Grafik3, "Fontpaaxlar1", "Font on axes", "Font på axlar");
    Forstora1->setShortcuts({QKeySequence("+"), QKeySequence("=")});
    Forminska1->setShortcut(QKeySequence("-"));
    Zoomain1->setShortcut(QKeySequence("Ctrl+Z"));
    Zoomaut1->setShortcut(QKeySequence("Ctrl+S"));

    on(Funktionen1, redraw_after([this] { m_view.ShowFunction = Funktionen1->isChecked(); }));
    on(Stodlinjer1, redraw_after([this] { m_view.ShowGrid = Stodlinjer1->isChecked(); }));
    on(Konfidensintervall1,
       redraw_after([this] { m_view.ShowBands = Konfidensintervall1->isChecked(); }));
    on(VisaLODochLOQ1, redraw_after([this] { m_view.ShowLodLoq = VisaLODochLOQ1->isChecked(); }));
    on(Visaradnummer1,
       redraw_after([this] { m_view.ShowRowNumbers = Visaradnummer1->isChecked(); }));
    on(Punktstorlek1, [this] { PunktstorlekClick(); });
    on(Bytplats1, [this] { BytplatsClick(); });
    on(Laggtilltext1, [this] { SetMouseMode(PlotMouseMode::AddText); });
    on(Flyttatext1, [this] { SetMouseMode(PlotMouseMode::MoveText); });
    on(Andrafont1, [this] { SetMouseMode(PlotMouseMode::TextFont); });
    on(Tabortalltext1, [this] { TabortalltextClick(); });
    on(Forstora1, redraw_after([this] { Shrink(m_view, false); }));
    on(Forminska1, redraw_after([this] { Shrink(m_view, true); }));
    on(Zoomain1, redraw_after([this] { Zoom(m_view, true); }));
    on(Zoomaut1, redraw_after([this] { Zoom(m_view, false); }));
    on(Fontpaaxlar1, [this] { FontpaaxlarClick(); });
    item(VisaLODochLOQ1, RegressionItem::LodLoqMarks);
    item(Konfidensintervall1, RegressionItem::Bands);
    item(Funktionen1, RegressionItem::Function);

    Axlar1 = AddMenu(bar, "Axlar1", "Axes", "Axlar");
    Anpassa1 = AddItem(Axlar1, "Anpassa1", "Fit to the data", "Anpassa");
    Inkluderaorigo1 = AddItem(Axlar1, "Inkluderaorigo1", "Include the origin", "Inkludera origo");
    Inkluderay01 = AddItem(Axlar1, "Inkluderay01", "Include y=0", "Inkludera y=0");
    Inkluderax01 = AddItem(Axlar1, "Inkluderax01", "Include x=0", "Inkludera x=0");
    Egnavarden1 = AddItem(Axlar1, "Egnavarden1", "Own values", "Egna värden");
    Proportionerligt1 = AddToggle(Axlar1, "Proportionerligt1", "Proportional", "Proportionerligt");
    on(Anpassa1, [this] { AnpassaClick(); });
    on(Inkluderaorigo1, redraw_after([this] { IncludeZero(m_view, true, true); }));
    on(Inkluderay01, redraw_after([this] { IncludeZero(m_view, false, true); }));
    on(Inkluderax01, redraw_after([this] { IncludeZero(m_view, true, false); }));
    on(Egnavarden1, [this] { EgnavardenClick(); });
    on(Proportionerligt1, [this] { ProportionerligtClick(); });

    Berakna1 = AddMenu(bar, "Berakna1", "Calculate", "Beräkna");
    QMenu* yx = AddSubmenu(Berakna1, "yx1", "y(x)", "y(x)");
    YGrafiskt1 = AddToggle(yx, "YGrafiskt1", "Graphically", "Grafiskt");
    YManuellt1 = AddItem(yx, "YManuellt1", "Manually", "Manuellt");
    QMenu* xy = AddSubmenu(Berakna1, "xy1", "x(y)", "x(y)");
    XGrafiskt1 = AddToggle(xy, "XGrafiskt1", "Graphically", "Grafiskt");
    XManuellt1 = AddItem(xy, "XManuellt1", "Manually", "Manuellt");
    LOD1 = AddItem(Berakna1, "LOD1", "LOD - Detection limit", "LOD - Detektionsgräns");
    LOQ1 = AddItem(Berakna1, "LOQ1", "LOQ - Limit of quantification", "LOQ - Kvantifieringsgräns");
    Standardaddition1 =
        AddItem(Berakna1, "Standardaddition1", "Standard addition", "Standardaddition");
    Konfidensintervallkl1 =
        AddItem(Berakna1, "Konfidensintervallkl1", "Confidence interval - k and l",
                "Konfidensintervall - k och l");
    QMenu* residualer = AddSubmenu(Berakna1, "Residualer1", "Residuals", "Residualer");
    Visagrafiskt1 = AddItem(residualer, "Visagrafiskt1", "Show graphically", "Visa grafiskt");
    Visanumeriskt1 = AddItem(residualer, "Visanumeriskt1", "Show numerically", "Visa numeriskt");
    Laggtilldatafaltet1 = AddItem(residualer, "Laggtilldatafaltet1", "Add to the worksheet",
                                  "Lägg till i datafältet");
    Laggtillkvadraterna1 =
        AddItem(residualer, "Laggtillkvadraterna1", "Add the squares to the worksheet",
                "Lägg till kvadraterna i datafältet");
    Regressionsparametrar1 = AddItem(Berakna1, "Regressionsparametrar1", "Regression parameters",
                                     "Regressionsparametrar");
    Homoskedasticitet1 =
        AddItem(Berakna1, "Homoskedasticitet1", "Homoscedasticity", "Homoskedasticitet");
    Felforsta1 =
        AddItem(Berakna1, "Felforsta1", "Error of the first kind", "Fel av första ordningen");
    Felandra1 =
        AddItem(Berakna1, "Felandra1", "Error of the second kind", "Fel av andra ordningen");
    Kurvatur1 = AddSubmenu(Berakna1, "Kurvatur1", "Curvature", "Kurvatur");
    Kurvaturpolynom1 = AddItem(Kurvatur1, "Kurvaturpolynom1", "y=a0+a1x+a2x^2", "y=a0+a1x+a2x^2");
    Kurvaturalfa1 = AddItem(Kurvatur1, "Kurvaturalfa1", "y=a1*x^alfa+a0", "y=a1*x^alfa+a0");
    on(Kurvaturpolynom1, [this] { CurvatureClick(); });
    on(Kurvaturalfa1, [this] { PowerLawClick(); });
    RMS1 = AddItem(Berakna1, "RMS1", "RMS", "RMS");
    Visaxyvardena1 =
        AddItem(Berakna1, "Visaxyvardena1", "Show (x,y) - values", "Visa (x,y) - värdena");
    on(YGrafiskt1, [this] { SetMouseMode(PlotMouseMode::ReadY); });
    on(XGrafiskt1, [this] { SetMouseMode(PlotMouseMode::ReadX); });
    on(YManuellt1, [this] { ReadingClick(true); });
    on(XManuellt1, [this] { ReadingClick(false); });
    on(Visagrafiskt1, [this] { ResidualGraphClick(); });
    on(Laggtilldatafaltet1, [this] { AddResidualsClick(false); });
    on(Laggtillkvadraterna1, [this] { AddResidualsClick(true); });
    on(Visaxyvardena1, [this] { VisaxyvardenaClick(); });
    const std::pair<QAction*, RegressionItem> reports[] = {
        {LOD1, RegressionItem::Lod},
        {LOQ1, RegressionItem::Loq},
        {Standardaddition1, RegressionItem::StandardAddition},
        {Konfidensintervallkl1, RegressionItem::ConfidenceKL},
        {Visanumeriskt1, RegressionItem::Residuals},
        {Regressionsparametrar1, RegressionItem::Parameters},
        {Homoskedasticitet1, RegressionItem::Homoscedasticity},
        {Felforsta1, RegressionItem::FirstKindError},
        {Felandra1, RegressionItem::SecondKindError},
        {RMS1, RegressionItem::Rms},
    };
    for (const auto& [action, what] : reports) {
        const RegressionItem report = what;
        on(action, [this, report] { ShowReport(report); });
        item(action, what);
    }
    item(YGrafiskt1, RegressionItem::YFromX);
    item(YManuellt1, RegressionItem::YFromX);
    item(XGrafiskt1, RegressionItem::XFromY);
    item(XManuellt1, RegressionItem::XFromY);
    item(Visagrafiskt1, RegressionItem::Residuals);
    item(Laggtilldatafaltet1, RegressionItem::Residuals);
    item(Laggtillkvadraterna1, RegressionItem::Residuals);

    Polynom1 = AddMenu(bar, "Polynom1", "Polynomial", "Polynom");
    Forstagraden1 = AddToggle(Polynom1, "Forstagraden1", "1st degree", "1:a graden");
    Tvingagenomorigo1 =
        AddToggle(Polynom1, "Tvingagenomorigo1", "Force through the origin", "Tvinga genom Origo");
    Polynomgrad1 =
        AddToggle(Polynom1, "Polynomgrad1", "2nd-10th degree", "2:a-10:de graden");
    Viktadregression1 =
        AddToggle(Polynom1, "Viktadregression1", "Weighted regression", "Viktad regression");
    Polynom1->addAction(Tvingagenomorigo1);  // last, as the menu has always ended
    on(Forstagraden1, [this] { FitClick(FitType::LeastSquares); });
    on(Polynomgrad1, [this] { PolynomialOptionsClick(false); });
    on(Viktadregression1, [this] { PolynomialOptionsClick(true); });
    on(Tvingagenomorigo1, [this] { OriginClick(); });

    // The linear fits beside the least-squares line; kept in view, since a fixed slope or
    // intercept and the weighted lines are everyday calibration work.
    Linjart1 = AddMenu(bar, "Linjart1", "Linear", "Linjärt");
    Minstakvadratmetoden1 =
        AddToggle(Linjart1, "Minstakvadratmetoden1", "Least squares", "Minsta kvadratmetoden");
    Fixeralutningen1 = AddToggle(Linjart1, "Fixeralutningen1", "Fix the slope", "Fixera lutningen");
    Fixeraskarningen1 =
        AddToggle(Linjart1, "Fixeraskarningen1", "Fix the intercept with the y-axis",
                  "Fixera skärningen med y-axeln");
    Viktadmultipla1 =
        AddToggle(Linjart1, "Viktadmultipla1", "Weighted regression - Multiple y-values",
                  "Viktad regression - Multipla y-värden");
    Viktad1x1 =
        AddToggle(Linjart1, "Viktad1x1", "Weighted regression 1/x", "Viktad regression 1/x");
    on(Minstakvadratmetoden1, [this] { FitClick(FitType::LeastSquares); });
    on(Fixeralutningen1, [this] { FixedValueClick(FitType::FixedSlope); });
    on(Fixeraskarningen1, [this] { FixedValueClick(FitType::FixedIntercept); });
    on(Viktadmultipla1, [this] { FitClick(FitType::WeightedMultipleY); });
    on(Viktad1x1, [this] { FitClick(FitType::WeightedInverseX); });

    Funktioner1 = AddMenu(bar, "Funktioner1", "Functions", "Funktioner");
    Yfx1 = AddToggle(Funktioner1, "Yfx1", "y=f(x)", "y=f(x)");
    Yaxb1 = AddToggle(Funktioner1, "Yaxb1", "y=ax^b", "y=ax^b");
    Yaebx1 = AddToggle(Funktioner1, "Yaebx1", "y=ae^(bx)", "y=ae^(bx)");
    Yalnxb1 = AddToggle(Funktioner1, "Yalnxb1", "y=alnx+b", "y=alnx+b");
    Yaxnb1 = AddToggle(Funktioner1, "Yaxnb1", "y=ax^n+b", "y=ax^n+b");
    on(Yfx1, [this] { OwnFunctionClick(); });
    on(Yaxb1, [this] { FunctionClick(FunctionKind::Power); });
    on(Yaebx1, [this] { FunctionClick(FunctionKind::Exponential); });
    on(Yalnxb1, [this] { FunctionClick(FunctionKind::Logarithmic); });
    on(Yaxnb1, [this] { PowerLawClick(); });
    Punkttillpunkt1 =
        AddToggle(Funktioner1, "Punkttillpunkt1", "Point to point", "Punkt till punkt");
    on(Punkttillpunkt1, [this] { FitClick(FitType::PointToPoint); });

    Signifikanser1 = AddMenu(bar, "Signifikanser1", "Significances", "Signifikanser");
    Regression1 = AddItem(Signifikanser1, "Regression1", "Regression", "Regression");
    Outliers1 = AddItem(Signifikanser1, "Outliers1", "Outliers", "Outliers");
    on(Regression1, [this] { SignificanceClick(); });
    on(Outliers1, [this] { ShowReport(RegressionItem::Outliers); });
    item(Regression1, RegressionItem::Significance);
    item(Outliers1, RegressionItem::Outliers);

    Kontrollkort1 = AddMenu(bar, "Kontrollkort1", "Control chart", "Kontrollkort");
    Basdata1 = AddToggle(Kontrollkort1, "Basdata1", "Base data", "Basdata");
    on(Basdata1, [this] {
        FitClick(FitType::ControlChart);
        if (m_spec.type == FitType::ControlChart) ShowReport(RegressionItem::ControlChartBase);
    });
}

Extended TTwoDimStat::level() const {
    return levelControl()->level() / 100;
}

QSize TTwoDimStat::BoxSize() const {
    return graphSize();
}

void TTwoDimStat::Run(const std::function<void()>& command) {
    // A menu command of this window ends as the main window's do: a refusal is shown, the
    // window stays as it was.
    try {
        command();
    } catch (const std::exception& e) {
        dialogs().ShowMessage(e.what());
        UpdateMenus();  // a check mark the click toggled goes back
    }
}

bool TTwoDimStat::Refit(const FitSpec& spec) {
    FitOutcome fit = Fit(m_data, spec, level());
    if (!fit.model) {
        dialogs().ShowInfo(fit.refusal);
        return false;
    }
    m_model = std::move(fit.model);
    m_fit_refusal.clear();
    m_spec = spec;
    m_reports.clear();
    if (m_memo_is_significance) HideMemo();
    return true;
}

void TTwoDimStat::Recompute() {
    // Every change of the level shows the bands it is the level of.
    m_view.ShowBands = true;
    if (m_model) m_model->SetLevel(level());
    m_reports.clear();
    if (m_memo_is_significance && m_model) {
        const auto report = m_model->Report(RegressionItem::Significance);
        m_memo = report ? report->lines : std::vector<std::string>{};
    }
    UpdateMenus();
}

void TTwoDimStat::Redraw() {
    UpdateMenus();
    Refresh();
}

void TTwoDimStat::UpdateMenus() {
    const FittedModel* model = m_model.get();
    for (const auto& [action, what] : m_item_actions) {
        action->setEnabled(model && model->Supports(what));
    }
    if (!m_writer) {
        Laggtilldatafaltet1->setEnabled(false);
        Laggtillkvadraterna1->setEnabled(false);
    }
    Funktionen1->setChecked(m_view.ShowFunction);
    Stodlinjer1->setChecked(m_view.ShowGrid);
    Konfidensintervall1->setChecked(m_view.ShowBands);
    VisaLODochLOQ1->setChecked(m_view.ShowLodLoq);
    Visaradnummer1->setChecked(m_view.ShowRowNumbers);
    Proportionerligt1->setChecked(m_view.Proportional);
    const FitType type = m_spec.type;
    Forstagraden1->setChecked(type == FitType::LeastSquares);
    Minstakvadratmetoden1->setChecked(type == FitType::LeastSquares);
    Tvingagenomorigo1->setChecked(type == FitType::Origin);
    Fixeralutningen1->setChecked(type == FitType::FixedSlope);
    Fixeraskarningen1->setChecked(type == FitType::FixedIntercept);
    Viktadmultipla1->setChecked(type == FitType::WeightedMultipleY);
    Viktad1x1->setChecked(type == FitType::WeightedInverseX);
    Punkttillpunkt1->setChecked(type == FitType::PointToPoint);
    const bool polynomial = type == FitType::Polynomial || type == FitType::WeightedPolynomial;
    Polynomgrad1->setChecked(polynomial && m_spec.weight == PolynomialWeight::None);
    Viktadregression1->setChecked(polynomial && m_spec.weight != PolynomialWeight::None);
    const auto function = [&](FunctionKind kind) {
        return type == FitType::NamedFunction && m_spec.function == kind;
    };
    Yfx1->setChecked(type == FitType::OwnFunction);
    Yaxb1->setChecked(function(FunctionKind::Power));
    Yaebx1->setChecked(function(FunctionKind::Exponential));
    Yalnxb1->setChecked(function(FunctionKind::Logarithmic));
    Yaxnb1->setChecked(function(FunctionKind::PowerOffset));
    Basdata1->setChecked(type == FitType::ControlChart);
    YGrafiskt1->setChecked(m_mouse_mode == PlotMouseMode::ReadY);
    XGrafiskt1->setChecked(m_mouse_mode == PlotMouseMode::ReadX);
    Laggtilltext1->setChecked(m_mouse_mode == PlotMouseMode::AddText);
    Flyttatext1->setChecked(m_mouse_mode == PlotMouseMode::MoveText);
    Andrafont1->setChecked(m_mouse_mode == PlotMouseMode::TextFont);

    EquationLabel->setText(QString::fromStdString(model ? model->EquationText() : m_fit_refusal));
    StatusLabel->setText(QString::fromStdString(model ? model->StatusLine()
                                                      : "n = " + std::to_string(m_data->size())));
}

QString TTwoDimStat::equationText() const {
    return EquationLabel->text();
}
QString TTwoDimStat::statusText() const {
    return StatusLabel->text();
}
QString TTwoDimStat::readingText() const {
    return ReadingLabel->text();
}
bool TTwoDimStat::memoShown() const {
    return !Memo1->isHidden();
}

std::string TTwoDimStat::ResultText() {
    return Joined(PrintLines(), '\r');
}

std::vector<std::string> TTwoDimStat::PrintLines() {
    std::vector<ReportText> reports = m_reports;
    if (m_memo_is_significance && m_model) {
        if (auto report = m_model->Report(RegressionItem::Significance)) {
            reports.push_back(std::move(*report));
        }
    }
    return RegressionTextLines(*m_data, m_model.get(), level(), reports);
}

std::string TTwoDimStat::DisplayText() {
    return Joined(m_memo, '\n');
}

void TTwoDimStat::RenderGraph(Canvas& canvas, int width, int height) {
    const TextMeasurer measure = MeasurerFor(canvas, width, height);
    const RegressionGraphLayout layout =
        RenderRegressionGraph(canvas, width, height, *m_data, m_model.get(), m_view, &measure);
    // The mouse commands read pixels against the picture on screen; copies and printouts of
    // other sizes must not move it.
    if (QSize(width, height) == PaintBox1->size()) m_layout = layout;
}

void TTwoDimStat::ShowMemo(std::vector<std::string> lines) {
    m_memo = std::move(lines);
    Memo1->show();
    MemoOkButton->show();
    Refresh();
}

void TTwoDimStat::HideMemo() {
    m_memo.clear();
    m_memo_is_significance = false;
    Memo1->hide();
    MemoOkButton->hide();
    Refresh();
}

void TTwoDimStat::RememberReport(ReportText report) {
    for (ReportText& r : m_reports) {
        if (r.caption == report.caption) {
            r = std::move(report);
            return;
        }
    }
    m_reports.push_back(std::move(report));
}

void TTwoDimStat::PunktstorlekClick() {
    const std::string current = std::to_string(m_view.PointSize);
    const std::string answer = dialogs().InputBox(
        WindowCaption("Point size", "Punktstorlek").toStdString(),
        ChooseText("Point size (present=", "Punktstorlek (Nuv=") + current + ")", current);
    const int size = StrToInteger(answer);
    if (size < 1 || size > kMaxPointSize) {
        dialogs().ShowInfo(ChooseText("The point size is a whole number from 1 to 50",
                                      "Punktstorleken är ett heltal från 1 till 50"));
        return;
    }
    m_view.PointSize = size;
    PointSizeStore() = size;
    Redraw();
}

void TTwoDimStat::BytplatsClick() {
    m_data = SwapXY(*m_data);
    // The fit is made again on the swapped points; when they do not allow it (a weighting
    // that needs several y per x) the least-squares line takes its place.
    FitOutcome fit = Fit(m_data, m_spec, level());
    if (!fit.model && m_spec.type != FitType::LeastSquares) {
        const Extended fixed = m_spec.fixed_value;
        m_spec = FitSpec{};
        m_spec.fixed_value = fixed;
        fit = Fit(m_data, m_spec, level());
    }
    m_model = std::move(fit.model);
    m_fit_refusal = fit.refusal;
    m_reports.clear();
    if (!m_memo.empty()) HideMemo();
    const QSize box = BoxSize();
    FitRangesToData(m_view, *m_data, m_model.get(), box.width(), box.height());
    Redraw();
}

void TTwoDimStat::TabortalltextClick() {
    m_view.texts.clear();
    Redraw();
}

void TTwoDimStat::AnpassaClick() {
    const QSize box = BoxSize();
    FitRangesToData(m_view, *m_data, m_model.get(), box.width(), box.height());
    Redraw();
}

void TTwoDimStat::EgnavardenClick() {
    const char sep = DecimalSeparator();
    const QSize box = BoxSize();
    DataRanges data_range;
    {
        RegressionViewOptions fitted = m_view;
        fitted.Proportional = false;
        FitRangesToData(fitted, *m_data, m_model.get(), box.width(), box.height());
        data_range = {fitted.XMin, fitted.XMax, fitted.YMin, fitted.YMax};
    }
    for (const bool x_axis : {false, true}) {
        ScaleChoice current;
        current.maximum = OwnRangeText(x_axis ? m_view.XMax : m_view.YMax);
        current.minimum = OwnRangeText(x_axis ? m_view.XMin : m_view.YMin);
        current.title = x_axis ? WindowCaption("X-axis", "X-axeln").toStdString()
                               : WindowCaption("Y-axis", "Y-axeln").toStdString();
        const std::optional<ScaleChoice> answer = dialogs().SelectScale(current);
        if (!answer) break;
        if (answer->automatic) {
            (x_axis ? m_view.XMin : m_view.YMin) = x_axis ? data_range.XMin : data_range.YMin;
            (x_axis ? m_view.XMax : m_view.YMax) = x_axis ? data_range.XMax : data_range.YMax;
        } else {
            // Anything but two numbers with the maximum above the minimum keeps the old range.
            SetOwnRange(m_view, x_axis, answer->minimum, answer->maximum, sep);
        }
    }
    Redraw();
}

void TTwoDimStat::ProportionerligtClick() {
    m_view.Proportional = Proportionerligt1->isChecked();
    const QSize box = BoxSize();
    if (m_view.Proportional) {
        MakeProportional(m_view, box.width(), box.height());
    } else {
        FitRangesToData(m_view, *m_data, m_model.get(), box.width(), box.height());
    }
    Redraw();
}

void TTwoDimStat::FontpaaxlarClick() {
    if (const auto font = dialogs().ChooseFont(m_view.axis_font)) {
        m_view.axis_font = *font;
        Redraw();
    }
}

void TTwoDimStat::ShowReport(RegressionItem item) {
    if (!m_model || !m_model->Supports(item)) return;
    std::optional<ReportText> report = m_model->Report(item);
    if (!report) return;
    RememberReport(*report);
    ShowModal(new ReportListWindow(dialogs(), std::move(*report), this));
}

void TTwoDimStat::SignificanceClick() {
    if (!m_model || !m_model->Supports(RegressionItem::Significance)) return;
    // The report speaks of the bands, so they are shown with it.
    m_view.ShowBands = true;
    const auto report = m_model->Report(RegressionItem::Significance);
    m_memo_is_significance = true;
    ShowMemo(report ? report->lines : std::vector<std::string>{});
    UpdateMenus();
}

void TTwoDimStat::ReadingClick(bool y_from_x) {
    const RegressionItem needed = y_from_x ? RegressionItem::YFromX : RegressionItem::XFromY;
    if (!m_model || !m_model->Supports(needed)) return;
    ShowModal(new CalibrationReadingDialog(
        dialogs(), y_from_x, [this] { return model(); }, this));
}

void TTwoDimStat::ResidualGraphClick() {
    if (!m_model || !m_model->Supports(RegressionItem::Residuals)) return;
    ShowModal(new ResidualWindow(dialogs(), *m_model, m_view.PointSize, this));
}

void TTwoDimStat::AddResidualsClick(bool squares) {
    if (!m_writer || !m_model || !m_model->Supports(RegressionItem::Residuals)) return;
    const std::string refusal = m_writer(*m_data, m_model->Residuals(), squares);
    if (!refusal.empty()) dialogs().ShowInfo(refusal);
}

void TTwoDimStat::VisaxyvardenaClick() {
    m_memo_is_significance = false;
    ShowMemo(XYValueLines(*m_data));
}

void TTwoDimStat::FitClick(FitType type) {
    FitSpec spec = m_spec;
    spec.type = type;
    Refit(spec);
    Redraw();
}

void TTwoDimStat::FixedValueClick(FitType type) {
    const bool slope = type == FitType::FixedSlope;
    const KXAnswer answer =
        dialogs().KXDialog(slope ? ChooseText("Indicate the slope", "Ange lutningen")
                                 : ChooseText("Indicate the intercept", "Ange skärningspunkten"),
                           FormatShortest(m_spec.fixed_value, DecimalSeparator()));
    if (!answer.ok) {
        UpdateMenus();  // the check mark the click toggled goes back
        return;
    }
    const Extended value = StrToNumber(answer.answer, DecimalSeparator());
    FitSpec spec;
    spec.type = type;
    spec.fixed_value = value;
    Refit(spec);
    Redraw();
}

void TTwoDimStat::OriginClick() {
    FitClick(m_spec.type == FitType::Origin ? FitType::LeastSquares : FitType::Origin);
}

void TTwoDimStat::PolynomialOptionsClick(bool weighted) {
    const bool polynomial =
        m_spec.type == FitType::Polynomial || m_spec.type == FitType::WeightedPolynomial;
    PolynomialOptions preset;
    preset.degree = polynomial ? m_spec.degree : (weighted ? 1 : 2);
    preset.weight = polynomial ? static_cast<int>(m_spec.weight) : 0;
    preset.through_origin = polynomial && m_spec.through_origin;
    const auto chosen = dialogs().ChoosePolynomialOptions(preset);
    if (!chosen) {
        UpdateMenus();  // the check mark the click toggled goes back
        return;
    }
    FitSpec spec = m_spec;
    spec.degree = std::clamp(chosen->degree, 1, 10);
    spec.weight = static_cast<PolynomialWeight>(std::clamp(chosen->weight, 0, 4));
    spec.through_origin = chosen->through_origin;
    spec.curvature = false;
    spec.type = spec.weight == PolynomialWeight::None && !spec.through_origin
                    ? FitType::Polynomial
                    : FitType::WeightedPolynomial;
    Refit(spec);
    Redraw();
}

void TTwoDimStat::FunctionClick(FunctionKind kind) {
    FitSpec spec = m_spec;
    spec.type = FitType::NamedFunction;
    spec.function = kind;
    spec.exponent.reset();
    Refit(spec);
    Redraw();
}

void TTwoDimStat::PowerLawClick() {
    std::optional<Extended> exponent;
    const std::shared_ptr<const RegressionData> data = m_data;
    ProgressRun run;
    run.parent = this;
    run.caption = WindowCaption("Searching for the exponent n", "Söker exponenten n");
    run.on_started = onSearchStarted;
    const bool done = RunWithProgress(run, [&](ProgressSignals& progress) {
        exponent = SearchExponent(
            *data, [&] { return progress.cancel.load(); }, progress.report);
    });
    if (!done) {
        UpdateMenus();  // cancelled: the window keeps its fit
        return;
    }
    FitSpec spec = m_spec;
    spec.type = FitType::NamedFunction;
    spec.function = FunctionKind::PowerOffset;
    // When not even n = 1 can be fitted, the fit with it gives the reason.
    spec.exponent = exponent.value_or(1);
    Refit(spec);
    Redraw();
}

void TTwoDimStat::OwnFunctionClick() {
    std::vector<std::string> names(OwnTermNames().begin(), OwnTermNames().end());
    const unsigned preset = m_spec.terms != 0 ? m_spec.terms : 0b11u;  // 1 and x
    const auto ticked = dialogs().ChooseFunctionTerms(names, preset);
    if (!ticked) {
        UpdateMenus();
        return;
    }
    FitSpec spec = m_spec;
    spec.type = FitType::OwnFunction;
    spec.terms = *ticked;
    Refit(spec);
    Redraw();
}

void TTwoDimStat::CurvatureClick() {
    FitSpec spec = m_spec;
    spec.type = FitType::Polynomial;
    spec.degree = 2;
    spec.weight = PolynomialWeight::None;
    spec.through_origin = false;
    spec.curvature = true;
    Refit(spec);
    Redraw();
}

void TTwoDimStat::SetMouseMode(PlotMouseMode mode) {
    m_mouse_mode = m_mouse_mode == mode ? PlotMouseMode::None : mode;
    m_dragged_text = -1;
    switch (m_mouse_mode) {
        case PlotMouseMode::AddText:
            ReadingLabel->setText(WindowCaption("Right-click where the text is to be placed",
                                                "Högerklicka där texten skall placeras"));
            break;
        case PlotMouseMode::MoveText:
            ReadingLabel->setText(WindowCaption("Drag the text with the left mouse button",
                                                "Dra texten med vänstra musknappen"));
            break;
        case PlotMouseMode::TextFont:
            ReadingLabel->setText(
                WindowCaption("Right-click on the text", "Högerklicka på texten"));
            break;
        case PlotMouseMode::ReadY:
        case PlotMouseMode::ReadX:
            ReadingLabel->setText(WindowCaption("Move the mouse over the graph; click to stop",
                                                "Flytta musen över grafen; klicka för att sluta"));
            break;
        case PlotMouseMode::None:
            ReadingLabel->clear();
            break;
    }
    UpdateMenus();
}

bool TTwoDimStat::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PaintBox1) {
        switch (event->type()) {
            case QEvent::MouseButtonPress: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                Run([&] { PlotPressed(mouse->position().toPoint(), mouse->button()); });
                break;
            }
            case QEvent::MouseMove:
                PlotMoved(static_cast<QMouseEvent*>(event)->position().toPoint());
                break;
            case QEvent::MouseButtonRelease:
                PlotReleased();
                break;
            default:
                break;
        }
    }
    return TResultWindow::eventFilter(watched, event);
}

int TTwoDimStat::TextAt(QPoint pixel) const {
    if (!m_layout.valid) return -1;
    // The last text placed lies on top, so it is the one taken.
    for (int i = static_cast<int>(m_view.texts.size()) - 1; i >= 0; --i) {
        const GraphText& text = m_view.texts[static_cast<std::size_t>(i)];
        const QFontMetrics metrics(FromFontSpec(text.font), PaintBox1);
        const QPoint top_left(XToPixel(m_layout.transform, text.x),
                              YToPixel(m_layout.transform, text.y));
        const QRect box(
            top_left,
            QSize(metrics.horizontalAdvance(QString::fromStdString(text.text)), metrics.height()));
        if (box.adjusted(-3, -3, 3, 3).contains(pixel)) return i;
    }
    return -1;
}

void TTwoDimStat::PlotPressed(QPoint pixel, Qt::MouseButton button) {
    if (!m_layout.valid) return;
    const TAxisTransform& t = m_layout.transform;
    switch (m_mouse_mode) {
        case PlotMouseMode::AddText: {
            if (button != Qt::RightButton) return;
            const std::optional<CaptionChoice> caption =
                dialogs().CaptionText(CaptionChoice{"", m_view.axis_font});
            if (caption && !caption->text.empty()) {
                m_view.texts.push_back(GraphText{caption->text, PixelToX(pixel.x(), t),
                                                 PixelToY(pixel.y(), t), caption->font});
            }
            SetMouseMode(PlotMouseMode::None);
            Refresh();
            return;
        }
        case PlotMouseMode::MoveText: {
            if (button != Qt::LeftButton) return;
            m_dragged_text = TextAt(pixel);
            if (m_dragged_text < 0) return;
            const GraphText& text = m_view.texts[static_cast<std::size_t>(m_dragged_text)];
            m_drag_offset = pixel - QPoint(XToPixel(t, text.x), YToPixel(t, text.y));
            return;
        }
        case PlotMouseMode::TextFont: {
            if (button != Qt::RightButton) return;
            const int index = TextAt(pixel);
            if (index < 0) return;
            GraphText& text = m_view.texts[static_cast<std::size_t>(index)];
            if (const auto font = dialogs().ChooseFont(text.font)) text.font = *font;
            SetMouseMode(PlotMouseMode::None);
            Refresh();
            return;
        }
        case PlotMouseMode::ReadY:
        case PlotMouseMode::ReadX: {
            // The click ends the reading and leaves the last one in view.
            PlotMoved(pixel);
            const QString reading = ReadingLabel->text();
            m_mouse_mode = PlotMouseMode::None;
            UpdateMenus();
            ReadingLabel->setText(reading);
            return;
        }
        case PlotMouseMode::None:
            return;
    }
}

void TTwoDimStat::PlotMoved(QPoint pixel) {
    if (!m_layout.valid) return;
    const TAxisTransform& t = m_layout.transform;
    if (m_dragged_text >= 0 && m_dragged_text < static_cast<int>(m_view.texts.size())) {
        GraphText& text = m_view.texts[static_cast<std::size_t>(m_dragged_text)];
        const QPoint corner = pixel - m_drag_offset;
        text.x = PixelToX(corner.x(), t);
        text.y = PixelToY(corner.y(), t);
        PaintBox1->update();
        return;
    }
    if (!m_model) return;
    if (m_mouse_mode == PlotMouseMode::ReadY) {
        const Extended x = PixelToX(pixel.x(), t);
        const YFromXResult r = m_model->YFromX(x);
        std::string text = "x=" + FormatG4(x) + "    y^=" + FormatG4(r.y);
        if (r.has_interval) {
            text += "±" + FormatG4(r.line_half_width) + "    y=" + FormatG4(r.y) + "±" +
                    FormatG4(r.point_half_width);
        }
        ReadingLabel->setText(QString::fromStdString(text));
    } else if (m_mouse_mode == PlotMouseMode::ReadX) {
        const Extended y = PixelToY(pixel.y(), t);
        const XFromYResult r = m_model->XFromY(y, 1);
        std::string text = "y=" + FormatG4(y) + "    ";
        if (r.ok) {
            text += "x=" + FormatG4(r.x);
            if (r.half_width) text += "±" + FormatG4(*r.half_width);
        } else {
            text += r.message;
        }
        ReadingLabel->setText(QString::fromStdString(text));
    }
}

void TTwoDimStat::PlotReleased() {
    if (m_dragged_text < 0) return;
    m_dragged_text = -1;
    PaintBox1->update();
}

}  // namespace tabulon::ui

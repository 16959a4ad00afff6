// The calibration model's window and its residual plot.
#include "multivariate/ui/mlr_window.h"

#include <QAction>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "base/language.h"
#include "graphs/bar_chart.h"
#include "graphs/ui/bar_chart_window.h"
#include "graphs/ui/paint_box.h"
#include "numeric/number_text.h"
#include "regression/regression_data.h"
#include "regression/ui/two_dim_stat.h"
#include "univariate/descriptive_sample.h"
#include "univariate/normal_plot.h"
#include "univariate/ui/normal_plot_window.h"
#include "univariate/ui/xdata_window.h"

namespace tabulon::ui {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// A small plot's frame and its mapping of values to pixels.
struct PlotFrame {
    Rect box;
    Extended x0 = 0, x1 = 1, y0 = 0, y1 = 1;
    int X(Extended x) const {
        return box.left +
               static_cast<int>(std::lround((x - x0) / (x1 - x0) * (box.right - box.left)));
    }
    int Y(Extended y) const {
        return box.bottom -
               static_cast<int>(std::lround((y - y0) / (y1 - y0) * (box.bottom - box.top)));
    }
};

// The range with a twentieth of room on each side; a single value gets a unit around it.
std::pair<Extended, Extended> Padded(Extended lo, Extended hi) {
    if (!(hi > lo)) return {lo - 1, hi + 1};
    const Extended pad = (hi - lo) / 20;
    return {lo - pad, hi + pad};
}

// Frame, the two end values of each axis and the axis names.
PlotFrame DrawFrame(Canvas& canvas, Rect box, std::pair<Extended, Extended> xs,
                    std::pair<Extended, Extended> ys, const std::string& x_name,
                    const std::string& y_name) {
    const char sep = DecimalSeparator();
    PlotFrame f{box, xs.first, xs.second, ys.first, ys.second};
    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.DrawRectangle(box);
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    canvas.DrawText({box.left, box.bottom + 3}, FormatGeneral(f.x0, 3, 1, sep));
    canvas.SetTextAlign({HAlign::Right, VAlign::Top});
    canvas.DrawText({box.right, box.bottom + 3}, FormatGeneral(f.x1, 3, 1, sep));
    canvas.SetTextAlign({HAlign::Center, VAlign::Top});
    canvas.DrawText({(box.left + box.right) / 2, box.bottom + 3}, x_name);
    canvas.SetTextAlign({HAlign::Right, VAlign::Bottom});
    canvas.DrawText({box.left - 3, box.bottom}, FormatGeneral(f.y0, 3, 1, sep));
    canvas.SetTextAlign({HAlign::Right, VAlign::Top});
    canvas.DrawText({box.left - 3, box.top}, FormatGeneral(f.y1, 3, 1, sep));
    canvas.SetTextAlign({HAlign::Left, VAlign::Bottom});
    canvas.DrawText({box.left, box.top - 3}, y_name);
    return f;
}

// The residuals as vertical bars from zero at their row numbers.
void DrawResidualBars(Canvas& canvas, Rect box, const std::vector<int>& numbers,
                      const std::vector<Extended>& residuals) {
    if (numbers.empty()) return;
    const auto [nlo, nhi] = std::minmax_element(numbers.begin(), numbers.end());
    Extended rmax = 0;
    for (Extended r : residuals) rmax = std::max(rmax, std::fabs(r));
    if (!(rmax > 0)) rmax = 1;
    const PlotFrame f = DrawFrame(canvas, box, {Extended(*nlo) - 1, Extended(*nhi) + 1},
                                  {-rmax * 1.1L, rmax * 1.1L}, ChooseText("No", "Nr"),
                                  ChooseText("Residuals", "Residualer"));
    canvas.SetPen({colors::kGrey, 1, PenStyle::Dot});
    canvas.DrawLine({box.left, f.Y(0)}, {box.right, f.Y(0)});
    canvas.SetPen({colors::kBlue, 3, PenStyle::Solid});
    for (std::size_t i = 0; i < residuals.size(); ++i) {
        const int x = f.X(numbers[i]);
        canvas.DrawLine({x, f.Y(0)}, {x, f.Y(residuals[i])});
    }
}

// Characters, not bytes: the labels are padded to one column ("R² =").
std::size_t Characters(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The visible row number of a grid row.
std::vector<int> RowNumbers(const std::vector<int>& rows) {
    std::vector<int> out;
    out.reserve(rows.size());
    for (int r : rows) out.push_back(r - 1);
    return out;
}

}  // namespace

TMLR2::TMLR2(Dialogs& dialogs, ModelWindowSetup setup, ModelColumnWriter writer, QWidget* parent)
    : TResultWindow(dialogs, parent), m_setup(std::move(setup)), m_writer(std::move(writer)) {
    setObjectName("TMLR2");
    setWindowTitle(Q(m_setup.caption));
    m_results = WriteModelResults(m_setup.data, m_setup.fit);
    // The cross-validated predictions of MLR have always been captioned so.
    if (m_setup.kind == ModelResultKind::CrossValidation && isMlr()) {
        m_results.prediction_caption = "z-predikt";
    }
    // A cross-validation has predictions but no coefficients of its own.
    if (m_setup.kind == ModelResultKind::Fit) {
        m_equation = EquationLines(m_setup.columns, m_setup.fit);
        if (!isMlr()) m_lists = ShowCoefficientLists(m_setup.columns, m_setup.fit);
    }

    Visa1 = MainMenu1->addMenu(WindowCaption("Show", "Visa"));
    Residualer1 = Visa1->addAction(WindowCaption("Residuals", "Residualerna"));
    Prediktionen1 = Visa1->addAction(WindowCaption("Prediction", "Prediktionen"));
    Plots = AddFactorPlotMenus(*Visa1, dialogs, *this, [this]() -> const FactorPlotSource* {
        return m_setup.plots ? &*m_setup.plots : nullptr;
    });
    Visa1->addSeparator();
    Ekvationen1 = Visa1->addAction(WindowCaption("Equation", "Ekvationen"));
    Variablernai1 = Visa1->addAction(WindowCaption("Variables in %", "Variablerna i %"));
    Normeraderiktningskoeficienter1 = Visa1->addAction(WindowCaption(
        "Regression coefficients in normalized model", "Riktningskoef i normerad modell"));
    Visa1->addSeparator();
    Riktningskoefficienternasstatistik1 = Visa1->addAction(WindowCaption(
        "Statistics of regression coefficients", "Riktningskoefficienternas statistik"));
    Riktningskoefficienternasfrdelning1 =
        Visa1->addAction(QString::fromUtf8("Riktningskoefficienternas fördelning"));
    for (QAction* a : {Ekvationen1, Variablernai1, Normeraderiktningskoeficienter1}) {
        a->setCheckable(true);
    }
    Spara1 = MainMenu1->addMenu(WindowCaption("Save", "Spara"));
    Lggtilldatafltet1 =
        Spara1->addAction(WindowCaption("Add to data board", "Lägg till datafältet"));
    Lggtilldatafltet1->setEnabled(static_cast<bool>(m_writer));

    connect(Visa1, &QMenu::aboutToShow, this, [this] { Visa1Popup(); });
    connect(Residualer1, &QAction::triggered, this, [this] { Residualer1Click(); });
    connect(Prediktionen1, &QAction::triggered, this, [this] { Prediktionen1Click(); });
    connect(Ekvationen1, &QAction::triggered, this, [this] { Ekvationen1Click(); });
    connect(Variablernai1, &QAction::triggered, this, [this] { Variablernai1Click(); });
    connect(Normeraderiktningskoeficienter1, &QAction::triggered, this,
            [this] { Normeraderiktningskoeficienter1Click(); });
    connect(Riktningskoefficienternasstatistik1, &QAction::triggered, this,
            [this] { Riktningskoefficienternasstatistik1Click(); });
    connect(Riktningskoefficienternasfrdelning1, &QAction::triggered, this,
            [this] { Riktningskoefficienternasfrdelning1Click(); });
    connect(Lggtilldatafltet1, &QAction::triggered, this, [this] { Lggtilldatafltet1Click(); });

    // The level buttons belong to the F test, which only MLR makes.
    auto* levels = new QHBoxLayout;
    Label9 = new QLabel(WindowCaption("Level", "Nivå"), this);
    levels->addWidget(Label9);
    const std::array<std::pair<const char*, Extended>, 5> steps{
        {{"10%", 10}, {"5%", 5}, {"1%", 1}, {"0.1%", 0.1L}, {"0.01%", 0.01L}}};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        LevelButtons[i] = new QPushButton(steps[i].first, this);
        LevelButtons[i]->setCheckable(true);
        LevelButtons[i]->setAutoExclusive(true);
        LevelButtons[i]->setChecked(steps[i].second == m_level);
        const Extended level = steps[i].second;
        connect(LevelButtons[i], &QPushButton::clicked, this,
                [this, level] { setSigLevel(level); });
        levels->addWidget(LevelButtons[i]);
    }
    Verdict = new QLabel(this);
    levels->addSpacing(24);
    levels->addWidget(Verdict);
    levels->addStretch();
    topLayout()->addLayout(levels);
    const bool levels_shown = isMlr() && m_setup.kind == ModelResultKind::Fit;
    Label9->setVisible(levels_shown);
    for (QPushButton* b : LevelButtons) b->setVisible(levels_shown);

    auto* lists = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    EquationLabel = new QLabel(WindowCaption("Linear relationship:", "Linjärt samband:"), this);
    ListBox1 = new QListWidget(this);
    left->addWidget(EquationLabel);
    left->addWidget(ListBox1);
    lists->addLayout(left, 1);
    StringGrid1 = new QTableWidget(static_cast<int>(m_results.grid.size()), 4, this);
    QStringList header;
    for (const std::string& h : m_results.grid_header) header << Q(h);
    StringGrid1->setHorizontalHeaderLabels(header);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < static_cast<int>(m_results.grid.size()); ++r) {
        for (int c = 0; c < 4; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem(Q(m_results.grid[r][c])));
    }
    StringGrid1->setColumnWidth(0, 40);
    for (int c = 1; c < 4; ++c) StringGrid1->setColumnWidth(c, 90);
    lists->addWidget(StringGrid1, 1);
    bottomLayout()->addLayout(lists);
    ListBox1->setMinimumHeight(120);
    StringGrid1->setMinimumHeight(120);
    Memo1->setMaximumWidth(360);
    // The labels stand right-aligned in one column, which only a fixed pitch keeps.
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    PaintBox1->installEventFilter(this);
    showList(Shown::Equation);
    updateVerdict();
    resize(1100, 720);
    Refresh();
}

TMLR2::~TMLR2() = default;

bool TMLR2::eventFilter(QObject* watched, QEvent* event) {
    // A double click on the small plots opens the prediction plot at full size.
    if (watched == PaintBox1 && event->type() == QEvent::MouseButtonDblClick) {
        Prediktionen1Click();
        return true;
    }
    return TResultWindow::eventFilter(watched, event);
}

bool TMLR2::isMlr() const {
    return m_setup.fit.method == ModelMethod::MLR;
}

ModelTextInput TMLR2::textInput() const {
    ModelTextInput input;
    input.file_name = m_setup.file_name;
    input.caption = m_setup.caption;
    input.kind = m_setup.kind;
    input.equation_visible = m_shown == Shown::Equation && m_setup.kind == ModelResultKind::Fit;
    input.equation = m_equation;
    return input;
}

std::string TMLR2::ResultText() {
    return ModelClipboardText(ModelCopyLines(textInput(), m_setup.fit));
}

std::string TMLR2::DisplayText() {
    const ModelStatistics stats = DrawModelText(m_setup.fit, m_level, m_setup.kind);
    std::size_t width = 0;
    for (const auto& line : stats.lines) width = std::max(width, Characters(line.label));
    std::string text;
    for (const auto& line : stats.lines) {
        text +=
            std::string(width - Characters(line.label), ' ') + line.label + " " + line.value + '\n';
    }
    if (!m_setup.fit.note.empty()) text += '\n' + m_setup.fit.note + '\n';
    return text;
}

std::vector<std::string> TMLR2::PrintLines() {
    return ModelCopyLines(textInput(), m_setup.fit, true);
}

void TMLR2::RenderGraph(Canvas& canvas, int width, int height) {
    const ModelFit& fit = m_setup.fit;
    if (fit.predictions.empty()) return;
    const int text_h = std::max(12, MeasurerFor(canvas, width, height).MeasureTextHeight("0"));
    const int margin = 4 * text_h;
    const int half = width / 2;
    const Rect left{margin + text_h, 2 * text_h, half - text_h, height - 3 * text_h};
    const Rect right{half + margin, 2 * text_h, width - text_h, height - 3 * text_h};
    if (left.right - left.left < 20 || left.bottom - left.top < 20) return;

    // ẑ against z on one scale, so the diagonal is the perfect model.
    std::vector<Extended> z(fit.predictions.size());
    Extended lo = fit.predictions.front(), hi = lo;
    for (std::size_t i = 0; i < z.size(); ++i) {
        z[i] = fit.predictions[i] - fit.residuals[i];
        lo = std::min({lo, z[i], fit.predictions[i]});
        hi = std::max({hi, z[i], fit.predictions[i]});
    }
    const auto range = Padded(lo, hi);
    const PlotFrame f = DrawFrame(canvas, left, range, range, "z", "z-predikt");
    canvas.SetPen({colors::kGrey, 1, PenStyle::Dash});
    canvas.DrawLine({f.X(range.first), f.Y(range.first)}, {f.X(range.second), f.Y(range.second)});
    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    canvas.SetBrush({colors::kRed, BrushStyle::Solid});
    const int r = std::max(2, ScaledPixels(3, width));
    for (std::size_t i = 0; i < z.size(); ++i) {
        const int x = f.X(z[i]), y = f.Y(fit.predictions[i]);
        canvas.DrawEllipse({x - r, y - r, x + r + 1, y + r + 1});
    }
    DrawResidualBars(canvas, right, RowNumbers(m_setup.data.rows), fit.residuals);
}

void TMLR2::setSigLevel(Extended percent) {
    m_level = percent;
    updateVerdict();
    Refresh();
}

void TMLR2::updateVerdict() {
    const ModelStatistics stats = DrawModelText(m_setup.fit, m_level, m_setup.kind);
    Verdict->setVisible(stats.has_verdict);
    Verdict->setText(Q(stats.verdict));
    Verdict->setStyleSheet(stats.significant ? "color: green; font-weight: bold"
                                             : "color: red; font-weight: bold");
}

void TMLR2::Visa1Popup() {
    // A cross-validation has no one model: nothing of a model can be shown.
    const bool fit = m_setup.kind == ModelResultKind::Fit;
    const bool factors = fit && !isMlr();
    for (QAction* a : {Residualer1, Prediktionen1, Variablernai1, Normeraderiktningskoeficienter1,
                       Riktningskoefficienternasstatistik1, Riktningskoefficienternasfrdelning1}) {
        a->setEnabled(factors);
    }
    Plots.setEnabled(factors && m_setup.plots.has_value());
    Ekvationen1->setEnabled(fit);
}

void TMLR2::showList(Shown list) {
    m_shown = list;
    Ekvationen1->setChecked(list == Shown::Equation);
    Variablernai1->setChecked(list == Shown::Shares);
    Normeraderiktningskoeficienter1->setChecked(list == Shown::Normalised);
    const std::vector<std::string>& entries = list == Shown::Equation ? m_equation
                                              : list == Shown::Shares ? m_lists.shares
                                                                      : m_lists.normalised;
    ListBox1->clear();
    for (const std::string& e : entries) ListBox1->addItem(Q(e));
    const bool fit = m_setup.kind == ModelResultKind::Fit;
    EquationLabel->setVisible(fit && list == Shown::Equation);
    ListBox1->setVisible(fit);
}

void TMLR2::Ekvationen1Click() {
    showList(Shown::Equation);
}

void TMLR2::Variablernai1Click() {
    if (!isMlr()) showList(Shown::Shares);
}

void TMLR2::Normeraderiktningskoeficienter1Click() {
    if (!isMlr()) showList(Shown::Normalised);
}

void TMLR2::Residualer1Click() {
    const std::string caption =
        m_setup.caption + ChooseText(". Residuals versus data points (objects)",
                                     ". Residualer mot datapunkter (objekt)");
    // Each residual at its row number; the rows the model could not use stay empty, and the
    // rows after them are still shown.
    const std::vector<int> rows = RowNumbers(m_setup.data.rows);
    std::vector<Extended> values;
    for (std::size_t i = 0; i < rows.size() && i < m_setup.fit.residuals.size(); ++i) {
        if (rows[i] < 1) continue;
        const auto at = static_cast<std::size_t>(rows[i]);
        if (values.size() < at) values.resize(at, std::numeric_limits<Extended>::quiet_NaN());
        values[at - 1] = m_setup.fit.residuals[i];
    }
    ShowModal(new BarChartWindow(
                  dialogs(),
                  MakeBarChartData({ChooseText("Residuals", "Residualer")}, {std::move(values)}),
                  caption, this),
              true);
}

void TMLR2::Prediktionen1Click() {
    std::shared_ptr<const RegressionData> made = MakeRegressionData(
        m_setup.data.ZTexts, m_results.prediction_texts, "z", "z-predict", DecimalSeparator());
    if (!made || made->size() < 2) return;
    auto data = std::make_shared<RegressionData>(*made);
    for (std::size_t i = 0; i < data->size() && i < m_setup.data.rows.size(); ++i) {
        data->RowNumbers[i] = std::to_string(m_setup.data.rows[i] - 1);
    }
    auto* window = new TTwoDimStat(dialogs(), std::move(data), {}, this);
    ShowModal(window, true);
}

void TMLR2::Riktningskoefficienternasstatistik1Click() {
    std::vector<std::string> texts = SlopeSampleTexts(m_lists.normalised);
    std::vector<std::string> numbers;
    for (std::size_t i = 1; i <= texts.size(); ++i) numbers.push_back(std::to_string(i));
    std::optional<DescriptiveSample> sample =
        MakeDescriptiveSample(std::move(texts), std::move(numbers), DecimalSeparator());
    if (!sample) return;  // a single slope has no spread to describe
    ShowModal(new XDataWindow(
        dialogs(), std::move(*sample),
        ChooseText("Statistics of slopes", "Riktningskoefficienternas statistik"), this));
}

void TMLR2::Riktningskoefficienternasfrdelning1Click() {
    std::optional<NormalPlotData> plot =
        MakeNormalPlot(SlopeSampleTexts(m_lists.normalised), DecimalSeparator());
    if (!plot) return;
    ShowModal(new TNormTestDistribution(
        dialogs(), std::move(*plot),
        ChooseText("Distribution of slopes", "Riktningskoefficienternas fördelning"), this));
}

void TMLR2::Lggtilldatafltet1Click() {
    if (!m_writer) return;
    m_writer(m_results);
    // The columns are in the worksheet now; a second press would only add copies.
    Lggtilldatafltet1->setEnabled(false);
}

}  // namespace tabulon::ui

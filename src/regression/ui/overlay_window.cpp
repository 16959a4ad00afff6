#include "regression/ui/overlay_window.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "base/language.h"
#include "graphs/dialogs.h"
#include "graphs/ui/paint_box.h"
#include "numeric/number_text.h"

namespace tabulon::ui {

OverlayPlotWindow::OverlayPlotWindow(Dialogs& dialogs, OverlayData data, QWidget* parent)
    : TResultWindow(dialogs, parent), m_data(std::move(data)) {
    setObjectName("OverlayPlotWindow");
    setWindowTitle("OverLayPlot");
    Memo1->hide();
    m_view.shown.assign(m_data.series.size(), true);
    m_view.axes = OverlayDefaultAxes(m_data);

    auto* row = new QHBoxLayout;
    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    connect(StringGrid1, &QTableWidget::cellClicked, this,
            [this](int r, int c) { TableClick(r, c); });
    row->addWidget(StringGrid1, 1);

    auto* axes = new QGroupBox(WindowCaption("Scale", "Skalindelning"), this);
    auto* grid = new QGridLayout(axes);
    const char* names[] = {"x-min", "x-max", "x-led", "y-min", "y-max", "y-led"};
    for (int i = 0; i < 6; ++i) {
        AxisEdits[i] = new QLineEdit(axes);
        AxisEdits[i]->setObjectName(names[i]);
        AxisEdits[i]->setMaximumWidth(110);
        grid->addWidget(new QLabel(names[i], axes), i % 3, (i / 3) * 2);
        grid->addWidget(AxisEdits[i], i % 3, (i / 3) * 2 + 1);
        connect(AxisEdits[i], &QLineEdit::returnPressed, this, [this] { RitaOmClick(); });
    }
    GridOff = new QRadioButton(WindowCaption("Off", "Av"), axes);
    GridOn = new QRadioButton(WindowCaption("On", "På"), axes);
    GridOn->setChecked(true);
    grid->addWidget(new QLabel(WindowCaption("Grid", "Rutnät"), axes), 3, 0);
    grid->addWidget(GridOff, 3, 1);
    grid->addWidget(GridOn, 3, 2);
    connect(GridOn, &QRadioButton::toggled, this, [this](bool on) {
        m_view.grid = on;
        PaintBox1->update();
    });
    auto* redraw = new QPushButton(WindowCaption("Redraw", "Rita om"), axes);
    redraw->setObjectName("RitaOm");
    auto* compute = new QPushButton(WindowCaption("Calculate", "Beräkna"), axes);
    compute->setObjectName("Berakna");
    for (QPushButton* b : {redraw, compute}) b->setAutoDefault(false);
    connect(redraw, &QPushButton::clicked, this, [this] { RitaOmClick(); });
    connect(compute, &QPushButton::clicked, this, [this] { BeraknaClick(); });
    grid->addWidget(redraw, 4, 0, 1, 2);
    grid->addWidget(compute, 4, 2, 1, 2);
    row->addWidget(axes);
    topLayout()->addLayout(row, 1);

    QMenu* berakna = MainMenu1->addMenu(WindowCaption("Calculate", "Beräkna"));
    QAction* slopes = berakna->addAction(WindowCaption("Differences in slopes", "Skillnad i lutning"));
    slopes->setObjectName("Skilnadilutning1");
    connect(slopes, &QAction::triggered, this, [this] { SlopeDifferenceClick(); });
    QMenu* settings = MainMenu1->addMenu("Settings");
    QMenu* line_type = settings->addMenu("Line type");
    QAction* regression = line_type->addAction("Regression line");
    QAction* point_to_point = line_type->addAction("Point to point");
    connect(regression, &QAction::triggered, this, [this] { SetPointToPoint(false); });
    connect(point_to_point, &QAction::triggered, this, [this] { SetPointToPoint(true); });
    QAction* shown = settings->addAction("Select lines to be shown");
    connect(shown, &QAction::triggered, this, [this] {
        this->dialogs().ShowInfo(ChooseText("Click the X in the ", "Klicka på X i") + "'" +
                                 ChooseText("Garph", "Graf") + "'" +
                                 ChooseText(" column to switch on and off lines",
                                            " kolumnen för att slå på och av linjen"));
    });
    QAction* emphasised = settings->addAction("Select lines to be emphasized");
    connect(emphasised, &QAction::triggered, this, [this] {
        this->dialogs().ShowInfo(
            ChooseText("Click a row in the first column to emphasize that line",
                       "Klicka på en rad i första kolumnen för att förstärka den linjen"));
    });
    addExitButton();
    FillTable();
    ShowAxes();
    resize(1000, 720);
}

void OverlayPlotWindow::FillTable() {
    const std::vector<std::string> header = OverlayTableHeader(m_data);
    StringGrid1->setColumnCount(static_cast<int>(header.size()));
    StringGrid1->setRowCount(static_cast<int>(m_data.series.size()));
    QStringList labels;
    for (const std::string& h : header) labels << QString::fromStdString(h);
    StringGrid1->setHorizontalHeaderLabels(labels);
    for (int k = 0; k < static_cast<int>(m_data.series.size()); ++k) {
        const std::vector<std::string> cells = OverlayTableRow(m_data, k, m_view.shown[k]);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            StringGrid1->setItem(k, c, new QTableWidgetItem(QString::fromStdString(cells[c])));
        }
    }
    StringGrid1->resizeColumnsToContents();
}

void OverlayPlotWindow::ShowAxes() {
    const OverlayAxes& a = m_view.axes;
    const Extended values[] = {a.XMin, a.XMax, a.XStep, a.YMin, a.YMax, a.YStep};
    for (int i = 0; i < 6; ++i) {
        AxisEdits[i]->setText(QString::fromStdString(FormatShortest(values[i], DecimalSeparator())));
    }
}

void OverlayPlotWindow::RitaOmClick() {
    Extended values[6];
    for (int i = 0; i < 6; ++i) {
        const std::string text = AxisEdits[i]->text().toStdString();
        const auto v = ParseNumber(text, DecimalSeparator());
        if (!v) {
            dialogs().ShowMessage(ConversionError(text).what());
            return;
        }
        values[i] = *v;
    }
    m_view.axes = OverlayReadAxes(
        OverlayAxes{values[0], values[1], values[2], values[3], values[4], values[5]});
    ShowAxes();
    PaintBox1->update();
}

void OverlayPlotWindow::BeraknaClick() {
    m_view.axes = OverlayDefaultAxes(m_data);
    ShowAxes();
    PaintBox1->update();
}

void OverlayPlotWindow::SlopeDifferenceClick() {
    dialogs().ShowInfo(SlopeDifferenceText(m_data));
}

void OverlayPlotWindow::SetPointToPoint(bool on) {
    m_view.point_to_point = on;
    PaintBox1->update();
}

void OverlayPlotWindow::TableClick(int row, int column) {
    if (row < 0 || row >= static_cast<int>(m_data.series.size())) return;
    if (column == 1) {
        m_view.shown[row] = !m_view.shown[row];
        StringGrid1->item(row, 1)->setText(m_view.shown[row] ? "X" : "");
    } else if (column == 0) {
        m_view.emphasised = row + 1;
    } else {
        return;
    }
    PaintBox1->update();
}

std::string OverlayPlotWindow::ResultText() {
    std::string text;
    for (const std::string& line : OverlayLines(m_data, m_view.shown)) text += line + "\r\n";
    return text;
}

std::vector<std::string> OverlayPlotWindow::PrintLines() {
    return OverlayLines(m_data, m_view.shown);
}

void OverlayPlotWindow::RenderGraph(Canvas& canvas, int width, int height) {
    RenderOverlayPlot(canvas, width, height, m_data, m_view);
}

}  // namespace tabulon::ui

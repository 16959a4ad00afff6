// The three-dimensional plot window: spin controls, menus and dragging around one view.
#include "graphs/ui/three_dim_plot_window.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "base/language.h"
#include "graphs/ui/paint_box.h"

namespace tabulon::ui {
namespace {

QSpinBox* MakeSpin(QWidget* parent, const char* name, int min, int max, int step, int value) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    spin->setValue(value);
    return spin;
}

}  // namespace

ThreeDimPlotWindow::ThreeDimPlotWindow(Dialogs& dialogs, ThreeDimData data, QWidget* parent)
    : TResultWindow(dialogs, parent),
      m_data(std::move(data)),
      m_scaled(Rescale(m_data, false)),
      m_caption(ThreeDimCaption(m_data)) {
    setObjectName("ThreeDimPlotWindow");
    setWindowTitle(QString::fromStdString(m_caption));
    Memo1->hide();
    Grafik1->setShortcut(QKeySequence("Ctrl+C"));
    Grafik2->setShortcut(QKeySequence("Ctrl+P"));
    BuildControls();
    BuildMenus();
    PaintBox1->installEventFilter(this);
    resize(900, 700);
    Refresh();
}

ThreeDimPlotWindow::~ThreeDimPlotWindow() = default;

void ThreeDimPlotWindow::BuildControls() {
    const ThreeDimView start;
    auto* row = new QHBoxLayout;
    SpinEdit1 = MakeSpin(this, "SpinEdit1", kSpinMin, kSpinMax, 5, start.spin1);
    SpinEdit2 = MakeSpin(this, "SpinEdit2", kSpinMin, kSpinMax, 5, start.spin2);
    SpinEdit3 = MakeSpin(this, "SpinEdit3", kSpinMin, kSpinMax, 5, start.spin3);
    SpinEdit4 = MakeSpin(this, "SpinEdit4", kZoomMin, kZoomMax, 10, start.zoom);
    SpinEdit4->setSuffix(" %");
    row->addWidget(new QLabel("xy", this));
    row->addWidget(SpinEdit1);
    row->addWidget(new QLabel("yz", this));
    row->addWidget(SpinEdit2);
    row->addWidget(new QLabel("zx", this));
    row->addWidget(SpinEdit3);
    row->addWidget(new QLabel("Zoom", this));
    row->addWidget(SpinEdit4);
    row->addStretch(1);
    topLayout()->addLayout(row);
    for (QSpinBox* spin : {SpinEdit1, SpinEdit2, SpinEdit3, SpinEdit4}) {
        connect(spin, &QSpinBox::valueChanged, this, [this] { SpinsChanged(); });
    }
}

void ThreeDimPlotWindow::BuildMenus() {
    Grafik3 = MainMenu1->addMenu(WindowCaption("Graphics", "Grafik"));
    Grafik3->setObjectName("Grafik3");
    Lodlinjer1 = Grafik3->addAction(WindowCaption("Vertical lines", "Lodlinjer"));
    Lodlinjer1->setObjectName("Lodlinjer1");
    Lodlinjer1->setCheckable(true);
    QMenu* stod = Grafik3->addMenu(WindowCaption("Supporting lines", "Stödlinjer"));
    stod->setObjectName("Stodlinjer1");
    XYplanet1 = stod->addAction(WindowCaption("xy-plane", "XY-planet"));
    XYplanet1->setObjectName("XYplanet1");
    XYplanet1->setCheckable(true);
    Allaplan1 = stod->addAction(WindowCaption("All planes", "Alla plan"));
    Allaplan1->setObjectName("Allaplan1");
    Allaplan1->setCheckable(true);
    Aterstallfiguren1 =
        Grafik3->addAction(WindowCaption("Restore the figure", "Återställ figuren"));
    Aterstallfiguren1->setObjectName("Aterstallfiguren1");
    Axlar1 = MainMenu1->addMenu(WindowCaption("Axis", "Axlar"));
    Axlar1->setObjectName("Axlar1");
    Inkluderaorigo1 = Axlar1->addAction(WindowCaption("Include origo", "Inkludera origo"));
    Inkluderaorigo1->setObjectName("Inkluderaorigo1");
    Inkluderaorigo1->setCheckable(true);

    connect(Grafik3, &QMenu::aboutToShow, this, [this] { Grafik3Popup(); });
    connect(Axlar1, &QMenu::aboutToShow, this, [this] { Axlar1Popup(); });
    connect(Lodlinjer1, &QAction::triggered, this, [this] { LodlinjerClick(); });
    connect(XYplanet1, &QAction::triggered, this, [this] { XYplanetClick(); });
    connect(Allaplan1, &QAction::triggered, this, [this] { AllaplanClick(); });
    connect(Aterstallfiguren1, &QAction::triggered, this, [this] { AterstallfigurenClick(); });
    connect(Inkluderaorigo1, &QAction::triggered, this, [this] { InkluderaorigoClick(); });
    Grafik3Popup();
    Axlar1Popup();
}

void ThreeDimPlotWindow::Grafik3Popup() {
    Lodlinjer1->setChecked(m_view.drop_lines);
    XYplanet1->setChecked(m_view.grid_xy);
    Allaplan1->setChecked(m_view.grid_all);
}

void ThreeDimPlotWindow::Axlar1Popup() {
    Inkluderaorigo1->setChecked(m_view.include_origin);
}

std::string ThreeDimPlotWindow::ResultText() {
    std::string text;
    for (const std::string& line : ThreeDimLines(m_data, m_scaled)) text += line + '\r';
    return text;
}

void ThreeDimPlotWindow::RenderGraph(Canvas& canvas, int width, int height) {
    // A drag shifts the screen picture by screen pixels; a wider copy or page shifts in step.
    const double shift_scale = static_cast<double>(width) / graphSize().width();
    RenderThreeDimPlot(canvas, width, height, m_data, m_scaled, m_view, m_caption,
                       MeasurerFor(canvas, width, height), shift_scale);
}

void ThreeDimPlotWindow::SpinsChanged() {
    if (m_setting_spins) return;
    m_view.spin1 = SpinEdit1->value();
    m_view.spin2 = SpinEdit2->value();
    m_view.spin3 = SpinEdit3->value();
    m_view.zoom = SpinEdit4->value();
    m_view = Clamped(m_view);
    PaintBox1->update();
}

void ThreeDimPlotWindow::LodlinjerClick() {
    m_view.drop_lines = !m_view.drop_lines;
    Grafik3Popup();
    PaintBox1->update();
}

void ThreeDimPlotWindow::XYplanetClick() {
    ToggleGridXY(m_view);
    Grafik3Popup();
    PaintBox1->update();
}

void ThreeDimPlotWindow::AllaplanClick() {
    ToggleGridAll(m_view);
    Grafik3Popup();
    PaintBox1->update();
}

void ThreeDimPlotWindow::AterstallfigurenClick() {
    m_view = Restored(m_view);
    m_setting_spins = true;
    SpinEdit1->setValue(m_view.spin1);
    SpinEdit2->setValue(m_view.spin2);
    SpinEdit3->setValue(m_view.spin3);
    SpinEdit4->setValue(m_view.zoom);
    m_setting_spins = false;
    PaintBox1->update();
}

void ThreeDimPlotWindow::InkluderaorigoClick() {
    m_view.include_origin = !m_view.include_origin;
    m_scaled = Rescale(m_data, m_view.include_origin);
    Axlar1Popup();
    PaintBox1->update();
}

bool ThreeDimPlotWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PaintBox1) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                PlotPressed(static_cast<QMouseEvent*>(event)->position().toPoint());
                break;
            case QEvent::MouseMove:
                PlotMoved(static_cast<QMouseEvent*>(event)->position().toPoint());
                break;
            case QEvent::MouseButtonRelease:
                PlotReleased(static_cast<QMouseEvent*>(event)->position().toPoint());
                break;
            default:
                break;
        }
    }
    return TResultWindow::eventFilter(watched, event);
}

void ThreeDimPlotWindow::PlotPressed(QPoint pixel) {
    m_dragging = true;
    m_drag_start = pixel;
    m_shift_x_at_start = m_view.shift_x;
    m_shift_y_at_start = m_view.shift_y;
    PaintBox1->setCursor(Qt::SizeAllCursor);
}

// The picture follows the mouse while the button is down, not only when it is let go.
void ThreeDimPlotWindow::PlotMoved(QPoint pixel) {
    if (!m_dragging) return;
    m_view.shift_x = m_shift_x_at_start + (pixel.x() - m_drag_start.x());
    m_view.shift_y = m_shift_y_at_start + (pixel.y() - m_drag_start.y());
    PaintBox1->update();
}

void ThreeDimPlotWindow::PlotReleased(QPoint pixel) {
    if (!m_dragging) return;
    PlotMoved(pixel);
    m_dragging = false;
    PaintBox1->unsetCursor();
}

}  // namespace tabulon::ui

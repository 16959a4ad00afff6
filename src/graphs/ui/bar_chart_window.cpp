// The bar chart window: its menus, the scale dialog and the free texts under the mouse.
#include "graphs/ui/bar_chart_window.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <cmath>

#include "base/language.h"
#include "graphs/dialogs.h"
#include "graphs/ui/fonts.h"
#include "graphs/xy_graph.h"
#include "graphs/ui/paint_box.h"
#include "numeric/number_text.h"

namespace tabulon::ui {
namespace {

QAction* AddItem(QMenu* menu, const char* name, std::string_view english, std::string_view swedish,
                 bool checkable = false) {
    QAction* action = menu->addAction(WindowCaption(english, swedish));
    action->setObjectName(name);
    action->setCheckable(checkable);
    return action;
}

QMenu* AddMenu(QMenu* parent, const char* name, std::string_view english,
               std::string_view swedish) {
    QMenu* menu = parent->addMenu(WindowCaption(english, swedish));
    menu->setObjectName(name);
    return menu;
}

}  // namespace

BarChartWindow::BarChartWindow(Dialogs& dialogs, BarChartData data, const std::string& caption,
                               QWidget* parent)
    : TResultWindow(dialogs, parent),
      m_data(std::move(data)),
      m_options(OpeningOptions(m_data)),
      m_caption(caption) {
    setObjectName("BarChartWindow");
    setWindowTitle(QString::fromStdString(caption));
    // The chart has the whole window; its numbers go to the clipboard as text.
    Memo1->hide();
    Grafik1->setShortcut(QKeySequence("Ctrl+C"));
    Grafik2->setShortcut(QKeySequence("Ctrl+P"));
    BuildMenus();
    HintLabel = new QLabel(this);
    HintLabel->setObjectName("HintLabel");
    bottomLayout()->addWidget(HintLabel);
    PaintBox1->installEventFilter(this);
    PaintBox1->setMouseTracking(false);
    resize(900, 600);
    UpdateMenus();
    Refresh();
}

BarChartWindow::~BarChartWindow() = default;

void BarChartWindow::BuildMenus() {
    Installningar1 = MainMenu1->addMenu(WindowCaption("Settings", "Inställningar"));
    Installningar1->setObjectName("Installningar1");
    Farg1 = AddItem(Installningar1, "Farg1", "Color", "Färg", true);
    Raster1 = AddItem(Installningar1, "Raster1", "Grid", "Raster", true);
    Skala1 = AddItem(Installningar1, "Skala1", "Scale", "Skala");
    Forklaring1 = AddItem(Installningar1, "Forklaring1", "Explanation", "Förklaring", true);
    Fontpatext1 = AddItem(Installningar1, "Fontpatext1", "Text font", "Font på text");

    Grafiktyp1 = MainMenu1->addMenu(WindowCaption("Type of graphics", "Grafiktyp"));
    Grafiktyp1->setObjectName("Grafiktyp1");
    QMenu* staplar = AddMenu(Grafiktyp1, "Staplar1", "Bars", "Staplar");
    Radvis1 = AddItem(staplar, "Radvis1", "By rows", "Radvis", true);
    QMenu* kolumnvis = AddMenu(staplar, "Kolumnvis1", "By columns", "Kolumnvis");
    Summeraderadvis1 =
        AddItem(kolumnvis, "Summeraderadvis1", "Summed by row", "Summerade radvis", true);
    Allarader1 = AddItem(kolumnvis, "Allarader1", "All rows", "Alla rader", true);
    Punkter1 = AddItem(Grafiktyp1, "Punkter1", "Data points", "Punkter", true);
    TreDim1 = AddItem(Grafiktyp1, "TreDim1", "3-Dim", "3-Dim", true);

    Tecken1 = MainMenu1->addMenu(WindowCaption("Text", "Tecken"));
    Tecken1->setObjectName("Tecken1");
    Axlar1 = AddItem(Tecken1, "Axlar1", "Axes", "Axlar");
    QMenu* fritext = AddMenu(Tecken1, "Fritext1", "Open text", "Fri text");
    Infoga1 = AddItem(fritext, "Infoga1", "Insert", "Infoga");
    Redigera1 = AddItem(fritext, "Redigera1", "Edit", "Redigera");

    Info1 = MainMenu1->addAction(WindowCaption("Info", "Info"));
    Info1->setObjectName("Info1");

    connect(Farg1, &QAction::triggered, this, [this] { FargClick(); });
    connect(Raster1, &QAction::triggered, this, [this] { RasterClick(); });
    connect(Skala1, &QAction::triggered, this, [this] { SkalaClick(); });
    connect(Forklaring1, &QAction::triggered, this, [this] { ForklaringClick(); });
    connect(Fontpatext1, &QAction::triggered, this, [this] { FontpatextClick(); });
    connect(Radvis1, &QAction::triggered, this, [this] { SetType(BarChartType::ByRows); });
    connect(Summeraderadvis1, &QAction::triggered, this,
            [this] { SetType(BarChartType::ColumnMeans); });
    connect(Allarader1, &QAction::triggered, this, [this] { SetType(BarChartType::ByColumns); });
    connect(Punkter1, &QAction::triggered, this, [this] { SetType(BarChartType::Points); });
    connect(TreDim1, &QAction::triggered, this, [this] { TreDimClick(); });
    connect(Axlar1, &QAction::triggered, this, [this] { AxlarClick(); });
    connect(Infoga1, &QAction::triggered, this, [this] { InfogaClick(); });
    connect(Redigera1, &QAction::triggered, this, [this] { RedigeraClick(); });
    connect(Info1, &QAction::triggered, this, [this] { InfoClick(); });
}

void BarChartWindow::UpdateMenus() {
    Farg1->setChecked(m_options.colour);
    Raster1->setChecked(m_options.grid);
    Forklaring1->setChecked(m_options.legend);
    TreDim1->setChecked(m_options.three_d);
    Radvis1->setChecked(m_options.type == BarChartType::ByRows);
    Summeraderadvis1->setChecked(m_options.type == BarChartType::ColumnMeans);
    Allarader1->setChecked(m_options.type == BarChartType::ByColumns);
    Punkter1->setChecked(m_options.type == BarChartType::Points);
    Info1->setEnabled(m_options.type == BarChartType::ColumnMeans);
    Fontpatext1->setEnabled(!m_options.texts.empty());
    Redigera1->setEnabled(!m_options.texts.empty());
}

void BarChartWindow::Redraw() {
    UpdateMenus();
    PaintBox1->update();
}

std::string BarChartWindow::ResultText() {
    std::string text;
    for (const std::string& line : BarChartLines(m_data, m_caption)) text += line + '\r';
    return text;
}

void BarChartWindow::RenderGraph(Canvas& canvas, int width, int height) {
    const BarChartLayout layout =
        RenderBarChart(canvas, width, height, m_data, m_options, MeasurerFor(canvas, width, height));
    // The mouse reads pixels against the picture on screen; copies of other sizes must not
    // move it.
    if (QSize(width, height) == PaintBox1->size()) m_layout = layout;
}

void BarChartWindow::FargClick() {
    m_options.colour = !m_options.colour;
    Redraw();
}

void BarChartWindow::RasterClick() {
    m_options.grid = !m_options.grid;
    Redraw();
}

void BarChartWindow::ForklaringClick() {
    m_options.legend = !m_options.legend;
    Redraw();
}

void BarChartWindow::TreDimClick() {
    m_options.three_d = !m_options.three_d;
    Redraw();
}

void BarChartWindow::SetType(BarChartType type) {
    m_options.type = type;
    if (type == BarChartType::ByRows || type == BarChartType::Points) m_options.legend = true;
    if (type == BarChartType::ByColumns) m_options.legend = false;
    Redraw();
}

void BarChartWindow::SkalaClick() {
    const ChartScale scale = CurrentScale(m_data, m_options);
    const ScaleChoice current{ScaleText(scale.top), ScaleText(scale.start), ScaleText(scale.step),
                              false};
    const std::optional<ScaleChoice> chosen = dialogs().SelectScale(current);
    if (!chosen) return;
    if (chosen->automatic) {
        m_options.manual_scale = false;
        Redraw();
        return;
    }
    const char sep = DecimalSeparator();
    const auto top = ParseNumber(chosen->maximum, sep);
    const auto start = ParseNumber(chosen->minimum, sep);
    const auto step = ParseNumber(chosen->step, sep);
    if (!top || !start || !step || !std::isfinite(*top) || !std::isfinite(*start) ||
        !std::isfinite(*step)) {
        dialogs().ShowMessage(ChooseText("Error in data", "Fel i indata"));
        return;
    }
    if (!(*start < *top)) return;
    // A step that could never reach the top, or would crowd the axis with ticks, is refused.
    if (!(*step > 0) || (*top - *start) / *step > kMaxTicks) {
        dialogs().ShowMessage(ChooseText("The scale step must be above zero and give at most " +
                                             std::to_string(kMaxTicks) + " ticks",
                                         "Skalindelningen måste vara större än noll och ge högst " +
                                             std::to_string(kMaxTicks) + " markeringar"));
        return;
    }
    m_options.manual_scale = true;
    m_options.scale_top = *top;
    m_options.scale_start = *start;
    m_options.scale_step = *step;
    Redraw();
}

void BarChartWindow::AxlarClick() {
    if (const auto font = dialogs().ChooseFont(m_options.axis_font)) {
        m_options.axis_font = *font;
        Redraw();
    }
}

void BarChartWindow::InfogaClick() {
    SetMode(ChartMouseMode::AddText);
}

void BarChartWindow::RedigeraClick() {
    SetMode(ChartMouseMode::EditText);
}

void BarChartWindow::FontpatextClick() {
    SetMode(ChartMouseMode::TextFont);
}

void BarChartWindow::InfoClick() {
    if (m_options.type != BarChartType::ColumnMeans) return;
    dialogs().ShowInfo(ChooseText("Uncertainty denotes one standard deviation",
                                  "Osäkerheten anger en standardavvikelse"));
}

void BarChartWindow::SetMode(ChartMouseMode mode) {
    m_mode = m_mode == mode ? ChartMouseMode::None : mode;
    switch (m_mode) {
        case ChartMouseMode::AddText:
            HintLabel->setText(
                WindowCaption("Click where the text is to be placed", "Klicka där texten skall stå"));
            break;
        case ChartMouseMode::EditText:
        case ChartMouseMode::TextFont:
            HintLabel->setText(WindowCaption("Click on the text", "Klicka på texten"));
            break;
        case ChartMouseMode::None:
            HintLabel->clear();
            break;
    }
}

bool BarChartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PaintBox1) {
        switch (event->type()) {
            case QEvent::MouseButtonPress: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                PlotPressed(mouse->position().toPoint(), mouse->button());
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

int BarChartWindow::TextAt(QPoint pixel) const {
    if (!m_layout.valid) return -1;
    for (int i = static_cast<int>(m_options.texts.size()) - 1; i >= 0; --i) {
        const ChartText& text = m_options.texts[static_cast<std::size_t>(i)];
        const QFontMetrics metrics(FromFontSpec(text.font), PaintBox1);
        const QPoint corner(XToPixel(m_layout.transform, text.x),
                            YToPixel(m_layout.transform, text.y));
        const QRect box(corner, QSize(metrics.horizontalAdvance(QString::fromStdString(text.text)),
                                      metrics.height()));
        if (box.adjusted(-3, -3, 3, 3).contains(pixel)) return i;
    }
    return -1;
}

void BarChartWindow::PlotPressed(QPoint pixel, Qt::MouseButton button) {
    if (!m_layout.valid) return;
    const TAxisTransform& t = m_layout.transform;
    switch (m_mode) {
        case ChartMouseMode::AddText: {
            SetMode(ChartMouseMode::None);
            const auto caption = dialogs().CaptionText(CaptionChoice{"", m_options.axis_font});
            if (caption && !caption->text.empty()) {
                m_options.texts.push_back(ChartText{caption->text, PixelToX(pixel.x(), t),
                                                    PixelToY(pixel.y(), t), caption->font});
            }
            Redraw();
            return;
        }
        case ChartMouseMode::EditText: {
            const int index = TextAt(pixel);
            if (index < 0) return;
            SetMode(ChartMouseMode::None);
            auto& texts = m_options.texts;
            ChartText& text = texts[static_cast<std::size_t>(index)];
            const auto caption = dialogs().CaptionText(CaptionChoice{text.text, text.font});
            if (caption) {
                // Emptying the text takes it off the chart.
                if (caption->text.empty()) {
                    texts.erase(texts.begin() + index);
                } else {
                    text.text = caption->text;
                    text.font = caption->font;
                }
            }
            Redraw();
            return;
        }
        case ChartMouseMode::TextFont: {
            const int index = TextAt(pixel);
            if (index < 0) return;
            SetMode(ChartMouseMode::None);
            ChartText& text = m_options.texts[static_cast<std::size_t>(index)];
            if (const auto font = dialogs().ChooseFont(text.font)) text.font = *font;
            Redraw();
            return;
        }
        case ChartMouseMode::None: {
            if (button != Qt::LeftButton) return;
            m_dragged = TextAt(pixel);
            if (m_dragged < 0) return;
            const ChartText& text = m_options.texts[static_cast<std::size_t>(m_dragged)];
            m_drag_offset = pixel - QPoint(XToPixel(t, text.x), YToPixel(t, text.y));
            PaintBox1->setCursor(Qt::ClosedHandCursor);
            return;
        }
    }
}

void BarChartWindow::PlotMoved(QPoint pixel) {
    if (!m_layout.valid || m_dragged < 0 ||
        m_dragged >= static_cast<int>(m_options.texts.size())) {
        return;
    }
    ChartText& text = m_options.texts[static_cast<std::size_t>(m_dragged)];
    const QPoint corner = pixel - m_drag_offset;
    text.x = PixelToX(corner.x(), m_layout.transform);
    text.y = PixelToY(corner.y(), m_layout.transform);
    PaintBox1->update();
}

void BarChartWindow::PlotReleased() {
    if (m_dragged < 0) return;
    m_dragged = -1;
    PaintBox1->unsetCursor();
    PaintBox1->update();
}

}  // namespace tabulon::ui

// The result window base: shared menu, text pane, paint box and level control.
#include "graphs/ui/result_window.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPrinter>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "graphs/axis_transform.h"
#include "graphs/ui/level_control.h"
#include "graphs/ui/paint_box.h"
#include "graphs/ui/qt_canvas.h"
#include "graphs/dialogs.h"
#include "base/language.h"
#include "graphs/ui/clipboard_component.h"

namespace tabulon::ui {

// A canvas on the screen's terms for measuring texts outside a paint event.
struct TResultWindow::ScreenMeasure {
    explicit ScreenMeasure(int dpi) : image(1, 1, QImage::Format_ARGB32_Premultiplied) {
        painter.begin(&image);
        canvas = std::make_unique<QtCanvas>(painter, dpi);
    }
    ~ScreenMeasure() {
        canvas.reset();
        painter.end();
    }
    QImage image;
    QPainter painter;
    std::unique_ptr<QtCanvas> canvas;
};

void ShowModal(QWidget* window, bool maximized) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    if (maximized) {
        window->showMaximized();
    } else {
        window->show();
    }
}

QString WindowCaption(std::string_view english, std::string_view swedish) {
    if (CurrentLanguage() == Language::None) {
        return QString::fromUtf8(swedish.data(), static_cast<qsizetype>(swedish.size()));
    }
    return QString::fromStdString(ChooseText(english, swedish));
}

TResultWindow::TResultWindow(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      m_dialogs(dialogs),
      m_own_chooser(std::make_unique<DialogPrinterChooser>()),
      m_chooser(m_own_chooser.get()) {
    auto* layout = new QVBoxLayout(this);
    MainMenu1 = new QMenuBar(this);
    layout->setMenuBar(MainMenu1);
    BuildMenu();

    m_top = new QVBoxLayout;
    layout->addLayout(m_top);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    Memo1 = new QPlainTextEdit(m_splitter);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    PaintBox1 = new TPaintBox(m_splitter);
    PaintBox1->setObjectName("PaintBox1");
    PaintBox1->setRender(RenderFor(GraphTarget::Screen));
    m_splitter->addWidget(Memo1);
    m_splitter->addWidget(PaintBox1);
    m_splitter->setStretchFactor(0, 2);
    m_splitter->setStretchFactor(1, 3);
    layout->addWidget(m_splitter, 1);

    m_bottom = new QVBoxLayout;
    layout->addLayout(m_bottom);
    resize(900, 480);
}

TResultWindow::~TResultWindow() = default;

void TResultWindow::BuildMenu() {
    Arkiv1 = MainMenu1->addMenu(WindowCaption("File", "Arkiv"));
    Kopiera1 = Arkiv1->addMenu(WindowCaption("Copy", "Kopiera"));
    Text1 = Kopiera1->addAction(WindowCaption("Text", "Text"));
    Grafik1 = Kopiera1->addAction(WindowCaption("Graphics", "Grafik"));
    Skrivut1 = Arkiv1->addMenu(WindowCaption("Print", "Skriv ut"));
    Text2 = Skrivut1->addAction(WindowCaption("Text", "Text"));
    Grafik2 = Skrivut1->addAction(WindowCaption("Graphics", "Grafik"));
    Sparagrafik1 = Arkiv1->addAction(WindowCaption("Save graphics…", "Spara grafik…"));
    Arkiv1->addSeparator();
    Stang1 = Arkiv1->addAction(WindowCaption("Close", "Stäng"));
    Stang1->setShortcut(QKeySequence("Ctrl+X"));

    Arkiv1->setObjectName("Arkiv1");
    Kopiera1->setObjectName("Kopiera1");
    Skrivut1->setObjectName("Skrivut1");
    Text1->setObjectName("Text1");
    Grafik1->setObjectName("Grafik1");
    Text2->setObjectName("Text2");
    Grafik2->setObjectName("Grafik2");
    Sparagrafik1->setObjectName("Sparagrafik1");
    Stang1->setObjectName("Stang1");

    connect(Text1, &QAction::triggered, this, [this] { Text1Click(); });
    connect(Grafik1, &QAction::triggered, this, [this] { Grafik1Click(); });
    connect(Text2, &QAction::triggered, this, [this] { Text2Click(); });
    connect(Grafik2, &QAction::triggered, this, [this] { Grafik2Click(); });
    connect(Sparagrafik1, &QAction::triggered, this, [this] { Sparagrafik1Click(); });
    connect(Stang1, &QAction::triggered, this, [this] { Stang1Click(); });
}

RenderFunction TResultWindow::RenderFor(GraphTarget target) {
    return [this, target](Canvas& canvas, int width, int height) {
        if (Canvas* echo = m_echo[static_cast<std::size_t>(target)]) {
            TeeCanvas tee(canvas, *echo);
            RenderGraph(tee, width, height);
        } else {
            RenderGraph(canvas, width, height);
        }
    };
}

std::string TResultWindow::DisplayText() {
    std::string text = ResultText();
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> TResultWindow::PrintLines() {
    std::vector<std::string> lines;
    const std::string text = DisplayText();
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            if (start < text.size()) lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void TResultWindow::Refresh() {
    const bool graph = HasGraph();
    PaintBox1->setVisible(graph);
    Grafik1->setEnabled(graph);
    Grafik2->setEnabled(graph);
    Sparagrafik1->setEnabled(graph);
    Memo1->setPlainText(QString::fromStdString(DisplayText()));
    PaintBox1->update();
}

void TResultWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Refresh();
}

TLevelControl* TResultWindow::enableLevelControl(LevelRules rules) {
    if (m_level) return m_level;
    m_level = new TLevelControl(std::move(rules), this);
    m_level->setObjectName("LevelControl");
    m_level->setOnChange([this](Extended) {
        Recompute();
        Refresh();
    });
    m_top->addWidget(m_level);
    return m_level;
}

QSize TResultWindow::graphSize() const {
    QSize size = PaintBox1->size();
    // Before the window is first shown the paint box has no size of its own yet.
    if (!PaintBox1->testAttribute(Qt::WA_Resized) && !isVisible()) size = PaintBox1->sizeHint();
    return size.expandedTo(QSize(1, 1));
}

int TResultWindow::ScaledPixels(int screen_pixels, int width) const {
    const int box = graphSize().width();
    const Extended scaled = RoundHalfEven(Extended(screen_pixels) * width / box);
    return static_cast<int>(std::clamp<Extended>(scaled, 1, kPixelLimit));
}

int TResultWindow::screenFontDpi() const {
    const int dpi = PaintBox1->logicalDpiY();
    return dpi > 0 ? dpi : 96;
}

TextMeasurer TResultWindow::MeasurerFor(Canvas& target, int width, int height) {
    if (!m_screen_measure) m_screen_measure = std::make_unique<ScreenMeasure>(screenFontDpi());
    const QSize screen = graphSize();
    return TextMeasurer(target, width, height, m_screen_measure->canvas.get(), screen.width(),
                        screen.height());
}

void TResultWindow::setPrinterChooser(PrinterChooser* chooser) {
    m_chooser = chooser ? chooser : m_own_chooser.get();
}

void TResultWindow::setEcho(GraphTarget target, Canvas* echo) {
    m_echo[static_cast<std::size_t>(target)] = echo;
    if (target == GraphTarget::Screen) PaintBox1->update();
}

void TResultWindow::Text1Click() {
    TClipboardComponent clipboard;
    clipboard.setFormat(ClipboardFormat::cbText);
    clipboard.appendText(ResultText());
    clipboard.copy();
}

void TResultWindow::Grafik1Click() {
    if (!HasGraph()) return;
    CopyGraph(RenderFor(GraphTarget::Clipboard), graphSize(), screenFontDpi());
}

void TResultWindow::Text2Click() {
    QPrinter printer(QPrinter::HighResolution);
    if (!m_chooser->Choose(printer, this)) return;
    if (!PrintTextLines(PrintLines(), font(), printer)) {
        m_dialogs.ShowMessage(ChooseText("Could not print", "Kunde inte skriva ut"));
    }
}

void TResultWindow::Grafik2Click() {
    if (!HasGraph()) return;
    QPrinter printer(QPrinter::HighResolution);
    if (!m_chooser->Choose(printer, this)) return;
    if (!PrintGraph(RenderFor(GraphTarget::Printer), printer, graphSize())) {
        m_dialogs.ShowMessage(ChooseText("Could not print", "Kunde inte skriva ut"));
    }
}

void TResultWindow::Sparagrafik1Click() {
    if (!HasGraph()) return;
    FileDialogSpec spec;
    spec.title = WindowCaption("Save graphics", "Spara grafik").toStdString();
    spec.filter = "SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf|PNG (*.png)|*.png";
    spec.filter_index = 1;
    spec.default_extension = "svg";
    const auto path = m_dialogs.SaveFileName(spec);
    if (!path) return;
    std::string error;
    if (!SaveGraph(RenderFor(GraphTarget::File), graphSize(), screenFontDpi(),
                   QString::fromStdString(*path), &error)) {
        m_dialogs.ShowMessage(error);
    }
}

void TResultWindow::Stang1Click() {
    close();
}

QPushButton* TResultWindow::makeExitButton() {
    auto* button = new QPushButton("Exit", this);
    button->setObjectName("ExitButton");
    connect(button, &QPushButton::clicked, this, [this] { Stang1Click(); });
    return button;
}

QPushButton* TResultWindow::addExitButton() {
    QPushButton* button = makeExitButton();
    m_bottom->addWidget(button, 0, Qt::AlignRight);
    return button;
}

}  // namespace tabulon::ui

#include "regression/ui/all_against_all_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include "base/language.h"
#include "graphs/ui/paint_box.h"

namespace tabulon::ui {

AllAgainstAllWindow::AllAgainstAllWindow(Dialogs& dialogs, AllAgainstAllData data,
                                         PairOpener open_pair, QWidget* parent)
    : TResultWindow(dialogs, parent), m_data(std::move(data)), m_open_pair(std::move(open_pair)) {
    setObjectName("AllAgainstAllWindow");
    setWindowTitle(WindowCaption("All against all", "Alla mot alla"));
    Memo1->hide();
    auto* row = new QHBoxLayout;
    Correlations = new QCheckBox(WindowCaption("correlation coefficients", "korrelationskoefficienter"), this);
    SwapAxes = new QCheckBox(WindowCaption("Swap x and y axes", "Byt x- och y-axel"), this);
    row->addWidget(Correlations);
    row->addWidget(SwapAxes);
    row->addStretch(1);
    topLayout()->addLayout(row);
    connect(Correlations, &QCheckBox::toggled, this, [this](bool on) {
        m_view.correlations = on;
        PaintBox1->update();
    });
    connect(SwapAxes, &QCheckBox::toggled, this, [this](bool on) {
        m_view.swapped = on;
        PaintBox1->update();
    });
    PaintBox1->installEventFilter(this);
    PaintBox1->setToolTip(WindowCaption("Double-click a plot to open its regression window",
                                        "Dubbelklicka på en graf för att öppna dess regressionsfönster"));
    addExitButton();
    resize(900, 760);
}

bool AllAgainstAllWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PaintBox1 && event->type() == QEvent::MouseButtonDblClick) {
        CellDoubleClicked(static_cast<QMouseEvent*>(event)->position().toPoint());
        return true;
    }
    return TResultWindow::eventFilter(watched, event);
}

void AllAgainstAllWindow::CellDoubleClicked(QPoint pixel) {
    const auto cell = AllAgainstAllCellAt(m_data, PaintBox1->width(), PaintBox1->height(),
                                          pixel.x(), pixel.y());
    if (!cell || cell->first == cell->second || !m_open_pair) return;
    const auto [xi, yi] = AllAgainstAllPair(cell->first, cell->second, m_view);
    m_open_pair(m_data.columns[static_cast<std::size_t>(xi)],
                m_data.columns[static_cast<std::size_t>(yi)]);
}

std::string AllAgainstAllWindow::ResultText() {
    std::string text;
    for (const std::string& line : AllAgainstAllLines(m_data)) text += line + "\r\n";
    return text;
}

void AllAgainstAllWindow::RenderGraph(Canvas& canvas, int width, int height) {
    RenderAllAgainstAll(canvas, width, height, m_data, m_view, MeasurerFor(canvas, width, height));
}

}  // namespace tabulon::ui

// The graph paint box.
#include "graphs/ui/paint_box.h"

#include <QPainter>

#include "graphs/ui/qt_canvas.h"

namespace tabulon::ui {

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 90);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_render) return;
    QtCanvas canvas(painter);
    m_render(canvas, width(), height());
}

}  // namespace tabulon::ui

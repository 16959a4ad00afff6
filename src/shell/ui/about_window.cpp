// The owner's information window: closes on a click or after five seconds.
#include "shell/ui/about_window.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include "shell/app_state.h"
#include "base/language.h"
#include "graphs/ui/fonts.h"

namespace tabulon::ui {
namespace {

// A small bar-chart emblem; drawn rather than shipped so nothing is loaded at run time.
QPixmap Emblem() {
    QPixmap pixmap(96, 72);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(8, 64, 90, 64);
    p.drawLine(8, 64, 8, 6);
    const int heights[] = {18, 34, 50, 28};
    const QColor colors[] = {QColor(200, 40, 40), QColor(40, 120, 200), QColor(40, 160, 60),
                             QColor(220, 140, 20)};
    for (int i = 0; i < 4; ++i) {
        p.fillRect(QRect(16 + i * 18, 64 - heights[i], 12, heights[i]), colors[i]);
    }
    return pixmap;
}

QLabel* Line(QWidget* parent, const QString& text, int y, int point_size, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setFont(ResolveFont("Times New Roman", point_size, bold));
    label->adjustSize();
    label->move(24, y);
    return label;
}

}  // namespace

TShowOmTabulon::TShowOmTabulon(QWidget* parent) : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromStdString(ChooseText("Owners information", "Ägarinformation")));
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::yellow);
    setPalette(p);
    setAutoFillBackground(true);

    auto* picture = new QLabel(this);
    picture->setPixmap(Emblem());
    picture->adjustSize();
    picture->move(24, 16);
    Line(this, kProgramVersion, 100, 18, true);
    Line(this, QString::fromStdString(ChooseText("Statistics for the analytical laboratory",
                                                 "Statistik för det analytiska laboratoriet")),
         136, 12, false);
    Line(this, "Tabulon Laboratory Statistics", 160, 12, false);
    Line(this, "2026-12-06", 184, 12, false);
    m_hint = Line(this,
                  QString::fromStdString(ChooseText("Klick the yellow area",
                                                    "Klicka i det gula fältet")),
                  220, 12, true);

    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &QDialog::close);
}

void TShowOmTabulon::showEvent(QShowEvent* event) {
    // Sized from the hint, the lowest and one of the widest lines.
    int width = m_hint->x() + m_hint->width() + 50;
    for (auto* child : findChildren<QLabel*>()) {
        width = std::max(width, child->x() + child->width() + 50);
    }
    setFixedSize(width, m_hint->y() + m_hint->height() + 50);
    if (parentWidget()) {
        move(parentWidget()->geometry().center() - rect().center());
    }
    m_timer.start(kCloseAfterMs);
    QDialog::showEvent(event);
}

void TShowOmTabulon::mousePressEvent(QMouseEvent* event) {
    event->accept();
    close();
}

}  // namespace tabulon::ui

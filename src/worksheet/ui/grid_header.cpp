// Painting and clicks of the worksheet grid's fixed rows and columns.
#include "worksheet/ui/grid_header.h"

#include <QMouseEvent>
#include <QPainter>

#include "worksheet/ui/number_grid.h"
#include "worksheet/ui/worksheet_model.h"

namespace tabulon::ui {

GridHeader::GridHeader(Qt::Orientation orientation, TNumberGrid* grid)
    : QHeaderView(orientation, grid), m_grid(grid) {
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QSize GridHeader::sizeHint() const {
    // Fixed thickness: sizing to contents would walk every one of 50,000 rows.
    if (orientation() == Qt::Horizontal) return {0, 2 * m_grid->rowHeightPixels()};
    return {m_grid->fixedColumnWidth(0) + m_grid->fixedColumnWidth(1), 0};
}

int GridHeader::fixedIndexAt(const QPoint& pos) const {
    if (orientation() == Qt::Horizontal) return pos.y() < m_grid->rowHeightPixels() ? 0 : 1;
    return pos.x() < m_grid->fixedColumnWidth(0) ? 0 : 1;
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logical_index) const {
    if (!rect.isValid()) return;
    const auto* sheet_model = static_cast<const WorksheetModel*>(model());
    const QString number = sheet_model->headerData(logical_index, orientation(), Qt::DisplayRole)
                               .toString();
    const QString caption =
        sheet_model->headerData(logical_index, orientation(), WorksheetModel::CaptionRole)
            .toString();
    QRect first = rect;
    QRect second = rect;
    if (orientation() == Qt::Horizontal) {
        first.setHeight(m_grid->rowHeightPixels());
        second.setTop(first.bottom() + 1);
    } else {
        first.setWidth(m_grid->fixedColumnWidth(0));
        second.setLeft(first.right() + 1);
    }
    painter->save();
    painter->setFont(m_grid->font());
    for (const auto& [cell, text] : {std::pair{first, number}, std::pair{second, caption}}) {
        painter->fillRect(cell, m_grid->fixedColor());
        painter->setPen(QColor(96, 96, 96));
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->setPen(Qt::black);
        painter->drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    painter->restore();
}

void GridHeader::mousePressEvent(QMouseEvent* event) {
    const int section = logicalIndexAt(event->position().toPoint());
    if (section >= 0 && fixedIndexAt(event->position().toPoint()) == 1) {
        // Captions are edited, not dragged or used to select.
        emit captionPressed(section);
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

}  // namespace tabulon::ui

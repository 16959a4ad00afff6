// The fixed rows and columns of the worksheet grid, drawn as two-part headers: the column
// header holds the number row (0) above the caption row (1), the row header the number
// column (0) beside the caption column (1).
#pragma once

#include <QHeaderView>

namespace tabulon::ui {

class TNumberGrid;

class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    GridHeader(Qt::Orientation orientation, TNumberGrid* grid);

    QSize sizeHint() const override;

    // Which of the two fixed cells a point in the header falls on: 0 (numbers) or 1.
    int fixedIndexAt(const QPoint& pos) const;

signals:
    // A press on the caption part (row 1 / column 1) of a section.
    void captionPressed(int section);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logical_index) const override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TNumberGrid* m_grid;
};

}  // namespace tabulon::ui

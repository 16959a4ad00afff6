// The Qt model over the worksheet: the data area as items, the fixed rows and columns
// (numbers and captions) as header data.
#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "worksheet/worksheet.h"

namespace tabulon::ui {

class WorksheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Header data role of the caption (row 1 / column 1); DisplayRole gives the number.
    static constexpr int CaptionRole = Qt::UserRole + 1;

    explicit WorksheetModel(QObject* parent = nullptr);

    const Worksheet& sheet() const { return m_sheet; }
    // Replaces the whole sheet (file loading, new sheet, resize).
    void setSheet(Worksheet sheet);
    // Changes the sheet in place; counts as an edit of its contents.
    void editSheet(const std::function<void(Worksheet&)>& change);
    // The same for a change that may turn out to change nothing (a command that refuses):
    // only a change that returns true is reported as an edit.
    void editSheetIf(const std::function<bool(Worksheet&)>& change);

    // Writes one cell by grid index, fixed cells included. Emits contentsEdited() when the
    // text really changes.
    void setCellText(int column, int row, const std::string& text);
    std::string_view cellText(int column, int row) const { return m_sheet.cell(column, row); }

    void setColumnWidth(int column, int width) { m_sheet.setColumnWidth(column, width); }
    void setNotes(std::string notes) { m_sheet.setNotes(std::move(notes)); }
    void moveColumn(int from, int to);
    void moveRow(int from, int to);

    // How data cells are shown; both repaint.
    void setDisplayFormat(int decimals, int significant_digits);
    int decimals() const { return m_decimals; }
    int significantDigits() const { return m_significant; }

    // Grid index <-> model index.
    static int gridColumn(const QModelIndex& index) { return index.column() + 2; }
    static int gridRow(const QModelIndex& index) { return index.row() + 2; }
    QModelIndex indexOf(int column, int row) const { return index(row - 2, column - 2); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Something the user would lose without saving changed.
    void contentsEdited();

private:
    void repaintAll();

    Worksheet m_sheet;
    int m_decimals = 2;
    int m_significant = 0;
};

}  // namespace tabulon::ui

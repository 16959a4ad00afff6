// The Qt model over the worksheet.
#include "worksheet/ui/worksheet_model.h"

#include "base/language.h"
#include "worksheet/cell_format.h"

namespace tabulon::ui {
namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WorksheetModel::WorksheetModel(QObject* parent)
    : QAbstractTableModel(parent), m_sheet(Worksheet::StartSheet()) {}

void WorksheetModel::setSheet(Worksheet sheet) {
    beginResetModel();
    m_sheet = std::move(sheet);
    endResetModel();
}

void WorksheetModel::editSheet(const std::function<void(Worksheet&)>& change) {
    editSheetIf([&](Worksheet& sheet) {
        change(sheet);
        return true;
    });
}

void WorksheetModel::editSheetIf(const std::function<bool(Worksheet&)>& change) {
    beginResetModel();
    const bool changed = change(m_sheet);
    endResetModel();
    if (changed) emit contentsEdited();
}

void WorksheetModel::setCellText(int column, int row, const std::string& text) {
    if (!m_sheet.contains(column, row) || m_sheet.cell(column, row) == text) return;
    m_sheet.setCell(column, row, text);
    if (column >= 2 && row >= 2) {
        const QModelIndex i = indexOf(column, row);
        emit dataChanged(i, i);
    } else if (row < 2 && column >= 2) {
        emit headerDataChanged(Qt::Horizontal, column - 2, column - 2);
    } else if (column < 2 && row >= 2) {
        emit headerDataChanged(Qt::Vertical, row - 2, row - 2);
    }
    emit contentsEdited();
}

void WorksheetModel::moveColumn(int from, int to) {
    m_sheet.moveColumn(from, to);
    repaintAll();
    emit contentsEdited();
}

void WorksheetModel::moveRow(int from, int to) {
    m_sheet.moveRow(from, to);
    repaintAll();
    emit contentsEdited();
}

void WorksheetModel::setDisplayFormat(int decimals, int significant_digits) {
    m_decimals = decimals;
    m_significant = significant_digits;
    repaintAll();
}

void WorksheetModel::repaintAll() {
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::DisplayRole, Qt::EditRole});
    }
    if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

int WorksheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_sheet.rowCount() - Worksheet::kFixedRows;
}

int WorksheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_sheet.columnCount() - Worksheet::kFixedColumns;
}

QVariant WorksheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const std::string_view text = m_sheet.cell(gridColumn(index), gridRow(index));
    switch (role) {
    case Qt::DisplayRole:
        // Formatted on every paint; nothing is cached, so a 10-million-cell sheet costs
        // only what is on screen.
        return QString::fromStdString(
            FormatCellForDisplay(text, m_decimals, m_significant, DecimalSeparator()));
    case Qt::EditRole: return ToQString(text);
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
    }
}

bool WorksheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    setCellText(gridColumn(index), gridRow(index), value.toString().toStdString());
    return true;
}

QVariant WorksheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole && role != CaptionRole) return {};
    const int fixed = role == Qt::DisplayRole ? 0 : 1;
    if (orientation == Qt::Horizontal) {
        return ToQString(m_sheet.cell(section + 2, fixed));
    }
    return ToQString(m_sheet.cell(fixed, section + 2));
}

Qt::ItemFlags WorksheetModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

}  // namespace tabulon::ui

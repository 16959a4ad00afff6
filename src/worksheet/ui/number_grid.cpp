// TNumberGrid: the worksheet's view and editor.
#include "worksheet/ui/number_grid.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>

#include "base/language.h"
#include "worksheet/cell_format.h"
#include "worksheet/editing_undo.h"
#include "worksheet/ui/grid_header.h"
#include "worksheet/ui/worksheet_model.h"

namespace tabulon::ui {
namespace {

// Editors that write every keystroke into the sheet through the grid's edit hook, so the
// undo list sees a run of typing and the sheet is current while the editor is open.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(TNumberGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        m_grid->editorOpened(editor);
        editor->setFrame(false);
        editor->setFont(m_grid->font());
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int column = WorksheetModel::gridColumn(index);
        const int row = WorksheetModel::gridRow(index);
        QPointer<TNumberGrid> grid = m_grid;
        editor->installEventFilter(m_grid);
        QObject::connect(editor, &QLineEdit::textEdited, editor,
                         [grid, column, row](const QString& text) {
                             if (grid) grid->editText(column, row, text.toStdString());
                         });
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        // Every keystroke comes back here through the model's change signal; putting the same
        // text in again would throw the caret to the end and wipe the editor's selection.
        auto* edit = static_cast<QLineEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (edit->text() != text) edit->setText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        // Typing has already been written; this only catches text put in without typing.
        const std::string text = static_cast<QLineEdit*>(editor)->text().toStdString();
        const int column = WorksheetModel::gridColumn(index);
        const int row = WorksheetModel::gridRow(index);
        if (m_grid->sheet().cell(column, row) != text) m_grid->editText(column, row, text);
    }

private:
    TNumberGrid* m_grid;
};

}  // namespace

TNumberGrid::TNumberGrid(QWidget* parent)
    : QTableView(parent),
      m_model(new WorksheetModel(this)),
      m_column_header(new GridHeader(Qt::Horizontal, this)),
      m_row_header(new GridHeader(Qt::Vertical, this)) {
    setHorizontalHeader(m_column_header);
    setVerticalHeader(m_row_header);
    setModel(m_model);
    setItemDelegate(new CellDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setWordWrap(false);
    setTabKeyNavigation(true);
    m_row_header->setSectionResizeMode(QHeaderView::Fixed);
    m_row_header->setDefaultSectionSize(m_row_height);
    m_row_header->setMinimumSectionSize(1);
    m_column_header->setSectionResizeMode(QHeaderView::Interactive);
    m_column_header->setMinimumSectionSize(1);
    m_column_header->setDefaultSectionSize(Worksheet::kDefaultColumnWidth);
    setCornerButtonEnabled(false);
    if (auto* corner = findChild<QAbstractButton*>()) corner->installEventFilter(this);

    connect(m_column_header, &QHeaderView::sectionResized, this,
            [this](int logical, int, int size) {
                if (!m_syncing) m_model->setColumnWidth(logical + 2, size);
            });
    connect(m_column_header, &QHeaderView::sectionMoved, this,
            [this](int logical, int from, int to) {
                onSectionMoved(Qt::Horizontal, logical, from, to);
            });
    connect(m_row_header, &QHeaderView::sectionMoved, this,
            [this](int logical, int from, int to) {
                onSectionMoved(Qt::Vertical, logical, from, to);
            });
    connect(m_column_header, &QHeaderView::sectionPressed, this, [this](int logical) {
        emit fixedCellPressed(logical + 2, 0, QGuiApplication::keyboardModifiers());
    });
    connect(m_row_header, &QHeaderView::sectionPressed, this, [this](int logical) {
        emit fixedCellPressed(0, logical + 2, QGuiApplication::keyboardModifiers());
    });
    connect(m_column_header, &GridHeader::captionPressed, this, [this](int logical) {
        emit fixedCellPressed(logical + 2, 1, QGuiApplication::keyboardModifiers());
    });
    connect(m_row_header, &GridHeader::captionPressed, this, [this](int logical) {
        emit fixedCellPressed(1, logical + 2, QGuiApplication::keyboardModifiers());
    });
    setCellColor(m_cell_color);
    syncHeaderSizes();
}

TNumberGrid::~TNumberGrid() = default;

const Worksheet& TNumberGrid::sheet() const { return m_model->sheet(); }

void TNumberGrid::setSheet(Worksheet sheet) {
    m_model->setSheet(std::move(sheet));
    syncHeaderSizes();
}

void TNumberGrid::editSheet(const std::function<void(Worksheet&)>& change) {
    m_model->editSheet(change);
    syncHeaderSizes();
}

void TNumberGrid::editSheet(std::unique_ptr<SheetUndo> undo,
                            const std::function<void(Worksheet&)>& change) {
    closeOpenEditor();
    editSheet(change);
    m_history.recordCommand(std::move(undo));
}

void TNumberGrid::applyCommand(const SheetCommand& command) {
    closeOpenEditor();
    const bool had_cursor = currentIndex().isValid();
    const int column = col();
    const int row = this->row();
    std::unique_ptr<SheetUndo> undo;
    // A command that refuses returns no record and has changed nothing.
    m_model->editSheetIf([&](Worksheet& sheet) {
        undo = command(sheet);
        return undo != nullptr;
    });
    syncHeaderSizes();
    if (undo) m_history.recordCommand(ForSheetAsLeft(std::move(undo), sheet()));
    // The model was reset; the cursor stays where it was while that cell still exists.
    if (had_cursor) setCursorCell(column, row);
}

int TNumberGrid::Decimals() const { return m_model->decimals(); }
void TNumberGrid::setDecimals(int decimals) {
    m_model->setDisplayFormat(decimals, m_model->significantDigits());
}
int TNumberGrid::SignificantDig() const { return m_model->significantDigits(); }
void TNumberGrid::setSignificantDig(int digits) {
    m_model->setDisplayFormat(m_model->decimals(), digits);
}

void TNumberGrid::setFixedColor(const QColor& color) {
    m_fixed_color = color;
    m_column_header->viewport()->update();
    m_row_header->viewport()->update();
    if (auto* corner = findChild<QAbstractButton*>()) corner->update();
}

void TNumberGrid::setCellColor(const QColor& color) {
    m_cell_color = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

void TNumberGrid::setGridFont(const QFont& font) {
    setFont(font);
    m_column_header->setFont(font);
    m_row_header->setFont(font);
    updateGeometries();
    viewport()->update();
}

int TNumberGrid::fixedColumnWidth(int column) const { return sheet().columnWidth(column); }

void TNumberGrid::setColumnWidthPixels(int column, int width) {
    m_model->setColumnWidth(column, width);
    if (column >= Worksheet::kFixedColumns) {
        m_syncing = true;
        m_column_header->resizeSection(column - 2, sheet().columnWidth(column));
        m_syncing = false;
    } else {
        updateGeometries();
        m_row_header->viewport()->update();
        if (auto* corner = findChild<QAbstractButton*>()) corner->update();
    }
}

void TNumberGrid::setColumnWidthsPixels(int first_column, const std::vector<int>& widths) {
    for (std::size_t i = 0; i < widths.size(); ++i) {
        m_model->setColumnWidth(first_column + static_cast<int>(i), widths[i]);
    }
    syncHeaderSizes();
    m_row_header->viewport()->update();
    if (auto* corner = findChild<QAbstractButton*>()) corner->update();
}

void TNumberGrid::syncHeaderSizes() {
    m_syncing = true;
    // A header that paints recomputes every section's position on each resize; with tens of
    // thousands of columns that is quadratic, so it lays out once afterwards.
    m_column_header->setUpdatesEnabled(false);
    for (int c = Worksheet::kFixedColumns; c < sheet().columnCount(); ++c) {
        m_column_header->resizeSection(c - 2, sheet().columnWidth(c));
    }
    m_column_header->setUpdatesEnabled(true);
    m_syncing = false;
    updateGeometries();
    viewport()->update();
}

int TNumberGrid::col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? WorksheetModel::gridColumn(i) : Worksheet::kFixedColumns;
}

int TNumberGrid::row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? WorksheetModel::gridRow(i) : Worksheet::kFixedRows;
}

void TNumberGrid::setCursorCell(int column, int row) {
    const QModelIndex i = m_model->indexOf(column, row);
    if (i.isValid()) setCurrentIndex(i);
}

GridRect TNumberGrid::selection() const {
    const QItemSelection sel = selectionModel()->selection();
    if (sel.isEmpty()) return {col(), row(), col(), row()};
    GridRect r{INT_MAX, INT_MAX, -1, -1};
    for (const QItemSelectionRange& range : sel) {
        r.left = std::min(r.left, range.left() + 2);
        r.top = std::min(r.top, range.top() + 2);
        r.right = std::max(r.right, range.right() + 2);
        r.bottom = std::max(r.bottom, range.bottom() + 2);
    }
    return r;
}

void TNumberGrid::setSelection(const GridRect& rect) {
    const QModelIndex tl = m_model->indexOf(rect.left, rect.top);
    const QModelIndex br = m_model->indexOf(rect.right, rect.bottom);
    if (!tl.isValid() || !br.isValid()) return;
    selectionModel()->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
}

void TNumberGrid::selectAllData() {
    setSelection({2, 2, sheet().columnCount() - 1, sheet().rowCount() - 1});
}

void TNumberGrid::selectDataColumn(int column) {
    setSelection({column, 2, column, sheet().rowCount() - 1});
}

void TNumberGrid::selectDataRow(int row) {
    setSelection({2, row, sheet().columnCount() - 1, row});
}

void TNumberGrid::clearSelectedCells() {
    const GridRect r = selection();
    if (!r.valid()) return;
    for (int c = r.left; c <= r.right; ++c) {
        for (int rr = r.top; rr <= r.bottom; ++rr) setCellText(c, rr, std::string());
    }
}

void TNumberGrid::setCellText(int column, int row, const std::string& text) {
    m_model->setCellText(column, row, text);
}

void TNumberGrid::Undo() {
    auto change = m_history.undo();
    if (!change) return;
    if (change->isCommand()) {
        closeOpenEditor();
        editSheet([&change](Worksheet& sheet) { change->command->Restore(sheet); });
        viewport()->update();
        setFocus();
        return;
    }
    // Undoing the typing of the open cell keeps its editor, which the model's change signal
    // fills with the text brought back; an editor on any other cell closes first.
    const bool in_open_cell = m_open_editor && state() == QAbstractItemView::EditingState &&
                              col() == change->column && row() == change->row;
    if (!in_open_cell) closeOpenEditor();
    m_undoing = true;
    setCellText(change->column, change->row, change->text);
    m_undoing = false;
    setCursorCell(change->column, change->row);
    viewport()->update();
    if (in_open_cell) {
        m_open_editor->setFocus();
    } else {
        setFocus();
    }
}

void TNumberGrid::editText(int column, int row, const std::string& text) {
    if (!m_undoing) m_history.recordEdit(column, row, std::string(sheet().cell(column, row)), text);
    setCellText(column, row, text);
}

bool TNumberGrid::selectCell(int column, int row) {
    const int c = col();
    const int r = this->row();
    if (!currentIndex().isValid() || (c == column && r == row)) return true;
    const std::string text(sheet().cell(c, r));
    if (text.empty()) return true;
    const LeaveCellResult result = NormalizeCellOnLeave(text, DecimalSeparator());
    if (result.accepted) {
        // The open editor would write its own text back over the tidied one.
        closeOpenEditor();
        setCellText(c, r, result.text);
        return true;
    }
    setCellText(c, r, result.text);
    bool accept = false;
    if (OnNumberError) {
        OnNumberError(*this, column, row, accept);
    } else if (m_message_sink) {
        m_message_sink("Not a number");
    }
    return accept;
}

QModelIndex TNumberGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex target = QTableView::moveCursor(action, modifiers);
    if (target.isValid() && target != currentIndex() &&
        !selectCell(WorksheetModel::gridColumn(target), WorksheetModel::gridRow(target))) {
        return currentIndex();
    }
    return target;
}

void TNumberGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QModelIndex target = indexAt(pos);
    if (target.isValid() && target != currentIndex() &&
        !selectCell(WorksheetModel::gridColumn(target), WorksheetModel::gridRow(target))) {
        event->accept();
        return;
    }
    m_drag_armed = m_extended_select && target.isValid();
    m_down_point = pos;
    QTableView::mousePressEvent(event);
}

void TNumberGrid::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        if (!m_drag_armed) return;
        const QPoint d = event->position().toPoint() - m_down_point;
        // A tremor of a few pixels is a click, not a drag.
        if (std::abs(d.x()) < 4 && std::abs(d.y()) < 4) return;
    }
    QTableView::mouseMoveEvent(event);
}

void TNumberGrid::mouseReleaseEvent(QMouseEvent* event) {
    m_drag_armed = false;
    m_down_point = {-1, -1};
    QTableView::mouseReleaseEvent(event);
}

void TNumberGrid::closeOpenEditor() {
    if (m_open_editor && state() == QAbstractItemView::EditingState) {
        QWidget* editor = m_open_editor;
        m_open_editor = nullptr;
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool TNumberGrid::moveDownOneRow() {
    const int c = col();
    const int r = row();
    if (r + 1 >= sheet().rowCount()) return false;
    if (!selectCell(c, r + 1)) return false;
    setCursorCell(c, r + 1);
    return true;
}

void TNumberGrid::keyPressEvent(QKeyEvent* event) {
    const bool editing = state() == QAbstractItemView::EditingState;
    if (!editing && m_new_line_on_return &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        moveDownOneRow();
        event->accept();
        return;
    }
    if (!editing && event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        clearSelectedCells();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TNumberGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current != previous) m_history.endRun();
}

void TNumberGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache && m_new_line_on_return) moveDownOneRow();
}

void TNumberGrid::onSectionMoved(Qt::Orientation orientation, int, int old_visual,
                                 int new_visual) {
    if (m_syncing) return;
    // The header only reorders its view; put it back and move the sheet's own cells, so
    // that files, column numbers and every procedure see the new order.
    m_syncing = true;
    GridHeader* header = orientation == Qt::Horizontal ? m_column_header : m_row_header;
    header->moveSection(new_visual, old_visual);
    m_syncing = false;
    if (orientation == Qt::Horizontal) {
        m_model->moveColumn(old_visual + 2, new_visual + 2);
        syncHeaderSizes();
        setCursorCell(new_visual + 2, row());
    } else {
        m_model->moveRow(old_visual + 2, new_visual + 2);
        setCursorCell(col(), new_visual + 2);
    }
}

bool TNumberGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_open_editor && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        // The editor would claim Ctrl+Z for its own undo; let it reach the window's undo
        // command instead, so the key undoes the same records whether a cell is open or not.
        return true;
    }
    if (watched == m_open_editor && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Undo)) {
        // No window command took the key: the grid undoes by itself.
        Undo();
        return true;
    }
    if (watched == m_open_editor && event->type() == QEvent::KeyPress) {
        // Left at the start of the text and Right at its end leave the cell, as Up and Down
        // always do; in between they move the text cursor.
        auto* edit = static_cast<QLineEdit*>(m_open_editor.data());
        const int k = static_cast<QKeyEvent*>(event)->key();
        const bool at_start = edit->cursorPosition() == 0 && !edit->hasSelectedText();
        const bool at_end = edit->cursorPosition() == edit->text().size() && !edit->hasSelectedText();
        if ((k == Qt::Key_Left && at_start) || (k == Qt::Key_Right && at_end)) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
        return false;
    }
    auto* corner = qobject_cast<QAbstractButton*>(watched);
    if (!corner) return QTableView::eventFilter(watched, event);
    if (event->type() == QEvent::Paint) {
        paintCorner(corner);
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(event);
        const QPoint p = me->position().toPoint();
        const int column = p.x() < fixedColumnWidth(0) ? 0 : 1;
        const int r = p.y() < m_row_height ? 0 : 1;
        emit fixedCellPressed(column, r, me->modifiers());
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void TNumberGrid::paintCorner(QWidget* corner) {
    QPainter painter(corner);
    const int w0 = fixedColumnWidth(0);
    const int w1 = fixedColumnWidth(1);
    for (int c = 0; c < 2; ++c) {
        for (int r = 0; r < 2; ++r) {
            const QRect cell(c == 0 ? 0 : w0, r * m_row_height, c == 0 ? w0 : w1, m_row_height);
            painter.fillRect(cell, m_fixed_color);
            painter.setPen(QColor(96, 96, 96));
            painter.drawLine(cell.topRight(), cell.bottomRight());
            painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        }
    }
}

}  // namespace tabulon::ui

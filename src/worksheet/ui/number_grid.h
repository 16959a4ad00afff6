// TNumberGrid: the worksheet's view and editor. It shows data cells by the decimals or
// significant-digits rule, tidies a typed number when the cursor leaves its cell and refuses
// to leave a cell that is not a number, records typing for undo, and selects by dragging.
#pragma once

#include <QColor>
#include <QPointer>
#include <QTableView>
#include <functional>

#include "worksheet/change_list.h"
#include "worksheet/worksheet.h"

namespace tabulon::ui {

class GridHeader;
class WorksheetModel;

// A rectangle of grid cells, inclusive, by grid index.
struct GridRect {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
    bool valid() const { return left >= 0 && top >= 0 && right >= left && bottom >= top; }
    bool operator==(const GridRect&) const = default;
};

class TNumberGrid : public QTableView {
    Q_OBJECT
public:
    // Raised when the user leaves a data cell whose text is not a number; may set accept.
    using NumberErrorHandler = std::function<void(TNumberGrid&, int column, int row, bool& accept)>;

    explicit TNumberGrid(QWidget* parent = nullptr);
    ~TNumberGrid() override;

    WorksheetModel* sheetModel() const { return m_model; }
    const Worksheet& sheet() const;
    void setSheet(Worksheet sheet);
    // Changes the sheet in place (no copy of its cells) and shows the result.
    void editSheet(const std::function<void(Worksheet&)>& change);
    // The same for a command the user can take back with Ångra: `undo` was taken from the
    // sheet before the change and becomes one step of the undo list.
    void editSheet(std::unique_ptr<SheetUndo> undo, const std::function<void(Worksheet&)>& change);
    // The same for a command that makes its own record while it changes the sheet (the rows a
    // deletion took out, the order a sort made); a null record adds no step.
    using SheetCommand = std::function<std::unique_ptr<SheetUndo>(Worksheet&)>;
    void applyCommand(const SheetCommand& command);
    // Where the grid's one message ("Not a number") goes; the main window routes it to the
    // Dialogs interface, so the grid itself never asks the user anything.
    void setMessageSink(std::function<void(const std::string&)> sink) {
        m_message_sink = std::move(sink);
    }

    int Decimals() const;
    void setDecimals(int decimals);
    int SignificantDig() const;
    void setSignificantDig(int digits);
    int UndoMemory() const { return m_history.changes().limit(); }
    void setUndoMemory(int records) { m_history.changes().setLimit(records); }
    void clearUndo() { m_history.clear(); }
    int undoCount() const { return m_history.changes().size(); }
    bool ExtendedSelect() const { return m_extended_select; }
    void setExtendedSelect(bool on) { m_extended_select = on; }
    bool NewLineOnReturn() const { return m_new_line_on_return; }
    void setNewLineOnReturn(bool on) { m_new_line_on_return = on; }
    NumberErrorHandler OnNumberError;

    QColor fixedColor() const { return m_fixed_color; }
    void setFixedColor(const QColor& color);
    QColor cellColor() const { return m_cell_color; }
    void setCellColor(const QColor& color);
    void setGridFont(const QFont& font);

    int rowHeightPixels() const { return m_row_height; }
    int fixedColumnWidth(int column) const;
    void setColumnWidthPixels(int column, int width);  // grid index, fixed columns too
    // Widths of the columns from `first_column` on at once (fitting every column), laid out
    // in one pass rather than one per column.
    void setColumnWidthsPixels(int first_column, const std::vector<int>& widths);

    // The cursor by grid index.
    int col() const;
    int row() const;
    void setCursorCell(int column, int row);  // moves without the leave check
    GridRect selection() const;
    void setSelection(const GridRect& rect);
    void selectAllData();
    void selectDataColumn(int column);
    void selectDataRow(int row);
    // Empties every cell of the selection (the Delete key).
    void clearSelectedCells();

    void Undo();

    // The edit hook: the in-place editor's text changed to `text` in cell (column, row).
    void editText(int column, int row, const std::string& text);
    // The leave hook: may the cursor move from the present cell to (column, row)?
    bool selectCell(int column, int row);
    // The delegate tells the grid which editor is open, so the grid can close it first.
    void editorOpened(QWidget* editor) { m_open_editor = editor; }
    // Writes a cell as a command does: not recorded for undo.
    void setCellText(int column, int row, const std::string& text);

signals:
    // A press on a fixed cell (grid index); the main window gives those their meaning.
    void fixedCellPressed(int column, int row, Qt::KeyboardModifiers modifiers);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void syncHeaderSizes();
    void onSectionMoved(Qt::Orientation orientation, int logical, int old_visual, int new_visual);
    bool moveDownOneRow();
    void closeOpenEditor();
    void paintCorner(QWidget* corner);

    WorksheetModel* m_model;
    GridHeader* m_column_header;
    GridHeader* m_row_header;
    std::function<void(const std::string&)> m_message_sink;
    UndoHistory m_history;
    bool m_undoing = false;
    bool m_extended_select = false;
    bool m_new_line_on_return = false;
    bool m_syncing = false;
    QColor m_fixed_color{Qt::yellow};
    QColor m_cell_color{Qt::white};
    int m_row_height = 24;
    // The armed drag: press point and cell; -1 when none.
    QPoint m_down_point{-1, -1};
    bool m_drag_armed = false;
    QPointer<QWidget> m_open_editor;
};

}  // namespace tabulon::ui

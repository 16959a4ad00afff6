// The column choice windows: ColumnChoiceDialog (one list, single or multiple selection; a double click
// chooses) and TDualListDlg (two lists, one column from each), and the text import dialog
// TextImportDialog ("Rubriker").
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "graphs/dialogs.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

namespace tabulon::ui {

class ColumnChoiceDialog : public QDialog {
    Q_OBJECT
public:
    ColumnChoiceDialog(const QString& caption, const std::vector<std::string>& labels, bool multiple,
           QWidget* parent = nullptr);
    QListWidget* ListBox1() const { return m_list; }
    // The selected labels in list order.
    std::vector<std::string> selectedLabels() const;
    // A double click closed the window: that counts as a choice although it is not OK.
    bool doubleClicked() const { return m_double_clicked; }

private:
    QListWidget* m_list;
    bool m_double_clicked = false;
};

class TDualListDlg : public QDialog {
    Q_OBJECT
public:
    explicit TDualListDlg(const std::vector<std::string>& labels, QWidget* parent = nullptr,
                          const ListHeadings& headings = {});
    QListWidget* leftList() const { return m_left; }
    QListWidget* rightList() const { return m_right; }
    std::string leftLabel() const;
    std::string rightLabel() const;

private:
    QListWidget* m_left;
    QListWidget* m_right;
};

class TextImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit TextImportDialog(QWidget* parent = nullptr);
    QCheckBox* columnCaptions() const { return m_columns; }
    QCheckBox* rowCaptions() const { return m_rows; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_label;
    QCheckBox* m_columns;
    QCheckBox* m_rows;
};

}  // namespace tabulon::ui

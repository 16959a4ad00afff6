// SortDialog: the sort window. One column from a list of labels (a double click chooses and
// closes) and the order, Stigande or Fallande.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "worksheet/editing.h"

class QListWidget;
class QRadioButton;

namespace tabulon::ui {

class SortDialog : public QDialog {
    Q_OBJECT
public:
    SortDialog(const std::vector<std::string>& labels, bool ascending, QWidget* parent = nullptr);
    QListWidget* ListBox1() const { return m_list; }
    QRadioButton* ascendingButton() const { return m_ascending; }
    QRadioButton* descendingButton() const { return m_descending; }
    // The selected label and the order; nullopt when no label is selected.
    std::optional<SortChoice> choice() const;
    // A double click closed the window: a choice, although the window was not accepted.
    bool doubleClicked() const { return m_double_clicked; }

private:
    QListWidget* m_list;
    QRadioButton* m_ascending;
    QRadioButton* m_descending;
    bool m_double_clicked = false;
};

}  // namespace tabulon::ui

// PasteSpecialDialog: the paste special window. How many columns (Automatiskt, or a number
// to wrap at), whether the text starts with column or row headings, and the column separator.
// It has only OK: however it is closed, the settings count.
#pragma once

#include <QDialog>

#include "worksheet/paste.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

namespace tabulon::ui {

class PasteSpecialDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasteSpecialDialog(const PasteSpecialOptions& preset, QWidget* parent = nullptr);
    PasteSpecialOptions options() const;

    QRadioButton* autoButton() const { return m_auto; }
    QRadioButton* specifyButton() const { return m_specify; }
    QSpinBox* columnCount() const { return m_count; }
    QCheckBox* columnHeadings() const { return m_column_headings; }
    QCheckBox* rowHeadings() const { return m_row_headings; }
    QRadioButton* separatorButton(PasteSeparator separator) const;

private:
    QRadioButton* m_auto;
    QRadioButton* m_specify;
    QSpinBox* m_count;
    QCheckBox* m_column_headings;
    QCheckBox* m_row_headings;
    QRadioButton* m_tab;
    QRadioButton* m_space;
    QRadioButton* m_comma;
};

}  // namespace tabulon::ui

// The calibration model's questions: the column choice with one z-variable and several
// x-variables, and the factor count of PCR and PLS with what each count leaves unexplained.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "graphs/dialogs.h"

class QLineEdit;
class QListWidget;
class QTableWidget;

namespace tabulon::ui {

class TModelColumnDlg : public QDialog {
    Q_OBJECT
public:
    explicit TModelColumnDlg(const std::vector<std::string>& labels, QWidget* parent = nullptr);
    QListWidget* zList() const { return m_z; }
    QListWidget* xList() const { return m_x; }
    std::string zLabel() const;
    std::vector<std::string> xLabels() const;  // in list order

private:
    QListWidget* m_z;
    QListWidget* m_x;
};

class TFakValj2 : public QDialog {
    Q_OBJECT
public:
    explicit TFakValj2(const FactorCountQuestion& question, QWidget* parent = nullptr);
    QTableWidget* StringGrid1() const { return m_grid; }
    QLineEdit* Edit1() const { return m_edit; }

private:
    QTableWidget* m_grid;
    QLineEdit* m_edit;
};

}  // namespace tabulon::ui

// DesignDialog: "Försöksplanering - Skapa modell". The number of variables, levels and
// experiments, the kind of model, and each variable's name and level values; the number of
// model terms is shown as the entries change.
#pragma once

#include <QDialog>

#include "graphs/dialogs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tabulon::ui {

class DesignDialog : public QDialog {
    Q_OBJECT
public:
    explicit DesignDialog(const DesignRequest& preset, QWidget* parent = nullptr);
    QLineEdit* Edit1() const { return m_variables; }
    QLineEdit* Edit2() const { return m_runs; }
    QLineEdit* Edit3() const { return m_factors; }
    QComboBox* ComboBox1() const { return m_model; }
    QComboBox* ComboBox2() const { return m_levels; }
    QTableWidget* StringGrid1() const { return m_grid; }

    // Leaving "Antal variabler": a whole number 2 ≤ k < 64000 sets the grid's rows (new rows
    // get their letter and levels); anything else is put back to the rows there are.
    void Edit1Exit();
    // "Antal nivåer" changed: the grid gets the three- or two-level columns.
    void ComboBox2Change();
    // "Antal försök" and "Antal faktorer" from the model.
    void ShowCounts();
    // The entries, corrected as Beräkna corrects them; a level value that is not a number
    // refuses (nullopt, and the reason is shown).
    std::optional<DesignRequest> request();
    void accept() override;

private:
    void setLevelColumns(int levels);
    void initialiseRow(int row);

    QLineEdit* m_variables;
    QComboBox* m_levels;
    QLineEdit* m_runs;
    QLineEdit* m_factors;
    QComboBox* m_model;
    QTableWidget* m_grid;
    QLabel* m_error;
    int m_grid_levels = 2;
};

}  // namespace tabulon::ui

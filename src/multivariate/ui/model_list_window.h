// TListRegCoefficients: the small window of n-Dim > Visa modell and Öppna modell (the
// coefficients and their variables) and of Använd modell (which column each variable found).
#pragma once

#include <QDialog>

#include "multivariate/model_file.h"

class QAction;
class QTableWidget;

namespace tabulon::ui {

class TListRegCoefficients : public QDialog {
    Q_OBJECT
public:
    explicit TListRegCoefficients(const ModelWindowTable& table, QWidget* parent = nullptr);
    QTableWidget* StringGrid1() const { return m_grid; }
    QAction* Stang1 = nullptr;

private:
    QTableWidget* m_grid;
};

}  // namespace tabulon::ui

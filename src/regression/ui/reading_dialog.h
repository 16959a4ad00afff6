// CalibrationReadingDialog ("Beräkna y"): y computed from a typed x, or x from a measured y
// and its number of replicates, with the intervals the fitted model gives.
#pragma once

#include <QDialog>
#include <functional>

#include "regression/fitted_model.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tabulon {
class Dialogs;
}

namespace tabulon::ui {

class CalibrationReadingDialog : public QDialog {
    Q_OBJECT
public:
    // y(x) when `y_from_x`, else x(y). The model is asked through `model`, so the dialog never
    // holds on to a fit the window may replace.
    CalibrationReadingDialog(Dialogs& dialogs, bool y_from_x,
                             std::function<const FittedModel*()> model, QWidget* parent = nullptr);

    // "Beräkna y" / "Beräkna x": reads the edits and fills the answers. A text that is not a
    // number is named in a message and changes nothing.
    void CalculateClick();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* Edit1;  // x (y(x)) or y (x(y))
    QLineEdit* Edit2;  // "y linje" (y(x)) or "Antal y" (x(y))
    QLineEdit* Edit3;  // "y punkt" (y(x)) or "x punkt" (x(y))
    QPushButton* CalculateButton;
    QPushButton* ExitButton;

private:
    Dialogs& m_dialogs;
    bool m_y_from_x;
    std::function<const FittedModel*()> m_model;
};

}  // namespace tabulon::ui

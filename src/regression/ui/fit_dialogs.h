// The two option windows of the regression window's curve fits: the weighted polynomial's
// "Choose parameters" (degree, weight, forced origin) and the own function's term choice
// (sixteen check boxes).
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "graphs/dialogs.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

namespace tabulon::ui {

class PolynomialOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PolynomialOptionsDialog(const PolynomialOptions& current, QWidget* parent = nullptr);
    PolynomialOptions options() const;

    QSpinBox* DegreeEdit = nullptr;
    QComboBox* WeightBox = nullptr;
    QComboBox* OriginBox = nullptr;
};

class FunctionTermsDialog : public QDialog {
    Q_OBJECT
public:
    FunctionTermsDialog(const std::vector<std::string>& names, unsigned ticked,
                        QWidget* parent = nullptr);
    unsigned ticked() const;

    std::vector<QCheckBox*> TermBoxes;
};

}  // namespace tabulon::ui

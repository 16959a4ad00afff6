// The polynomial options and function terms windows.
#include "regression/ui/fit_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "graphs/ui/result_window.h"

namespace tabulon::ui {
namespace {

QDialogButtonBox* OkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(WindowCaption("Cancel", "Avbryt"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

PolynomialOptionsDialog::PolynomialOptionsDialog(const PolynomialOptions& current, QWidget* parent)
    : QDialog(parent) {
    setObjectName("PolynomialOptionsDialog");
    setWindowTitle(WindowCaption("Choose parameters", "Välj parametrar"));
    auto* form = new QFormLayout;
    DegreeEdit = new QSpinBox(this);
    DegreeEdit->setObjectName("DegreeEdit");
    DegreeEdit->setRange(1, 10);
    DegreeEdit->setValue(std::clamp(current.degree, 1, 10));
    WeightBox = new QComboBox(this);
    WeightBox->setObjectName("WeightBox");
    WeightBox->addItems({WindowCaption("None", "Ingen"), "1/x", "1/x²", "1/y", "1/y²"});
    WeightBox->setCurrentIndex(std::clamp(current.weight, 0, 4));
    OriginBox = new QComboBox(this);
    OriginBox->setObjectName("OriginBox");
    OriginBox->addItems({WindowCaption("No", "Nej"), WindowCaption("Yes", "Ja")});
    OriginBox->setCurrentIndex(current.through_origin ? 1 : 0);
    form->addRow(WindowCaption("Polynomial degree", "Polynomets grad"), DegreeEdit);
    form->addRow(WindowCaption("weight", "vikt"), WeightBox);
    form->addRow(WindowCaption("Force through origo", "Tvinga genom origo"), OriginBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancel(this));
}

PolynomialOptions PolynomialOptionsDialog::options() const {
    return {DegreeEdit->value(), WeightBox->currentIndex(), OriginBox->currentIndex() == 1};
}

FunctionTermsDialog::FunctionTermsDialog(const std::vector<std::string>& names, unsigned ticked,
                                         QWidget* parent)
    : QDialog(parent) {
    setObjectName("FunctionTermsDialog");
    setWindowTitle(WindowCaption("y=f(x): choose the terms", "y=f(x): välj termerna"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(WindowCaption("y = the sum of the ticked terms, each with a "
                                               "coefficient fitted by least squares",
                                               "y = summan av de markerade termerna, var och en "
                                               "med en koefficient anpassad med minsta kvadrat"),
                                 this));
    auto* grid = new QGridLayout;
    // Two columns: the powers of x on the left, the other functions on the right.
    const int rows = static_cast<int>((names.size() + 1) / 2);
    for (std::size_t j = 0; j < names.size(); ++j) {
        auto* box = new QCheckBox(QString::fromStdString(names[j]), this);
        box->setObjectName(QString("Term%1").arg(j));
        box->setChecked(ticked & (1u << j));
        grid->addWidget(box, static_cast<int>(j) % rows, static_cast<int>(j) / rows);
        TermBoxes.push_back(box);
    }
    layout->addLayout(grid);
    layout->addWidget(OkCancel(this));
}

unsigned FunctionTermsDialog::ticked() const {
    unsigned bits = 0;
    for (std::size_t j = 0; j < TermBoxes.size(); ++j) {
        if (TermBoxes[j]->isChecked()) bits |= 1u << j;
    }
    return bits;
}

}  // namespace tabulon::ui

// The y(x) and x(y) calculator of the regression window.
#include "regression/ui/reading_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/language.h"
#include "graphs/dialogs.h"
#include "graphs/ui/result_window.h"
#include "numeric/number_text.h"
#include "regression/regression_texts.h"

namespace tabulon::ui {

CalibrationReadingDialog::CalibrationReadingDialog(Dialogs& dialogs, bool y_from_x,
                                                   std::function<const FittedModel*()> model,
                                                   QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_y_from_x(y_from_x), m_model(std::move(model)) {
    setObjectName("Form33");
    setWindowTitle(WindowCaption("Calculate y", "Beräkna y"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    Label1 = new QLabel(this);
    Label2 = new QLabel(this);
    Label3 = new QLabel(this);
    Edit1 = new QLineEdit(this);
    Edit2 = new QLineEdit(this);
    Edit3 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit2->setObjectName("Edit2");
    Edit3->setObjectName("Edit3");
    Edit3->setReadOnly(true);
    Edit3->setMinimumWidth(220);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(Edit2, 1, 1);
    grid->addWidget(Label3, 2, 0);
    grid->addWidget(Edit3, 2, 1);
    layout->addLayout(grid);
    CalculateButton = new QPushButton(this);
    CalculateButton->setObjectName("CalculateButton");
    ExitButton = new QPushButton("Exit", this);
    ExitButton->setObjectName("ExitButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CalculateButton);
    buttons->addStretch(1);
    buttons->addWidget(ExitButton);
    layout->addLayout(buttons);
    if (y_from_x) {
        Label1->setText("x");
        Label2->setText(WindowCaption("y-line", "y linje"));
        Label3->setText(WindowCaption("y-point", "y punkt"));
        Edit2->setReadOnly(true);
        CalculateButton->setText(WindowCaption("Calculate y", "Beräkna y"));
    } else {
        Label1->setText("y");
        Label2->setText(WindowCaption("Number of y", "Antal y"));
        Label3->setText(WindowCaption("x point", "x punkt"));
        Edit2->setText("1");
        CalculateButton->setText(WindowCaption("Calculate x", "Beräkna x"));
    }
    CalculateButton->setDefault(true);
    connect(CalculateButton, &QPushButton::clicked, this, [this] { CalculateClick(); });
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
}

void CalibrationReadingDialog::CalculateClick() {
    const FittedModel* model = m_model();
    if (!model) return;
    const char sep = DecimalSeparator();
    try {
        const Extended value = StrToNumber(Edit1->text().toStdString(), sep);
        if (m_y_from_x) {
            const YFromXResult r = model->YFromX(value);
            if (r.has_interval) {
                Edit2->setText(
                    QString::fromStdString(FormatF5(r.y) + "±" + FormatF5(r.line_half_width)));
                Edit3->setText(
                    QString::fromStdString(FormatF5(r.y) + "±" + FormatF5(r.point_half_width)));
            } else {
                Edit2->setText(QString::fromStdString(FormatF5(r.y)));
                Edit3->setText(QString::fromStdString(FormatF5(r.y)));
            }
            return;
        }
        const Extended replicates = StrToNumber(Edit2->text().toStdString(), sep);
        if (!(replicates >= 1) || replicates != static_cast<long long>(replicates) ||
            replicates > 1e6L) {
            m_dialogs.ShowInfo(ChooseText("The number of y is a whole number from 1",
                                          "Antal y är ett heltal från 1"));
            return;
        }
        const XFromYResult r = model->XFromY(value, static_cast<int>(replicates));
        std::string text = r.message;
        if (r.ok) {
            text = FormatF5(r.x);
            if (r.half_width) text += "±" + FormatF5(*r.half_width);
        }
        Edit3->setText(QString::fromStdString(text));
    } catch (const ConversionError& e) {
        m_dialogs.ShowMessage(e.what());
    }
}

}  // namespace tabulon::ui

// The axis scale dialog.
#include "graphs/ui/select_scale.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tabulon::ui {

TSelectScale::TSelectScale(const ScaleChoice& current, QWidget* parent) : QDialog(parent) {
    setWindowTitle(current.title.empty() ? QString("Välj skala")
                                         : QString::fromStdString(current.title));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    Edit1 = new QLineEdit(QString::fromStdString(current.maximum), this);
    Edit2 = new QLineEdit(QString::fromStdString(current.minimum), this);
    Edit3 = new QLineEdit(QString::fromStdString(current.step), this);
    Edit1->setObjectName("Edit1");
    Edit2->setObjectName("Edit2");
    Edit3->setObjectName("Edit3");
    form->addRow("Skalmax", Edit1);
    form->addRow("Skalmin", Edit2);
    form->addRow("Skalindelning", Edit3);
    layout->addLayout(form);
    CheckBox1 = new QCheckBox("Automatisk skalning", this);
    CheckBox1->setObjectName("CheckBox1");
    CheckBox1->setChecked(current.automatic);
    layout->addWidget(CheckBox1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Cancel)->setText("Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

ScaleChoice TSelectScale::choice() const {
    return {Edit1->text().toStdString(), Edit2->text().toStdString(), Edit3->text().toStdString(),
            CheckBox1->isChecked()};
}

}  // namespace tabulon::ui

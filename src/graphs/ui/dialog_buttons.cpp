// The button rows the program's small dialogs share.
#include "graphs/ui/dialog_buttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace tabulon::ui {

QHBoxLayout* CenteredButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons) row->addWidget(b);
    row->addStretch();
    return row;
}

QHBoxLayout* OkCancelRow(QDialog* dialog, const QString& cancel_text) {
    auto* ok = new QPushButton("OK", dialog);
    auto* cancel = new QPushButton(cancel_text, dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return CenteredButtonRow({ok, cancel});
}

}  // namespace tabulon::ui

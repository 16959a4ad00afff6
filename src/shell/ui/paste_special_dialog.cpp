// The paste special window.
#include "shell/ui/paste_special_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/language.h"
#include "graphs/ui/dialog_buttons.h"

namespace tabulon::ui {
namespace {
QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
}  // namespace

PasteSpecialDialog::PasteSpecialDialog(const PasteSpecialOptions& preset, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Q(ChooseText("Paste special", "Klistra in special")));

    auto* columns = new QGroupBox(Q(ChooseText("No of columns", "Antal kolumner")), this);
    m_auto = new QRadioButton(Q(ChooseText("Auto", "Automatiskt")), columns);
    m_specify = new QRadioButton(Q(ChooseText("Specify", "Specificera")), columns);
    m_count = new QSpinBox(columns);
    m_count->setRange(1, 1000000);
    m_count->setValue(preset.columns);
    (preset.specify_columns ? m_specify : m_auto)->setChecked(true);
    m_count->setVisible(preset.specify_columns);
    connect(m_specify, &QRadioButton::toggled, m_count, &QSpinBox::setVisible);
    auto* specify_row = new QHBoxLayout;
    specify_row->addWidget(m_specify);
    specify_row->addWidget(m_count);
    auto* columns_layout = new QVBoxLayout(columns);
    columns_layout->addWidget(m_auto);
    columns_layout->addLayout(specify_row);

    auto* headings = new QGroupBox(Q(ChooseText("Headings", "Rubriker")), this);
    m_column_headings = new QCheckBox(Q(ChooseText("Column headings", "Kolumnrubriker")), headings);
    m_row_headings = new QCheckBox(Q(ChooseText("Row headings", "Radrubriker")), headings);
    m_column_headings->setChecked(preset.column_headings);
    m_row_headings->setChecked(preset.row_headings);
    auto* headings_layout = new QVBoxLayout(headings);
    headings_layout->addWidget(m_column_headings);
    headings_layout->addWidget(m_row_headings);

    auto* separators = new QGroupBox(Q(ChooseText("Column separator", "Kolumnseparator")), this);
    m_tab = new QRadioButton(Q(ChooseText("Tab", "Tabulator")), separators);
    m_space = new QRadioButton(Q(ChooseText("Space", "Mellanslag")), separators);
    m_comma = new QRadioButton(Q(ChooseText("Comma", "Komma")), separators);
    separatorButton(preset.separator)->setChecked(true);
    auto* separators_layout = new QVBoxLayout(separators);
    separators_layout->addWidget(m_tab);
    separators_layout->addWidget(m_space);
    separators_layout->addWidget(m_comma);

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(columns);
    layout->addWidget(headings);
    layout->addWidget(separators);
    layout->addLayout(CenteredButtonRow({ok}));
}

QRadioButton* PasteSpecialDialog::separatorButton(PasteSeparator separator) const {
    switch (separator) {
        case PasteSeparator::Space:
            return m_space;
        case PasteSeparator::Comma:
            return m_comma;
        case PasteSeparator::Tab:
            break;
    }
    return m_tab;
}

PasteSpecialOptions PasteSpecialDialog::options() const {
    PasteSpecialOptions o;
    o.specify_columns = m_specify->isChecked();
    o.columns = m_count->value();
    o.column_headings = m_column_headings->isChecked();
    o.row_headings = m_row_headings->isChecked();
    o.separator = m_space->isChecked()   ? PasteSeparator::Space
                  : m_comma->isChecked() ? PasteSeparator::Comma
                                         : PasteSeparator::Tab;
    return o;
}

}  // namespace tabulon::ui

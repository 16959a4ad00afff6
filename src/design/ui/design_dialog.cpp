// The factorial design dialog.
#include "design/ui/design_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/language.h"
#include "design/design_sheet.h"
#include "design/factorial_design.h"
#include "graphs/ui/dialog_buttons.h"
#include "numeric/number_text.h"

namespace tabulon::ui {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string Text(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

constexpr int kMaxVariables = 64000;

}  // namespace

DesignDialog::DesignDialog(const DesignRequest& preset, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Försöksplanering - Skapa modell");
    m_variables = new QLineEdit(QString::number(preset.variables), this);
    m_levels = new QComboBox(this);
    m_levels->addItems({"2", "3"});
    m_levels->setCurrentIndex(preset.levels == 3 ? 1 : 0);
    m_runs = new QLineEdit(QString::number(preset.runs), this);
    m_factors = new QLineEdit(this);
    m_factors->setReadOnly(true);
    m_model = new QComboBox(this);
    m_model->addItems({"Endast huvudeffekter", "Effekter t o m samspelseffekter mellan två variabler",
                       "Effekter t o m samspelseffekter mellan tre variabler"});
    m_model->setCurrentIndex(preset.model);
    m_grid = new QTableWidget(this);
    m_grid->verticalHeader()->hide();
    m_grid->setMinimumSize(420, 200);
    m_error = new QLabel(this);
    m_error->setStyleSheet("color: red");

    m_grid_levels = preset.levels == 3 ? 3 : 2;
    setLevelColumns(m_grid_levels);
    m_grid->setRowCount(static_cast<int>(preset.names.size()));
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        const LevelValues& v = preset.values[r];
        m_grid->setItem(r, 0, new QTableWidgetItem(Q(preset.names[r])));
        m_grid->setItem(r, 1, new QTableWidgetItem(Q(v[0])));
        if (m_grid_levels == 3) m_grid->setItem(r, 2, new QTableWidgetItem(Q(v[1])));
        m_grid->setItem(r, m_grid_levels, new QTableWidgetItem(Q(v[2])));
    }
    if (m_grid->rowCount() == 0) Edit1Exit();
    m_factors->setText(QString::number(MinimumRuns(preset.variables,
                                                   static_cast<DesignModel>(preset.model)) - 1));

    auto* form = new QFormLayout;
    form->addRow("Antal variabler", m_variables);
    form->addRow("Antal nivåer", m_levels);
    form->addRow("Antal försök", m_runs);
    form->addRow("Antal faktorer", m_factors);
    form->addRow("Typ av undersökning", m_model);
    auto* compute = new QPushButton("Beräkna", this);
    auto* cancel = new QPushButton("Cancel", this);
    compute->setDefault(true);
    connect(compute, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_grid);
    layout->addWidget(m_error);
    layout->addLayout(CenteredButtonRow({compute, cancel}));

    connect(m_variables, &QLineEdit::editingFinished, this, &DesignDialog::Edit1Exit);
    connect(m_levels, &QComboBox::currentIndexChanged, this, &DesignDialog::ComboBox2Change);
    connect(m_model, &QComboBox::currentIndexChanged, this, &DesignDialog::ShowCounts);
    connect(m_runs, &QLineEdit::editingFinished, this, [this] {
        const auto runs = ParseInteger(m_runs->text().toStdString());
        const auto k = ParseInteger(m_variables->text().toStdString());
        if (runs && k &&
            *runs < MinimumRuns(*k, static_cast<DesignModel>(m_model->currentIndex()))) {
            QApplication::beep();
        }
    });
}

void DesignDialog::setLevelColumns(int levels) {
    if (levels == 3) {
        m_grid->setColumnCount(4);
        m_grid->setHorizontalHeaderLabels({"Variabelnamn", "Låga värdet", "Mellan värdet", "Höga värdet"});
        const int widths[] = {135, 80, 80, 80};
        for (int c = 0; c < 4; ++c) m_grid->setColumnWidth(c, widths[c]);
    } else {
        m_grid->setColumnCount(3);
        m_grid->setHorizontalHeaderLabels({"Variabelnamn", "Låga värdet", "Höga värdet"});
        const int widths[] = {200, 87, 87};
        for (int c = 0; c < 3; ++c) m_grid->setColumnWidth(c, widths[c]);
    }
}

void DesignDialog::initialiseRow(int row) {
    m_grid->setItem(row, 0, new QTableWidgetItem(Q(DefaultVariableName(row))));
    m_grid->setItem(row, 1, new QTableWidgetItem("-1"));
    if (m_grid_levels == 3) m_grid->setItem(row, 2, new QTableWidgetItem("0"));
    m_grid->setItem(row, m_grid_levels, new QTableWidgetItem("1"));
}

void DesignDialog::Edit1Exit() {
    const auto k = ParseInteger(m_variables->text().toStdString());
    if (k && *k >= 2 && *k < kMaxVariables) {
        const int old = m_grid->rowCount();
        m_grid->setRowCount(*k);
        for (int r = old; r < *k; ++r) initialiseRow(r);
    } else {
        m_variables->setText(QString::number(std::max(2, m_grid->rowCount())));
        if (m_grid->rowCount() < 2) {
            m_grid->setRowCount(2);
            for (int r = 0; r < 2; ++r) initialiseRow(r);
        }
    }
    ShowCounts();
}

void DesignDialog::ComboBox2Change() {
    const int levels = m_levels->currentIndex() == 1 ? 3 : 2;
    if (levels == m_grid_levels) return;
    std::vector<std::string> high;
    for (int r = 0; r < m_grid->rowCount(); ++r) high.push_back(Text(m_grid, r, m_grid_levels));
    m_grid_levels = levels;
    setLevelColumns(levels);
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        m_grid->setItem(r, levels, new QTableWidgetItem(Q(high[r])));
        if (levels == 3) m_grid->setItem(r, 2, new QTableWidgetItem("0"));
    }
    ShowCounts();
}

void DesignDialog::ShowCounts() {
    const auto k = ParseInteger(m_variables->text().toStdString());
    if (!k) {
        m_runs->setText("Fel variabler");
        m_factors->setText("Fel variabler");
        return;
    }
    const long long terms = MinimumRuns(*k, static_cast<DesignModel>(m_model->currentIndex()));
    m_runs->setText(terms == 0 ? "Många" : QString::number(terms));
    m_factors->setText(terms == 0 ? "Många" : QString::number(terms - 1));
}

std::optional<DesignRequest> DesignDialog::request() {
    auto k = ParseInteger(m_variables->text().toStdString());
    if (!k || *k < 2) {
        m_variables->setText("2");
        Edit1Exit();
        k = 2;
    }
    if (*k != m_grid->rowCount()) Edit1Exit();
    DesignRequest r;
    r.variables = *k;
    r.levels = m_grid_levels;
    r.model = m_model->currentIndex();
    const long long minimum = MinimumRuns(*k, static_cast<DesignModel>(r.model));
    auto runs = ParseInteger(m_runs->text().toStdString());
    if (!runs) {
        m_runs->setText(QString::number(minimum));
        runs = ParseInteger(m_runs->text().toStdString());
    }
    r.runs = runs.value_or(0);
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        r.names.push_back(Text(m_grid, row, 0));
        LevelValues v{Text(m_grid, row, 1), m_grid_levels == 3 ? Text(m_grid, row, 2) : "0",
                      Text(m_grid, row, m_grid_levels)};
        for (const std::string& text : v) {
            if (!ParseNumber(text, DecimalSeparator())) {
                m_error->setText(Q(ChooseText("Error in data", "Fel i indata") + ": " +
                                   r.names.back() + " " + text));
                return std::nullopt;
            }
        }
        r.values.push_back(v);
    }
    m_error->clear();
    return r;
}

void DesignDialog::accept() {
    if (request()) QDialog::accept();
}

}  // namespace tabulon::ui

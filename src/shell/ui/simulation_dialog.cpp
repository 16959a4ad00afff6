// The parameter window of Simulera mätdata.
#include "shell/ui/simulation_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/language.h"
#include "graphs/ui/dialog_buttons.h"
#include "numeric/number_text.h"

namespace tabulon::ui {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString NumberText(Extended value) {
    return Q(FormatShortest(value, DecimalSeparator()));
}

}  // namespace

SimulationDialog::SimulationDialog(SimulationMode mode, QWidget* parent)
    : QDialog(parent), m_mode(mode) {
    const bool regression = mode == SimulationMode::Regression;
    setWindowTitle(Q(regression ? ChooseText("Simulate linear regression", "Simulera linjär regression")
                                : ChooseText("Simulate normal distributed data points",
                                             "Simulera normalfördelade värden")));
    const SimulationParameters defaults;
    m_mean = new QLineEdit(NumberText(defaults.mean), this);
    m_sd = new QLineEdit(NumberText(defaults.sd), this);
    m_count = new QLineEdit(QString::number(defaults.count), this);
    m_slope = new QLineEdit(NumberText(defaults.slope), this);
    m_lowest = new QLineEdit(NumberText(defaults.lowest), this);
    m_highest = new QLineEdit(NumberText(defaults.highest), this);
    m_series = new QSpinBox(this);
    m_series->setRange(1, kMaxSimulatedSeries);
    m_series->setValue(defaults.series);
    m_error = new QLabel(this);
    m_error->setStyleSheet("color: red");
    auto* form = new QFormLayout;
    form->addRow(Q(regression ? ChooseText("Intercept", "Skärningspunkt med y-axeln")
                              : ChooseText("True mean", "Väntevärde")),
                 m_mean);
    form->addRow(Q(ChooseText("Standard deviation", "Standardavvikelse")), m_sd);
    form->addRow(Q(ChooseText("Number of data points", "Antal mätvärden")), m_count);
    if (regression) {
        form->addRow(Q(ChooseText("Slope", "Lutning")), m_slope);
        form->addRow(Q(ChooseText("Lowest X", "Startvärde X")), m_lowest);
        form->addRow(Q(ChooseText("Highest X", "Slutvärde X")), m_highest);
    } else {
        m_slope->hide();
        m_lowest->hide();
        m_highest->hide();
    }
    form->addRow(Q(ChooseText("Number of series", "Antal serier")), m_series);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_error);
    layout->addLayout(OkCancelRow(this));
    // Every box is checked as it is typed in: one that is not a number is shown in red.
    for (QLineEdit* box : {m_mean, m_sd, m_count, m_slope, m_lowest, m_highest}) {
        connect(box, &QLineEdit::textChanged, this, [this] { parameters(); });
    }
}

std::optional<SimulationParameters> SimulationDialog::parameters() const {
    SimulationParameters p;
    bool ok = true;
    const auto real = [&](QLineEdit* box, Extended& field) {
        const auto v = ParseNumber(box->text().toStdString(), DecimalSeparator());
        box->setStyleSheet(v ? "" : "color: red");
        if (v) field = *v;
        ok = ok && v;
    };
    real(m_mean, p.mean);
    real(m_sd, p.sd);
    if (m_mode == SimulationMode::Regression) {
        real(m_slope, p.slope);
        real(m_lowest, p.lowest);
        real(m_highest, p.highest);
    }
    const auto count = ParseInteger(m_count->text().toStdString());
    m_count->setStyleSheet(count ? "" : "color: red");
    if (count) p.count = *count;
    p.series = m_series->value();
    if (!ok || !count) {
        m_error->setText(Q(ChooseText("Error in data", "Fel i indata")));
        return std::nullopt;
    }
    const std::string refusal = SimulationRefusal(p);
    m_error->setText(Q(refusal));
    if (!refusal.empty()) return std::nullopt;
    return p;
}

void SimulationDialog::accept() {
    if (parameters()) QDialog::accept();
}

}  // namespace tabulon::ui

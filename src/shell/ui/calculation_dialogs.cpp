// The expression and function windows of Beräkna.
#include "shell/ui/calculation_dialogs.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/language.h"
#include "graphs/ui/dialog_buttons.h"

namespace tabulon::ui {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QListWidget* LabelList(const std::vector<std::string>& labels, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumSize(180, 220);
    for (const std::string& label : labels) list->addItem(Q(label));
    return list;
}

}  // namespace

ExpressionDialog::ExpressionDialog(const std::vector<std::string>& labels, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Q(ChooseText("Calculation", "Räkneoperation")));
    m_list = LabelList(labels, this);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { append(item->text()); });
    m_expression = new QLineEdit(this);
    m_expression->setMinimumWidth(360);

    static constexpr const char* kKeys[] = {"7", "8", "9", "*", "/", "(",      "exp",
                                            "4", "5", "6", "+", "-", ")",      "ln",
                                            "1", "2", "3", "^", "sin", "cos", "tan",
                                            "0", ".", "log", "arctan", "arcsin", "arccos"};
    auto* keys = new QGridLayout;
    int i = 0;
    for (const char* key : kKeys) {
        auto* button = new QPushButton(key, this);
        button->setAutoDefault(false);
        button->setMinimumWidth(48);
        connect(button, &QPushButton::clicked, this, [this, key] { append(key); });
        keys->addWidget(button, i / 7, i % 7);
        ++i;
    }
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(Q(ChooseText("Expression", "Uttryck")), this));
    right->addWidget(m_expression);
    right->addLayout(keys);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_list);
    top->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(OkCancelRow(this));
    m_expression->setFocus();
}

void ExpressionDialog::append(const QString& text) {
    m_expression->setText(m_expression->text() + text);
    m_expression->setFocus();
}

std::string ExpressionDialog::expression() const {
    return m_expression->text().toStdString();
}

FunctionDialog::FunctionDialog(const std::vector<std::string>& labels, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Q(ChooseText("Column calculations", "Kolumnberäkningar")));
    m_list = LabelList(labels, this);
    m_argument = new QLineEdit("1", this);
    m_hint = new QLabel(this);
    m_choices = new QButtonGroup(this);
    auto* choices = new QGridLayout;
    for (int f = 0; f < kColumnFunctionCount; ++f) {
        auto* button =
            new QRadioButton(Q(ColumnFunctionCaption(static_cast<ColumnFunction>(f))), this);
        m_choices->addButton(button, f);
        choices->addWidget(button, f % 7, f / 7);
    }
    connect(m_choices, &QButtonGroup::idClicked, this,
            [this](int id) { choose(static_cast<ColumnFunction>(id)); });
    auto* box = new QVBoxLayout;
    box->addLayout(choices);
    box->addWidget(m_hint);
    box->addWidget(m_argument);
    box->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_list);
    top->addLayout(box);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(OkCancelRow(this));
    choose(ColumnFunction::Scale);
}

void FunctionDialog::choose(ColumnFunction function) {
    m_choices->button(static_cast<int>(function))->setChecked(true);
    const bool takes = ColumnFunctionTakesArgument(function);
    m_argument->setEnabled(takes);
    if (function == ColumnFunction::Scale) {
        m_hint->setText(Q(ChooseText("Scale factor=abs(max value)", "Skalningfaktor=abs(maxvärde)")));
    } else if (function == ColumnFunction::Power) {
        m_hint->setText(Q(ChooseText("Give x", "Ange x")));
    } else {
        m_hint->clear();
    }
    if (takes) m_argument->setFocus();
}

ColumnFunction FunctionDialog::function() const {
    return static_cast<ColumnFunction>(m_choices->checkedId());
}

std::string FunctionDialog::label() const {
    const auto items = m_list->selectedItems();
    return items.isEmpty() ? std::string() : items.back()->text().toStdString();
}

}  // namespace tabulon::ui

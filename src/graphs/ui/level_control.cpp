// The level control of the test windows.
#include "graphs/ui/level_control.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace tabulon::ui {
namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, const char* name, bool large, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setObjectName(name);
    button->setFixedSize(large ? QSize(24, 20) : QSize(18, 14));
    return button;
}

}  // namespace

TLevelControl::TLevelControl(LevelRules rules, QWidget* parent)
    : QWidget(parent), m_rules(std::move(rules)), m_level(m_rules.initial) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < m_rules.fixed_levels.size(); ++i) {
        auto* button =
            new QPushButton(QString::fromStdString(m_rules.fixed_levels[i].caption), this);
        button->setObjectName(QString("LevelButton%1").arg(i));
        connect(button, &QPushButton::clicked, this,
                [this, i] { chooseFixed(static_cast<int>(i)); });
        layout->addWidget(button);
        m_fixed_buttons.push_back(button);
    }

    auto* arrows = new QGridLayout;
    arrows->setSpacing(1);
    const struct {
        Qt::ArrowType type;
        const char* name;
        LevelArrow arrow;
        int row;
        int column;
    } kArrows[] = {
        {Qt::UpArrow, "LargeUp", LevelArrow::LargeUp, 0, 0},
        {Qt::DownArrow, "LargeDown", LevelArrow::LargeDown, 1, 0},
        {Qt::UpArrow, "SmallUp", LevelArrow::SmallUp, 0, 1},
        {Qt::DownArrow, "SmallDown", LevelArrow::SmallDown, 1, 1},
    };
    for (const auto& a : kArrows) {
        const bool large = a.arrow == LevelArrow::LargeUp || a.arrow == LevelArrow::LargeDown;
        QToolButton* button = ArrowButton(a.type, a.name, large, this);
        const LevelArrow arrow = a.arrow;
        connect(button, &QToolButton::clicked, this, [this, arrow] { press(arrow); });
        arrows->addWidget(button, a.row, a.column);
    }
    layout->addLayout(arrows);

    m_label = new QLabel(this);
    m_label->setObjectName("LevelLabel");
    m_label->hide();
    layout->addWidget(m_label);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("LevelEdit");
    m_edit->setReadOnly(true);
    m_edit->setMaximumWidth(90);
    layout->addWidget(m_edit);
    layout->addStretch();
    setLevel(m_level);
}

void TLevelControl::setFieldLabel(const QString& text) {
    m_label->setText(text);
    m_label->setVisible(!text.isEmpty());
}

QString TLevelControl::fieldLabel() const { return m_label->text(); }

void TLevelControl::setLevel(Extended level) {
    m_level = level;
    m_edit->setText(levelText());
}

QString TLevelControl::levelText() const {
    return QString::fromStdString(LevelText(m_level));
}

void TLevelControl::chooseFixed(int index) {
    if (index < 0 || index >= static_cast<int>(m_rules.fixed_levels.size())) return;
    setLevel(m_rules.fixed_levels[static_cast<std::size_t>(index)].value);
    changed();
}

void TLevelControl::press(LevelArrow arrow) {
    if (!m_rules.step) return;
    setLevel(m_rules.step(m_level, arrow));
    changed();
}

void TLevelControl::changed() {
    if (m_on_change) m_on_change(m_level);
}

}  // namespace tabulon::ui

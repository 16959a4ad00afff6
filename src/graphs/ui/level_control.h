// The significance- or confidence-level control of the test windows: one button per fixed
// level, large and small up/down arrows, and a read-only field showing the level.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "graphs/level_steps.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tabulon::ui {

class TLevelControl : public QWidget {
    Q_OBJECT
public:
    explicit TLevelControl(LevelRules rules, QWidget* parent = nullptr);

    Extended level() const { return m_level; }
    // Sets the level without telling the window (it is recomputing anyway).
    void setLevel(Extended level);
    // Called after every change made by a button or an arrow.
    void setOnChange(std::function<void(Extended level)> on_change) {
        m_on_change = std::move(on_change);
    }

    // What the buttons do, also for tests and key handlers.
    void chooseFixed(int index);
    void press(LevelArrow arrow);

    // A caption in front of the level field, for the windows that name it.
    void setFieldLabel(const QString& text);
    QString fieldLabel() const;

    QString levelText() const;
    const std::vector<QPushButton*>& fixedButtons() const { return m_fixed_buttons; }

private:
    void changed();

    LevelRules m_rules;
    Extended m_level;
    std::function<void(Extended)> m_on_change;
    std::vector<QPushButton*> m_fixed_buttons;
    QLabel* m_label = nullptr;
    QLineEdit* m_edit = nullptr;
};

}  // namespace tabulon::ui

// The Beräkna windows: the expression window of Kombinerad aritmetik (buttons that type into
// the expression, a list of column labels a click types) and the function window of
// Funktioner (a column, one function, a number box).
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "worksheet/column_arithmetic.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;

namespace tabulon::ui {

class ExpressionDialog : public QDialog {
    Q_OBJECT
public:
    explicit ExpressionDialog(const std::vector<std::string>& labels, QWidget* parent = nullptr);
    QListWidget* ListBox1() const { return m_list; }
    QLineEdit* Edit1() const { return m_expression; }
    // Appends a button's caption or a label to the expression, as a click does.
    void append(const QString& text);
    std::string expression() const;

private:
    QListWidget* m_list;
    QLineEdit* m_expression;
};

class FunctionDialog : public QDialog {
    Q_OBJECT
public:
    explicit FunctionDialog(const std::vector<std::string>& labels, QWidget* parent = nullptr);
    QListWidget* ListBox1() const { return m_list; }
    QLineEdit* Edit1() const { return m_argument; }
    QLabel* hint() const { return m_hint; }
    void choose(ColumnFunction function);
    ColumnFunction function() const;
    // The selected label, "" when none is selected.
    std::string label() const;

private:
    QListWidget* m_list;
    QLineEdit* m_argument;
    QLabel* m_hint;
    QButtonGroup* m_choices;
};

}  // namespace tabulon::ui

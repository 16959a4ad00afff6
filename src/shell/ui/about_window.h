// TShowOmTabulon: the owner's information window of Hjälp > Om Tabulon.
#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;

namespace tabulon::ui {

class TShowOmTabulon : public QDialog {
    Q_OBJECT
public:
    explicit TShowOmTabulon(QWidget* parent = nullptr);
    QLabel* hintLabel() const { return m_hint; }

    static constexpr int kCloseAfterMs = 5000;

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QLabel* m_hint;
    QTimer m_timer;
};

}  // namespace tabulon::ui

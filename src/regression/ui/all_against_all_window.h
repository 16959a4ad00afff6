// TFMultiReg ("Alla mot alla"): the grid of every pair of chosen columns, the correlation
// coefficients on request, the axes exchanged, and a double click to the regression window.
#pragma once

#include <functional>

#include "graphs/ui/result_window.h"
#include "regression/all_against_all.h"

class QCheckBox;

namespace tabulon::ui {

class AllAgainstAllWindow : public TResultWindow {
    Q_OBJECT
public:
    // `open_pair` opens the regression window for (x column, y column) of the worksheet.
    using PairOpener = std::function<void(int x_column, int y_column)>;
    AllAgainstAllWindow(Dialogs& dialogs, AllAgainstAllData data, PairOpener open_pair,
                        QWidget* parent = nullptr);

    std::string ResultText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // A double click at a pixel of the paint box: the pair of its cell (not the diagonal).
    void CellDoubleClicked(QPoint pixel);
    const AllAgainstAllView& view() const { return m_view; }

    QCheckBox* Correlations = nullptr;  // "korrelationskoefficienter"
    QCheckBox* SwapAxes = nullptr;      // "Byt x- och y-axel"

private:
    AllAgainstAllData m_data;
    PairOpener m_open_pair;
    AllAgainstAllView m_view;
};

}  // namespace tabulon::ui

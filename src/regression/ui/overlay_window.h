// TxyMultiPlot ("OverLayPlot"): several y series in one framed plot with the table of their
// lines, the axis fields with Rita om and Beräkna, line type, shown and emphasised series,
// and the difference of the first two slopes.
#pragma once

#include <array>

#include "graphs/ui/result_window.h"
#include "regression/overlay_plot.h"

class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace tabulon::ui {

class OverlayPlotWindow : public TResultWindow {
    Q_OBJECT
public:
    OverlayPlotWindow(Dialogs& dialogs, OverlayData data, QWidget* parent = nullptr);

    std::string ResultText() override;
    std::vector<std::string> PrintLines() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;

    const OverlayView& view() const { return m_view; }
    const OverlayData& data() const { return m_data; }

    // The commands.
    void RitaOmClick();       // redraw with the edited axes
    void BeraknaClick();      // default axes, then redraw
    void SlopeDifferenceClick();
    void SetPointToPoint(bool on);
    // A click in the table: the "Graf" column switches a series, the first emphasises it.
    void TableClick(int row, int column);

    QTableWidget* StringGrid1 = nullptr;
    // x-min, x-max, x-led, y-min, y-max, y-led.
    std::array<QLineEdit*, 6> AxisEdits{};
    QRadioButton* GridOff = nullptr;
    QRadioButton* GridOn = nullptr;

private:
    void FillTable();
    void ShowAxes();

    OverlayData m_data;
    OverlayView m_view;
};

}  // namespace tabulon::ui

// BarChartWindow ("Grafik" of the 1-Dim menu, the model's residuals, the principal
// components): chosen columns as grouped bars, points, bars by column or column means with
// their standard deviations; colours or hatch patterns, 3-D bars, legend, grid, a scale of the
// user's own, the axis font and free texts placed, edited, moved and given fonts by mouse.
#pragma once

#include <QPoint>
#include <string>
#include <vector>

#include "graphs/bar_chart.h"
#include "graphs/ui/result_window.h"

class QAction;
class QLabel;
class QMenu;

namespace tabulon::ui {

// What a press on the chart does; with none, a left press on a free text drags it.
enum class ChartMouseMode { None, AddText, EditText, TextFont };

class BarChartWindow : public TResultWindow {
    Q_OBJECT
public:
    // The chart of `data` (see MakeBarChartData, which takes worksheet texts or columns of
    // values with their captions), opening as OpeningOptions says.
    BarChartWindow(Dialogs& dialogs, BarChartData data, const std::string& caption,
                   QWidget* parent = nullptr);
    ~BarChartWindow() override;

    std::string ResultText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;

    const BarChartData& data() const { return m_data; }
    const BarChartOptions& options() const { return m_options; }
    const BarChartLayout& layout() const { return m_layout; }
    ChartMouseMode mouseMode() const { return m_mode; }

    // The menu commands.
    void FargClick();
    void RasterClick();
    void SkalaClick();
    void ForklaringClick();
    void FontpatextClick();
    void SetType(BarChartType type);
    void TreDimClick();
    void AxlarClick();
    void InfogaClick();
    void RedigeraClick();
    void InfoClick();

    // The chart under the mouse, in paint box pixels.
    void PlotPressed(QPoint pixel, Qt::MouseButton button);
    void PlotMoved(QPoint pixel);
    void PlotReleased();

    QMenu* Installningar1 = nullptr;
    QAction* Farg1 = nullptr;
    QAction* Raster1 = nullptr;
    QAction* Skala1 = nullptr;
    QAction* Forklaring1 = nullptr;
    QAction* Fontpatext1 = nullptr;
    QMenu* Grafiktyp1 = nullptr;
    QAction* Radvis1 = nullptr;
    QAction* Summeraderadvis1 = nullptr;
    QAction* Allarader1 = nullptr;
    QAction* Punkter1 = nullptr;
    QAction* TreDim1 = nullptr;
    QMenu* Tecken1 = nullptr;
    QAction* Axlar1 = nullptr;
    QAction* Infoga1 = nullptr;
    QAction* Redigera1 = nullptr;
    QAction* Info1 = nullptr;
    QLabel* HintLabel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void UpdateMenus();
    void SetMode(ChartMouseMode mode);
    void Redraw();
    // The free text under a pixel, or -1; the one placed last lies on top.
    int TextAt(QPoint pixel) const;

    BarChartData m_data;
    BarChartOptions m_options;
    BarChartLayout m_layout;
    std::string m_caption;
    ChartMouseMode m_mode = ChartMouseMode::None;
    int m_dragged = -1;
    QPoint m_drag_offset;
};

}  // namespace tabulon::ui

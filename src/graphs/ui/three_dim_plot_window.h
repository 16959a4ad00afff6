// ThreeDimPlotWindow (3-Dim > xyz-grafik): three columns as points in a box turned by three
// spin controls, zoomed by a fourth and shifted by dragging; grid planes, drop lines,
// the origin included on request, and the figure restored to its start.
#pragma once

#include <QPoint>
#include <string>

#include "graphs/three_dim_plot.h"
#include "graphs/ui/result_window.h"

class QAction;
class QMenu;
class QSpinBox;

namespace tabulon::ui {

class ThreeDimPlotWindow : public TResultWindow {
    Q_OBJECT
public:
    ThreeDimPlotWindow(Dialogs& dialogs, ThreeDimData data, QWidget* parent = nullptr);
    ~ThreeDimPlotWindow() override;

    std::string ResultText() override;
    void RenderGraph(Canvas& canvas, int width, int height) override;

    const ThreeDimData& data() const { return m_data; }
    const ThreeDimScaled& scaled() const { return m_scaled; }
    const ThreeDimView& view() const { return m_view; }

    // The menu commands.
    void LodlinjerClick();
    void XYplanetClick();
    void AllaplanClick();
    void AterstallfigurenClick();
    void InkluderaorigoClick();
    // Opening the menus sets their check marks.
    void Grafik3Popup();
    void Axlar1Popup();

    // Dragging in paint box pixels.
    void PlotPressed(QPoint pixel);
    void PlotMoved(QPoint pixel);
    void PlotReleased(QPoint pixel);

    QSpinBox* SpinEdit1 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QSpinBox* SpinEdit3 = nullptr;
    QSpinBox* SpinEdit4 = nullptr;  // zoom in per cent
    QMenu* Grafik3 = nullptr;
    QAction* Lodlinjer1 = nullptr;
    QAction* XYplanet1 = nullptr;
    QAction* Allaplan1 = nullptr;
    QAction* Aterstallfiguren1 = nullptr;
    QMenu* Axlar1 = nullptr;
    QAction* Inkluderaorigo1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void SpinsChanged();

    ThreeDimData m_data;
    ThreeDimScaled m_scaled;
    ThreeDimView m_view;
    std::string m_caption;
    bool m_dragging = false;
    QPoint m_drag_start;
    int m_shift_x_at_start = 0;
    int m_shift_y_at_start = 0;
    bool m_setting_spins = false;
};

}  // namespace tabulon::ui

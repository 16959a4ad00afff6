// A small result window for the graph window tests: a fixed text and a graph with axes, a
// point series, a line and a caption, drawn the way every real window draws.
#pragma once

#include <string>
#include <vector>

#include "graphs/group_color.h"
#include "graphs/ui/result_window.h"
#include "graphs/xy_graph.h"

namespace tabulon::testing {

class SampleResultWindow : public ui::TResultWindow {
public:
    explicit SampleResultWindow(Dialogs& dialogs, bool has_graph = true)
        : TResultWindow(dialogs), m_has_graph(has_graph) {
        setWindowTitle("Prov");
    }

    std::string ResultText() override {
        return "Prov\rMedelvärde = 3.5\r Antal = " + std::to_string(recomputed) + "\r";
    }
    bool HasGraph() const override { return m_has_graph; }
    void Recompute() override { ++recomputed; }

    // Margins follow the canvas size and the labels' height, so that the printed page is
    // the screen picture scaled.
    void RenderGraph(Canvas& canvas, int width, int height) override {
        const TextMeasurer measure = MeasurerFor(canvas, width, height);
        const int half_text = measure.MeasureTextHeight("1") / 2;
        const int left = width / 8;
        const int right = width - width / 20;
        const int bottom = height - height / 6;
        const int top = height / 12;
        TAxisTransform t;
        SetTransform(t, 0, 7, left, right, 0, 10, bottom, top);
        TAxisScale scale;
        DrawAxes(canvas, right, t, left, bottom, false, half_text, scale);

        const std::vector<std::string> xs{"1", "2", "3", "4", "5", "6"};
        const std::vector<std::string> ys{"2", "3,5", "5", "4", "7", "8"};
        canvas.SetBrush({GroupColor(1), BrushStyle::Solid});
        DrawPointSeries(canvas, xs, ys, t, left, top, right, bottom, ScaledPixels(4, width),
                        GroupColor(1));
        canvas.SetPenWidth(2);
        DrawSeriesLine(canvas, xs, ys, GroupColor(3), t);
        canvas.SetPenWidth(1);
        canvas.SetPenStyle(PenStyle::Dash);
        canvas.SetPenColor(GroupColor(2));
        MoveToXY(canvas, t, 0, 1);
        LineToXY(canvas, t, 7, 9);
        canvas.SetPenStyle(PenStyle::Solid);
        canvas.SetTextAlign({HAlign::Left, VAlign::Top});
        canvas.DrawText({left + ScaledPixels(8, width), top}, "Väntevärdet");
    }

    int recomputed = 0;

private:
    bool m_has_graph;
};

}  // namespace tabulon::testing

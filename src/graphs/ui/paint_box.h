// The on-screen paint box of a graph window: white, and drawn by the window's RenderGraph.
#pragma once

#include <QWidget>

#include "graphs/ui/graph_output.h"

namespace tabulon::ui {

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    void setRender(RenderFunction render) { m_render = std::move(render); }

    QSize sizeHint() const override { return {480, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RenderFunction m_render;
};

}  // namespace tabulon::ui

// Text sizes inside a RenderGraph, with the fallback for canvases that cannot measure.
#pragma once

#include <string_view>

#include "graphs/canvas.h"

namespace tabulon {

// Measures texts for a graph drawn on `target` at target_width x target_height. A target
// that answers 0 (a picture canvas without a device) is measured on `screen`, the window's
// on-screen paint box of screen_width x screen_height, and the size scaled to the target:
// width = round(target width * screen text width / screen width), likewise for the height.
// Without a screen canvas, or with an empty one, such a text measures 0.
class TextMeasurer {
public:
    TextMeasurer(Canvas& target, int target_width, int target_height, Canvas* screen = nullptr,
                 int screen_width = 0, int screen_height = 0)
        : m_target(target),
          m_target_width(target_width),
          m_target_height(target_height),
          m_screen(screen),
          m_screen_width(screen_width),
          m_screen_height(screen_height) {}

    int MeasureTextWidth(std::string_view text) const;
    int MeasureTextHeight(std::string_view text) const;

private:
    Canvas& m_target;
    int m_target_width;
    int m_target_height;
    Canvas* m_screen;
    int m_screen_width;
    int m_screen_height;
};

}  // namespace tabulon

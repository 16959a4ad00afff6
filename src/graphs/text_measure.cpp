// Text sizes on the target canvas, or scaled from the screen when the target cannot tell.
#include "graphs/text_measure.h"

#include "graphs/axis_transform.h"

namespace tabulon {
namespace {

int Scaled(int target_extent, int screen_size, int screen_extent) {
    if (screen_extent <= 0 || screen_size <= 0) return 0;
    return static_cast<int>(
        RoundHalfEven(static_cast<Extended>(target_extent) * screen_size / screen_extent));
}

}  // namespace

int TextMeasurer::MeasureTextWidth(std::string_view text) const {
    if (const int w = m_target.TextWidth(text); w != 0) return w;
    if (!m_screen) return 0;
    m_screen->SetFont(m_target.font());
    return Scaled(m_target_width, m_screen->TextWidth(text), m_screen_width);
}

int TextMeasurer::MeasureTextHeight(std::string_view text) const {
    if (const int h = m_target.TextHeight(text); h != 0) return h;
    if (!m_screen) return 0;
    m_screen->SetFont(m_target.font());
    return Scaled(m_target_height, m_screen->TextHeight(text), m_screen_height);
}

}  // namespace tabulon

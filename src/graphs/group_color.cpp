// Series colours: a fixed table, then colours derived from the index.
#include "graphs/group_color.h"

#include <array>
#include <cmath>

namespace tabulon {
namespace {

constexpr std::array<Color, 15> kTable{{
    {0, 0, 0},        // black
    {255, 0, 0},      // red
    {0, 128, 0},      // green
    {0, 0, 255},      // blue
    {128, 0, 0},      // maroon
    {192, 192, 192},  // silver
    {128, 128, 0},    // olive
    {128, 0, 128},    // purple
    {128, 128, 128},  // grey
    {128, 0, 0},      // maroon
    {0, 128, 128},    // teal
    {0, 255, 0},      // lime
    {255, 0, 255},    // fuchsia
    {0, 255, 255},    // aqua
    {0, 0, 128},      // navy
}};

bool InTable(Color c) {
    for (const Color& t : kTable) {
        if (t == c) return true;
    }
    return false;
}

Color FromHsv(double hue, double saturation, double value) {
    const double c = value * saturation;
    const double h = std::fmod(hue, 360.0) / 60.0;
    const double x = c * (1 - std::fabs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    if (h < 1) {
        r = c, g = x;
    } else if (h < 2) {
        r = x, g = c;
    } else if (h < 3) {
        g = c, b = x;
    } else if (h < 4) {
        g = x, b = c;
    } else if (h < 5) {
        r = x, b = c;
    } else {
        r = c, b = x;
    }
    const double m = value - c;
    const auto byte = [m](double v) { return std::uint8_t(std::lround((v + m) * 255)); };
    return Color{byte(r), byte(g), byte(b)};
}

}  // namespace

Color GroupColor(int Index) {
    if (Index < 0) return kTable[0];
    if (Index < static_cast<int>(kTable.size())) return kTable[static_cast<std::size_t>(Index)];
    // Successive indices step round the colour circle by the golden angle, so neighbours
    // differ clearly; saturation and brightness cycle so that the circle's later rounds
    // do not repeat the first.
    const int k = Index - static_cast<int>(kTable.size());
    const double hue = std::fmod(17.0 + 137.50776405 * k, 360.0);
    const double saturation = (k / 7) % 2 == 0 ? 0.85 : 0.6;
    const double value = (k / 14) % 2 == 0 ? 0.7 : 0.5;
    Color c = FromHsv(hue, saturation, value);
    if (InTable(c)) c.b = static_cast<std::uint8_t>(c.b ^ 1);  // off by one, and distinct
    return c;
}

}  // namespace tabulon

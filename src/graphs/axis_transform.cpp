// World-to-pixel transform of the XY graphs.
#include "graphs/axis_transform.h"

#include <cmath>

namespace tabulon {
namespace {

bool Finite(Extended a, Extended b, Extended c, Extended d) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

// One half of the transform; false when the result would not be finite (a range so narrow
// that the scale overflows).
bool HalfTransform(Extended wmin, Extended wmax, Extended pfrom, Extended pto, Extended& scale,
                   Extended& offset) {
    const Extended s = (pto - pfrom) / (wmax - wmin);
    const Extended o = pfrom - s * wmin;
    if (!std::isfinite(s) || !std::isfinite(o)) return false;
    scale = s;
    offset = o;
    return true;
}

int ToPixel(Extended value) {
    if (std::isnan(value)) return -kPixelLimit;
    if (value >= kPixelLimit) return kPixelLimit;
    if (value <= -kPixelLimit) return -kPixelLimit;
    return static_cast<int>(RoundHalfEven(value));
}

}  // namespace

Extended RoundHalfEven(Extended value) {
    if (!std::isfinite(value)) return value;
    const Extended below = std::floor(value);
    const Extended fraction = value - below;
    if (fraction > 0.5L) return below + 1;
    if (fraction < 0.5L) return below;
    return std::fmod(below, Extended(2)) == 0 ? below : below + 1;
}

bool SetTransform(TAxisTransform& t, Extended XMin, Extended XMax, Extended Left, Extended Right,
                  Extended YMin, Extended YMax, Extended Bottom, Extended Top) {
    if (!Finite(XMin, XMax, Left, Right) || !Finite(YMin, YMax, Bottom, Top)) return false;
    if (XMax == XMin) {
        XMin -= 0.5L;
        XMax += 0.5L;
    }
    if (YMax == YMin) {
        YMin -= 0.5L;
        YMax += 0.5L;
    }
    TAxisTransform next = t;
    if (!HalfTransform(XMin, XMax, Left, Right, next.XScale, next.XOffset)) return false;
    if (!HalfTransform(YMin, YMax, Bottom, Top, next.YScale, next.YOffset)) return false;
    t = next;
    return true;
}

bool SetXTransform(TAxisTransform& t, Extended XMin, Extended XMax, Extended Left, Extended Right) {
    if (!Finite(XMin, XMax, Left, Right) || XMax == XMin) return false;
    return HalfTransform(XMin, XMax, Left, Right, t.XScale, t.XOffset);
}

bool SetYTransform(TAxisTransform& t, Extended YMin, Extended YMax, Extended Bottom, Extended Top) {
    if (!Finite(YMin, YMax, Bottom, Top) || YMax == YMin) return false;
    return HalfTransform(YMin, YMax, Bottom, Top, t.YScale, t.YOffset);
}

int XToPixel(const TAxisTransform& t, Extended x) {
    return ToPixel(x * t.XScale + t.XOffset);
}
int YToPixel(const TAxisTransform& t, Extended y) {
    return ToPixel(y * t.YScale + t.YOffset);
}

Extended PixelToX(int px, const TAxisTransform& t) {
    return (px - t.XOffset) / t.XScale;
}
Extended PixelToY(int py, const TAxisTransform& t) {
    return (py - t.YOffset) / t.YScale;
}

}  // namespace tabulon

// The world-to-pixel transform of the XY graphs and its conversions.
#pragma once

#include "numeric/extended.h"

namespace tabulon {

// Pixel = world * scale + offset along each axis; YScale is negative for the usual upward
// y axis on a canvas whose rows grow downwards.
struct TAxisTransform {
    Extended XScale = 1;
    Extended YScale = 1;
    Extended XOffset = 0;
    Extended YOffset = 0;
};

// Rounds to the nearest whole number, halves to the even neighbour, whatever the
// floating-point rounding mode happens to be.
Extended RoundHalfEven(Extended value);

// Maps [XMin, XMax] onto the pixel columns [Left, Right] and [YMin, YMax] onto the pixel rows
// [Bottom, Top]. A degenerate range is first widened by 0.5 on each side, so equal limits
// never divide by zero. Returns false and leaves `t` as it was when a limit is not finite.
bool SetTransform(TAxisTransform& t, Extended XMin, Extended XMax, Extended Left, Extended Right,
                  Extended YMin, Extended YMax, Extended Bottom, Extended Top);
// Only the x or only the y half, by the same formulas; each does nothing (and returns false)
// when its two world limits are equal or not finite.
bool SetXTransform(TAxisTransform& t, Extended XMin, Extended XMax, Extended Left, Extended Right);
bool SetYTransform(TAxisTransform& t, Extended YMin, Extended YMax, Extended Bottom, Extended Top);

// round(x * XScale + XOffset), halves to even. Far-off values are held to
// +-kPixelLimit so that a point a million screens away still gives a number a canvas can
// take; NaN gives -kPixelLimit (off every canvas).
inline constexpr int kPixelLimit = 1'000'000'000;
int XToPixel(const TAxisTransform& t, Extended x);
int YToPixel(const TAxisTransform& t, Extended y);

// The world value of a pixel column or row.
Extended PixelToX(int px, const TAxisTransform& t);
Extended PixelToY(int py, const TAxisTransform& t);

}  // namespace tabulon

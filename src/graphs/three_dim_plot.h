// The three-dimensional plot: three columns rescaled to per cent of their ranges, turned
// about the middle of the box, seen in perspective, zoomed and shifted; grid planes and drop
// lines. The view is a plain value, so the window, the copy and the printout draw alike.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "graphs/axis_transform.h"
#include "graphs/canvas.h"
#include "graphs/text_measure.h"
#include "numeric/extended.h"
#include "worksheet/worksheet.h"

namespace tabulon {

struct ThreeDimData {
    std::array<std::string, 3> names;  // the column entries of x, y and z
    // Each row's x, y and z; NaN where the cell is empty or not a number.
    std::vector<std::array<Extended, 3>> rows;
};

// Columns x, y and z of a worksheet (grid indices), named as the column choice lists them.
ThreeDimData ThreeDimFromSheet(const Worksheet& sheet, const std::array<int, 3>& columns,
                               char decimal_separator);

struct AxisRange {
    Extended min = 0;
    Extended max = 0;
};

// Every row in per cent of its axis range (0 .. 100), NaN where the row has no number.
struct ThreeDimScaled {
    std::array<AxisRange, 3> range;
    std::vector<std::array<double, 3>> percent;
    bool valid = false;  // false: some axis has no number at all
};

// With `include_origin` 0 joins each axis's values. An axis whose values are all equal has
// no range to divide by; its points are drawn in the middle of the axis (50 %).
ThreeDimScaled Rescale(const ThreeDimData& data, bool include_origin);

inline constexpr int kSpinMin = -360;
inline constexpr int kSpinMax = 360;
inline constexpr int kZoomMin = 10;
inline constexpr int kZoomMax = 500;

struct ThreeDimView {
    // The three spin controls in degrees and the zoom in per cent.
    int spin1 = 0;
    int spin2 = 0;
    int spin3 = -5;
    int zoom = 100;
    // The picture shifted by dragging, in pixels of the screen it was dragged on.
    int shift_x = 0;
    int shift_y = 0;
    bool grid_xy = true;
    bool grid_all = false;
    bool drop_lines = true;
    bool include_origin = false;
    bool operator==(const ThreeDimView&) const = default;
};

// The view with the spins and zoom held to their ranges.
ThreeDimView Clamped(ThreeDimView view);
// "Återställ figuren": angles, zoom and shift back to the start; the toggles stay.
ThreeDimView Restored(ThreeDimView view);
// "XY-planet" toggles its plane and turns "Alla plan" off; "Alla plan" toggles and, when it
// comes on, brings the xy-plane with it.
void ToggleGridXY(ThreeDimView& view);
void ToggleGridAll(ThreeDimView& view);

// World point (per cent on each axis) to pixel for one picture size and view.
class ThreeDimProjector {
public:
    // `shift_scale` turns the view's screen pixels into this picture's (a printed page is wider).
    ThreeDimProjector(int width, int height, const ThreeDimView& view, double shift_scale = 1);

    // Turned about the middle of the box, in the order xy, yz, zx.
    std::array<double, 3> Rotate(double x, double y, double z) const;
    // Rotated and seen from the eye; a point behind the viewer lands far off the picture.
    Point Project(double x, double y, double z) const;

    const TAxisTransform& transform() const { return m_t; }
    int side() const { return m_side; }  // the zoomed side of the box in pixels

private:
    double m_r[3][3];
    double m_ex = 0;
    double m_ey = 0;
    double m_distance = 400;
    TAxisTransform m_t;
    int m_side = 0;
};

// Draws the whole plot; `caption` is the window caption written after "Data file: ".
void RenderThreeDimPlot(Canvas& canvas, int width, int height, const ThreeDimData& data,
                        const ThreeDimScaled& scaled, const ThreeDimView& view,
                        const std::string& caption, const TextMeasurer& measure,
                        double shift_scale = 1);

// "3-Dim plot: x versus y versus z" as the window's caption has it.
std::string ThreeDimCaption(const ThreeDimData& data);

// The ranges as text, one line per axis (what Kopiera > Text copies and tabulon-cli prints).
std::vector<std::string> ThreeDimLines(const ThreeDimData& data, const ThreeDimScaled& scaled);

}  // namespace tabulon

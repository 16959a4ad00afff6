// Drawing the bells, limits and data marks of the t-test and constant-test graphs.
#include "univariate/ttest_graph.h"

#include <algorithm>
#include <cmath>

#include "graphs/axis_transform.h"
#include "graphs/xy_graph.h"
#include "numeric/distributions.h"
#include "numeric/number_text.h"
#include "base/language.h"

namespace tabulon {

void RenderNormalCurves(Canvas& canvas, int width, int height,
                        const std::vector<NormalCurve>& curves, Extended level,
                        const std::string& heading, const std::vector<Extended>& extra_lines) {
    if (curves.empty() || width < 20 || height < 20) return;
    const int text_h = std::max(canvas.TextHeight("1"), 1);
    const int left = std::max(width / 40, 4);
    const int right = width - left;
    const int top = 2 * text_h + text_h / 2;
    const int bottom = height - 2 * text_h - 4;
    if (bottom <= top + 4 || right <= left + 4) return;

    Extended lo = curves.front().mean;
    Extended hi = lo;
    auto take = [&](Extended v) {
        if (!std::isfinite(v)) return;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    };
    for (const NormalCurve& c : curves) {
        take(c.mean - c.t * c.range_sd);
        take(c.mean + c.t * c.range_sd);
        take(c.mean - c.t * c.sigma);
        take(c.mean + c.t * c.sigma);
        for (Extended v : c.data) take(v);
    }
    for (Extended v : extra_lines) take(v);
    const Extended pad = (hi - lo) * 0.05L;
    lo -= pad;
    hi += pad;

    TAxisTransform t;
    if (!SetTransform(t, lo, hi, left, right, 0, 1.05L, bottom, top)) return;

    canvas.SetBrushStyle(BrushStyle::Clear);
    DrawXAxisStrip(canvas, width - 1, t, false, bottom);

    const char sep = DecimalSeparator();
    const std::string low_label = FormatGeneral(level / 2, 4, 2, sep) + "%";
    const std::string high_label = FormatGeneral(100 - level / 2, 4, 2, sep) + "%";

    for (const NormalCurve& c : curves) {
        canvas.SetPen({c.color, 2, PenStyle::Solid});
        std::vector<Point> bell;
        bell.reserve(static_cast<std::size_t>(right - left + 1));
        for (int px = left; px <= right; ++px) {
            const Extended x = PixelToX(px, t);
            bell.push_back({px, YToPixel(t, c.height * NormalShape(c.sigma, c.mean, x))});
        }
        canvas.DrawPolyline(bell);

        canvas.SetPen({c.color, 1, PenStyle::Solid});
        MoveToXY(canvas, t, c.mean, 0);
        LineToXY(canvas, t, c.mean, c.height);

        canvas.SetPen({c.color, 1, PenStyle::Dash});
        canvas.SetTextAlign({HAlign::Center, VAlign::Bottom});
        FontSpec font = canvas.font();
        font.color = c.color.ToBgr();
        canvas.SetFont(font);
        for (int side : {-1, 1}) {
            const Extended x = c.mean + side * c.t * c.sigma;
            MoveToXY(canvas, t, x, 0);
            LineToXY(canvas, t, x, c.height);
            canvas.DrawText({XToPixel(t, x), YToPixel(t, c.height) - 2},
                            side < 0 ? low_label : high_label);
        }

        canvas.SetPen({c.color, 1, PenStyle::Solid});
        for (Extended v : c.data) {
            MoveToXY(canvas, t, v, 0);
            LineToXY(canvas, t, v, 0.25L);
        }
    }

    canvas.SetPen({colors::kBlack, 1, PenStyle::Solid});
    for (Extended v : extra_lines) {
        MoveToXY(canvas, t, v, 0);
        LineToXY(canvas, t, v, 1);
    }

    FontSpec font = canvas.font();
    font.color = 0;
    canvas.SetFont(font);
    canvas.SetTextAlign({HAlign::Left, VAlign::Top});
    canvas.DrawText({left, text_h / 4}, heading);
}

}  // namespace tabulon

#include "output/core/SmallGraph.h"

#include <algorithm>
#include <cmath>

#include "output/core/DrawGraph.h"
#include "output/core/GraphAxes.h"
#include "platform/NumText.h"

namespace output {

using platform::Canvas;
using platform::HAlign;
using platform::Point;
using platform::Rect;
using platform::VAlign;

GridStep NiceGridStep(double range, int n) {
    n = std::max(n, 1);
    if (!(range > 0) || !std::isfinite(range)) range = 1;
    double step = 1;
    while (n * step > range) step /= 10;
    while (n * step < range) step *= 10;
    if (range < n * step / 2) step /= range < n * step / 5 ? 5 : 2;
    // range / step can land a hair above a whole number (0.07 / 0.01 is
    // 7.000000000000001): that hair is no interval of its own.
    const double q = range / step;
    const double intervals = std::ceil(q - q * 1e-9);
    return {step, static_cast<int>(std::clamp(intervals, 1.0, 1e6))};
}

namespace {

// A value that ends a curve: not a number, or the missing-value marker.
bool EndsCurve(double v) { return !std::isfinite(v) || v < -900; }

// One axis laid out over length pixels: the grid step, the spacing and
// the pixels per unit of the whole (shortened) axis.
struct AxisFit {
    GridStep grid;
    int spacing = 0;
    double scale = 0;
};

AxisFit FitAxis(double range, int length, int gridPx) {
    AxisFit fit;
    fit.grid = NiceGridStep(range, gridPx > 0 ? length / gridPx : 1);
    fit.spacing = std::max(length, 0) / fit.grid.intervals;
    fit.scale = fit.spacing / fit.grid.step;
    return fit;
}

void DrawTimeTicks(Canvas& c, const Rect& box, const AxisFit& x, int mmY, double origin, const char* format) {
    const int n = x.grid.intervals;
    for (int k = 0; k <= n; ++k) {
        const int at = box.left + k * x.spacing;
        c.line({at, box.bottom - 3 * mmY / 2}, {at, box.bottom + 3 * mmY / 2});
        for (int j = 1; j <= 4; ++j) {
            const int xm = at + j * (x.spacing / 5);
            if (xm >= box.right) break;
            c.line({xm, box.bottom - 2 * mmY / 3}, {xm, box.bottom + 2 * mmY / 3});
        }
        c.text({at, box.bottom + mmY}, platform::Format(format, k * x.grid.step + origin), HAlign::Centre,
               VAlign::Top);
    }
}

// The value labels' format: the style's, or the step's decimals when
// neighbouring labels would read the same in it.
std::string ValueFormat(const SmallGraphStyle& style, const GridStep& y, double bottom) {
    if (!style.widenDecimals) return style.valueFormat;
    for (int k = 1; k <= y.intervals; ++k)
        if (platform::Format(style.valueFormat, bottom + (k - 1) * y.step) ==
            platform::Format(style.valueFormat, bottom + k * y.step)) {
            const int decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(y.step) - 1e-9)), 0, 9);
            return platform::Format("%%.%df", decimals);
        }
    return style.valueFormat;
}

}  // namespace

SmallGraphStyle SmallGraphStyleFor(const Canvas& c, SmallGraphMedium medium, int gridMm) {
    SmallGraphStyle s;
    s.font = GraphFont(c.ppiY());
    s.textColour = {0, 0, 0};
    s.gridPen = {platform::PenStyle::Solid, 1,
                 medium == SmallGraphMedium::Screen ? kSmallGraphScreenGrid : kSmallGraphPaperGrid};
    s.gridMm = gridMm;
    s.valueFormat = "%.0f";
    s.timeFormat = "%.0f";
    return s;
}

bool SmallGraphDrawable(const SmallGraph& g) {
    if (!g.recordOk || g.curves.empty()) return false;
    if (!std::isfinite(g.minValue) || !std::isfinite(g.maxValue) || g.maxValue < g.minValue) return false;
    if (!std::isfinite(g.xOrigin) || !std::isfinite(g.xRange)) return false;
    for (const SmallCurve& curve : g.curves) {
        if (curve.x.empty() || curve.y.empty()) return false;
        if (!(curve.x[0] >= 0) || !(curve.y[0] >= 0)) return false;
    }
    return true;
}

SmallGraphLayout DrawSmallGraph(Canvas& c, const Rect& area, const SmallGraph& g, const SmallGraphStyle& style) {
    SmallGraphLayout out;
    const int mmX = platform::mmPixels(c.ppiX());
    const int mmY = platform::mmPixels(c.ppiY());
    c.save();
    c.setFont(style.font);
    c.setTextColour(style.textColour);
    c.setTextBackground({255, 255, 255}, false);
    c.setPen(platform::kBlackPen);

    out.textHeight = c.textExtent(g.title).cy;
    Rect box{area.left + 10 * mmX, area.top + out.textHeight + mmY, area.right, area.bottom - out.textHeight - mmY};
    c.text({(box.left + box.right) / 2, area.top}, g.title, HAlign::Centre, VAlign::Top);
    c.fillRect(box, platform::kWhiteBrush);
    out.box = box;
    if (!SmallGraphDrawable(g)) {
        c.textInRect(area, "N/A", HAlign::Centre, true);
        c.restore();
        return out;
    }
    out.drawn = true;

    const AxisFit y = FitAxis(g.maxValue - g.minValue, box.height(), style.gridMm * mmY);
    const AxisFit x = FitAxis(g.xRange, box.width(), style.gridMm * mmX);
    box.bottom = box.top + y.grid.intervals * y.spacing;
    box.right = box.left + x.grid.intervals * x.spacing;
    out.box = box;
    out.x = x.grid;
    out.y = y.grid;
    out.xSpacing = x.spacing;
    out.ySpacing = y.spacing;

    c.setPen(style.gridPen);
    for (int k = 1; k <= y.grid.intervals; ++k) {
        const int at = box.bottom - k * y.spacing;
        c.line({box.left, at}, {box.right, at});
    }
    for (int k = 1; k <= x.grid.intervals; ++k) {
        const int at = box.left + k * x.spacing;
        c.line({at, box.top}, {at, box.bottom});
    }

    auto px = [&](double v) { return box.left + Rnd(std::fabs(v - g.xOrigin) * x.scale); };
    auto py = [&](double v) { return box.bottom - Rnd(std::fabs(v - g.minValue) * y.scale); };

    if (g.band && !EndsCurve(g.band->from) && !EndsCurve(g.band->to)) {
        const int a = std::clamp(py(g.band->to), box.top, box.bottom);
        const int b = std::clamp(py(g.band->from), box.top, box.bottom);
        c.fillRect({box.left, std::min(a, b), box.right, std::max(a, b)}, g.band->brush);
    }

    std::vector<Point> points;
    for (const SmallCurve& curve : g.curves) {
        points.clear();
        const std::size_t n = std::min(curve.x.size(), curve.y.size());
        for (std::size_t i = 0; i < n && !EndsCurve(curve.x[i]) && !EndsCurve(curve.y[i]); ++i)
            points.push_back({px(curve.x[i]), py(curve.y[i])});
        c.setPen(curve.pen);
        c.polyline(points);
    }

    c.setPen(platform::kBlackPen);
    const std::string valueFormat = ValueFormat(style, y.grid, g.minValue);
    DrawValueTicks(c, box, y.grid.intervals, y.spacing, mmX, g.minValue, y.grid.step, valueFormat.c_str());
    DrawTimeTicks(c, box, x, mmY, g.xOrigin, style.timeFormat);
    DrawPlotFrame(c, box);
    c.restore();
    return out;
}

}  // namespace output

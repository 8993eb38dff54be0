#include "ui/inputs/rules/PlumeGraph.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "output/core/DrawGraph.h"

namespace ui {

using platform::Canvas;
using platform::HAlign;
using platform::Pen;
using platform::PenStyle;
using platform::Rect;
using platform::Rgb;
using platform::VAlign;

namespace {

constexpr Rgb kBlack{0, 0, 0};

Pen NeutralPen(PlumeMedium m) {
    return m == PlumeMedium::Screen ? Pen{PenStyle::Solid, 3, kPlumeNeutralColour} : Pen{PenStyle::Dash, 5, kBlack};
}
Pen StablePen(PlumeMedium m) {
    return m == PlumeMedium::Screen ? Pen{PenStyle::Solid, 3, kPlumeStableColour} : Pen{PenStyle::Solid, 5, kBlack};
}

int Points(const model::SPlumeGraphData& p) { return std::clamp(p.count, 0, model::PLUME_POINTS); }

std::span<const double> Series(const model::SPlumeGraphData& p, int series) {
    return {p.series[series], static_cast<std::size_t>(Points(p))};
}

// The last distance of a contour: its last point before any missing one.
double LastDistance(std::span<const double> d) {
    double last = d.empty() ? 0 : d[0];
    for (double v : d) {
        if (!std::isfinite(v) || v < 0) break;
        last = v;
    }
    return last;
}

// The summary and legend font on paper: Courier New 10 point.
platform::Font PaperFont(const Canvas& c) { return {platform::Face::Mono, platform::fontPx(10, c.ppiY()), 400, true}; }

int PaperTextHeight(Canvas& c) {
    c.save();
    c.setFont(PaperFont(c));
    const int h = c.textExtent("Height").cy;
    c.restore();
    return h;
}

}  // namespace

output::SmallGraphLayout DrawPlumeGraph(Canvas& c, const Rect& area, const model::SPlumeGraphData& p,
                                        PlumeMedium medium) {
    output::SmallGraph g;
    g.title = std::string(p.title) + " (" + p.units + ")";
    g.minValue = p.minValue;
    g.maxValue = p.maxValue;
    g.recordOk = Points(p) >= 1;
    const auto neutral = Series(p, model::PLUME_NEUTRAL_DISTANCE);
    const auto stable = Series(p, model::PLUME_STABLE_DISTANCE);
    if (g.recordOk) {
        g.xOrigin = std::min(neutral[0], stable[0]);
        g.xRange = std::max(LastDistance(neutral), LastDistance(stable));
    }
    g.curves = {{neutral, Series(p, model::PLUME_NEUTRAL_UPPER), NeutralPen(medium)},
                {neutral, Series(p, model::PLUME_NEUTRAL_LOWER), NeutralPen(medium)},
                {stable, Series(p, model::PLUME_STABLE_UPPER), StablePen(medium)},
                {stable, Series(p, model::PLUME_STABLE_LOWER), StablePen(medium)}};

    const output::SmallGraphStyle style = output::SmallGraphStyleFor(c, medium, 15);

    // Room under the distance labels for the caption.
    c.save();
    c.setFont(style.font);
    const int th = c.textExtent(kPlumeDistanceCaption).cy;
    const int mmY = platform::mmPixels(c.ppiY());
    // and room right of the box for half of its last distance label.
    const int labelHalf = c.textExtent("00000").cx / 2;
    const Rect graphArea{area.left, area.top, std::max(area.left, area.right - labelHalf),
                         std::max(area.top, area.bottom - th - mmY)};
    const output::SmallGraphLayout layout = output::DrawSmallGraph(c, graphArea, g, style);
    if (layout.drawn) {
        c.setTextColour(style.textColour);
        c.setTextBackground({255, 255, 255}, false);
        c.text({(layout.box.left + layout.box.right) / 2, layout.box.bottom + mmY + layout.textHeight},
               kPlumeDistanceCaption, HAlign::Centre, VAlign::Top);
    }
    c.restore();
    return layout;
}

Rect PlumePaperArea(Canvas& c) {
    const int th = PaperTextHeight(c);
    const platform::Size page = c.deviceSize();
    return {c.ppiX(), c.ppiY() + 14 * th, page.cx - c.ppiX(), page.cy - c.ppiY()};
}

void PrintPlumePage(Canvas& c, const PlumeSummary& m, const model::SPlumeGraphData& p, const PlumePageFrame& frame) {
    if (frame.header) frame.header(c, kPlumePrintTitle);
    const Rect area = PlumePaperArea(c);
    const int th = PaperTextHeight(c);
    const int mmX = platform::mmPixels(c.ppiX());
    const int left = c.ppiX() * 3 / 2;
    const int half = c.deviceSize().cx / 2;

    c.save();
    c.setFont(PaperFont(c));
    c.setTextColour(kBlack);
    c.setTextBackground({255, 255, 255}, false);
    int y = c.ppiY();
    auto line = [&](const std::string& first, const std::string* second) {
        c.text({left, y}, first, HAlign::Left, VAlign::Top);
        if (second) c.text({half, y}, *second, HAlign::Left, VAlign::Top);
        y += th * 3 / 2;
    };
    line(m.time, nullptr);
    line(m.duration, &m.area);
    line(m.loc, nullptr);
    line(m.wind, &m.airTemp);
    line(m.oil, nullptr);
    y += 5 * th - th * 3 / 2;
    c.text({c.ppiX(), y}, kPlumePaperHeightCaption, HAlign::Left, VAlign::Top);
    auto key = [&](const char* text, const Pen& pen, int top) {
        const int textLeft = area.right - c.textExtent(text).cx;
        c.text({area.right, top}, text, HAlign::Right, VAlign::Top);
        c.setPen(pen);
        c.line({textLeft - 18 * mmX, top + th / 2}, {textLeft - 3 * mmX, top + th / 2});
    };
    key(kPlumeNeutralLegend, NeutralPen(PlumeMedium::Paper), y);
    key(kPlumeStableLegend, StablePen(PlumeMedium::Paper), y + th);
    c.restore();

    DrawPlumeGraph(c, area, p, PlumeMedium::Paper);
    if (frame.footer) frame.footer(c);
}

}  // namespace ui

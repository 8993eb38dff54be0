#include "ui/inputs/rules/TankResultPage.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "output/core/DrawGraph.h"
#include "output/core/PrintSpillInformation.h"
#include "output/core/SmallGraph.h"
#include "platform/NumText.h"
#include "ui/inputs/rules/TankWizardRules.h"

namespace ui {

using platform::Brush;
using platform::BrushStyle;
using platform::Canvas;
using platform::HAlign;
using platform::Pen;
using platform::PenStyle;
using platform::Rect;
using platform::Rgb;
using platform::VAlign;

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLightGrey{192, 192, 192};

// The pens and the opening's brush of each medium.
struct TankPens {
    Pen oil, water, release;
    Brush hole;
};
TankPens PensFor(TankMedium medium) {
    if (medium == TankMedium::Screen)
        return {{PenStyle::Solid, 3, kTankOilColour},
                {PenStyle::Solid, 3, kTankWaterColour},
                {PenStyle::Solid, 3, {255, 0, 0}},
                {BrushStyle::Solid, kTankHoleColour, platform::Hatch::Horizontal}};
    return {{PenStyle::Solid, 5, kBlack},
            {PenStyle::Dash, 1, kBlack},
            {PenStyle::Solid, 5, kBlack},
            {BrushStyle::Solid, kLightGrey, platform::Hatch::Horizontal}};
}

output::SmallGraphStyle StyleFor(Canvas& c, TankMedium medium, const char* valueFormat) {
    output::SmallGraphStyle s = output::SmallGraphStyleFor(c, medium, 12);
    s.valueFormat = valueFormat;
    s.widenDecimals = true;
    return s;
}

// The printout's text font: Courier New 10 point.
platform::Font PrintFont(const Canvas& c) { return {platform::Face::Mono, platform::fontPx(10, c.ppiY()), 400, true}; }

int Points(const model::SSeriesHead& head) { return std::clamp(head.count, 0, model::SERIES_LENGTH); }

// The graph of a record's time series against one or more value series.
output::SmallGraph GraphOf(const model::SSeriesHead& head, const double* minutes) {
    output::SmallGraph g;
    g.title = output::GraphTitle(head);
    g.minValue = head.minValue;
    g.maxValue = head.maxValue;
    const int n = Points(head);
    g.recordOk = n >= 1 && head.hours >= 0;
    g.xOrigin = n >= 1 ? minutes[0] : 0;
    g.xRange = n >= 1 ? minutes[n - 1] : 0;
    return g;
}

std::span<const double> Series(const double* values, const model::SSeriesHead& head) {
    return {values, static_cast<std::size_t>(Points(head))};
}

// A time caption centred under an area, in the current font.
void TimeCaption(Canvas& c, const Rect& area) {
    c.text({(area.left + area.right) / 2, area.bottom}, kTankPaperTimeCaption, HAlign::Centre, VAlign::Top);
}

void PrintText(Canvas& c) {
    c.setFont(PrintFont(c));
    c.setTextColour(kBlack);
    c.setTextBackground({255, 255, 255}, false);
}

}  // namespace

std::string TankTotalText(double cubicMetres) {
    return platform::Format("Total release from tank = %.0f m3", cubicMetres);
}

std::string TankDurationText(double d) {
    double value = d;
    const char* unit = "seconds";
    if (d >= 7200) {
        value = std::floor(d / 3600 + 0.5);
        unit = "hours";
    } else if (d >= 120) {
        value = std::floor(d / 60 + 0.5);
        unit = "minutes";
    }
    return platform::Format("Duration of release = %.0f ", value) + unit + " (approx.)";
}

TankAreas TankScreenAreas(const TankPageControls& p, int mmX, int mmY) {
    TankAreas a;
    const int top = p.textFrame.bottom + 5 * mmY;
    const int bottom = p.caption.top - mmY;
    a.level = {p.pageLeft, top, p.swatch.left - mmX, bottom};
    const int right = p.pageRight - 5 * mmX;
    a.release = {right - a.level.width(), top, right, bottom};
    return a;
}

Rect TankPaperArea(Canvas& c) {
    c.save();
    c.setFont(PrintFont(c));
    const int th = c.textExtent("Height").cy;
    c.restore();
    const platform::Size page = c.deviceSize();
    const int inchX = c.ppiX(), inchY = c.ppiY();
    return {inchX, inchY + 8 * th, page.cx - inchX, page.cy - inchY - static_cast<int>(1.5 * th)};
}

void DrawTankLevelGraph(Canvas& c, const Rect& area, const model::STankLevelData& rec, TankMedium medium) {
    const TankPens pens = PensFor(medium);
    output::SmallGraph g = GraphOf(rec, rec.series[model::TANK_MINUTES]);
    const auto minutes = Series(rec.series[model::TANK_MINUTES], rec);
    g.curves = {{minutes, Series(rec.series[model::TANK_OIL_LEVEL], rec), pens.oil},
                {minutes, Series(rec.series[model::TANK_WATER_LEVEL], rec), pens.water}};
    g.band = output::SmallBand{rec.holeBottom, rec.holeTop, pens.hole};
    output::DrawSmallGraph(c, area, g, StyleFor(c, medium, "%.1f"));
}

void DrawTankReleaseGraph(Canvas& c, const Rect& area, const model::SGraphData& rec, TankMedium medium) {
    const TankPens pens = PensFor(medium);
    output::SmallGraph g = GraphOf(rec, rec.series[model::TANK_MINUTES]);
    g.curves = {{Series(rec.series[model::TANK_MINUTES], rec), Series(rec.series[model::TANK_RELEASED], rec),
                 pens.release}};
    output::DrawSmallGraph(c, area, g, StyleFor(c, medium, "%.0f"));
}

std::string TankResultPage::TotalText() const { return TankTotalText(doc_.scenario.m_dTankTotalRelease); }

std::string TankResultPage::DurationText() const { return TankDurationText(doc_.scenario.m_dTankLeakDuration); }

void TankResultPage::DrawLevel(Canvas& c, const Rect& area, TankMedium medium) const {
    auto rec = std::make_unique<model::STankLevelData>();
    doc_.Model().GetTankLevelSeries(*rec, doc_.scenario.tank.tUnits);
    DrawTankLevelGraph(c, area, *rec, medium);
}

void TankResultPage::DrawRelease(Canvas& c, const Rect& area, int releaseUnit, TankMedium medium) const {
    auto rec = std::make_unique<model::SGraphData>();
    const int unit = std::clamp(releaseUnit, 0, static_cast<int>(kTankReleaseUnits.size()) - 1);
    doc_.Model().GetTankReleaseSeries(*rec, unit + 1, doc_.GetOilDensity());
    DrawTankReleaseGraph(c, area, *rec, medium);
}

void TankResultPage::Print(Canvas& c, int releaseUnit) const {
    const Rect area = TankPaperArea(c);
    const int x = c.ppiX() * 3 / 2;
    const TankPens pens = PensFor(TankMedium::Paper);
    const output::CPrintSpillInformation layout(doc_.Clock());
    auto frameOf = [&] {
        layout.PrintHeader(c, kTankPrintTitle);
        layout.PrintFooter(c);
    };

    // Page 1: the texts and the release.
    frameOf();
    c.save();
    PrintText(c);
    const int th = c.textExtent(TotalText()).cy;
    c.text({x, c.ppiY()}, TotalText(), HAlign::Left, VAlign::Top);
    c.text({x, c.ppiY() + th * 3 / 2}, DurationText(), HAlign::Left, VAlign::Top);
    TimeCaption(c, area);
    c.restore();
    DrawRelease(c, area, releaseUnit, TankMedium::Paper);
    c.endPage();
    c.startPage();

    // Page 2: the legend and the levels.
    frameOf();
    c.save();
    PrintText(c);
    const platform::Size key = c.textExtent(kTankLegendOil);
    int y = c.ppiY();
    c.setPen(pens.oil);
    c.line({x, y + key.cy / 2}, {x + key.cx, y + key.cy / 2});
    c.text({x + key.cx + 1, y}, kTankLegendOil, HAlign::Left, VAlign::Top);
    y += key.cy * 3 / 2;
    c.setPen(pens.water);
    c.line({x, y + key.cy / 2}, {x + key.cx, y + key.cy / 2});
    c.text({x + key.cx + 1, y}, kTankLegendWater, HAlign::Left, VAlign::Top);
    y += key.cy * 3 / 2;
    c.setPen(platform::kBlackPen);
    c.setBrush(pens.hole);
    c.rectangle({x, y, x + key.cx, y + key.cy});
    c.text({x + key.cx + 1, y}, kTankLegendHole, HAlign::Left, VAlign::Top);
    TimeCaption(c, area);
    c.restore();
    DrawLevel(c, area, TankMedium::Paper);
}

}  // namespace ui

#include "ui/inputs/rules/TankPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "output/core/DrawGraph.h"
#include "platform/NumText.h"
#include "ui/inputs/rules/TankResultPage.h"

namespace ui {

using platform::Brush;
using platform::BrushStyle;
using platform::Canvas;
using platform::HAlign;
using platform::Pen;
using platform::PenStyle;
using platform::Point;
using platform::Rect;
using platform::Rgb;
using platform::VAlign;

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWaterLine{40, 150, 40};
// How far the width recedes, per unit of width, across and up.
constexpr double kDepth = 0.35;

// Defaults of the steps' quantities, in parts of the tank's height.
constexpr double kDefaultLiquid = 0.6;
constexpr double kDefaultHoleBottom = 0.25;
constexpr double kDefaultWater = 0.35;
constexpr double kDefaultDiameter = 0.1;
constexpr double kDefaultRectLength = 0.125, kDefaultRectHeight = 0.0625;

// The tank in metres.
struct TankSize {
    double length = kPictureDefaultLength, width = kPictureDefaultWidth, height = kPictureDefaultHeight;
};

// An opening in metres; bottom in parts of the tank's height.
struct Opening {
    bool round = true;
    double across = 0, high = 0;
    double bottom = 0;
};

struct Scene {
    TankSize tank;
    std::optional<double> liquid;  // parts of the height
    std::optional<Opening> opening;
    std::optional<double> water;  // parts of the height
};

std::optional<double> Typed(const std::string& text, bool zeroToo) {
    const std::optional<double> v = platform::ReadNumber(text);
    if (!v || !(zeroToo ? *v >= 0 : *v > 0)) return std::nullopt;
    return v;
}

TankSize TypedTank(const TankSizeForm& f) {
    const auto l = Typed(f.length, false), w = Typed(f.width, false), h = Typed(f.height, false);
    if (!l || !w || !h) return {};
    return {TankLengthMetres(*l, f.unit), TankLengthMetres(*w, f.unit), TankLengthMetres(*h, f.unit)};
}

TankSize StoredTank(const model::InputTank& t) {
    if (!(t.tLength > 0 && t.tWidth > 0 && t.tHeight > 0)) return {};
    const int unit = t.tUnits - 1;
    return {TankLengthMetres(t.tLength, unit), TankLengthMetres(t.tWidth, unit), TankLengthMetres(t.tHeight, unit)};
}

// A level of cubic metres in the tank, in parts of its height; none above
// the top.
std::optional<double> LevelOf(double cubicMetres, const TankSize& tank) {
    const double part = cubicMetres / (tank.length * tank.width * tank.height);
    if (!(part > 0 && part <= 1)) return std::nullopt;
    return part;
}

std::optional<double> StoredLiquid(const model::InputTank& t, const TankSize& tank) {
    if (!(t.oVol > 0) || t.oUnits < 1 || t.oUnits > 4) return std::nullopt;
    return LevelOf(TankAmountCubicMetres(t.oVol, t.oUnits - 1), tank);
}

double TypedLiquid(const TankAmountForm& f, const TankSize& tank) {
    std::optional<double> part;
    if (f.amountKnown) {
        if (const auto v = Typed(f.amount, false)) part = LevelOf(TankAmountCubicMetres(*v, f.unit), tank);
    } else if (const auto p = Typed(f.percent, false); p && *p <= 100) {
        part = *p / 100;
    }
    return part.value_or(kDefaultLiquid);
}

Opening TypedOpening(const TankOpeningForm& f, const TankSize& tank) {
    Opening o;
    o.round = f.round;
    if (f.round) {
        const auto d = Typed(f.diameter, false);
        o.across = o.high = d ? TankHoleMetres(*d, f.diameterUnit) : kDefaultDiameter * tank.height;
    } else {
        const auto l = Typed(f.rectLength, false), h = Typed(f.rectHeight, false);
        o.across = l && h ? TankHoleMetres(*l, f.rectUnit) : kDefaultRectLength * tank.height;
        o.high = l && h ? TankHoleMetres(*h, f.rectUnit) : kDefaultRectHeight * tank.height;
    }
    return o;
}

std::optional<Opening> StoredOpening(const document::Scenario& s) {
    const model::InputTank& t = s.tank;
    if (!(t.hDiam > 0 && t.hArea > 0)) return std::nullopt;
    Opening o;
    o.round = s.m_bHoleRound != 0;
    o.high = TankHoleMetres(t.hDiam, t.hUnits - 1);
    o.across = o.round ? o.high : TankHoleMetres(t.hArea / t.hDiam, t.hUnits - 1);
    return o;
}

// The stored height of the opening's bottom, in parts of the tank's height.
std::optional<double> StoredHoleBottom(const model::InputTank& t, const TankSize& tank) {
    if (!(t.zHeight >= 0)) return std::nullopt;
    const double part = TankLengthMetres(t.zHeight, t.zUnits - 1) / tank.height;
    if (!(part <= 1)) return std::nullopt;
    return part;
}

// A height typed on step 4 or 5 in parts of the tank's height, when it
// reads and stays at most `most` (parts).
std::optional<double> TypedHeight(const TankHeightForm& f, const TankSize& tank, double most) {
    std::optional<double> part;
    if (f.heightKnown) {
        if (const auto v = Typed(f.height, true)) part = TankLengthMetres(*v, f.unit) / tank.height;
    } else if (const auto p = Typed(f.percent, true)) {
        part = *p / 100;
    }
    if (part && !(*part <= most)) part.reset();
    return part;
}

Scene SceneOf(int step, const TankWizardForms& typed, const document::Scenario& s) {
    Scene scene;
    if (step == 1) {
        scene.tank = TypedTank(typed.size);
        return scene;
    }
    scene.tank = StoredTank(s.tank);
    if (step == 2) {
        scene.liquid = TypedLiquid(typed.amount, scene.tank);
        return scene;
    }
    scene.liquid = StoredLiquid(s.tank, scene.tank);
    if (step == 3) {
        Opening o = TypedOpening(typed.opening, scene.tank);
        o.bottom = StoredHoleBottom(s.tank, scene.tank).value_or(kDefaultHoleBottom);
        scene.opening = o;
        return scene;
    }
    std::optional<Opening> stored = StoredOpening(s);
    if (step == 4) {
        Opening o = stored.value_or(Opening{true, kDefaultDiameter * scene.tank.height, kDefaultDiameter * scene.tank.height, 0});
        const double most = 1 - o.high / scene.tank.height;
        o.bottom = TypedHeight(typed.holeHeight, scene.tank, most).value_or(std::min(kDefaultHoleBottom, std::max(most, 0.0)));
        scene.opening = o;
        return scene;
    }
    if (stored) {
        if (const auto bottom = StoredHoleBottom(s.tank, scene.tank)) {
            stored->bottom = *bottom;
            scene.opening = stored;
        }
    }
    scene.water = TypedHeight(typed.waterLevel, scene.tank, 1).value_or(kDefaultWater);
    return scene;
}

int Round(double v) { return static_cast<int>(std::lround(v)); }

// The marks' pens and sizes.
struct Marks {
    int mm = 4;
    int gap = 10;     // from a face to its dimension line
    int arrow = 6;    // arrowhead length
    int textH = 12;
};

void Arrowhead(Canvas& c, Point tip, double ux, double uy, int length) {
    const double half = length * 0.4;
    const std::array<Point, 3> head{
        tip,
        Point{Round(tip.x + ux * length - uy * half), Round(tip.y + uy * length + ux * half)},
        Point{Round(tip.x + ux * length + uy * half), Round(tip.y + uy * length - ux * half)},
    };
    c.polygon(head);
}

// A dimension line from a to b with an arrowhead at each end.
void Dimension(Canvas& c, Point a, Point b, const Marks& m) {
    c.setPen(platform::kBlackPen);
    c.setBrush({BrushStyle::Solid, kBlack, platform::Hatch::Horizontal});
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    c.line(a, b);
    if (length < 2.5 * m.arrow) return;
    const double ux = dx / length, uy = dy / length;
    Arrowhead(c, a, ux, uy, m.arrow);
    Arrowhead(c, b, -ux, -uy, m.arrow);
}

// A label beside a vertical dimension at x between y0 and y1: on its left
// (right-aligned) or on its right.
void SideLabel(Canvas& c, int x, int y0, int y1, const char* text, bool left, const Marks& m) {
    const int y = (y0 + y1) / 2 - m.textH / 2;
    c.text({left ? x - m.mm : x + m.mm, y}, text, left ? HAlign::Right : HAlign::Left, VAlign::Top);
}

std::vector<Point> CirclePoints(double cx, double cy, double r) {
    constexpr int kSides = 32;
    std::vector<Point> points;
    for (int i = 0; i < kSides; ++i) {
        const double a = 2 * std::numbers::pi * i / kSides;
        points.push_back({Round(cx + r * std::cos(a)), Round(cy + r * std::sin(a))});
    }
    return points;
}

}  // namespace

void DrawTankPicture(Canvas& c, const Rect& area, int step, const TankWizardForms& typed,
                     const document::Scenario& stored) {
    if (step < 1 || step > 5 || area.width() <= 0 || area.height() <= 0) return;
    const Scene scene = SceneOf(step, typed, stored);

    c.save();
    c.setFont(output::GraphFont(c.ppiY()));
    c.setTextColour(kBlack);
    c.setTextBackground({255, 255, 255}, false);
    Marks m;
    m.mm = std::max(1, platform::mmPixels(c.ppiX()));
    m.gap = Round(2.5 * m.mm);
    m.arrow = Round(1.5 * m.mm);
    m.textH = c.textMetrics().height;
    const auto room = [&](const char* label) { return c.textExtent(label).cx + m.gap + m.mm + m.mm; };

    // Room for the marks outside the tank.
    int left = 4 * m.mm, right = 4 * m.mm, top = 4 * m.mm, bottom = 4 * m.mm;
    switch (step) {
        case 1:
            left += room(kPictureHeight);
            right += room(kPictureWidth);
            bottom += m.gap + m.mm + m.textH;
            break;
        case 2: left += room(kPictureLiquidLevel); break;
        case 4: left += room(kPictureHoleHeight); break;
        case 5: right += room(kPictureWaterLevel); break;
        default: break;
    }

    // The drawn proportions: no side less than a sixth of the largest.
    const TankSize& t = scene.tank;
    const double largest = std::max({t.length, t.width, t.height});
    const double l = std::max(t.length, largest / kPictureMostRatio);
    const double w = std::max(t.width, largest / kPictureMostRatio);
    const double h = std::max(t.height, largest / kPictureMostRatio);
    const double availW = area.width() - left - right, availH = area.height() - top - bottom;
    if (availW <= 0 || availH <= 0) {
        c.restore();
        return;
    }
    const double scale = std::min(availW / (l + kDepth * w), availH / (h + kDepth * w));
    const double faceW = l * scale, faceH = h * scale, depth = kDepth * w * scale;
    const double x0 = area.left + left + (availW - faceW - depth) / 2;
    const double yBottom = area.top + top + depth + faceH + (availH - faceH - depth) / 2;
    const Rect face{Round(x0), Round(yBottom - faceH), Round(x0 + faceW), Round(yBottom)};
    const int dx = Round(depth), dy = Round(depth);
    const auto levelY = [&](double part) { return Round(yBottom - part * faceH); };

    // The water outside, behind the tank.
    if (scene.water) {
        const int y = levelY(*scene.water);
        c.fillRect({area.left, y, area.right, face.bottom}, {BrushStyle::Solid, kPictureWaterColour, platform::Hatch::Horizontal});
        c.setPen({PenStyle::Solid, 1, kWaterLine});
        c.line({area.left, y}, {area.right, y});
    }

    // The tank: its top, its right side, its front.
    const Pen outline{PenStyle::Solid, std::max(1, m.mm / 2), kBlack};
    c.setPen(outline);
    c.setBrush({BrushStyle::Solid, kPictureTopColour, platform::Hatch::Horizontal});
    const std::array<Point, 4> topFace{Point{face.left, face.top}, Point{face.left + dx, face.top - dy},
                                       Point{face.right + dx, face.top - dy}, Point{face.right, face.top}};
    c.polygon(topFace);
    c.setBrush({BrushStyle::Solid, kPictureSideColour, platform::Hatch::Horizontal});
    const std::array<Point, 4> sideFace{Point{face.right, face.top}, Point{face.right + dx, face.top - dy},
                                        Point{face.right + dx, face.bottom - dy}, Point{face.right, face.bottom}};
    c.polygon(sideFace);
    c.setBrush({BrushStyle::Solid, kPictureFrontColour, platform::Hatch::Horizontal});
    c.rectangle(face);

    // The liquid inside, seen through the front and the side.
    if (scene.liquid) {
        const int y = levelY(*scene.liquid);
        c.fillRect({face.left + 1, y, face.right - 1, face.bottom - 1},
                   {BrushStyle::Solid, kPictureLiquidColour, platform::Hatch::Horizontal});
        c.setPen(platform::kNullPen);
        c.setBrush({BrushStyle::Solid, kPictureLiquidSideColour, platform::Hatch::Horizontal});
        const std::array<Point, 4> side{Point{face.right + 1, y}, Point{face.right + dx - 1, y - dy},
                                        Point{face.right + dx - 1, face.bottom - dy}, Point{face.right + 1, face.bottom - 1}};
        c.polygon(side);
        c.setPen(outline);
        c.line({face.left, y}, {face.right, y});
    }

    // The opening on the front, at the middle of its length: to scale, but
    // large enough to be seen (on step 3, to show its shape and size), and
    // never beyond the front.
    Rect hole{};
    if (scene.opening) {
        const Opening& o = *scene.opening;
        const double pxPerMetre = faceH / t.height;
        double across = o.across * pxPerMetre, high = o.high * pxPerMetre;
        // Its proportions as typed, up to the drawing's limit.
        if (across > high * kPictureMostRatio) high = across / kPictureMostRatio;
        if (high > across * kPictureMostRatio) across = high / kPictureMostRatio;
        const double least = (step == 3 ? 12.0 : 3.0) * m.mm;
        if (std::max(across, high) < least) {
            const double grow = least / std::max(across, high);
            across *= grow, high *= grow;
        }
        const double shrink = std::min({1.0, 0.5 * faceW / across, 0.4 * faceH / high});
        across *= shrink, high *= shrink;
        const double holeBottom = std::max(yBottom - o.bottom * faceH, yBottom - faceH + high);
        const double cx = x0 + faceW / 2;
        hole = {Round(cx - across / 2), Round(holeBottom - high), Round(cx + across / 2), Round(holeBottom)};
        c.setPen(platform::kBlackPen);
        c.setBrush({BrushStyle::Solid, kTankHoleColour, platform::Hatch::Horizontal});
        if (o.round) {
            const std::vector<Point> circle = CirclePoints(cx, holeBottom - high / 2, across / 2);
            c.polygon(circle);
        } else {
            c.rectangle(hole);
        }
    }

    // The step's marks.
    switch (step) {
        case 1: {
            const int y = face.bottom + m.gap;
            Dimension(c, {face.left, y}, {face.right, y}, m);
            c.text({(face.left + face.right) / 2, y + m.mm}, kPictureLength, HAlign::Centre, VAlign::Top);
            const int x = face.left - m.gap;
            Dimension(c, {x, face.top}, {x, face.bottom}, m);
            SideLabel(c, x, face.top, face.bottom, kPictureHeight, true, m);
            // Along the bottom edge that recedes, offset down and right.
            const int off = Round(m.gap / std::sqrt(2.0));
            const Point a{face.right + off, face.bottom + off}, b{face.right + dx + off, face.bottom - dy + off};
            Dimension(c, a, b, m);
            c.text({(a.x + b.x) / 2 + m.mm, (a.y + b.y) / 2 - m.textH / 2}, kPictureWidth, HAlign::Left, VAlign::Top);
            break;
        }
        case 2: {
            const int x = face.left - m.gap;
            const int y = levelY(scene.liquid.value_or(kDefaultLiquid));
            Dimension(c, {x, y}, {x, face.bottom}, m);
            SideLabel(c, x, y, face.bottom, kPictureLiquidLevel, true, m);
            break;
        }
        case 3:
            // On the tank's fills and lines: the labels on white.
            c.setTextBackground({255, 255, 255}, true);
            if (scene.opening && scene.opening->round) {
                const int y = (hole.top + hole.bottom) / 2;
                Dimension(c, {hole.left, y}, {hole.right, y}, m);
                c.text({(hole.left + hole.right) / 2, hole.top - m.mm - m.textH}, kPictureDiameter, HAlign::Centre,
                       VAlign::Top);
            } else {
                const int y = hole.top - m.mm;
                Dimension(c, {hole.left, y}, {hole.right, y}, m);
                c.text({(hole.left + hole.right) / 2, y - m.mm / 2 - m.textH}, kPictureLength, HAlign::Centre,
                       VAlign::Top);
                const int x = hole.right + m.mm;
                Dimension(c, {x, hole.top}, {x, hole.bottom}, m);
                SideLabel(c, x, hole.top, hole.bottom, kPictureHeight, false, m);
            }
            break;
        case 4: {
            const int x = face.left - m.gap;
            Dimension(c, {x, hole.bottom}, {x, face.bottom}, m);
            SideLabel(c, x, hole.bottom, face.bottom, kPictureHoleHeight, true, m);
            c.setPen({PenStyle::Dash, 1, kBlack});
            c.line({x, hole.bottom}, {hole.left, hole.bottom});
            break;
        }
        case 5: {
            const int x = face.right + dx + m.gap;
            const int y = levelY(scene.water.value_or(kDefaultWater));
            Dimension(c, {x, y}, {x, face.bottom}, m);
            SideLabel(c, x, y, face.bottom, kPictureWaterLevel, false, m);
            break;
        }
        default: break;
    }
    c.restore();
}

}  // namespace ui

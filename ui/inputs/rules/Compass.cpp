#include "ui/inputs/rules/Compass.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "platform/NumText.h"

namespace ui {

namespace {

using platform::Point;

struct Word {
    const char* text;
    int degrees;
};
constexpr Word kWords[] = {{"N", 0},   {"NE", 45},  {"E", 90},  {"SE", 135},
                           {"S", 180}, {"SW", 225}, {"W", 270}, {"NW", 315}};

bool SameWord(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

int Round(double v) { return static_cast<int>(std::floor(v + 0.5)); }

double Length(Point p) { return std::sqrt(static_cast<double>(p.x) * p.x + static_cast<double>(p.y) * p.y); }

// The device point of an offset.
Point At(Point centre, double scale, double dx, double dy) {
    return {centre.x + Round(dx * scale), centre.y + Round(dy * scale)};
}

Point At(Point centre, double scale, Point offset) { return At(centre, scale, offset.x, offset.y); }

}  // namespace

int ParseCompassDirection(std::string_view text) {
    text = platform::TrimBlanks(text);
    if (text.empty() || text == "0") return 0;
    for (const Word& w : kWords)
        if (SameWord(text, w.text)) return w.degrees;
    const int v = platform::LeadingInt(text, 0);
    return v == 0 ? 361 : v;
}

WindArrow ArrowTo(Point tip) {
    const double n = Length(tip);
    if (n == 0) return {};
    const int a = Round(4 * tip.y / n);
    const int b = Round(4 * tip.x / n);
    return {tip, {a, -b}, {-a, b}};
}

WindArrow ArrowFor(double speed, double direction) {
    const double length = std::min(speed, static_cast<double>(kArrowSpeedCap)) * kArrowPixelsPerSpeed;
    const double t = direction * kCompassPi / 180;
    return ArrowTo({Round(std::sin(t) * length), -Round(std::cos(t) * length)});
}

int BearingOf(Point offset) {
    const double dx = -offset.x, dy = -offset.y;  // from the point to the centre
    return Round((std::atan2(dx, -dy) / kCompassPi + 1) * 180);
}

std::optional<WindClick> WindClickAt(Point offset) {
    const double r = Length(offset);
    if (r > kCompassRadius) return std::nullopt;
    return WindClick{ArrowTo(offset), Round(r / kArrowPixelsPerSpeed), BearingOf(offset)};
}

std::optional<Point> CurrentEnd(double speed, double direction) {
    speed = std::min(speed, kCurrentSpeedCap);
    if (!(speed > 0) || !(direction >= 0)) return std::nullopt;
    const double a = direction * kCompassPi / 180;
    const double length = speed * kCurrentPixelsPerSpeed;
    return Point{Round(std::sin(a) * length), -Round(std::cos(a) * length)};
}

std::optional<CurrentClick> CurrentClickAt(Point offset) {
    const double r = Length(offset);
    if (!(r < kCompassRadius)) return std::nullopt;
    return CurrentClick{offset, platform::Format("%.1f", r / kCurrentPixelsPerSpeed),
                        platform::Format("%d", BearingOf(offset))};
}

void DrawCompassCard(platform::Canvas& canvas, Point centre, double scale) {
    canvas.save();
    std::vector<Point> disc;
    for (int i = 0; i < 120; ++i) {
        const double a = i * 2 * M_PI / 120;
        disc.push_back(At(centre, scale, std::sin(a) * kCompassRadius, -std::cos(a) * kCompassRadius));
    }
    canvas.setPen(platform::kBlackPen);
    canvas.setBrush(platform::kWhiteBrush);
    canvas.polygon(disc);
    for (int deg = 0; deg < 360; deg += 5) {
        const bool major = deg % 45 == 0;
        if (!major && deg % 10 != 0) continue;
        const double a = deg * M_PI / 180;
        const double inner = kCompassRadius - (major ? 12 : 6);
        canvas.line(At(centre, scale, std::sin(a) * inner, -std::cos(a) * inner),
                    At(centre, scale, std::sin(a) * kCompassRadius, -std::cos(a) * kCompassRadius));
    }
    canvas.setFont({platform::Face::UiSans, std::max(1, Round(11 * scale)), 700, false});
    canvas.setTextColour({0, 0, 0});
    canvas.setTextBackground({255, 255, 255}, false);
    const double labelRadius = kCompassRadius + 14;
    for (const Word& w : kWords) {
        const double a = w.degrees * M_PI / 180;
        const Point c = At(centre, scale, std::sin(a) * labelRadius, -std::cos(a) * labelRadius);
        const int hw = Round(14 * scale), hh = Round(9 * scale);
        canvas.textInRect({c.x - hw, c.y - hh, c.x + hw, c.y + hh}, w.text, platform::HAlign::Centre, true);
    }
    canvas.restore();
}

void DrawWindArrow(platform::Canvas& canvas, Point centre, double scale, const WindArrow& arrow) {
    if (arrow.tip == Point{}) return;
    const platform::Rgb red{255, 0, 0};
    canvas.save();
    canvas.setPen({platform::PenStyle::Solid, 1, red});
    canvas.setBrush({platform::BrushStyle::Solid, red, platform::Hatch::Horizontal});
    const Point points[] = {At(centre, scale, arrow.tip), At(centre, scale, arrow.left), At(centre, scale, arrow.right)};
    canvas.polygon(points);
    canvas.restore();
}

void DrawCurrentLine(platform::Canvas& canvas, Point centre, double scale, Point end) {
    if (end == Point{}) return;
    canvas.save();
    canvas.setPen({platform::PenStyle::Solid, std::max(1, Round(2 * scale)), {0, 255, 255}});
    canvas.line(centre, At(centre, scale, end));
    canvas.restore();
}

}  // namespace ui

// The drawing surface of every graph, table page and printout: whole device
// pixels, the device's own resolution, no toolkit. Implemented over a wx
// device context (platform/wx/WxDcCanvas.h) and by a recorder for tests and
// SVG review (platform/RecordingCanvas.h).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};
struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};
struct Size {
    int cx = 0, cy = 0;
    bool operator==(const Size&) const = default;
};
// right and bottom are exclusive.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const Rect&) const = default;
};
struct Pixel {
    int x = 0, y = 0;
    Rgb colour;
    bool operator==(const Pixel&) const = default;
};

enum class PenStyle { Solid, Dash, Null };
struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Rgb colour{0, 0, 0};
    bool operator==(const Pen&) const = default;
};
inline const Pen kBlackPen{PenStyle::Solid, 1, {0, 0, 0}};
inline const Pen kNullPen{PenStyle::Null, 0, {0, 0, 0}};

enum class Hatch { Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
enum class BrushStyle { Solid, Hatched, Null };
struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Rgb colour{255, 255, 255};
    Hatch hatch = Hatch::Horizontal;
    bool operator==(const Brush&) const = default;
};
inline const Brush kWhiteBrush{BrushStyle::Solid, {255, 255, 255}, Hatch::Horizontal};

enum class Face { UiSans, Mono, Arial };
struct Font {
    Face face = Face::UiSans;
    int heightPx = 12;  // character (em) height in device pixels
    int weight = 400;
    bool fixedPitch = false;
    bool operator==(const Font&) const = default;
};

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Baseline };

struct TextMetrics {
    int height = 0, ascent = 0, descent = 0, avgCharWidth = 0;
    bool operator==(const TextMetrics&) const = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Device.
    virtual int ppiX() const = 0;
    virtual int ppiY() const = 0;
    virtual Size deviceSize() const = 0;  // page size on a printer, client size on the screen
    virtual bool isPrinting() const = 0;
    virtual Rect clipBox() const = 0;

    // State; save and restore nest.
    virtual void save() = 0;
    virtual void restore() = 0;
    virtual void setPen(const Pen&) = 0;
    virtual void setBrush(const Brush&) = 0;
    virtual void setFont(const Font&) = 0;
    virtual void setTextColour(Rgb) = 0;
    // Text background colour and whether text cells are filled with it
    // (opaque is the initial mode).
    virtual void setTextBackground(Rgb colour, bool opaque) = 0;
    virtual void setClip(const Rect&) = 0;
    virtual void resetClip() = 0;

    // Primitives.
    virtual void line(Point from, Point to) = 0;  // the end point is not drawn
    virtual void polyline(std::span<const Point> points) = 0;
    virtual void polygon(std::span<const Point> points) = 0;  // brush fill, pen outline
    virtual void rectangle(const Rect&) = 0;                  // brush fill, pen outline
    virtual void fillRect(const Rect&, const Brush&) = 0;     // no outline
    virtual void setPixels(std::span<const Pixel> pixels) = 0;
    virtual void text(Point at, std::string_view utf8, HAlign, VAlign) = 0;
    // Text inside a rectangle, centred or aligned across; a single line
    // can be centred down as well.
    virtual void textInRect(const Rect&, std::string_view utf8, HAlign, bool vcentreSingleLine) = 0;
    virtual Size textExtent(std::string_view utf8) = 0;  // in the current font
    virtual TextMetrics textMetrics() = 0;
    // A named picture of the program ("logo"), stretched into dest; a name
    // the device does not know draws nothing.
    virtual void image(std::string_view name, const Rect& dest) = 0;

    // Pages (printing only; nothing on the screen).
    virtual void endPage() = 0;
    virtual void startPage() = 0;
};

// One millimetre in pixels at a resolution: floor(ppi / 25.4 + 0.5).
int mmPixels(int ppi);
// A font size in points as pixels at a vertical resolution (integer).
int fontPx(int points, int ppiY);

// Draws one line at its top-left corner, tabs advancing to the next
// multiple of tabWidthPx counted from tabOriginX. Returns its extent; an
// empty line measures (0, font height).
Size drawTabbedLine(Canvas& canvas, Point at, std::string_view line, int tabWidthPx, int tabOriginX);
// Draws "\n"-separated lines one under the other; returns the widest line
// and the summed heights.
Size drawTextBlock(Canvas& canvas, Point origin, std::string_view text, int tabWidthPx);

}  // namespace platform

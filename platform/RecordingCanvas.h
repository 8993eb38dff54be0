// A canvas that draws nothing and keeps every call with the state in force,
// page by page: tests read it back and the SVG writer turns it into files.
// Text is measured with fixed metrics (so results never depend on installed
// fonts) or through another canvas.
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace platform {

enum class OpKind {
    Save, Restore, SetPen, SetBrush, SetFont, SetTextColour, SetTextBackground, SetClip, ResetClip,
    Line, Polyline, Polygon, Rectangle, FillRect, SetPixels, Text, TextInRect, Image, EndPage, StartPage,
};

struct CanvasState {
    Pen pen = kBlackPen;
    Brush brush = kWhiteBrush;
    Font font;
    Rgb textColour{0, 0, 0};
    Rgb textBackground{255, 255, 255};
    bool opaqueText = true;
    bool clipped = false;
    Rect clip;
};

// One recorded call. State changes carry the state after the call, drawing
// calls the state they were drawn with.
struct Op {
    OpKind kind = OpKind::Save;
    CanvasState state;
    std::vector<Point> points;  // Line (2 points), Polyline, Polygon; Text: its point
    Rect rect;                  // Rectangle, FillRect, TextInRect, Image, SetClip
    Brush brush;                // FillRect
    std::vector<Pixel> pixels;  // SetPixels
    std::string text;           // Text, TextInRect; Image: the picture's name
    HAlign halign = HAlign::Left;
    VAlign valign = VAlign::Top;
    bool vcentre = false;
};

struct DeviceInfo {
    int ppiX = 96;
    int ppiY = 96;
    Size size{800, 600};
    bool printing = false;
};

// The fixed metrics: advance ceil(0.6 em) per character, height
// ceil(1.2 em), ascent em.
TextMetrics FixedTextMetrics(const Font& font);
Size FixedTextExtent(const Font& font, std::string_view utf8);

class RecordingCanvas final : public Canvas {
public:
    // measure: a canvas that measures text in the recorder's font instead of
    // the fixed metrics (not owned; may be null).
    explicit RecordingCanvas(DeviceInfo device = {}, Canvas* measure = nullptr);

    int ppiX() const override { return device_.ppiX; }
    int ppiY() const override { return device_.ppiY; }
    Size deviceSize() const override { return device_.size; }
    bool isPrinting() const override { return device_.printing; }
    Rect clipBox() const override;

    void save() override;
    void restore() override;
    void setPen(const Pen&) override;
    void setBrush(const Brush&) override;
    void setFont(const Font&) override;
    void setTextColour(Rgb) override;
    void setTextBackground(Rgb colour, bool opaque) override;
    void setClip(const Rect&) override;
    void resetClip() override;

    void line(Point from, Point to) override;
    void polyline(std::span<const Point> points) override;
    void polygon(std::span<const Point> points) override;
    void rectangle(const Rect&) override;
    void fillRect(const Rect&, const Brush&) override;
    void setPixels(std::span<const Pixel> pixels) override;
    void text(Point at, std::string_view utf8, HAlign, VAlign) override;
    void textInRect(const Rect&, std::string_view utf8, HAlign, bool vcentreSingleLine) override;
    Size textExtent(std::string_view utf8) override;
    TextMetrics textMetrics() override;
    void image(std::string_view name, const Rect& dest) override;

    void endPage() override;
    void startPage() override;

    const DeviceInfo& Device() const { return device_; }
    const std::vector<std::vector<Op>>& Pages() const { return pages_; }
    // Every op of every page, in order.
    std::vector<const Op*> All() const;
    std::vector<const Op*> Find(OpKind kind) const;
    const CanvasState& State() const { return state_; }
    // Measures text through another canvas from now on (null: the fixed
    // metrics).
    void SetMeasure(Canvas* measure) { measure_ = measure; }

private:
    Op& Push(OpKind kind);

    DeviceInfo device_;
    Canvas* measure_;
    CanvasState state_;
    std::vector<CanvasState> saved_;
    std::vector<std::vector<Op>> pages_;
    bool pageEnded_ = false;
};

}  // namespace platform

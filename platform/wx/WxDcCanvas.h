// The canvas over a wx device context: a window's paint, a memory bitmap
// or a printer page. Its creator gives the device's resolution, size and
// whether it prints.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <wx/dc.h>
#include <wx/font.h>
#include <wx/pen.h>

#include "platform/Canvas.h"

class wxWindow;

namespace platform {

class WxDcCanvas final : public Canvas {
public:
    // fontPpiY: the resolution at which the DC turns font points into its
    // logical units, when it is not the one the DC reports (a printer's).
    WxDcCanvas(wxDC& dc, int ppiX, int ppiY, Size size, bool printing, int fontPpiY = 0);
    ~WxDcCanvas() override;
    // Not copied or moved: the DC's dashed pen points into this object.
    WxDcCanvas(const WxDcCanvas&) = delete;
    WxDcCanvas& operator=(const WxDcCanvas&) = delete;
    // A paint or memory DC of a window: the DC's resolution and the
    // window's client size.
    static WxDcCanvas ForWindow(wxDC& dc, const wxWindow& window);

    int ppiX() const override { return ppiX_; }
    int ppiY() const override { return ppiY_; }
    Size deviceSize() const override { return size_; }
    bool isPrinting() const override { return printing_; }
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

    // The printout frames its own pages.
    void endPage() override {}
    void startPage() override {}

private:
    class PaperTextCell;
    struct State {
        Pen pen = kBlackPen;
        Brush brush = kWhiteBrush;
        Font font;
        Rgb textColour{0, 0, 0};
        Rgb textBackground{255, 255, 255};
        bool opaque = true;
        bool clipped = false;
        Rect clip;
    };
    void Apply();
    void ApplyPen();
    void ApplyBrush();
    void ApplyFont();
    void ApplyText();
    void ApplyClip();

    wxDC& dc_;
    int ppiX_, ppiY_;
    Size size_;
    bool printing_;
    int fontPpiY_;
    State state_;
    std::vector<State> saved_;
    bool dcClipped_ = false;
    std::array<wxDash, 2> dashes_{};
    wxFont font_;
};

// The wx font of a canvas font, for a DC that draws points at dcPpiY.
wxFont MakeWxFont(const Font& font, int dcPpiY);
// The resolution at which a DC draws font points in its logical units,
// measured against a memory DC of the screen. Some printer DCs size text as
// on the screen whatever resolution they report.
int MeasureFontResolution(wxDC& dc);

// The file of a named picture of image() (a PNG). It is read at its first
// use; a file that is missing or unreadable draws nothing.
void SetPictureFile(const std::string& name, const std::string& path);

}  // namespace platform

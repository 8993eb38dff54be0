#include "platform/wx/WxDcCanvas.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

#include <wx/bitmap.h>
#include <wx/brush.h>
#include <wx/dcmemory.h>
#include <wx/filefn.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/settings.h>
#include <wx/window.h>

#include "platform/wx/WxText.h"

namespace platform {

namespace {

wxColour ToColour(Rgb c) { return wxColour(c.r, c.g, c.b); }

wxBrushStyle HatchStyle(Hatch h) {
    switch (h) {
        case Hatch::Horizontal: return wxBRUSHSTYLE_HORIZONTAL_HATCH;
        case Hatch::Vertical: return wxBRUSHSTYLE_VERTICAL_HATCH;
        case Hatch::FDiagonal: return wxBRUSHSTYLE_FDIAGONAL_HATCH;
        case Hatch::BDiagonal: return wxBRUSHSTYLE_BDIAGONAL_HATCH;
        case Hatch::Cross: return wxBRUSHSTYLE_CROSS_HATCH;
        case Hatch::DiagCross: return wxBRUSHSTYLE_CROSSDIAG_HATCH;
    }
    return wxBRUSHSTYLE_SOLID;
}

wxBrush ToBrush(const Brush& b) {
    switch (b.style) {
        case BrushStyle::Null: return *wxTRANSPARENT_BRUSH;
        case BrushStyle::Hatched: return wxBrush(ToColour(b.colour), HatchStyle(b.hatch));
        case BrushStyle::Solid: break;
    }
    return wxBrush(ToColour(b.colour), wxBRUSHSTYLE_SOLID);
}

std::vector<wxPoint> ToPoints(std::span<const Point> points) {
    std::vector<wxPoint> out;
    out.reserve(points.size());
    for (const Point& p : points) out.emplace_back(p.x, p.y);
    return out;
}

}  // namespace

// The font's height is its character (em) height in device pixels. A wx
// pixel size would be matched against the whole line height (about a fifth
// more), so the size is given in points at the resolution the DC draws
// points at.
wxFont MakeWxFont(const Font& font, int dcPpiY) {
    const int px = std::max(std::abs(font.heightPx), 1);
    wxFontInfo info(static_cast<float>(px * 72.0 / (dcPpiY > 0 ? dcPpiY : 96)));
    switch (font.face) {
        case Face::Arial: info.Family(wxFONTFAMILY_SWISS).FaceName("Arial"); break;
        case Face::Mono: info.Family(wxFONTFAMILY_MODERN).FaceName("Courier New"); break;
        case Face::UiSans:
            info.Family(wxFONTFAMILY_SWISS).FaceName(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetFaceName());
            break;
    }
    info.Weight(std::clamp(font.weight, 1, 1000));
    return wxFont(info);
}

int MeasureFontResolution(wxDC& dc) {
    // A large probe keeps the rounding of the font heights small.
    const Font probe{Face::Arial, 400, 400, false};
    wxBitmap bitmap(1, 1);
    wxMemoryDC reference(bitmap);
    const int referencePpi = reference.GetPPI().y > 0 ? reference.GetPPI().y : 96;
    reference.SetFont(MakeWxFont(probe, referencePpi));
    const int referenceHeight = reference.GetCharHeight();
    const int dcPpi = dc.GetPPI().y > 0 ? dc.GetPPI().y : 96;
    const wxFont old = dc.GetFont();
    dc.SetFont(MakeWxFont(probe, referencePpi));
    const int height = dc.GetCharHeight();
    if (old.IsOk()) dc.SetFont(old);
    if (referenceHeight <= 0 || height <= 0) return dcPpi;
    return static_cast<int>(std::lround(static_cast<double>(referencePpi) * height / referenceHeight));
}

WxDcCanvas::WxDcCanvas(wxDC& dc, int ppiX, int ppiY, Size size, bool printing, int fontPpiY)
    : dc_(dc),
      ppiX_(ppiX > 0 ? ppiX : 96),
      ppiY_(ppiY > 0 ? ppiY : 96),
      size_(size),
      printing_(printing),
      fontPpiY_(fontPpiY) {
    Apply();
}

WxDcCanvas::~WxDcCanvas() {
    if (dcClipped_) dc_.DestroyClippingRegion();
    // The DC outlives the canvas: leave it no pen with our dash array.
    dc_.SetPen(*wxBLACK_PEN);
}

WxDcCanvas WxDcCanvas::ForWindow(wxDC& dc, const wxWindow& window) {
    const wxSize ppi = dc.GetPPI();
    const wxSize client = window.GetClientSize();
    return WxDcCanvas(dc, ppi.x, ppi.y, {client.x, client.y}, false);
}

Rect WxDcCanvas::clipBox() const {
    if (state_.clipped) return state_.clip;
    return {0, 0, size_.cx, size_.cy};
}

void WxDcCanvas::Apply() {
    ApplyPen();
    ApplyBrush();
    ApplyFont();
    ApplyText();
    ApplyClip();
}

void WxDcCanvas::ApplyPen() {
    const Pen& p = state_.pen;
    if (p.style == PenStyle::Null) {
        dc_.SetPen(*wxTRANSPARENT_PEN);
        return;
    }
    const int width = std::max(p.width, 1);
    wxPen pen(ToColour(p.colour), width, wxPENSTYLE_SOLID);
    if (p.style == PenStyle::Dash) {
        // 4.8 mm on, 1.6 mm off, in units of the pen width.
        const double mm = ppiX_ / 25.4;
        dashes_[0] = static_cast<wxDash>(std::clamp<long>(std::lround(4.8 * mm / width), 1, 127));
        dashes_[1] = static_cast<wxDash>(std::clamp<long>(std::lround(1.6 * mm / width), 1, 127));
        pen.SetStyle(wxPENSTYLE_USER_DASH);
        pen.SetDashes(2, dashes_.data());
    }
    pen.SetCap(wxCAP_BUTT);
    dc_.SetPen(pen);
}

void WxDcCanvas::ApplyBrush() { dc_.SetBrush(ToBrush(state_.brush)); }

void WxDcCanvas::ApplyFont() {
    font_ = MakeWxFont(state_.font, fontPpiY_ > 0 ? fontPpiY_ : dc_.GetPPI().y);
    dc_.SetFont(font_);
}

void WxDcCanvas::ApplyText() {
    dc_.SetTextForeground(ToColour(state_.textColour));
    dc_.SetTextBackground(ToColour(state_.textBackground));
    dc_.SetBackgroundMode(state_.opaque ? wxBRUSHSTYLE_SOLID : wxBRUSHSTYLE_TRANSPARENT);
}

void WxDcCanvas::ApplyClip() {
    // Only a clip of ours is ever removed: the DC's own (a paint's) stays.
    if (dcClipped_) {
        dc_.DestroyClippingRegion();
        dcClipped_ = false;
    }
    if (state_.clipped) {
        const Rect& r = state_.clip;
        dc_.SetClippingRegion(r.left, r.top, std::max(r.width(), 0), std::max(r.height(), 0));
        dcClipped_ = true;
    }
}

void WxDcCanvas::save() { saved_.push_back(state_); }

void WxDcCanvas::restore() {
    if (saved_.empty()) return;
    state_ = saved_.back();
    saved_.pop_back();
    Apply();
}

void WxDcCanvas::setPen(const Pen& pen) {
    state_.pen = pen;
    ApplyPen();
}

void WxDcCanvas::setBrush(const Brush& brush) {
    state_.brush = brush;
    ApplyBrush();
}

void WxDcCanvas::setFont(const Font& font) {
    if (font == state_.font && font_.IsOk()) return;
    state_.font = font;
    ApplyFont();
}

void WxDcCanvas::setTextColour(Rgb colour) {
    state_.textColour = colour;
    ApplyText();
}

void WxDcCanvas::setTextBackground(Rgb colour, bool opaque) {
    state_.textBackground = colour;
    state_.opaque = opaque;
    ApplyText();
}

void WxDcCanvas::setClip(const Rect& rect) {
    state_.clipped = true;
    state_.clip = rect;
    ApplyClip();
}

void WxDcCanvas::resetClip() {
    state_.clipped = false;
    ApplyClip();
}

void WxDcCanvas::line(Point from, Point to) { dc_.DrawLine(from.x, from.y, to.x, to.y); }

void WxDcCanvas::polyline(std::span<const Point> points) {
    if (points.size() < 2) return;
    const auto pts = ToPoints(points);
    dc_.DrawLines(static_cast<int>(pts.size()), pts.data());
}

void WxDcCanvas::polygon(std::span<const Point> points) {
    if (points.size() < 2) return;
    const auto pts = ToPoints(points);
    dc_.DrawPolygon(static_cast<int>(pts.size()), pts.data());
}

void WxDcCanvas::rectangle(const Rect& r) { dc_.DrawRectangle(r.left, r.top, r.width(), r.height()); }

void WxDcCanvas::fillRect(const Rect& r, const Brush& brush) {
    dc_.SetPen(*wxTRANSPARENT_PEN);
    dc_.SetBrush(ToBrush(brush));
    dc_.DrawRectangle(r.left, r.top, r.width(), r.height());
    ApplyPen();
    ApplyBrush();
}

void WxDcCanvas::setPixels(std::span<const Pixel> pixels) {
    if (pixels.empty()) return;
    // One image with alpha over the pixels' box: unset pixels stay clear.
    const Rect device{0, 0, size_.cx, size_.cy};
    Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (const Pixel& p : pixels) {
        if (!device.contains({p.x, p.y})) continue;
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x + 1);
        box.bottom = std::max(box.bottom, p.y + 1);
    }
    if (box.right <= box.left || box.bottom <= box.top) return;
    wxImage img(box.width(), box.height(), true);
    img.SetAlpha();
    unsigned char* rgb = img.GetData();
    unsigned char* alpha = img.GetAlpha();
    std::fill(alpha, alpha + static_cast<std::size_t>(box.width()) * box.height(), 0);
    for (const Pixel& p : pixels) {
        if (!device.contains({p.x, p.y})) continue;
        const std::size_t at = static_cast<std::size_t>(p.y - box.top) * box.width() + (p.x - box.left);
        rgb[at * 3] = p.colour.r;
        rgb[at * 3 + 1] = p.colour.g;
        rgb[at * 3 + 2] = p.colour.b;
        alpha[at] = 255;
    }
    dc_.DrawBitmap(wxBitmap(img), box.left, box.top, true);
}

// A printer's DC may lose the text's position when it fills the text's
// background itself: on paper the cell is filled here and the text drawn
// on it transparently.
class WxDcCanvas::PaperTextCell {
public:
    PaperTextCell(WxDcCanvas& canvas, const wxRect& cell) : canvas_(canvas) {
        active_ = canvas.printing_ && canvas.state_.opaque;
        if (!active_) return;
        canvas.dc_.SetPen(*wxTRANSPARENT_PEN);
        canvas.dc_.SetBrush(wxBrush(ToColour(canvas.state_.textBackground), wxBRUSHSTYLE_SOLID));
        canvas.dc_.DrawRectangle(cell);
        canvas.dc_.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    }
    ~PaperTextCell() {
        if (!active_) return;
        canvas_.ApplyPen();
        canvas_.ApplyBrush();
        canvas_.ApplyText();
    }
    PaperTextCell(const PaperTextCell&) = delete;
    PaperTextCell& operator=(const PaperTextCell&) = delete;

private:
    WxDcCanvas& canvas_;
    bool active_ = false;
};

void WxDcCanvas::text(Point at, std::string_view utf8, HAlign h, VAlign v) {
    const wxString s = ToWx(utf8);
    wxCoord w = 0, ht = 0, descent = 0;
    dc_.GetTextExtent(s, &w, &ht, &descent);
    int x = at.x;
    if (h == HAlign::Centre) x -= w / 2;
    if (h == HAlign::Right) x -= w;
    const int y = v == VAlign::Baseline ? at.y - (ht - descent) : at.y;
    const PaperTextCell cell(*this, wxRect(x, y, w, ht));
    dc_.DrawText(s, x, y);
}

void WxDcCanvas::textInRect(const Rect& r, std::string_view utf8, HAlign h, bool vcentre) {
    int align = h == HAlign::Centre ? wxALIGN_CENTRE_HORIZONTAL : h == HAlign::Right ? wxALIGN_RIGHT : wxALIGN_LEFT;
    align |= vcentre ? wxALIGN_CENTRE_VERTICAL : wxALIGN_TOP;
    const wxString s = ToWx(utf8);
    const wxSize extent = dc_.GetMultiLineTextExtent(s);
    int x = r.left;
    if (h == HAlign::Centre) x += (r.width() - extent.x) / 2;
    if (h == HAlign::Right) x = r.right - extent.x;
    const int y = vcentre ? r.top + (r.height() - extent.y) / 2 : r.top;
    const PaperTextCell cell(*this, wxRect(wxPoint(x, y), extent));
    dc_.DrawLabel(s, wxRect(r.left, r.top, r.width(), r.height()), align);
}

Size WxDcCanvas::textExtent(std::string_view utf8) {
    wxCoord w = 0, h = 0;
    dc_.GetTextExtent(ToWx(utf8), &w, &h);
    if (utf8.empty()) h = textMetrics().height;
    return {w, h};
}

TextMetrics WxDcCanvas::textMetrics() {
    const wxFontMetrics m = dc_.GetFontMetrics();
    return {m.height, m.ascent, m.descent, m.averageWidth};
}

namespace {

struct Picture {
    std::string path;
    bool tried = false;
    wxImage image;
};

std::map<std::string, Picture, std::less<>>& Pictures() {
    static std::map<std::string, Picture, std::less<>> pictures;
    return pictures;
}

}  // namespace

void SetPictureFile(const std::string& name, const std::string& path) {
    Picture picture;
    picture.path = path;
    Pictures()[name] = std::move(picture);
}

void WxDcCanvas::image(std::string_view name, const Rect& dest) {
    auto it = Pictures().find(name);
    if (it == Pictures().end() || dest.width() <= 0 || dest.height() <= 0) return;
    Picture& picture = it->second;
    if (!picture.tried) {
        picture.tried = true;
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
        wxLogNull quiet;  // a missing picture is left out without a word
        if (wxFileExists(wxString::FromUTF8(picture.path)))
            picture.image.LoadFile(wxString::FromUTF8(picture.path), wxBITMAP_TYPE_PNG);
    }
    if (!picture.image.IsOk()) return;
    const wxImage scaled = picture.image.Scale(dest.width(), dest.height(), wxIMAGE_QUALITY_HIGH);
    dc_.DrawBitmap(wxBitmap(scaled), dest.left, dest.top, true);
}

}  // namespace platform

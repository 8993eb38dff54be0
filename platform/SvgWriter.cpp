#include "platform/SvgWriter.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>
#include <sstream>

#include "platform/Files.h"
#include "platform/NumText.h"

namespace platform {

namespace {

std::string Colour(Rgb c) { return Format("#%02x%02x%02x", c.r, c.g, c.b); }

std::string Escape(std::string_view text) {
    std::string out;
    for (char ch : text) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default:
                // Control characters are not allowed in XML text.
                if (static_cast<unsigned char>(ch) < 0x20 && ch != '\t' && ch != '\n') break;
                out += ch;
        }
    }
    return out;
}

std::string Base64(const std::vector<std::uint8_t>& data) {
    static const char* k = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < data.size(); i += 3) {
        const std::uint32_t n = (std::uint32_t(data[i]) << 16) | (i + 1 < data.size() ? data[i + 1] << 8 : 0) |
                                (i + 2 < data.size() ? data[i + 2] : 0);
        out += k[(n >> 18) & 63];
        out += k[(n >> 12) & 63];
        out += i + 1 < data.size() ? k[(n >> 6) & 63] : '=';
        out += i + 2 < data.size() ? k[n & 63] : '=';
    }
    return out;
}

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A 32-bit BMP with an alpha channel (BITMAPV4HEADER, bit fields): set
// pixels opaque, the rest transparent.
std::vector<std::uint8_t> Bitmap(const std::vector<Pixel>& pixels, const Rect& box) {
    const int w = box.width(), h = box.height();
    std::vector<std::uint8_t> img(static_cast<std::size_t>(w) * h * 4, 0);
    for (const Pixel& p : pixels) {
        const std::size_t row = static_cast<std::size_t>(box.bottom - 1 - p.y);  // bottom-up
        const std::size_t at = (row * w + static_cast<std::size_t>(p.x - box.left)) * 4;
        img[at] = p.colour.b;
        img[at + 1] = p.colour.g;
        img[at + 2] = p.colour.r;
        img[at + 3] = 255;
    }
    std::vector<std::uint8_t> b;
    const std::uint32_t headerSize = 14 + 108;
    b.push_back('B');
    b.push_back('M');
    Put32(b, headerSize + static_cast<std::uint32_t>(img.size()));
    Put32(b, 0);
    Put32(b, headerSize);
    Put32(b, 108);
    Put32(b, static_cast<std::uint32_t>(w));
    Put32(b, static_cast<std::uint32_t>(h));
    Put16(b, 1);
    Put16(b, 32);
    Put32(b, 3);  // bit fields
    Put32(b, static_cast<std::uint32_t>(img.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 0x00FF0000);  // red
    Put32(b, 0x0000FF00);  // green
    Put32(b, 0x000000FF);  // blue
    Put32(b, 0xFF000000);  // alpha
    Put32(b, 0x73524742);  // "sRGB"
    for (int i = 0; i < 12; ++i) Put32(b, 0);  // end points and gamma
    b.insert(b.end(), img.begin(), img.end());
    return b;
}

const char* HatchPath(Hatch h) {
    switch (h) {
        case Hatch::Horizontal: return "M0 4h8";
        case Hatch::Vertical: return "M4 0v8";
        case Hatch::FDiagonal: return "M0 0l8 8M-1 7l2 2M7 -1l2 2";
        case Hatch::BDiagonal: return "M0 8l8 -8M-1 1l2 -2M7 9l2 -2";
        case Hatch::Cross: return "M0 4h8M4 0v8";
        case Hatch::DiagCross: return "M0 0l8 8M0 8l8 -8";
    }
    return "";
}

class PageWriter {
public:
    PageWriter(const DeviceInfo& device, const std::vector<Op>& ops) : device_(device), ops_(ops) {}

    std::string Write() {
        std::ostringstream body;
        bool pixelsDone = false;
        for (const Op& op : ops_) {
            switch (op.kind) {
                case OpKind::Line:
                case OpKind::Polyline: {
                    if (op.state.pen.style == PenStyle::Null || op.points.size() < 2) break;
                    body << "<polyline points=\"" << Points(op.points, 0.5) << "\" fill=\"none\"" << Stroke(op.state.pen)
                         << Clip(op.state, Bounds(op.points)) << "/>\n";
                    break;
                }
                case OpKind::Polygon:
                    body << "<polygon points=\"" << Points(op.points, 0.5) << "\"" << Fill(op.state.brush)
                         << Stroke(op.state.pen) << Clip(op.state, Bounds(op.points)) << "/>\n";
                    break;
                case OpKind::Rectangle:
                    body << RectElement(op.rect, op.state.brush, op.state.pen, op.state);
                    break;
                case OpKind::FillRect:
                    body << RectElement(op.rect, op.brush, kNullPen, op.state);
                    break;
                case OpKind::SetPixels:
                    if (!pixelsDone) {
                        body << PixelImage(op.state);
                        pixelsDone = true;
                    }
                    break;
                case OpKind::Text: body << TextElement(op); break;
                case OpKind::TextInRect: body << TextInRectElement(op); break;
                case OpKind::Image:
                    body << "<rect x=\"" << op.rect.left << "\" y=\"" << op.rect.top << "\" width=\""
                         << op.rect.width() << "\" height=\"" << op.rect.height()
                         << "\" fill=\"#e0e0e0\" stroke=\"#808080\"><title>" << Escape(op.text) << "</title></rect>\n";
                    break;
                default: break;
            }
        }
        std::ostringstream out;
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" << device_.size.cx
            << "\" height=\"" << device_.size.cy << "\" viewBox=\"0 0 " << device_.size.cx << " "
            << device_.size.cy << "\">\n<defs>\n"
            << defs_.str() << "</defs>\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n"
            << body.str() << "</svg>\n";
        return out.str();
    }

private:
    static Rect Bounds(const std::vector<Point>& pts) {
        Rect b{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (const Point& p : pts) {
            b.left = std::min(b.left, p.x);
            b.top = std::min(b.top, p.y);
            b.right = std::max(b.right, p.x + 1);
            b.bottom = std::max(b.bottom, p.y + 1);
        }
        return b;
    }

    static std::string Points(const std::vector<Point>& pts, double shift) {
        std::string s;
        for (const Point& p : pts) {
            if (!s.empty()) s += ' ';
            s += Format("%g,%g", p.x + shift, p.y + shift);
        }
        return s;
    }

    std::string Stroke(const Pen& pen) const {
        if (pen.style == PenStyle::Null) return " stroke=\"none\"";
        const int width = std::max(pen.width, 1);
        std::string s = " stroke=\"" + Colour(pen.colour) + "\" stroke-width=\"" + std::to_string(width) + "\"";
        if (pen.style == PenStyle::Dash) {
            const double mm = device_.ppiX / 25.4;
            s += Format(" stroke-dasharray=\"%.1f %.1f\"", 4.8 * mm, 1.6 * mm);
        }
        return s;
    }

    std::string Fill(const Brush& brush) {
        switch (brush.style) {
            case BrushStyle::Null: return " fill=\"none\"";
            case BrushStyle::Solid: return " fill=\"" + Colour(brush.colour) + "\"";
            case BrushStyle::Hatched: {
                const std::string id = Format("hatch%d_%02x%02x%02x", static_cast<int>(brush.hatch), brush.colour.r,
                                              brush.colour.g, brush.colour.b);
                if (patterns_.insert({id, true}).second) {
                    const int size = std::max(device_.ppiX / 12, 8);  // about 2 mm
                    defs_ << "<pattern id=\"" << id << "\" patternUnits=\"userSpaceOnUse\" width=\"" << size
                          << "\" height=\"" << size << "\"><g transform=\"scale(" << size / 8.0 << ")\"><path d=\""
                          << HatchPath(brush.hatch) << "\" stroke=\"" << Colour(brush.colour)
                          << "\" stroke-width=\"" << 8.0 / size << "\" fill=\"none\"/></g></pattern>\n";
                }
                return " fill=\"url(#" + id + ")\"";
            }
        }
        return "";
    }

    // A clip path, unless the element lies inside the clip anyway (simple
    // viewers ignore or mishandle clip paths).
    std::string Clip(const CanvasState& state, const Rect& bounds) {
        if (!state.clipped) return "";
        const Rect& r = state.clip;
        if (bounds.left >= r.left && bounds.top >= r.top && bounds.right <= r.right && bounds.bottom <= r.bottom)
            return "";
        const std::string id = Format("clip%d_%d_%d_%d", r.left, r.top, r.right, r.bottom);
        if (clips_.insert({id, true}).second)
            defs_ << "<clipPath id=\"" << id << "\"><rect x=\"" << r.left << "\" y=\"" << r.top << "\" width=\""
                  << r.width() << "\" height=\"" << r.height() << "\"/></clipPath>\n";
        return " clip-path=\"url(#" + id + ")\"";
    }

    std::string RectElement(const Rect& r, const Brush& brush, const Pen& pen, const CanvasState& state) {
        std::ostringstream s;
        const bool outline = pen.style != PenStyle::Null;
        // The outline runs along the inside of the rectangle, like the fill.
        const double inset = outline ? 0.5 : 0;
        s << "<rect x=\"" << r.left + inset << "\" y=\"" << r.top + inset << "\" width=\""
          << std::max(0.0, r.width() - 2 * inset) << "\" height=\"" << std::max(0.0, r.height() - 2 * inset) << "\""
          << Fill(brush) << Stroke(pen) << Clip(state, r) << "/>\n";
        return s.str();
    }

    std::string PixelImage(const CanvasState& state) {
        std::vector<Pixel> all;
        for (const Op& op : ops_)
            if (op.kind == OpKind::SetPixels) all.insert(all.end(), op.pixels.begin(), op.pixels.end());
        Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        const Rect page{0, 0, device_.size.cx, device_.size.cy};
        std::erase_if(all, [&](const Pixel& p) { return !page.contains({p.x, p.y}); });
        if (all.empty()) return "";
        for (const Pixel& p : all) {
            box.left = std::min(box.left, p.x);
            box.top = std::min(box.top, p.y);
            box.right = std::max(box.right, p.x + 1);
            box.bottom = std::max(box.bottom, p.y + 1);
        }
        std::ostringstream s;
        s << "<image x=\"" << box.left << "\" y=\"" << box.top << "\" width=\"" << box.width() << "\" height=\""
          << box.height() << "\" image-rendering=\"pixelated\" preserveAspectRatio=\"none\"" << Clip(state, box)
          << " xlink:href=\"data:image/bmp;base64," << Base64(Bitmap(all, box)) << "\"/>\n";
        return s.str();
    }

    static std::string FontAttributes(const Font& font) {
        const char* family = font.face == Face::Mono ? "Liberation Mono, Courier New, monospace"
                             : font.face == Face::Arial ? "Liberation Sans, Arial, sans-serif"
                                                        : "DejaVu Sans, sans-serif";
        return Format(" font-family=\"%s\" font-size=\"%d\"%s", family, std::abs(font.heightPx),
                      font.weight >= 600 ? " font-weight=\"bold\"" : "");
    }

    static const char* Anchor(HAlign h) {
        return h == HAlign::Centre ? "middle" : h == HAlign::Right ? "end" : "start";
    }

    // Baselines are placed explicitly (an ascent of 0.8 em) rather than by
    // dominant-baseline, which simple viewers ignore.
    static int Ascent(const Font& font) { return (std::abs(font.heightPx) * 4 + 2) / 5; }

    std::string TextAt(const Op& op, int x, int baseline, HAlign h) {
        std::ostringstream s;
        s << "<text x=\"" << x << "\" y=\"" << baseline << "\" text-anchor=\"" << Anchor(h) << "\" fill=\""
          << Colour(op.state.textColour) << "\"" << FontAttributes(op.state.font)
          << Clip(op.state, {x, baseline, x + 1, baseline + 1}) << " xml:space=\"preserve\">" << Escape(op.text)
          << "</text>\n";
        return s.str();
    }

    std::string TextElement(const Op& op) {
        const Point at = op.points.empty() ? Point{} : op.points[0];
        const int baseline = op.valign == VAlign::Top ? at.y + Ascent(op.state.font) : at.y;
        return TextAt(op, at.x, baseline, op.halign);
    }

    std::string TextInRectElement(const Op& op) {
        const Rect& r = op.rect;
        const int x = op.halign == HAlign::Centre ? (r.left + r.right) / 2 : op.halign == HAlign::Right ? r.right : r.left;
        const int em = std::abs(op.state.font.heightPx);
        const int baseline = op.vcentre ? (r.top + r.bottom) / 2 + em * 3 / 10 : r.top + Ascent(op.state.font);
        return TextAt(op, x, baseline, op.halign);
    }

    const DeviceInfo& device_;
    const std::vector<Op>& ops_;
    std::ostringstream defs_;
    std::map<std::string, bool> patterns_, clips_;
};

}  // namespace

std::vector<std::string> SvgPages(const RecordingCanvas& recording) {
    std::vector<std::string> pages;
    for (const auto& page : recording.Pages()) {
        // A page ended and never drawn on (the start of the next) is skipped.
        const bool drawn = std::any_of(page.begin(), page.end(), [](const Op& op) {
            return op.kind != OpKind::EndPage && op.kind != OpKind::StartPage;
        });
        if (drawn || pages.empty()) pages.push_back(PageWriter(recording.Device(), page).Write());
    }
    return pages;
}

bool WriteSvgFiles(const RecordingCanvas& recording, const std::string& path, std::string* error) {
    const std::vector<std::string> pages = SvgPages(recording);
    if (pages.size() == 1) return SafeReplaceFile(path, pages[0], error);
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExt ? path.substr(0, dot) : path;
    const std::string ext = hasExt ? path.substr(dot) : ".svg";
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (!SafeReplaceFile(stem + "-" + std::to_string(i + 1) + ext, pages[i], error)) return false;
    return true;
}

}  // namespace platform

#include "platform/RecordingCanvas.h"

namespace platform {

namespace {

int CeilTenths(int em, int tenths) { return (em * tenths + 9) / 10; }

std::size_t CharCount(std::string_view utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

TextMetrics FixedTextMetrics(const Font& font) {
    const int em = font.heightPx < 0 ? -font.heightPx : font.heightPx;
    TextMetrics m;
    m.height = CeilTenths(em, 12);
    m.ascent = em;
    m.descent = m.height - em;
    m.avgCharWidth = CeilTenths(em, 6);
    return m;
}

Size FixedTextExtent(const Font& font, std::string_view utf8) {
    const TextMetrics m = FixedTextMetrics(font);
    return {static_cast<int>(CharCount(utf8)) * m.avgCharWidth, m.height};
}

RecordingCanvas::RecordingCanvas(DeviceInfo device, Canvas* measure) : device_(device), measure_(measure) {
    pages_.emplace_back();
}

Rect RecordingCanvas::clipBox() const {
    if (state_.clipped) return state_.clip;
    return {0, 0, device_.size.cx, device_.size.cy};
}

Op& RecordingCanvas::Push(OpKind kind) {
    if (pageEnded_) {
        pages_.emplace_back();
        pageEnded_ = false;
    }
    Op& op = pages_.back().emplace_back();
    op.kind = kind;
    op.state = state_;
    return op;
}

void RecordingCanvas::save() {
    saved_.push_back(state_);
    Push(OpKind::Save);
}

void RecordingCanvas::restore() {
    if (!saved_.empty()) {
        state_ = saved_.back();
        saved_.pop_back();
    }
    Push(OpKind::Restore);
}

void RecordingCanvas::setPen(const Pen& pen) {
    state_.pen = pen;
    Push(OpKind::SetPen);
}

void RecordingCanvas::setBrush(const Brush& brush) {
    state_.brush = brush;
    Push(OpKind::SetBrush);
}

void RecordingCanvas::setFont(const Font& font) {
    state_.font = font;
    Push(OpKind::SetFont);
}

void RecordingCanvas::setTextColour(Rgb colour) {
    state_.textColour = colour;
    Push(OpKind::SetTextColour);
}

void RecordingCanvas::setTextBackground(Rgb colour, bool opaque) {
    state_.textBackground = colour;
    state_.opaqueText = opaque;
    Push(OpKind::SetTextBackground);
}

void RecordingCanvas::setClip(const Rect& rect) {
    state_.clipped = true;
    state_.clip = rect;
    Push(OpKind::SetClip).rect = rect;
}

void RecordingCanvas::resetClip() {
    state_.clipped = false;
    Push(OpKind::ResetClip);
}

void RecordingCanvas::line(Point from, Point to) { Push(OpKind::Line).points = {from, to}; }

void RecordingCanvas::polyline(std::span<const Point> points) {
    Push(OpKind::Polyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::polygon(std::span<const Point> points) {
    Push(OpKind::Polygon).points.assign(points.begin(), points.end());
}

void RecordingCanvas::rectangle(const Rect& rect) { Push(OpKind::Rectangle).rect = rect; }

void RecordingCanvas::fillRect(const Rect& rect, const Brush& brush) {
    Op& op = Push(OpKind::FillRect);
    op.rect = rect;
    op.brush = brush;
}

void RecordingCanvas::setPixels(std::span<const Pixel> pixels) {
    if (pixels.empty()) return;
    Push(OpKind::SetPixels).pixels.assign(pixels.begin(), pixels.end());
}

void RecordingCanvas::text(Point at, std::string_view utf8, HAlign h, VAlign v) {
    Op& op = Push(OpKind::Text);
    op.points = {at};
    op.text = utf8;
    op.halign = h;
    op.valign = v;
}

void RecordingCanvas::textInRect(const Rect& rect, std::string_view utf8, HAlign h, bool vcentre) {
    Op& op = Push(OpKind::TextInRect);
    op.rect = rect;
    op.text = utf8;
    op.halign = h;
    op.vcentre = vcentre;
}

Size RecordingCanvas::textExtent(std::string_view utf8) {
    if (measure_) {
        measure_->setFont(state_.font);
        return measure_->textExtent(utf8);
    }
    return FixedTextExtent(state_.font, utf8);
}

TextMetrics RecordingCanvas::textMetrics() {
    if (measure_) {
        measure_->setFont(state_.font);
        return measure_->textMetrics();
    }
    return FixedTextMetrics(state_.font);
}

void RecordingCanvas::image(std::string_view name, const Rect& dest) {
    Op& op = Push(OpKind::Image);
    op.text = name;
    op.rect = dest;
}

void RecordingCanvas::endPage() {
    Push(OpKind::EndPage);
    pageEnded_ = true;
}

void RecordingCanvas::startPage() {
    Push(OpKind::StartPage);
}

std::vector<const Op*> RecordingCanvas::All() const {
    std::vector<const Op*> all;
    for (const auto& page : pages_)
        for (const Op& op : page) all.push_back(&op);
    return all;
}

std::vector<const Op*> RecordingCanvas::Find(OpKind kind) const {
    std::vector<const Op*> found;
    for (const auto& page : pages_)
        for (const Op& op : page)
            if (op.kind == kind) found.push_back(&op);
    return found;
}

}  // namespace platform

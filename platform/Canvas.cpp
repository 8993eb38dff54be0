#include "platform/Canvas.h"

#include <cmath>

namespace platform {

int mmPixels(int ppi) { return static_cast<int>(std::floor(ppi / 25.4 + 0.5)); }

int fontPx(int points, int ppiY) { return points * ppiY / 72; }

Size drawTabbedLine(Canvas& canvas, Point at, std::string_view line, int tabWidthPx, int tabOriginX) {
    const int lineHeight = canvas.textMetrics().height;
    if (line.empty()) return {0, lineHeight};
    int x = at.x;
    int height = lineHeight;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        const std::string_view piece = line.substr(start, tab == std::string_view::npos ? line.npos : tab - start);
        if (!piece.empty()) {
            canvas.text({x, at.y}, piece, HAlign::Left, VAlign::Top);
            const Size extent = canvas.textExtent(piece);
            x += extent.cx;
            if (extent.cy > height) height = extent.cy;
        }
        if (tab == std::string_view::npos) break;
        if (tabWidthPx > 0) {
            const int offset = x - tabOriginX;
            const int next = offset < 0 ? 0 : (offset / tabWidthPx + 1) * tabWidthPx;
            x = tabOriginX + next;
        }
        start = tab + 1;
    }
    return {x - at.x, height};
}

Size drawTextBlock(Canvas& canvas, Point origin, std::string_view text, int tabWidthPx) {
    Size total{0, 0};
    std::size_t start = 0;
    while (true) {
        const std::size_t nl = text.find('\n', start);
        const std::string_view line = text.substr(start, nl == std::string_view::npos ? text.npos : nl - start);
        const Size extent = drawTabbedLine(canvas, {origin.x, origin.y + total.cy}, line, tabWidthPx, origin.x);
        if (extent.cx > total.cx) total.cx = extent.cx;
        total.cy += extent.cy;
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    return total;
}

}  // namespace platform

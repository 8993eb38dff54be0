#include "platform/ColumnSort.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "platform/NumText.h"

namespace platform {

namespace {

template <typename T>
int ThreeWay(T x, T y) {
    return (x < y) ? -1 : (y < x) ? 1 : 0;
}

unsigned char FoldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c; }

int CompareFolded(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = FoldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char y = FoldAscii(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return ThreeWay(a.size(), b.size());
}

}  // namespace

int CompareColumnText(std::string_view a, std::string_view b, int code) {
    if (code == std::numeric_limits<int>::min()) return 0;  // no kind: its magnitude is not an int
    const int sign = code >= 0 ? 1 : -1;
    const int kind = code * sign;
    int r = 0;
    switch (kind) {
        case kSortInteger:
            r = ThreeWay(LeadingInt(a, 0), LeadingInt(b, 0));
            break;
        case kSortString:
            r = CompareFolded(a, b);
            break;
        case kSortReal: {
            const double x = LeadingDouble(a, 0.0);
            const double y = LeadingDouble(b, 0.0);
            // A text reading as NaN sorts before every number, so the
            // order stays a strict weak order.
            const bool nx = x != x, ny = y != y;
            r = (nx || ny) ? ThreeWay(!nx, !ny) : ThreeWay(x, y);
            break;
        }
        default:
            return 0;
    }
    return r * sign;
}

std::vector<std::size_t> SortedOrder(const std::vector<std::string>& texts, int code) {
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return CompareColumnText(texts[x], texts[y], code) < 0;
    });
    return order;
}

}  // namespace platform

#include "platform/TextCut.h"

namespace platform {

namespace {

// Length of the UTF-8 sequence starting at text[i]; 0 when invalid.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = b(i);
    std::size_t len;
    unsigned min;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) len = 2, min = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF) len = 3, min = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4) len = 4, min = 0x10000;
    else return 0;
    if (i + len > text.size()) return 0;
    unsigned code = lead & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (b(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return len;
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = SequenceLength(bytes, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string CutToBytes(std::string_view text, std::size_t n) {
    if (text.size() <= n) return std::string(text);
    if (!IsUtf8(text)) return std::string(text.substr(0, n));
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t len = SequenceLength(text, end);
        if (end + len > n) break;
        end += len;
    }
    return std::string(text.substr(0, end));
}

}  // namespace platform

// Cutting a text to a number of bytes (fixed-size record fields).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// True when the bytes are valid UTF-8 (plain ASCII included).
bool IsUtf8(std::string_view bytes);

// At most n bytes of text. A UTF-8 text is cut before the character that
// would not fit whole; other 8-bit text is cut at n bytes.
std::string CutToBytes(std::string_view text, std::size_t n);

// Copies CutToBytes(text, size - 1) into a char field of that size, zero
// filled behind it (always terminated).
template <std::size_t N>
void CopyToField(char (&field)[N], std::string_view text) {
    static_assert(N > 0);
    const std::string cut = CutToBytes(text, N - 1);
    std::size_t i = 0;
    for (; i < cut.size(); ++i) field[i] = cut[i];
    for (; i < N; ++i) field[i] = '\0';
}

}  // namespace platform

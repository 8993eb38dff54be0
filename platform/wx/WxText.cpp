#include "platform/wx/WxText.h"

namespace platform {

namespace {

// Windows-1252 0x80..0x9F; the undefined five map to themselves.
constexpr wchar_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

wxString ToWx(std::string_view bytes) {
    if (bytes.empty()) return wxString();
    wxString utf8 = wxString::FromUTF8(bytes.data(), bytes.size());
    if (!utf8.empty()) return utf8;
    wxString out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c >= 0x80 && c <= 0x9F)
            out += wxUniChar(static_cast<unsigned>(kCp1252High[c - 0x80]));
        else
            out += wxUniChar(static_cast<unsigned>(c));
    }
    return out;
}

}  // namespace platform

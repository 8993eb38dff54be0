#include "platform/TimeText.h"

#include <array>
#include <cstdio>

namespace platform {
namespace {

constexpr std::array<const char*, 7> kDays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                           "Thursday", "Friday", "Saturday"};

template <std::size_t N>
std::string_view Name(const std::array<const char*, N>& names, int index, bool abbreviated) {
    if (index < 0 || index >= static_cast<int>(N)) return "???";
    std::string_view name = names[static_cast<std::size_t>(index)];
    return abbreviated ? name.substr(0, 3) : name;
}

void AppendNumber(std::string& out, long long value, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld", width, value);
    out += buf;
}

}  // namespace

std::string FormatTime(const std::tm& local, std::string_view format) {
    std::string out;
    out.reserve(format.size() + 16);
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        char conversion = format[++i];
        const long long year = static_cast<long long>(local.tm_year) + 1900;
        switch (conversion) {
            case 'a': out += Name(kDays, local.tm_wday, true); break;
            case 'A': out += Name(kDays, local.tm_wday, false); break;
            case 'b': out += Name(kMonthNames, local.tm_mon, true); break;
            case 'B': out += Name(kMonthNames, local.tm_mon, false); break;
            case 'd': AppendNumber(out, local.tm_mday, 2); break;
            case 'H': AppendNumber(out, local.tm_hour, 2); break;
            case 'M': AppendNumber(out, local.tm_min, 2); break;
            case 'm': AppendNumber(out, static_cast<long long>(local.tm_mon) + 1, 2); break;
            case 'y': AppendNumber(out, ((year % 100) + 100) % 100, 2); break;
            case 'Y': AppendNumber(out, year, 4); break;
            case '%': out += '%'; break;
            default:
                out += '%';
                out += conversion;
                break;
        }
    }
    return out;
}

}  // namespace platform

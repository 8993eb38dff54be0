#include "platform/NumText.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>
#include <vector>

namespace platform {

namespace {

locale_t CLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

// Switches this thread to the C locale for its lifetime.
class CLocaleScope {
public:
    CLocaleScope() : old_(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(old_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t old_;
};

template <typename T>
bool Scan(std::string_view text, const char* fmt, T& out) {
    std::string copy(text);
    CLocaleScope c;
    T value{};
    if (std::sscanf(copy.c_str(), fmt, &value) != 1) return false;
    out = value;
    return true;
}

}  // namespace

std::string Format(const char* fmt, ...) {
    CLocaleScope c;
    char buf[512];
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(buf, sizeof buf, fmt, ap);
    va_end(ap);
    std::string out;
    if (n < 0) {
        va_end(ap2);
        return out;
    }
    if (static_cast<size_t>(n) < sizeof buf) {
        out.assign(buf, static_cast<size_t>(n));
    } else {
        std::vector<char> big(static_cast<size_t>(n) + 1);
        std::vsnprintf(big.data(), big.size(), fmt, ap2);
        out.assign(big.data(), static_cast<size_t>(n));
    }
    va_end(ap2);
    return out;
}

bool ScanDouble(std::string_view text, double& out) { return Scan(text, "%lf", out); }
bool ScanFloat(std::string_view text, float& out) { return Scan(text, "%f", out); }
bool ScanInt(std::string_view text, int& out) { return Scan(text, "%d", out); }

double LeadingDouble(std::string_view text, double fallback) {
    double v = fallback;
    return ScanDouble(text, v) ? v : fallback;
}

int LeadingInt(std::string_view text, int fallback) {
    int v = fallback;
    return ScanInt(text, v) ? v : fallback;
}

}  // namespace platform

#include "platform/NumText.h"

#include <charconv>
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

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal number at the start of text (sign, digits, point,
// exponent); 0 when none starts there.
std::size_t DecimalLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

// Length of the optionally signed whole number at the start of text.
std::size_t IntegerLength(std::string_view text, bool allowPlus) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || (allowPlus && text[i] == '+'))) ++i;
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i == start ? 0 : i;
}

// A number text of DecimalLength; nullopt when out of range.
std::optional<double> ConvertDecimal(std::string_view number) {
    bool negative = false;
    if (!number.empty() && (number.front() == '+' || number.front() == '-')) {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || end != number.data() + number.size()) return std::nullopt;
    return negative ? -value : value;
}

// A number text of IntegerLength; nullopt outside the int range.
std::optional<int> ConvertInteger(std::string_view number) {
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || end != number.data() + number.size()) return std::nullopt;
    return value;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

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
bool ScanInt(std::string_view text, int& out) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    const std::optional<int> v = ConvertInteger(text.substr(0, IntegerLength(text, true)));
    if (!v) return false;
    out = *v;
    return true;
}

double LeadingDouble(std::string_view text, double fallback) {
    double v = fallback;
    return ScanDouble(text, v) ? v : fallback;
}

int LeadingInt(std::string_view text, int fallback) {
    int v = fallback;
    return ScanInt(text, v) ? v : fallback;
}

std::optional<int> WholeInt(std::string_view text) {
    text = TrimBlanks(text);
    if (IntegerLength(text, false) != text.size()) return std::nullopt;
    return ConvertInteger(text);
}

double LeadingDecimal(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    const std::size_t n = DecimalLength(text);
    if (n == 0) return 0;
    return ConvertDecimal(text.substr(0, n)).value_or(0.0);
}

std::optional<double> ReadNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || DecimalLength(text) != text.size()) return std::nullopt;
    return ConvertDecimal(text);
}

std::optional<int> ReadInteger(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || IntegerLength(text, true) != text.size()) return std::nullopt;
    return ConvertInteger(text);
}

std::string FormatG15(double value) { return Format("%.15g", value); }

}  // namespace platform

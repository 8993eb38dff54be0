#include "output/core/TableText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "model/Constants.h"
#include "platform/NumText.h"
#include "platform/TimeText.h"

namespace output {

namespace {

std::string_view Cut(std::string_view text, int width) {
    if (width <= 0) return {};
    return text.substr(0, std::min(text.size(), static_cast<std::size_t>(width)));
}

std::string Padded(std::string_view text, int leading, int width) {
    std::string out(static_cast<std::size_t>(std::max(leading, 0)), ' ');
    out += text;
    if (static_cast<int>(out.size()) < width) out.append(static_cast<std::size_t>(width) - out.size(), ' ');
    out += '\t';
    return out;
}

}  // namespace

std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
    std::int64_t sum;
    if (__builtin_add_overflow(a, b, &sum)) return b < 0 ? INT64_MIN : INT64_MAX;
    return sum;
}

std::string RightCell(std::string_view text, int width) {
    const std::string_view cut = Cut(text, width);
    return Padded(cut, width - static_cast<int>(cut.size()), width);
}

std::string LeftCell(std::string_view text, int width) { return Padded(Cut(text, width), 0, width); }

std::string CentreCell(std::string_view text, int width) {
    return Padded(Cut(text, width), (width - static_cast<int>(text.size())) / 2, width);
}

bool IsMissing(double value) { return value == model::MISSING_VALUE_D || !std::isfinite(value); }

std::string NumberText(double value, int decimals) {
    if (decimals > 0) return platform::Format("%.*f", decimals, value);
    std::string text = platform::Format("%.0f", value);
    const std::size_t first = text.find_first_of("0123456789");
    if (first == std::string::npos) return text;
    std::size_t end = first;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    std::string out = text.substr(0, first);
    for (std::size_t i = first; i < end; ++i) {
        out += text[i];
        const std::size_t after = end - i - 1;
        if (after > 0 && after % 3 == 0) out += ',';
    }
    out += text.substr(end);
    return out;
}

int DecimalsFor(double lastTotal) {
    if (IsMissing(lastTotal) || !(lastTotal > 0)) return 2;
    const double x = std::floor(std::log10(lastTotal));
    if (x < 1) return 2;
    if (x == 1) return 1;
    return 0;
}

SpillHours::SpillHours(document::Time spill, const platform::IClock& clock)
    : clock_(&clock), base_(spill), spillLocal_(clock.Local(static_cast<std::time_t>(spill))) {
    // Back to the start of the spill's clock hour; fields a failed breakdown
    // left out of range count as 0.
    const int minute = spillLocal_.tm_min >= 0 && spillLocal_.tm_min < 60 ? spillLocal_.tm_min : 0;
    const int second = spillLocal_.tm_sec >= 0 && spillLocal_.tm_sec <= 60 ? spillLocal_.tm_sec : 0;
    base_ = SaturatingAdd(spill, -(static_cast<document::Time>(minute) * 60 + second));
}

std::tm SpillHours::After(std::int64_t hours) const {
    std::int64_t seconds;
    if (__builtin_mul_overflow(hours, std::int64_t{3600}, &seconds)) seconds = hours < 0 ? INT64_MIN : INT64_MAX;
    return clock_->Local(static_cast<std::time_t>(SaturatingAdd(base_, seconds)));
}

TableHeader ReadTableHeader(const document::Scenario& s, const platform::IClock& clock) {
    TableHeader h;
    h.oilName = s.OilName;
    h.api = s.API;
    h.pourPoint = s.PourPoint;
    h.variableWinds = s.m_bVarWind != 0;
    h.windSpeed = s.m_dWindSpeed;
    h.windSpeedUnit = s.m_iWindSpeedUnit;
    h.waveChooser = s.m_iWaveHeightChooser;
    h.waveHeight = s.m_dWaveHeight;
    h.waveHeightUnit = s.m_iWaveHeightUnit;
    h.waterTemperature = s.water.temperature;
    h.waterTempUnits = s.water.tempUnits;
    h.spillLocal = clock.Local(static_cast<std::time_t>(s.SpillTime));
    return h;
}

std::string WindWaveText(const TableHeader& h) {
    static constexpr const char* kSpeedUnits[] = {"mph", "knots", "m/s"};
    std::string out = "Wind Speed = ";
    if (h.variableWinds) {
        out += "variable winds";
    } else if (h.windSpeed >= 0) {
        const char* unit = h.windSpeedUnit >= 0 && h.windSpeedUnit < 3 ? kSpeedUnits[h.windSpeedUnit] : "";
        out += platform::Format("constant at %.0f %s\t", h.windSpeed, unit);
    }
    out += "Wave Height = ";
    if (h.waveChooser == 1) {
        out += "computed from wind speed and fetch";
    } else if (h.waveChooser == 2) {
        out += platform::Format("%.0f %s", h.waveHeight, h.waveHeightUnit == 0 ? "meters" : "feet");
    } else {
        out += "computed from winds";
    }
    return out;
}

std::string HeaderOpening(const TableHeader& h) {
    std::string out = "Oil Name = " + h.oilName + "\n";
    out += "API = " + h.api + "\t\t\t\t\t\t\t\t" + "Pour Point = " + h.pourPoint + "\n";
    out += WindWaveText(h) + "\n";
    const char* tempUnit = h.waterTempUnits == 1 ? "F" : h.waterTempUnits == 2 ? "C" : "";
    out += platform::Format("Water temperature = %.0f deg %s\n", h.waterTemperature, tempUnit);
    out += platform::FormatTime(h.spillLocal, "Time of Initial Release = %B %d, %H%M hours") + "\n";
    return out;
}

ExpandedText ExpandTabs(std::string_view text, int stop) {
    stop = std::max(stop, 1);
    ExpandedText out;
    out.shown.reserve(text.size() + text.size() / 2);
    out.sourceAt.reserve(text.size() + text.size() / 2 + 1);
    std::size_t source = 0;  // characters of text read so far
    int column = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80) {  // continues the character before
            out.shown += text[i];
            continue;
        }
        if (c == '\t') {
            const int spaces = stop - column % stop;
            out.shown.append(static_cast<std::size_t>(spaces), ' ');
            out.sourceAt.insert(out.sourceAt.end(), static_cast<std::size_t>(spaces), source);
            column += spaces;
        } else {
            out.shown += text[i];
            out.sourceAt.push_back(source);
            column = c == '\n' ? 0 : column + 1;
        }
        ++source;
    }
    out.sourceAt.push_back(source);
    return out;
}

platform::Size DrawTableText(platform::Canvas& canvas, std::string_view header, std::string_view table,
                             platform::Point origin) {
    constexpr int kTabPx = 20;
    platform::Size total{0, 0};
    for (std::string_view text : {header, table}) {
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t nl = text.find('\n', start);
            const std::size_t end = nl == std::string_view::npos ? text.size() : nl;
            const platform::Size extent =
                platform::drawTabbedLine(canvas, {origin.x, origin.y + total.cy}, text.substr(start, end - start),
                                         kTabPx, 0);
            total.cx = std::max(total.cx, extent.cx);
            total.cy += extent.cy;
            start = end + 1;
        }
    }
    return total;
}

}  // namespace output

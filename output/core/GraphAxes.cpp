#include "output/core/GraphAxes.h"

#include <algorithm>
#include <cmath>

#include "platform/NumText.h"
#include "platform/TimeText.h"

namespace output {

using platform::Canvas;
using platform::HAlign;
using platform::Point;
using platform::Rect;
using platform::VAlign;

int Rnd(double v) {
    // Saturating: a wild value stays far off the page instead of wrapping.
    constexpr double kLimit = 1e9;
    if (!(v > -kLimit)) return static_cast<int>(-kLimit);
    if (!(v < kLimit)) return static_cast<int>(kLimit);
    return static_cast<int>(std::floor(v + 0.5));
}

LinearAxis ComputeLinearAxis(double min, double max, int plotHeight, int mmY) {
    LinearAxis ax;
    const int mm = std::max(mmY, 1);
    int c = 15 * mm;
    int d = std::max(plotHeight / c, 1);
    while ((c + mm) * d < plotHeight) c += mm;
    // A plot lower than one band: the one band is the plot, so the scale
    // keeps the data inside it.
    if (c * d > plotHeight) c = std::max(plotHeight, 1);
    ax.bands = d;
    ax.bandPx = c;

    const double r = std::fabs(max - min);
    if (!std::isfinite(r) || !std::isfinite(min) || r == 0) return ax;
    double s = 1;
    while (d * s > r) s /= 10;
    while (d * s < r) s *= 10;
    const double p = s;
    if (r < d * s / 2) s = r < d * s / 5 ? s / 5 : s / 2;
    if (s == 0) return ax;

    const double e = d * s - r;
    double a = min;
    if (2 * s < e) {
        a = std::floor((min - e / 2) / s) * s;
    } else if (e > 0) {
        double f = p;
        while (2 * f > e) f /= 10;
        if (e > 4 * f) f = e > 10 * f ? f * 5 : f * 2;
        if (f == 0) return ax;
        a = std::floor((min - e * 0.5) / f) * f;
    }
    if (a < 0) a = 0;
    ax.ok = true;
    ax.step = s;
    ax.bottom = a;
    return ax;
}

namespace {

double Pow10(int e) { return std::pow(10.0, e); }

// The largest power of ten not above v (v > 0).
int FloorExp(double v) {
    int e = static_cast<int>(std::floor(std::log10(v)));
    while (Pow10(e) > v) --e;
    while (Pow10(e + 1) <= v) ++e;
    return e;
}

// The smallest power of ten not below v (v > 0).
int CeilExp(double v) {
    int e = static_cast<int>(std::ceil(std::log10(v)));
    while (Pow10(e - 1) >= v) --e;
    while (Pow10(e) < v) ++e;
    return e;
}

constexpr int kLowestDecadesUnderTop = 12;

}  // namespace

double LogAxis::Lo() const { return Pow10(loExp); }
double LogAxis::Hi() const { return Pow10(hiExp); }
double LogAxis::Label(int k) const { return Pow10(loExp + k * decadesPerBand); }

LogAxis ComputeLogAxis(double minPositive, double maxPositive, int plotHeight, bool topAtLeastOne) {
    LogAxis ax;
    if (!(minPositive > 0) || !(maxPositive > 0) || !std::isfinite(minPositive) || !std::isfinite(maxPositive))
        return ax;
    if (maxPositive < minPositive) std::swap(minPositive, maxPositive);
    if (topAtLeastOne && maxPositive < 1) maxPositive = 1;
    int hi = CeilExp(maxPositive);
    int lo = std::max(FloorExp(minPositive), hi - kLowestDecadesUnderTop);
    if (hi <= lo) hi = lo + 1;

    const int available = std::max(plotHeight / 50, 1);
    int bands = hi - lo;
    int perBand = 1;
    while (available < bands) {
        bands = (bands + 1) / 2;
        perBand *= 2;
    }
    ax.ok = true;
    ax.loExp = lo;
    ax.hiExp = lo + bands * perBand;
    ax.bands = bands;
    ax.decadesPerBand = perBand;
    ax.gridPx = plotHeight / bands;
    ax.pxPerDecade = static_cast<double>(ax.gridPx) / perBand;
    return ax;
}

BudgetAxis ComputeBudgetAxis(double maxValue, double minValue, int plotHeight, int mmY) {
    BudgetAxis ax;
    const int tick = 15 * std::max(mmY, 1);
    int n = std::max(plotHeight / tick, 1);
    double r = std::floor((maxValue - minValue) * 1e6 + 0.5) / 1e6;
    double s = 1;
    if (!(r > 0) || !std::isfinite(r)) {
        n = 1;
    } else {
        // A top raised to 1 takes its step from 1, so labels match the scale.
        if (r < 1) r = 1;
        while (n * s > r) s /= 10;
        while (n * s < r) s *= 10;
        if (r < n * s / 2) {
            if (r < n * s / 5)
                s /= 5;
            else if (r < n * s / 4)
                s /= 4;
            else
                s /= 2;
        }
        n = std::max(static_cast<int>(std::ceil(r / s - 1e-9)), 1);
    }
    ax.intervals = n;
    ax.step = s;
    ax.top = std::max(n * s, 1.0);
    ax.tickPx = plotHeight / n;
    ax.plotHeight = n * ax.tickPx;
    ax.pxPerUnit = ax.top > 0 ? ax.plotHeight / ax.top : 0;
    return ax;
}

int RunHours(int nSteps, int stepsPerHour) {
    const int sph = std::max(stepsPerHour, 1);
    return std::max(nSteps / sph, 1);
}

TimeTicks ChooseTimeTicks(int hours, int spillHour, int plotWidth, int mmX) {
    static constexpr int kMajor[] = {1, 2, 3, 4, 6, 12, 24, 48, 72, 96, 120};
    static constexpr int kMinor[] = {4, 4, 3, 4, 3, 4, 4, 4, 3, 4, 5};
    TimeTicks t;
    t.hours = std::max(hours, 1);
    const int clockHour = ((spillHour % 24) + 24) % 24;
    t.offset = t.hours < 12 ? 0 : 12 - clockHour % 12;
    const int mm = std::max(mmX, 1);
    std::size_t row = std::size(kMajor) - 1;
    for (std::size_t i = 0; i < std::size(kMajor); ++i) {
        const int k = kMajor[i], m = kMinor[i];
        const int n = (t.hours - t.offset) / k;
        const double minors = n * m + std::ceil(static_cast<double>(t.hours - n * k) * m / k);
        if (minors > 0 && plotWidth / minors >= 4 * mm) {
            row = i;
            break;
        }
    }
    t.major = kMajor[row];
    t.minor = kMinor[row];
    const long long width = std::max(plotWidth, 0);
    t.width = static_cast<int>((width * t.major / t.hours) * t.hours / t.major);
    for (int h = 0; h <= t.hours - 2; ++h)
        if ((h - t.offset) % t.major == 0) t.labelled.push_back(h);
    return t;
}

std::string HourLabel(const GraphContext& ctx, int h) { return platform::FormatTime(ctx.LocalHour(h), "%H00"); }

std::string DateLabel(const GraphContext& ctx, int h) { return platform::FormatTime(ctx.LocalHour(h), "%b %d"); }

void DrawValueTicks(Canvas& canvas, const Rect& plot, int bands, int bandPx, int mm, double bottom,
                    double step, const char* format) {
    for (int k = 0; k <= bands; ++k) {
        const int y = plot.bottom - k * bandPx;
        canvas.line({plot.left - 3 * mm / 2, y}, {plot.left + 3 * mm / 2, y});
        for (int j = 1; j <= 4; ++j) {
            const int ym = y - j * (bandPx / 5);
            if (ym <= plot.top) break;
            canvas.line({plot.left - 2 * mm / 3, ym}, {plot.left + 2 * mm / 3, ym});
        }
        canvas.text({plot.left - 2 * mm, y}, platform::Format(format, bottom + k * step), HAlign::Right,
                    VAlign::Baseline);
    }
}

void DrawPlotFrame(Canvas& canvas, const Rect& plot) {
    const Point frame[] = {{plot.left, plot.top},
                           {plot.right, plot.top},
                           {plot.right, plot.bottom},
                           {plot.left, plot.bottom},
                           {plot.left, plot.top}};
    canvas.polyline(frame);
}

void DrawTimeAxis(Canvas& canvas, const Rect& plot, const TimeTicks& ticks, double pxPerHour,
                  const GraphContext& ctx, int mmY, int dateOffset) {
    const double q = ticks.major * pxPerHour / ticks.minor;
    const int minorTop = plot.bottom - 2 * mmY / 3, minorBottom = plot.bottom + 2 * mmY / 3;
    const int majorTop = plot.bottom - 3 * mmY / 2, majorBottom = plot.bottom + 3 * mmY / 2;
    bool first = true;
    for (int h : ticks.labelled) {
        const double x = plot.left + h * pxPerHour;
        if (first) {
            for (int j = 1; j < ticks.minor && x - j * q > plot.left; ++j) {
                const int xi = static_cast<int>(x - j * q);
                canvas.line({xi, minorTop}, {xi, minorBottom});
            }
            first = false;
        }
        const int xr = Rnd(x);
        canvas.line({xr, majorTop}, {xr, majorBottom});
        for (int j = 1; j < ticks.minor && x + j * q < plot.right; ++j) {
            const int xi = Rnd(x + j * q);
            canvas.line({xi, minorTop}, {xi, minorBottom});
        }
        const std::string date = DateLabel(ctx, h);
        canvas.text({xr, plot.bottom + 2 * mmY}, HourLabel(ctx, h), HAlign::Centre, VAlign::Top);
        const int dy = dateOffset >= 0 ? dateOffset : canvas.textExtent(date).cy;
        canvas.text({xr, plot.bottom + dy + 2 * mmY}, date, HAlign::Centre, VAlign::Top);
    }
}

}  // namespace output

#include "output/core/DrawGraph.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

#include "model/Constants.h"
#include "output/core/GraphAxes.h"
#include "platform/NumText.h"

namespace output {

using platform::Canvas;
using platform::HAlign;
using platform::Pen;
using platform::PenStyle;
using platform::Pixel;
using platform::Point;
using platform::Rect;
using platform::Rgb;
using platform::VAlign;

std::string GraphTitle(const model::SSeriesHead& record) {
    return document::FieldText(record.title, sizeof record.title) + " (" +
           document::FieldText(record.units, sizeof record.units) + ")";
}

platform::Font GraphFont(int ppiY) { return {platform::Face::UiSans, platform::fontPx(9, ppiY), 400, false}; }

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// One column from the curve towards the edge; only the rows rowLo..rowHi
// are kept (a point far off the plot costs nothing).
void Shade(std::vector<Pixel>& out, int x, int yCurve, int yEdge, int firstK, int rowLo = INT_MIN,
           int rowHi = INT_MAX) {
    const long long yc = yCurve;
    const long long n = std::llabs(yc - yEdge);
    const int dir = yEdge > yCurve ? 1 : -1;
    long long from = firstK, to = n - 1;
    if (dir > 0) {
        from = std::max(from, rowLo - yc);
        to = std::min(to, rowHi - yc);
    } else {
        from = std::max(from, yc - rowHi);
        to = std::min(to, yc - rowLo);
    }
    for (long long k = from; k <= to; ++k) {
        const auto g = static_cast<std::uint8_t>(128 + static_cast<int>(std::floor(k * 127.0 / n + 0.5)));
        out.push_back({x, static_cast<int>(yc + dir * k), {g, g, g}});
    }
}

}  // namespace

std::string FitText(Canvas& c, const std::string& text, int width) {
    if (c.textExtent(text).cx <= width) return text;
    static const std::string kEllipsis = "\xE2\x80\xA6";
    std::size_t n = text.size();
    while (n > 0) {
        // Back to the start of the previous character.
        do --n;
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80);
        std::string cut = text.substr(0, n);
        while (!cut.empty() && cut.back() == ' ') cut.pop_back();
        if (c.textExtent(cut + kEllipsis).cx <= width) return cut + kEllipsis;
    }
    return kEllipsis;
}

namespace {

// The page, font and title of a graph. Returns the drawing rectangle (the
// page less one inch on a printer).
Rect BeginPage(Canvas& c, Rect rect, const std::string& title) {
    if (c.isPrinting()) {
        const platform::Size page = c.deviceSize();
        rect = {c.ppiX(), c.ppiY(), page.cx - c.ppiX(), page.cy - c.ppiY()};
    } else {
        c.fillRect(rect, platform::kWhiteBrush);
    }
    c.setFont(GraphFont(c.ppiY()));
    c.setTextColour(kBlack);
    c.setTextBackground(kWhite, true);
    c.textInRect(rect, FitText(c, title, rect.width()), HAlign::Centre, false);
    return rect;
}

void NotAvailable(Canvas& c, const Rect& rect) { c.textInRect(rect, "N/A", HAlign::Centre, true); }

// The value axis of a line graph: linear or base 10.
class ValueScale {
public:
    virtual ~ValueScale() = default;
    // Pixel row of a value; none for a missing value.
    virtual std::optional<int> Y(double v) const = 0;
    virtual void DrawGrid(Canvas& c, const Rect& plot) const = 0;
    virtual void DrawTicks(Canvas& c, const Rect& plot, int mmX) const = 0;
};

class LinearScale final : public ValueScale {
public:
    LinearScale(const LinearAxis& ax, int bottom) : ax_(ax), bottom_(bottom) {}
    std::optional<int> Y(double v) const override {
        if (v < 0 || !std::isfinite(v)) return std::nullopt;
        return bottom_ - Rnd(std::fabs(v - ax_.bottom) / ax_.step * ax_.bandPx);
    }
    void DrawGrid(Canvas& c, const Rect& plot) const override {
        for (int k = 1; k <= ax_.bands; ++k) {
            const int y = plot.bottom - k * ax_.bandPx;
            c.line({plot.left, y}, {plot.right, y});
        }
    }
    void DrawTicks(Canvas& c, const Rect& plot, int mmX) const override {
        DrawValueTicks(c, plot, ax_.bands, ax_.bandPx, mmX, ax_.bottom, ax_.step);
    }

private:
    LinearAxis ax_;
    int bottom_;
};

class LogScale final : public ValueScale {
public:
    LogScale(const LogAxis& ax, int bottom) : ax_(ax), bottom_(bottom) {}
    std::optional<int> Y(double v) const override {
        if (v < 0 || !std::isfinite(v)) return std::nullopt;
        if (!(v > ax_.Lo())) return bottom_;  // zero and values under the bottom decade
        return bottom_ - Rnd(std::fabs(std::log10(v) - ax_.loExp) * ax_.pxPerDecade);
    }
    void DrawGrid(Canvas& c, const Rect& plot) const override {
        for (int k = 1; k <= ax_.bands; ++k) {
            const int y = plot.bottom - k * ax_.gridPx;
            c.line({plot.left, y}, {plot.right, y});
        }
    }
    void DrawTicks(Canvas& c, const Rect& plot, int mmX) const override {
        for (int k = 0; k <= ax_.bands; ++k) {
            const int y = plot.bottom - k * ax_.gridPx;
            c.line({plot.left - 3 * mmX / 2, y}, {plot.left + 3 * mmX / 2, y});
            for (int j = 1; j <= 4; ++j) {
                const int ym = y - Rnd(std::log10(2.0 * j) * ax_.gridPx);
                if (ym <= plot.top) break;
                c.line({plot.left - 2 * mmX / 3, ym}, {plot.left + 2 * mmX / 3, ym});
            }
            c.text({plot.left - 2 * mmX, y}, platform::Format("%.6g", ax_.Label(k)), HAlign::Right,
                   VAlign::Baseline);
        }
    }

private:
    LogAxis ax_;
    int bottom_;
};

struct Curve {
    std::vector<std::optional<int>> y;
};

// Polylines of a curve, broken at its missing points.
void DrawCurve(Canvas& c, const std::vector<int>& xs, const Curve& curve) {
    std::vector<Point> run;
    auto flush = [&] {
        if (run.size() >= 2) c.polyline(run);
        run.clear();
    };
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (curve.y[i]) {
            run.push_back({xs[i], *curve.y[i]});
        } else {
            flush();
        }
    }
    flush();
}

void DrawLineGraph(Canvas& c, const model::SGraphData& rec, const GraphContext& ctx, Rect given,
                   const std::string& title, bool log, bool topAtLeastOne) {
    c.save();
    const Rect rect = BeginPage(c, given, title);
    const int n = std::min({ctx.nSteps, rec.count, model::SERIES_LENGTH});
    const double* low = rec.series[model::GRAPH_LOW];
    const double* best = rec.series[model::GRAPH_BEST];
    const double* high = rec.series[model::GRAPH_HIGH];
    // A first value below 0 (or not a number at all) means no results.
    auto absent = [](double v) { return !(v >= 0) || !std::isfinite(v); };
    const bool missing = n <= 0 || absent(best[0]) || (!log && (absent(low[0]) || absent(high[0])));
    if (missing) {
        NotAvailable(c, rect);
        c.restore();
        return;
    }

    // Data range: missing values (below 0) stay out; the log axis takes
    // positive values only.
    double lo = best[0], hi = best[0];
    bool any = !log || best[0] > 0;
    for (int i = 1; i < n; ++i) {
        for (double v : {best[i], high[i], low[i]}) {
            if (v < 0 || (log && !(v > 0)) || !std::isfinite(v)) continue;
            if (!any) {
                lo = hi = v;
                any = true;
            }
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    if (!any) {
        NotAvailable(c, rect);
        c.restore();
        return;
    }
    if (log && topAtLeastOne && hi < 1) hi = 1;

    const int mmX = platform::mmPixels(c.ppiX());
    const int mmY = platform::mmPixels(c.ppiY());
    const int th = c.textExtent(title).cy;
    Rect plot{0, rect.top + th + 2 * mmY, rect.right - 5 * mmX, rect.bottom - 2 * th - 3 * mmY};

    LinearAxis linear;
    LogAxis logAxis;
    std::string probeHi, probeLo;
    if (log) {
        logAxis = ComputeLogAxis(lo, hi, plot.height(), topAtLeastOne);
        probeHi = platform::Format("%.3g", logAxis.Hi());
        probeLo = platform::Format("%.3g", logAxis.Lo());
    } else {
        probeHi = platform::Format("%.3g", hi);
        probeLo = platform::Format("%.3g", lo);
    }
    const platform::Size eHi = c.textExtent(probeHi), eLo = c.textExtent(probeLo);
    const int lw = std::max(eHi.cx, eLo.cx);
    plot.left = rect.left + lw + 5 * mmX;
    if (plot.width() < 2 || plot.height() < 2) {
        c.restore();
        return;
    }

    if (!log) {
        linear = ComputeLinearAxis(lo, hi, plot.height(), mmY);
        if (!linear.ok) {
            // A flat series: the record's limits when they make a range
            // that holds the value, else one unit either side of it.
            double a = lo - 1, b = lo + 1;
            if (rec.minValue >= 0 && rec.maxValue > rec.minValue && rec.minValue <= lo && lo <= rec.maxValue) {
                a = rec.minValue;
                b = rec.maxValue;
            } else if (lo == 0) {
                a = 0;
                b = 1;
            }
            linear = ComputeLinearAxis(a, b, plot.height(), mmY);
        }
        if (!linear.ok) {
            c.restore();
            return;
        }
    }
    std::unique_ptr<ValueScale> scale;
    if (log)
        scale = std::make_unique<LogScale>(logAxis, plot.bottom);
    else
        scale = std::make_unique<LinearScale>(linear, plot.bottom);

    // Time axis.
    const int sph = std::max(ctx.stepsPerHour, 1);
    const int hours = RunHours(ctx.nSteps, sph);
    const TimeTicks ticks = ChooseTimeTicks(hours, ctx.LocalHour(0).tm_hour, plot.width(), mmX);
    plot.right = plot.left + ticks.width;
    const double pxPerStep = static_cast<double>(plot.width()) / (n < 3 ? 1 : n);
    const double pxPerHour = sph * pxPerStep;

    // Grid.
    const bool printing = c.isPrinting();
    c.setPen({PenStyle::Solid, 1, printing ? Rgb{0, 159, 255} : Rgb{200, 200, 255}});
    scale->DrawGrid(c, plot);
    for (int h : ticks.labelled) {
        const int x = Rnd(plot.left + h * pxPerHour);
        c.line({x, plot.bottom}, {x, plot.top});
    }

    // Curves, clipped to the plot and its frame.
    std::vector<int> xs(static_cast<std::size_t>(n));
    Curve cLow, cBest, cHigh;
    for (Curve* cv : {&cLow, &cBest, &cHigh}) cv->y.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto ui = static_cast<std::size_t>(i);
        xs[ui] = plot.left + Rnd(i * pxPerStep);
        cLow.y[ui] = scale->Y(low[i]);
        cBest.y[ui] = scale->Y(best[i]);
        cHigh.y[ui] = scale->Y(high[i]);
    }
    c.save();
    c.setClip({plot.left, plot.top, plot.right + 1, plot.bottom + 1});
    if (!printing) {
        std::vector<Pixel> band;
        const int firstK = log ? 0 : 1;
        auto column = [&](int x, int yb, int yh, int yl) {
            Shade(band, x, yb, yh, firstK, plot.top, plot.bottom);
            Shade(band, x, yb, yl, firstK, plot.top, plot.bottom);
        };
        for (int i = 1; i < n; ++i) {
            const auto a = static_cast<std::size_t>(i - 1), b = static_cast<std::size_t>(i);
            if (!cBest.y[b] || !cHigh.y[b] || !cLow.y[b]) continue;
            column(xs[b], *cBest.y[b], *cHigh.y[b], *cLow.y[b]);
            if (!cBest.y[a] || !cHigh.y[a] || !cLow.y[a]) continue;
            const int dx = xs[b] - xs[a];
            for (int j = 1; j < dx; ++j) {
                auto at = [&](const Curve& cv) {
                    return Rnd(*cv.y[a] + j * (double(*cv.y[b]) - *cv.y[a]) / dx);
                };
                column(xs[a] + j, at(cBest), at(cHigh), at(cLow));
            }
        }
        const Rect keep{plot.left, plot.top, plot.right + 1, plot.bottom + 1};
        std::erase_if(band, [&](const Pixel& p) { return !keep.contains({p.x, p.y}); });
        if (!band.empty()) c.setPixels(band);
        c.setPen({PenStyle::Solid, 2, {128, 128, 128}});
        DrawCurve(c, xs, cBest);
    } else {
        c.setPen({PenStyle::Dash, 1, kBlack});
        DrawCurve(c, xs, cHigh);
        DrawCurve(c, xs, cLow);
        c.setPen({PenStyle::Solid, 3, kBlack});
        DrawCurve(c, xs, cBest);
    }
    c.restore();

    // Axes and frame.
    c.setPen(platform::kBlackPen);
    scale->DrawTicks(c, plot, mmX);
    DrawTimeAxis(c, plot, ticks, pxPerHour, ctx, mmY, eHi.cy);
    DrawPlotFrame(c, plot);
    c.restore();
}

}  // namespace

CDrawGraph::CDrawGraph(Canvas& canvas, const model::SGraphData& record, const GraphContext& ctx, Rect rect)
    : canvas_(canvas), record_(record), ctx_(ctx), rect_(rect), title_(GraphTitle(record)) {}

void CDrawGraph::Draw() { DrawLineGraph(canvas_, record_, ctx_, rect_, title_, false, false); }

void CDrawGraph::ShadeBand(std::vector<Pixel>& out, int x, int yCurve, int yEdge) {
    Shade(out, x, yCurve, yEdge, 1);
}

CDrawGraphLog::CDrawGraphLog(Canvas& canvas, const model::SGraphData& record, const GraphContext& ctx, Rect rect,
                             bool topAtLeastOne)
    : canvas_(canvas), record_(record), ctx_(ctx), rect_(rect), topAtLeastOne_(topAtLeastOne),
      title_(GraphTitle(record)) {}

void CDrawGraphLog::Draw() { DrawLineGraph(canvas_, record_, ctx_, rect_, title_, true, topAtLeastOne_); }

void CDrawGraphLog::ShadeBand(std::vector<Pixel>& out, int x, int yCurve, int yEdge) {
    Shade(out, x, yCurve, yEdge, 0);
}

}  // namespace output

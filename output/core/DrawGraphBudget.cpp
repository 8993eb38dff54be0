#include "output/core/DrawGraphBudget.h"

#include <algorithm>
#include <cmath>

#include "output/core/DrawGraph.h"
#include "platform/NumText.h"

namespace output {

using platform::Brush;
using platform::BrushStyle;
using platform::Canvas;
using platform::HAlign;
using platform::Hatch;
using platform::Point;
using platform::Rect;
using platform::Rgb;
using platform::VAlign;

const char* const kBudgetFateNames[kFates] = {"Remaining", "Burned", "Skimmed", "Beached", "Dispersed", "Evaporated"};

namespace {

constexpr int kSeriesOf[kFates] = {model::BUDGET_REMAINING, model::BUDGET_BURNED,    model::BUDGET_SKIMMED,
                                   model::BUDGET_BEACHED,   model::BUDGET_DISPERSED, model::BUDGET_EVAPORATED};
constexpr Rgb kScreenColours[kFates] = {{127, 127, 127}, {127, 0, 0},   {127, 0, 127},
                                        {127, 127, 0},   {0, 127, 0},   {0, 0, 127}};
constexpr Hatch kPrinterHatches[kFates] = {Hatch::DiagCross, Hatch::Vertical,  Hatch::Horizontal,
                                           Hatch::Cross,     Hatch::FDiagonal, Hatch::BDiagonal};

bool Named(const model::SBudgetData& rec, int series) { return rec.names[series][0] != '\0'; }

}  // namespace

CDrawGraphBudget::CDrawGraphBudget(Canvas& canvas, const model::SBudgetData& record, const GraphContext& ctx,
                                   Rect rect)
    : canvas_(canvas), record_(record), ctx_(ctx), rect_(rect), title_(GraphTitle(record)) {}

void CDrawGraphBudget::OnEraseBkgnd(Canvas& canvas) { canvas.fillRect(canvas.clipBox(), platform::kWhiteBrush); }

void CDrawGraphBudget::Draw() {
    canvas_.save();
    if (PrepareDevice()) {
        axis_ = ComputeBudgetAxis(record_.maxValue, record_.minValue, plot_.height(), mmY_);
        plot_.bottom = plot_.top + axis_.plotHeight;
        ticks_ = ChooseTimeTicks(hours_, ctx_.LocalHour(0).tm_hour, plot_.width(), mmX_);
        plot_.right = plot_.left + ticks_.width;
        pxPerHour_ = steps_ < 3 ? static_cast<double>(plot_.width()) * stepsPerHour_
                                : static_cast<double>(plot_.width()) * stepsPerHour_ / steps_;
        ComputeFractions();
        DrawAreas();
        DrawFrame();
        DrawAxes();
    }
    canvas_.restore();
}

bool CDrawGraphBudget::PrepareDevice() {
    Canvas& c = canvas_;
    if (c.isPrinting()) {
        const platform::Size page = c.deviceSize();
        rect_ = {c.ppiX(), c.ppiY(), page.cx - c.ppiX(), page.cy - c.ppiY()};
        for (int f = 0; f < kFates; ++f) brushes_[f] = {BrushStyle::Hatched, {0, 0, 0}, kPrinterHatches[f]};
    } else {
        OnEraseBkgnd(c);
        for (int f = 0; f < kFates; ++f) brushes_[f] = {BrushStyle::Solid, kScreenColours[f], Hatch::Horizontal};
    }
    c.setFont(GraphFont(c.ppiY()));
    c.setTextColour({0, 0, 0});
    c.setTextBackground({255, 255, 255}, true);
    c.textInRect(rect_, FitText(c, title_, rect_.width()), HAlign::Centre, false);
    steps_ = std::min({ctx_.nSteps, record_.count, model::SERIES_LENGTH});
    if (!Named(record_, model::BUDGET_REMAINING) || steps_ <= 0) {
        c.textInRect(rect_, "N/A", HAlign::Centre, true);
        return false;
    }
    stepsPerHour_ = std::max(ctx_.stepsPerHour, 1);
    hours_ = RunHours(ctx_.nSteps, stepsPerHour_);
    mmX_ = platform::mmPixels(c.ppiX());
    mmY_ = platform::mmPixels(c.ppiY());

    int rightMargin = 5 * mmX_;
    if (rect_.width() >= 150 && rect_.height() >= 150) {
        const platform::Size legend = c.textExtent("Evaporated");
        rightMargin += legend.cx + legend.cy;
    }
    const std::string probe = document::FieldText(record_.units, sizeof record_.units) == "fraction"
                                  ? std::string("0.8")
                                  : platform::Format("%.3g", record_.maxValue);
    const platform::Size label = c.textExtent(probe);
    plot_ = {rect_.left + label.cx + 5 * mmX_, rect_.top + label.cy + 2 * mmY_, rect_.right - rightMargin,
             rect_.bottom - 2 * label.cy - 3 * mmY_};
    if (plot_.width() < 2 || plot_.height() < 2) return false;
    c.setPen(platform::kNullPen);
    c.setBrush(platform::kWhiteBrush);
    c.rectangle(plot_);
    return true;
}

std::array<double, kFates> CDrawGraphBudget::Fractions(int i) const {
    std::array<double, kFates> f{};
    const double total = record_.series[model::BUDGET_TOTAL][i];
    if (!(total > 0) || !std::isfinite(total)) return f;
    double sum = 0;
    for (int k = 0; k < kFates; ++k) {
        if (!Named(record_, kSeriesOf[k])) continue;
        const double v = record_.series[kSeriesOf[k]][i];
        const double x = v / total;
        f[k] = std::isfinite(x) ? std::clamp(x, 0.0, 1.0) : 0.0;
        sum += f[k];
    }
    if (sum > 1 + 1e-6) f.fill(0);
    return f;
}

void CDrawGraphBudget::ComputeFractions() {
    for (int k = 0; k < kFates; ++k) present_[k] = Named(record_, kSeriesOf[k]);
    fractions_.resize(static_cast<std::size_t>(steps_));
    for (int i = 0; i < steps_; ++i) fractions_[static_cast<std::size_t>(i)] = Fractions(i);
}

void CDrawGraphBudget::DrawAreas() {
    Canvas& c = canvas_;
    c.save();
    c.setClip({plot_.left, plot_.top, plot_.right + 1, plot_.bottom + 1});
    c.setPen(platform::kBlackPen);
    // In percent and fraction every step's stack is the whole; in an amount
    // unit it stands as high as its own total (the top follows a release).
    const std::string units = document::FieldText(record_.units, sizeof record_.units);
    const bool relative = units == "percent" || units == "fraction";
    auto stackHeight = [&](double amount) {
        // A hair over the product keeps a stack of the full total on the top
        // line whatever the rounding of the scale.
        const double h = axis_.pxPerUnit * amount + 1e-9;
        return std::isfinite(h) ? std::clamp(static_cast<int>(h), 0, plot_.height()) : 0;
    };
    const int fullHeight = stackHeight(record_.maxValue);

    // One column per step; a single step fills the whole width.
    std::vector<int> xs;
    std::vector<std::size_t> at;
    if (steps_ == 1) {
        xs = {plot_.left, plot_.right};
        at = {0, 0};
    } else {
        for (int i = 0; i < steps_; ++i) {
            xs.push_back(plot_.left + Rnd(static_cast<double>(i) * plot_.width() / (steps_ - 1)));
            at.push_back(static_cast<std::size_t>(i));
        }
    }
    const std::size_t cols = xs.size();
    // bounds[b][i]: b = 0 the top line, 1..5 the boundaries b1..b5.
    std::vector<std::array<int, kFates>> bounds(cols);
    for (std::size_t i = 0; i < cols; ++i) {
        const auto& f = fractions_[at[i]];
        // An empty column has every fraction 0 (see Fractions).
        const bool empty = std::all_of(f.begin(), f.end(), [](double x) { return x == 0; });
        const int height =
            empty ? 0 : relative ? fullHeight : stackHeight(record_.series[model::BUDGET_TOTAL][at[i]]);
        int y = plot_.bottom - height;
        bounds[i][0] = y;
        for (int k = 0; k < kFates - 1; ++k) {
            y += Rnd(height * f[k]);
            bounds[i][k + 1] = y;
        }
    }
    const int top = plot_.bottom - fullHeight;
    const bool flatTop = std::all_of(bounds.begin(), bounds.end(), [&](const auto& b) { return b[0] == top; });
    std::vector<Point> poly;
    // Remaining: from b1 back along the top line.
    for (std::size_t i = 0; i < cols; ++i) poly.push_back({xs[i], bounds[i][1]});
    if (flatTop) {
        poly.push_back({xs.back(), top});
        poly.push_back({plot_.left, top});
    } else {
        for (std::size_t i = cols; i-- > 0;) poly.push_back({xs[i], bounds[i][0]});
    }
    c.setBrush(brushes_[FateRemaining]);
    c.polygon(poly);
    // Burned to Dispersed: each between its boundary and the one above.
    for (int k = FateBurned; k <= FateDispersed; ++k) {
        poly.clear();
        for (std::size_t i = 0; i < cols; ++i) poly.push_back({xs[i], bounds[i][k + 1]});
        for (std::size_t i = cols; i-- > 0;) poly.push_back({xs[i], bounds[i][k]});
        c.setBrush(brushes_[k]);
        c.polygon(poly);
    }
    // Evaporated: from b5 down to the time axis.
    poly.clear();
    for (std::size_t i = 0; i < cols; ++i) poly.push_back({xs[i], bounds[i][kFates - 1]});
    poly.push_back({xs.back(), plot_.bottom});
    poly.push_back({plot_.left, plot_.bottom});
    c.setBrush(brushes_[FateEvaporated]);
    c.polygon(poly);
    c.restore();
    DrawLegend();
}

void CDrawGraphBudget::DrawLegend() {
    if (!(rect_.width() > 150 && rect_.height() > 150)) return;
    Canvas& c = canvas_;
    c.setPen(platform::kBlackPen);
    const int side = c.textExtent("Remaining").cy;
    Rect box{plot_.right + 2 * mmX_, plot_.top + mmY_, 0, 0};
    box.right = box.left + side;
    box.bottom = box.top + side;
    for (int k = 0; k < kFates; ++k) {
        if (k != FateRemaining) {
            if (!present_[k]) continue;
            box.top += side * 3 / 2;
            box.bottom += side * 3 / 2;
        }
        c.setBrush(brushes_[k]);
        c.rectangle(box);
        c.text({box.right + mmX_, box.bottom}, kBudgetFateNames[k], HAlign::Left, VAlign::Baseline);
    }
}

void CDrawGraphBudget::DrawFrame() {
    canvas_.setPen(platform::kBlackPen);
    DrawPlotFrame(canvas_, plot_);
}

void CDrawGraphBudget::DrawAxes() {
    Canvas& c = canvas_;
    c.setPen(platform::kBlackPen);
    // The value axis measures its tick lengths in vertical millimetres.
    DrawValueTicks(c, plot_, axis_.intervals, axis_.tickPx, mmY_, 0, axis_.step);
    DrawTimeAxis(c, plot_, ticks_, pxPerHour_, ctx_, mmY_, -1);
}

}  // namespace output

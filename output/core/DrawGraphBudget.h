// The oil budget graph engine: six stacked bands (Remaining on top,
// Evaporated along the time axis) at the height of the largest total, each
// step split by its fractions, with a legend; solid colours on the screen,
// black hatches on a printer.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/Series.h"
#include "output/core/GraphAxes.h"
#include "output/core/GraphContext.h"
#include "platform/Canvas.h"

namespace output {

// The fates in stacking order from the top.
enum BudgetFate : int { FateRemaining = 0, FateBurned, FateSkimmed, FateBeached, FateDispersed, FateEvaporated, kFates };

class CDrawGraphBudget {
public:
    CDrawGraphBudget(platform::Canvas& canvas, const model::SBudgetData& record, const GraphContext& ctx,
                     platform::Rect rect);
    void Draw();
    const std::string& Title() const { return title_; }

    // Fills the clip box white.
    void OnEraseBkgnd(platform::Canvas& canvas);

    // Fraction of each fate at step i, clamped to 0..1; all 0 for an empty
    // column (a total not above 0, or fractions summing above 1).
    std::array<double, kFates> Fractions(int i) const;

private:
    bool PrepareDevice();
    void ComputeFractions();
    void DrawAreas();
    void DrawLegend();
    void DrawFrame();
    void DrawAxes();

    platform::Canvas& canvas_;
    const model::SBudgetData& record_;
    GraphContext ctx_;
    platform::Rect rect_;
    std::string title_;

    std::array<bool, kFates> present_{};
    std::vector<std::array<double, kFates>> fractions_;
    std::array<platform::Brush, kFates> brushes_{};
    int mmX_ = 0, mmY_ = 0;
    int steps_ = 0;
    int hours_ = 1;
    int stepsPerHour_ = 1;
    double pxPerHour_ = 0;
    BudgetAxis axis_;
    TimeTicks ticks_;
    platform::Rect plot_;
};

// The fate names of the legend, in stacking order.
extern const char* const kBudgetFateNames[kFates];

}  // namespace output

// The axes of the graphs as pure functions of their inputs, and the time
// axis that the three graph engines share.
#pragma once

#include <string>
#include <vector>

#include "output/core/GraphContext.h"
#include "platform/Canvas.h"

namespace output {

// floor(v + 0.5): the rounding to a whole pixel (saturating at +-1e9, NaN
// counting as the low end).
int Rnd(double v);

// Linear value axis: D bands of C pixels, each worth S, the bottom line
// standing for A; the bands never reach above the plot. ok is false when
// no step could be found (a flat range).
struct LinearAxis {
    bool ok = false;
    int bands = 1;        // D
    int bandPx = 0;       // C
    double step = 0;      // S
    double bottom = 0;    // A
};
LinearAxis ComputeLinearAxis(double min, double max, int plotHeight, int mmY);

// Base-10 value axis from the positive data range: grid lines at
// 10^(loExp + k * decadesPerBand) for k = 0..bands, gridPx apart, so the
// labels always sit on the scale. The bottom decade is never more than 12
// decades under the top. ok is false without a positive range.
struct LogAxis {
    bool ok = false;
    int loExp = 0;
    int hiExp = 1;
    int bands = 1;
    int decadesPerBand = 1;
    int gridPx = 0;
    double pxPerDecade = 0;
    double Lo() const;
    double Hi() const;
    double Label(int k) const;  // value of grid line k
};
LogAxis ComputeLogAxis(double minPositive, double maxPositive, int plotHeight, bool topAtLeastOne);

// Stacked budget value axis: n intervals of s up to top t, each tickPx
// high; the plot is plotHeight = n * tickPx high.
struct BudgetAxis {
    int intervals = 1;
    double step = 1;
    double top = 1;
    int tickPx = 0;
    int plotHeight = 0;
    double pxPerUnit = 0;
};
BudgetAxis ComputeBudgetAxis(double maxValue, double minValue, int plotHeight, int mmY);

// Time axis: offset o of the first labelled hour, K hours per major tick,
// m minor intervals, the narrowed plot width and the labelled hours.
struct TimeTicks {
    int hours = 1;
    int offset = 0;
    int major = 1;
    int minor = 4;
    int width = 0;
    std::vector<int> labelled;
};
TimeTicks ChooseTimeTicks(int hours, int spillHour, int plotWidth, int mmX);

// Whole hours of a run (steps per hour below 1 taken as 1; at least 1).
int RunHours(int nSteps, int stepsPerHour);

// The labels under a time tick: clock hour "HH00" and date "Mon DD".
std::string HourLabel(const GraphContext& ctx, int h);
std::string DateLabel(const GraphContext& ctx, int h);

// Draws the value ticks up the plot's left edge: a major tick and its
// label (bottom + k * step) every bandPx for k = 0..bands, and four minor
// ticks a fifth of a band apart above each, none at or over the plot's top.
// mm: the millimetre the tick lengths are measured in; format: the printf
// format of a label.
void DrawValueTicks(platform::Canvas& canvas, const platform::Rect& plot, int bands, int bandPx, int mm,
                    double bottom, double step, const char* format = "%.6g");

// The plot's frame as one closed polyline in the current pen.
void DrawPlotFrame(platform::Canvas& canvas, const platform::Rect& plot);

// Draws the time axis ticks and labels under the plot: hour labels at
// bottom + 2 mm, dates at bottom + dateOffset + 2 mm (a negative dateOffset:
// the height of each date text).
void DrawTimeAxis(platform::Canvas& canvas, const platform::Rect& plot, const TimeTicks& ticks,
                  double pxPerHour, const GraphContext& ctx, int mmY, int dateOffset);

}  // namespace output

// The small graph of the dialogs that draw their own result (the leaking
// tank's levels and release, the smoke plume): a white box under a centred
// title, a grid of round steps, curves as polylines, an optional band
// across the box, value and time axes with major and minor ticks, or "N/A"
// when the data cannot be drawn. One style serves the screen, another
// paper; the drawing is the same.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace output {

// A round grid step for a range over about n intervals, and the number of
// intervals of that step that cover the range. At least one interval; a
// range that is 0, negative or not a number counts as 1.
struct GridStep {
    double step = 1;
    int intervals = 1;
};
GridStep NiceGridStep(double range, int n);

// One curve: the points (x[i], y[i]) for i below the shorter of the two.
struct SmallCurve {
    std::span<const double> x;
    std::span<const double> y;
    platform::Pen pen;
};

// A band across the whole box between two values, filled before the curves.
struct SmallBand {
    double from = 0;
    double to = 0;
    platform::Brush brush;
};

// The small graphs' grid colours on screen and on paper (the printed
// palette's blue).
inline constexpr platform::Rgb kSmallGraphScreenGrid{200, 200, 255};
inline constexpr platform::Rgb kSmallGraphPaperGrid{0, 159, 255};

enum class SmallGraphMedium { Screen, Paper };

// Texts (title, labels) are drawn transparent over the graph, on the
// screen as on paper.
struct SmallGraphStyle {
    platform::Font font;
    platform::Rgb textColour{0, 0, 0};
    platform::Pen gridPen;
    int gridMm = 12;                   // the least grid spacing aimed at
    const char* valueFormat = "%.0f";  // labels up the value axis
    // Labels that would read the same in valueFormat (a step of 0.2 in
    // "%.0f") get the decimals of the step instead.
    bool widenDecimals = false;
    const char* timeFormat = "%.0f";   // labels along the time axis
};

// The style every small graph starts from: the graphs' font at the
// canvas's resolution, black text, the medium's grid and the given grid
// spacing, whole-number labels.
SmallGraphStyle SmallGraphStyleFor(const platform::Canvas& canvas, SmallGraphMedium medium, int gridMm);

struct SmallGraph {
    std::string title;
    double minValue = 0;  // the value axis
    double maxValue = 0;
    double xOrigin = 0;   // the first time label and where points start
    double xRange = 0;    // the time axis's extent from xOrigin
    std::vector<SmallCurve> curves;
    std::optional<SmallBand> band;
    // The data's own check passed (a record that says it has no points).
    bool recordOk = true;
};

// Can be drawn: the record's check passed, every curve has a point, the
// value range is finite and not upside down, and no curve starts at a
// negative (missing) time or value.
bool SmallGraphDrawable(const SmallGraph& graph);

// Where a drawn graph went: the box and its grid, for callers that add to
// it (a caption under the time axis).
struct SmallGraphLayout {
    bool drawn = false;  // false: "N/A" was drawn
    platform::Rect box;  // the plot box after the grid has shortened it
    GridStep x, y;
    int xSpacing = 0, ySpacing = 0;  // pixels between grid lines
    int textHeight = 0;
};

// Draws the graph in area: the title, the white box, then either "N/A" or
// the grid, the band, the curves, the axes and the frame.
SmallGraphLayout DrawSmallGraph(platform::Canvas& canvas, const platform::Rect& area, const SmallGraph& graph,
                                const SmallGraphStyle& style);

}  // namespace output

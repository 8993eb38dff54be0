// The smoke plume's graph: the height above the water surface of the
// level-of-concern contour against the downwind distance, for a neutral and
// a stable atmosphere, on the screen or on paper; and the printed page
// (summary, legend and graph).
#pragma once

#include <functional>
#include <string_view>

#include "model/SmokePlume.h"
#include "output/core/SmallGraph.h"
#include "platform/Canvas.h"
#include "ui/inputs/rules/SmokePlumeRules.h"

namespace ui {

inline constexpr const char* kPlumePrintTitle = "Smoke Plume";
inline constexpr const char* kPlumeDistanceCaption = "Downwind distance (m)";
inline constexpr const char* kPlumeScreenHeightCaption = "Height above water surface (m)";
inline constexpr const char* kPlumePaperHeightCaption = "Height Above Water Surface";
inline constexpr const char* kPlumeNeutralLegend = "Neutral Stability";
inline constexpr const char* kPlumeStableLegend = "Stable Stability";
inline constexpr platform::Rgb kPlumeNeutralColour{255, 0, 0};
inline constexpr platform::Rgb kPlumeStableColour{210, 180, 140};

using PlumeMedium = output::SmallGraphMedium;

// Draws the plume record in area: the title "Smoke plume (assumes long
// duration burn)", then "N/A" when a series starts at a negative value, or
// the grid, the two contours, the axes and the distance caption.
output::SmallGraphLayout DrawPlumeGraph(platform::Canvas& canvas, const platform::Rect& area,
                                        const model::SPlumeGraphData& plume, PlumeMedium medium);

// The page's header and footer, drawn by the printing layout.
struct PlumePageFrame {
    std::function<void(platform::Canvas&, std::string_view title)> header;
    std::function<void(platform::Canvas&)> footer;
};

// The graph's rectangle on paper: one inch in from each side, under the
// summary block and the legend.
platform::Rect PlumePaperArea(platform::Canvas& canvas);

// The one printed page: header "Smoke Plume", the summary block, the height
// caption and the dashed (neutral) and solid (stable) legend, the graph.
void PrintPlumePage(platform::Canvas& canvas, const PlumeSummary& summary, const model::SPlumeGraphData& plume,
                    const PlumePageFrame& frame);

}  // namespace ui

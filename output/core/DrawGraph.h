// The line graph engines: a best-estimate curve over model time with its
// low/high band, on a linear (CDrawGraph) or base-10 (CDrawGraphLog) value
// axis. Built over a canvas, a filled series record, the run's context and
// a rectangle; Draw lays out and draws the whole graph from the device's
// resolution, so the same call serves the window and the printed page.
#pragma once

#include <string>
#include <vector>

#include "model/Series.h"
#include "output/core/GraphContext.h"
#include "platform/Canvas.h"

namespace output {

class CDrawGraph {
public:
    CDrawGraph(platform::Canvas& canvas, const model::SGraphData& record, const GraphContext& ctx,
               platform::Rect rect);
    void Draw();
    const std::string& Title() const { return title_; }

    // One pixel column of the band from the curve towards the band edge,
    // fading from dark grey to nearly white; neither end pixel is set.
    static void ShadeBand(std::vector<platform::Pixel>& out, int x, int yCurve, int yEdge);

private:
    platform::Canvas& canvas_;
    const model::SGraphData& record_;
    GraphContext ctx_;
    platform::Rect rect_;
    std::string title_;
};

class CDrawGraphLog {
public:
    // topAtLeastOne: the axis reaches at least 1 (the benzene graph).
    CDrawGraphLog(platform::Canvas& canvas, const model::SGraphData& record, const GraphContext& ctx,
                  platform::Rect rect, bool topAtLeastOne = false);
    void Draw();
    const std::string& Title() const { return title_; }

    // As CDrawGraph::ShadeBand, the curve pixel itself included.
    static void ShadeBand(std::vector<platform::Pixel>& out, int x, int yCurve, int yEdge);

private:
    platform::Canvas& canvas_;
    const model::SGraphData& record_;
    GraphContext ctx_;
    platform::Rect rect_;
    bool topAtLeastOne_;
    std::string title_;
};

// The graph's title: the record's title, then " (", its units and ")".
std::string GraphTitle(const model::SSeriesHead& record);
// The text as it fits a width in the canvas's font: whole, or cut at a
// character and ended by an ellipsis ("…" alone when nothing more fits).
std::string FitText(platform::Canvas& canvas, const std::string& text, int width);
// The 9-point text font of the graphs at a vertical resolution.
platform::Font GraphFont(int ppiY);

}  // namespace output

// The last step of the leaking-tank wizard without its window: the total
// and duration texts, the graph of the levels inside the tank and the graph
// of the oil released, laid out on the page or on paper, and the two-page
// printout. The series come from the model's last tank computation and are
// built for each drawing.
#pragma once

#include <string>

#include "document/SpillDoc.h"
#include "model/Series.h"
#include "output/core/SmallGraph.h"
#include "platform/Canvas.h"

namespace ui {

inline constexpr const char* kTankResultIntro = "The following tank release has been created.";
inline constexpr const char* kTankPrintTitle = "Leaking Tank";
inline constexpr const char* kTankScreenTimeCaption = "Time in Minutes";
inline constexpr const char* kTankPaperTimeCaption = "Time in minutes";
inline constexpr const char* kTankLegendOil = " Oil";
inline constexpr const char* kTankLegendWater = " Water";
inline constexpr const char* kTankLegendHole = " Hole";

// The swatch colours of the legend on the page.
inline constexpr platform::Rgb kTankOilColour{0, 0, 255};
inline constexpr platform::Rgb kTankWaterColour{0, 255, 0};
inline constexpr platform::Rgb kTankHoleColour{255, 0, 0};

// "Total release from tank = %.0f m3".
std::string TankTotalText(double cubicMetres);
// "Duration of release = %.0f " with hours (from 7200 s), minutes (from
// 120 s) or seconds, then " (approx.)".
std::string TankDurationText(double seconds);

using TankMedium = output::SmallGraphMedium;

// Where the two graphs go on the page, from the page's controls (client
// coordinates): between the text frame and the time caption, the levels
// from the page's left edge to the legend swatches, the release as wide
// and 5 mm in from the right edge.
struct TankPageControls {
    platform::Rect textFrame;
    platform::Rect caption;
    platform::Rect swatch;
    int pageLeft = 0;
    int pageRight = 0;
};
struct TankAreas {
    platform::Rect level;
    platform::Rect release;
};
TankAreas TankScreenAreas(const TankPageControls& controls, int mmX, int mmY);

// The one area both graphs take on a printed page (inside one-inch
// margins, under the text block).
platform::Rect TankPaperArea(platform::Canvas& canvas);

// The graphs of a record.
void DrawTankLevelGraph(platform::Canvas& canvas, const platform::Rect& area, const model::STankLevelData& record,
                        TankMedium medium);
void DrawTankReleaseGraph(platform::Canvas& canvas, const platform::Rect& area, const model::SGraphData& record,
                          TankMedium medium);

class TankResultPage {
public:
    explicit TankResultPage(document::SpillDocCore& doc) : doc_(doc) {}

    std::string TotalText() const;
    std::string DurationText() const;

    // The graphs from the model's last computation: levels in the tank's
    // length unit, the release in releaseUnit (kTankReleaseUnits index).
    void DrawLevel(platform::Canvas& canvas, const platform::Rect& area, TankMedium medium) const;
    void DrawRelease(platform::Canvas& canvas, const platform::Rect& area, int releaseUnit, TankMedium medium) const;

    // The printout: page 1 the texts and the release graph, page 2 the
    // legend and the level graph, each under the header "Leaking Tank" and
    // over the footer. A print job: it ends page 1 and starts page 2.
    void Print(platform::Canvas& canvas, int releaseUnit) const;

private:
    document::SpillDocCore& doc_;
};

}  // namespace ui

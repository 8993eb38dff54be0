// What the oil budget table and the ICS table write alike: fixed-width cells
// that end in a tab, amounts with thousands commas, the decimals rule, the
// scenario header lines, table times counted in whole hours from the spill,
// and drawing the text through the canvas.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "document/Scenario.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/Files.h"

namespace output {

// ---- Cells: each ends in a tab; the text is cut to the width ----
std::string RightCell(std::string_view text, int width);
std::string LeftCell(std::string_view text, int width);
// (width - length) / 2 spaces, the text, spaces up to the width.
std::string CentreCell(std::string_view text, int width);

// ---- Numbers ----
inline constexpr const char* kNotAvailable = "N/A";

// -999 marks a value the model could not give; a value that is not a
// finite number counts as missing as well.
bool IsMissing(double value);

// "%.*f" with decimals > 0; with 0 decimals "%.0f" with a comma between
// groups of three digits counted from the right (never after the sign).
std::string NumberText(double value, int decimals);

// Decimals of every amount of a table, from its last total: 2 below 10,
// 1 below 100, else 0. A total of 0 or below, or missing, gives 2.
int DecimalsFor(double lastTotal);

// ---- Times ----
// a + b, held at the int64 limits instead of overflowing (a scenario file
// can hold any time at all).
std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b);

// The spill time's whole hour and the local times whole hours after it.
class SpillHours {
public:
    SpillHours(document::Time spill, const platform::IClock& clock);
    // Local time of the spill itself (minutes kept).
    const std::tm& SpillLocal() const { return spillLocal_; }
    // Local time of the spill's whole hour plus hours.
    std::tm After(std::int64_t hours) const;

private:
    const platform::IClock* clock_;
    document::Time base_;
    std::tm spillLocal_{};
};

// ---- Header ----
// The scenario fields both table headers show.
struct TableHeader {
    std::string oilName, api, pourPoint;  // raw bytes as the library holds them
    bool variableWinds = false;
    double windSpeed = -999;
    int windSpeedUnit = 0;   // 0 mph, 1 knots, 2 m/s
    int waveChooser = 0;     // 1 from wind and fetch, 2 given, else from winds
    double waveHeight = -999;
    int waveHeightUnit = 0;  // 0 meters, 1 feet
    double waterTemperature = -999;
    int waterTempUnits = 0;  // 1 F, 2 C
    std::tm spillLocal{};
};

TableHeader ReadTableHeader(const document::Scenario& scenario, const platform::IClock& clock);

// "Wind Speed = ..." and "Wave Height = ..." on one line, without its end.
std::string WindWaveText(const TableHeader& header);

// The five lines both headers open with: oil name, API and pour point,
// wind and waves, water temperature, time of the initial release.
std::string HeaderOpening(const TableHeader& header);

// The line that closes both headers (67 dashes).
inline constexpr const char* kHeaderRule = "-------------------------------------------------------------------\n";

// ---- Output ----
using platform::WithLineEnds;

// What a fixed-pitch text window shows for text: each tab becomes the
// spaces up to the next stop every `stop` columns (a column is one UTF-8
// character), so the columns line up whatever tab stops the window keeps.
// sourceAt[i] is the character index in text of the character shown at
// character index i; it has one entry more than shown has characters, so
// that a selection's end maps too.
struct ExpandedText {
    std::string shown;
    std::vector<std::size_t> sourceAt;
};
ExpandedText ExpandTabs(std::string_view text, int stop);

// Draws the header and then the table, line by line, tabs expanded to one
// stop every 20 pixels counted from x = 0; an empty line takes one font
// height. Returns the widest line and the summed heights.
platform::Size DrawTableText(platform::Canvas& canvas, std::string_view header, std::string_view table,
                             platform::Point origin);

}  // namespace output

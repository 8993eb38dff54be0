// The scenario summary: the entered inputs as short lines of text, section
// by section. The scenario tree shows them as its items and the printout
// prints them as its bulleted summary; the two differ in a few places,
// carried by the flavour.
#pragma once

#include <string>
#include <vector>

namespace document {

class SpillDocCore;

enum class SummaryFlavour {
    // The scenario tree: every permanent section is there, an empty one as
    // one empty item; emulsification is a section of its own; run values
    // are shown while SolvedTree is raised.
    Tree,
    // The printout: only sections with content; emulsification is a level-1
    // heading under the oil; run values while SolvedPrint is set and the
    // results are not stale.
    Print,
};

enum class SummaryStyle {
    Heading,  // a section (depth 0)
    Bold,     // a sub-heading: a release kind, an operation, an uncertainty
    Plain,    // a line of data
};

struct SummaryLine {
    int depth = 0;  // 0 the section; a line belongs to the last line above it one level up
    SummaryStyle style = SummaryStyle::Plain;
    std::string text;      // 8-bit bytes, as the scenario holds them
    bool expanded = false;  // tree: the item is shown open
};
using SummaryLines = std::vector<SummaryLine>;

// The section names, which are also the root items of the tree.
inline constexpr const char* kOilSection = "Oil Type";
inline constexpr const char* kEmulsificationSection = "Emulsification";
inline constexpr const char* kWindSection = "Wind and Wave Conditions";
inline constexpr const char* kWaterSection = "Water Properties";
inline constexpr const char* kReleaseSection = "Release Information";
inline constexpr const char* kDispersantSection = "Dispersant Operations";
inline constexpr const char* kBurnSection = "In-Situ Burn Operations";
inline constexpr const char* kMechanicalSection = "Mechanical Cleanup Operations";
inline constexpr const char* kBeachedSection = "Beached Oil";

// Unit names of the summary texts, by list position (0-based). Out of range
// gives "".
enum class UnitList { Volume, Rate, Duration, Area, Thickness, Speed, WaveHeight, Fetch, Temperature };
const char* UnitName(UnitList list, int index);
// The same by a 1-based unit code of the model's records.
const char* UnitNameFromCode(UnitList list, int code);

// One function per section. An empty result means the section has nothing
// to show (the tree then removes an optional section; the printout skips
// it). The first line of a non-empty result is the section's heading,
// except in the printout where a section may start at a level-1 heading
// (the release uncertainty without a release).
SummaryLines OilSummary(const SpillDocCore& doc, SummaryFlavour flavour);
// Tree: the "Emulsification" section. Print: the level-1 heading and its
// line that OilSummary already holds.
SummaryLines EmulsificationSummary(const SpillDocCore& doc, SummaryFlavour flavour);
SummaryLines WindSummary(const SpillDocCore& doc, SummaryFlavour flavour);
SummaryLines WaterSummary(const SpillDocCore& doc, SummaryFlavour flavour);
SummaryLines ReleaseSummary(const SpillDocCore& doc, SummaryFlavour flavour);
SummaryLines DispersantSummary(const SpillDocCore& doc, SummaryFlavour flavour);
SummaryLines BurnSummary(const SpillDocCore& doc, SummaryFlavour flavour);
SummaryLines MechanicalSummary(const SpillDocCore& doc, SummaryFlavour flavour);
SummaryLines BeachedSummary(const SpillDocCore& doc, SummaryFlavour flavour);

// The printed summary: oil (with its emulsification), wind and waves,
// water, release, dispersant, in-situ burn, mechanical clean-up, beached oil.
// Heading and Bold lines print as headings of level `depth`, Plain lines as
// body lines indented `depth` steps.
SummaryLines PrintSummary(const SpillDocCore& doc);

}  // namespace document

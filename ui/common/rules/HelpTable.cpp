#include "ui/common/rules/HelpTable.h"

namespace ui {

namespace {

using enum HelpDialog;

constexpr HelpRow kRows[] = {
    {ContainedRelease, "Help on Contained Release", "contained_release", "contained", ""},
    {Emulsification, "Help on Emulsification", "emulsification", "emulsification", ""},
    {Release, "Help on Release", "release", "release", ""},
    {StandardOils, "Help on Standard Oils", "standard_oils", "oil", ""},
    {WindUncertainty, "Help on Wind Uncertainty", "wind_uncertainty", "uncertainty", ""},
    {AdvancedBurnOptions, "Help on Advanced Option", "advanced_burn_options", "", ""},
    {ContinuousRelease, "Help on Continuous Release Dialog", "continuous_release", "continuous", ""},
    {CustomOils, "Help on Custom Oil Dialog", "custom_oils", "oil", "Adding"},
    {Dispersant, "Help on Dispersant Use", "dispersant", "dispersants", ""},
    {InSituBurn, "Help on In-Situ Burn", "in_situ_burn", "in-situ_burning", ""},
    {InstantaneousRelease, "Help on Instantaneous Release", "instantaneous_release", "instantaneous", ""},
    {LeakingTankGraphs, "Help on Leaking Tank", "leaking_tank_graphs", "leakingtank", ""},
    {Mechanical, "Help on Mechanical Cleanup", "mechanical", "mechanical", ""},
    {Beaching, "Help on Beaching", "beaching", "beaching", ""},
    {OilInfo, "Help on Standard Oil Info Dialog", "oil_info", "oilinfo", ""},
    {EditOil, "Help on Edit Oil", "edit_oil", "oilinfo", ""},
    {ReleaseUncertainty, "Help on Release Uncertainty", "release_uncertainty", "uncertainty", ""},
    {SmokePlumeInput, "Help on Smoke Plume Input", "smoke_plume_input", "in-situ_burning", "GraphSmokePlume"},
    {SmokePlumeGraph, "Help on Smoke Plume Graph", "smoke_plume_graph", "in-situ_burning", "GraphSmokePlume"},
    {Fetch, "Help on Fetch", "fetch", "", ""},
    {Water, "Help on Water Properties", "water", "water_properties", ""},
    {WindWave, "Help on Wind and Waves", "wind_waves", "windwave", ""},
    {LeakingTankInputs, "Help on Leaking Tank", "leaking_tank_inputs", "leakingtank", ""},
};

}  // namespace

std::span<const HelpRow> HelpRows() { return kRows; }

const HelpRow& HelpRowFor(HelpDialog dialog) {
    for (const HelpRow& r : kRows)
        if (r.dialog == dialog) return r;
    return kRows[0];
}

}  // namespace ui

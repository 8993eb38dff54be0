// The help dialogs of the program: for each, its caption, the short help
// it shows (a fragment of the help book, brief/<fragment>.html) and the
// page and anchor of the book that "Read more" opens.
#pragma once

#include <cstddef>
#include <span>

#include "platform/Help.h"

namespace ui {

enum class HelpDialog {
    // Help of a dialog with its own fixed help.
    ContainedRelease,
    Emulsification,
    Release,
    StandardOils,
    WindUncertainty,
    // Help opened by the other dialogs.
    AdvancedBurnOptions,
    ContinuousRelease,
    CustomOils,
    Dispersant,
    InSituBurn,
    InstantaneousRelease,
    LeakingTankGraphs,
    Mechanical,
    Beaching,
    OilInfo,
    EditOil,
    ReleaseUncertainty,
    SmokePlumeInput,
    SmokePlumeGraph,
    Fetch,
    Water,
    WindWave,
    LeakingTankInputs,
};

struct HelpRow {
    HelpDialog dialog;
    const char* caption;
    const char* fragment;  // base name of brief/<fragment>.html
    const char* page;      // base name of <page>.html; empty: the book's contents
    const char* anchor;    // named place on the page, or empty
};

// Every row, in the order of HelpDialog.
std::span<const HelpRow> HelpRows();
const HelpRow& HelpRowFor(HelpDialog dialog);

// The book's project file, in the help folder.
using platform::kHelpBookFile;

}  // namespace ui

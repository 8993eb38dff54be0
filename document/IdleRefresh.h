// The refresh that runs whenever the program is idle, on the current
// scenario, in a fixed order: first the output windows (an input change
// closes them), then the scenario tree (which clears the change flags),
// then the form.
#pragma once

#include "document/FormState.h"
#include "document/Interfaces.h"
#include "document/SpillDoc.h"

namespace document {

struct IdleResult {
    bool outputsClosed = false;  // the input-change refresh acted
    bool formChanged = false;    // the form must be shown again
};

// tree may be null (no tree pane): then the change flags ChangedRelease ..
// SolvedTree are cleared here, so that the next pass does not close what
// Solve opened.
IdleResult RunIdleRefresh(SpillDocCore& doc, FormState& form, ITreeRefresh* tree);

}  // namespace document

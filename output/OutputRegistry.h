// The output windows, by kind, and the printouts: the graph and table code
// registers a factory per output kind and the whole-scenario printout at
// start-up; each workspace's output area builds its windows through them.
#pragma once

#include <functional>

#include <wx/window.h>

#include "document/Interfaces.h"

class wxPrintout;

namespace output {

// Builds the window of one output kind inside a workspace's output area.
using OutputWindowFactory = std::function<wxWindow*(wxWindow* parent, document::SpillDocCore& doc)>;
// Registers (or, with an empty factory, removes) the window of a kind.
void RegisterOutputWindow(document::OutputKind kind, OutputWindowFactory factory);
// The registered factory, or an empty one.
OutputWindowFactory FindOutputWindow(document::OutputKind kind);

// An output window that prints itself (the tables) implements this too.
class IPrintableOutput {
public:
    virtual ~IPrintableOutput() = default;
    virtual wxPrintout* CreatePrintout() = 0;
};

// The whole-scenario printout (summary and open graphs), set by the
// printing code; until then a scenario has no printout (an empty factory).
using ScenarioPrintoutFactory = std::function<wxPrintout*(document::SpillDocCore& doc)>;
void SetScenarioPrintout(ScenarioPrintoutFactory factory);
const ScenarioPrintoutFactory& ScenarioPrintout();

}  // namespace output

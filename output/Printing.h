// The printouts of the program's windows: the whole scenario, set as the
// workspaces' printout at start-up, and the pager a printable window makes.
#pragma once

#include <wx/prntbase.h>

#include "platform/PrintJob.h"

namespace output {

// The job title every printout carries.
inline constexpr const char* kPrintJobTitle = "TAVRO2";

// A printout of a job under the program's job title.
wxPrintout* MakePrintout(platform::PrintJob job);

// Sets the whole-scenario printout (summary and open graphs) as the one
// File > Print uses when the active window does not print itself.
void RegisterScenarioPrintout();

}  // namespace output

// The one place that puts the program together: every output window,
// printout and dialog the program offers registers here, for the program's
// entry point and the GUI tests alike.
#pragma once

namespace app {

void RegisterProgramParts();

}  // namespace app

// Where the leaking-tank wizard plugs into the Release dialog. Until a
// wizard is set, the dialog's leaking-tank Setup button is disabled.
#pragma once

#include <functional>

#include "document/SpillDoc.h"

class wxWindow;

namespace ui {

// Runs the leaking-tank wizard modally over parent. True when the user
// finished it; it has then stored its input and TankTime and set
// doc.scenario.tank.flag to 1, like the other release set-up dialogs.
// False (cancelled) leaves the scenario as it was. After a true, the
// Release dialog checks its leaking-tank box and clears a contained
// release; its OK gives the tank its start hour from TankTime.
using TankSetupFunction = std::function<bool(wxWindow* parent, document::SpillDocCore& doc)>;

// Sets the wizard (an empty function removes it). Call it at start-up,
// e.g. from RegisterInputDialogs().
void SetTankSetup(TankSetupFunction run);

// The wizard set, or an empty function.
const TankSetupFunction& TankSetup();

}  // namespace ui

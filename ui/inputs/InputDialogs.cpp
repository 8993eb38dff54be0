#include "ui/inputs/InputDialogs.h"

#include "ui/common/DialogRegistry.h"
#include "ui/inputs/LeakingTankSheet.h"
#include "ui/inputs/OperationSheets.h"
#include "ui/inputs/ReleaseDialog.h"
#include "ui/inputs/TankSetup.h"
#include "ui/inputs/WeatherDialogs.h"

namespace ui {

void RegisterInputDialogs() {
    // Release, with its set-up dialogs and the release uncertainty.
    ui::RegisterDialog(document::DialogKind::Release, RunReleaseDialog);

    // Wind and waves, water, emulsification, beaching.
    RegisterWeatherDialogs();

    // The response operations: dispersant, in-situ burn, mechanical clean-up.
    RegisterOperationDialogs();

    // The leaking-tank wizard behind the Release dialog's Setup button.
    SetTankSetup(RunTankWizard);
}

}  // namespace ui

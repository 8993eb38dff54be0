#include "ui/inputs/InputDialogs.h"

#include "ui/common/DialogRegistry.h"
#include "ui/inputs/ReleaseDialog.h"

namespace ui {

void RegisterInputDialogs() {
    // Release, with its set-up dialogs and the release uncertainty.
    ui::RegisterDialog(document::DialogKind::Release, RunReleaseDialog);
}

}  // namespace ui

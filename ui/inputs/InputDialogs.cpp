#include "ui/inputs/InputDialogs.h"

#include "ui/common/DialogRegistry.h"
#include "ui/inputs/OperationSheets.h"

namespace ui {

void RegisterInputDialogs() {
    // The response operations: dispersant, in-situ burn, mechanical clean-up.
    RegisterOperationDialogs();
}

}  // namespace ui

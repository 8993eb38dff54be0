#include "ui/inputs/InputDialogs.h"

#include "ui/common/DialogRegistry.h"

namespace ui {

void RegisterInputDialogs() {
}

}  // namespace ui

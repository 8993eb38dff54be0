#include "ui/inputs/TankSetup.h"

namespace ui {

namespace {
TankSetupFunction& Slot() {
    static TankSetupFunction slot;
    return slot;
}
}  // namespace

void SetTankSetup(TankSetupFunction run) { Slot() = std::move(run); }

const TankSetupFunction& TankSetup() { return Slot(); }

}  // namespace ui

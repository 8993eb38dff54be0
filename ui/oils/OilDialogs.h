// The oil dialogs' entries in the program's dialog registry.
#pragma once

namespace ui {

// Registers the Standard Oils dialog for the Standard Oils command.
void RegisterOilDialogs();

}  // namespace ui

// The input dialogs' entries in the program's dialog registry: release,
// weather, water and the response operations.
#pragma once

namespace ui {

// Registers every input dialog built so far for its command.
void RegisterInputDialogs();

}  // namespace ui

// The oil dialogs' entries in the program's dialog registry.
#pragma once

#include <optional>

#include "document/SpillDoc.h"
#include "oillib/MyFileReader.h"

class wxWindow;

namespace ui {

// Registers the Standard Oils and Custom Oils dialogs for their commands.
void RegisterOilDialogs();

// Runs the Standard Oils dialog to pick a standard oil without changing the
// scenario (the custom oils dialog copies the pick into its library): the
// oil's offset, and the standard library's current record is that oil; none
// when cancelled.
std::optional<oillib::FileOffset> PickStandardOil(wxWindow* parent, document::SpillDocCore& doc);

}  // namespace ui

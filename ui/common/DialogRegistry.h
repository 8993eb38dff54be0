// The input dialogs, by kind. The dialog code registers a function per
// kind at start-up; the program's dialog runner looks them up, and a
// command whose dialog is not registered is disabled.
#pragma once

#include <functional>

#include <wx/window.h>

#include "document/Interfaces.h"

namespace ui {

// Runs the dialog modally on the document; true when it ended with OK.
using DialogFunction = std::function<bool(wxWindow* parent, document::SpillDocCore& doc)>;

// Registers (or, with an empty function, removes) the dialog of a kind.
void RegisterDialog(document::DialogKind kind, DialogFunction run);
bool HasDialog(document::DialogKind kind);
// The registered function, or an empty one.
DialogFunction FindDialog(document::DialogKind kind);

// Puts a dialog in place for as long as it lives, then gives the kind
// back to what was registered before (a test's stand-in dialog).
class ScopedDialog {
public:
    ScopedDialog(document::DialogKind kind, DialogFunction run);
    ~ScopedDialog();
    ScopedDialog(const ScopedDialog&) = delete;
    ScopedDialog& operator=(const ScopedDialog&) = delete;

private:
    document::DialogKind kind_;
    DialogFunction previous_;
};

}  // namespace ui

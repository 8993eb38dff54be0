// Runs the registered input dialogs (ui/common/DialogRegistry.h) for the
// document's commands, modal over the main frame.
#pragma once

#include <wx/window.h>

#include "document/Interfaces.h"

namespace app {

class WxDialogRunner final : public document::IDialogRunner {
public:
    // parent: the window the dialogs are modal over (the main frame); null
    // takes the application's top window.
    explicit WxDialogRunner(wxWindow* parent = nullptr) : parent_(parent) {}
    void SetParent(wxWindow* parent) { parent_ = parent; }
    bool Run(document::DialogKind kind, document::SpillDocCore& doc) override;

private:
    wxWindow* parent_;
};

}  // namespace app

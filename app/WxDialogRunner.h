// The input dialogs, by kind. The dialog code registers a function per
// kind; a command whose dialog is not registered is disabled.
#pragma once

#include <functional>

#include <wx/window.h>

#include "document/Interfaces.h"

namespace app {

// Runs the dialog modally on the document; true when it ended with OK.
using DialogFunction = std::function<bool(wxWindow* parent, document::SpillDocCore& doc)>;

void RegisterDialog(document::DialogKind kind, DialogFunction run);
bool HasDialog(document::DialogKind kind);

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

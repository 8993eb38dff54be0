#include "app/WxDialogRunner.h"

#include <map>

#include <wx/app.h>

namespace app {

namespace {
std::map<document::DialogKind, DialogFunction>& Registry() {
    static std::map<document::DialogKind, DialogFunction> registry;
    return registry;
}
}  // namespace

void RegisterDialog(document::DialogKind kind, DialogFunction run) { Registry()[kind] = std::move(run); }

bool HasDialog(document::DialogKind kind) {
    auto it = Registry().find(kind);
    return it != Registry().end() && it->second;
}

bool WxDialogRunner::Run(document::DialogKind kind, document::SpillDocCore& doc) {
    auto it = Registry().find(kind);
    if (it == Registry().end() || !it->second) return false;
    wxWindow* parent = parent_ ? parent_ : (wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
    return it->second(parent, doc);
}

}  // namespace app

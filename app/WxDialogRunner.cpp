#include "app/WxDialogRunner.h"

#include <wx/app.h>

#include "ui/common/DialogRegistry.h"

namespace app {

bool WxDialogRunner::Run(document::DialogKind kind, document::SpillDocCore& doc) {
    const ui::DialogFunction run = ui::FindDialog(kind);
    if (!run) return false;
    wxWindow* parent = parent_ ? parent_ : (wxTheApp ? wxTheApp->GetTopWindow() : nullptr);
    return run(parent, doc);
}

}  // namespace app

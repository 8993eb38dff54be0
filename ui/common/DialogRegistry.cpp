#include "ui/common/DialogRegistry.h"

#include <map>

namespace ui {

namespace {
std::map<document::DialogKind, DialogFunction>& Registry() {
    static std::map<document::DialogKind, DialogFunction> registry;
    return registry;
}
}  // namespace

void RegisterDialog(document::DialogKind kind, DialogFunction run) {
    if (run)
        Registry()[kind] = std::move(run);
    else
        Registry().erase(kind);
}

bool HasDialog(document::DialogKind kind) { return static_cast<bool>(FindDialog(kind)); }

DialogFunction FindDialog(document::DialogKind kind) {
    auto it = Registry().find(kind);
    return it == Registry().end() ? DialogFunction{} : it->second;
}

ScopedDialog::ScopedDialog(document::DialogKind kind, DialogFunction run) : kind_(kind), previous_(FindDialog(kind)) {
    RegisterDialog(kind, std::move(run));
}

ScopedDialog::~ScopedDialog() { RegisterDialog(kind_, std::move(previous_)); }

}  // namespace ui

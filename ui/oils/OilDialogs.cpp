#include "ui/oils/OilDialogs.h"

#include "ui/common/DialogRegistry.h"
#include "ui/oils/CustomOilsDialog.h"
#include "ui/oils/OilsDialog.h"

namespace ui {

void RegisterOilDialogs() {
    ui::RegisterDialog(document::DialogKind::StandardOils, [](wxWindow* parent, document::SpillDocCore& doc) {
        COilsDialog dialog(parent, doc);
        return dialog.ShowModal() == wxID_OK;
    });
    ui::RegisterDialog(document::DialogKind::CustomOils, [](wxWindow* parent, document::SpillDocCore& doc) {
        CCustomOilsDialog dialog(parent, doc);
        return dialog.Open() && dialog.ShowModal() == wxID_OK;
    });
}

std::optional<oillib::FileOffset> PickStandardOil(wxWindow* parent, document::SpillDocCore& doc) {
    COilsDialog dialog(parent, doc, StandardOilsRules::Mode::Pick);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.Rules().Chosen();
}

}  // namespace ui

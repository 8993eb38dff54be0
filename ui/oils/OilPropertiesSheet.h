// The read-only "Oil/Product Properties" sheet: a header band with the
// library version and the oil's name above four pages of texts, "Done" and
// Help.
#pragma once

#include "ui/common/RulesSheetDialog.h"
#include "ui/oils/rules/OilInfoTexts.h"

namespace ui {

class COilPropertiesSheet final : public RulesSheetDialog {
public:
    COilPropertiesSheet(wxWindow* parent, const OilInfoTexts& texts);

    static constexpr const char* kPageTitles[4] = {"General Info", "Properties", "Distillation", "More Properties"};

private:
    ReadOnlyPage pages_[4];
};

}  // namespace ui

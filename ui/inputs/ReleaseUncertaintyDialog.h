// The "Release Uncertainty" dialog: an optional uncertainty of the total
// amount spilled, in percent.
#pragma once

#include <wx/textctrl.h>

#include "document/SpillDoc.h"
#include "ui/common/RulesDialog.h"
#include "ui/inputs/rules/ReleaseUncertaintyRules.h"

namespace ui {

class CReleaseUncertaintyDialog final : public RulesDialog {
public:
    CReleaseUncertaintyDialog(wxWindow* parent, document::SpillDocCore& doc);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;
    const ReleaseUncertaintyForm& Form() const { return form_; }

    wxTextCtrl* Percent() const { return percent_; }

private:
    ReleaseUncertaintyRules rules_;
    ReleaseUncertaintyForm form_;
    wxTextCtrl* percent_ = nullptr;
};

}  // namespace ui

// The "Release Uncertainty" dialog: an optional uncertainty of the total
// amount spilled, in percent.
#pragma once

#include <wx/textctrl.h>

#include "document/SpillDoc.h"
#include "ui/inputs/FormDialog.h"
#include "ui/inputs/rules/ReleaseUncertaintyRules.h"

namespace ui {

class CReleaseUncertaintyDialog final : public FormDialog<ReleaseUncertaintyRules, ReleaseUncertaintyForm> {
public:
    CReleaseUncertaintyDialog(wxWindow* parent, document::SpillDocCore& doc);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    wxTextCtrl* Percent() const { return percent_; }

private:
    wxTextCtrl* percent_ = nullptr;
};

}  // namespace ui

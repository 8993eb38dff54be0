// The "Release" dialog: the scenario's kinds of release, each with its
// set-up dialog, and the release uncertainty.
#pragma once

#include <array>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>

#include "document/SpillDoc.h"
#include "ui/common/RulesDialog.h"
#include "ui/inputs/rules/ReleaseRules.h"

namespace ui {

// The set-up dialogs as the Release dialog runs them, modal over parent.
// The leaking-tank set-up is the wizard set with SetTankSetup, if any.
class WxReleaseSetup final : public IReleaseSetup {
public:
    explicit WxReleaseSetup(wxWindow* parent) : parent_(parent) {}
    bool Run(ReleaseKind kind, document::SpillDocCore& doc) override;
    bool Available(ReleaseKind kind) const override;
    bool RunUncertainty(document::SpillDocCore& doc) override;

private:
    wxWindow* parent_;
};

class CReleaseDialog final : public RulesDialog {
public:
    CReleaseDialog(wxWindow* parent, document::SpillDocCore& doc);

    // Any end but OK (Cancel, Escape, the close box) puts the scenario back
    // as it was when the dialog opened.
    void EndModal(int code) override;

    ReleaseRules& Rules() { return rules_; }
    wxCheckBox* Box(ReleaseKind kind) const { return row(kind).box; }
    wxButton* SetupButton(ReleaseKind kind) const { return row(kind).setup; }
    wxStaticText* Description(ReleaseKind kind) const { return row(kind).description; }

private:
    struct Row {
        wxCheckBox* box = nullptr;
        wxButton* setup = nullptr;
        wxStaticText* description = nullptr;
    };
    const Row& row(ReleaseKind kind) const { return rows_[static_cast<std::size_t>(kind)]; }
    // The boxes and descriptions from the rules.
    void Refresh();

    WxReleaseSetup setup_;
    ReleaseRules rules_;
    std::array<Row, 4> rows_;
};

// Runs the Release dialog on the document; true when it ended with OK.
bool RunReleaseDialog(wxWindow* parent, document::SpillDocCore& doc);

}  // namespace ui

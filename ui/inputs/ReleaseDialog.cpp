#include "ui/inputs/ReleaseDialog.h"

#include <wx/sizer.h>
#include <wx/statline.h>

#include "ui/inputs/ReleaseSetupDialogs.h"
#include "ui/inputs/ReleaseUncertaintyDialog.h"
#include "ui/inputs/TankSetup.h"

namespace ui {

namespace {

constexpr int ID_UNCERTAINTY = 1134;

struct KindControls {
    ReleaseKind kind;
    const char* label;
    // The Setup... button's mnemonic and its name for a screen reader
    // (shown as its tooltip): the four buttons read alike.
    const char* setupLabel;
    const char* setupName;
    int box, setup, description;  // control ids
};
// The mnemonics are unique in the dialog with its OK, Cancel, Help and
// Uncertainty buttons (the toolkit's own "_OK", "_Cancel" and "_Help").
constexpr std::array<KindControls, 4> kKinds{{
    {ReleaseKind::Instantaneous, "&Instantaneous Release", "&Setup...", "Set up the instantaneous release", 1000,
     1003, 1067},
    {ReleaseKind::Continuous, "Co&ntinuous Release", "S&etup...", "Set up the continuous release", 1001, 1004, 1068},
    {ReleaseKind::Tank, "&Leaking Tank", "Se&tup...", "Set up the leaking tank", 1002, 1005, 1070},
    {ReleaseKind::Contained, "Contained &Release", "Setu&p...", "Set up the contained release", 1166, 1146, 1064},
}};

// The longest description a release may have, for the width of their
// column.
constexpr const char* kWidestDescription = "500000.0 metric tons into 100000 sq. meters on September 30, 2300 hours";

template <class Dialog>
bool RunModal(wxWindow* parent, document::SpillDocCore& doc) {
    Dialog dialog(parent, doc);
    return dialog.ShowModal() == wxID_OK;
}

}  // namespace

bool WxReleaseSetup::Run(ReleaseKind kind, document::SpillDocCore& doc) {
    switch (kind) {
        case ReleaseKind::Instantaneous: return RunModal<CInstantaneousDialog>(parent_, doc);
        case ReleaseKind::Continuous: return RunModal<CContinuousDialog>(parent_, doc);
        case ReleaseKind::Contained: return RunModal<CContainedDialog>(parent_, doc);
        case ReleaseKind::Tank: break;
    }
    const TankSetupFunction& wizard = TankSetup();
    return wizard && wizard(parent_, doc);
}

bool WxReleaseSetup::Available(ReleaseKind kind) const {
    return kind != ReleaseKind::Tank || static_cast<bool>(TankSetup());
}

bool WxReleaseSetup::RunUncertainty(document::SpillDocCore& doc) {
    return RunModal<CReleaseUncertaintyDialog>(parent_, doc);
}

CReleaseDialog::CReleaseDialog(wxWindow* parent, document::SpillDocCore& doc)
    : RulesDialog(parent, kReleaseCaption, doc.Messages(), HelpDialog::Release), setup_(this), rules_(doc, setup_) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* prompt = new wxStaticText(this, wxID_ANY, kReleasePrompt);
    const int width = GetTextExtent(kWidestDescription).GetWidth() + FromDIP(120);
    prompt->Wrap(width);
    top->Add(prompt, 0, wxALL, 10);

    for (const KindControls& k : kKinds) {
        if (k.kind == ReleaseKind::Contained) {
            // The contained release is used alone.
            auto* line = new wxBoxSizer(wxHORIZONTAL);
            line->Add(new wxStaticLine(this), 1, wxALIGN_CENTER_VERTICAL);
            line->Add(new wxStaticText(this, wxID_ANY, "or"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 8);
            line->Add(new wxStaticLine(this), 1, wxALIGN_CENTER_VERTICAL);
            top->Add(line, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
        }
        Row& r = rows_[static_cast<std::size_t>(k.kind)];
        r.box = new wxCheckBox(this, k.box, k.label);
        r.setup = new wxButton(this, k.setup, k.setupLabel);
        r.setup->SetName(k.setupName);
        r.description = new wxStaticText(this, k.description, wxEmptyString);
        r.description->SetMinSize(wxSize(GetTextExtent(kWidestDescription).GetWidth(), -1));
        auto* head = new wxBoxSizer(wxHORIZONTAL);
        // The box is as wide as its label: a click on the blank row beside
        // it neither clears nor sets up a release.
        head->Add(r.box, 0, wxALIGN_CENTER_VERTICAL);
        head->AddStretchSpacer();
        head->Add(r.setup, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
        top->Add(head, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
        top->Add(r.description, 0, wxLEFT | wxRIGHT, 34);

        const ReleaseKind kind = k.kind;
        r.box->Bind(wxEVT_CHECKBOX, [this, kind](wxCommandEvent&) {
            rules_.BoxClicked(kind);
            Refresh();
        });
        r.setup->Bind(wxEVT_BUTTON, [this, kind](wxCommandEvent&) {
            rules_.Setup(kind);
            Refresh();
        });
        r.setup->Enable(rules_.SetupEnabled(kind));
        r.setup->SetToolTip(rules_.SetupEnabled(kind) ? k.setupName : kTankSetupMissingTip);
    }

    auto* extra = new wxBoxSizer(wxHORIZONTAL);
    auto* uncertainty = new wxButton(this, ID_UNCERTAINTY, "&Uncertainty..");
    uncertainty->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { rules_.Uncertainty(); });
    extra->Add(uncertainty);
    top->Add(MakeButtonRow("OK", extra), 0, wxEXPAND | wxALL, 10);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            const CheckResult result = rules_.Ok();
            Refresh();
            if (ShowResult(result)) EndModal(wxID_OK);
        },
        wxID_OK);

    rules_.Load();
    Refresh();
    SetSizerAndFit(top);
    CentreOnParent();
    rows_[0].box->SetFocus();
}

void CReleaseDialog::Refresh() {
    for (const KindControls& k : kKinds) {
        const Row& r = row(k.kind);
        r.box->SetValue(rules_.Checked(k.kind));
        r.description->SetLabelText(rules_.Description(k.kind));
    }
    Layout();
}

void CReleaseDialog::EndModal(int code) {
    if (code != wxID_OK) rules_.Cancel();
    RulesDialog::EndModal(code);
}

bool RunReleaseDialog(wxWindow* parent, document::SpillDocCore& doc) { return RunModal<CReleaseDialog>(parent, doc); }

}  // namespace ui

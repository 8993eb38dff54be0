#include "ui/inputs/OperationSheets.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/common/DialogRegistry.h"
#include "ui/common/TimePickCtrls.h"
#include "ui/inputs/InputFields.h"
#include "ui/inputs/SmokePlumeDialog.h"

namespace ui {

namespace {

constexpr int kGap = 6;

}  // namespace

// ---- The common page ----

OperationPage::OperationPage(wxWindow* book, const wxString& useLabel, const wxString& timeGroup)
    : wxPanel(book) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    use_ = new wxCheckBox(this, wxID_ANY, useLabel);
    top->Add(use_, 0, wxALL, FromDIP(10));
    auto* timeBox = new wxStaticBoxSizer(wxVERTICAL, this, timeGroup);
    Dependent(timeBox->GetStaticBox());
    time_ = std::make_unique<TimePickCtrls>(timeBox->GetStaticBox(), false);
    Dependent(time_->Month());
    Dependent(time_->Day());
    Dependent(time_->Hour());
    timeBox->Add(time_->Sizer(), 0, wxALL, FromDIP(kGap));
    top->Add(timeBox, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    body_ = new wxBoxSizer(wxVERTICAL);
    top->Add(body_, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(10));
    // Wide enough for the five tabs side by side.
    top->SetMinSize(wxSize(FromDIP(500), -1));
    SetSizer(top);
}

OperationPage::~OperationPage() = default;

void OperationPage::ShowEnabled(bool used) {
    use_->SetValue(used);
    for (wxWindow* w : dependents_) w->Enable(used);
    OnEnabled(used);
}

// ---- Dispersant ----

CDispersantUsePage::CDispersantUsePage(wxWindow* book, document::SpillDocCore& doc, int spray)
    : OperationPage(book, "&Use this information", "Time of Dispersant Application"), rules_(doc, spray) {
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Effectiveness of Dispersant Application");
    wxWindow* p = Dependent(box->GetStaticBox());
    auto* grid = new wxFlexGridSizer(3, wxSize(FromDIP(kGap), FromDIP(kGap)));
    auto row = [&](const wxString& before, wxTextCtrl*& field, const wxString& after) {
        grid->Add(Dependent(new wxStaticText(p, wxID_ANY, before)), 0, wxALIGN_CENTER_VERTICAL);
        field = Dependent(NewField(p));
        grid->Add(field, 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(Dependent(new wxStaticText(p, wxID_ANY, after)), 0, wxALIGN_CENTER_VERTICAL);
    };
    row("Duration", duration_, "hours");
    row("Of the entire spill area,", sprayed_, "% was sprayed with dispersant.");
    row("Of this percentage sprayed,", dispersed_, "% was effectively dispersed.");
    box->Add(grid, 0, wxALL, FromDIP(kGap));
    auto* note = Dependent(new wxStaticText(p, wxID_ANY,
                                            "The first percent is of the slick's area (the part sprayed); the "
                                            "second is of the oil sprayed (the part dispersed into the water)."));
    note->Wrap(FromDIP(440));
    box->Add(note, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(kGap));
    Body()->Add(box, 0, wxEXPAND);
    UseBox()->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        rules_.ToggleUse();
        ShowEnabled(rules_.Used());
    });
}

DispersantPageForm CDispersantUsePage::Form() const {
    return {Time().Get(), TextOf(duration_), TextOf(sprayed_), TextOf(dispersed_)};
}

void CDispersantUsePage::Load() {
    const DispersantPageForm f = rules_.Load();
    Time().Set(f.start);
    ShowText(duration_, f.duration);
    ShowText(sprayed_, f.areaSprayed);
    ShowText(dispersed_, f.dispersed);
    ShowEnabled(rules_.Used());
}

CheckResult CDispersantUsePage::Leave() { return rules_.Leave(Form()); }

// ---- In-situ burn ----

CInSituBurnPage::CInSituBurnPage(wxWindow* book, document::SpillDocCore& doc, int burn)
    : OperationPage(book, "&Use this information", "Time of In-Situ Burn"), doc_(doc), burn_(burn), rules_(doc, burn) {
    auto* grid = new wxFlexGridSizer(3, wxSize(FromDIP(kGap), FromDIP(kGap)));
    grid->Add(Dependent(new wxStaticText(this, wxID_ANY, "Area of fire-boomed oil")), 0, wxALIGN_CENTER_VERTICAL);
    area_ = Dependent(NewField(this));
    grid->Add(area_, 0, wxALIGN_CENTER_VERTICAL);
    areaUnit_ = Dependent(NewChoice(this, kBurnAreaUnits));
    grid->Add(areaUnit_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Dependent(new wxStaticText(this, wxID_ANY, "Thickness of boomed oil (minimum = 2mm)")), 0,
              wxALIGN_CENTER_VERTICAL);
    thickness_ = Dependent(NewField(this));
    grid->Add(thickness_, 0, wxALIGN_CENTER_VERTICAL);
    thicknessUnit_ = Dependent(NewChoice(this, kBurnThicknessUnits));
    grid->Add(thicknessUnit_, 0, wxALIGN_CENTER_VERTICAL);
    Body()->Add(grid, 0, wxBOTTOM, FromDIP(12));
    auto* plumeRow = new wxBoxSizer(wxHORIZONTAL);
    plumeRow->Add(Dependent(new wxStaticText(this, wxID_ANY, "Graph the smoke plume for this burn operation:")), 0,
                  wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(kGap));
    plume_ = new wxButton(this, wxID_ANY, "Smoke &Plume");
    plumeRow->Add(plume_, 0, wxALIGN_CENTER_VERTICAL);
    Body()->Add(plumeRow, 0);
    UseBox()->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        rules_.ToggleUse();
        ShowEnabled(rules_.Used());
    });
    plume_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSmokePlume(); });
}

void CInSituBurnPage::OnEnabled(bool used) {
    plume_->Enable(used);
}

BurnPageForm CInSituBurnPage::Form() const {
    return {Time().Get(), TextOf(area_), SelectionOf(areaUnit_), TextOf(thickness_), SelectionOf(thicknessUnit_)};
}

void CInSituBurnPage::Load() {
    const BurnPageForm f = rules_.Load();
    Time().Set(f.start);
    ShowText(area_, f.area);
    areaUnit_->SetSelection(f.areaUnit);
    ShowText(thickness_, f.thickness);
    thicknessUnit_->SetSelection(f.thicknessUnit);
    ShowEnabled(rules_.Used());
}

CheckResult CInSituBurnPage::Leave() { return rules_.Leave(Form()); }

void CInSituBurnPage::Apply() { rules_.Apply(Form()); }

void CInSituBurnPage::OnSmokePlume() {
    // The plume is that of the burn as entered: the page's values first.
    if (!ShowCheck(rules_.PrepareSmokePlume(Form()), doc_.Messages())) return;
    RunSmokePlumeDialog(wxGetTopLevelParent(this), doc_, burn_);
}

// ---- Mechanical clean-up ----

CMechCleanupPage::CMechCleanupPage(wxWindow* book, document::SpillDocCore& doc, int operation)
    : OperationPage(book, "&Use this Information", "Time of Cleanup Operation"), rules_(doc, operation) {
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Rate or Amount Recovered");
    wxWindow* p = Dependent(box->GetStaticBox());
    auto* grid = new wxFlexGridSizer(3, wxSize(FromDIP(kGap), FromDIP(kGap)));
    grid->Add(Dependent(new wxStaticText(p, wxID_ANY, "Duration")), 0, wxALIGN_CENTER_VERTICAL);
    duration_ = Dependent(NewField(p));
    grid->Add(duration_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Dependent(new wxStaticText(p, wxID_ANY, "hours")), 0, wxALIGN_CENTER_VERTICAL);
    rateMode_ = Dependent(new wxRadioButton(p, wxID_ANY, "&Recovery Rate", wxDefaultPosition, wxDefaultSize, wxRB_GROUP));
    grid->Add(rateMode_, 0, wxALIGN_CENTER_VERTICAL);
    rate_ = NewField(p);
    grid->Add(rate_, 0, wxALIGN_CENTER_VERTICAL);
    rateUnit_ = NewChoice(p, kRecoveryRateUnits);
    grid->Add(rateUnit_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(Dependent(new wxStaticText(p, wxID_ANY, "- or -")), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, FromDIP(20));
    grid->AddSpacer(0);
    grid->AddSpacer(0);
    amountMode_ = Dependent(new wxRadioButton(p, wxID_ANY, "&Amount Recovered"));
    grid->Add(amountMode_, 0, wxALIGN_CENTER_VERTICAL);
    amount_ = NewField(p);
    grid->Add(amount_, 0, wxALIGN_CENTER_VERTICAL);
    amountUnit_ = NewChoice(p, kRecoveredAmountUnits);
    grid->Add(amountUnit_, 0, wxALIGN_CENTER_VERTICAL);
    box->Add(grid, 0, wxALL, FromDIP(kGap));
    auto* note = Dependent(new wxStaticText(p, wxID_ANY,
                                            "The rate or amount is of the emulsion recovered (oil and water); only "
                                            "its oil portion is removed from the floating oil."));
    note->Wrap(FromDIP(440));
    box->Add(note, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(kGap));
    Body()->Add(box, 0, wxEXPAND);
    UseBox()->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        rules_.ToggleUse();
        ShowEnabled(rules_.Used());
    });
    rateMode_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) {
        rules_.SetRateMode(true);
        ShowEnabled(rules_.Used());
    });
    amountMode_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) {
        rules_.SetRateMode(false);
        ShowEnabled(rules_.Used());
    });
}

void CMechCleanupPage::OnEnabled(bool used) {
    const bool rate = rules_.RateMode();
    rateMode_->SetValue(rate);
    amountMode_->SetValue(!rate);
    rate_->Enable(used && rate);
    rateUnit_->Enable(used && rate);
    amount_->Enable(used && !rate);
    amountUnit_->Enable(used && !rate);
}

CleanupPageForm CMechCleanupPage::Form() const {
    return {Time().Get(), TextOf(duration_), TextOf(rate_), SelectionOf(rateUnit_), TextOf(amount_), SelectionOf(amountUnit_)};
}

void CMechCleanupPage::Load() {
    const CleanupPageForm f = rules_.Load();
    Time().Set(f.start);
    ShowText(duration_, f.duration);
    ShowText(rate_, f.rate);
    rateUnit_->SetSelection(f.rateUnit);
    ShowText(amount_, f.amount);
    amountUnit_->SetSelection(f.amountUnit);
    ShowEnabled(rules_.Used());
}

CheckResult CMechCleanupPage::Leave() { return rules_.Leave(Form()); }

void CMechCleanupPage::Apply() { rules_.Apply(Form()); }

// ---- The sheets ----

OperationSheet::OperationSheet(wxWindow* parent, document::SpillDocCore& doc, const document::SheetTitles& titles,
                               HelpDialog help, const PageMaker& make, const ButtonMaker& extraButtons)
    : RulesSheetDialog(parent, titles.caption, doc.Messages(), help) {
    for (int i = 0; i < 5; ++i) {
        OperationPage* page = make(GetBookCtrl(), i);
        pages_.push_back(page);
        AddRulesPage(page, *page, titles.pages[i]);
    }
    SheetButtons buttons;
    if (extraButtons) buttons.extra = extraButtons(this);
    FinishSheet(buttons);
}

CDispersantUseSheet::CDispersantUseSheet(wxWindow* parent, document::SpillDocCore& doc)
    : OperationSheet(parent, doc, document::kDispersantSheet, HelpDialog::Dispersant,
                     [&doc](wxWindow* book, int i) { return new CDispersantUsePage(book, doc, i); }) {}

CInSituBurnSheet::CInSituBurnSheet(wxWindow* parent, document::SpillDocCore& doc)
    : OperationSheet(parent, doc, document::kInSituBurnSheet, HelpDialog::InSituBurn,
                     [&doc](wxWindow* book, int i) { return new CInSituBurnPage(book, doc, i); },
                     [](wxWindow* sheet) {
                         auto* row = new wxBoxSizer(wxHORIZONTAL);
                         row->Add(new wxButton(sheet, kAdvancedOptionsId, "&Advanced Options"));
                         return row;
                     }),
      doc_(doc) {
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnAdvancedOptions(); }, kAdvancedOptionsId);
}

void CInSituBurnSheet::OnAdvancedOptions() {
    CAdvancedBurnOptionsDialog dialog(this, doc_);
    dialog.ShowModal();
}

CMechCleanupSheet::CMechCleanupSheet(wxWindow* parent, document::SpillDocCore& doc)
    : OperationSheet(parent, doc, document::kMechanicalSheet, HelpDialog::Mechanical,
                     [&doc](wxWindow* book, int i) { return new CMechCleanupPage(book, doc, i); }) {}

// ---- Advanced burn options ----

CAdvancedBurnOptionsDialog::CAdvancedBurnOptionsDialog(wxWindow* parent, document::SpillDocCore& doc)
    : RulesDialog(parent, "Advanced Burning Options", doc.Messages(), HelpDialog::AdvancedBurnOptions), rules_(doc) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, "&Burn Regression Rate"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT,
             FromDIP(kGap));
    choice_ = NewChoice(this, kRegRateChoices);
    row->Add(choice_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, FromDIP(kGap));
    // The rate and its unit keep their room while hidden: the dialog keeps
    // its size and place whichever choice is made.
    rate_ = NewField(this);
    row->Add(rate_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT | wxRESERVE_SPACE_EVEN_IF_HIDDEN, FromDIP(kGap));
    unit_ = NewChoice(this, kRegRateUnits);
    row->Add(unit_, 0, wxALIGN_CENTER_VERTICAL | wxRESERVE_SPACE_EVEN_IF_HIDDEN);
    top->Add(row, 0, wxALL, FromDIP(12));
    auto* note = new wxStaticText(this, wxID_ANY,
                                  "The burn regression rate is the rate at which the burning oil's thickness "
                                  "decreases. It applies to every burn of the scenario.");
    note->Wrap(FromDIP(400));
    top->Add(note, 0, wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12));
    top->Add(MakeButtonRow("OK"), 0, wxEXPAND | wxALL, FromDIP(kGap));
    SetSizer(top);

    const AdvancedBurnForm f = rules_.Load();
    choice_->SetSelection(f.choice);
    ShowText(rate_, f.rate);
    unit_->SetSelection(f.unit);
    ShowRate();
    choice_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowRate(); });
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnOk(); }, wxID_OK);
    GetSizer()->SetSizeHints(this);
    Centre();
}

AdvancedBurnForm CAdvancedBurnOptionsDialog::Form() const { return {SelectionOf(choice_), TextOf(rate_), SelectionOf(unit_)}; }

void CAdvancedBurnOptionsDialog::ShowRate() {
    const bool shown = Form().RateShown();
    rate_->Show(shown);
    unit_->Show(shown);
    Layout();
}

void CAdvancedBurnOptionsDialog::OnOk() {
    if (ShowResult(rules_.Ok(Form()))) EndModal(wxID_OK);
}

// ---- Registration ----

void RegisterOperationDialogs() {
    RegisterDialog(document::DialogKind::Dispersant, [](wxWindow* parent, document::SpillDocCore& doc) {
        CDispersantUseSheet sheet(parent, doc);
        return sheet.ShowModal() == wxID_OK;
    });
    RegisterDialog(document::DialogKind::InSituBurn, [](wxWindow* parent, document::SpillDocCore& doc) {
        CInSituBurnSheet sheet(parent, doc);
        return sheet.ShowModal() == wxID_OK;
    });
    RegisterDialog(document::DialogKind::Mechanical, [](wxWindow* parent, document::SpillDocCore& doc) {
        CMechCleanupSheet sheet(parent, doc);
        return sheet.ShowModal() == wxID_OK;
    });
}

}  // namespace ui

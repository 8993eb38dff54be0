#include "ui/inputs/ReleaseSetupDialogs.h"

#include <algorithm>
#include <span>
#include <string>

#include <wx/sizer.h>
#include <wx/statbox.h>

#include "ui/inputs/rules/ReleaseUnits.h"

namespace ui {

namespace {

// Control ids of the dialogs.
constexpr int ID_AMOUNT = 1049;
constexpr int ID_VOLUME_UNITS = 1050;
constexpr int ID_DURATION = 1051;
constexpr int ID_DURATION_UNITS = 1052;
constexpr int ID_OPTION_AMOUNT = 1053;
constexpr int ID_OPTION_CONSTANT = 1054;
constexpr int ID_OPTION_CHANGING = 1055;
constexpr int ID_CHANGING_UNITS = 1074;
constexpr int ID_FINAL_RATE = 1137;
constexpr int ID_CONSTANT_UNITS = 1141;
constexpr int ID_AREA = 1167;
constexpr int ID_AREA_UNITS = 1168;

wxChoice* UnitList(wxWindow* parent, int id, std::span<const char* const> names) {
    auto* list = new wxChoice(parent, id);
    for (const char* name : names) list->Append(name);
    list->SetSelection(0);
    return list;
}

int Selected(const wxChoice* list) { return std::max(list->GetSelection(), 0); }

void Select(wxChoice* list, int index) {
    list->SetSelection(std::clamp(index, 0, static_cast<int>(list->GetCount()) - 1));
}

std::string TextOf(const wxTextCtrl* edit) { return edit->GetValue().utf8_string(); }

void SetText(wxTextCtrl* edit, const std::string& text) { edit->ChangeValue(wxString::FromUTF8(text)); }

wxTextCtrl* NumberEdit(wxWindow* parent, int id) {
    return new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, parent->FromDIP(wxSize(110, -1)));
}

// The "Time of Release" group with its three lists.
wxSizer* TimeGroup(wxWindow* dialog, std::unique_ptr<TimePickCtrls>& time) {
    auto* group = new wxStaticBoxSizer(wxVERTICAL, dialog, kTimeOfReleaseGroup);
    time = std::make_unique<TimePickCtrls>(group->GetStaticBox());
    group->Add(time->Sizer(), 0, wxALL, 6);
    return group;
}

// A row of a label, an edit and its unit list.
wxSizer* AmountRow(wxWindow* parent, const char* label, wxTextCtrl* edit, wxChoice* units) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 8);
    row->Add(edit, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    row->Add(units, 0, wxALIGN_CENTER_VERTICAL);
    return row;
}

}  // namespace

// ---- Instantaneous release ----

CInstantaneousDialog::CInstantaneousDialog(wxWindow* parent, document::SpillDocCore& doc)
    : RulesDialog(parent, kInstantaneousCaption, doc.Messages(), HelpDialog::InstantaneousRelease), rules_(doc) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(TimeGroup(this, time_), 0, wxEXPAND | wxALL, 10);
    amount_ = NumberEdit(this, ID_AMOUNT);
    units_ = UnitList(this, ID_VOLUME_UNITS, kVolumeUnitNames);
    top->Add(AmountRow(this, "Amount spilled", amount_, units_), 0, wxLEFT | wxRIGHT, 10);
    FinishLayout(top);
    BindOkCheck([this] { return rules_.Ok(form_); });

    form_ = rules_.Load();
    TransferDataToWindow();
    amount_->SetFocus();
}

bool CInstantaneousDialog::TransferDataToWindow() {
    time_->Set(form_.time);
    SetText(amount_, form_.amount);
    Select(units_, form_.unit);
    return true;
}

bool CInstantaneousDialog::TransferDataFromWindow() {
    form_.time = time_->Get();
    form_.amount = TextOf(amount_);
    form_.unit = Selected(units_);
    return true;
}

// ---- Continuous release ----

CContinuousDialog::CContinuousDialog(wxWindow* parent, document::SpillDocCore& doc)
    : RulesDialog(parent, kContinuousCaption, doc.Messages(), HelpDialog::ContinuousRelease), rules_(doc) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(TimeGroup(this, time_), 0, wxEXPAND | wxALL, 10);

    duration_ = NumberEdit(this, ID_DURATION);
    durationUnits_ = UnitList(this, ID_DURATION_UNITS, kDurationUnitNames);
    top->Add(AmountRow(this, "Duration of release", duration_, durationUnits_), 0, wxLEFT | wxRIGHT, 10);

    auto* group = new wxStaticBoxSizer(wxVERTICAL, this, wxEmptyString);
    wxWindow* box = group->GetStaticBox();
    auto* optionRow = new wxBoxSizer(wxHORIZONTAL);
    options_[SpilledAmount] = new wxRadioButton(box, ID_OPTION_AMOUNT, "&Amount Spilled", wxDefaultPosition,
                                                wxDefaultSize, wxRB_GROUP);
    options_[ConstantRate] = new wxRadioButton(box, ID_OPTION_CONSTANT, "Co&nstant Spill Rate");
    options_[ChangingRate] = new wxRadioButton(box, ID_OPTION_CHANGING, "Chan&ging Spill Rate");
    for (wxRadioButton* option : options_) {
        optionRow->Add(option, 0, wxRIGHT, 14);
        option->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { ShowOption(CheckedOption()); });
    }
    group->Add(optionRow, 0, wxALL, 6);

    // The value's row: its label, the edit and the option's unit list; the
    // final rate's row of the changing rate; the note of the option.
    auto* grid = new wxFlexGridSizer(3, wxSize(8, 6));
    valueLabel_ = new wxStaticText(box, wxID_ANY, "");
    value_ = NumberEdit(box, ID_AMOUNT);
    auto* units = new wxBoxSizer(wxHORIZONTAL);
    amountUnits_ = UnitList(box, ID_VOLUME_UNITS, kVolumeUnitNames);
    constantUnits_ = UnitList(box, ID_CONSTANT_UNITS, kRateUnitNames);
    changingUnits_ = UnitList(box, ID_CHANGING_UNITS, kRateUnitNames);
    for (wxChoice* list : {amountUnits_, constantUnits_, changingUnits_}) units->Add(list, 0, wxALIGN_CENTER_VERTICAL);
    finalLabel_ = new wxStaticText(box, wxID_ANY, kFinalRateLabel);
    finalRate_ = NumberEdit(box, ID_FINAL_RATE);
    changingNote_ = new wxStaticText(box, wxID_ANY, kChangingRateNote);
    // The label column is as wide as its widest text.
    int labelWidth = finalLabel_->GetBestSize().GetWidth();
    for (int option : {SpilledAmount, ConstantRate, ChangingRate})
        labelWidth = std::max(labelWidth, valueLabel_->GetTextExtent(ContinuousRowsFor(option).valueLabel).GetWidth());
    valueLabel_->SetMinSize(wxSize(labelWidth, -1));
    grid->Add(valueLabel_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(value_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(units, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(finalLabel_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(finalRate_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(changingNote_, 0, wxALIGN_CENTER_VERTICAL);
    group->Add(grid, 0, wxALL, 6);
    note_ = new wxStaticText(box, wxID_ANY, "");
    // As wide as the longest note, so that switching options keeps the size.
    int noteWidth = 0;
    for (int option : {SpilledAmount, ConstantRate})
        noteWidth = std::max(noteWidth, note_->GetTextExtent(ContinuousRowsFor(option).note).GetWidth());
    note_->SetMinSize(wxSize(noteWidth, -1));
    group->Add(note_, 0, wxLEFT | wxRIGHT | wxBOTTOM, 6);
    top->Add(group, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    // Sized for the option with the most rows, then shown with the form's.
    ShowOption(ChangingRate);
    FinishLayout(top);
    BindOkCheck([this] { return rules_.Ok(form_); });

    form_ = rules_.Load();
    TransferDataToWindow();
    ShowOption(form_.option);
    duration_->SetFocus();
}

int CContinuousDialog::CheckedOption() const {
    for (int option : {SpilledAmount, ConstantRate, ChangingRate})
        if (options_[option]->GetValue()) return option;
    return SpilledAmount;
}

void CContinuousDialog::ShowOption(int option) {
    const ContinuousRows rows = ContinuousRowsFor(option);
    options_[std::clamp(option, 0, 2)]->SetValue(true);
    valueLabel_->SetLabelText(rows.valueLabel);
    amountUnits_->Show(rows.amountUnits);
    constantUnits_->Show(rows.constantUnits);
    for (wxWindow* w : std::initializer_list<wxWindow*>{changingUnits_, finalLabel_, finalRate_, changingNote_})
        w->Show(rows.changingRows);
    note_->Show(rows.note != nullptr);
    note_->SetLabelText(rows.note ? rows.note : "");
    Layout();
}

bool CContinuousDialog::TransferDataToWindow() {
    time_->Set(form_.time);
    SetText(duration_, form_.duration);
    Select(durationUnits_, form_.durationUnits);
    options_[std::clamp(form_.option, 0, 2)]->SetValue(true);
    SetText(value_, form_.value);
    SetText(finalRate_, form_.finalRate);
    Select(amountUnits_, form_.amountUnits);
    Select(constantUnits_, form_.rateUnits1);
    Select(changingUnits_, form_.rateUnits2);
    return true;
}

bool CContinuousDialog::TransferDataFromWindow() {
    form_.time = time_->Get();
    form_.duration = TextOf(duration_);
    form_.durationUnits = Selected(durationUnits_);
    form_.option = CheckedOption();
    form_.value = TextOf(value_);
    form_.finalRate = TextOf(finalRate_);
    form_.amountUnits = Selected(amountUnits_);
    form_.rateUnits1 = Selected(constantUnits_);
    form_.rateUnits2 = Selected(changingUnits_);
    return true;
}

// ---- Contained release ----

CContainedDialog::CContainedDialog(wxWindow* parent, document::SpillDocCore& doc)
    : RulesDialog(parent, kContainedCaption, doc.Messages(), HelpDialog::ContainedRelease), rules_(doc) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(TimeGroup(this, time_), 0, wxEXPAND | wxALL, 10);
    auto* grid = new wxFlexGridSizer(3, wxSize(8, 6));
    amount_ = NumberEdit(this, ID_AMOUNT);
    volumeUnits_ = UnitList(this, ID_VOLUME_UNITS, kVolumeUnitNames);
    area_ = NumberEdit(this, ID_AREA);
    areaUnits_ = UnitList(this, ID_AREA_UNITS, kAreaUnitNames);
    grid->Add(new wxStaticText(this, wxID_ANY, "Amount spilled"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(amount_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(volumeUnits_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxStaticText(this, wxID_ANY, "Contained area"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(area_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(areaUnits_, 0, wxALIGN_CENTER_VERTICAL);
    top->Add(grid, 0, wxLEFT | wxRIGHT, 10);
    FinishLayout(top);
    BindOkCheck([this] { return rules_.Ok(form_); });

    form_ = rules_.Load();
    TransferDataToWindow();
    amount_->SetFocus();
}

bool CContainedDialog::TransferDataToWindow() {
    time_->Set(form_.time);
    SetText(amount_, form_.amount);
    Select(volumeUnits_, form_.volumeUnit);
    SetText(area_, form_.area);
    Select(areaUnits_, form_.areaUnit);
    return true;
}

bool CContainedDialog::TransferDataFromWindow() {
    form_.time = time_->Get();
    form_.amount = TextOf(amount_);
    form_.volumeUnit = Selected(volumeUnits_);
    form_.area = TextOf(area_);
    form_.areaUnit = Selected(areaUnits_);
    return true;
}

}  // namespace ui

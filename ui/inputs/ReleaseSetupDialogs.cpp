#include "ui/inputs/ReleaseSetupDialogs.h"

#include <algorithm>

#include <wx/sizer.h>
#include <wx/statbox.h>

#include "ui/inputs/InputFields.h"
#include "ui/inputs/rules/ReleaseUnits.h"

namespace ui {

namespace {

constexpr int kFieldWidth = 110;  // DIP

// The "Time of Release" group with its three lists.
wxSizer* TimeGroup(wxWindow* dialog, std::unique_ptr<TimePickCtrls>& time) {
    auto* group = new wxStaticBoxSizer(wxVERTICAL, dialog, kTimeOfReleaseGroup);
    time = std::make_unique<TimePickCtrls>(group->GetStaticBox());
    group->Add(time->Sizer(), 0, wxALL, 6);
    return group;
}

// Rows of a label, a field and its unit list.
void AddAmountRow(wxFlexGridSizer* grid, wxWindow* parent, const char* label, wxTextCtrl* field, wxChoice* units) {
    grid->Add(NewLabel(parent, label), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(field, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(units, 0, wxALIGN_CENTER_VERTICAL);
}

wxFlexGridSizer* AmountGrid() { return new wxFlexGridSizer(3, wxSize(8, 6)); }

}  // namespace

// ---- Instantaneous release ----

CInstantaneousDialog::CInstantaneousDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kInstantaneousCaption, doc, HelpDialog::InstantaneousRelease) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(TimeGroup(this, time_), 0, wxEXPAND | wxALL, 10);
    amount_ = NewField(this, kFieldWidth);
    units_ = NewChoice(this, kVolumeUnitNames);
    auto* grid = AmountGrid();
    AddAmountRow(grid, this, "Amount spilled", amount_, units_);
    top->Add(grid, 0, wxLEFT | wxRIGHT, 10);
    Finish(top);
    amount_->SetFocus();
}

bool CInstantaneousDialog::TransferDataToWindow() {
    time_->Set(form_.time);
    ShowText(amount_, form_.amount);
    ShowSelection(units_, form_.unit);
    return true;
}

bool CInstantaneousDialog::TransferDataFromWindow() {
    form_.time = time_->Get();
    form_.amount = TextOf(amount_);
    form_.unit = SelectionOf(units_);
    return true;
}

// ---- Continuous release ----

CContinuousDialog::CContinuousDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kContinuousCaption, doc, HelpDialog::ContinuousRelease) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(TimeGroup(this, time_), 0, wxEXPAND | wxALL, 10);

    duration_ = NewField(this, kFieldWidth);
    durationUnits_ = NewChoice(this, kDurationUnitNames);
    auto* durationRow = AmountGrid();
    AddAmountRow(durationRow, this, "Duration of release", duration_, durationUnits_);
    top->Add(durationRow, 0, wxLEFT | wxRIGHT, 10);

    auto* group = new wxStaticBoxSizer(wxVERTICAL, this, wxEmptyString);
    wxWindow* box = group->GetStaticBox();
    auto* optionRow = new wxBoxSizer(wxHORIZONTAL);
    options_[SpilledAmount] =
        new wxRadioButton(box, wxID_ANY, "&Amount Spilled", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    options_[ConstantRate] = new wxRadioButton(box, wxID_ANY, "Co&nstant Spill Rate");
    options_[ChangingRate] = new wxRadioButton(box, wxID_ANY, "Chan&ging Spill Rate");
    for (wxRadioButton* option : options_) {
        optionRow->Add(option, 0, wxRIGHT, 14);
        option->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { ShowOption(CheckedOption()); });
    }
    group->Add(optionRow, 0, wxALL, 6);

    // The value's row: its label, the field and the option's unit list; the
    // final rate's row of the changing rate; the note of the option.
    auto* grid = AmountGrid();
    valueLabel_ = NewLabel(box, "");
    value_ = NewField(box, kFieldWidth);
    auto* units = new wxBoxSizer(wxHORIZONTAL);
    amountUnits_ = NewChoice(box, kVolumeUnitNames);
    constantUnits_ = NewChoice(box, kRateUnitNames);
    changingUnits_ = NewChoice(box, kRateUnitNames);
    for (wxChoice* list : {amountUnits_, constantUnits_, changingUnits_}) units->Add(list, 0, wxALIGN_CENTER_VERTICAL);
    finalLabel_ = NewLabel(box, kFinalRateLabel);
    finalRate_ = NewField(box, kFieldWidth);
    changingNote_ = NewLabel(box, kChangingRateNote);
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
    note_ = NewLabel(box, "");
    // As wide as the longest note, so that switching options keeps the size.
    int noteWidth = 0;
    for (int option : {SpilledAmount, ConstantRate})
        noteWidth = std::max(noteWidth, note_->GetTextExtent(ContinuousRowsFor(option).note).GetWidth());
    note_->SetMinSize(wxSize(noteWidth, -1));
    group->Add(note_, 0, wxLEFT | wxRIGHT | wxBOTTOM, 6);
    top->Add(group, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    // Sized for the option with the most rows, then shown with the form's.
    ShowOption(ChangingRate);
    Finish(top);
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
    ShowText(duration_, form_.duration);
    ShowSelection(durationUnits_, form_.durationUnits);
    options_[std::clamp(form_.option, 0, 2)]->SetValue(true);
    ShowText(value_, form_.value);
    ShowText(finalRate_, form_.finalRate);
    ShowSelection(amountUnits_, form_.amountUnits);
    ShowSelection(constantUnits_, form_.rateUnits1);
    ShowSelection(changingUnits_, form_.rateUnits2);
    return true;
}

bool CContinuousDialog::TransferDataFromWindow() {
    form_.time = time_->Get();
    form_.duration = TextOf(duration_);
    form_.durationUnits = SelectionOf(durationUnits_);
    form_.option = CheckedOption();
    form_.value = TextOf(value_);
    form_.finalRate = TextOf(finalRate_);
    form_.amountUnits = SelectionOf(amountUnits_);
    form_.rateUnits1 = SelectionOf(constantUnits_);
    form_.rateUnits2 = SelectionOf(changingUnits_);
    return true;
}

// ---- Contained release ----

CContainedDialog::CContainedDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kContainedCaption, doc, HelpDialog::ContainedRelease) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(TimeGroup(this, time_), 0, wxEXPAND | wxALL, 10);
    amount_ = NewField(this, kFieldWidth);
    volumeUnits_ = NewChoice(this, kVolumeUnitNames);
    area_ = NewField(this, kFieldWidth);
    areaUnits_ = NewChoice(this, kAreaUnitNames);
    auto* grid = AmountGrid();
    AddAmountRow(grid, this, "Amount spilled", amount_, volumeUnits_);
    AddAmountRow(grid, this, "Contained area", area_, areaUnits_);
    top->Add(grid, 0, wxLEFT | wxRIGHT, 10);
    Finish(top);
    amount_->SetFocus();
}

bool CContainedDialog::TransferDataToWindow() {
    time_->Set(form_.time);
    ShowText(amount_, form_.amount);
    ShowSelection(volumeUnits_, form_.volumeUnit);
    ShowText(area_, form_.area);
    ShowSelection(areaUnits_, form_.areaUnit);
    return true;
}

bool CContainedDialog::TransferDataFromWindow() {
    form_.time = time_->Get();
    form_.amount = TextOf(amount_);
    form_.volumeUnit = SelectionOf(volumeUnits_);
    form_.area = TextOf(area_);
    form_.areaUnit = SelectionOf(areaUnits_);
    return true;
}

}  // namespace ui

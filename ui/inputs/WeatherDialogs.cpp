#include "ui/inputs/WeatherDialogs.h"

#include <wx/sizer.h>
#include <wx/statbox.h>

#include "ui/common/DialogRegistry.h"
#include "ui/inputs/InputFields.h"
#include "ui/inputs/WindWaveDialog.h"

namespace ui {

namespace {

constexpr int kGap = 6;

template <typename Dialog>
DialogFunction Runs() {
    return [](wxWindow* parent, document::SpillDocCore& doc) {
        Dialog dialog(parent, doc);
        return dialog.ShowModal() == wxID_OK;
    };
}

// A wrapped text of the given width.
wxStaticText* NewWrapped(wxWindow* parent, const char* text, int widthDip) {
    wxStaticText* label = NewLabel(parent, text);
    label->Wrap(parent->FromDIP(widthDip));
    return label;
}

}  // namespace

void RegisterWeatherDialogs() {
    RegisterDialog(document::DialogKind::WindWave, Runs<CWindWaveDialog>());
    RegisterDialog(document::DialogKind::Water, Runs<CWaterDialog>());
    RegisterDialog(document::DialogKind::Emulsification, Runs<CEmulsificationDialog>());
    RegisterDialog(document::DialogKind::Beaching, Runs<COilBeachedDialog>());
}

// ---- Fetch -------------------------------------------------------------------

CVarWindFetchDialog::CVarWindFetchDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kFetchCaption, doc, HelpDialog::Fetch) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(NewWrapped(this, kFetchIntroText, 360), 0, wxALL, 10);
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, wxString::FromUTF8(kFetchFrameText));
    wxWindow* b = box->GetStaticBox();
    auto* grid = new wxFlexGridSizer(4, kGap, 2 * kGap);
    // North and East in the first row, South and West in the second.
    static constexpr const char* kNames[] = {"North", "East", "South", "West"};
    for (std::size_t i = 0; i < fields_.size(); ++i) fields_[i] = NewField(b);
    grid->Add(NewLabel(b, kNames[0]), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(fields_[0]);
    grid->Add(NewLabel(b, kNames[1]), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(fields_[1]);
    grid->Add(NewLabel(b, kNames[2]), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(fields_[2]);
    grid->Add(NewLabel(b, kNames[3]), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(fields_[3]);
    box->Add(grid, 0, wxALL, kGap);
    auto* units = new wxBoxSizer(wxHORIZONTAL);
    units->Add(NewLabel(b, "Units:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
    unit_ = NewChoice(b, kFetchUnits);
    units->Add(unit_);
    box->Add(units, 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    top->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    Finish(top);
}

bool CVarWindFetchDialog::TransferDataToWindow() {
    for (std::size_t i = 0; i < fields_.size(); ++i) ShowText(fields_[i], form_.fetch[i]);
    unit_->SetSelection(form_.unit);
    return true;
}

bool CVarWindFetchDialog::TransferDataFromWindow() {
    for (std::size_t i = 0; i < fields_.size(); ++i) form_.fetch[i] = TextOf(fields_[i]);
    form_.unit = SelectionOf(unit_);
    return true;
}

// ---- Wind uncertainty --------------------------------------------------------

CWindUncertaintyDialog::CWindUncertaintyDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kWindUncertaintyCaption, doc, HelpDialog::WindUncertainty) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Optional");
    wxWindow* b = box->GetStaticBox();
    box->Add(NewWrapped(b, kWindUncertaintyIntroText, 360), 0, wxALL, kGap);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(NewLabel(b, kWindUncertaintyLabel), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
    value_ = NewField(b);
    row->Add(value_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
    unit_ = NewChoice(b, kUncertaintyUnits);
    row->Add(unit_, 0, wxALIGN_CENTER_VERTICAL);
    box->Add(row, 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    box->Add(NewWrapped(b, kWindUncertaintyNote, 360), 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    top->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    Finish(top);
}

bool CWindUncertaintyDialog::TransferDataToWindow() {
    ShowText(value_, form_.value);
    unit_->SetSelection(form_.unit);
    return true;
}

bool CWindUncertaintyDialog::TransferDataFromWindow() {
    form_.value = TextOf(value_);
    form_.unit = SelectionOf(unit_);
    return true;
}

// ---- Emulsification ----------------------------------------------------------

CEmulsificationDialog::CEmulsificationDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kEmulsificationCaption, doc, HelpDialog::Emulsification) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Onset of mousse formation");
    wxWindow* b = box->GetStaticBox();
    useDefault_ = new wxRadioButton(b, wxID_ANY, "&Default - computed from oil and weather information",
                                    wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    useValue_ = new wxRadioButton(b, wxID_ANY, "&Mousse forms when");
    box->Add(useDefault_, 0, wxALL, kGap);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(useValue_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
    value_ = NewField(b);
    row->Add(value_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
    unit_ = NewChoice(b, kEmulsUnits);
    row->Add(unit_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
    valueLabel_ = NewLabel(b, kEmulsPercentLabel);
    row->Add(valueLabel_, 0, wxALIGN_CENTER_VERTICAL);
    box->Add(row, 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    top->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);

    auto* ubox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Optional");
    wxWindow* u = ubox->GetStaticBox();
    ubox->Add(NewLabel(u, "Uncertainty \u00B1"), 0, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
    uncertainty_ = NewField(u);
    ubox->Add(uncertainty_, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM, kGap);
    uncertaintyUnit_ = NewLabel(u, "hours");
    ubox->Add(uncertaintyUnit_, 0, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
    top->Add(ubox, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);

    auto choose = [this](bool useDefault) {
        TransferDataFromWindow();
        form_.useDefault = useDefault;
        ShowChoice();
    };
    useDefault_->Bind(wxEVT_RADIOBUTTON, [choose](wxCommandEvent&) { choose(true); });
    useValue_->Bind(wxEVT_RADIOBUTTON, [choose](wxCommandEvent&) { choose(false); });
    unit_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        TransferDataFromWindow();
        EmulsificationRules::ChooseUnit(form_, SelectionOf(unit_));
        TransferDataToWindow();
    });
    Finish(top);
}

void CEmulsificationDialog::ShowChoice() {
    useDefault_->SetValue(form_.useDefault);
    useValue_->SetValue(!form_.useDefault);
    for (wxWindow* w : std::initializer_list<wxWindow*>{value_, unit_, valueLabel_}) w->Enable(!form_.useDefault);
    valueLabel_->SetLabelText(EmulsificationRules::ValueLabel(form_.unit));
    uncertaintyUnit_->SetLabelText(kEmulsUnits[form_.unit == 0 ? 0 : 1]);
    Layout();
}

bool CEmulsificationDialog::TransferDataToWindow() {
    ShowText(value_, form_.value);
    unit_->SetSelection(form_.unit);
    ShowText(uncertainty_, form_.uncertainty);
    ShowChoice();
    return true;
}

bool CEmulsificationDialog::TransferDataFromWindow() {
    form_.useDefault = useDefault_->GetValue();
    form_.value = TextOf(value_);
    form_.unit = SelectionOf(unit_);
    form_.uncertainty = TextOf(uncertainty_);
    return true;
}

// ---- Beaching ----------------------------------------------------------------

COilBeachedDialog::COilBeachedDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kBeachingCaption, doc, HelpDialog::Beaching) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, "Amount of oil beached");
    wxWindow* b = box->GetStaticBox();
    auto* grid = new wxFlexGridSizer(2, kGap, kGap);
    for (std::size_t d = 0; d < days_.size(); ++d) {
        grid->Add(NewLabel(b, ("Day " + std::to_string(d + 1)).c_str()), 0, wxALIGN_CENTER_VERTICAL);
        days_[d] = NewField(b, 90);
        grid->Add(days_[d]);
    }
    grid->Add(NewLabel(b, "Units"), 0, wxALIGN_CENTER_VERTICAL);
    unit_ = NewChoice(b, kBeachingUnits);
    grid->Add(unit_);
    box->Add(grid, 0, wxALL, kGap);
    top->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    Finish(top);
}

bool COilBeachedDialog::TransferDataToWindow() {
    for (std::size_t d = 0; d < days_.size(); ++d) ShowText(days_[d], form_.amounts[d]);
    unit_->SetSelection(form_.unit);
    return true;
}

bool COilBeachedDialog::TransferDataFromWindow() {
    for (std::size_t d = 0; d < days_.size(); ++d) form_.amounts[d] = TextOf(days_[d]);
    form_.unit = SelectionOf(unit_);
    return true;
}

}  // namespace ui

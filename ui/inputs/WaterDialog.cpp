#include <wx/sizer.h>
#include <wx/statbox.h>

#include "ui/inputs/InputFields.h"
#include "ui/inputs/WeatherDialogs.h"
#include "ui/inputs/rules/Compass.h"

namespace ui {

namespace {
constexpr int kGap = 6;
}  // namespace

CWaterDialog::CWaterDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kWaterCaption, doc, HelpDialog::Water) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);

    auto* tbox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Water Temperature");
    wxWindow* t = tbox->GetStaticBox();
    temperature_ = NewField(t);
    temperatureUnit_ = NewChoice(t, kTemperatureUnits);
    tbox->Add(temperature_, 0, wxALIGN_CENTER_VERTICAL | wxALL, kGap);
    tbox->Add(temperatureUnit_, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM | wxRIGHT, kGap);
    left->Add(tbox, 0, wxEXPAND | wxBOTTOM, 10);

    // A preset list and the typed value shown for "Other Value...".
    auto other = [&](const char* title, std::span<const char* const> presets, const char* unit, wxChoice*& choice,
                     wxSizer*& box, wxSizer*& line, wxTextCtrl*& field) {
        auto* frame = new wxStaticBoxSizer(wxVERTICAL, this, title);
        box = frame;
        wxWindow* b = frame->GetStaticBox();
        choice = NewChoice(b, presets);
        box->Add(choice, 0, wxALL, kGap);
        line = new wxBoxSizer(wxHORIZONTAL);
        field = NewField(b);
        line->Add(NewLabel(b, "Value:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
        line->Add(field, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
        line->Add(NewLabel(b, unit), 0, wxALIGN_CENTER_VERTICAL);
        box->Add(line, 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
        left->Add(box, 0, wxEXPAND | wxBOTTOM, 10);
        choice->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
            TransferDataFromWindow();
            ShowOtherValues();
        });
    };
    other("Salinity", kSalinityChoices, "ppt", salinityChoice_, salinityBox_, salinityLine_, salinity_);
    other("Sediment Load", kSedimentChoices, "g/m\u00B3", sedimentChoice_, sedimentBox_, sedimentLine_, sediment_);
    row->Add(left, 1, wxEXPAND | wxRIGHT, 10);

    auto* cbox = new wxStaticBoxSizer(wxVERTICAL, this, "Current (optional)");
    wxWindow* c = cbox->GetStaticBox();
    auto* grid = new wxFlexGridSizer(3, kGap, kGap);
    speed_ = NewField(c);
    speedUnit_ = NewChoice(c, kCurrentUnits);
    direction_ = NewField(c);
    grid->Add(NewLabel(c, "Speed"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(speed_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(speedUnit_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(NewLabel(c, "Direction"), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(direction_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(NewLabel(c, "degrees"), 0, wxALIGN_CENTER_VERTICAL);
    cbox->Add(grid, 0, wxALL, kGap);
    cbox->Add(NewLabel(c, "Towards the direction indicated"), 0, wxLEFT | wxRIGHT, kGap);
    compass_ = new CompassPanel(c);
    cbox->Add(compass_, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, kGap);
    row->Add(cbox, 0, wxEXPAND);

    top->Add(row, 1, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);

    // Leaving the speed or the direction moves the line.
    leave_.Watch({speed_, direction_}, [this] {
        TransferDataFromWindow();
        rules_.FollowTyped(form_);
        compass_->Refresh();
    });
    compass_->drawOver = [this](platform::Canvas& canvas, platform::Point centre, double scale) {
        DrawCurrentLine(canvas, centre, scale, rules_.LineEnd());
    };
    compass_->clicked = [this](platform::Point offset) {
        TransferDataFromWindow();
        if (!rules_.Click(form_, offset)) return;
        ShowText(speed_, form_.speed);
        ShowText(direction_, form_.direction);
        compass_->Refresh();
    };
    Finish(top);
}

void CWaterDialog::ShowOtherValues() {
    salinityBox_->Show(salinityLine_, form_.salinityChoice == kOtherValue, true);
    sedimentBox_->Show(sedimentLine_, form_.sedimentChoice == kOtherValue, true);
    GetSizer()->SetSizeHints(this);
    Layout();
}

void CWaterDialog::Refused() {
    const std::optional<WaterField> field = rules_.RefusedField();
    if (!field) return;
    switch (*field) {
        case WaterField::Temperature: FocusField(temperature_); break;
        case WaterField::Salinity: FocusField(salinity_); break;
        case WaterField::Sediment: FocusField(sediment_); break;
        case WaterField::Speed: FocusField(speed_); break;
    }
}

bool CWaterDialog::TransferDataToWindow() {
    ShowText(temperature_, form_.temperature);
    temperatureUnit_->SetSelection(form_.temperatureUnit);
    salinityChoice_->SetSelection(form_.salinityChoice);
    ShowText(salinity_, form_.salinity);
    sedimentChoice_->SetSelection(form_.sedimentChoice);
    ShowText(sediment_, form_.sediment);
    ShowText(speed_, form_.speed);
    speedUnit_->SetSelection(form_.speedUnit);
    ShowText(direction_, form_.direction);
    ShowOtherValues();
    compass_->Refresh();
    return true;
}

bool CWaterDialog::TransferDataFromWindow() {
    form_.temperature = TextOf(temperature_);
    form_.temperatureUnit = SelectionOf(temperatureUnit_);
    form_.salinityChoice = SelectionOf(salinityChoice_);
    form_.salinity = TextOf(salinity_);
    form_.sedimentChoice = SelectionOf(sedimentChoice_);
    form_.sediment = TextOf(sediment_);
    form_.speed = TextOf(speed_);
    form_.speedUnit = SelectionOf(speedUnit_);
    form_.direction = TextOf(direction_);
    return true;
}

}  // namespace ui

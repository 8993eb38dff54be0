#include "ui/inputs/WindWaveDialog.h"

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include "platform/wx/WxText.h"
#include "ui/inputs/InputFields.h"
#include "ui/inputs/WeatherDialogs.h"

namespace ui {

namespace {

// The report list over the dialog's records.
class WindListCtrl final : public wxListCtrl {
public:
    WindListCtrl(wxWindow* parent, const WindListModel& model)
        : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(440, 180)),
                     wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxLC_HRULES | wxLC_VRULES),
          model_(model) {
        for (const char* title : WindListModel::kColumnTitles) AppendColumn(title, wxLIST_FORMAT_LEFT);
    }
    wxString OnGetItemText(long item, long column) const override {
        if (item < 0 || static_cast<std::size_t>(item) >= model_.Size()) return {};
        return platform::ToWx(model_.Text(static_cast<std::size_t>(item), static_cast<int>(column)));
    }

private:
    const WindListModel& model_;
};

constexpr int kGap = 6;

// "label [field] [unit list]" or "label [field] text" in a grid row.
void AddRow(wxFlexGridSizer* grid, wxWindow* parent, const char* label, wxWindow* field, wxWindow* after) {
    grid->Add(NewLabel(parent, label), 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(field, 0, wxALIGN_CENTER_VERTICAL);
    if (after)
        grid->Add(after, 0, wxALIGN_CENTER_VERTICAL);
    else
        grid->AddSpacer(0);
}

wxFlexGridSizer* NewGrid() {
    auto* grid = new wxFlexGridSizer(3, kGap, kGap);
    grid->AddGrowableCol(2);
    return grid;
}

}  // namespace

CWindWaveDialog::CWindWaveDialog(wxWindow* parent, document::SpillDocCore& doc)
    : FormDialog(parent, kWindWaveCaption, doc, HelpDialog::WindWave), doc_(doc) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* modes = new wxBoxSizer(wxHORIZONTAL);
    modes->Add(NewLabel(this, "Please choose one:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
    constant_ = new wxRadioButton(this, wxID_ANY, "Co&nstant Wind", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    variable_ = new wxRadioButton(this, wxID_ANY, "&Variable Wind");
    modes->Add(constant_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
    modes->Add(variable_, 0, wxALIGN_CENTER_VERTICAL);
    top->Add(modes, 0, wxALL, 10);

    constPanel_ = BuildConstant();
    varPanel_ = BuildVariable();
    top->Add(constPanel_, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
    top->Add(varPanel_, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);

    auto* extra = new wxBoxSizer(wxHORIZONTAL);
    uncertaintyButton_ = new wxButton(this, wxID_ANY, "&Uncertainty...");
    extra->Add(uncertaintyButton_);

    constant_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { SetMode(false); });
    variable_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { SetMode(true); });
    uncertaintyButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CWindUncertaintyDialog dialog(this, doc_);
        dialog.ShowModal();
    });
    Finish(top, extra);
    ShowMode();
    CentreOnParent();
}

wxPanel* CWindWaveDialog::BuildConstant() {
    auto* panel = new wxPanel(this);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);

    auto* windBox = new wxStaticBoxSizer(wxVERTICAL, panel, "Wind");
    wxWindow* wb = windBox->GetStaticBox();
    wxFlexGridSizer* wind = NewGrid();
    speed_ = NewField(wb);
    speedUnit_ = NewChoice(wb, kWindSpeedUnits);
    direction_ = NewField(wb);
    AddRow(wind, wb, "Speed", speed_, speedUnit_);
    AddRow(wind, wb, "Direction", direction_, NewLabel(wb, "degrees"));
    windBox->Add(wind, 0, wxALL, kGap);
    windBox->Add(NewLabel(wb, "From the direction indicated"), 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    left->Add(windBox, 0, wxEXPAND | wxBOTTOM, 10);

    auto* waveBox = new wxStaticBoxSizer(wxVERTICAL, panel, "Wave");
    wxWindow* vb = waveBox->GetStaticBox();
    waveSizer_ = waveBox;
    auto* choiceRow = new wxBoxSizer(wxHORIZONTAL);
    choiceRow->Add(NewLabel(vb, "Wave Height"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, kGap);
    waveChoice_ = NewChoice(vb, kWaveChoices);
    choiceRow->Add(waveChoice_, 0, wxALIGN_CENTER_VERTICAL);
    waveBox->Add(choiceRow, 0, wxALL, kGap);
    auto* height = NewGrid();
    waveHeight_ = NewField(vb);
    waveHeightUnit_ = NewChoice(vb, kWaveHeightUnits);
    AddRow(height, vb, "Height", waveHeight_, waveHeightUnit_);
    heightGroup_ = height;
    waveBox->Add(height, 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    auto* fetch = NewGrid();
    fetch_ = NewField(vb);
    fetchUnit_ = NewChoice(vb, kFetchUnits);
    AddRow(fetch, vb, "Fetch", fetch_, fetchUnit_);
    fetchGroup_ = fetch;
    waveBox->Add(fetch, 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    left->Add(waveBox, 0, wxEXPAND);

    row->Add(left, 1, wxEXPAND | wxRIGHT, 10);
    constCompass_ = new CompassPanel(panel);
    row->Add(constCompass_, 0, wxALIGN_TOP);
    panel->SetSizer(row);

    waveChoice_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
        form_.waveChoice = SelectionOf(waveChoice_);
        ShowWaveGroup();
    });
    leave_.Watch({speed_, direction_}, [this] { Follow(); });
    constCompass_->drawOver = [this](platform::Canvas& c, platform::Point centre, double scale) {
        DrawWindArrow(c, centre, scale, rules_.Arrow(false));
    };
    constCompass_->clicked = [this](platform::Point offset) { Clicked(offset); };
    return panel;
}

wxPanel* CWindWaveDialog::BuildVariable() {
    auto* panel = new wxPanel(this);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);

    auto* box = new wxStaticBoxSizer(wxVERTICAL, panel, "Wind Record");
    wxWindow* b = box->GetStaticBox();
    pick_ = std::make_unique<TimePickCtrls>(b);
    box->Add(pick_->Sizer(), 0, wxALL, kGap);
    wxFlexGridSizer* grid = NewGrid();
    varSpeed_ = NewField(b, 70, wxTE_PROCESS_ENTER);
    varSpeedUnit_ = NewChoice(b, kWindSpeedUnits);
    varDirection_ = NewField(b, 70, wxTE_PROCESS_ENTER);
    varWave_ = NewField(b, 70, wxTE_PROCESS_ENTER);
    varWaveUnit_ = NewChoice(b, kWaveHeightUnits);
    AddRow(grid, b, "Speed", varSpeed_, varSpeedUnit_);
    AddRow(grid, b, "Direction", varDirection_, NewLabel(b, "degrees"));
    AddRow(grid, b, "Optional Wave Height", varWave_, varWaveUnit_);
    box->Add(grid, 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    autoIncrement_ = new wxCheckBox(b, wxID_ANY, "Auto-&increment Hours");
    box->Add(autoIncrement_, 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    auto* edit = new wxBoxSizer(wxHORIZONTAL);
    add_ = new wxButton(b, wxID_ANY, "&Add");
    auto* remove = new wxButton(b, wxID_ANY, "&Remove");
    auto* removeAll = new wxButton(b, wxID_ANY, "Remove A&ll");
    edit->Add(add_, 0, wxRIGHT, kGap);
    edit->Add(remove, 0, wxRIGHT, kGap);
    edit->Add(removeAll);
    box->Add(edit, 0, wxLEFT | wxRIGHT | wxBOTTOM, kGap);
    left->Add(box, 0, wxEXPAND | wxBOTTOM, kGap);

    list_ = new WindListCtrl(panel, rules_.List());
    left->Add(list_, 1, wxEXPAND | wxBOTTOM, kGap);
    auto* files = new wxBoxSizer(wxHORIZONTAL);
    auto* exportButton = new wxButton(panel, wxID_ANY, "&Export...");
    auto* importButton = new wxButton(panel, wxID_ANY, "I&mport...");
    exportButton->Disable();
    importButton->Disable();
    fetchButton_ = new wxButton(panel, wxID_ANY, "&Fetch...");
    files->Add(exportButton, 0, wxRIGHT, kGap);
    files->Add(importButton, 0, wxRIGHT, kGap);
    files->AddStretchSpacer();
    files->Add(fetchButton_);
    left->Add(files, 0, wxEXPAND);

    row->Add(left, 1, wxEXPAND | wxRIGHT, 10);
    varCompass_ = new CompassPanel(panel);
    row->Add(varCompass_, 0, wxALIGN_TOP);
    panel->SetSizer(row);

    add_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AddRecord(); });
    remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RemoveRecord(); });
    removeAll->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { RemoveAllRecords(); });
    for (wxTextCtrl* field : {varSpeed_, varDirection_, varWave_})
        field->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { AddRecord(); });
    for (wxTextCtrl* field : {varSpeed_, varDirection_}) field->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { Follow(); });
    for (wxChoice* unit : {varSpeedUnit_, varWaveUnit_})
        unit->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) {
            TransferDataFromWindow();
            rules_.Relabel(form_);
            list_->Refresh();
        });
    fetchButton_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CVarWindFetchDialog dialog(this, doc_);
        dialog.ShowModal();
    });
    list_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent&) { CopySelectedRow(); });
    list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { CopySelectedRow(); });
    // A click on the row already selected copies it again.
    list_->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
        e.Skip();
        CallAfter([this] { CopySelectedRow(); });
    });
    list_->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        CallAfter([this] {
            const int width = list_->GetClientSize().GetWidth();
            for (int c = 0; c < WindListModel::kColumnCount && width > 0; ++c)
                list_->SetColumnWidth(c, static_cast<int>(WindListModel::kColumnWidths[static_cast<std::size_t>(c)] * width));
        });
    });
    varCompass_->drawOver = [this](platform::Canvas& c, platform::Point centre, double scale) {
        DrawWindArrow(c, centre, scale, rules_.Arrow(true));
    };
    varCompass_->clicked = [this](platform::Point offset) { Clicked(offset); };
    return panel;
}

wxListCtrl* CWindWaveDialog::List() const { return list_; }

bool CWindWaveDialog::TransferDataToWindow() {
    constant_->SetValue(!form_.variable);
    variable_->SetValue(form_.variable);
    ShowText(speed_, form_.speed);
    ShowText(direction_, form_.direction);
    speedUnit_->SetSelection(form_.speedUnit);
    waveChoice_->SetSelection(form_.waveChoice);
    ShowText(fetch_, form_.fetch);
    fetchUnit_->SetSelection(form_.fetchUnit);
    ShowText(waveHeight_, form_.waveHeight);
    waveHeightUnit_->SetSelection(form_.waveHeightUnit);
    pick_->Set(form_.pick);
    ShowText(varSpeed_, form_.varSpeed);
    ShowText(varDirection_, form_.varDirection);
    ShowText(varWave_, form_.varWave);
    varSpeedUnit_->SetSelection(form_.varSpeedUnit);
    varWaveUnit_->SetSelection(form_.varWaveUnit);
    autoIncrement_->SetValue(form_.autoIncrement);
    RefreshList();
    return true;
}

bool CWindWaveDialog::TransferDataFromWindow() {
    form_.variable = variable_->GetValue();
    form_.speed = TextOf(speed_);
    form_.direction = TextOf(direction_);
    form_.speedUnit = SelectionOf(speedUnit_);
    form_.waveChoice = SelectionOf(waveChoice_);
    form_.fetch = TextOf(fetch_);
    form_.fetchUnit = SelectionOf(fetchUnit_);
    form_.waveHeight = TextOf(waveHeight_);
    form_.waveHeightUnit = SelectionOf(waveHeightUnit_);
    form_.pick = pick_->Get();
    form_.varSpeed = TextOf(varSpeed_);
    form_.varDirection = TextOf(varDirection_);
    form_.varWave = TextOf(varWave_);
    form_.varSpeedUnit = SelectionOf(varSpeedUnit_);
    form_.varWaveUnit = SelectionOf(varWaveUnit_);
    form_.autoIncrement = autoIncrement_->GetValue();
    return true;
}

void CWindWaveDialog::SetMode(bool variable) {
    TransferDataFromWindow();
    rules_.SetMode(form_, variable);
    TransferDataToWindow();
    ShowMode();
}

void CWindWaveDialog::ShowMode() {
    constPanel_->Show(!form_.variable);
    varPanel_->Show(form_.variable);
    ShowWaveGroup();
    Compass(form_.variable)->Refresh();
}

void CWindWaveDialog::ShowWaveGroup() {
    waveSizer_->Show(heightGroup_, form_.waveChoice == 2, true);
    waveSizer_->Show(fetchGroup_, form_.waveChoice == 1, true);
    GetSizer()->SetSizeHints(this);
    Layout();
}

void CWindWaveDialog::RefreshList() {
    list_->SetItemCount(static_cast<long>(rules_.List().Size()));
    if (list_->GetItemCount() > 0) list_->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
    list_->Refresh();
}

void CWindWaveDialog::AddRecord() {
    TransferDataFromWindow();
    const CheckResult result = rules_.Add(form_);
    ShowResult(result);
    TransferDataToWindow();
    varSpeed_->SetFocus();
    varSpeed_->SelectAll();
}

void CWindWaveDialog::RemoveRecord() {
    rules_.Remove(static_cast<int>(list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)));
    RefreshList();
}

void CWindWaveDialog::RemoveAllRecords() {
    rules_.RemoveAll();
    RefreshList();
}

void CWindWaveDialog::CopySelectedRow() {
    const long row = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row < 0) return;
    TransferDataFromWindow();
    rules_.CopyRow(static_cast<int>(row), form_);
    pick_->Set(form_.pick);
    ShowText(varSpeed_, form_.varSpeed);
    ShowText(varDirection_, form_.varDirection);
    ShowText(varWave_, form_.varWave);
    varCompass_->Refresh();
}

void CWindWaveDialog::Clicked(platform::Point offset) {
    TransferDataFromWindow();
    if (!rules_.Click(form_, offset)) return;
    ShowText(Speed(form_.variable), form_.variable ? form_.varSpeed : form_.speed);
    ShowText(Direction(form_.variable), form_.variable ? form_.varDirection : form_.direction);
    Compass(form_.variable)->Refresh();
}

void CWindWaveDialog::Follow() {
    TransferDataFromWindow();
    rules_.FollowTyped(form_);
    Compass(form_.variable)->Refresh();
}

}  // namespace ui

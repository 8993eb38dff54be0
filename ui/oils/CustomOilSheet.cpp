#include "ui/oils/CustomOilSheet.h"

#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/wx/WxText.h"
#include "ui/oils/rules/CustomOilsController.h"

namespace ui {

namespace {

using Form = CustomOilEditorForm;

wxStaticText* Label(wxWindow* parent, const wxString& text) { return new wxStaticText(parent, wxID_ANY, text); }

// Rows of "label  control".
wxFlexGridSizer* LabelGrid(int columns = 2) {
    auto* grid = new wxFlexGridSizer(columns, wxSize(10, 6));
    return grid;
}

wxStaticBoxSizer* Group(wxWindow* parent, int orient, const wxString& title) {
    return new wxStaticBoxSizer(orient, parent, title);
}

wxPanel* Padded(wxPanel* page, wxSizer* content) {
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(content, 1, wxEXPAND | wxALL, 12);
    page->SetSizer(outer);
    return page;
}

}  // namespace

// ---- Pages ------------------------------------------------------------------

wxTextCtrl* CustOilPage::Edit(wxWindow* parent, std::string& text, int width, long style) {
    auto* edit = new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                wxSize(parent->FromDIP(width), -1), style);
    texts_.emplace_back(edit, &text);
    return edit;
}

wxChoice* CustOilPage::Choice(wxWindow* parent, int& index, const char* const* items, std::size_t count) {
    auto* choice = new wxChoice(parent, wxID_ANY);
    for (std::size_t i = 0; i < count; ++i) choice->Append(items[i]);
    choices_.emplace_back(choice, &index);
    return choice;
}

void CustOilPage::Load() {
    for (auto& [edit, text] : texts_) edit->ChangeValue(platform::ToWx(*text));
    for (auto& [choice, index] : choices_) choice->SetSelection(*index);
}

wxTextCtrl* CustOilPage::EditOf(const std::string* text) const {
    for (const auto& [edit, bound] : texts_)
        if (bound == text) return edit;
    return nullptr;
}

void CustOilPage::Apply() {
    for (auto& [edit, text] : texts_) *text = edit->GetValue().utf8_string();
    for (auto& [choice, index] : choices_)
        if (choice->GetSelection() != wxNOT_FOUND) *index = choice->GetSelection();
}

CPropPageCustOilGeneralInfo::CPropPageCustOilGeneralInfo(wxWindow* book, Form& f) : CustOilPage(book) {
    auto* grid = LabelGrid();
    grid->AddGrowableCol(1, 1);
    auto row = [&](const wxString& label, wxWindow* control, int flags = wxEXPAND) {
        grid->Add(Label(this, label), 0, wxALIGN_CENTER_VERTICAL | wxALIGN_RIGHT);
        grid->Add(control, 0, flags);
    };
    row("Product Type", Choice(this, f.productType, Form::kProductTypes.data(), Form::kProductTypes.size()), 0);
    row("Oil Class", Choice(this, f.oilClass, Form::kOilClasses.data(), Form::kOilClasses.size()), 0);
    row("Synonyms (separated by commas)", Edit(this, f.synonyms, 360));
    row("Field Name", Edit(this, f.fieldName, 360));
    row("Location", Edit(this, f.location, 360));
    // Long texts wrap; a line end typed in them is stored as a blank.
    const long wrapped = wxTE_MULTILINE | wxTE_WORDWRAP;
    wxTextCtrl* reference = Edit(this, f.reference, 360, wrapped);
    reference->SetMinSize(wxSize(FromDIP(360), FromDIP(80)));
    wxTextCtrl* comments = Edit(this, f.comments, 360, wrapped);
    comments->SetMinSize(wxSize(FromDIP(360), FromDIP(90)));
    row("Reference", reference);
    row("Comments", comments);
    Padded(this, grid);
}

namespace {

// Numbered rows in a frame: value, deg C and % evaporated, the first row's
// evaporation fixed at "0.0 (fresh)". The value column's heading is
// returned (the viscosity's unit changes with its kind).
template <std::size_t N>
wxStaticText* AddEvaporationRows(wxStaticBoxSizer* box, const wxString& unit, std::array<std::string, N>& values,
                                 std::array<std::string, N>& temps, std::array<std::string, N>& evaporated,
                                 const std::function<wxTextCtrl*(wxWindow*, std::string&)>& edit) {
    wxWindow* owner = box->GetStaticBox();
    auto* grid = new wxFlexGridSizer(4, wxSize(10, 4));
    grid->Add(Label(owner, ""));
    wxStaticText* header = Label(owner, unit);
    grid->Add(header, 0, wxALIGN_CENTER_HORIZONTAL);
    grid->Add(Label(owner, "deg C"), 0, wxALIGN_CENTER_HORIZONTAL);
    grid->Add(Label(owner, "% Evaporated"), 0, wxALIGN_CENTER_HORIZONTAL);
    for (std::size_t i = 0; i < N; ++i) {
        grid->Add(Label(owner, wxString::Format("%d", static_cast<int>(i + 1))), 0,
                  wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL);
        grid->Add(edit(owner, values[i]));
        grid->Add(edit(owner, temps[i]));
        if (i == 0)
            grid->Add(Label(owner, "0.0 (fresh)"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
        else
            grid->Add(edit(owner, evaporated[i]));
    }
    box->Add(grid, 0, wxALL, 6);
    return header;
}

}  // namespace

CPropPageCustOilProperties::CPropPageCustOilProperties(wxWindow* book, Form& f) : CustOilPage(book) {
    auto edit = [this](wxWindow* parent, std::string& text) { return Edit(parent, text); };
    auto* top = LabelGrid(4);
    top->Add(Label(this, "API"), 0, wxALIGN_CENTER_VERTICAL);
    top->Add(Edit(this, f.api));
    top->Add(Label(this, "Pour Point (deg C)"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 20);
    top->Add(Edit(this, f.pourPoint));

    auto* tables = new wxBoxSizer(wxHORIZONTAL);
    auto* density = Group(this, wxVERTICAL, "Density");
    AddEvaporationRows(density, "g/cc", f.density, f.densityTemp, f.densityEvaporated, edit);
    tables->Add(density, 0, wxRIGHT, 12);
    // The list of kinds sits in the viscosity frame, above the rows.
    auto* viscosity = Group(this, wxVERTICAL, "Viscosity");
    kind_ = Choice(viscosity->GetStaticBox(), f.viscosityKind, Form::kViscosityKinds.data(),
                   Form::kViscosityKinds.size());
    viscosity->Add(kind_, 0, wxALL, 6);
    unit_ = AddEvaporationRows(viscosity, Form::kViscosityUnits[0], f.viscosity, f.viscosityTemp,
                               f.viscosityEvaporated, edit);
    tables->Add(viscosity);

    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(top, 0, wxBOTTOM, 12);
    page->Add(tables);
    page->Add(Label(this, "* Either API for fresh oil density is required."), 0, wxTOP, 12);
    page->Add(Label(this, "* A fresh oil viscosity is required."), 0, wxTOP, 4);
    Padded(this, page);

    kind_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowUnit(); });
}

void CPropPageCustOilProperties::Load() {
    CustOilPage::Load();
    ShowUnit();
}

void CPropPageCustOilProperties::ShowUnit() {
    const int kind = kind_->GetSelection();
    unit_->SetLabel(Form::kViscosityUnits[static_cast<std::size_t>(kind == wxNOT_FOUND ? 0 : kind)]);
    unit_->GetContainingSizer()->Layout();
}

CPropPageCustOilDistillation::CPropPageCustOilDistillation(wxWindow* book, Form& f) : CustOilPage(book) {
    auto* page = new wxBoxSizer(wxVERTICAL);
    auto* unitsRow = new wxBoxSizer(wxHORIZONTAL);
    unitsRow->Add(Label(this, "Cut Units"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
    unitsRow->Add(Choice(this, f.cutUnits, Form::kCutUnits.data(), Form::kCutUnits.size()));
    page->Add(unitsRow, 0, wxBOTTOM, 12);

    auto* box = Group(this, wxHORIZONTAL, "Distillation Cuts");
    wxWindow* owner = box->GetStaticBox();
    for (int block = 0; block < 3; ++block) {
        auto* grid = new wxFlexGridSizer(3, wxSize(10, 4));
        grid->Add(Label(owner, ""));
        grid->Add(Label(owner, "Cumulative %"), 0, wxALIGN_CENTER_HORIZONTAL);
        grid->Add(Label(owner, "Vapor Temp\n(deg C)"), 0, wxALIGN_CENTER_HORIZONTAL);
        for (std::size_t i = static_cast<std::size_t>(block) * 5; i < static_cast<std::size_t>(block) * 5 + 5; ++i) {
            grid->Add(Label(owner, wxString::Format("%d", static_cast<int>(i + 1))), 0,
                      wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL);
            grid->Add(Edit(owner, f.cutPercent[i]));
            grid->Add(Edit(owner, f.cutTemp[i]));
        }
        box->Add(grid, 0, wxALL, 8);
    }
    page->Add(box);
    Padded(this, page);
}

CPropPageCustOilMoreProperties::CPropPageCustOilMoreProperties(wxWindow* book, Form& f) : CustOilPage(book) {
    auto* left = new wxBoxSizer(wxVERTICAL);
    auto* top = LabelGrid();
    auto row = [&](wxFlexGridSizer* grid, wxWindow* parent, const wxString& label, std::string& text) {
        grid->Add(Label(parent, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(Edit(parent, text));
    };
    row(top, this, "Flash Point (deg C)", f.flashPoint);
    left->Add(top, 0, wxBOTTOM, 8);

    auto* tension = Group(this, wxVERTICAL, "Interfacial Tension (dynes/cm)");
    wxWindow* frame = tension->GetStaticBox();
    auto* tg = new wxFlexGridSizer(4, wxSize(8, 6));
    auto tensionRow = [&](const wxString& label, std::string& value, std::string& temp) {
        tg->Add(Label(frame, label), 0, wxALIGN_CENTER_VERTICAL);
        tg->Add(Edit(frame, value));
        tg->Add(Label(frame, "at (deg C)"), 0, wxALIGN_CENTER_VERTICAL);
        tg->Add(Edit(frame, temp));
    };
    tensionRow("Oil-Water", f.oilWaterTension, f.oilWaterTensionTemp);
    tensionRow("Oil-Seawater", f.oilSeawaterTension, f.oilSeawaterTensionTemp);
    tension->Add(tg, 0, wxALL, 6);
    left->Add(tension, 0, wxEXPAND | wxBOTTOM, 8);

    auto* rest = LabelGrid();
    row(rest, this, "Maximum water content\nof the emulsion (%)", f.waterContent);
    row(rest, this, "Emulsification Constant", f.emulsionConstant);
    row(rest, this, "Adhesion (g/m2)", f.adhesion);
    left->Add(rest, 0, wxBOTTOM, 8);

    auto* metals = Group(this, wxVERTICAL, "Metals (ppm)");
    auto* mg = LabelGrid();
    row(mg, metals->GetStaticBox(), "Nickel", f.nickel);
    row(mg, metals->GetStaticBox(), "Vanadium", f.vanadium);
    metals->Add(mg, 0, wxALL, 6);
    left->Add(metals, 0, wxEXPAND);

    auto* group = Group(this, wxVERTICAL, "Group Analysis (weight %)");
    auto* gg = LabelGrid();
    const std::pair<const char*, std::string*> rows[] = {
        {"Aromatics", &f.aromatics}, {"Asphaltenes", &f.asphaltenes}, {"Benzene", &f.benzene},
        {"Naphthenes", &f.naphthenes}, {"Paraffins", &f.paraffins}, {"Polars", &f.polars},
        {"Resins", &f.resins},       {"Saturates", &f.saturates},     {"Sulfur", &f.sulfur},
        {"Wax Content", &f.wax}};
    for (const auto& [label, text] : rows) row(gg, group->GetStaticBox(), label, *text);
    group->Add(gg, 0, wxALL, 6);

    auto* page = new wxBoxSizer(wxHORIZONTAL);
    page->Add(left, 0, wxRIGHT, 12);
    page->Add(group, 0);
    Padded(this, page);
}

// ---- The sheet ----------------------------------------------------------------

CPropSheetCustOil::CPropSheetCustOil(wxWindow* parent, Form& form)
    : RulesSheetDialog(parent, kCustomOilEditorCaption, platform::DefaultMessages(), HelpDialog::EditOil),
      form_(form) {
    // The header band above the tabs.
    auto* band = new wxFlexGridSizer(2, wxSize(10, 6));
    band->AddGrowableCol(1, 1);
    auto* banner = new wxStaticText(this, wxID_ANY, "Custom Oil Library");
    banner->SetFont(banner->GetFont().Bold().Larger());
    band->Add(banner, 0, wxALIGN_CENTER_VERTICAL);
    modified_ = new wxStaticText(this, wxID_ANY, wxEmptyString);
    modified_->SetLabelText(platform::ToWx(Form::LibraryDateText(form)));
    band->Add(modified_, 0, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL);
    band->Add(new wxStaticText(this, wxID_ANY, "Name, Source"), 0, wxALIGN_CENTER_VERTICAL);
    name_ = new wxTextCtrl(this, wxID_ANY, platform::ToWx(form.name));
    band->Add(name_, 1, wxEXPAND);
    GetInnerSizer()->Insert(0, band, 0, wxEXPAND | wxALL, 8);
    name_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { form_.name = name_->GetValue().utf8_string(); });
    // The name comes first in Tab order, as it stands above the tabs.
    name_->MoveBeforeInTabOrder(GetBookCtrl());

    wxBookCtrlBase* book = GetBookCtrl();
    auto* general = new CPropPageCustOilGeneralInfo(book, form);
    properties_ = new CPropPageCustOilProperties(book, form);
    auto* distillation = new CPropPageCustOilDistillation(book, form);
    auto* more = new CPropPageCustOilMoreProperties(book, form);
    pages_ = {general, properties_, distillation, more};
    for (std::size_t p = 0; p < pages_.size(); ++p) AddRulesPage(pages_[p], *pages_[p], kPageTitles[p]);
    SheetButtons buttons;
    buttons.okLabel = "&Save Changes";
    FinishSheet(buttons);
    OpenAt({Form::GeneralInfo, &form_.name});
}

void CPropSheetCustOil::OpenAt(const Form::Place& place) {
    const std::size_t page = place.page >= 0 && static_cast<std::size_t>(place.page) < pages_.size()
                                 ? static_cast<std::size_t>(place.page)
                                 : 0;
    GetBookCtrl()->SetSelection(page);
    wxTextCtrl* edit = pages_[page]->EditOf(place.text);
    if (!edit) edit = name_;
    // Only the text to put right shows as selected.
    if (edit != name_) name_->SelectNone();
    edit->SetFocus();
    edit->SelectAll();
}

}  // namespace ui

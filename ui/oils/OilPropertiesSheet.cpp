#include "ui/oils/OilPropertiesSheet.h"

#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "platform/wx/WxText.h"

namespace ui {

namespace {

wxStaticText* Label(wxWindow* parent, const wxString& text) { return new wxStaticText(parent, wxID_ANY, text); }

enum TextFont { plain_font, value_font, name_font };

// A text of the library, shown as it is ("&" included) in its font.
wxStaticText* LibraryText(wxWindow* parent, const std::string& text, TextFont font = plain_font) {
    auto* s = new wxStaticText(parent, wxID_ANY, wxEmptyString);
    if (font == value_font) s->SetFont(s->GetFont().Bold());
    if (font == name_font) s->SetFont(s->GetFont().Bold().Larger());
    const wxString label = platform::ToWx(text);
    s->SetLabelText(label);
    // The toolkit measures a label before it applies the font.
    s->SetMinSize(s->GetTextExtent(label));
    return s;
}

// A value: library text in bold.
wxStaticText* Value(wxWindow* parent, const std::string& text) { return LibraryText(parent, text, value_font); }

// A framed group at least as wide as its title.
wxStaticBoxSizer* Group(wxWindow* parent, int orient, const wxString& title) {
    auto* box = new wxStaticBoxSizer(orient, parent, title);
    box->SetMinSize(wxSize(box->GetStaticBox()->GetTextExtent(title).x + parent->FromDIP(24), -1));
    return box;
}

// Rows of "label  value".
wxFlexGridSizer* LabelGrid() {
    auto* grid = new wxFlexGridSizer(2, wxSize(12, 6));
    grid->AddGrowableCol(1, 1);
    return grid;
}

void AddRow(wxFlexGridSizer* grid, wxWindow* parent, const wxString& label, const std::string& value) {
    grid->Add(Label(parent, label), 0, wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL);
    grid->Add(Value(parent, value), 0, wxALIGN_CENTER_VERTICAL);
}

// A long text (comments, references): wrapped to the page's width.
void AddWrappedRow(wxFlexGridSizer* grid, wxWindow* parent, const wxString& label, const std::string& value,
                   int width) {
    grid->Add(Label(parent, label), 0, wxALIGN_RIGHT | wxALIGN_TOP);
    wxStaticText* v = Value(parent, value);
    v->SetMinSize(wxDefaultSize);
    v->Wrap(width);
    v->SetMinSize(v->GetBestSize());
    grid->Add(v, 1, wxEXPAND);
}

wxPanel* GeneralPage(wxWindow* book, const OilInfoTexts& t) {
    auto* page = new wxPanel(book);
    auto* grid = LabelGrid();
    const int wrap = page->FromDIP(440);
    AddRow(grid, page, "TAVRO ID", t.tavroId);
    AddRow(grid, page, "Oil Class", t.oilClass);
    AddRow(grid, page, "Product Type", t.productType);
    AddRow(grid, page, "Location", t.location);
    AddRow(grid, page, "Field Name", t.fieldName);
    AddWrappedRow(grid, page, "Synonyms", t.synonyms, wrap);
    AddWrappedRow(grid, page, "Reference", t.reference, wrap);
    AddWrappedRow(grid, page, "Comments", t.comments, wrap);
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(grid, 1, wxEXPAND | wxALL, 12);
    page->SetSizer(outer);
    return page;
}

// A group of numbered rows with three value columns under headings.
template <std::size_t N>
wxSizer* RowTable(wxWindow* parent, const wxString& title, const wxString& first,
                  const std::array<std::string, N>& a, const std::array<std::string, N>& b,
                  const std::array<std::string, N>& c) {
    auto* box = Group(parent, wxVERTICAL, title);
    wxWindow* owner = box->GetStaticBox();
    auto* grid = new wxFlexGridSizer(4, wxSize(18, 4));
    grid->Add(Label(owner, ""));
    grid->Add(Label(owner, first), 0, wxALIGN_RIGHT);
    grid->Add(Label(owner, "deg C"), 0, wxALIGN_RIGHT);
    grid->Add(Label(owner, "% Evaporated"), 0, wxALIGN_RIGHT);
    for (std::size_t i = 0; i < N; ++i) {
        grid->Add(Label(owner, wxString::Format("%d", static_cast<int>(i + 1))), 0, wxALIGN_RIGHT);
        grid->Add(Value(owner, a[i]), 0, wxALIGN_RIGHT);
        grid->Add(Value(owner, b[i]), 0, wxALIGN_RIGHT);
        grid->Add(Value(owner, c[i]), 0, wxALIGN_RIGHT);
    }
    box->Add(grid, 0, wxALL, 6);
    return box;
}

wxPanel* PropertiesPage(wxWindow* book, const OilInfoTexts& t) {
    auto* page = new wxPanel(book);
    auto* grid = LabelGrid();
    AddRow(grid, page, "API", t.api);
    AddRow(grid, page, "Pour Point", t.pourPoint);
    auto* tables = new wxBoxSizer(wxHORIZONTAL);
    tables->Add(RowTable(page, "Density", "g/cc", t.density, t.densityTemp, t.densityEvaporated), 0, wxRIGHT, 12);
    tables->Add(RowTable(page, "Viscosity", t.viscosityKind, t.viscosity, t.viscosityTemp, t.viscosityEvaporated));
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(grid, 0, wxALL, 12);
    outer->Add(tables, 0, wxLEFT | wxRIGHT | wxBOTTOM, 12);
    page->SetSizer(outer);
    return page;
}

wxPanel* DistillationPage(wxWindow* book, const OilInfoTexts& t) {
    auto* page = new wxPanel(book);
    auto* box = Group(page, wxHORIZONTAL, "Distillation Cuts");
    wxWindow* owner = box->GetStaticBox();
    for (int block = 0; block < 3; ++block) {
        auto* grid = new wxFlexGridSizer(3, wxSize(14, 4));
        grid->Add(Label(owner, ""));
        grid->Add(LibraryText(owner, t.cutHeader), 0, wxALIGN_RIGHT);
        grid->Add(Label(owner, "Vapor Temp"), 0, wxALIGN_RIGHT);
        for (int i = block * 5; i < block * 5 + 5; ++i) {
            grid->Add(Label(owner, wxString::Format("%d", i + 1)), 0, wxALIGN_RIGHT);
            grid->Add(Value(owner, t.cutPercent[static_cast<std::size_t>(i)]), 0, wxALIGN_RIGHT);
            grid->Add(Value(owner, t.cutTemp[static_cast<std::size_t>(i)]), 0, wxALIGN_RIGHT);
        }
        box->Add(grid, 0, wxALL, 8);
    }
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(box, 0, wxALL, 12);
    page->SetSizer(outer);
    return page;
}

wxPanel* MorePage(wxWindow* book, const OilInfoTexts& t) {
    auto* page = new wxPanel(book);
    auto* left = new wxBoxSizer(wxVERTICAL);
    auto* top = LabelGrid();
    AddRow(top, page, "Adhesion", t.adhesion);
    left->Add(top, 0, wxBOTTOM, 8);

    auto* metals = Group(page, wxVERTICAL, "Metals (ppm)");
    auto* mg = LabelGrid();
    AddRow(mg, metals->GetStaticBox(), "Nickel", t.nickel);
    AddRow(mg, metals->GetStaticBox(), "Vanadium", t.vanadium);
    metals->Add(mg, 0, wxALL, 6);
    left->Add(metals, 0, wxEXPAND | wxBOTTOM, 8);

    auto* rest = LabelGrid();
    AddRow(rest, page, "Maximum water content\nof the emulsion", t.waterContent);
    AddRow(rest, page, "Emulsification Constant", t.emulsionConstant);
    AddRow(rest, page, "Flash Point", t.flashPoint);
    left->Add(rest, 0, wxBOTTOM, 8);

    auto* tension = Group(page, wxVERTICAL, "Interfacial Tension (Dynes/cm)");
    auto* tg = LabelGrid();
    AddRow(tg, tension->GetStaticBox(), "Oil-Water", t.oilWaterTension);
    AddRow(tg, tension->GetStaticBox(), "Oil-Seawater", t.oilSeawaterTension);
    tension->Add(tg, 0, wxALL, 6);
    left->Add(tension, 0, wxEXPAND);

    auto* group = Group(page, wxVERTICAL, "Group Analysis (weight %)");
    auto* gg = LabelGrid();
    const std::pair<const char*, const std::string*> rows[] = {
        {"Aromatics", &t.aromatics}, {"Asphaltenes", &t.asphaltenes}, {"Benzene", &t.benzene},
        {"Naphthenes", &t.naphthenes}, {"Paraffins", &t.paraffins}, {"Polars", &t.polars},
        {"Resins", &t.resins},       {"Saturates", &t.saturates},     {"Sulfur", &t.sulfur},
        {"Wax Content:", &t.wax}};
    for (const auto& [label, value] : rows) AddRow(gg, group->GetStaticBox(), label, *value);
    group->Add(gg, 0, wxALL, 6);

    auto* outer = new wxBoxSizer(wxHORIZONTAL);
    outer->Add(left, 0, wxALL, 12);
    outer->Add(group, 0, wxTOP | wxRIGHT | wxBOTTOM, 12);
    page->SetSizer(outer);
    return page;
}

}  // namespace

COilPropertiesSheet::COilPropertiesSheet(wxWindow* parent, const OilInfoTexts& texts)
    : RulesSheetDialog(parent, kOilInfoCaption, platform::DefaultMessages(), HelpDialog::OilInfo) {
    // The header band above the tabs.
    auto* band = new wxBoxSizer(wxVERTICAL);
    auto* banner = new wxStaticText(this, wxID_ANY, kOilInfoBanner);
    banner->SetFont(banner->GetFont().Bold().Larger());
    band->Add(banner, 0, wxALIGN_CENTER_HORIZONTAL);
    band->Add(LibraryText(this, texts.version), 0, wxALIGN_CENTER_HORIZONTAL | wxTOP, 4);
    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    nameRow->Add(new wxStaticText(this, wxID_ANY, "Name: "), 0, wxALIGN_CENTER_VERTICAL);
    nameRow->Add(LibraryText(this, texts.name, name_font), 0, wxALIGN_CENTER_VERTICAL);
    band->Add(nameRow, 0, wxTOP, 8);
    GetInnerSizer()->Insert(0, band, 0, wxEXPAND | wxALL, 8);

    wxBookCtrlBase* book = GetBookCtrl();
    AddRulesPage(GeneralPage(book, texts), pages_[0], kPageTitles[0]);
    AddRulesPage(PropertiesPage(book, texts), pages_[1], kPageTitles[1]);
    AddRulesPage(DistillationPage(book, texts), pages_[2], kPageTitles[2]);
    AddRulesPage(MorePage(book, texts), pages_[3], kPageTitles[3]);
    SheetButtons buttons;
    buttons.okLabel = "&Done";
    buttons.cancel = false;
    FinishSheet(buttons);
}

}  // namespace ui

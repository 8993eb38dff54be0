#include "output/BudgetTableView.h"

#include <algorithm>

#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/fontenum.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "document/SpillDoc.h"
#include "output/Printing.h"
#include "output/core/Printouts.h"
#include "output/core/TableExport.h"
#include "platform/wx/WxText.h"

namespace output {

namespace {

constexpr int kLeftMarginPx = 20;
constexpr int kTabChars = 4;

// Courier New where installed, else Liberation Mono, else the system's
// fixed-pitch face.
wxFont TableFont(int points) {
    wxFontInfo info(points);
    info.Family(wxFONTFAMILY_TELETYPE);
    for (const char* face : {"Courier New", "Liberation Mono"}) {
        if (wxFontEnumerator::IsValidFacename(face)) {
            info.FaceName(face);
            break;
        }
    }
    return wxFont(info);
}

}  // namespace

BudgetTableView::BudgetTableView(wxWindow* parent, document::SpillDocCore& doc)
    : wxPanel(parent, wxID_ANY),
      doc_(doc),
      choices_(InitialBudgetChoices(doc.scenario)),
      text_(BudgetTableText::FromDocument(doc, choices_)) {
    auto* strip = new wxPanel(this, wxID_ANY);
    auto* stripSizer = new wxBoxSizer(wxHORIZONTAL);
    struct List {
        const char* label;
        const char* const* items;
        std::size_t count;
    };
    const List lists[3] = {{"Time Column", kBudgetTimeItems.data(), kBudgetTimeItems.size()},
                           {"Released Column", kBudgetReleasedItems.data(), kBudgetReleasedItems.size()},
                           {"Other Columns", kBudgetOtherItems.data(), kBudgetOtherItems.size()}};
    for (int i = 0; i < 3; ++i) {
        wxArrayString items;
        for (std::size_t k = 0; k < lists[i].count; ++k) items.Add(lists[i].items[k]);
        stripSizer->Add(new wxStaticText(strip, wxID_ANY, lists[i].label), 0,
                        wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, FromDIP(6));
        lists_[i] = new wxChoice(strip, wxID_ANY, wxDefaultPosition, wxDefaultSize, items);
        stripSizer->Add(lists_[i], 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM | wxRIGHT, FromDIP(3));
        // Acts once the list has closed, as the toolbar's posted command did.
        lists_[i]->Bind(wxEVT_CHOICE, [this, i](wxCommandEvent&) { CallAfter([this, i] { ListChosen(i); }); });
        if (i < 2) stripSizer->AddSpacer(FromDIP(8));
    }
    strip->SetSizer(stripSizer);

    // The text sits 20 pixels from the window's left edge, on the text's
    // own background.
    auto* page = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_THEME);
    page->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    textCtrl_ = new wxTextCtrl(page, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                               wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxHSCROLL | wxBORDER_NONE);
    textCtrl_->SetFont(TableFont(9));
    auto* pageSizer = new wxBoxSizer(wxHORIZONTAL);
    pageSizer->AddSpacer(kLeftMarginPx);
    pageSizer->Add(textCtrl_, 1, wxEXPAND);
    page->SetSizer(pageSizer);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(strip, 0, wxEXPAND);
    sizer->Add(page, 1, wxEXPAND);
    SetSizer(sizer);

    Bind(wxEVT_MENU, &BudgetTableView::OnSaveAs, this, wxID_SAVEAS);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(text_.HasResults()); }, wxID_SAVEAS);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { CopySelection(); }, wxID_COPY);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { textCtrl_->SelectAll(); }, wxID_SELECTALL);
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(true); }, wxID_COPY);
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(true); }, wxID_SELECTALL);
    // "N/A" sits in the middle of whatever size the window gets.
    textCtrl_->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        if (!text_.HasResults()) CallAfter([this] { ShowText(); });
        e.Skip();
    });

    PushChoices();
    ShowText();
}

void BudgetTableView::Rebuild() {
    text_ = BudgetTableText::FromDocument(doc_, choices_);
    ShowText();
}

void BudgetTableView::SetChoices(const BudgetChoices& choices) {
    choices_ = choices;
    PushChoices();
    Rebuild();
}

void BudgetTableView::PushChoices() {
    const int values[3] = {choices_.timeStyle, choices_.releasedUnit, choices_.otherStyle};
    for (int i = 0; i < 3; ++i) {
        if (lists_[i]->GetSelection() != values[i]) lists_[i]->SetSelection(values[i]);
    }
}

void BudgetTableView::ListChosen(int which) {
    const int selection = lists_[which]->GetSelection();
    if (selection == wxNOT_FOUND) return;
    BudgetChoices next = choices_;
    int* fields[3] = {&next.timeStyle, &next.releasedUnit, &next.otherStyle};
    *fields[which] = selection;
    if (next == choices_) return;
    choices_ = next;
    Rebuild();
}

void BudgetTableView::ShowText() {
    std::string text = text_.ScreenText();
    if (!text_.HasResults()) {
        const wxSize client = textCtrl_->GetClientSize();
        const int lineHeight = std::max(textCtrl_->GetCharHeight(), 1);
        const int charWidth = std::max(textCtrl_->GetCharWidth(), 1);
        text = NoResultsText(client.y / lineHeight, (client.x - kLeftMarginPx) / charWidth);
    }
    if (text == shown_) return;
    shown_ = text;
    source_ = platform::ToWx(text);
    // GTK places tab stops by its own idea of a millimetre, a little wider
    // than four characters, so that text before a tab can run into the
    // text after it. The control shows the tabs as spaces to stops four
    // characters apart; Copy hands out the tabs.
    ExpandedText expanded = ExpandTabs(source_.utf8_string(), kTabChars);
    sourceAt_ = std::move(expanded.sourceAt);
    textCtrl_->ChangeValue(wxString::FromUTF8(expanded.shown));
    textCtrl_->ShowPosition(0);
}

void BudgetTableView::CopySelection() {
    long from = 0, to = 0;
    textCtrl_->GetSelection(&from, &to);
    const auto last = static_cast<long>(sourceAt_.size()) - 1;
    from = std::clamp(from, 0L, std::max(last, 0L));
    to = std::clamp(to, from, std::max(last, 0L));
    if (from == to) return;
    const std::size_t begin = sourceAt_[static_cast<std::size_t>(from)];
    const std::size_t end = sourceAt_[static_cast<std::size_t>(to)];
    if (end <= begin || !wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(new wxTextDataObject(source_.Mid(begin, end - begin)));
    wxTheClipboard->Close();
}

void BudgetTableView::Refresh(bool eraseBackground, const wxRect* rect) {
    if (textCtrl_) Rebuild();
    wxPanel::Refresh(eraseBackground, rect);
}

SaveOutcome BudgetTableView::SaveTo(const std::string& path) {
    Rebuild();
    return SaveTableAs(path, kBudgetExtension, text_.ExportBytes(), kBudgetSaveError, doc_.Messages());
}

void BudgetTableView::OnSaveAs(wxCommandEvent&) {
    Rebuild();
    if (!text_.HasResults()) return;
    wxFileDialog dialog(this, kBudgetSaveTitle, wxGetCwd(), kBudgetFileName, wxFileSelectorDefaultWildcardStr,
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return;
    SaveTo(dialog.GetPath().utf8_string());
}

wxPrintout* BudgetTableView::CreatePrintout() {
    return MakePrintout(
        [&doc = doc_, choices = choices_](platform::Canvas& canvas) { PrintBudgetTable(canvas, doc, choices); });
}

}  // namespace output
